// The desktop program's entry: installs the error handling with the Win32 error box, wires
// the repository folder, the Win32 toolkit and the Windows desktop into the application
// shell, and runs it. Its one argument, when given, is the repository folder (a folder
// dropped on the program's icon, a shortcut's target line, "Send to").
#ifndef IVARSCAN_APP_WIN32_DESKTOP_MAIN_H_
#define IVARSCAN_APP_WIN32_DESKTOP_MAIN_H_

#include "platform/variant.h"

namespace ivarscan {

// Runs the desktop program of `variant` and returns the process's exit code: 1 when the
// folder argument names no folder or the folder chooser was cancelled, else 0, unless a
// failure was aborted in the error box, which ends the process with the failure's general
// code before this returns.
int RunDesktop(const Variant& variant);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_WIN32_DESKTOP_MAIN_H_
