#include "store/repository_forms.h"

#include <vector>

#include "store/empty_folder.h"
#include "store/export_folder.h"
#include "store/project_folder.h"
#include "store/repository_folder_form.h"

namespace ivarscan {
namespace {

bool HoldsProjects(Env& env, const std::string& folder, SkipList* skipped) {
  std::vector<std::string> names;
  return !ListProjects(env, folder, &names, skipped) && !names.empty();
}

}  // namespace

// A new form is one more line here, in the order in which the forms are to be tried.
std::unique_ptr<RepositoryForm> RecogniseForm(Env& env, const std::string& folder,
                                              SkipList* skipped) {
  if (IsBareExportFolder(env, folder)) return std::make_unique<ExportFolderForm>(folder);
  if (HoldsProjects(env, folder, skipped))
    return std::make_unique<RepositoryFolderForm>(env, folder);
  return std::make_unique<EmptyFolderForm>();
}

}  // namespace ivarscan
