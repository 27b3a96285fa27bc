#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <atomic>
#include <cstdio>

#include "platform/console.h"
#include "platform/win32_console.h"
#include "platform/win32_text.h"

namespace ivarscan {
namespace {

// The system runs console handlers on a thread of their own.
std::atomic<bool> interrupted{false};

BOOL WINAPI OnConsoleEvent(DWORD event) { return TakeConsoleEvent(event) ? TRUE : FALSE; }

HANDLE StandardHandle(int descriptor) {
  switch (descriptor) {
    case 0:
      return ::GetStdHandle(STD_INPUT_HANDLE);
    case 1:
      return ::GetStdHandle(STD_OUTPUT_HANDLE);
    default:
      return ::GetStdHandle(STD_ERROR_HANDLE);
  }
}

}  // namespace

bool TakeConsoleEvent(unsigned long event) {
  if (event != CTRL_C_EVENT) return false;
  return !interrupted.exchange(true);
}

std::vector<std::string> SplitCommandLine(const wchar_t* command_line) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(command_line, &count);
  std::vector<std::string> arguments;
  for (int i = 1; wide != nullptr && i < count; ++i) {
    arguments.push_back(FromWide(wide[i]));
    if (arguments.back().ends_with('"')) arguments.back().back() = '\\';
  }
  ::LocalFree(wide);
  return arguments;
}

std::vector<std::string> CommandLineArguments(int, char**) {
  return SplitCommandLine(::GetCommandLineW());
}

bool IsTerminal(int descriptor) {
  const HANDLE handle = StandardHandle(descriptor);
  DWORD mode = 0;
  if (!::GetConsoleMode(handle, &mode)) return false;  // a file, a pipe or nothing
  if (descriptor == 0 || (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING)) return true;
  return ::SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

void UseBinaryStandardOutput() {
  std::fflush(stdout);
  std::fflush(stderr);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

void CatchInterrupt() {
  interrupted = false;
  // A parent may have left Ctrl-C ignored, which would keep it from every handler.
  ::SetConsoleCtrlHandler(nullptr, FALSE);
  ::SetConsoleCtrlHandler(&OnConsoleEvent, TRUE);
}

void ReleaseInterrupt() { ::SetConsoleCtrlHandler(&OnConsoleEvent, FALSE); }

bool InterruptRequested() { return interrupted; }

}  // namespace ivarscan
