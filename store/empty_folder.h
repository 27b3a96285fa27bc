// EmptyFolderForm: a folder that holds no project, neither project folders nor application
// exports. It has no project to list or select, and nothing is written into it or on its
// behalf: no lock, no repository.ini.
#ifndef IVARSCAN_STORE_EMPTY_FOLDER_H_
#define IVARSCAN_STORE_EMPTY_FOLDER_H_

#include "store/repository_form.h"

namespace ivarscan {

class EmptyFolderForm final : public RepositoryForm {
 public:
  Status Open(SkipList*) override;
  Status Close() override;
  const std::string& current() const override { return none_; }
  std::error_code ListProjects(std::vector<std::string>* names, SkipList*) override;
  // Always kFolderNotFound.
  Status Select(std::string_view, SkipList*) override;
  std::optional<ProjectPlace> PlaceOf(const std::string&) override { return std::nullopt; }

 private:
  const std::string none_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_EMPTY_FOLDER_H_
