// What every output says about each kind of finding, in one table: the text report's
// phrase, the name that JSON, baselines and SARIF use, and the SARIF rule's metadata.
#ifndef IVARSCAN_ENGINE_FINDING_KINDS_H_
#define IVARSCAN_ENGINE_FINDING_KINDS_H_

#include <optional>
#include <span>
#include <string_view>

#include "engine/findings.h"

namespace ivarscan {

struct FindingKindInfo {
  FindingKind kind;
  // The name in JSON, in baselines and as the SARIF rule's id ("duplicate-in-class").
  std::string_view id;
  // The SARIF rule's name ("DuplicateInClass").
  std::string_view rule_name;
  // The SARIF level and `problem.severity`: "error" or "warning".
  std::string_view level;
  // The SARIF rule's `precision`: how sure a finding of this kind is to be a real fault.
  std::string_view precision;
  // The SARIF rule's `tags`, separated by single blanks.
  std::string_view tags;
  // The text report's words for the finding. A variable finding's line is its name followed
  // by `report_text`; a class's problem line is `report_text`, the class the walk stopped
  // at, and " **".
  std::string_view report_text;
  std::string_view short_description;
  std::string_view full_description;
  std::string_view help;           // plain text
  std::string_view help_markdown;  // the same advice, with an example
};

// Every kind, in the order of FindingKind: a kind's number is its index.
std::span<const FindingKindInfo> FindingKinds();

// The entry of `kind`.
const FindingKindInfo& InfoOf(FindingKind kind);

// The kind whose `id` is `id`; nullopt for none.
std::optional<FindingKind> FindingKindFromId(std::string_view id);

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_FINDING_KINDS_H_
