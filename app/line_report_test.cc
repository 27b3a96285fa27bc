#include "app/line_report.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

RunFindings OneClass(ClassFinding finding) {
  RunFindings findings;
  findings.applications.push_back({"Orders", {std::move(finding)}});
  return findings;
}

ClassFinding OrderWindow() {
  ClassFinding finding;
  finding.name = "OrderWindow";
  finding.application = "Orders";
  finding.module = "Order Screens";
  finding.position = {"Sales/Orders/Order Screens.prg", 3};
  return finding;
}

const RunDescription kRun = {"ivarscan", "1.0", "Sales", "/work/checkout/repository"};

TEST(LineReportTest, EachFindingIsALineAtItsDeclarationWithANoteAtTheOther) {
  ClassFinding finding = OrderWindow();
  VariableFinding repeat;
  repeat.kind = FindingKind::kDuplicateInClass;
  repeat.name = "nTotal";
  repeat.position = {"Sales/Orders/Order Screens.prg", 5};
  repeat.other_position = {"Sales/Orders/Order Screens.prg", 7};
  VariableFinding inherited;
  inherited.kind = FindingKind::kDuplicateOfInherited;
  inherited.name = "oDCName";
  inherited.position = {"Sales/Orders/Order Screens.prg", 6};
  inherited.other_position = {"Sales/WinLib/Base.prg", 12};
  inherited.ancestor_class = "DataWindow";
  inherited.ancestor_application = "WinLib";
  inherited.ancestor_module = "Base";
  finding.variables = {repeat, inherited};
  EXPECT_EQ(LineReport(OneClass(finding), kRun, "/work/checkout"),
            "repository/Sales/Orders/Order Screens.prg:7: error: OrderWindow: nTotal occurs "
            "more than once in this class [duplicate-in-class]\n"
            "repository/Sales/Orders/Order Screens.prg:5: note: the earlier declaration of "
            "nTotal\n"
            "repository/Sales/Orders/Order Screens.prg:6: error: OrderWindow: oDCName also in "
            "DataWindow (WinLib-Base) [duplicate-of-inherited]\n"
            "repository/Sales/WinLib/Base.prg:12: note: DataWindow declares oDCName\n");
}

TEST(LineReportTest, AnExportFileIsNamedWithoutALineItDoesNotHave) {
  ClassFinding finding = OrderWindow();
  finding.position = {"Shipping.aef", 2, "Ship Screens"};
  finding.problem = FindingKind::kMissingParent;
  finding.problem_class = "GONE";
  EXPECT_EQ(LineReport(OneClass(finding), kRun, "/work/checkout/repository"),
            "Shipping.aef: warning: OrderWindow: ** Could not find parent class GONE ** (module "
            "Ship Screens, line 2) [missing-parent]\n");
}

TEST(LineReportTest, FilesOutsideTheBaseAreAbsoluteUnknownPlacesNameTheProgram) {
  ClassFinding finding = OrderWindow();
  finding.problem = FindingKind::kCyclicInheritance;
  finding.problem_class = "ORDERWINDOW";
  RunFindings findings = OneClass(finding);
  findings.applications[0].classes[0].position = {};
  findings.applications[0].classes.push_back(finding);
  EXPECT_EQ(LineReport(findings, kRun, "/elsewhere"),
            "ivarscan: error: OrderWindow: ** Cyclic inheritance at class ORDERWINDOW ** "
            "[cyclic-inheritance]\n"
            "/work/checkout/repository/Sales/Orders/Order Screens.prg:3: error: OrderWindow: ** "
            "Cyclic inheritance at class ORDERWINDOW ** [cyclic-inheritance]\n");
}

}  // namespace
}  // namespace ivarscan
