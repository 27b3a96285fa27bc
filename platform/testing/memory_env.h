// MemoryEnv: an Env for tests whose files live in memory and whose sleeping only counts.
// Creations, writes and closes can be made to fail, as a locked file, a full disk or a
// failing device would.
#ifndef IVARSCAN_PLATFORM_TESTING_MEMORY_ENV_H_
#define IVARSCAN_PLATFORM_TESTING_MEMORY_ENV_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/env.h"

namespace ivarscan {

class MemoryEnv final : public Env {
 public:
  std::map<std::string, std::string> files;
  int sleeps = 0;
  int slept_milliseconds = 0;
  // The next N creations, writes or closes fail with EACCES / ENOSPC / EIO. A failing
  // write first stores up to `stored_before_failing` bytes, as a short write before a full
  // disk does; a failed close is final, as the system's is.
  int failing_creates = 0;
  int failing_appends = 0;
  int failing_closes = 0;
  std::size_t stored_before_failing = 0;
  // The handle the next file gets.
  std::uint32_t next_handle = 5;

  std::error_code ReadFile(const std::string& path, std::string* contents) override;
  std::error_code ListDirectory(const std::string&, std::vector<DirectoryEntry>*) override {
    return std::make_error_code(std::errc::not_supported);
  }
  bool IsDirectory(const std::string&) override { return false; }
  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  std::error_code NewWritableFile(const std::string& path,
                                  std::unique_ptr<WritableFile>* file) override;
  std::error_code WriteFileAtomically(const std::string& path, std::string_view contents) override {
    files[path] = std::string(contents);
    return {};
  }
  std::error_code RemoveFile(const std::string& path) override {
    return files.erase(path) != 0 ? std::error_code()
                                  : std::make_error_code(std::errc::no_such_file_or_directory);
  }
  std::error_code LockFile(const std::string&, std::unique_ptr<FileLock>*) override {
    return std::make_error_code(std::errc::not_supported);
  }
  void SleepForMilliseconds(int milliseconds) override {
    ++sleeps;
    slept_milliseconds += milliseconds;
  }
  std::string EnvironmentVariable(const std::string&) override { return ""; }
};

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_TESTING_MEMORY_ENV_H_
