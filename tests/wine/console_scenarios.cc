// Scenarios of the console programs ivarscan.com and ivarscan20.com that need a Windows
// console: Ctrl-C sent with GenerateConsoleCtrlEvent to the console the driver shares with
// the program. Wine 8 refuses to send Ctrl-Break, and a second Ctrl-C sent at once does not
// reach the program before it ends; the handler's own tests (win32_console_test.cc) cover
// both. The rest of the console edition's behaviour is checked from outside Wine
// (tests/wine/console_test.py).
#include <windows.h>

#include "engine/text_report.h"
#include "tests/wine/scenarios.h"

namespace ivarscan::wine {
namespace {

// Keeps the driver alive through the events it sends to its own console.
BOOL WINAPI IgnoreConsoleEvent(DWORD) { return TRUE; }

// Starts a run of the console program on the big repository and waits until it reports on
// the first application.
void StartBigConsoleRun(Scenario& scenario) {
  scenario.CopyFolder(ScriptSetting("IVARSCAN_BIG_REPOSITORY"), "repository");
  // The test script starts the driver without a terminal, which leaves it without a
  // console: it makes one of its own, which the program then shares.
  if (::GetConsoleWindow() == nullptr) {
    ::FreeConsole();
    scenario.Expect(::AllocConsole() != 0, "a console: error " + std::to_string(::GetLastError()));
  }
  ::SetConsoleCtrlHandler(&IgnoreConsoleEvent, TRUE);
  scenario.StartInConsole("ivarscan.com", "--yes --no-open --project \"Head Office\"");
  scenario.WaitUntil(
      [&] { return scenario.ReadFile("stderr.txt").find("Processing:") != std::string::npos; },
      "the run reports on an application", 60);
}

void Send(Scenario& scenario, DWORD event) {
  scenario.Expect(::GenerateConsoleCtrlEvent(event, 0) != 0,
                  "GenerateConsoleCtrlEvent: error " + std::to_string(::GetLastError()));
}

// The first Ctrl-C cancels: the report ends with the cancel mark and the status is 1.
void CtrlCCancels(Scenario& scenario) {
  StartBigConsoleRun(scenario);
  Send(scenario, CTRL_C_EVENT);
  scenario.ExpectEq(scenario.WaitForExit(), 1u, "exit status");
  const std::string report = scenario.ReadFile("DUPIVars25.TXT");
  const std::string mark = std::string(report_text::kCancelled) + "\r\n";
  scenario.Expect(report.size() > mark.size(), "a report");
  scenario.ExpectEq(report.substr(report.size() - mark.size()), mark, "the report's end");
}

}  // namespace

const std::vector<NamedScenario>& ConsoleScenarios() {
  static const std::vector<NamedScenario> scenarios = {
      {"console-ctrl-c", &CtrlCCancels},
  };
  return scenarios;
}

}  // namespace ivarscan::wine
