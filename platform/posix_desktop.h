// The POSIX desktop: no IDE window ever exists here, and the report is opened with the
// desktop's own opener (xdg-open) when a graphical session is there.
#ifndef IVARSCAN_PLATFORM_POSIX_DESKTOP_H_
#define IVARSCAN_PLATFORM_POSIX_DESKTOP_H_

#include "platform/desktop.h"
#include "platform/env.h"

namespace ivarscan {

class PosixDesktop final : public Desktop {
 public:
  explicit PosixDesktop(Env& env) : env_(env) {}

  bool FindTopLevelWindow(const std::string& class_name) override;
  void SendCloseMessage(const std::string& class_name) override;
  // Starts xdg-open on the file, detached, when DISPLAY or WAYLAND_DISPLAY is set and
  // xdg-open is on the PATH; false otherwise.
  bool OpenInViewer(const std::string& command_line, const std::string& file_name) override;

 private:
  Env& env_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_POSIX_DESKTOP_H_
