#include "store/empty_folder.h"

#include "store/folder_status.h"

namespace ivarscan {

Status EmptyFolderForm::Open(SkipList*) { return kFolderOk; }

Status EmptyFolderForm::Close() { return kFolderOk; }

std::error_code EmptyFolderForm::ListProjects(std::vector<std::string>* names, SkipList*) {
  names->clear();
  return {};
}

Status EmptyFolderForm::Select(std::string_view, SkipList*) { return kFolderNotFound; }

}  // namespace ivarscan
