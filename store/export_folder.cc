#include "store/export_folder.h"

#include <filesystem>
#include <vector>

#include "store/folder_status.h"
#include "store/project_folder.h"

namespace ivarscan {

bool IsBareExportFolder(Env& env, const std::string& folder) {
  std::vector<std::string> names;
  if (ListApplicationExportFiles(env, folder, &names) || names.empty()) return false;
  return !ListMarkedFolders(env, folder, kProjectSettingsFile, &names) && names.empty();
}

std::string BareExportProjectName(const std::string& folder) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::weakly_canonical(folder, error);
  if (error) path = std::filesystem::absolute(folder, error).lexically_normal();
  if (!path.has_filename()) path = path.parent_path();
  return path.filename().string();
}

ExportFolderForm::ExportFolderForm(std::string folder)
    : folder_(std::move(folder)), project_(BareExportProjectName(folder_)) {}

Status ExportFolderForm::Open(SkipList*) { return kFolderOk; }

Status ExportFolderForm::Close() { return kFolderOk; }

std::error_code ExportFolderForm::ListProjects(std::vector<std::string>* names, SkipList*) {
  *names = {project_};
  return {};
}

Status ExportFolderForm::Select(std::string_view name, SkipList* skipped) {
  return MatchProject(*this, name, skipped) ? kFolderOk : kFolderNotFound;
}

std::optional<ProjectPlace> ExportFolderForm::PlaceOf(const std::string&) {
  return ProjectPlace{folder_, ""};
}

}  // namespace ivarscan
