#include "store/project_folder.h"

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/text.h"

namespace ivarscan {
namespace {

constexpr std::string_view kModuleEnding = ".PRG";
constexpr std::string_view kModuleExportEnding = ".MEF";
constexpr std::string_view kApplicationExportEnding = ".AEF";

bool EndsInIgnoringCase(std::string_view name, std::string_view ending) {
  return name.size() >= ending.size() &&
         EqualsIgnoringCase(name.substr(name.size() - ending.size()), ending);
}

// The names of the files directly in `folder` for which `wanted` holds, in ascending byte
// order.
template <typename Wanted>
std::error_code ListFiles(Env& env, const std::string& folder, Wanted wanted,
                          std::vector<std::string>* file_names) {
  file_names->clear();
  std::vector<DirectoryEntry> entries;
  if (std::error_code error = env.ListDirectory(folder, &entries)) return error;
  for (DirectoryEntry& entry : entries) {
    if (!entry.is_directory && wanted(entry.name)) file_names->push_back(std::move(entry.name));
  }
  std::sort(file_names->begin(), file_names->end());
  return {};
}

bool FitsSettingsLine(std::string_view name) {
  return name.find_first_of("\r\n") == std::string_view::npos &&
         TrimBlanksAndTabs(name).size() == name.size();
}

}  // namespace

std::error_code ListMarkedFolders(Env& env, const std::string& folder, std::string_view marker,
                                  std::vector<std::string>* names) {
  names->clear();
  std::vector<DirectoryEntry> entries;
  if (std::error_code error = env.ListDirectory(folder, &entries)) return error;
  for (DirectoryEntry& entry : entries) {
    if (entry.is_directory && env.FileExists(JoinPath(JoinPath(folder, entry.name), marker))) {
      names->push_back(std::move(entry.name));
    }
  }
  std::sort(names->begin(), names->end());
  return {};
}

std::error_code ListProjects(Env& env, const std::string& folder, std::vector<std::string>* names,
                             SkipList* skipped) {
  if (std::error_code error = ListMarkedFolders(env, folder, kProjectSettingsFile, names)) {
    return error;
  }
  std::erase_if(*names, [&](const std::string& name) {
    if (FitsSettingsLine(name)) return false;
    skipped->Add(JoinPath(folder, name),
                 "left out: a project name cannot have line ends, or blanks or tabs at its ends");
    return true;
  });
  return {};
}

std::error_code ListModuleFiles(Env& env, const std::string& folder,
                                std::vector<std::string>* file_names) {
  return ListFiles(
      env, folder,
      [](std::string_view name) {
        return EndsInIgnoringCase(name, kModuleEnding) || IsModuleExportFile(name);
      },
      file_names);
}

std::error_code ListApplicationExportFiles(Env& env, const std::string& folder,
                                           std::vector<std::string>* file_names) {
  return ListFiles(env, folder, IsApplicationExportFile, file_names);
}

bool IsModuleExportFile(std::string_view file_name) {
  return EndsInIgnoringCase(file_name, kModuleExportEnding);
}

bool IsApplicationExportFile(std::string_view file_name) {
  return EndsInIgnoringCase(file_name, kApplicationExportEnding);
}

SettingsFile ReadSettingsFile(Env& env, const std::string& path, SkipList* skipped) {
  std::string text;
  if (std::error_code error = env.ReadFile(path, &text); error && env.FileExists(path)) {
    skipped->Add(path, FailureReason("cannot be read, defaults used", error));
  }
  SettingsFile settings = SettingsFile::Parse(text);
  for (int line : settings.malformed_lines()) {
    skipped->Add(path,
                 "line " + std::to_string(line) + " ignored: neither [Section] nor key=value");
  }
  return settings;
}

std::string ModuleName(std::string_view file_name) {
  static_assert(kModuleEnding.size() == kModuleExportEnding.size() &&
                kModuleEnding.size() == kApplicationExportEnding.size());
  return FileNameToCp1252(file_name.substr(0, file_name.size() - kModuleEnding.size()));
}

std::string FailureReason(std::string_view what, std::error_code error) {
  return std::string(what) + ": " + error.message();
}

}  // namespace ivarscan
