// Baselines: the findings of an earlier run, read from its JSON output, that a run leaves
// out of every output and of the count that --fail-on-findings tests.
#ifndef IVARSCAN_APP_BASELINE_H_
#define IVARSCAN_APP_BASELINE_H_

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "engine/findings.h"

namespace ivarscan {

// The findings of an earlier run, known by their identity (app/finding_identity.h) and
// counted: a baseline that holds a finding twice hides two of its kind, not more. Lines and
// modules play no part, so edits elsewhere in a module keep a baseline valid.
class Baseline {
 public:
  // Reads the JSON output of an earlier run. Returns nullopt and says in `error` what the
  // text is instead (not JSON, a SARIF log, JSON of another shape or layout version) and
  // what a baseline is.
  static std::optional<Baseline> Parse(std::string_view json, std::string* error);

  // How many findings of `kind` for `variable` of `class_name` in `application` the
  // baseline holds; `variable` is empty for a class's missing parent or cycle. Names are
  // in code page 1252, as findings hold them.
  std::size_t Count(std::string_view application, std::string_view class_name,
                    std::string_view variable, FindingKind kind) const;

  // All the findings it holds.
  std::size_t size() const { return size_; }
  // The project that run reported on (UTF-8); empty when the output does not say.
  const std::string& project() const { return project_; }
  // Whether that run was cancelled, so that applications it did not reach are missing.
  bool cancelled() const { return cancelled_; }

 private:
  friend class BaselineFilter;  // starts from counts_ and uses them up

  // Counts one more finding with `identity` (app/finding_identity.h).
  void Add(std::string identity);

  std::map<std::string, std::size_t> counts_;  // by FindingIdentity
  std::size_t size_ = 0;
  std::string project_;
  bool cancelled_ = false;
};

// A FindingSink that hands on what `baseline` (when there is one) does not hold and counts
// the findings it hands on. Of N findings with one identity, as many as the baseline holds
// are left out, the first in report order. A class whose findings are all left out is not
// handed on.
class BaselineFilter final : public FindingSink {
 public:
  BaselineFilter(const Baseline* baseline, FindingSink& next)
      : baseline_(baseline), next_(next), remaining_(baseline ? baseline->counts_ : Counts()) {}

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
  // Whether the baseline hides one more finding with this identity, which it then uses up.
  bool Hides(std::string_view class_name, std::string_view variable, FindingKind kind);

  using Counts = std::map<std::string, std::size_t>;  // by FindingIdentity

  const Baseline* baseline_;
  FindingSink& next_;
  Counts remaining_;  // of the baseline's findings, those not yet used up
  std::string application_;
  std::size_t reported_ = 0;
  std::size_t left_out_ = 0;
  std::size_t applications_ = 0;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_BASELINE_H_
