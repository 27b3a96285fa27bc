#include "engine/app_report.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/testing/scripted_progress.h"
#include "repo/testing/fake_repository.h"

namespace ivarscan {
namespace {

// Joins lines, each ending in CR LF.
std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) (text += line) += "\r\n";
  return text;
}

class AppReportTest : public ::testing::Test {
 protected:
  AppReportTest() { repo_.AddProject("Project"); }

  AppHandle App(const std::string& name, bool system_library = false) {
    return repo_.AddApplication("Project", {name, system_library, false, system_library});
  }
  ModuleHandle Module(AppHandle app, const std::string& name) { return repo_.AddModule(app, name); }
  void Class(ModuleHandle module, const std::string& name, const std::string& parent,
             const std::string& declarations) {
    std::string statement = "CLASS " + name + (parent.empty() ? "" : " INHERIT " + parent);
    repo_.AddClass(module, name, statement + "\r\n" + declarations);
  }
  std::string Report(AppHandle app) {
    StringReportWriter file;
    EXPECT_TRUE(REPORTAPPDUP(repo_, app, file, progress_));
    return file.text();
  }

  FakeRepository repo_;
  ScriptedProgress progress_;
};

TEST_F(AppReportTest, ReportsAnInstanceVariableThatALibraryAncestorDeclares) {
  AppHandle sales = App("Sales");
  AppHandle winlib = App("WinLib");
  repo_.SetSearchPath(sales, {winlib});
  Class(Module(sales, "Order Screens"), "OrderWindow", "DataWindow", "\tEXPORT oDCName\r\n");
  Class(Module(winlib, "Base Windows"), "DataWindow", "", "\tPROTECT oDCName AS OBJECT\r\n");

  EXPECT_EQ(Report(sales), Lines({"Application: Sales", std::string(35, '='), "Class: OrderWindow",
                                  "App: Sales", "Module: Order Screens",
                                  "Inherits from: DataWindow", "", "Duplicate instance variables:",
                                  "oDCName also in DataWindow (WinLib-Base Windows)", "", ""}));
}

TEST_F(AppReportTest, ApplicationWithoutFindingsGetsTheNoneLine) {
  AppHandle app = App("Empty");
  Class(Module(app, "M"), "Plain", "", "EXPORT a, b\r\n");
  EXPECT_EQ(Report(app), Lines({"Application: Empty", std::string(35, '='),
                                "No classes with duplicate instance variables", ""}));
}

TEST_F(AppReportTest, RepeatsWithinAClassGiveOneLinePerPairAndEmptyParentLine) {
  AppHandle app = App("A");
  Class(Module(app, "M"), "Thrice", "", "EXPORT nA\r\nPROTECT NA\r\nINSTANCE na\r\n");
  EXPECT_EQ(Report(app), Lines({"Application: A", std::string(35, '='), "Class: Thrice", "App: A",
                                "Module: M", "Inherits from: ", "", "Duplicate instance variables:",
                                "nA occurs more than once in this class",
                                "nA occurs more than once in this class",
                                "NA occurs more than once in this class", "", ""}));
}

TEST_F(AppReportTest, ListsEveryAncestorNearestFirstAndMatchesParentNamesInAnyCase) {
  AppHandle app = App("A");
  ModuleHandle module = Module(app, "M");
  Class(module, "Child", "parent", "EXPORT x\r\n");
  Class(module, "Parent", "GRANDPARENT", "EXPORT X\r\n");
  Class(module, "GrandParent", "", "EXPORT x\r\n");
  const std::string report = Report(app);
  EXPECT_NE(report.find(Lines({"Class: Child", "App: A", "Module: M", "Inherits from: parent", "",
                               "Duplicate instance variables:", "x also in Parent (A-M)",
                               "x also in GrandParent (A-M)", "", ""})),
            std::string::npos)
      << report;
}

TEST_F(AppReportTest, OwnClassesWinOverLibraryClassesAtEveryStepOfTheWalk) {
  AppHandle app = App("App");
  AppHandle lib = App("Lib");
  repo_.SetSearchPath(app, {lib});
  ModuleHandle own = Module(app, "Own");
  ModuleHandle library = Module(lib, "Library");
  Class(own, "Child", "Base", "EXPORT a\r\n");
  Class(own, "Base", "", "EXPORT b\r\n");      // found before the library's Base
  Class(library, "Base", "", "EXPORT a\r\n");  // never reached from Child
  Class(own, "Leaf", "Middle", "EXPORT c\r\n");
  Class(library, "Middle", "Root", "EXPORT d\r\n");  // a library ancestor...
  Class(own, "Root", "", "EXPORT c\r\n");            // ...whose parent is own
  Class(library, "Root", "", "EXPORT z\r\n");
  const std::string report = Report(app);
  EXPECT_EQ(report.find("Class: Child"), std::string::npos) << report;
  EXPECT_NE(report.find("c also in Root (App-Own)"), std::string::npos) << report;
}

TEST_F(AppReportTest, MissingParentIsReportedInCapitalsAfterTheResolvedAncestors) {
  AppHandle app = App("A");
  ModuleHandle module = Module(app, "M");
  Class(module, "Child", "Parent", "EXPORT a\r\n");
  Class(module, "Parent", "Nowhere", "EXPORT a\r\n");
  const std::string report = Report(app);
  EXPECT_NE(
      report.find(Lines({"Inherits from: Parent", "** Could not find parent class NOWHERE **", "",
                         "Duplicate instance variables:", "a also in Parent (A-M)", "", ""})),
      std::string::npos)
      << report;
  // The parent itself is reported too, with only the missing-parent line.
  EXPECT_NE(
      report.find(Lines({"Inherits from: Nowhere", "** Could not find parent class NOWHERE **", "",
                         "Duplicate instance variables:", "", ""})),
      std::string::npos)
      << report;
}

TEST_F(AppReportTest, CycleEndsTheWalkAndIsReported) {
  AppHandle app = App("A");
  ModuleHandle module = Module(app, "M");
  Class(module, "First", "Second", "EXPORT a\r\n");
  Class(module, "Second", "First", "EXPORT b\r\n");
  const std::string report = Report(app);
  EXPECT_NE(report.find(Lines({"Class: First", "App: A", "Module: M", "Inherits from: Second",
                               "** Cyclic inheritance at class FIRST **", "",
                               "Duplicate instance variables:", "", ""})),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("** Cyclic inheritance at class SECOND **"), std::string::npos);
}

TEST_F(AppReportTest, SameNamedClassInTheChainIsNotACycleUnlessItIsTheSameRecord) {
  AppHandle app = App("App");
  AppHandle lib = App("Lib");
  repo_.SetSearchPath(app, {lib});
  // Own Window inherits Window: the own Window is found first, so this is a cycle of one
  // record; Lib's Window inheriting nothing is never reached.
  Class(Module(app, "M"), "Window", "Base", "EXPORT a\r\n");
  Class(Module(app, "N"), "Base", "Window", "EXPORT b\r\n");
  Class(Module(lib, "L"), "Window", "", "EXPORT a\r\n");
  const std::string report = Report(app);
  EXPECT_NE(report.find("** Cyclic inheritance at class WINDOW **"), std::string::npos) << report;
  EXPECT_EQ(report.find("also in Window (Lib"), std::string::npos) << report;
}

TEST_F(AppReportTest, SystemLibraryIsSearchedLastUnlessTheSearchPathNamesIt) {
  AppHandle app = App("App");
  AppHandle lib = App("Lib");
  AppHandle system = App("System Library", true);
  repo_.SetSearchPath(app, {lib});
  Class(Module(app, "M"), "Child", "Base", "EXPORT a\r\n");
  Class(Module(lib, "L"), "Base", "", "EXPORT a\r\n");
  Class(Module(system, "S"), "Base", "", "EXPORT a\r\n");
  EXPECT_NE(Report(app).find("a also in Base (Lib-L)"), std::string::npos);

  repo_.SetSearchPath(app, {system, lib});
  EXPECT_NE(Report(app).find("a also in Base (System Library-S)"), std::string::npos);
}

TEST_F(AppReportTest, SystemLibraryAnalysedOnItsOwnAndAbsentSystemLibrary) {
  AppHandle system = App("System Library", true);
  Class(Module(system, "S"), "Base", "Missing", "EXPORT a\r\n");
  EXPECT_NE(Report(system).find("** Could not find parent class MISSING **"), std::string::npos);
  repo_.ClearCallLog();
  Report(system);
  // Its own classes are collected once: it is not in its own search set.
  int module_enumerations = 0;
  for (const std::string& call : repo_.calls()) module_enumerations += call == "AppGetFirstModule";
  EXPECT_EQ(module_enumerations, 1);
}

// A run shares one ClassListCache between its reports, so that every application's
// classes are collected once; each report stays what collecting them afresh gives.
TEST_F(AppReportTest, ARunCollectsEachApplicationOnceAndReportsTheSame) {
  repo_.SetCurrentProject("Project");  // where the System Library is looked up
  AppHandle system = App("System Library", true);
  AppHandle base = App("Base");
  AppHandle kit = App("Kit");
  AppHandle orders = App("Orders");
  AppHandle sales = App("Sales");
  repo_.SetSearchPath(kit, {base});
  repo_.SetSearchPath(orders, {base, system});
  repo_.SetSearchPath(sales, {kit, base});
  Class(Module(system, "S"), "Window", "", "EXPORT oOwner\r\n");
  Class(Module(base, "B"), "DataWindow", "Window", "EXPORT oServer, oOwner\r\n");
  Class(Module(kit, "K"), "Dialog", "DataWindow", "EXPORT oServer\r\nPROTECT x, X\r\n");
  Class(Module(orders, "O"), "OrderWindow", "datawindow", "EXPORT OSERVER\r\n");
  Class(Module(sales, "S1"), "OrderDialog", "Dialog", "EXPORT oOwner, x, oServer\r\n");
  // Sales's own DataWindow wins over Base's in the walks of Sales's classes only.
  Class(Module(sales, "S2"), "DataWindow", "Gone", "EXPORT y, oServer\r\n");
  const std::vector<AppHandle> run = {base, kit, orders, sales, system};

  std::string afresh;
  for (AppHandle app : run) afresh += Report(app);
  ClassListCache classes(repo_);
  StringReportWriter shared;
  repo_.ClearCallLog();
  for (AppHandle app : run) REPORTAPPDUP(repo_, app, shared, progress_, &classes);

  EXPECT_EQ(shared.text(), afresh);
  EXPECT_NE(afresh.find("oOwner also in Window (System Library-S)"), std::string::npos) << afresh;
  EXPECT_NE(afresh.find("oServer also in DataWindow (Sales-S2)"), std::string::npos) << afresh;
  EXPECT_NE(afresh.find("OSERVER also in DataWindow (Base-B)"), std::string::npos) << afresh;
  int module_enumerations = 0;
  for (const std::string& call : repo_.calls()) module_enumerations += call == "AppGetFirstModule";
  EXPECT_EQ(module_enumerations, 5);  // one per application
}

TEST_F(AppReportTest, WithoutASystemLibraryTheRunStillCompletes) {
  AppHandle app = App("App");
  Class(Module(app, "M"), "Child", "Base", "EXPORT a\r\n");
  EXPECT_NE(Report(app).find("** Could not find parent class BASE **"), std::string::npos);
}

TEST_F(AppReportTest, DrivesTheDialogThroughBothStages) {
  AppHandle app = App("Sales");
  AppHandle lib = App("WinLib");
  repo_.SetSearchPath(app, {lib});
  ModuleHandle module = Module(app, "M");
  Class(module, "A", "", "");
  Class(module, "B", "", "");
  Class(module, "C", "", "");
  Report(app);
  EXPECT_EQ(progress_.Calls("DESCRIPTION"),
            (std::vector<std::string>{"DESCRIPTION Examining dependencies:Sales",
                                      "DESCRIPTION Collecting class details:Sales",
                                      "DESCRIPTION Processing:Sales"}));
  EXPECT_EQ(progress_.Calls("TASK"),
            (std::vector<std::string>{"TASK ", "TASK WinLib", "TASK A", "TASK B", "TASK C"}));
  EXPECT_EQ(progress_.Calls("RANGE"), std::vector<std::string>{"RANGE 1-100"});
  EXPECT_EQ(progress_.Calls("POSITION"),
            (std::vector<std::string>{"POSITION 0", "POSITION 33", "POSITION 66", "POSITION 100"}));
}

TEST_F(AppReportTest, BarPositionIsTruncatedFromTheFloatingPointProduct) {
  AppHandle app = App("A");
  ModuleHandle module = Module(app, "M");
  for (int i = 0; i < 100; ++i) Class(module, "C" + std::to_string(1000 + i), "", "");
  Report(app);
  const std::vector<std::string> positions = progress_.Calls("POSITION");
  ASSERT_EQ(positions.size(), 101u);
  // 29 / 100 * 100 is 28.999999999999996 in floating point.
  EXPECT_EQ(positions[29], "POSITION 28");
  EXPECT_EQ(positions[100], "POSITION 100");
}

// Keeps every finding, and the order of the calls.
class RecordingSink final : public FindingSink {
 public:
  void BeginApplication(std::string_view name) override {
    log.push_back("begin " + std::string(name));
  }
  void AddClass(const ClassFinding& finding) override {
    log.push_back("class " + finding.name);
    classes.push_back(finding);
  }
  void EndApplication(bool cancelled) override {
    log.push_back(cancelled ? "end cancelled" : "end");
  }

  std::vector<std::string> log;
  std::vector<ClassFinding> classes;
};

TEST_F(AppReportTest, FindingsCarryNamesAndPositionsOfBothDeclarations) {
  AppHandle sales = App("Sales");
  AppHandle winlib = App("WinLib");
  repo_.SetSearchPath(sales, {winlib});
  // Base Windows.prg: DataWindow on lines 1-3, oDCName on line 3.
  Class(Module(winlib, "Base Windows"), "DataWindow", "", "\tPROTECT x\r\n\tPROTECT oDCName\r\n");
  // Order Screens.prg: Filler on lines 1-2, OrderWindow from line 3.
  ModuleHandle screens = Module(sales, "Order Screens");
  Class(screens, "Filler", "Missing", "\r\n");
  Class(screens, "OrderWindow", "DataWindow", "\tEXPORT odcname, n, ;\r\n\t\tn\r\n");

  RecordingSink sink;
  EXPECT_TRUE(REPORTAPPDUP(repo_, sales, sink, progress_));
  EXPECT_EQ(sink.log,
            (std::vector<std::string>{"begin Sales", "class Filler", "class OrderWindow", "end"}));
  ASSERT_EQ(sink.classes.size(), 2u);
  const ClassFinding& filler = sink.classes[0];
  EXPECT_EQ(filler.problem, FindingKind::kMissingParent);
  EXPECT_EQ(filler.problem_class, "MISSING");
  EXPECT_EQ(filler.position, (SourcePosition{"Sales/Order Screens.prg", 1}));
  EXPECT_TRUE(filler.variables.empty());

  const ClassFinding& window = sink.classes[1];
  EXPECT_EQ(window.name, "OrderWindow");
  EXPECT_EQ(window.application, "Sales");
  EXPECT_EQ(window.module, "Order Screens");
  EXPECT_EQ(window.parent, "DataWindow");
  EXPECT_FALSE(window.problem.has_value());
  EXPECT_EQ(window.position, (SourcePosition{"Sales/Order Screens.prg", 3}));
  ASSERT_EQ(window.variables.size(), 2u);
  const VariableFinding& inherited = window.variables[0];
  EXPECT_EQ(inherited.kind, FindingKind::kDuplicateOfInherited);
  EXPECT_EQ(inherited.name, "odcname");
  EXPECT_EQ(inherited.position, (SourcePosition{"Sales/Order Screens.prg", 4}));
  EXPECT_EQ(inherited.other_position, (SourcePosition{"WinLib/Base Windows.prg", 3}));
  EXPECT_EQ(inherited.ancestor_class, "DataWindow");
  EXPECT_EQ(inherited.ancestor_application, "WinLib");
  EXPECT_EQ(inherited.ancestor_module, "Base Windows");
  const VariableFinding& repeated = window.variables[1];
  EXPECT_EQ(repeated.kind, FindingKind::kDuplicateInClass);
  EXPECT_EQ(repeated.name, "n");
  EXPECT_EQ(repeated.position, (SourcePosition{"Sales/Order Screens.prg", 4}));
  EXPECT_EQ(repeated.other_position, (SourcePosition{"Sales/Order Screens.prg", 5}));
}

// Cancel tests: each finds the servicing that follows a chosen call in an uncancelled run
// and cancels there in a fresh run.
class AppReportCancelTest : public AppReportTest {
 protected:
  void SetUp() override {
    app_ = App("App");
    ModuleHandle module = Module(app_, "M");
    Class(module, "First", "", "EXPORT a\r\nEXPORT a\r\n");
    Class(module, "Second", "Base", "EXPORT b\r\nEXPORT c\r\n");
    Class(module, "Base", "", "EXPORT c\r\n");
  }

  // The number of the servicing that comes right after the log line `after`.
  int ServicingAfter(const std::string& after) {
    ScriptedProgress probe;
    StringReportWriter file;
    REPORTAPPDUP(repo_, app_, file, probe);
    int servicings = 0;
    bool seen = false;
    for (const std::string& line : probe.log()) {
      if (line == "EXEC") {
        ++servicings;
        if (seen) return servicings;
      }
      if (line == after) seen = true;
    }
    ADD_FAILURE() << "no servicing after " << after;
    return 0;
  }

  std::string ReportCancelledAt(int servicing) {
    progress_.CancelAtServicing(servicing);
    return Report(app_);
  }

  AppHandle app_ = 0;
};

TEST_F(AppReportCancelTest, CancelInStageOneStopsBeforeTheFirstClass) {
  RecordingSink sink;
  ScriptedProgress cancelling;
  cancelling.CancelAtServicing(1);
  REPORTAPPDUP(repo_, app_, sink, cancelling);
  EXPECT_EQ(sink.log, (std::vector<std::string>{"begin App", "end cancelled"}));

  const std::string report = ReportCancelledAt(1);
  EXPECT_EQ(report,
            Lines({"Application: App", std::string(35, '='), "!!!!! Processing cancelled !!!!!"}));
  EXPECT_TRUE(progress_.Calls("TASK B").empty());
}

TEST_F(AppReportCancelTest, CancelBetweenClassesWritesNoNoneLine) {
  // Classes come in name order: Base, First, Second. Cancel at the bar update after
  // First: its block stands, nothing follows.
  const std::string report = ReportCancelledAt(ServicingAfter("POSITION 66"));
  EXPECT_NE(report.find("Class: First"), std::string::npos);
  EXPECT_EQ(report.find("Class: Second"), std::string::npos);
  EXPECT_EQ(report.find("No classes"), std::string::npos);
  EXPECT_EQ(report.substr(report.size() - 34), "!!!!! Processing cancelled !!!!!\r\n");
}

TEST_F(AppReportCancelTest, CancelDuringTheWalkWritesNothingOfThatClass) {
  const std::string report = ReportCancelledAt(ServicingAfter("TASK Second"));
  EXPECT_EQ(report.find("Class: Second"), std::string::npos) << report;
  EXPECT_EQ(report.substr(report.size() - 34), "!!!!! Processing cancelled !!!!!\r\n");
}

TEST_F(AppReportCancelTest, ACancelClickedAsTheApplicationEndsMarksItsBlock) {
  // The click arrives after the last servicing, too soon for ApplicationExec to look again.
  ScriptedProgress probe;
  StringReportWriter file;
  REPORTAPPDUP(repo_, app_, file, probe);
  progress_.CancelUnseenAfterServicing(probe.servicings());
  const std::string report = Report(app_);
  EXPECT_EQ(report.substr(report.size() - 34), "!!!!! Processing cancelled !!!!!\r\n") << report;
  EXPECT_TRUE(progress_.LABORT());
}

TEST_F(AppReportCancelTest, CancelDuringTheComparisonKeepsTheLinesFoundSoFar) {
  // Servicings for Second: task, walk step, then per variable. Cancel at the second
  // variable: the first variable's comparisons found nothing, so no block is written.
  const int task = ServicingAfter("TASK Second");
  std::string report = ReportCancelledAt(task + 2 + 3);
  EXPECT_EQ(report.find("Class: Second"), std::string::npos) << report;

  // For First, cancelling at its second variable keeps the pair found by the first.
  progress_ = ScriptedProgress();
  report = ReportCancelledAt(ServicingAfter("TASK First") + 2);
  EXPECT_NE(report.find("a occurs more than once in this class"), std::string::npos) << report;
  EXPECT_EQ(report.substr(report.size() - 34), "!!!!! Processing cancelled !!!!!\r\n");
}

}  // namespace
}  // namespace ivarscan
