// Whole runs of the application shell against an in-memory repository in which one call
// goes wrong: each call of a clean run in turn fails, and each step of each enumeration in
// turn yields a zero handle. Every run must end with an outcome, leave a well-formed report
// (or, when it never got that far, none and a message saying why), close the repository
// and put the previously current project back.
#include <gtest/gtest.h>

#include <exception>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/testing/report_shape.h"
#include "app/testing/shell_doubles.h"
#include "repo/testing/fake_repository.h"

namespace ivarscan {
namespace {

constexpr char kReportFile[] = "DUPIVars25.TXT";

// A project as people have them: a System Library, a library that uses it, two programs
// on top, methods and functions between the classes, descriptions, an icon, duplicates in
// the class and in ancestors, a missing parent and a cycle; and a second project that is
// current before the run.
void FillRealisticRepository(FakeRepository& repo) {
  repo.AddProject("Accounts", "Ledgers");
  repo.AddProject("Sales", "Order entry");
  repo.SetCurrentProject("Accounts");
  repo.AddApplication("Accounts", {"Ledger"});

  const AppHandle system = repo.AddApplication("Sales", {"System Library", true, false, true});
  const ModuleHandle gui = repo.AddModule(system, "GUI Classes");
  repo.AddClass(gui, "Window", "CLASS Window\r\nEXPORT hWnd, oParent\r\n");
  repo.AddClass(gui, "DataWindow", "CLASS DataWindow INHERIT Window\r\nEXPORT oDCName\r\n");
  FakeEntity method{.display_name = "Init", .name = "Init", .type = 4, .block_type = 1};
  method.source = "METHOD Init() CLASS Window\r\nRETURN SELF\r\n";
  method.description = "Creates the window";
  repo.AddEntity(gui, method);

  const AppHandle winlib = repo.AddApplication("Sales", {"WinLib", true, false, false});
  const ModuleHandle base = repo.AddModule(winlib, "Base Windows");
  repo.AddClass(base, "BaseForm", "CLASS BaseForm INHERIT DataWindow\r\nPROTECT cTitle, hWnd\r\n");
  repo.SetSearchPath(winlib, {system});

  const AppHandle orders = repo.AddApplication("Sales", {"Orders"});
  const ModuleHandle screens = repo.AddModule(orders, "Order Screens");
  repo.AddClass(screens, "OrderWindow",
                "CLASS OrderWindow INHERIT BaseForm\r\nEXPORT oDCName, nOrder\r\n"
                "INSTANCE nOrder\r\n");
  repo.AddClass(screens, "OrderList", "CLASS OrderList INHERIT Ghost\r\nEXPORT aRows\r\n");
  const ModuleHandle start = repo.AddModule(orders, "Start");
  FakeEntity icon{.display_name = "IDI_ORDERS", .name = "IDI_ORDERS", .type = 1, .block_type = 14};
  icon.source = "RESOURCE IDI_ORDERS ICON orders.ico\r\n";
  repo.SetIconEntity(orders, repo.AddEntity(start, icon));
  FakeEntity function{.display_name = "Start", .name = "Start", .type = 1, .block_type = 9};
  function.source = "FUNCTION Start()\r\nRETURN NIL\r\n";
  repo.AddEntity(start, function);
  repo.SetSearchPath(orders, {winlib});

  const AppHandle payments = repo.AddApplication("Sales", {"Payments"});
  const ModuleHandle loops = repo.AddModule(payments, "Loops");
  repo.AddClass(loops, "Ping", "CLASS Ping INHERIT Pong\r\nEXPORT n\r\n");
  repo.AddClass(loops, "Pong", "CLASS Pong INHERIT Ping\r\nEXPORT n\r\n");
  repo.AddClass(loops, "Payment", "CLASS Payment INHERIT window\r\nEXPORT HWND, x, X\r\n");
  repo.SetSearchPath(payments, {winlib, system});
}

// One run of the shell and what it left behind.
struct ShellRun {
  ReportOutcome outcome = ReportOutcome::kNotRun;
  std::string thrown;  // what escaped App::Start, if anything
  bool report_written = false;
  std::string report;
  std::vector<ShownBox> boxes;
  bool repository_open = false;
  std::string current_project;
  std::vector<std::string> calls;
};

// A fault to inject: `operation`'s nth call fails, or yields a zero handle.
struct Fault {
  std::string operation;
  int nth = 0;
  bool zero_handle = false;
};

ShellRun RunShell(const Fault* fault) {
  FakeRepository repo;
  FillRealisticRepository(repo);
  if (fault != nullptr) {
    if (fault->zero_handle) {
      repo.ZeroHandleAt(fault->operation, fault->nth);
    } else {
      repo.FailCall(fault->operation, fault->nth);
    }
  }
  ScriptedUi ui;
  ui.dialog_choice = "Sales";
  FakeDesktop desktop;
  FakeEnv env;
  AppContext context{repo,       ui,
                     desktop,    env,
                     kVariant25, [](const FileFailure&) {
                       return FileFailureAnswer::kAbandon; }};
  ShellRun run;
  try {
    run.outcome = App(context).Start();
  } catch (const std::exception& error) {
    run.thrown = error.what();
  } catch (...) {
    run.thrown = "an exception that is no std::exception";
  }
  run.report_written = env.FileExists(kReportFile);
  if (run.report_written) run.report = env.files()[kReportFile];
  run.boxes = ui.boxes;
  run.repository_open = repo.is_open();
  run.current_project = repo.current_project();
  run.calls = repo.calls();
  return run;
}

// The nth occurrence (from 1) of each call of a clean run, as faults to inject.
std::vector<Fault> EveryCall(const std::vector<std::string>& calls,
                             const std::set<std::string>& only = {}) {
  std::vector<Fault> faults;
  std::map<std::string, int> seen;
  for (const std::string& call : calls) {
    const int nth = ++seen[call];
    if (only.empty() || only.count(call) != 0) faults.push_back({call, nth, !only.empty()});
  }
  return faults;
}

bool ShowedError(const ShellRun& run, const std::string& text) {
  for (const ShownBox& box : run.boxes) {
    if (box.style == BoxStyle::kErrorOk && box.text.starts_with(text)) return true;
  }
  return false;
}

// What is wrong with a faulted run; empty when nothing is.
std::string Problems(const Fault& fault, const ShellRun& run) {
  if (!run.thrown.empty()) return "threw: " + run.thrown;
  std::string problems;
  if (run.outcome == ReportOutcome::kComplete) {
    if (!run.report_written) problems += " complete without a report;";
    if (std::string shape = CheckReportShape(run.report); !shape.empty()) {
      problems += " report: " + shape + ";";
    }
  } else if (run.outcome == ReportOutcome::kNotRun) {
    if (run.report_written) problems += " a report although no run began;";
    if (!ShowedError(run, "Could not select project") &&
        !ShowedError(run, "Could not access the repository")) {
      problems += " no message says why no report was written;";
    }
  } else {
    problems += " outcome neither complete nor not run;";
  }
  if (run.repository_open && fault.operation != "AdamExit") {
    problems += " repository left open;";
  }
  // The project to put back is remembered by the first current-project query and put back
  // by the second selection; a fault in either one is allowed to leave Sales current.
  const bool restore_hit = (fault.operation == "AdamQueryCurrentPrjName" && fault.nth == 1) ||
                           (fault.operation == "PrjSelect" && fault.nth == 2);
  if (!restore_hit && run.current_project != "Accounts") {
    problems += " current project is " + run.current_project + ";";
  }
  return problems;
}

std::string Describe(const Fault& fault) {
  return fault.operation + " #" + std::to_string(fault.nth) +
         (fault.zero_handle ? " zero handle" : " fails");
}

// Runs every fault and returns a description of the first few that went wrong.
std::vector<std::string> RunFaults(const std::vector<Fault>& faults) {
  std::vector<std::string> failures;
  for (const Fault& fault : faults) {
    std::string problems = Problems(fault, RunShell(&fault));
    if (!problems.empty() && failures.size() < 10) {
      failures.push_back(Describe(fault) + ":" + problems);
    }
  }
  return failures;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST(FaultInjectionTest, TheCleanRunReportsEveryKindOfFinding) {
  const ShellRun run = RunShell(nullptr);
  ASSERT_EQ(run.outcome, ReportOutcome::kComplete) << run.thrown;
  EXPECT_EQ(CheckReportShape(run.report), "");
  for (const char* line : {
           "oDCName also in DataWindow (System Library-GUI Classes)\r\n",
           "hWnd also in Window (System Library-GUI Classes)\r\n",
           "nOrder occurs more than once in this class\r\n",
           "** Could not find parent class GHOST **\r\n",
           "** Cyclic inheritance at class PING **\r\n",
           "x occurs more than once in this class\r\n",
           "Application: WinLib\r\n",
       }) {
    EXPECT_NE(run.report.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(run.current_project, "Accounts");
  EXPECT_FALSE(run.repository_open);
  // Enough calls that the sweeps below reach every part of the run (each application's
  // classes are read once: the run keeps their lists).
  EXPECT_GT(run.calls.size(), 300u);
}

TEST(FaultInjectionTest, EachCallFailingInTurnStillEndsWell) {
  const std::vector<Fault> faults = EveryCall(RunShell(nullptr).calls);
  EXPECT_EQ(Joined(RunFaults(faults)), "") << "of " << faults.size() << " faulted runs";
}

TEST(FaultInjectionTest, EachEnumerationStepYieldingAZeroHandleStillEndsWell) {
  const std::vector<Fault> faults =
      EveryCall(RunShell(nullptr).calls,
                {"PrjCatCreateEnum", "AdamGetFirstApp", "AdamGetNextApp", "AppFind", "AppQueryIcon",
                 "AppSPathGetFirst", "AppSPathGetNext", "AppGetFirstModule", "AppGetNextModule",
                 "ModGetFirstEntity", "ModGetNextEntity"});
  EXPECT_GT(faults.size(), 50u);
  EXPECT_EQ(Joined(RunFaults(faults)), "") << "of " << faults.size() << " faulted runs";
}

// A failure that cuts an enumeration short must shorten the report, not garble it: the
// second application's listing failing leaves the later applications out.
TEST(FaultInjectionTest, AFailingApplicationListingLeavesTheLaterApplicationsOut) {
  const Fault fault{"AdamGetNextApp", 1, false};
  const ShellRun run = RunShell(&fault);
  ASSERT_EQ(run.outcome, ReportOutcome::kComplete);
  EXPECT_EQ(CheckReportShape(run.report), "");
  EXPECT_EQ(run.report.find("Application: Orders"), std::string::npos);
  EXPECT_EQ(run.report.find("Application: Payments"), std::string::npos);
}

}  // namespace
}  // namespace ivarscan
