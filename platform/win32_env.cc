#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>

#include "platform/env.h"
#include "platform/win32_text.h"

namespace ivarscan {
namespace {

std::error_code LastError() {
  return std::error_code(static_cast<int>(::GetLastError()), std::system_category());
}

// Owns a file handle and closes it once.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() { Reset(); }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Gives up ownership of the handle.
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
  std::error_code Reset() {
    std::error_code error;
    if (valid() && !::CloseHandle(handle_)) error = LastError();
    handle_ = INVALID_HANDLE_VALUE;
    return error;
  }

 private:
  HANDLE handle_;
};

HANDLE CreateForWriting(const std::string& path) {
  return ::CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Writes all of `data`; *written counts the bytes stored, also when it fails part way.
std::error_code WriteAll(HANDLE handle, std::string_view data, std::size_t* written) {
  *written = 0;
  while (*written < data.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - *written, 1u << 30));
    DWORD stored = 0;
    if (!::WriteFile(handle, data.data() + *written, chunk, &stored, nullptr)) {
      return LastError();
    }
    *written += stored;
  }
  return {};
}

HANDLE OpenForLock(const std::string& path, DWORD access, DWORD disposition) {
  return ::CreateFileW(ToWide(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::error_code WriteAll(HANDLE handle, std::string_view data) {
  std::size_t written = 0;
  return WriteAll(handle, data, &written);
}

class Win32WritableFile final : public WritableFile {
 public:
  explicit Win32WritableFile(HANDLE handle) : handle_(handle) {}
  ~Win32WritableFile() override { Close(); }

  std::error_code Write(std::string_view data, std::size_t* written) override {
    *written = 0;
    if (!handle_.valid()) return std::error_code(ERROR_INVALID_HANDLE, std::system_category());
    return WriteAll(handle_.get(), data, written);
  }

  std::error_code Close() override {
    // A handle that failed to close is not handed back: it cannot be tried again.
    if (handle_.valid()) close_error_ = handle_.Reset();
    return close_error_;
  }

  std::uint32_t NativeHandle() const override {
    return handle_.valid()
               ? static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle_.get()))
               : 0;
  }

 private:
  FileHandle handle_;
  std::error_code close_error_;
};

// Holds a byte-range lock on the whole file; closing the handle releases it, and so does
// the death of the process.
class Win32FileLock final : public FileLock {
 public:
  explicit Win32FileLock(HANDLE handle) : handle_(handle) {}

 private:
  FileHandle handle_;
};

class Win32Env final : public Env {
 public:
  std::error_code ReadFile(const std::string& path, std::string* contents) override {
    contents->clear();
    FileHandle file(::CreateFileW(ToWide(path).c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return LastError();
    LARGE_INTEGER size;
    if (::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
      contents->reserve(static_cast<std::size_t>(size.QuadPart));
    }
    char chunk[64 * 1024];
    for (;;) {
      DWORD got = 0;
      if (!::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return LastError();
      if (got == 0) return {};
      contents->append(chunk, got);
    }
  }

  std::error_code ListDirectory(const std::string& path,
                                std::vector<DirectoryEntry>* entries) override {
    entries->clear();
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW(ToWide(JoinPath(path, "*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return LastError();
    do {
      const std::string name = FromWide(found.cFileName);
      if (name == "." || name == "..") continue;
      entries->push_back({name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (::FindNextFileW(search, &found));
    std::error_code error;
    if (::GetLastError() != ERROR_NO_MORE_FILES) error = LastError();
    ::FindClose(search);
    return error;
  }

  bool IsDirectory(const std::string& path) override {
    const DWORD attributes = ::GetFileAttributesW(ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool FileExists(const std::string& path) override {
    const DWORD attributes = ::GetFileAttributesW(ToWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  std::error_code NewWritableFile(const std::string& path,
                                  std::unique_ptr<WritableFile>* file) override {
    HANDLE handle = CreateForWriting(path);
    if (handle == INVALID_HANDLE_VALUE) return LastError();
    *file = std::make_unique<Win32WritableFile>(handle);
    return {};
  }

  std::error_code WriteFileAtomically(const std::string& path, std::string_view contents) override {
    const std::string temporary = path + ".new";
    {
      FileHandle file(CreateForWriting(temporary));
      if (!file.valid()) return LastError();
      if (std::error_code error = WriteAll(file.get(), contents)) return error;
      if (!::FlushFileBuffers(file.get())) return LastError();
      if (std::error_code error = file.Reset()) return error;
    }
    if (!::MoveFileExW(ToWide(temporary).c_str(), ToWide(path).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return LastError();
    }
    return {};
  }

  std::error_code RemoveFile(const std::string& path) override {
    return ::DeleteFileW(ToWide(path).c_str()) ? std::error_code() : LastError();
  }

  std::error_code LockFile(const std::string& path, std::unique_ptr<FileLock>* lock) override {
    HANDLE handle = OpenForLock(path, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    if (handle == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_ACCESS_DENIED) {
      handle = OpenForLock(path, GENERIC_READ, OPEN_EXISTING);  // read access serves a lock
      // No file to read: it could not be created.
      if (handle == INVALID_HANDLE_VALUE && ::GetLastError() == ERROR_FILE_NOT_FOUND) {
        ::SetLastError(ERROR_ACCESS_DENIED);
      }
    }
    FileHandle file(handle);
    if (!file.valid()) return LastError();
    OVERLAPPED whole_file = {};
    if (!::LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                      MAXDWORD, &whole_file)) {
      return LastError();
    }
    *lock = std::make_unique<Win32FileLock>(file.Release());
    return {};
  }

  void SleepForMilliseconds(int milliseconds) override {
    ::Sleep(static_cast<DWORD>(milliseconds));
  }

  std::string EnvironmentVariable(const std::string& name) override {
    const std::wstring wide_name = ToWide(name);
    std::wstring value(256, L'\0');
    for (;;) {
      const DWORD length = ::GetEnvironmentVariableW(wide_name.c_str(), value.data(),
                                                     static_cast<DWORD>(value.size()));
      if (length == 0) return "";
      if (length < value.size()) {
        value.resize(length);
        return FromWide(value);
      }
      value.resize(length);  // too small: `length` is the size needed, terminator included
    }
  }
};

}  // namespace

Env* Env::Default() {
  static Env* env = new Win32Env;
  return env;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
  path += name;
  return path;
}

bool IsLockHeld(std::error_code error) {
  return error.category() == std::system_category() && error.value() == ERROR_LOCK_VIOLATION;
}

std::string ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return "";
    if (length < path.size()) {
      path.resize(length);
      return FromWide(path);
    }
    path.resize(path.size() * 2);  // cut off: try a larger buffer
  }
}

std::string AbsolutePath(const std::string& path) {
  const std::wstring wide = ToWide(path);
  const DWORD size = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring absolute(size, L'\0');
  const DWORD length = ::GetFullPathNameW(wide.c_str(), size, absolute.data(), nullptr);
  if (length == 0 || length >= size) return path;
  absolute.resize(length);
  return FromWide(absolute);
}

bool IsPathNotFound(std::error_code error) {
  return error.category() == std::system_category() && error.value() == ERROR_PATH_NOT_FOUND;
}

}  // namespace ivarscan
