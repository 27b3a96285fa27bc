#include "platform/testing/fake_env.h"

#include <algorithm>
#include <utility>

namespace ivarscan {
namespace {

// Counts one use of a failure set with FailNext...; true when this call is to fail.
bool TakeFailure(int* remaining) {
  if (*remaining == 0) return false;
  --*remaining;
  return true;
}

}  // namespace

// A writable file whose bytes go to the base Env's file or, without one, to the files in
// memory, and whose writes and closes fail as the FakeEnv says.
class FakeEnv::FakeFile final : public WritableFile {
 public:
  FakeFile(FakeEnv& env, std::string path, std::unique_ptr<WritableFile> base_file)
      : env_(env),
        path_(std::move(path)),
        base_file_(std::move(base_file)),
        handle_(base_file_ ? 0 : env.next_handle_++) {}

  std::error_code Write(std::string_view data, std::size_t* written) override {
    if (!TakeFailure(&env_.failing_writes_)) return Store(data, written);
    Store(data.substr(0, std::min(data.size(), env_.stored_before_failing_)), written);
    return std::make_error_code(std::errc::no_space_on_device);
  }

  std::error_code Close() override {
    if (closed_) return close_error_;
    closed_ = true;
    if (base_file_) close_error_ = base_file_->Close();
    handle_ = 0;
    if (TakeFailure(&env_.failing_closes_)) {
      close_error_ = std::make_error_code(std::errc::io_error);
    }
    return close_error_;
  }

  std::uint32_t NativeHandle() const override {
    return base_file_ ? base_file_->NativeHandle() : handle_;
  }

 private:
  std::error_code Store(std::string_view data, std::size_t* written) {
    if (base_file_) return base_file_->Write(data, written);
    env_.files_[path_].append(data);
    *written = data.size();
    return {};
  }

  FakeEnv& env_;
  std::string path_;
  std::unique_ptr<WritableFile> base_file_;
  std::uint32_t handle_;
  bool closed_ = false;
  std::error_code close_error_;
};

std::error_code FakeEnv::ReadFile(const std::string& path, std::string* contents) {
  ++read_count_;
  if (auto found = read_errors_.find(path); found != read_errors_.end()) {
    contents->clear();
    return found->second;
  }
  if (base_) return base_->ReadFile(path, contents);
  auto found = files_.find(path);
  if (found == files_.end()) return std::make_error_code(std::errc::no_such_file_or_directory);
  *contents = found->second;
  return {};
}

std::error_code FakeEnv::ListDirectory(const std::string& path,
                                       std::vector<DirectoryEntry>* entries) {
  if (auto found = list_errors_.find(path); found != list_errors_.end()) {
    entries->clear();
    return found->second;
  }
  const std::error_code error =
      base_ ? base_->ListDirectory(path, entries) : std::make_error_code(std::errc::not_supported);
  if (auto found = removed_after_listing_.find(path); found != removed_after_listing_.end()) {
    RemoveFile(found->second);
  }
  return error;
}

bool FakeEnv::IsDirectory(const std::string& path) {
  return base_ ? base_->IsDirectory(path) : false;
}

bool FakeEnv::FileExists(const std::string& path) {
  return base_ ? base_->FileExists(path) : files_.count(path) != 0;
}

std::error_code FakeEnv::NewWritableFile(const std::string& path,
                                         std::unique_ptr<WritableFile>* file) {
  if (TakeFailure(&failing_creations_)) return std::make_error_code(std::errc::permission_denied);
  std::unique_ptr<WritableFile> base_file;
  if (base_) {
    if (std::error_code error = base_->NewWritableFile(path, &base_file)) return error;
  } else {
    files_[path].clear();
  }
  *file = std::make_unique<FakeFile>(*this, path, std::move(base_file));
  return {};
}

std::error_code FakeEnv::WriteFileAtomically(const std::string& path, std::string_view contents) {
  if (auto found = write_errors_.find(path); found != write_errors_.end()) return found->second;
  if (base_) return base_->WriteFileAtomically(path, contents);
  files_[path] = std::string(contents);
  return {};
}

std::error_code FakeEnv::RemoveFile(const std::string& path) {
  if (base_) return base_->RemoveFile(path);
  return files_.erase(path) != 0 ? std::error_code()
                                 : std::make_error_code(std::errc::no_such_file_or_directory);
}

std::error_code FakeEnv::LockFile(const std::string& path, std::unique_ptr<FileLock>* lock) {
  if (auto found = lock_errors_.find(path); found != lock_errors_.end()) return found->second;
  return base_ ? base_->LockFile(path, lock) : std::make_error_code(std::errc::not_supported);
}

void FakeEnv::SleepForMilliseconds(int milliseconds) {
  ++sleeps_;
  slept_milliseconds_ += milliseconds;
  if (base_) base_->SleepForMilliseconds(milliseconds);
}

std::string FakeEnv::EnvironmentVariable(const std::string& name) {
  if (auto found = variables_.find(name); found != variables_.end()) return found->second;
  return base_ ? base_->EnvironmentVariable(name) : "";
}

}  // namespace ivarscan
