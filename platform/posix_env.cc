#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/env.h"

namespace ivarscan {
namespace {

std::error_code LastError() { return std::error_code(errno, std::system_category()); }

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Reset(); }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  std::error_code Reset() {
    std::error_code error;
    if (fd_ >= 0 && ::close(fd_) != 0) error = LastError();
    fd_ = -1;
    return error;
  }

 private:
  int fd_;
};

// Writes all of `data`; *written counts the bytes stored, also when it fails part way.
std::error_code WriteAll(int fd, std::string_view data, std::size_t* written) {
  *written = 0;
  while (*written < data.size()) {
    ssize_t stored = ::write(fd, data.data() + *written, data.size() - *written);
    if (stored < 0) {
      if (errno == EINTR) continue;
      return LastError();
    }
    *written += static_cast<std::size_t>(stored);
  }
  return {};
}

std::error_code WriteAll(int fd, std::string_view data) {
  std::size_t written = 0;
  return WriteAll(fd, data, &written);
}

class PosixWritableFile final : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}
  ~PosixWritableFile() override { Close(); }

  std::error_code Write(std::string_view data, std::size_t* written) override {
    *written = 0;
    if (!fd_.valid()) return std::make_error_code(std::errc::bad_file_descriptor);
    return WriteAll(fd_.get(), data, written);
  }

  std::error_code Close() override {
    // close() releases the descriptor even when it fails: it cannot be tried again.
    if (fd_.valid()) close_error_ = fd_.Reset();
    return close_error_;
  }

  std::uint32_t NativeHandle() const override {
    return fd_.valid() ? static_cast<std::uint32_t>(fd_.get()) : 0;
  }

 private:
  FileDescriptor fd_;
  std::error_code close_error_;
};

class PosixFileLock final : public FileLock {
 public:
  explicit PosixFileLock(int fd) : fd_(fd) {}

 private:
  FileDescriptor fd_;  // closing the descriptor releases the lock
};

class PosixEnv final : public Env {
 public:
  std::error_code ReadFile(const std::string& path, std::string* contents) override {
    contents->clear();
    // Only a regular file has a whole to read: a named pipe would block the open (hence
    // O_NONBLOCK, which regular files ignore) and a device such as /dev/zero never ends.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) return LastError();
    struct stat info;
    if (::fstat(fd.get(), &info) != 0) return LastError();
    if (!S_ISREG(info.st_mode)) {
      return std::error_code(S_ISDIR(info.st_mode) ? EISDIR : EINVAL, std::system_category());
    }
    if (info.st_size > 0) contents->reserve(static_cast<std::size_t>(info.st_size));
    char chunk[64 * 1024];
    for (;;) {
      ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
      if (got == 0) return {};
      if (got < 0) {
        if (errno == EINTR) continue;
        return LastError();
      }
      contents->append(chunk, static_cast<std::size_t>(got));
    }
  }

  std::error_code ListDirectory(const std::string& path,
                                std::vector<DirectoryEntry>* entries) override {
    entries->clear();
    DIR* dir = ::opendir(path.c_str());
    if (dir == nullptr) return LastError();
    while (const dirent* entry = ::readdir(dir)) {
      std::string name = entry->d_name;
      if (name == "." || name == "..") continue;
      entries->push_back({name, IsDirectory(JoinPath(path, name))});
    }
    ::closedir(dir);
    return {};
  }

  bool IsDirectory(const std::string& path) override {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
  }

  bool FileExists(const std::string& path) override {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
  }

  std::error_code NewWritableFile(const std::string& path,
                                  std::unique_ptr<WritableFile>* file) override {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return LastError();
    *file = std::make_unique<PosixWritableFile>(fd);
    return {};
  }

  std::error_code WriteFileAtomically(const std::string& path, std::string_view contents) override {
    const std::string temporary = path + ".new";
    {
      FileDescriptor fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
      if (!fd.valid()) return LastError();
      if (std::error_code error = WriteAll(fd.get(), contents)) return error;
      if (::fsync(fd.get()) != 0) return LastError();
      if (std::error_code error = fd.Reset()) return error;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) return LastError();
    return {};
  }

  std::error_code RemoveFile(const std::string& path) override {
    return ::unlink(path.c_str()) == 0 ? std::error_code() : LastError();
  }

  std::error_code LockFile(const std::string& path, std::unique_ptr<FileLock>* lock) override {
    // 0666: the umask decides who else may write it; read-only access serves for a lock.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) {
      const int refused = errno;
      fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
      if (fd < 0 && errno == ENOENT) errno = refused;  // the file could not be created
    }
    if (fd < 0) return LastError();
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      std::error_code error = LastError();
      ::close(fd);
      return error;
    }
    *lock = std::make_unique<PosixFileLock>(fd);
    return {};
  }

  void SleepForMilliseconds(int milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }

  std::string EnvironmentVariable(const std::string& name) override {
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
  }
};

}  // namespace

Env* Env::Default() {
  static Env* env = new PosixEnv;
  return env;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

bool IsLockHeld(std::error_code error) {
  return error.category() == std::system_category() &&
         (error.value() == EWOULDBLOCK || error.value() == EAGAIN);
}

std::string ExecutablePath() {
  char buffer[4096];
  ssize_t length = ::readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) return "";
  return std::string(buffer, static_cast<std::size_t>(length));
}

std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

bool IsPathNotFound(std::error_code error) {
  return error.category() == std::system_category() &&
         (error.value() == ENOENT || error.value() == ENOTDIR);
}

}  // namespace ivarscan
