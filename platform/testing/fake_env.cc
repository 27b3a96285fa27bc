#include "platform/testing/fake_env.h"

namespace ivarscan {

std::error_code FakeEnv::ReadFile(const std::string& path, std::string* contents) {
  ++read_count_;
  if (auto found = read_errors_.find(path); found != read_errors_.end()) {
    contents->clear();
    return found->second;
  }
  return base_->ReadFile(path, contents);
}

std::error_code FakeEnv::ListDirectory(const std::string& path,
                                       std::vector<DirectoryEntry>* entries) {
  if (auto found = list_errors_.find(path); found != list_errors_.end()) {
    entries->clear();
    return found->second;
  }
  const std::error_code error = base_->ListDirectory(path, entries);
  if (auto found = removed_after_listing_.find(path); found != removed_after_listing_.end()) {
    base_->RemoveFile(found->second);
  }
  return error;
}

std::error_code FakeEnv::WriteFileAtomically(const std::string& path, std::string_view contents) {
  if (auto found = write_errors_.find(path); found != write_errors_.end()) return found->second;
  return base_->WriteFileAtomically(path, contents);
}

std::error_code FakeEnv::LockFile(const std::string& path, std::unique_ptr<FileLock>* lock) {
  if (auto found = lock_errors_.find(path); found != lock_errors_.end()) return found->second;
  return base_->LockFile(path, lock);
}

std::string FakeEnv::EnvironmentVariable(const std::string& name) {
  if (auto found = variables_.find(name); found != variables_.end()) return found->second;
  return base_->EnvironmentVariable(name);
}

}  // namespace ivarscan
