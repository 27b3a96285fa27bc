// The Windows desktop: the IDE's window is found with FindWindowA and closed with a sent
// WM_CLOSE; the report is opened with WinExec.
#ifndef IVARSCAN_PLATFORM_WIN32_DESKTOP_H_
#define IVARSCAN_PLATFORM_WIN32_DESKTOP_H_

#include <memory>

#include "platform/desktop.h"

namespace ivarscan {

// Returns the Desktop of the Windows build. OpenInViewer runs the command line with
// WinExec and show mode 1 (normal window), does not wait, and reports nothing.
std::unique_ptr<Desktop> NewWin32Desktop();

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_WIN32_DESKTOP_H_
