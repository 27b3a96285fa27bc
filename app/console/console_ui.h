// The console edition's toolkit: message boxes as text with a prompt for their buttons, the
// project dialog as a numbered list, and the progress dialog as a line on standard error.
#ifndef IVARSCAN_APP_CONSOLE_CONSOLE_UI_H_
#define IVARSCAN_APP_CONSOLE_CONSOLE_UI_H_

#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "app/ui.h"

namespace ivarscan {

struct ConsoleSettings {
  bool assume_yes = false;             // --yes: Yes to the introduction and the offer
  std::optional<std::string> project;  // --project NAME: the dialog is not shown
  bool input_is_terminal = false;      // answers can be asked for
  bool error_is_terminal = false;      // the progress line can be redrawn in place
  bool quiet = false;                  // --quiet: only errors, warnings and questions asked
  std::string repository;              // the repository folder, as messages name it
  // Why a project of that name is not among those listed: its folder has no project.ini,
  // say; empty when there is no such folder either.
  std::function<std::string(const std::string& name)> why_not_listed;
  // Told the name of the project the dialog ends with OK on.
  std::function<void(const std::string& name)> project_chosen;
};

class ConsoleUi final : public Ui {
 public:
  // Dialogue goes to `out` and answers come from `in`; error boxes, progress, remarks and
  // the reasons for answers taken without asking go to `err`. When quiet, only error boxes,
  // remarks and questions that are really asked are written. `show_warnings` runs before the
  // project dialog and before the progress line appear, so that what the repository layer skipped
  // is shown before the run.
  ConsoleUi(ConsoleSettings settings, std::istream& in, std::ostream& out, std::ostream& err,
            std::function<void()> show_warnings = {});

  int ShowMessageBox(std::string_view caption, std::string_view text, BoxStyle style) override;
  std::unique_ptr<ProjectDialog> NewProjectDialog() override;
  std::unique_ptr<ProgressWindow> NewProgressWindow() override;
  void Notify(std::string_view text) override;

 private:
  // Asks a Yes/No question; Enter takes Yes; the end of input counts as No.
  int AskYesNo(std::string_view caption);
  // `stream`, or a stream that writes nothing when quiet.
  std::ostream& UnlessQuiet(std::ostream& stream);

  const ConsoleSettings settings_;
  const std::function<void()> show_warnings_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  std::ostream discard_{nullptr};
};

// Converts CR LF line ends to LF for display.
std::string ForTerminal(std::string_view text);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_CONSOLE_CONSOLE_UI_H_
