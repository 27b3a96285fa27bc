// Desktop: the operating system's windows and processes as the start-up and the report run
// need them. On Windows these are FindWindowA, SendMessageA and WinExec; the console
// edition's POSIX implementation finds no IDE window and opens the report with the
// desktop's viewer. Tests use a double that plays an IDE that closes, or never closes.
#ifndef IVARSCAN_PLATFORM_DESKTOP_H_
#define IVARSCAN_PLATFORM_DESKTOP_H_

#include <memory>
#include <string>

namespace ivarscan {

class Desktop {
 public:
  virtual ~Desktop() = default;

  // True when a top-level window of the given window class exists, whatever its title.
  virtual bool FindTopLevelWindow(const std::string& class_name) = 0;

  // Looks up the top-level window of the class anew and sends it the window-close message
  // (WM_CLOSE, both parameters 0), waiting until the window has handled it. No window: no
  // effect.
  virtual void SendCloseMessage(const std::string& class_name) = 0;

  // Opens the report file `file_name` (in the current directory) in the platform's text
  // viewer without waiting for it; `command_line` is the Windows form ("notepad " + file).
  // Returns false when no viewer could be started.
  virtual bool OpenInViewer(const std::string& command_line, const std::string& file_name) = 0;
};

class Env;

// The desktop of the system the program runs on: the Windows desktop, or the POSIX one
// that opens files through `env`'s environment.
std::unique_ptr<Desktop> NewSystemDesktop(Env& env);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_DESKTOP_H_
