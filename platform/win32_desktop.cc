#include "platform/win32_desktop.h"

#include <windows.h>

namespace ivarscan {

bool Win32Desktop::FindTopLevelWindow(const std::string& class_name) {
  return ::FindWindowA(class_name.c_str(), nullptr) != nullptr;
}

void Win32Desktop::SendCloseMessage(const std::string& class_name) {
  HWND window = ::FindWindowA(class_name.c_str(), nullptr);
  if (window != nullptr) ::SendMessageA(window, WM_CLOSE, 0, 0);
}

bool Win32Desktop::OpenInViewer(const std::string& command_line, const std::string&) {
  // WinExec returns a value above 31 when the program was started.
  return ::WinExec(command_line.c_str(), SW_SHOWNORMAL) > 31;
}

std::unique_ptr<Desktop> NewSystemDesktop(Env&) { return std::make_unique<Win32Desktop>(); }

}  // namespace ivarscan
