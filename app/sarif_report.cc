#include "app/sarif_report.h"

#include <nlohmann/json.hpp>

#include "app/cp1252.h"
#include "engine/text_report.h"

namespace ivarscan {
namespace {

using Json = nlohmann::ordered_json;

constexpr char kSchema[] = "https://json.schemastore.org/sarif-2.1.0.json";
constexpr char kRepositoryBase[] = "REPOSITORY";

struct Rule {
  FindingKind kind;
  const char* name;
  const char* level;
  const char* short_description;
  const char* full_description;
  const char* help;
};

// In the order of FindingKind, so a kind's number is its rule index.
constexpr Rule kRules[] = {
    {FindingKind::kDuplicateInClass, "DuplicateInClass", "error",
     "Instance variable declared more than once in one class",
     "A class declares the same instance variable (EXPORT, PROTECT or INSTANCE) more than "
     "once; names compare ignoring letter case.",
     "Keep one of the declarations and remove the others."},
    {FindingKind::kDuplicateOfInherited, "DuplicateOfInherited", "error",
     "Instance variable that an ancestor class declares too",
     "A class declares an instance variable that one of its ancestor classes (found in the "
     "application, in the applications on its search path or in the System Library) declares "
     "as well. The 2.5 compiler refuses such a class.",
     "Remove the declaration from the subclass, which then uses the inherited variable, or "
     "rename it."},
    {FindingKind::kMissingParent, "MissingParent", "warning", "Parent class not found",
     "A class of the inheritance chain names a parent class that neither the application, nor "
     "the applications on its search path, nor the System Library declares, so the chain "
     "cannot be checked beyond it.",
     "Add the application that declares the parent to the search path, or correct the "
     "parent's name."},
    {FindingKind::kCyclicInheritance, "CyclicInheritance", "error", "Cyclic inheritance",
     "Following the parent classes leads back to a class that is already in the chain.",
     "Break the cycle by changing the parent class of one of the classes in it."},
};

const Rule& RuleOf(FindingKind kind) { return kRules[static_cast<std::size_t>(kind)]; }

Json Message(const std::string& text) { return {{"text", Cp1252ToUtf8(text)}}; }

Json RuleJson(const Rule& rule) {
  return {{"id", FindingKindName(rule.kind)},
          {"name", rule.name},
          {"shortDescription", {{"text", rule.short_description}}},
          {"fullDescription", {{"text", rule.full_description}}},
          {"help", {{"text", rule.help}}},
          {"defaultConfiguration", {{"level", rule.level}}}};
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
  const Rule& rule = RuleOf(kind);
  return {{"ruleId", FindingKindName(kind)},
          {"ruleIndex", static_cast<int>(kind)},
          {"level", rule.level},
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
  for (const Rule& rule : kRules) rules.push_back(RuleJson(rule));
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
