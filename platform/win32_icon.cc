#include <windows.h>

#include <shellapi.h>

#include "platform/env.h"
#include "platform/icon.h"
#include "platform/win32_text.h"

namespace ivarscan {
namespace {

// An icon taken from a file with ExtractIconW; destroys the icon handle with it. A file
// that holds no icon gives an object without a handle, like the console edition's.
class Win32Icon final : public Icon {
 public:
  Win32Icon(HICON handle, std::string file_name)
      : handle_(handle), file_name_(std::move(file_name)) {}
  Win32Icon(const Win32Icon&) = delete;
  Win32Icon& operator=(const Win32Icon&) = delete;
  ~Win32Icon() override {
    if (handle_ != nullptr) ::DestroyIcon(handle_);
  }

  const std::string& file_name() const override { return file_name_; }

 private:
  HICON handle_;
  std::string file_name_;
};

}  // namespace

std::shared_ptr<Icon> ExtractFirstIcon(const std::string& file_name) {
  if (!Env::Default()->FileExists(file_name)) return nullptr;
  HICON handle = ::ExtractIconW(::GetModuleHandleW(nullptr), ToWide(file_name).c_str(), 0);
  // ExtractIconW yields 1, not a handle, for a file of a kind that cannot hold icons.
  if (handle == reinterpret_cast<HICON>(1)) handle = nullptr;
  return std::make_shared<Win32Icon>(handle, file_name);
}

}  // namespace ivarscan
