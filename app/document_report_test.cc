// The JSON and SARIF outputs, read back as JSON.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <set>
#include <string>

#include "app/json_report.h"
#include "app/sarif_report.h"

namespace ivarscan {
namespace {

using Json = nlohmann::json;

// Sales: OrderWindow repeats nId and inherits oDCName from DataWindow, whose library is an
// application export; Orphan has a missing parent and no position. The application's names use code
// page 1252.
RunFindings Findings() {
  ClassFinding window;
  window.name = "OrderWindow";
  window.application = "Sales";
  window.module =
      "Bestellf\xE4"
      "cher";
  window.parent = "DataWindow";
  window.position = {
      "Suite/Sales/Bestellf\xE4"
      "cher.prg",
      3};
  VariableFinding repeated;
  repeated.kind = FindingKind::kDuplicateInClass;
  repeated.name = "nId";
  repeated.position = {window.position.file, 4};
  repeated.other_position = {window.position.file, 6};
  VariableFinding inherited;
  inherited.kind = FindingKind::kDuplicateOfInherited;
  inherited.name = "oDCName";
  inherited.position = {window.position.file, 5};
  inherited.other_position = {"Suite/WinLib.aef", 12, "Base"};
  inherited.ancestor_class = "DataWindow";
  inherited.ancestor_application = "WinLib";
  inherited.ancestor_module = "Base";
  window.variables = {repeated, inherited};
  ClassFinding orphan;
  orphan.name = "Orphan";
  orphan.application = "Sales";
  orphan.module = "M";
  orphan.parent = "Gone";
  orphan.problem = FindingKind::kMissingParent;
  orphan.problem_class = "GONE";
  RunFindings findings;
  findings.applications = {{"Sales", {window, orphan}}, {"Stock", {}}};
  findings.cancelled = true;
  return findings;
}

const RunDescription kRun{
    "ivarscan",   "1.2.3",
    "Suite",      "/srv/repos/main repo",
    "/srv/repos", {{"/srv/repos/main repo/Suite/Broken.aef", "left out: damaged at 12"}}};

TEST(JsonReportTest, HoldsTheRunAndEveryFindingWithItsPosition) {
  const Json run = Json::parse(JsonReport(Findings(), kRun));
  EXPECT_EQ(run["version"], 2);
  EXPECT_EQ(run["tool"], (Json{{"name", "ivarscan"}, {"version", "1.2.3"}}));
  EXPECT_EQ(run["project"], "Suite");
  EXPECT_EQ(run["repository"], "/srv/repos/main repo");
  EXPECT_EQ(run["sourceRoot"], "/srv/repos");
  EXPECT_EQ(run["warnings"], (Json::array({{{"file", "main repo/Suite/Broken.aef"},
                                            {"message", "left out: damaged at 12"}}})));
  EXPECT_EQ(run["status"], "cancelled");
  EXPECT_EQ(run["findings"], 3);
  ASSERT_EQ(run["applications"].size(), 2u);
  EXPECT_EQ(run["applications"][1]["classes"], Json::array());
  const Json& window = run["applications"][0]["classes"][0];
  EXPECT_EQ(window["module"],
            "Bestellf\xC3\xA4"
            "cher");
  EXPECT_EQ(window["location"]["file"],
            "main repo/Suite/Sales/Bestellf\xC3\xA4"
            "cher.prg");
  EXPECT_EQ(window["location"]["line"], 3);
  EXPECT_EQ(window["variables"][0]["kind"], "duplicate-in-class");
  EXPECT_EQ(window["variables"][0]["location"]["line"], 4);
  EXPECT_EQ(window["variables"][0]["duplicate"]["location"]["line"], 6);
  EXPECT_EQ(
      window["variables"][1]["ancestor"],
      (Json{{"class", "DataWindow"},
            {"application", "WinLib"},
            {"module", "Base"},
            {"location",
             {{"file", "main repo/Suite/WinLib.aef"}, {"module", "Base"}, {"moduleLine", 12}}}}));
  EXPECT_FALSE(window["location"].contains("module"));
  const Json& orphan = run["applications"][0]["classes"][1];
  EXPECT_FALSE(orphan.contains("location"));
  EXPECT_EQ(orphan["problem"], (Json{{"kind", "missing-parent"}, {"class", "GONE"}}));
}

// The project is named by its folder, a name of the file system: taken as it is when it is
// UTF-8 (in any script), not read as code page 1252 a second time.
TEST(DocumentReportTest, TheProjectIsNamedAsItsFolderIs) {
  RunDescription run = kRun;
  for (const auto& [name, shown] :
       {std::pair<std::string, std::string>{"Contr\xC3\xB4les", "Contr\xC3\xB4les"},
        {"\xD0\x9F\xD1\x80\xD0\xBE", "\xD0\x9F\xD1\x80\xD0\xBE"},
        {"Contr\xF4les", "Contr\xC3\xB4les"}}) {
    run.project = name;
    EXPECT_EQ(Json::parse(JsonReport(Findings(), run))["project"], shown);
    EXPECT_EQ(Json::parse(SarifReport(Findings(), run))["runs"][0]["automationDetails"]["id"],
              "ivarscan/" + shown + "/");
  }
}

TEST(SarifReportTest, OneRulePerKindAndOneResultPerFinding) {
  const Json log = Json::parse(SarifReport(Findings(), kRun));
  EXPECT_EQ(log["version"], "2.1.0");
  ASSERT_EQ(log["runs"].size(), 1u);
  const Json& run = log["runs"][0];
  EXPECT_EQ(run["originalUriBaseIds"]["%SRCROOT%"]["uri"], "file:///srv/repos/");
  EXPECT_EQ(run["automationDetails"]["id"], "ivarscan/Suite/");
  EXPECT_EQ(run["tool"]["driver"]["semanticVersion"], "1.2.3");
  EXPECT_FALSE(run["tool"]["driver"]["fullName"].get<std::string>().empty());
  EXPECT_EQ(run["invocations"][0]["executionSuccessful"], false);
  const Json& rules = run["tool"]["driver"]["rules"];
  ASSERT_EQ(rules.size(), 4u);
  for (const Json& rule : rules) {
    EXPECT_FALSE(rule["shortDescription"]["text"].get<std::string>().empty());
    EXPECT_FALSE(rule["fullDescription"]["text"].get<std::string>().empty());
    EXPECT_FALSE(rule["help"]["text"].get<std::string>().empty());
    EXPECT_FALSE(rule["help"]["markdown"].get<std::string>().empty());
    EXPECT_EQ(rule["properties"]["problem.severity"], rule["defaultConfiguration"]["level"]);
    EXPECT_FALSE(rule["properties"]["tags"].empty());
  }
  EXPECT_EQ(rules[1]["properties"]["tags"], (Json{"correctness", "compatibility"}));

  const Json& results = run["results"];
  ASSERT_EQ(results.size(), 3u);
  // A repeat stands at its later declaration and links the earlier one.
  EXPECT_EQ(results[0]["ruleId"], "duplicate-in-class");
  EXPECT_EQ(rules[results[0]["ruleIndex"].get<int>()]["id"], "duplicate-in-class");
  EXPECT_EQ(results[0]["message"]["text"],
            "OrderWindow: [nId](1) occurs more than once in this class");
  const Json& at = results[0]["locations"][0]["physicalLocation"];
  EXPECT_EQ(at["artifactLocation"], (Json{{"uri", "main%20repo/Suite/Sales/Bestellf%C3%A4cher.prg"},
                                          {"uriBaseId", "%SRCROOT%"}}));
  EXPECT_EQ(at["region"]["startLine"], 6);
  EXPECT_EQ(results[0]["relatedLocations"][0]["id"], 1);
  EXPECT_EQ(results[0]["relatedLocations"][0]["physicalLocation"]["region"]["startLine"], 4);
  // An inherited one stands where the class declares it and links the ancestor's declaration,
  // which lies in an export file: the file without a region, the module and its line apart.
  EXPECT_EQ(results[1]["ruleId"], "duplicate-of-inherited");
  EXPECT_EQ(results[1]["message"]["text"],
            "OrderWindow: oDCName also in [DataWindow](1) (WinLib-Base)");
  EXPECT_EQ(results[1]["locations"][0]["physicalLocation"]["region"]["startLine"], 5);
  const Json& ancestor = results[1]["relatedLocations"][0];
  EXPECT_EQ(ancestor["physicalLocation"],
            (Json{{"artifactLocation",
                   {{"uri", "main%20repo/Suite/WinLib.aef"}, {"uriBaseId", "%SRCROOT%"}}}}));
  EXPECT_EQ(ancestor["logicalLocations"][0]["fullyQualifiedName"], "WinLib.DataWindow");
  EXPECT_EQ(ancestor["logicalLocations"][1], (Json{{"name", "Base"}, {"kind", "module"}}));
  EXPECT_EQ(ancestor["properties"], (Json{{"module", "Base"}, {"moduleLine", 12}}));
  EXPECT_EQ(ancestor["message"]["text"], "DataWindow declares oDCName (module Base, line 12)");
  EXPECT_EQ(results[0]["locations"][0]["logicalLocations"].size(), 1u);
  // Without a position a result still names its class.
  EXPECT_EQ(results[2]["ruleId"], "missing-parent");
  EXPECT_EQ(results[2]["message"]["text"], "Orphan: ** Could not find parent class GONE **");
  EXPECT_FALSE(results[2]["locations"][0].contains("physicalLocation"));
  EXPECT_EQ(results[2]["locations"][0]["logicalLocations"][0]["name"], "Orphan");
  // The run's warnings are notifications with their files.
  const Json& notification = run["invocations"][0]["toolExecutionNotifications"][0];
  EXPECT_EQ(notification["level"], "warning");
  EXPECT_EQ(notification["message"]["text"], "left out: damaged at 12");
  EXPECT_EQ(notification["locations"][0]["physicalLocation"]["artifactLocation"]["uri"],
            "main%20repo/Suite/Broken.aef");
}

// Fingerprints are made from what identifies a finding, never from its line: moving every
// line keeps them, and identical findings differ by their ordinal.
TEST(SarifReportTest, FingerprintsIgnoreLinesAndCountIdenticalFindings) {
  RunFindings findings = Findings();
  ClassFinding& window = findings.applications[0].classes[0];
  window.variables.push_back(window.variables[0]);
  const Json before = Json::parse(SarifReport(findings, kRun))["runs"][0]["results"];
  for (VariableFinding& variable : window.variables) {
    variable.position.line += 10;
    variable.other_position.line += 10;
  }
  const Json after = Json::parse(SarifReport(findings, kRun))["runs"][0]["results"];
  ASSERT_EQ(before.size(), 4u);
  std::set<std::string> distinct;
  for (std::size_t i = 0; i < before.size(); ++i) {
    EXPECT_EQ(before[i]["partialFingerprints"], after[i]["partialFingerprints"]);
    distinct.insert(before[i]["partialFingerprints"]["ivarscanFinding/v1"].get<std::string>());
  }
  EXPECT_EQ(distinct.size(), 4u);
  EXPECT_TRUE(
      before[2]["partialFingerprints"]["ivarscanFinding/v1"].get<std::string>().ends_with(":2"));
}

// A repository outside the source root is named by absolute file URIs, with no base.
TEST(SarifReportTest, ARepositoryOutsideTheSourceRootHasAbsoluteUris) {
  RunDescription elsewhere = kRun;
  elsewhere.source_root = "/home/ci";
  const Json run = Json::parse(SarifReport(Findings(), elsewhere))["runs"][0];
  EXPECT_FALSE(run.contains("originalUriBaseIds"));
  EXPECT_EQ(run["results"][0]["locations"][0]["physicalLocation"]["artifactLocation"],
            (Json{{"uri", "file:///srv/repos/main%20repo/Suite/Sales/Bestellf%C3%A4cher.prg"}}));
  const Json json = Json::parse(JsonReport(Findings(), elsewhere));
  EXPECT_EQ(json["applications"][0]["classes"][0]["location"]["file"],
            "/srv/repos/main repo/Suite/Sales/Bestellf\xC3\xA4"
            "cher.prg");
}

}  // namespace
}  // namespace ivarscan
