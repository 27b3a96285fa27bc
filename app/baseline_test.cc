#include "app/baseline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/json_report.h"
#include "app/run_findings.h"

namespace ivarscan {
namespace {

RunDescription RunOf(const std::string& project) {
  RunDescription description;
  description.project = project;
  return description;
}

VariableFinding Variable(FindingKind kind, std::string name, std::uint32_t line) {
  VariableFinding variable;
  variable.kind = kind;
  variable.name = std::move(name);
  variable.position = {"P/Sales/Screens.prg", line};
  variable.other_position = {"P/WinLib/Base.prg", line + 10};
  variable.ancestor_class = "DataWindow";
  variable.ancestor_application = "WinLib";
  variable.ancestor_module = "Base";
  return variable;
}

ClassFinding Class(std::string name, std::vector<VariableFinding> variables) {
  ClassFinding finding;
  finding.name = std::move(name);
  finding.application = "Sales";
  finding.module = "Screens";
  finding.parent = "DataWindow";
  finding.position = {"P/Sales/Screens.prg", 1};
  finding.variables = std::move(variables);
  return finding;
}

// The JSON output of one application's findings, as a baseline.
Baseline BaselineOf(const std::vector<ClassFinding>& classes) {
  RunFindings run;
  run.applications.push_back({"Sales", classes});
  std::string error;
  std::optional<Baseline> baseline = Baseline::Parse(JsonReport(run, {}), &error);
  EXPECT_TRUE(baseline) << error;
  return baseline ? *baseline : Baseline();
}

TEST(BaselineTest, MatchesByApplicationClassVariableAndKindNeverByLine) {
  ClassFinding missing = Class("Orphan", {});
  missing.problem = FindingKind::kMissingParent;
  missing.problem_class = "GONE";
  const Baseline baseline = BaselineOf(
      {Class("OrderWindow", {Variable(FindingKind::kDuplicateOfInherited, "oDCName", 4)}),
       missing});
  EXPECT_EQ(baseline.size(), 2u);
  EXPECT_EQ(1u,
            baseline.Count("Sales", "OrderWindow", "oDCName", FindingKind::kDuplicateOfInherited));
  EXPECT_EQ(1u,
            baseline.Count("SALES", "orderwindow", "ODCNAME", FindingKind::kDuplicateOfInherited));
  EXPECT_EQ(0u, baseline.Count("Sales", "OrderWindow", "oDCName", FindingKind::kDuplicateInClass));
  EXPECT_EQ(0u,
            baseline.Count("Sales", "OtherWindow", "oDCName", FindingKind::kDuplicateOfInherited));
  EXPECT_EQ(0u,
            baseline.Count("Stock", "OrderWindow", "oDCName", FindingKind::kDuplicateOfInherited));
  EXPECT_EQ(1u, baseline.Count("Sales", "Orphan", "", FindingKind::kMissingParent));
  EXPECT_EQ(0u, baseline.Count("Sales", "Orphan", "", FindingKind::kCyclicInheritance));
}

TEST(BaselineTest, NamesOutsideAsciiMatchAfterConversion) {
  const Baseline baseline =
      BaselineOf({Class("Gr\xF6\xDF"
                        "e",
                        {Variable(FindingKind::kDuplicateInClass, "n\xE9", 2)})});
  EXPECT_EQ(1u, baseline.Count("Sales",
                               "Gr\xF6\xDF"
                               "e",
                               "n\xE9", FindingKind::kDuplicateInClass));
}

TEST(BaselineTest, WhatIsNotAnOutputOfThisVersionIsRefusedSayingWhatItIs) {
  const std::string expected = "; a baseline is the JSON output of a run (--format json)";
  std::string error;
  EXPECT_FALSE(Baseline::Parse("", &error));
  EXPECT_EQ(error, "it is not JSON" + expected);
  EXPECT_FALSE(Baseline::Parse(R"({"version": "2.1.0", "runs": [{"results": []}]})", &error));
  EXPECT_EQ(error, "it is a SARIF log" + expected);
  for (const char* other : {"[]", R"({"version": 1})", R"({"version": "1", "applications": []})"}) {
    EXPECT_FALSE(Baseline::Parse(other, &error)) << other;
    EXPECT_EQ(error,
              "it is JSON of another shape (no \"version\" and \"applications\")" + expected);
  }
  EXPECT_FALSE(Baseline::Parse(R"({"version": 3, "applications": []})", &error));
  EXPECT_EQ(error,
            "it is the JSON output of layout version 3, and this program reads versions 1 to 2" +
                expected);
  EXPECT_FALSE(Baseline::Parse(R"({"version": 0, "applications": []})", &error));
  EXPECT_FALSE(Baseline::Parse(R"({"version": 1, "applications": [{"name": 7}]})", &error));
  EXPECT_TRUE(error.starts_with("it is JSON of another shape (an application")) << error;
  EXPECT_FALSE(Baseline::Parse(
      R"({"version": 1, "applications": [{"name": "A", "classes": [{"name": "C",
          "variables": [{"kind": "hidden", "name": "x"}]}]}]})",
      &error));
  EXPECT_NE(error.find("hidden"), std::string::npos) << error;
  // Version 1 named files otherwise, which a baseline does not read.
  EXPECT_TRUE(Baseline::Parse(R"({"version": 1, "applications": []})", &error));
  EXPECT_TRUE(Baseline::Parse(R"({"version": 2, "applications": []})", &error));
}

TEST(BaselineTest, KnowsTheProjectAndWhetherTheRunWasCancelled) {
  RunFindings run;
  run.cancelled = true;
  std::string error;
  std::optional<Baseline> baseline = Baseline::Parse(JsonReport(run, RunOf("Sales")), &error);
  ASSERT_TRUE(baseline) << error;
  EXPECT_EQ(baseline->project(), "Sales");
  EXPECT_TRUE(baseline->cancelled());
  baseline = Baseline::Parse(JsonReport(RunFindings(), {}), &error);
  ASSERT_TRUE(baseline) << error;
  EXPECT_FALSE(baseline->cancelled());
}

// Records what reaches it.
class Recorder final : public FindingSink {
 public:
  void BeginApplication(std::string_view) override {}
  void AddClass(const ClassFinding& finding) override { classes.push_back(finding); }
  void EndApplication(bool cancelled) override { ended_cancelled = cancelled; }

  std::vector<ClassFinding> classes;
  bool ended_cancelled = false;
};

TEST(BaselineFilterTest, HandsOnAndCountsOnlyWhatTheBaselineLacks) {
  ClassFinding window = Class("OrderWindow", {Variable(FindingKind::kDuplicateOfInherited, "a", 4),
                                              Variable(FindingKind::kDuplicateInClass, "b", 5)});
  window.problem = FindingKind::kCyclicInheritance;
  window.problem_class = "ORDERWINDOW";
  const ClassFinding known = Class("Known", {Variable(FindingKind::kDuplicateInClass, "k", 9)});
  const Baseline baseline = BaselineOf(
      {Class("OrderWindow", {Variable(FindingKind::kDuplicateOfInherited, "a", 40)}), known});

  Recorder recorder;
  BaselineFilter filter(&baseline, recorder);
  filter.BeginApplication("Sales");
  filter.AddClass(window);
  filter.AddClass(known);
  filter.EndApplication(true);
  ASSERT_EQ(recorder.classes.size(), 1u);
  EXPECT_EQ(recorder.classes[0].problem, FindingKind::kCyclicInheritance);
  ASSERT_EQ(recorder.classes[0].variables.size(), 1u);
  EXPECT_EQ(recorder.classes[0].variables[0].name, "b");
  EXPECT_EQ(filter.reported(), 2u);
  EXPECT_EQ(filter.left_out(), 2u);  // OrderWindow's "a" and Known's "k"
  EXPECT_EQ(filter.applications(), 1u);
  EXPECT_TRUE(recorder.ended_cancelled);

  Recorder everything;
  BaselineFilter no_baseline(nullptr, everything);
  no_baseline.BeginApplication("Sales");
  no_baseline.AddClass(window);
  no_baseline.AddClass(known);
  EXPECT_EQ(everything.classes.size(), 2u);
  EXPECT_EQ(no_baseline.reported(), 4u);
  EXPECT_EQ(no_baseline.left_out(), 0u);
}

// Three identical findings in a class, two of them accepted: the third is new.
TEST(BaselineFilterTest, NIdenticalFindingsInTheBaselineHideN) {
  const VariableFinding repeat = Variable(FindingKind::kDuplicateInClass, "nId", 4);
  const Baseline baseline = BaselineOf({Class("OrderWindow", {repeat, repeat})});
  EXPECT_EQ(baseline.size(), 2u);
  EXPECT_EQ(baseline.Count("Sales", "ORDERWINDOW", "NID", FindingKind::kDuplicateInClass), 2u);

  Recorder recorder;
  BaselineFilter filter(&baseline, recorder);
  filter.BeginApplication("Sales");
  filter.AddClass(Class("OrderWindow", {repeat, Variable(FindingKind::kDuplicateInClass, "NID", 7),
                                        Variable(FindingKind::kDuplicateInClass, "nid", 9)}));
  filter.EndApplication(false);
  ASSERT_EQ(recorder.classes.size(), 1u);
  ASSERT_EQ(recorder.classes[0].variables.size(), 1u);
  EXPECT_EQ(recorder.classes[0].variables[0].position.line, 9u);
  EXPECT_EQ(filter.reported(), 1u);
  // The filter uses up its own counts, never the baseline's.
  EXPECT_EQ(baseline.Count("Sales", "OrderWindow", "nId", FindingKind::kDuplicateInClass), 2u);
}

}  // namespace
}  // namespace ivarscan
