#include "app/sarif_report.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "app/cp1252.h"
#include "engine/finding_kinds.h"
#include "engine/text_report.h"

namespace ivarscan {
namespace {

using Json = nlohmann::ordered_json;

constexpr char kSchema[] = "https://json.schemastore.org/sarif-2.1.0.json";
constexpr char kRepositoryBase[] = "REPOSITORY";

Json Message(const std::string& text) { return {{"text", Cp1252ToUtf8(text)}}; }

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

// A location at `position`, when it is known, in the class `finding`.
Json Location(const SourcePosition& position, const std::string& application,
              const std::string& class_name) {
  Json location = Json::object();
  if (!position.file.empty() && position.line > 0) {
    location["physicalLocation"] = {
        {"artifactLocation",
         {{"uri", PathToUri(Cp1252ToUtf8(position.file))}, {"uriBaseId", kRepositoryBase}}},
        {"region", {{"startLine", position.line}}}};
  }
  location["logicalLocations"] =
      Json::array({{{"name", Cp1252ToUtf8(class_name)},
                    {"fullyQualifiedName", Cp1252ToUtf8(application + "." + class_name)},
                    {"kind", "type"}}});
  // In an export file the line is one of the named module's text.
  if (!position.module_in_file.empty()) {
    location["logicalLocations"].push_back(
        {{"name", Cp1252ToUtf8(position.module_in_file)}, {"kind", "module"}});
  }
  return location;
}

Json Result(FindingKind kind, const std::string& text, Json location) {
  const FindingKindInfo& info = InfoOf(kind);
  return {{"ruleId", info.id},
          {"ruleIndex", static_cast<int>(kind)},
          {"level", info.level},
          {"message", Message(text)},
          {"locations", Json::array({std::move(location)})}};
}

Json VariableResult(const ClassFinding& owner, const std::string& application,
                    const VariableFinding& variable) {
  const std::string text = owner.name + ": " + TextReportVariableLine(variable);
  const bool repeated = variable.kind == FindingKind::kDuplicateInClass;
  // A repeat is located at its later declaration, an inherited name where the class
  // declares it; the related location is the other declaration.
  const SourcePosition& at = repeated ? variable.other_position : variable.position;
  const SourcePosition& other = repeated ? variable.position : variable.other_position;
  Json result = Result(variable.kind, text, Location(at, application, owner.name));
  Json related = repeated ? Location(other, application, owner.name)
                          : Location(other, variable.ancestor_application, variable.ancestor_class);
  related["id"] = 1;
  related["message"] = Message(repeated ? "The earlier declaration of " + variable.name
                                        : variable.ancestor_class + " declares " + variable.name);
  result["relatedLocations"] = Json::array({std::move(related)});
  return result;
}

Json Results(const RunFindings& findings) {
  Json results = Json::array();
  for (const ApplicationFindings& application : findings.applications) {
    for (const ClassFinding& finding : application.classes) {
      if (finding.problem) {
        results.push_back(Result(*finding.problem,
                                 finding.name + ": " + TextReportProblemLine(finding),
                                 Location(finding.position, application.name, finding.name)));
      }
      for (const VariableFinding& variable : finding.variables) {
        results.push_back(VariableResult(finding, application.name, variable));
      }
    }
  }
  return results;
}

// The repository folder as a file URI that ends in '/'.
std::string FolderUri(const std::string& folder) {
  const std::string path = PathToUri(SystemTextToUtf8(folder));
  std::string uri = "file://";
  if (!path.starts_with('/')) uri.push_back('/');
  uri.append(path);
  if (!uri.ends_with('/')) uri.push_back('/');
  return uri;
}

}  // namespace

std::string PathToUri(std::string_view path) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string uri;
  for (char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
        (byte >= '0' && byte <= '9') || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      uri.push_back(c);
    } else {
      uri.push_back('%');
      uri.push_back(kHex[byte >> 4]);
      uri.push_back(kHex[byte & 0xF]);
    }
  }
  return uri;
}

std::string SarifReport(const RunFindings& findings, const RunDescription& run) {
  Json rules = Json::array();
  for (const FindingKindInfo& kind : FindingKinds()) rules.push_back(RuleJson(kind));
  const Json driver = {{"name", Cp1252ToUtf8(run.program)},
                       {"version", Cp1252ToUtf8(run.version)},
                       {"rules", rules}};
  const Json sarif_run = {
      {"tool", {{"driver", driver}}},
      {"invocations", Json::array({{{"executionSuccessful", !findings.cancelled}}})},
      {"originalUriBaseIds", {{kRepositoryBase, {{"uri", FolderUri(run.repository)}}}}},
      {"results", Results(findings)}};
  const Json log = {{"$schema", kSchema}, {"version", "2.1.0"}, {"runs", Json::array({sarif_run})}};
  return log.dump(2) + "\n";
}

}  // namespace ivarscan
