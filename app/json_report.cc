#include "app/json_report.h"

#include <nlohmann/json.hpp>

#include "app/cp1252.h"
#include "engine/finding_kinds.h"

namespace ivarscan {
namespace {

using Json = nlohmann::ordered_json;

Json Text(std::string_view text) { return Cp1252ToUtf8(text); }

// Adds "location" to `object` when the position is known; in an export file it names the
// module too.
void AddLocation(const SourcePosition& position, Json* object) {
  if (position.file.empty() || position.line == 0) return;
  Json& location = (*object)["location"] = {{"file", Text(position.file)}, {"line", position.line}};
  if (!position.module_in_file.empty()) location["module"] = Text(position.module_in_file);
}

Json VariableJson(const VariableFinding& variable) {
  Json json = {{"kind", InfoOf(variable.kind).id}, {"name", Text(variable.name)}};
  AddLocation(variable.position, &json);
  if (variable.kind == FindingKind::kDuplicateInClass) {
    Json duplicate = Json::object();
    AddLocation(variable.other_position, &duplicate);
    json["duplicate"] = duplicate;
  } else {
    Json ancestor = {{"class", Text(variable.ancestor_class)},
                     {"application", Text(variable.ancestor_application)},
                     {"module", Text(variable.ancestor_module)}};
    AddLocation(variable.other_position, &ancestor);
    json["ancestor"] = ancestor;
  }
  return json;
}

Json ClassJson(const ClassFinding& finding) {
  Json json = {{"name", Text(finding.name)},
               {"module", Text(finding.module)},
               {"parent", Text(finding.parent)}};
  AddLocation(finding.position, &json);
  if (finding.problem) {
    json["problem"] = {{"kind", InfoOf(*finding.problem).id},
                       {"class", Text(finding.problem_class)}};
  }
  Json variables = Json::array();
  for (const VariableFinding& variable : finding.variables)
    variables.push_back(VariableJson(variable));
  json["variables"] = variables;
  return json;
}

}  // namespace

std::size_t CountFindings(const ClassFinding& finding) {
  return finding.variables.size() + (finding.problem ? 1 : 0);
}

std::string JsonReport(const RunFindings& findings, const RunDescription& run) {
  Json applications = Json::array();
  std::size_t count = 0;
  for (const ApplicationFindings& application : findings.applications) {
    Json classes = Json::array();
    for (const ClassFinding& finding : application.classes) {
      classes.push_back(ClassJson(finding));
      count += CountFindings(finding);
    }
    applications.push_back({{"name", Text(application.name)}, {"classes", classes}});
  }
  const Json report = {{"version", kJsonReportVersion},
                       {"tool", {{"name", Text(run.program)}, {"version", Text(run.version)}}},
                       {"project", Text(run.project)},
                       {"repository", SystemTextToUtf8(run.repository)},
                       {"status", findings.cancelled ? "cancelled" : "complete"},
                       {"findings", count},
                       {"applications", applications}};
  return report.dump(2) + "\n";
}

}  // namespace ivarscan
