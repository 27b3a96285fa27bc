#include "platform/shared_log.h"

#include "platform/os_exception.h"

namespace ivarscan {
namespace {

class SharedLogFile final : public WritableFile {
 public:
  SharedLogFile(int handle, std::string_view separator) : handle_(handle), separator_(separator) {}
  ~SharedLogFile() override { Close(); }

  std::error_code Write(std::string_view data, std::size_t* written) override {
    *written = 0;
    if (handle_ < 0) return std::make_error_code(std::errc::bad_file_descriptor);
    std::string entry = separator_;
    entry.append(data);
    SignalSafeAppendEntry(handle_, entry.data(), separator_.size(), entry.size());
    *written = data.size();
    return {};
  }

  std::error_code Close() override {
    if (handle_ >= 0) SignalSafeClose(handle_);
    handle_ = -1;
    return {};
  }

  std::uint32_t NativeHandle() const override {
    return handle_ >= 0 ? static_cast<std::uint32_t>(handle_) : 0;
  }

 private:
  int handle_;
  const std::string separator_;
};

}  // namespace

std::error_code OpenSharedLog(const std::string& path, std::string_view separator,
                              std::unique_ptr<WritableFile>* file) {
  int error = 0;
  const int handle = SignalSafeOpenForAppend(path.c_str(), &error);
  if (handle < 0) return std::error_code(error, std::system_category());
  *file = std::make_unique<SharedLogFile>(handle, separator);
  return {};
}

}  // namespace ivarscan
