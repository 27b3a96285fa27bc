// Scenarios of the smoke program: they prove that the dialog templates, the message boxes
// and event servicing of the desktop front end behave as the real program needs, and that
// the driver can see and operate all of them.
#include <windows.h>

#include <commctrl.h>

#include <map>

#include "resources/resource_ids.h"
#include "tests/wine/remote_window.h"
#include "tests/wine/scenarios.h"

namespace ivarscan::wine {
namespace {

constexpr char kProgram[] = "smoke.exe";
constexpr char kProjectCaption[] = "Duplicate Instance Variable Report";

// smoke-result.txt as key=value pairs.
std::map<std::string, std::string> Result(const Scenario& scenario) {
  std::map<std::string, std::string> values;
  std::istringstream lines(scenario.ReadFile("smoke-result.txt"));
  for (std::string line; std::getline(lines, line);) {
    const std::size_t equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return values;
}

// Starts the program and answers its question with `button`.
void AnswerIntroduction(Scenario& scenario, int button) {
  scenario.Start(kProgram);
  MessageBoxView box = scenario.WaitForBox("Smoke test");
  scenario.ExpectEq(box.text, "Show the project dialog?", "question text");
  scenario.Expect(IsDefaultButton(box.window, IDYES), "Yes is the default button");
  scenario.Expect(::GetDlgItem(box.window, IDNO) != nullptr, "the box has a No button");
  scenario.Shot("question");
  ClickButton(box.window, button);
}

// Waits for the project dialog and checks what it shows before the user acts.
HWND ProjectDialog(Scenario& scenario) {
  HWND dialog = scenario.WaitForWindow(kDialogClass, kProjectCaption);
  HWND list = ::GetDlgItem(dialog, IDC_WINPRJ_LBPRJ);
  scenario.ExpectEq(Joined(ListItems(list)), "Alpha, Beta, Gamma", "sorted project list");
  scenario.ExpectEq(ListSelection(list), 1, "the current project (Beta) is selected");
  scenario.Expect(IsDefaultButton(dialog, IDC_WINPRJ_PBOK), "OK is the default button");
  scenario.ExpectEq(ControlText(dialog, IDC_WINPRJ_PBCANCEL), "&Cancel", "Cancel button");
  scenario.Expect(!IsControlVisible(dialog, IDC_WINPRJ_FIXEDTEXT1), "the fixed text is hidden");
  return dialog;
}

// Chooses `index` in the project dialog with OK and waits for the progress dialog.
HWND ChooseAndWaitForProgress(Scenario& scenario, int index, const std::string& name) {
  HWND dialog = ProjectDialog(scenario);
  ::SendMessageA(::GetDlgItem(dialog, IDC_WINPRJ_LBPRJ), LB_SETCURSEL, index, 0);
  scenario.Shot("project-dialog");
  ClickButton(dialog, IDC_WINPRJ_PBOK);
  scenario.WaitUntilGone(dialog);
  return scenario.WaitForWindow(kDialogClass, "Duplicate Instance Variables in " + name);
}

void ExpectProgressRunning(Scenario& scenario, HWND progress) {
  scenario.WaitForControlText(progress, IDC_WINPROGRESS_DESCRIPTION,
                              "Application: Smoke\r\nSecond line of the description");
  scenario.WaitUntil(
      [&] { return ControlText(progress, IDC_WINPROGRESS_TASK).rfind("Class Step", 0) == 0; },
      "the task line names a step");
  HWND bar = ::GetDlgItem(progress, IDC_WINPROGRESS_PROGRESS);
  scenario.ExpectEq(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), 100, "progress bar maximum");
}

void CancelWithButton(Scenario& scenario) {
  AnswerIntroduction(scenario, IDYES);
  HWND progress = ChooseAndWaitForProgress(scenario, 2, "Gamma");
  ExpectProgressRunning(scenario, progress);
  scenario.Shot("progress");
  ClickButton(progress, IDC_WINPROGRESS_PBCANCEL);
  scenario.ExpectEq(scenario.WaitForExit(), 0u, "exit code");
  auto result = Result(scenario);
  scenario.ExpectEq(result["answer"], "6", "answer (IDYES)");
  scenario.ExpectEq(result["chosen"], "Gamma", "CHOSEN");
  scenario.ExpectEq(result["result"], "1", "dialog result");
  scenario.ExpectEq(result["cancelled"], "1", "LABORT after Cancel");
  scenario.Expect(std::stoi(result["steps"]) < 100, "the loop stopped early");
}

void CancelWithEscape(Scenario& scenario) {
  AnswerIntroduction(scenario, IDYES);
  HWND progress = ChooseAndWaitForProgress(scenario, 0, "Alpha");
  ExpectProgressRunning(scenario, progress);
  PressKey(progress, VK_ESCAPE);
  scenario.ExpectEq(scenario.WaitForExit(), 0u, "exit code");
  auto result = Result(scenario);
  scenario.ExpectEq(result["chosen"], "Alpha", "CHOSEN");
  scenario.ExpectEq(result["cancelled"], "1", "LABORT after Escape");
}

void RunToTheEnd(Scenario& scenario) {
  AnswerIntroduction(scenario, IDYES);
  HWND dialog = ProjectDialog(scenario);
  // A double click on the selected item ends the dialog like OK.
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_WINPRJ_LBPRJ, LBN_DBLCLK),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_WINPRJ_LBPRJ)));
  HWND progress = scenario.WaitForWindow(kDialogClass, "Duplicate Instance Variables in Beta");
  scenario.WaitUntilGone(progress);
  scenario.ExpectEq(scenario.WaitForExit(), 0u, "exit code");
  auto result = Result(scenario);
  scenario.ExpectEq(result["chosen"], "Beta", "CHOSEN after a double click");
  scenario.ExpectEq(result["cancelled"], "0", "LABORT");
  scenario.ExpectEq(result["steps"], "100", "steps");
}

void NoInQuestion(Scenario& scenario) {
  AnswerIntroduction(scenario, IDNO);
  scenario.ExpectEq(scenario.WaitForExit(), 0u, "exit code");
  scenario.ExpectEq(Result(scenario)["answer"], "7", "answer (IDNO)");
  scenario.Expect(!Result(scenario).count("chosen"), "no project dialog");
}

void EscapeInProjectDialog(Scenario& scenario) {
  AnswerIntroduction(scenario, IDYES);
  HWND dialog = ProjectDialog(scenario);
  PressKey(dialog, VK_ESCAPE);
  scenario.ExpectEq(scenario.WaitForExit(), 0u, "exit code");
  auto result = Result(scenario);
  scenario.ExpectEq(result["result"], "0", "dialog result after Escape");
  scenario.ExpectEq(result["chosen"], "", "CHOSEN after Escape");
}

}  // namespace

const std::vector<NamedScenario>& SmokeScenarios() {
  static const std::vector<NamedScenario> scenarios = {
      {"smoke-cancel-button", &CancelWithButton},
      {"smoke-cancel-escape", &CancelWithEscape},
      {"smoke-run-to-end", &RunToTheEnd},
      {"smoke-no", &NoInQuestion},
      {"smoke-escape-project", &EscapeInProjectDialog},
  };
  return scenarios;
}

}  // namespace ivarscan::wine
