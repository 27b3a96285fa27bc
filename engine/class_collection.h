// Class collection: every class that one application declares, with the instance
// variables it makes visible to subclasses, the name of its parent class and where it
// lives. The duplicate detection resolves inheritance entirely from these lists.
#ifndef IVARSCAN_ENGINE_CLASS_COLLECTION_H_
#define IVARSCAN_ENGINE_CLASS_COLLECTION_H_

#include <string>
#include <string_view>
#include <vector>

#include "engine/scanner.h"
#include "repo/repository_access.h"

namespace ivarscan {

// One class: the six fields of the record the analysis works with, in their order, then
// where the class stands in its module's file.
struct ClassRecord {
  EntityHandle entity = 0;    // 1: the class entity
  std::string name;           // 2: the entity's display name, as the repository holds it
  IvarList ivars;             // 3: GETVISIBLEIVARS of the entity's source text
  std::string parent;         // 4: last word of the prototype; empty when there is no parent
  ModuleHandle module = 0;    // 5: the module that holds the class
  AppHandle application = 0;  // 6: the application asked for
  // The module's file (relative to the repository folder), the module's name in it when
  // it is an export file, and the 1-based lines (of the module's text) of the class
  // statement and of each name of `ivars` (always as many as names); empty and 0 when the
  // repository cannot tell.
  std::string file;
  std::string module_in_file;
  std::uint32_t line = 0;
  std::vector<std::uint32_t> ivar_lines;

  bool operator==(const ClassRecord&) const = default;
};

// Modules in name order, and within each module the class entities in name order. Two
// classes of the same name may both be listed; users take the first.
using ClassList = std::vector<ClassRecord>;

// Returns the class list of `application`. Class entities whose source text is blank are
// left out. Never fails: what the repository cannot supply is simply missing. The
// repository is read on the calling thread; up to `threads` threads scan the class
// sources, and the list is the same for any number.
ClassList GETAPPCLASSES(RepositoryAccess& repo, AppHandle application, unsigned threads = 1);

// The parent name that a class's prototype line names: the last blank-separated word
// (tabs count as blanks), or empty when that word is the class's own name.
std::string ParentNameFromPrototype(std::string_view prototype, std::string_view class_name);

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_CLASS_COLLECTION_H_
