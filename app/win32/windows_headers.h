// The Windows headers as the desktop front end includes them. The front end calls the ANSI
// functions by their full names (MessageBoxA), so no program name has to avoid the headers'
// character-set macros.
#ifndef IVARSCAN_APP_WIN32_WINDOWS_HEADERS_H_
#define IVARSCAN_APP_WIN32_WINDOWS_HEADERS_H_

#include <windows.h>

#include <commctrl.h>

#endif  // IVARSCAN_APP_WIN32_WINDOWS_HEADERS_H_
