// RepositoryFolderForm: the repository folder proper (docs/repository-folder.md): a folder
// per project, marked by its project.ini, and repository.ini naming the current project.
// A session holds an exclusive lock on repository.lock; selecting a project rewrites
// repository.ini, recording there what it said before so that the next Open puts it back
// when the session dies (store/previous_project.h).
#ifndef IVARSCAN_STORE_REPOSITORY_FOLDER_FORM_H_
#define IVARSCAN_STORE_REPOSITORY_FOLDER_FORM_H_

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/env.h"
#include "store/previous_project.h"
#include "store/repository_form.h"

namespace ivarscan {

class RepositoryFolderForm final : public RepositoryForm {
 public:
  // `env` must outlive the object.
  RepositoryFolderForm(Env& env, std::string folder);

  // Fails with kFolderLocked when another process holds repository.lock, with
  // kFolderLockUnusable when it cannot be created or opened, and with kFolderWriteFailed
  // when what a run which never closed the repository had changed cannot be put back.
  Status Open(SkipList* skipped) override;
  Status Close() override;
  const std::string& current() const override { return current_; }
  std::error_code ListProjects(std::vector<std::string>* names, SkipList* skipped) override;
  // Selecting the project that was current before this session's first change puts back
  // exactly what repository.ini said then, even when that was no project, a project that
  // no longer exists, or no file at all.
  Status Select(std::string_view name, SkipList* skipped) override;
  // The project's folder, while it holds its project.ini.
  std::optional<ProjectPlace> PlaceOf(const std::string& project) override;
  std::error_code open_error() const override { return lock_error_; }

 private:
  std::string SettingsPath() const;
  // Reads repository.ini; nullopt when there is none. Fails when it exists but cannot be
  // read.
  std::error_code ReadSettings(std::optional<std::string>* text);
  Status RestoreAfterDeadSession(SkipList* skipped);
  // Writes (or removes) repository.ini so that it says what `previous` records.
  Status PutBack(std::string_view text, const PreviousProject& previous);
  Status WriteSettings(const std::string& text);

  Env& env_;
  std::string folder_;
  std::unique_ptr<FileLock> lock_;  // held while the session lasts
  std::error_code lock_error_;      // why the last Open could not lock
  std::string current_;             // empty: none
  // What repository.ini said before this session changed the current project, and the
  // name the current project then went by; set while the change stands.
  std::optional<PreviousProject> previous_;
  std::string previous_name_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_STORE_REPOSITORY_FOLDER_FORM_H_
