#include "app/baseline.h"

#include <nlohmann/json.hpp>
#include <utility>

#include "app/finding_identity.h"
#include "app/json_report.h"
#include "engine/finding_kinds.h"

namespace ivarscan {
namespace {

using Json = nlohmann::json;

// What every refusal adds: what a baseline is.
constexpr char kWhatABaselineIs[] = "; a baseline is the JSON output of a run (--format json)";

// The kind named at `object["kind"]`; throws when there is none such.
FindingKind KindOf(const Json& object) {
  const std::optional<FindingKind> kind = FindingKindFromId(object.at("kind").get<std::string>());
  if (!kind) throw std::runtime_error("unknown kind of finding " + object.at("kind").dump());
  return *kind;
}

bool IsSarif(const Json& document) {
  return document.is_object() &&
         (document.contains("runs") ||
          document.value("$schema", std::string()).find("sarif") != std::string::npos);
}

// Why `document` is not the JSON output of a run of this version; empty when it is one.
std::string WhyNotAnOutput(const Json& document) {
  if (IsSarif(document)) return "it is a SARIF log";
  if (!document.is_object() || !document.contains("applications") ||
      !document["applications"].is_array() || !document.value("version", Json()).is_number()) {
    return "it is JSON of another shape (no \"version\" and \"applications\")";
  }
  const Json& version = document["version"];
  if (version < kOldestJsonReportVersion || version > kJsonReportVersion) {
    return "it is the JSON output of layout version " + version.dump() +
           ", and this program reads versions " + std::to_string(kOldestJsonReportVersion) +
           " to " + std::to_string(kJsonReportVersion);
  }
  return "";
}

}  // namespace

std::optional<Baseline> Baseline::Parse(std::string_view json, std::string* error) {
  Baseline baseline;
  const Json report = Json::parse(json, nullptr, false);
  if (report.is_discarded()) {
    *error = std::string("it is not JSON") + kWhatABaselineIs;
    return std::nullopt;
  }
  if (std::string why = WhyNotAnOutput(report); !why.empty()) {
    *error = why + kWhatABaselineIs;
    return std::nullopt;
  }
  try {
    baseline.project_ = report.value("project", std::string());
    baseline.cancelled_ = report.value("status", std::string()) == "cancelled";
    for (const Json& application : report.at("applications")) {
      const std::string& app = application.at("name").get_ref<const std::string&>();
      for (const Json& finding : application.at("classes")) {
        const std::string& name = finding.at("name").get_ref<const std::string&>();
        if (finding.contains("problem")) {
          baseline.Add(FindingIdentity(app, name, "", KindOf(finding["problem"])));
        }
        for (const Json& variable : finding.at("variables")) {
          baseline.Add(FindingIdentity(app, name, variable.at("name").get_ref<const std::string&>(),
                                       KindOf(variable)));
        }
      }
    }
  } catch (const nlohmann::json::exception&) {  // a member missing or of another type
    *error = std::string(
                 "it is JSON of another shape (an application, class or variable "
                 "without its \"name\", \"classes\", \"variables\" or \"kind\")") +
             kWhatABaselineIs;
    return std::nullopt;
  } catch (const std::runtime_error& e) {  // KindOf's unknown kind
    *error = e.what() + std::string(kWhatABaselineIs);
    return std::nullopt;
  }
  return baseline;
}

void Baseline::Add(std::string identity) {
  ++counts_[std::move(identity)];
  ++size_;
}

std::size_t Baseline::Count(std::string_view application, std::string_view class_name,
                            std::string_view variable, FindingKind kind) const {
  const auto found = counts_.find(FindingIdentityOf(application, class_name, variable, kind));
  return found == counts_.end() ? 0 : found->second;
}

bool BaselineFilter::Hides(std::string_view class_name, std::string_view variable,
                           FindingKind kind) {
  const auto found = remaining_.find(FindingIdentityOf(application_, class_name, variable, kind));
  if (found == remaining_.end() || found->second == 0) return false;
  --found->second;
  return true;
}

void BaselineFilter::BeginApplication(std::string_view name) {
  application_ = name;
  ++applications_;
  next_.BeginApplication(name);
}

void BaselineFilter::AddClass(const ClassFinding& finding) {
  if (!baseline_) {
    reported_ += CountFindings(finding);
    next_.AddClass(finding);
    return;
  }
  ClassFinding kept = finding;
  if (kept.problem && Hides(kept.name, "", *kept.problem)) {
    kept.problem.reset();
    kept.problem_class.clear();
  }
  std::erase_if(kept.variables, [&](const VariableFinding& variable) {
    return Hides(kept.name, variable.name, variable.kind);
  });
  const std::size_t count = CountFindings(kept);
  left_out_ += CountFindings(finding) - count;
  if (count == 0) return;
  reported_ += count;
  next_.AddClass(kept);
}

}  // namespace ivarscan
