// ExportFolderForm: a bare export folder, the folder into which a user exported one
// project's applications (`.aef` files, with no project folders beside them). It is read as
// a repository of one project, named after the folder, that is current from the start.
// Nothing is ever written into it or on its behalf, so no run needs to keep another out:
// it takes no lock.
#ifndef IVARSCAN_STORE_EXPORT_FOLDER_H_
#define IVARSCAN_STORE_EXPORT_FOLDER_H_

#include <string>

#include "platform/env.h"
#include "store/repository_form.h"

namespace ivarscan {

// True when `folder` holds at least one application export and no project folder.
bool IsBareExportFolder(Env& env, const std::string& folder);

// The one project's name: the folder's own name (for "." or a path ending in a separator,
// the name of the folder meant).
std::string BareExportProjectName(const std::string& folder);

class ExportFolderForm final : public RepositoryForm {
 public:
  explicit ExportFolderForm(std::string folder);

  Status Open(SkipList*) override;
  Status Close() override;
  // The one project, current from the start (only asked while a session lasts).
  const std::string& current() const override { return project_; }
  std::error_code ListProjects(std::vector<std::string>* names, SkipList*) override;
  // Selecting the one project succeeds and writes nothing.
  Status Select(std::string_view name, SkipList* skipped) override;
  // The folder itself.
  std::optional<ProjectPlace> PlaceOf(const std::string&) override;

 private:
  std::string folder_;
  std::string project_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_EXPORT_FOLDER_H_
