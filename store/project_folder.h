// The layout of a repository folder: which sub-folders are projects and applications,
// and which files are modules.
#ifndef IVARSCAN_STORE_PROJECT_FOLDER_H_
#define IVARSCAN_STORE_PROJECT_FOLDER_H_

#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/env.h"
#include "store/settings_file.h"
#include "store/skipped_file.h"

namespace ivarscan {

inline constexpr std::string_view kProjectSettingsFile = "project.ini";
inline constexpr std::string_view kApplicationSettingsFile = "application.ini";

// The names of the direct sub-folders of `folder` that hold a file named `marker`, in
// ascending byte order. Fails only when `folder` cannot be listed.
std::error_code ListMarkedFolders(Env& env, const std::string& folder, std::string_view marker,
                                  std::vector<std::string>* names);

// The projects of the repository in `folder`, in catalogue order. A folder whose name
// repository.ini could not hold (a line end in it, or blanks or tabs at either end) is
// left out and recorded in `skipped`.
std::error_code ListProjects(Env& env, const std::string& folder, std::vector<std::string>* names,
                             SkipList* skipped);

// The file names of the modules directly in `folder` (names ending in `.prg` or `.mef`, any
// case), in ascending byte order. Fails only when `folder` cannot be listed.
std::error_code ListModuleFiles(Env& env, const std::string& folder,
                                std::vector<std::string>* file_names);

// The file names of the application exports directly in `folder` (names ending in `.aef`,
// any case), in ascending byte order. Fails only when `folder` cannot be listed.
std::error_code ListApplicationExportFiles(Env& env, const std::string& folder,
                                           std::vector<std::string>* file_names);

// True for a module export's file name (ending in `.mef`, any case).
bool IsModuleExportFile(std::string_view file_name);
// True for an application export's file name (ending in `.aef`, any case).
bool IsApplicationExportFile(std::string_view file_name);

// Reads and parses the settings file at `path`. A missing file gives empty settings; a file
// that cannot be read gives empty settings and is recorded in `skipped`, and so is every
// line of it that the parser ignored as malformed.
SettingsFile ReadSettingsFile(Env& env, const std::string& path, SkipList* skipped);

// A module's or an exported application's name from its file name: the file name without
// its `.prg`, `.mef` or `.aef` ending, as a text of the repository (FileNameToCp1252).
std::string ModuleName(std::string_view file_name);

// "<what>: <the error's message>", the reason text of a failed file operation.
std::string FailureReason(std::string_view what, std::error_code error);

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_PROJECT_FOLDER_H_
