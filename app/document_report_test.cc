// The JSON and SARIF outputs, read back as JSON.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
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

const RunDescription kRun{"ivarscan", "1.2.3", "Suite", "/srv/repos/main repo"};

TEST(JsonReportTest, HoldsTheRunAndEveryFindingWithItsPosition) {
  const Json run = Json::parse(JsonReport(Findings(), kRun));
  EXPECT_EQ(run["version"], 1);
  EXPECT_EQ(run["tool"], (Json{{"name", "ivarscan"}, {"version", "1.2.3"}}));
  EXPECT_EQ(run["project"], "Suite");
  EXPECT_EQ(run["repository"], "/srv/repos/main repo");
  EXPECT_EQ(run["status"], "cancelled");
  EXPECT_EQ(run["findings"], 3);
  ASSERT_EQ(run["applications"].size(), 2u);
  EXPECT_EQ(run["applications"][1]["classes"], Json::array());
  const Json& window = run["applications"][0]["classes"][0];
  EXPECT_EQ(window["module"],
            "Bestellf\xC3\xA4"
            "cher");
  EXPECT_EQ(window["location"]["file"],
            "Suite/Sales/Bestellf\xC3\xA4"
            "cher.prg");
  EXPECT_EQ(window["location"]["line"], 3);
  EXPECT_EQ(window["variables"][0]["kind"], "duplicate-in-class");
  EXPECT_EQ(window["variables"][0]["location"]["line"], 4);
  EXPECT_EQ(window["variables"][0]["duplicate"]["location"]["line"], 6);
  EXPECT_EQ(window["variables"][1]["ancestor"],
            (Json{{"class", "DataWindow"},
                  {"application", "WinLib"},
                  {"module", "Base"},
                  {"location", {{"file", "Suite/WinLib.aef"}, {"line", 12}, {"module", "Base"}}}}));
  EXPECT_FALSE(window["location"].contains("module"));
  const Json& orphan = run["applications"][0]["classes"][1];
  EXPECT_FALSE(orphan.contains("location"));
  EXPECT_EQ(orphan["problem"], (Json{{"kind", "missing-parent"}, {"class", "GONE"}}));
}

TEST(SarifReportTest, OneRulePerKindAndOneResultPerFinding) {
  const Json log = Json::parse(SarifReport(Findings(), kRun));
  EXPECT_EQ(log["version"], "2.1.0");
  ASSERT_EQ(log["runs"].size(), 1u);
  const Json& run = log["runs"][0];
  EXPECT_EQ(run["originalUriBaseIds"]["REPOSITORY"]["uri"], "file:///srv/repos/main%20repo/");
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
  // A repeat stands at its later declaration, the earlier one related.
  EXPECT_EQ(results[0]["ruleId"], "duplicate-in-class");
  EXPECT_EQ(rules[results[0]["ruleIndex"].get<int>()]["id"], "duplicate-in-class");
  EXPECT_EQ(results[0]["message"]["text"], "OrderWindow: nId occurs more than once in this class");
  const Json& at = results[0]["locations"][0]["physicalLocation"];
  EXPECT_EQ(at["artifactLocation"],
            (Json{{"uri", "Suite/Sales/Bestellf%C3%A4cher.prg"}, {"uriBaseId", "REPOSITORY"}}));
  EXPECT_EQ(at["region"]["startLine"], 6);
  EXPECT_EQ(results[0]["relatedLocations"][0]["physicalLocation"]["region"]["startLine"], 4);
  // An inherited one stands where the class declares it, the ancestor's declaration related.
  EXPECT_EQ(results[1]["ruleId"], "duplicate-of-inherited");
  EXPECT_EQ(results[1]["locations"][0]["physicalLocation"]["region"]["startLine"], 5);
  const Json& ancestor = results[1]["relatedLocations"][0];
  EXPECT_EQ(ancestor["physicalLocation"]["artifactLocation"]["uri"], "Suite/WinLib.aef");
  EXPECT_EQ(ancestor["physicalLocation"]["region"]["startLine"], 12);
  EXPECT_EQ(ancestor["logicalLocations"][0]["fullyQualifiedName"], "WinLib.DataWindow");
  // In an export file the line is one of the module's text, which is named.
  EXPECT_EQ(ancestor["logicalLocations"][1], (Json{{"name", "Base"}, {"kind", "module"}}));
  EXPECT_EQ(results[0]["locations"][0]["logicalLocations"].size(), 1u);
  // Without a position a result still names its class.
  EXPECT_EQ(results[2]["ruleId"], "missing-parent");
  EXPECT_EQ(results[2]["message"]["text"], "Orphan: ** Could not find parent class GONE **");
  EXPECT_FALSE(results[2]["locations"][0].contains("physicalLocation"));
  EXPECT_EQ(results[2]["locations"][0]["logicalLocations"][0]["name"], "Orphan");
}

TEST(SarifReportTest, PathsBecomeUriReferences) {
  EXPECT_EQ(PathToUri("Suite/System Library/A.prg"), "Suite/System%20Library/A.prg");
  EXPECT_EQ(PathToUri("a#b?c%d\\e"), "a%23b%3Fc%25d%5Ce");
  EXPECT_EQ(PathToUri("Az09-._~/"), "Az09-._~/");
}

}  // namespace
}  // namespace ivarscan
