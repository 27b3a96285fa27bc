#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/os_exception.h"

namespace ivarscan {
namespace {

struct FatalSignal {
  int number;
  const char* description;
};

constexpr FatalSignal kFatalSignals[] = {
    {SIGSEGV, "SIGSEGV: invalid memory reference"},
    {SIGBUS, "SIGBUS: bus error"},
    {SIGFPE, "SIGFPE: arithmetic exception"},
    {SIGILL, "SIGILL: illegal instruction"},
    {SIGABRT, "SIGABRT: abnormal termination"},
    {SIGSYS, "SIGSYS: bad system call"},
    {SIGTRAP, "SIGTRAP: trace trap"},
};

OsExceptionReporter installed_reporter = nullptr;

const char* DescriptionOf(int number) {
  for (const FatalSignal& signal : kFatalSignals) {
    if (signal.number == number) return signal.description;
  }
  return "fatal signal";
}

void OnFatalSignal(int number, siginfo_t* info, void*) {
  const OsException exception{static_cast<std::uint32_t>(number),
                              static_cast<std::uint32_t>(info->si_code),
                              info->si_addr,
                              0,
                              0,
                              DescriptionOf(number)};
  _exit(installed_reporter(exception));
}

void InstallAlternateStack() {
  static char* stack = nullptr;
  if (stack != nullptr) return;
  const std::size_t size = 64 * 1024;
  stack = static_cast<char*>(std::malloc(size));  // kept for the life of the process
  if (stack == nullptr) return;
  stack_t alternate{};
  alternate.ss_sp = stack;
  alternate.ss_size = size;
  ::sigaltstack(&alternate, nullptr);
}

// Opens `path` without waiting on a named pipe, and keeps it only when it is a regular
// file (writing to a pipe or a device could block or go nowhere).
int OpenRegularFile(const char* path, int flags, mode_t mode) {
  const int handle = ::open(path, flags | O_NONBLOCK | O_CLOEXEC, mode);
  if (handle < 0) return handle;
  struct stat info;
  if (::fstat(handle, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(handle);
    errno = EINVAL;
    return -1;
  }
  return handle;
}

}  // namespace

void InstallOsExceptionReporter(OsExceptionReporter reporter) {
  installed_reporter = reporter;
  InstallAlternateStack();
  struct sigaction action {};
  action.sa_sigaction = OnFatalSignal;
  action.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_RESETHAND;
  // A second fatal signal waits while the first is reported; the process ends first.
  sigemptyset(&action.sa_mask);
  for (const FatalSignal& signal : kFatalSignals) sigaddset(&action.sa_mask, signal.number);
  for (const FatalSignal& signal : kFatalSignals) ::sigaction(signal.number, &action, nullptr);
}

int SignalSafeOpenForAppend(const char* path, int* error) {
  for (;;) {
    int handle = OpenRegularFile(path, O_WRONLY | O_APPEND, 0);
    if (handle < 0 && errno == ENOENT) {
      handle = OpenRegularFile(path, O_WRONLY | O_APPEND | O_CREAT | O_EXCL, 0644);
      if (handle < 0 && errno == EEXIST) continue;  // another process made it meanwhile
    }
    *error = handle < 0 ? errno : 0;
    return handle;
  }
}

void SignalSafeAppendEntry(int handle, const char* text, std::size_t separator_size,
                           std::size_t size) {
  struct flock whole {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  while (::fcntl(handle, F_SETLKW, &whole) != 0 && errno == EINTR) {
  }
  struct stat info;
  const std::size_t skip = ::fstat(handle, &info) == 0 && info.st_size == 0 ? separator_size : 0;
  SignalSafeWrite(handle, text + skip, size - skip);
  whole.l_type = F_UNLCK;
  ::fcntl(handle, F_SETLK, &whole);
}

void SignalSafeWrite(int handle, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(handle, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
}

void SignalSafeClose(int handle) { ::close(handle); }

void ShowFatalErrorBox(const char*, const char*) {}

}  // namespace ivarscan
