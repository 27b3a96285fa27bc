#include <windows.h>

#include <cstdint>

#include "platform/os_exception.h"

namespace ivarscan {
namespace {

struct StructuredException {
  DWORD code;
  const char* description;
};

constexpr StructuredException kStructuredExceptions[] = {
    {EXCEPTION_ACCESS_VIOLATION, "EXCEPTION_ACCESS_VIOLATION: invalid memory reference"},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, "EXCEPTION_ARRAY_BOUNDS_EXCEEDED"},
    {EXCEPTION_DATATYPE_MISALIGNMENT, "EXCEPTION_DATATYPE_MISALIGNMENT"},
    {EXCEPTION_FLT_DIVIDE_BY_ZERO, "EXCEPTION_FLT_DIVIDE_BY_ZERO"},
    {EXCEPTION_FLT_INVALID_OPERATION, "EXCEPTION_FLT_INVALID_OPERATION"},
    {EXCEPTION_FLT_OVERFLOW, "EXCEPTION_FLT_OVERFLOW"},
    {EXCEPTION_ILLEGAL_INSTRUCTION, "EXCEPTION_ILLEGAL_INSTRUCTION: illegal instruction"},
    {EXCEPTION_IN_PAGE_ERROR, "EXCEPTION_IN_PAGE_ERROR"},
    {EXCEPTION_INT_DIVIDE_BY_ZERO, "EXCEPTION_INT_DIVIDE_BY_ZERO: integer division by zero"},
    {EXCEPTION_INT_OVERFLOW, "EXCEPTION_INT_OVERFLOW"},
    {EXCEPTION_PRIV_INSTRUCTION, "EXCEPTION_PRIV_INSTRUCTION: privileged instruction"},
    {EXCEPTION_STACK_OVERFLOW, "EXCEPTION_STACK_OVERFLOW: stack overflow"},
    {EXCEPTION_BREAKPOINT, "EXCEPTION_BREAKPOINT: breakpoint"},
};

OsExceptionReporter installed_reporter = nullptr;

const char* DescriptionOf(DWORD code) {
  for (const StructuredException& exception : kStructuredExceptions) {
    if (exception.code == code) return exception.description;
  }
  return "unhandled structured exception";
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
  const OsException exception{
      record.ExceptionCode, record.ExceptionFlags, record.ExceptionAddress, record.NumberParameters,
      // For access violations: 0 read, 1 write, 8 execute.
      record.NumberParameters > 0 ? static_cast<std::uint32_t>(record.ExceptionInformation[0]) : 0u,
      DescriptionOf(record.ExceptionCode)};
  ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(installed_reporter(exception)));
  return EXCEPTION_EXECUTE_HANDLER;
}

HANDLE ToHandle(int handle) {
  if (handle == kStandardErrorHandle) return ::GetStdHandle(STD_ERROR_HANDLE);
  // Kernel handles keep their value when cut to 32 bits and sign-extended back.
  return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(handle));
}

}  // namespace

void InstallOsExceptionReporter(OsExceptionReporter reporter) {
  installed_reporter = reporter;
  // Leaves room on the stack for the reporter after a stack overflow.
  ULONG reserve = 64 * 1024;
  ::SetThreadStackGuarantee(&reserve);
  ::SetUnhandledExceptionFilter(&OnUnhandledException);
}

int SignalSafeOpenForAppend(const char* path, int* error) {
  *error = 0;
  // The path is UTF-8, converted on the stack: the heap may be what failed.
  wchar_t wide_path[4096];
  if (::MultiByteToWideChar(CP_UTF8, 0, path, -1, wide_path, 4096) == 0) {
    *error = static_cast<int>(::GetLastError());
    return -1;
  }
  // Append access only: every write goes to the end of the file. Read access lets the
  // writer lock the file and ask its size.
  HANDLE handle =
      ::CreateFileW(wide_path, FILE_APPEND_DATA | GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    *error = static_cast<int>(::GetLastError());
    return -1;
  }
  if (::GetFileType(handle) != FILE_TYPE_DISK) {  // a device: nothing to append to
    ::CloseHandle(handle);
    *error = ERROR_INVALID_PARAMETER;
    return -1;
  }
  return static_cast<int>(reinterpret_cast<std::intptr_t>(handle));
}

void SignalSafeAppendEntry(int handle, const char* text, std::size_t separator_size,
                           std::size_t size) {
  OVERLAPPED whole = {};
  const bool locked =
      ::LockFileEx(ToHandle(handle), LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole);
  LARGE_INTEGER length = {};
  const std::size_t skip =
      ::GetFileSizeEx(ToHandle(handle), &length) && length.QuadPart == 0 ? separator_size : 0;
  SignalSafeWrite(handle, text + skip, size - skip);
  if (locked) ::UnlockFileEx(ToHandle(handle), 0, MAXDWORD, MAXDWORD, &whole);
}

void ShowFatalErrorBox(const char* text, const char* caption) {
  // No owner window, nothing allocated here: the box is all the filter adds to the fault.
  ::MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONSTOP | MB_TASKMODAL | MB_SETFOREGROUND);
}

void SignalSafeWrite(int handle, const char* data, std::size_t size) {
  while (size > 0) {
    DWORD written = 0;
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    if (!::WriteFile(ToHandle(handle), data, chunk, &written, nullptr) || written == 0) return;
    data += written;
    size -= written;
  }
}

void SignalSafeClose(int handle) {
  if (handle != kStandardErrorHandle) ::CloseHandle(ToHandle(handle));
}

}  // namespace ivarscan
