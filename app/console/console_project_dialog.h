// The project dialog in a terminal: the sorted list of project names with their
// descriptions, the current project marked and preselected, chosen by number or name.
#ifndef IVARSCAN_APP_CONSOLE_CONSOLE_PROJECT_DIALOG_H_
#define IVARSCAN_APP_CONSOLE_CONSOLE_PROJECT_DIALOG_H_

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "app/console/console_ui.h"

namespace ivarscan {

class ConsoleProjectDialog final : public ProjectDialog {
 public:
  // `show_warnings` prints the repository's warnings so far; Show calls it first, so that
  // those raised while the projects were listed come before the list.
  ConsoleProjectDialog(const ConsoleSettings& settings, std::istream& in, std::ostream& out,
                       std::ostream& err, std::function<void()> show_warnings);

  // Keeps the projects in the list's own order: names compared with letter case ignored.
  void FillList(const std::vector<ProjectRecord>& projects) override;
  // Selects the item of exactly that name, or else the first whose name differs only in
  // letter case.
  void SetListValue(const std::string& name) override;
  void FocusList() override {}
  // With --project the dialog is not shown and ends as after OK with the listed project
  // of that name, or says why there is none and cancels. A list of one project is not
  // shown either: that project is taken, and named. An empty list cancels and says what a
  // repository holds. Otherwise it asks; Enter is OK with the selected item, `q` or the
  // end of input is Cancel.
  int Show() override;
  const std::string& CHOSEN() const override { return chosen_; }

 private:
  // Show without telling project_chosen.
  int Choose();
  void PrintList() const;
  // The listed projects' names, in the list's order.
  std::vector<std::string> Names() const;
  // Says on standard error why `name` cannot be selected and what can.
  void ExplainUnknown(const std::string& name) const;
  // The index of the project the answer names (a number from 1 or a name), or -1.
  int FindAnswer(const std::string& answer) const;
  // The index of the item of exactly that name, else of the first whose name differs only
  // in letter case; -1 when none matches.
  int Find(const std::string& name) const;

  const ConsoleSettings settings_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  const std::function<void()> show_warnings_;
  std::vector<ProjectRecord> items_;
  int selected_ = -1;
  std::string chosen_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_CONSOLE_CONSOLE_PROJECT_DIALOG_H_
