// Projects, applications and search paths of the IDE repository as plain records and
// lists. Every function reads the repository afresh through `repo`, which must be open,
// and never fails: a failing first or next call ends a list, a failing single query leaves
// its value at its starting value (empty text, false, kind 0, no icon).
#ifndef IVARSCAN_REPO_PROJECTS_H_
#define IVARSCAN_REPO_PROJECTS_H_

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/icon.h"
#include "repo/records.h"
#include "repo/repository_access.h"

namespace ivarscan {

// The name under which the repository keeps the System Library, the class library every
// application can inherit from.
inline constexpr char kSystemLibraryName[] = "System Library";

// The repository's projects in catalogue order, each with its description (empty when
// the description query fails or gives blank text). The list ends at the first blank
// project name or failing catalogue call; the catalogue is always released.
std::vector<ProjectRecord> GETPROJECTS(RepositoryAccess& repo);

// The current project's name, or empty text when the query fails.
std::string GETCURRENTPROJECT(RepositoryAccess& repo);

// The current project's applications as full records (GETAPPBASIC), without the system
// libraries unless `include_system_libraries` is set; every application is read in full
// before that test. With `sort` set the list is in name order (NameOrder, equal names in
// no kept order), otherwise in repository order.
std::vector<ApplicationRecord> GETAPPS(RepositoryAccess& repo, bool include_system_libraries,
                                       bool sort);

// The record of one application: handle, APPNAME, APPTYPE, APPICON and the system-library
// flag, queried first and in that order.
ApplicationRecord GETAPPBASIC(RepositoryAccess& repo, AppHandle application);

// The application's name, read through a 32-byte buffer: at most 31 characters.
std::string APPNAME(RepositoryAccess& repo, AppHandle application);

// The application's kind from its two library flags: 0 when the library flag is not set,
// 1 when only it is set, 2 when both are.
std::uint16_t APPTYPE(RepositoryAccess& repo, AppHandle application);

// The application's icon: the first icon of the file that the source text of its icon
// entity names after the first " ICON " (any letter case, tabs counting as blanks),
// blanks trimmed. Null when there is no icon entity, no such word or no such file.
std::shared_ptr<Icon> APPICON(RepositoryAccess& repo, AppHandle application);

// True when the application is a system library; false when the query fails.
bool ISSYSTEMLIB(RepositoryAccess& repo, AppHandle application);

// The application's search path in repository order. A zero entry from the first call is
// skipped; a zero entry or a failure from a next call ends the path.
std::vector<AppHandle> APPSEARCHPATH(RepositoryAccess& repo, AppHandle application);

// Every application reachable from `application` through search paths, each once, in
// depth-first order of first discovery; `application` itself only when a path leads back
// to it. Without `include_system_libraries`, system libraries are neither listed nor
// followed.
std::vector<AppHandle> GETUSEDAPPS(RepositoryAccess& repo, AppHandle application,
                                   bool include_system_libraries);

// The walk behind GETUSEDAPPS: appends to `used` the applications reachable from
// `application` that it does not hold yet, following each at once when it is appended,
// and returns `used`. Each search path is read completely before anything is followed.
std::vector<AppHandle>& GETUSEDAPPSEX(RepositoryAccess& repo, AppHandle application,
                                      std::vector<AppHandle>& used, bool include_system_libraries);

}  // namespace ivarscan

#endif  // IVARSCAN_REPO_PROJECTS_H_
