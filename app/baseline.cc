#include "app/baseline.h"

#include <nlohmann/json.hpp>

#include "app/cp1252.h"
#include "app/json_report.h"
#include "engine/finding_kinds.h"
#include "platform/text.h"

namespace ivarscan {
namespace {

using Json = nlohmann::json;

// The kind named at `object["kind"]`; throws when there is none such.
FindingKind KindOf(const Json& object) {
  const std::optional<FindingKind> kind = FindingKindFromId(object.at("kind").get<std::string>());
  if (!kind) throw std::runtime_error("unknown kind of finding " + object.at("kind").dump());
  return *kind;
}

}  // namespace

std::optional<Baseline> Baseline::Parse(std::string_view json, std::string* error) {
  Baseline baseline;
  try {
    const Json report = Json::parse(json);
    if (!report.is_object() || report.value("version", 0) != kJsonReportVersion) {
      *error = "not a JSON output of version " + std::to_string(kJsonReportVersion);
      return std::nullopt;
    }
    for (const Json& application : report.at("applications")) {
      const std::string& app = application.at("name").get_ref<const std::string&>();
      for (const Json& finding : application.at("classes")) {
        const std::string& name = finding.at("name").get_ref<const std::string&>();
        if (finding.contains("problem")) baseline.Add(app, name, "", KindOf(finding["problem"]));
        for (const Json& variable : finding.at("variables")) {
          baseline.Add(app, name, variable.at("name").get_ref<const std::string&>(),
                       KindOf(variable));
        }
      }
    }
  } catch (const std::exception& e) {  // nlohmann's parse and type errors, and KindOf's
    *error = e.what();
    return std::nullopt;
  }
  return baseline;
}

// The baseline holds UTF-8 (the JSON output's), findings hold the repository's code page:
// keys are made of UTF-8 with ASCII letters upper-cased.
std::string Baseline::Key(std::string_view application, std::string_view class_name,
                          std::string_view variable, FindingKind kind) {
  std::string key = UpperAscii(application);
  for (std::string_view part : {class_name, variable}) key.append(1, '\0').append(UpperAscii(part));
  return key.append(1, '\0').append(InfoOf(kind).id);
}

void Baseline::Add(std::string_view application, std::string_view class_name,
                   std::string_view variable, FindingKind kind) {
  keys_.insert(Key(application, class_name, variable, kind));
}

bool Baseline::Contains(std::string_view application, std::string_view class_name,
                        std::string_view variable, FindingKind kind) const {
  return keys_.contains(
      Key(Cp1252ToUtf8(application), Cp1252ToUtf8(class_name), Cp1252ToUtf8(variable), kind));
}

void BaselineFilter::BeginApplication(std::string_view name) {
  application_ = name;
  next_.BeginApplication(name);
}

void BaselineFilter::AddClass(const ClassFinding& finding) {
  if (!baseline_) {
    reported_ += CountFindings(finding);
    next_.AddClass(finding);
    return;
  }
  ClassFinding kept = finding;
  if (kept.problem && baseline_->Contains(application_, kept.name, "", *kept.problem)) {
    kept.problem.reset();
    kept.problem_class.clear();
  }
  std::erase_if(kept.variables, [&](const VariableFinding& variable) {
    return baseline_->Contains(application_, kept.name, variable.name, variable.kind);
  });
  const std::size_t count = CountFindings(kept);
  if (count == 0) return;
  reported_ += count;
  next_.AddClass(kept);
}

}  // namespace ivarscan
