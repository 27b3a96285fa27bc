// The Windows headers as the desktop front end includes them. They define macros that
// collide with the program's own names (MessageBox for Ui::MessageBox, ERROR for the error
// record), so those are undefined here, before any portable header is read; the front end
// calls the ANSI functions by their full names (MessageBoxA).
#ifndef IVARSCAN_APP_WIN32_WINDOWS_HEADERS_H_
#define IVARSCAN_APP_WIN32_WINDOWS_HEADERS_H_

#include <windows.h>

#include <commctrl.h>

#undef MessageBox
#undef ERROR

#endif  // IVARSCAN_APP_WIN32_WINDOWS_HEADERS_H_
