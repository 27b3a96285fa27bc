// FakeEnv: an Env for tests that passes every call to a real Env but can make chosen
// calls fail, as files that cannot be read, listed, written or locked would, can remove a
// file right after its folder is listed, as one deleted during a read vanishes, and
// answers environment-variable queries from its own table.
#ifndef IVARSCAN_PLATFORM_TESTING_FAKE_ENV_H_
#define IVARSCAN_PLATFORM_TESTING_FAKE_ENV_H_

#include <atomic>
#include <map>
#include <string>

#include "platform/env.h"

namespace ivarscan {

class FakeEnv final : public Env {
 public:
  // `base` serves every call that no failure is set for; it must outlive this object.
  explicit FakeEnv(Env* base) : base_(base) {}

  // From now on ReadFile(path) fails with `error` (and leaves the contents empty). Set the
  // failures before the reading starts: ReadFile may run on several threads at once.
  void FailReadFile(const std::string& path, std::error_code error) { read_errors_[path] = error; }
  // From now on ListDirectory(path) fails with `error`.
  void FailListDirectory(const std::string& path, std::error_code error) {
    list_errors_[path] = error;
  }
  // From now on listing `folder` removes `file` right after, as someone deleting it while
  // the folder is being read would.
  void RemoveAfterListing(const std::string& folder, const std::string& file) {
    removed_after_listing_[folder] = file;
  }
  // From now on WriteFileAtomically(path, ...) fails with `error` and leaves the file alone.
  void FailWriteFileAtomically(const std::string& path, std::error_code error) {
    write_errors_[path] = error;
  }
  // From now on LockFile(path) fails with `error`.
  void FailLockFile(const std::string& path, std::error_code error) { lock_errors_[path] = error; }
  // Sets a variable that EnvironmentVariable answers instead of the base Env.
  void SetEnvironmentVariable(const std::string& name, const std::string& value) {
    variables_[name] = value;
  }

  // The number of ReadFile calls so far, failed ones included.
  int read_count() const { return read_count_; }

  std::error_code ReadFile(const std::string& path, std::string* contents) override;
  std::error_code ListDirectory(const std::string& path,
                                std::vector<DirectoryEntry>* entries) override;
  bool IsDirectory(const std::string& path) override { return base_->IsDirectory(path); }
  bool FileExists(const std::string& path) override { return base_->FileExists(path); }
  std::error_code NewWritableFile(const std::string& path,
                                  std::unique_ptr<WritableFile>* file) override {
    return base_->NewWritableFile(path, file);
  }
  std::error_code WriteFileAtomically(const std::string& path, std::string_view contents) override;
  std::error_code RemoveFile(const std::string& path) override { return base_->RemoveFile(path); }
  std::error_code LockFile(const std::string& path, std::unique_ptr<FileLock>* lock) override;
  void SleepForMilliseconds(int milliseconds) override {
    base_->SleepForMilliseconds(milliseconds);
  }
  std::string EnvironmentVariable(const std::string& name) override;

 private:
  Env* base_;
  std::map<std::string, std::error_code> read_errors_;
  std::map<std::string, std::error_code> list_errors_;
  std::map<std::string, std::string> removed_after_listing_;
  std::map<std::string, std::error_code> write_errors_;
  std::map<std::string, std::error_code> lock_errors_;
  std::map<std::string, std::string> variables_;
  std::atomic<int> read_count_{0};
};

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_TESTING_FAKE_ENV_H_
