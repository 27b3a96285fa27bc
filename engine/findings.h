// Findings: what the duplicate detection finds in one application, as values, in the
// order of the report. Every output format is written from these.
#ifndef IVARSCAN_ENGINE_FINDINGS_H_
#define IVARSCAN_ENGINE_FINDINGS_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ivarscan {

// Where a name stands: its module's file, relative to the repository folder with '/'
// separators, and the 1-based line of the module's text; for a module of an export file
// (`.aef`, `.mef`), also the module's name in that file, since an application export holds
// many. Empty and 0 when the repository cannot tell.
struct SourcePosition {
  std::string file;
  std::uint32_t line = 0;
  std::string module_in_file;  // empty unless `file` is an export file

  bool operator==(const SourcePosition&) const = default;
};

// The kinds of finding. A class is reported for a missing parent or cyclic inheritance
// even when none of its variables is.
enum class FindingKind {
  kDuplicateInClass,      // the class declares the variable more than once
  kDuplicateOfInherited,  // an ancestor declares the variable too
  kMissingParent,         // a class of the chain names a parent that no application declares
  kCyclicInheritance,     // the chain comes back to a class already in it
};

// The number of kinds: one more than the last above. engine/finding_kinds.cc describes each.
inline constexpr std::size_t kFindingKindCount =
    static_cast<std::size_t>(FindingKind::kCyclicInheritance) + 1;

// One variable finding of a class.
struct VariableFinding {
  FindingKind kind = FindingKind::kDuplicateInClass;  // one of the first two kinds
  std::string name;         // as the class writes it (for a repeated name, the earlier one)
  SourcePosition position;  // where that name stands
  // kDuplicateInClass: where the later declaration of the pair stands.
  // kDuplicateOfInherited: where the ancestor declares the name.
  SourcePosition other_position;
  // kDuplicateOfInherited only: the ancestor's class, application and module.
  std::string ancestor_class;
  std::string ancestor_application;
  std::string ancestor_module;

  bool operator==(const VariableFinding&) const = default;
};

// One reported class.
struct ClassFinding {
  std::string name;
  std::string application;  // the analysed application
  std::string module;
  std::string parent;       // as the class names it; empty when it names none
  SourcePosition position;  // where the class statement stands
  // kMissingParent or kCyclicInheritance, with the upper-cased name the walk stopped at.
  std::optional<FindingKind> problem;
  std::string problem_class;
  // Per variable in declaration order: its repeats first, then its ancestors, nearest first.
  std::vector<VariableFinding> variables;

  bool operator==(const ClassFinding&) const = default;
};

// Receives the findings of a run as the analysis makes them: for each application its
// start, every reported class in report order, and its end.
class FindingSink {
 public:
  virtual ~FindingSink() = default;

  virtual void BeginApplication(std::string_view name) = 0;
  virtual void AddClass(const ClassFinding& finding) = 0;
  // `cancelled`: the user cancelled during this application, which is then the last.
  virtual void EndApplication(bool cancelled) = 0;
};

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_FINDINGS_H_
