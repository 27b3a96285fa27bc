// Env: everything the program asks of the operating system's files, clock and process
// environment, behind one interface, so that tests can run against a fake and the same
// code runs on POSIX (posix_env.cc) and on Windows (win32_env.cc).
//
// Paths are byte strings in the platform's own form. Every operation that can fail returns
// a std::error_code whose value() is the operating system's error code (errno on POSIX,
// GetLastError() on Windows); an empty error_code means success.
#ifndef IVARSCAN_PLATFORM_ENV_H_
#define IVARSCAN_PLATFORM_ENV_H_

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace ivarscan {

struct DirectoryEntry {
  std::string name;  // the entry's own name, without its folder
  bool is_directory = false;
};

// A file open for writing. The destructor closes a file not yet closed.
class WritableFile {
 public:
  virtual ~WritableFile() = default;

  // Writes all of `data` straight through (callers buffer). *written tells how many bytes
  // reached the file, also when the write fails part way (a short write, then an error).
  virtual std::error_code Write(std::string_view data, std::size_t* written) = 0;

  // Write() for callers that do not go on after a failure.
  std::error_code Append(std::string_view data) {
    std::size_t written = 0;
    return Write(data, &written);
  }

  // Closes the file. A failed close cannot be repeated (the system has released the
  // handle whatever the outcome), so every later call reports the same failure again.
  virtual std::error_code Close() = 0;

  // The operating system's handle of the file (a descriptor, or a Windows handle cut to
  // 32 bits), for error reports; 0 when closed.
  virtual std::uint32_t NativeHandle() const = 0;
};

// An exclusive operating-system lock on a file, held until the object is destroyed or the
// process ends (a dying process releases it with it).
class FileLock {
 public:
  virtual ~FileLock() = default;
};

class Env {
 public:
  virtual ~Env() = default;

  // The process-wide environment of this platform. Never deleted.
  static Env* Default();

  // Reads the whole file into `contents` (bytes, no transcoding). Fails for anything but a
  // regular file (a folder, a pipe, a device), without waiting. Several threads may call it
  // at the same time.
  virtual std::error_code ReadFile(const std::string& path, std::string* contents) = 0;

  // Lists the entries of a folder, "." and ".." left out, in no particular order.
  virtual std::error_code ListDirectory(const std::string& path,
                                        std::vector<DirectoryEntry>* entries) = 0;

  virtual bool IsDirectory(const std::string& path) = 0;
  virtual bool FileExists(const std::string& path) = 0;

  // Creates the file, or truncates an existing one, and opens it for writing.
  virtual std::error_code NewWritableFile(const std::string& path,
                                          std::unique_ptr<WritableFile>* file) = 0;

  // Replaces the file's contents so that a crash at any moment leaves either the old or
  // the new file whole: the new contents go to a file beside it, which then replaces it.
  virtual std::error_code WriteFileAtomically(const std::string& path,
                                              std::string_view contents) = 0;

  // Removes a file. Fails (not found) when there is none.
  virtual std::error_code RemoveFile(const std::string& path) = 0;

  // Takes an exclusive lock on `path` without waiting. The file is created when missing,
  // readable and writable for every account that may write its folder, and opened
  // read-only when it cannot be opened for writing (a lock needs no more). Fails with an
  // error for which IsLockHeld() is true when another process holds the lock, and with the
  // system's reason when the file cannot be created or opened.
  virtual std::error_code LockFile(const std::string& path, std::unique_ptr<FileLock>* lock) = 0;

  virtual void SleepForMilliseconds(int milliseconds) = 0;

  // The value of an environment variable; empty when it is not set.
  virtual std::string EnvironmentVariable(const std::string& name) = 0;
};

// Joins a folder and a name with the platform's separator.
std::string JoinPath(std::string_view folder, std::string_view name);

// The separator between folder names in a path.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// True when `error` from Env::LockFile says that another process holds the lock.
bool IsLockHeld(std::error_code error);

// The full path of the program file as the process was started from it; empty when the
// system cannot tell.
std::string ExecutablePath();

// `path` made absolute against the current folder, without "." and ".." names; `path`
// itself when the system cannot tell.
std::string AbsolutePath(const std::string& path);

// True when `error` says that a folder on the path does not exist (Win32 error 3; ENOENT
// or ENOTDIR on POSIX when a file is created).
bool IsPathNotFound(std::error_code error);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_ENV_H_
