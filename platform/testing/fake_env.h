// FakeEnv: the one Env for tests. It either passes calls to a real Env or, made without
// one, keeps its files in memory, counts its sleeps instead of sleeping and has no folders
// or locks. In both cases it can make chosen calls fail, as files that cannot be read,
// listed, written or locked would, a locked file, a full disk or a failing device; can
// remove a file right after its folder is listed, as one deleted during a read vanishes;
// and answers environment-variable queries from its own table.
#ifndef IVARSCAN_PLATFORM_TESTING_FAKE_ENV_H_
#define IVARSCAN_PLATFORM_TESTING_FAKE_ENV_H_

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/env.h"

namespace ivarscan {

class FakeEnv final : public Env {
 public:
  // Keeps files in memory (see files()); listing and locking are not supported.
  FakeEnv() = default;
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
  // The next `count` NewWritableFile calls fail with EACCES, as for a locked file.
  void FailNextCreations(int count) { failing_creations_ = count; }
  // The next `count` writes to any WritableFile fail with ENOSPC. Each first stores up to
  // `stored_before_failing` bytes, as a short write before a full disk does.
  void FailNextWrites(int count, std::size_t stored_before_failing = 0) {
    failing_writes_ = count;
    stored_before_failing_ = stored_before_failing;
  }
  // The next `count` closes of a WritableFile fail with EIO. A failed close is final, as
  // the system's is: the file is closed all the same.
  void FailNextCloses(int count) { failing_closes_ = count; }
  // Sets a variable that EnvironmentVariable answers instead of the base Env.
  void SetEnvironmentVariable(const std::string& name, const std::string& value) {
    variables_[name] = value;
  }

  // The files kept in memory, by path, when there is no base Env. Writable files get the
  // handles 5, 6, ... in the order they are created.
  std::map<std::string, std::string>& files() { return files_; }
  // The number of ReadFile calls so far, failed ones included.
  int read_count() const { return read_count_; }
  // The number of SleepForMilliseconds calls so far, and the milliseconds they asked for.
  int sleeps() const { return sleeps_; }
  int slept_milliseconds() const { return slept_milliseconds_; }

  std::error_code ReadFile(const std::string& path, std::string* contents) override;
  std::error_code ListDirectory(const std::string& path,
                                std::vector<DirectoryEntry>* entries) override;
  bool IsDirectory(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  std::error_code NewWritableFile(const std::string& path,
                                  std::unique_ptr<WritableFile>* file) override;
  std::error_code WriteFileAtomically(const std::string& path, std::string_view contents) override;
  std::error_code RemoveFile(const std::string& path) override;
  std::error_code LockFile(const std::string& path, std::unique_ptr<FileLock>* lock) override;
  void SleepForMilliseconds(int milliseconds) override;
  std::string EnvironmentVariable(const std::string& name) override;

 private:
  class FakeFile;

  Env* base_ = nullptr;
  std::map<std::string, std::error_code> read_errors_;
  std::map<std::string, std::error_code> list_errors_;
  std::map<std::string, std::string> removed_after_listing_;
  std::map<std::string, std::error_code> write_errors_;
  std::map<std::string, std::error_code> lock_errors_;
  std::map<std::string, std::string> variables_;
  int failing_creations_ = 0;
  int failing_writes_ = 0;
  int failing_closes_ = 0;
  std::size_t stored_before_failing_ = 0;
  std::map<std::string, std::string> files_;
  std::uint32_t next_handle_ = 5;
  std::atomic<int> read_count_{0};
  int sleeps_ = 0;
  int slept_milliseconds_ = 0;
};

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_TESTING_FAKE_ENV_H_
