#include "platform/testing/memory_env.h"

#include <algorithm>

namespace ivarscan {
namespace {

class MemoryFile final : public WritableFile {
 public:
  MemoryFile(MemoryEnv& env, std::string path)
      : env_(env), path_(std::move(path)), handle_(env.next_handle++) {}
  std::error_code Write(std::string_view data, std::size_t* written) override {
    *written = data.size();
    std::error_code error;
    if (env_.failing_appends > 0) {
      --env_.failing_appends;
      *written = std::min(data.size(), env_.stored_before_failing);
      error = std::make_error_code(std::errc::no_space_on_device);
    }
    env_.files[path_].append(data.substr(0, *written));
    return error;
  }
  std::error_code Close() override {
    if (handle_ != 0 && env_.failing_closes > 0) {
      --env_.failing_closes;
      close_error_ = std::make_error_code(std::errc::io_error);
    }
    handle_ = 0;
    return close_error_;
  }
  std::uint32_t NativeHandle() const override { return handle_; }

 private:
  MemoryEnv& env_;
  std::string path_;
  std::uint32_t handle_;
  std::error_code close_error_;
};

}  // namespace

std::error_code MemoryEnv::ReadFile(const std::string& path, std::string* contents) {
  auto found = files.find(path);
  if (found == files.end()) return std::make_error_code(std::errc::no_such_file_or_directory);
  *contents = found->second;
  return {};
}

std::error_code MemoryEnv::NewWritableFile(const std::string& path,
                                           std::unique_ptr<WritableFile>* file) {
  if (failing_creates > 0) {
    --failing_creates;
    return std::make_error_code(std::errc::permission_denied);
  }
  files[path].clear();
  *file = std::make_unique<MemoryFile>(*this, path);
  return {};
}

}  // namespace ivarscan
