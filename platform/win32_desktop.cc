#include "platform/win32_desktop.h"

#include <windows.h>

namespace ivarscan {
namespace {

class Win32Desktop final : public Desktop {
 public:
  bool FindTopLevelWindow(const std::string& class_name) override {
    return ::FindWindowA(class_name.c_str(), nullptr) != nullptr;
  }

  void SendCloseMessage(const std::string& class_name) override {
    HWND window = ::FindWindowA(class_name.c_str(), nullptr);
    if (window != nullptr) ::SendMessageA(window, WM_CLOSE, 0, 0);
  }

  std::string OpenInViewer(const std::string& command_line, const std::string&) override {
    ::WinExec(command_line.c_str(), SW_SHOWNORMAL);
    return "";
  }
};

}  // namespace

std::unique_ptr<Desktop> NewWin32Desktop() { return std::make_unique<Win32Desktop>(); }

}  // namespace ivarscan
