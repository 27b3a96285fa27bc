#include "repo/projects.h"

#include <algorithm>
#include <array>
#include <limits>

#include "platform/call_stack.h"
#include "platform/text.h"
#include "repo/modules.h"
#include "repo/sort.h"

namespace ivarscan {
namespace {

constexpr std::uint32_t kProjectBufferSize = 256;
constexpr std::uint32_t kApplicationNameBufferSize = 32;

using ProjectBuffer = std::array<char, kProjectBufferSize>;

std::string BufferText(const ProjectBuffer& buffer) {
  return std::string(ZeroTerminated(buffer.data(), buffer.size()));
}

// The description of a listed project: empty when the query fails or gives blank text.
std::string ProjectDescription(RepositoryAccess& repo, const std::string& name,
                               ProjectBuffer& description) {
  if (repo.PrjQueryDescription(name.c_str(), description.data(), kProjectBufferSize, 0) != 0) {
    return std::string();
  }
  std::string text = BufferText(description);
  return IsBlank(text) ? std::string() : text;
}

// The icon file named in an icon entity's source: the text after the first " ICON ",
// tabs read as blanks and the word found in any case, with blanks trimmed. Empty when
// the word is missing.
std::string IconFileName(std::string source) {
  std::replace(source.begin(), source.end(), '\t', ' ');
  constexpr std::string_view kIconWord = " ICON ";
  std::size_t at = UpperAscii(source).find(kIconWord);
  if (at == std::string::npos) return std::string();
  return std::string(TrimBlanks(std::string_view(source).substr(at + kIconWord.size())));
}

// The application's search path, less the system libraries unless they are included.
std::vector<AppHandle> KeptSearchPath(RepositoryAccess& repo, AppHandle application,
                                      bool include_system_libraries) {
  std::vector<AppHandle> kept;
  for (AppHandle entry : APPSEARCHPATH(repo, application)) {
    if (include_system_libraries || !ISSYSTEMLIB(repo, entry)) kept.push_back(entry);
  }
  return kept;
}

}  // namespace

std::vector<ProjectRecord> GETPROJECTS(RepositoryAccess& repo) {
  IVARSCAN_ROUTINE("GETPROJECTS");
  std::vector<ProjectRecord> projects;
  CatalogueHandle catalogue = 0;
  if (repo.PrjCatCreateEnum(0, 0, &catalogue) != 0) return projects;
  ProjectBuffer name{};
  ProjectBuffer description{};
  if (repo.PrjGetFirst(catalogue, name.data(), kProjectBufferSize) == 0) {
    // The name goes back to the repository as a copy, zero-terminated even when the
    // repository filled the whole buffer.
    for (std::string current = BufferText(name); !IsBlank(current); current = BufferText(name)) {
      std::string text = ProjectDescription(repo, current, description);
      projects.push_back({std::move(current), std::move(text)});
      if (repo.PrjGetNext(catalogue, name.data(), kProjectBufferSize) != 0) break;
    }
  }
  repo.PrjCatDestroyEnum(catalogue);
  return projects;
}

std::string GETCURRENTPROJECT(RepositoryAccess& repo) {
  IVARSCAN_ROUTINE("GETCURRENTPROJECT");
  ProjectBuffer buffer{};
  if (repo.AdamQueryCurrentPrjName(buffer.data(), kProjectBufferSize) != 0) return std::string();
  return BufferText(buffer);
}

std::vector<ApplicationRecord> GETAPPS(RepositoryAccess& repo, bool include_system_libraries,
                                       bool sort) {
  IVARSCAN_ROUTINE("GETAPPS");
  std::vector<ApplicationRecord> applications;
  AppHandle application = 0;
  for (Status status = repo.AdamGetFirstApp(&application); status == 0 && application != 0;
       status = repo.AdamGetNextApp(&application)) {
    ApplicationRecord record = GETAPPBASIC(repo, application);
    // Queried afresh for every application, whether or not it is kept.
    bool system_library = ISSYSTEMLIB(repo, application);
    if (include_system_libraries || !system_library) applications.push_back(std::move(record));
  }
  if (sort) NEWASORT(applications, 1, kToTheEnd, NameOrder);
  return applications;
}

ApplicationRecord GETAPPBASIC(RepositoryAccess& repo, AppHandle application) {
  IVARSCAN_ROUTINE("GETAPPBASIC");
  ApplicationRecord record;
  record.handle = application;
  record.system_library = ISSYSTEMLIB(repo, application);
  record.name = APPNAME(repo, application);
  record.kind = APPTYPE(repo, application);
  record.icon = APPICON(repo, application);
  return record;
}

std::string APPNAME(RepositoryAccess& repo, AppHandle application) {
  IVARSCAN_ROUTINE("APPNAME");
  std::array<char, kApplicationNameBufferSize> buffer{};
  repo.AppQueryName(application, buffer.data(), kApplicationNameBufferSize);
  return std::string(ZeroTerminated(buffer.data(), buffer.size()));
}

std::uint16_t APPTYPE(RepositoryAccess& repo, AppHandle application) {
  IVARSCAN_ROUTINE("APPTYPE");
  bool library = false;
  bool second_flag = false;
  repo.AppQueryLib(application, &library, &second_flag);
  if (!library) return kProgramKind;
  return second_flag ? kDllKind : kLibraryKind;
}

std::shared_ptr<Icon> APPICON(RepositoryAccess& repo, AppHandle application) {
  IVARSCAN_ROUTINE("APPICON");
  EntityHandle entity = 0;
  if (repo.AppQueryIcon(application, &entity) != 0 || entity == 0) return nullptr;
  std::string file_name = IconFileName(GETENTITYDETAIL(repo, entity).source);
  if (file_name.empty()) return nullptr;
  return ExtractFirstIcon(file_name);
}

bool ISSYSTEMLIB(RepositoryAccess& repo, AppHandle application) {
  IVARSCAN_ROUTINE("ISSYSTEMLIB");
  bool system_library = false;
  repo.AppQuerySysLib(application, &system_library);
  return system_library;
}

std::vector<AppHandle> APPSEARCHPATH(RepositoryAccess& repo, AppHandle application) {
  IVARSCAN_ROUTINE("APPSEARCHPATH");
  std::vector<AppHandle> path;
  AppHandle entry = 0;
  if (repo.AppSPathGetFirst(application, &entry) != 0) return path;
  if (entry != 0) path.push_back(entry);
  while (repo.AppSPathGetNext(&entry) == 0 && entry != 0) path.push_back(entry);
  return path;
}

std::vector<AppHandle> GETUSEDAPPS(RepositoryAccess& repo, AppHandle application,
                                   bool include_system_libraries) {
  IVARSCAN_ROUTINE("GETUSEDAPPS");
  std::vector<AppHandle> used;
  GETUSEDAPPSEX(repo, application, used, include_system_libraries);
  return used;
}

std::vector<AppHandle>& GETUSEDAPPSEX(RepositoryAccess& repo, AppHandle application,
                                      std::vector<AppHandle>& used, bool include_system_libraries) {
  IVARSCAN_ROUTINE("GETUSEDAPPSEX");
  // The depth-first walk keeps its own stack, so that a search path that chains thousands
  // of applications cannot exhaust the call stack, and marks what `used` holds, so that a
  // graph of n applications costs a step per edge rather than a search of `used` per edge.
  std::vector<bool> listed(std::numeric_limits<AppHandle>::max() + 1, false);
  for (AppHandle entry : used) listed[entry] = true;
  struct Frame {
    std::vector<AppHandle> kept;  // the search path, read before anything is followed
    std::size_t next = 0;
  };
  std::vector<Frame> stack;
  stack.push_back({KeptSearchPath(repo, application, include_system_libraries)});
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.next == frame.kept.size()) {
      stack.pop_back();
      continue;
    }
    const AppHandle entry = frame.kept[frame.next++];
    if (listed[entry]) continue;
    listed[entry] = true;
    used.push_back(entry);
    stack.push_back({KeptSearchPath(repo, entry, include_system_libraries)});
  }
  return used;
}

}  // namespace ivarscan
