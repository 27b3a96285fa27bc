// Baselines: the findings of an earlier run, read from its JSON output, that a run leaves
// out of every output and of the count that --fail-on-findings tests.
#ifndef IVARSCAN_APP_BASELINE_H_
#define IVARSCAN_APP_BASELINE_H_

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "engine/findings.h"

namespace ivarscan {

// A set of findings known by application, class, variable and kind, letter case ignored.
// Lines and modules play no part, so edits elsewhere in a module keep a baseline valid.
class Baseline {
 public:
  // Reads the JSON output of an earlier run. Returns nullopt and says in `error` what the
  // text is instead (not JSON, a SARIF log, JSON of another shape or layout version) and
  // what a baseline is.
  static std::optional<Baseline> Parse(std::string_view json, std::string* error);

  // Whether the baseline holds a finding of `kind` for `variable` of `class_name` in
  // `application`; `variable` is empty for a class's missing parent or cycle.
  bool Contains(std::string_view application, std::string_view class_name,
                std::string_view variable, FindingKind kind) const;

  std::size_t size() const { return keys_.size(); }
  // The project that run reported on (UTF-8); empty when the output does not say.
  const std::string& project() const { return project_; }
  // Whether that run was cancelled, so that applications it did not reach are missing.
  bool cancelled() const { return cancelled_; }

 private:
  void Add(std::string_view application, std::string_view class_name, std::string_view variable,
           FindingKind kind);
  static std::string Key(std::string_view application, std::string_view class_name,
                         std::string_view variable, FindingKind kind);

  std::set<std::string> keys_;
  std::string project_;
  bool cancelled_ = false;
};

// A FindingSink that hands on what `baseline` (when there is one) does not hold and counts
// the findings it hands on. A class whose findings are all in the baseline is not handed on.
class BaselineFilter final : public FindingSink {
 public:
  BaselineFilter(const Baseline* baseline, FindingSink& next) : baseline_(baseline), next_(next) {}

  void BeginApplication(std::string_view name) override;
  void AddClass(const ClassFinding& finding) override;
  void EndApplication(bool cancelled) override { next_.EndApplication(cancelled); }

  // The findings handed on so far: each variable finding and each missing parent or cycle.
  std::size_t reported() const { return reported_; }
  // The findings held back because the baseline holds them.
  std::size_t left_out() const { return left_out_; }
  // The applications begun so far.
  std::size_t applications() const { return applications_; }

 private:
  const Baseline* baseline_;
  FindingSink& next_;
  std::string application_;
  std::size_t reported_ = 0;
  std::size_t left_out_ = 0;
  std::size_t applications_ = 0;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_BASELINE_H_
