// The Windows desktop: the IDE's window is found with FindWindowA and asked to close with
// a sent WM_CLOSE; the report is opened with WinExec.
#ifndef IVARSCAN_PLATFORM_WIN32_DESKTOP_H_
#define IVARSCAN_PLATFORM_WIN32_DESKTOP_H_

#include "platform/desktop.h"

namespace ivarscan {

class Win32Desktop final : public Desktop {
 public:
  bool FindTopLevelWindow(const std::string& class_name) override;
  void SendCloseMessage(const std::string& class_name) override;
  // Runs `command_line` with WinExec and show mode 1 (a normal window) without waiting;
  // false when WinExec reports that it could not start it.
  bool OpenInViewer(const std::string& command_line, const std::string& file_name) override;
};

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_WIN32_DESKTOP_H_
