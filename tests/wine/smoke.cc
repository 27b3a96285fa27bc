// A small desktop program that proves the front end and the Wine harness before the real
// program exists: a Yes/No box, the project dialog with three projects (the second one
// current), then the progress dialog counting through 100 steps while servicing events.
// It writes what happened to smoke-result.txt in the current folder:
//   answer=<button>  chosen=<name>  result=<dialog result>  cancelled=<0|1>  steps=<n>
// The exit code is 0 when the run got that far.
#include "app/win32/windows_headers.h"

#include <fstream>
#include <string>
#include <vector>

#include "app/win32/win32_ui.h"

namespace {

constexpr int kSteps = 100;

}  // namespace

int main() {
  ivarscan::Win32Ui ui;
  std::ofstream result("smoke-result.txt", std::ios::binary);
  const int answer = ui.ShowMessageBox("Smoke test", "Show the project dialog?",
                                       ivarscan::BoxStyle::kQuestionYesNo);
  result << "answer=" << answer << std::endl;
  if (answer != ivarscan::kIdYes) return 0;

  auto projects = ui.NewProjectDialog();
  projects->FillList({{"Gamma", "third"}, {"Alpha", "first"}, {"Beta", "second"}});
  projects->SetListValue("Beta");
  projects->FocusList();
  const int chosen_result = projects->Show();
  result << "chosen=" << projects->CHOSEN() << "\nresult=" << chosen_result << std::endl;
  if (chosen_result == 0) return 0;

  auto progress = ui.NewProgressWindow();
  progress->SetCaption("Duplicate Instance Variables in " + projects->CHOSEN());
  progress->Show();
  progress->DESCRIPTION("Application: Smoke\r\nSecond line of the description");
  progress->SetProgressRange(0, kSteps);
  int step = 0;
  for (; step < kSteps && !progress->LABORT(); ++step) {
    progress->TASK("Class Step" + std::to_string(step));
    progress->SetProgressPosition(step);
    progress->ApplicationExec();
    ::Sleep(30);
  }
  progress->ENDDIALOG();
  result << "cancelled=" << (progress->LABORT() ? 1 : 0) << "\nsteps=" << step << "\n";
  return 0;
}
