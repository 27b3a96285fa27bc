#include "app/json_report.h"

#include <nlohmann/json.hpp>

#include "app/artifact_paths.h"
#include "engine/finding_kinds.h"
#include "platform/cp1252.h"

namespace ivarscan {
namespace {

using Json = nlohmann::ordered_json;

Json Text(std::string_view text) { return Cp1252ToUtf8(text); }

// Writes the findings with their files named as `paths` names them.
class JsonWriter {
 public:
  explicit JsonWriter(const ArtifactPaths& paths) : paths_(paths) {}

  Json Class(const ClassFinding& finding) const {
    Json json = {{"name", Text(finding.name)},
                 {"module", Text(finding.module)},
                 {"parent", Text(finding.parent)}};
    AddLocation(finding.position, &json);
    if (finding.problem) {
      json["problem"] = {{"kind", InfoOf(*finding.problem).id},
                         {"class", Text(finding.problem_class)}};
    }
    Json variables = Json::array();
    for (const VariableFinding& variable : finding.variables) {
      variables.push_back(Variable(variable));
    }
    json["variables"] = variables;
    return json;
  }

  Json Warnings(const std::vector<RunWarning>& warnings) const {
    Json list = Json::array();
    for (const RunWarning& warning : warnings) {
      list.push_back({{"file", paths_.PathOfAbsolute(warning.path)},
                      {"message", SystemTextToUtf8(warning.reason)}});
    }
    return list;
  }

 private:
  // Adds "location" to `object` when the position is known. A line of an export file's
  // module is one of the module's text, not of the file: it is given as "moduleLine".
  void AddLocation(const SourcePosition& position, Json* object) const {
    if (position.file.empty() || position.line == 0) return;
    Json& location = (*object)["location"] = {{"file", paths_.PathOf(position.file)}};
    if (position.module_in_file.empty()) {
      location["line"] = position.line;
    } else {
      location["module"] = Text(position.module_in_file);
      location["moduleLine"] = position.line;
    }
  }

  Json Variable(const VariableFinding& variable) const {
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

  const ArtifactPaths& paths_;
};

}  // namespace

std::size_t CountFindings(const ClassFinding& finding) {
  return finding.variables.size() + (finding.problem ? 1 : 0);
}

std::string JsonReport(const RunFindings& findings, const RunDescription& run) {
  const ArtifactPaths paths(run.repository, run.source_root);
  const JsonWriter writer(paths);
  Json applications = Json::array();
  std::size_t count = 0;
  for (const ApplicationFindings& application : findings.applications) {
    Json classes = Json::array();
    for (const ClassFinding& finding : application.classes) {
      classes.push_back(writer.Class(finding));
      count += CountFindings(finding);
    }
    applications.push_back({{"name", Text(application.name)}, {"classes", classes}});
  }
  const Json report = {{"version", kJsonReportVersion},
                       {"tool", {{"name", Text(run.program)}, {"version", Text(run.version)}}},
                       {"project", SystemTextToUtf8(run.project)},
                       {"repository", SystemTextToUtf8(run.repository)},
                       {"sourceRoot", paths.root()},
                       {"status", findings.cancelled ? "cancelled" : "complete"},
                       {"findings", count},
                       {"warnings", writer.Warnings(run.warnings)},
                       {"applications", applications}};
  return report.dump(2) + "\n";
}

}  // namespace ivarscan
