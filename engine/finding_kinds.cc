#include "engine/finding_kinds.h"

#include <iterator>

namespace ivarscan {
namespace {

constexpr FindingKindInfo kKinds[] = {
    {FindingKind::kDuplicateInClass, "duplicate-in-class", "DuplicateInClass", "error", "very-high",
     "correctness maintainability", " occurs more than once in this class",
     "Instance variable declared more than once in one class",
     "A class declares the same instance variable (EXPORT, PROTECT or INSTANCE) more than "
     "once; names compare ignoring letter case.",
     "Keep one of the declarations and remove the others.",
     "A class declares the same instance variable (`EXPORT`, `PROTECT` or `INSTANCE`) more "
     "than once; names compare ignoring letter case.\n\n"
     "Keep one of the declarations and remove the others:\n\n"
     "```\nCLASS OrderWindow INHERIT DataWindow\n    EXPORT nId AS INT\n"
     "    PROTECT NID AS INT   // remove this line\n```\n"},
    {FindingKind::kDuplicateOfInherited, "duplicate-of-inherited", "DuplicateOfInherited", "error",
     "very-high", "correctness compatibility", " also in ",
     "Instance variable that an ancestor class declares too",
     "A class declares an instance variable that one of its ancestor classes (found in the "
     "application, in the applications on its search path or in the System Library) declares "
     "as well. The 2.5 compiler refuses such a class.",
     "Remove the declaration from the subclass, which then uses the inherited variable, or "
     "rename it.",
     "A class declares an instance variable that one of its ancestor classes (found in the "
     "application, in the applications on its search path or in the System Library) declares "
     "as well. The 2.5 compiler refuses such a class.\n\n"
     "Remove the declaration from the subclass, which then uses the inherited variable, or "
     "rename it:\n\n"
     "```\nCLASS DataWindow\n    EXPORT oDCName\n\n"
     "CLASS OrderWindow INHERIT DataWindow\n    EXPORT oDCName   // remove: inherited\n```\n"},
    {FindingKind::kMissingParent, "missing-parent", "MissingParent", "warning", "high",
     "correctness", "** Could not find parent class ", "Parent class not found",
     "A class of the inheritance chain names a parent class that neither the application, nor "
     "the applications on its search path, nor the System Library declares, so the chain "
     "cannot be checked beyond it.",
     "Add the application that declares the parent to the search path, or correct the "
     "parent's name.",
     "A class of the inheritance chain names a parent class that neither the application, nor "
     "the applications on its search path, nor the System Library declares, so the chain "
     "cannot be checked beyond it.\n\n"
     "Add the application that declares the parent to the application's **search path**, or "
     "correct the parent's name after `INHERIT`.\n"},
    {FindingKind::kCyclicInheritance, "cyclic-inheritance", "CyclicInheritance", "error",
     "very-high", "correctness", "** Cyclic inheritance at class ", "Cyclic inheritance",
     "Following the parent classes leads back to a class that is already in the chain.",
     "Break the cycle by changing the parent class of one of the classes in it.",
     "Following the parent classes leads back to a class that is already in the chain.\n\n"
     "Break the cycle by changing the parent class of one of the classes in it:\n\n"
     "```\nCLASS A INHERIT B\nCLASS B INHERIT A   // B must inherit from another class\n```\n"},
};

constexpr bool EveryKindAtItsIndex() {
  for (std::size_t i = 0; i < std::size(kKinds); ++i) {
    if (static_cast<std::size_t>(kKinds[i].kind) != i || kKinds[i].id.empty()) return false;
  }
  return true;
}

static_assert(std::size(kKinds) == kFindingKindCount, "one entry per kind of finding");
static_assert(EveryKindAtItsIndex(), "entries in the order of FindingKind");

}  // namespace

std::span<const FindingKindInfo> FindingKinds() { return kKinds; }

const FindingKindInfo& InfoOf(FindingKind kind) { return kKinds[static_cast<std::size_t>(kind)]; }

std::optional<FindingKind> FindingKindFromId(std::string_view id) {
  for (const FindingKindInfo& info : kKinds) {
    if (info.id == id) return info.kind;
  }
  return std::nullopt;
}

}  // namespace ivarscan
