// Operating-system exceptions: the fatal signals on POSIX (posix_os_exception.cc), the
// structured exceptions on Windows (an unhandled-exception filter, win32 side). Each one is
// described in an OsException and handed to the installed reporter, which runs in signal
// context: it may only call async-signal-safe functions, such as the helpers below, the
// call-stack queries and the date and time formatting of runtime_settings.h.
#ifndef IVARSCAN_PLATFORM_OS_EXCEPTION_H_
#define IVARSCAN_PLATFORM_OS_EXCEPTION_H_

#include <cstddef>
#include <cstdint>

namespace ivarscan {

struct OsException {
  std::uint32_t code;             // the signal number (POSIX) or exception code (Windows)
  std::uint32_t flags;            // si_code (POSIX) or the exception flags (Windows)
  const void* address;            // the faulting address
  std::uint32_t parameter_count;  // number of exception parameters (0 on POSIX)
  std::uint32_t info;             // further information (Windows); 0 on POSIX
  const char* description;        // static text naming the exception
};

// Reports `exception` and returns the exit status the process ends with.
using OsExceptionReporter = int (*)(const OsException& exception);

// Installs `reporter` for SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT, SIGSYS and SIGTRAP, on
// an alternate signal stack so that a stack overflow is reported too. While it reports, the
// other fatal signals sent to the process are held back, so that no second report cuts into
// the first. After the reporter returns the process ends at once with its status; a fault
// inside the reporter ends the process with the signal's default action.
void InstallOsExceptionReporter(OsExceptionReporter reporter);

// The handle of standard error for SignalSafeWrite.
inline constexpr int kStandardErrorHandle = 2;

// Opens a file for appending, creating it (never truncating it) when missing, with sharing
// that lets other processes append at the same time. Returns the handle, or -1 with the
// system's error code in *error: also, without waiting, for anything but a regular file (a
// named pipe, a device), with EINVAL (ERROR_INVALID_PARAMETER). Async-signal-safe.
int SignalSafeOpenForAppend(const char* path, int* error);

// Appends one entry to a log from SignalSafeOpenForAppend in one write: `text` holds
// `separator_size` bytes of separator, then the entry, `size` bytes in all; the separator
// is left out when the log is empty. Holds the log's lock meanwhile, so that writers in
// other processes take turns. Async-signal-safe.
void SignalSafeAppendEntry(int handle, const char* text, std::size_t separator_size,
                           std::size_t size);

// Writes all of `data`, giving up silently on errors. Async-signal-safe.
void SignalSafeWrite(int handle, const char* data, std::size_t size);

// Closes a handle from SignalSafeOpenForAppend. Async-signal-safe.
void SignalSafeClose(int handle);

// Shows the error box of an operating-system exception, whose only choice is abort, and
// returns when the user has taken it: a message box without owner on Windows, whose
// desktop programs have no standard error; nothing on POSIX, where the report on standard
// error is what the user sees. Allocates nothing; called from the reporter.
void ShowFatalErrorBox(const char* text, const char* caption);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_OS_EXCEPTION_H_
