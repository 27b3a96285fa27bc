// An application's modules and a module's entities as plain records. Every function reads
// the repository afresh through `repo`, which must be open, and never fails: a failing
// first or next call, or a zero handle, ends a list, and a failing single query leaves its
// value at zero, false or empty text.
#ifndef IVARSCAN_REPO_MODULES_H_
#define IVARSCAN_REPO_MODULES_H_

#include <functional>
#include <string>
#include <vector>

#include "repo/records.h"
#include "repo/repository_access.h"

namespace ivarscan {

// The application's modules (GETMODULEBASIC), in name order when `sort` is set (equal
// names in no kept order), otherwise in repository order.
std::vector<ModuleRecord> GETMODULES(RepositoryAccess& repo, AppHandle application, bool sort);

// The record of one module: its handle and MODNAME.
ModuleRecord GETMODULEBASIC(RepositoryAccess& repo, ModuleHandle module);

// The module's name, read through a 64-byte buffer: at most 63 characters.
std::string MODNAME(RepositoryAccess& repo, ModuleHandle module);

// Decides which entity records GETENTITIES keeps; an empty filter keeps every record.
using EntityFilter = std::function<bool(const EntityRecord&)>;

// The module's entities that `filter` accepts, each read in full (GETENTITYDETAIL) before
// the filter sees it; by display name when `sort` is set (equal names in no kept order),
// otherwise in repository order.
std::vector<EntityRecord> GETENTITIES(RepositoryAccess& repo, ModuleHandle module,
                                      const EntityFilter& filter, bool sort);

// Everything about one entity. The single queries run in a fixed order: appearance, type,
// visibility, vit, block type, subtype, creation time, time, debug, display name, name.
// Only an entity whose appearance flag is set and whose type is 1, 3 or 4 gets its source
// text (first text of data part 7) and second source text (second text of data part 4);
// the description (ENTDESCRIPTION) is read between the two.
EntityRecord GETENTITYDETAIL(RepositoryAccess& repo, EntityHandle entity);

// The entity's description, or a single blank " " when the query fails or gives none.
std::string ENTDESCRIPTION(RepositoryAccess& repo, EntityHandle entity);

}  // namespace ivarscan

#endif  // IVARSCAN_REPO_MODULES_H_
