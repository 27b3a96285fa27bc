// The console edition's toolkit: message boxes as text with a prompt for their buttons, the
// project dialog as a numbered list, and the progress dialog as a line on standard error.
#ifndef IVARSCAN_APP_CONSOLE_CONSOLE_UI_H_
#define IVARSCAN_APP_CONSOLE_CONSOLE_UI_H_

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "app/ui.h"

namespace ivarscan {

struct ConsoleSettings {
  bool assume_yes = false;             // --yes: Yes to the introduction and the offer
  std::optional<std::string> project;  // --project NAME: the dialog is not shown
  bool input_is_terminal = false;      // answers can be asked for
  bool error_is_terminal = false;      // the progress line can be redrawn in place
};

class ConsoleUi final : public Ui {
 public:
  // Dialogue goes to `out` and answers come from `in`; progress, remarks and the reasons
  // for answers taken without asking go to `err`. `show_warnings` runs before the project
  // dialog and before the progress line appear, so that what the repository layer skipped
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

  const ConsoleSettings settings_;
  const std::function<void()> show_warnings_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
};

// Converts CR LF line ends to LF for display.
std::string ForTerminal(std::string_view text);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_CONSOLE_CONSOLE_UI_H_
