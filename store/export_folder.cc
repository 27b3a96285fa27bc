#include "store/export_folder.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "platform/text.h"
#include "store/project_folder.h"

namespace ivarscan {
namespace {

// The folder's full path without "." and ".." parts or a separator at its end.
std::filesystem::path FullPath(const std::string& folder) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::weakly_canonical(folder, error);
  if (error) path = std::filesystem::absolute(folder, error).lexically_normal();
  if (!path.has_filename()) path = path.parent_path();
  return path;
}

std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (char c : bytes) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ULL;
  }
  return hash;
}

}  // namespace

bool IsBareExportFolder(Env& env, const std::string& folder) {
  std::vector<std::string> names;
  if (ListApplicationExportFiles(env, folder, &names) || names.empty()) return false;
  return !ListMarkedFolders(env, folder, kProjectSettingsFile, &names) && names.empty();
}

std::string BareExportProjectName(const std::string& folder) {
  return FullPath(folder).filename().string();
}

std::string BareExportLockPath(const std::string& folder) {
  std::string key = FullPath(folder).string();
#ifdef _WIN32
  key = UpperAscii(key);  // one folder, however its path is written
#endif
  char name[40];
  std::snprintf(name, sizeof name, "ivarscan-%016llx.lock",
                static_cast<unsigned long long>(Fnv1a(key)));
  std::error_code error;
  std::filesystem::path place = std::filesystem::temp_directory_path(error);
  if (error) place = FullPath(folder).parent_path();  // next to the folder, never in it
  return place.append(name).string();
}

}  // namespace ivarscan
