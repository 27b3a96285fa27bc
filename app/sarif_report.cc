#include "app/sarif_report.h"

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>

#include "app/artifact_paths.h"
#include "app/finding_identity.h"
#include "engine/finding_kinds.h"
#include "engine/text_report.h"
#include "platform/cp1252.h"

namespace ivarscan {
namespace {

using Json = nlohmann::ordered_json;

constexpr char kSchema[] = "https://json.schemastore.org/sarif-2.1.0.json";
constexpr char kSourceRoot[] = "%SRCROOT%";
constexpr char kFingerprintName[] = "ivarscanFinding/v1";
// The id of the related location that a result's message links.
constexpr int kRelatedId = 1;

Json Tags(std::string_view tags) {
  Json list = Json::array();
  for (std::size_t start = 0; start < tags.size();) {
    const std::size_t end = std::min(tags.find(' ', start), tags.size());
    list.push_back(tags.substr(start, end - start));
    start = end + 1;
  }
  return list;
}

Json RuleJson(const FindingKindInfo& kind) {
  return {{"id", kind.id},
          {"name", kind.rule_name},
          {"shortDescription", {{"text", kind.short_description}}},
          {"fullDescription", {{"text", kind.full_description}}},
          {"help", {{"text", kind.help}, {"markdown", kind.help_markdown}}},
          {"defaultConfiguration", {{"level", kind.level}}},
          {"properties",
           {{"tags", Tags(kind.tags)},
            {"precision", kind.precision},
            {"problem.severity", kind.level}}}};
}

// `text` (UTF-8) with the characters that a SARIF message reads as link syntax escaped.
std::string Escaped(std::string_view text) {
  std::string escaped;
  for (char c : text) {
    if (c == '[' || c == ']' || c == '\\') escaped.push_back('\\');
    escaped.push_back(c);
  }
  return escaped;
}

// `line` (code page 1252) as a message in which `length` characters from `start` link the
// related location.
std::string Linked(const std::string& line, std::size_t start, std::size_t length) {
  const std::string before = line.substr(0, start);
  const std::string link = line.substr(start, length);
  const std::string after = line.substr(start + length);
  return Escaped(Cp1252ToUtf8(before)) + "[" + Escaped(Cp1252ToUtf8(link)) + "](" +
         std::to_string(kRelatedId) + ")" + Escaped(Cp1252ToUtf8(after));
}

// Where in a module of an export file a position stands, for a message; empty elsewhere.
std::string InModule(const SourcePosition& position) {
  if (position.module_in_file.empty() || position.line == 0) return std::string();
  return Escaped(" (module " + Cp1252ToUtf8(position.module_in_file) + ", line " +
                 std::to_string(position.line) + ")");
}

// Writes the results with their files named as `paths` names them.
class SarifWriter {
 public:
  explicit SarifWriter(const ArtifactPaths& paths) : paths_(paths) {}

  Json Results(const RunFindings& findings) {
    Json results = Json::array();
    for (const ApplicationFindings& application : findings.applications) {
      for (const ClassFinding& finding : application.classes) {
        if (finding.problem) results.push_back(ProblemResult(application.name, finding));
        for (const VariableFinding& variable : finding.variables) {
          results.push_back(VariableResult(application.name, finding, variable));
        }
      }
    }
    return results;
  }

  Json Notifications(const std::vector<RunWarning>& warnings) const {
    Json notifications = Json::array();
    for (const RunWarning& warning : warnings) {
      notifications.push_back(
          {{"level", "warning"},
           {"message", {{"text", Escaped(SystemTextToUtf8(warning.reason))}}},
           {"locations", Json::array({{{"physicalLocation",
                                        {{"artifactLocation", ArtifactLocation(paths_.UriOfAbsolute(
                                                                  warning.path))}}}}})}});
    }
    return notifications;
  }

 private:
  Json ArtifactLocation(const std::string& uri) const {
    Json location = {{"uri", uri}};
    if (paths_.under_root() && !uri.starts_with("file:")) location["uriBaseId"] = kSourceRoot;
    return location;
  }

  // A location at `position`, when it is known, in the class `class_name`. In an export
  // file the line is one of the module's text, not of the file: the location names the
  // file alone, and the module and its line as a logical location and in properties.
  Json Location(const SourcePosition& position, const std::string& application,
                const std::string& class_name) const {
    Json location = Json::object();
    const bool known = !position.file.empty() && position.line > 0;
    if (known) {
      Json& physical = location["physicalLocation"] = {
          {"artifactLocation", ArtifactLocation(paths_.UriOf(position.file))}};
      if (position.module_in_file.empty()) physical["region"] = {{"startLine", position.line}};
    }
    location["logicalLocations"] =
        Json::array({{{"name", Cp1252ToUtf8(class_name)},
                      {"fullyQualifiedName", Cp1252ToUtf8(application + "." + class_name)},
                      {"kind", "type"}}});
    if (known && !position.module_in_file.empty()) {
      location["logicalLocations"].push_back(
          {{"name", Cp1252ToUtf8(position.module_in_file)}, {"kind", "module"}});
      location["properties"] = {{"module", Cp1252ToUtf8(position.module_in_file)},
                                {"moduleLine", position.line}};
    }
    return location;
  }

  Json Result(FindingKind kind, std::string message, const SourcePosition& at, Json location,
              const std::string& identity) {
    const FindingKindInfo& info = InfoOf(kind);
    const std::size_t ordinal = ++ordinals_[identity];
    return {{"ruleId", info.id},
            {"ruleIndex", static_cast<int>(kind)},
            {"level", info.level},
            {"message", {{"text", message + InModule(at)}}},
            {"locations", Json::array({std::move(location)})},
            {"partialFingerprints", {{kFingerprintName, Fingerprint(identity, ordinal)}}}};
  }

  Json ProblemResult(const std::string& application, const ClassFinding& finding) {
    return Result(*finding.problem,
                  Escaped(Cp1252ToUtf8(finding.name + ": " + TextReportProblemLine(finding))),
                  finding.position, Location(finding.position, application, finding.name),
                  FindingIdentityOf(application, finding.name, "", *finding.problem));
  }

  // A repeat stands at its later declaration and links the earlier one by its name; an
  // inherited name stands where the class declares it and links the ancestor's declaration
  // by the ancestor's name.
  Json VariableResult(const std::string& application, const ClassFinding& owner,
                      const VariableFinding& variable) {
    const bool repeated = variable.kind == FindingKind::kDuplicateInClass;
    const SourcePosition& at = repeated ? variable.other_position : variable.position;
    const SourcePosition& other = repeated ? variable.position : variable.other_position;
    const std::string line = owner.name + ": " + TextReportVariableLine(variable);
    const std::size_t name_start = owner.name.size() + 2;
    const std::string message =
        repeated
            ? Linked(line, name_start, variable.name.size())
            : Linked(line,
                     name_start + variable.name.size() + InfoOf(variable.kind).report_text.size(),
                     variable.ancestor_class.size());
    Json result = Result(variable.kind, message, at, Location(at, application, owner.name),
                         FindingIdentityOf(application, owner.name, variable.name, variable.kind));
    Json related = repeated
                       ? Location(other, application, owner.name)
                       : Location(other, variable.ancestor_application, variable.ancestor_class);
    related["id"] = kRelatedId;
    const std::string what = repeated ? "The earlier declaration of " + variable.name
                                      : variable.ancestor_class + " declares " + variable.name;
    related["message"] = {{"text", Escaped(Cp1252ToUtf8(what)) + InModule(other)}};
    result["relatedLocations"] = Json::array({std::move(related)});
    return result;
  }

  const ArtifactPaths& paths_;
  std::map<std::string, std::size_t> ordinals_;  // results so far, by FindingIdentity
};

}  // namespace

std::string SarifReport(const RunFindings& findings, const RunDescription& run) {
  const ArtifactPaths paths(run.repository, run.source_root);
  SarifWriter writer(paths);
  Json rules = Json::array();
  for (const FindingKindInfo& kind : FindingKinds()) rules.push_back(RuleJson(kind));
  const std::string program = Cp1252ToUtf8(run.program);
  const std::string version = Cp1252ToUtf8(run.version);
  const Json driver = {{"name", program},
                       {"fullName", program + " " + version +
                                        ": duplicate instance variables along class "
                                        "hierarchies"},
                       {"version", version},
                       {"semanticVersion", version},
                       {"rules", rules}};
  Json sarif_run = {
      {"tool", {{"driver", driver}}},
      {"automationDetails", {{"id", program + "/" + SystemTextToUtf8(run.project) + "/"}}},
      {"invocations",
       Json::array({{{"executionSuccessful", !findings.cancelled},
                     {"toolExecutionNotifications", writer.Notifications(run.warnings)}}})}};
  if (paths.under_root()) {
    sarif_run["originalUriBaseIds"] = {{kSourceRoot, {{"uri", paths.RootUri()}}}};
  }
  sarif_run["results"] = writer.Results(findings);
  const Json log = {{"$schema", kSchema}, {"version", "2.1.0"}, {"runs", Json::array({sarif_run})}};
  return log.dump(2) + "\n";
}

}  // namespace ivarscan
