#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/env.h"

namespace ivarscan {
namespace {

class PosixEnvTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/ivarscan-env-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  Env* env_ = Env::Default();
  std::string folder_;
};

TEST_F(PosixEnvTest, WritesReadsAndListsFiles) {
  const std::string path = JoinPath(folder_, "a.prg");
  std::unique_ptr<WritableFile> file;
  ASSERT_FALSE(env_->NewWritableFile(path, &file));
  ASSERT_FALSE(file->Append(std::string_view("x\0y\r\n", 5)));
  ASSERT_FALSE(file->Close());

  std::string contents;
  ASSERT_FALSE(env_->ReadFile(path, &contents));
  EXPECT_EQ(contents, std::string_view("x\0y\r\n", 5));
  EXPECT_TRUE(env_->FileExists(path));
  EXPECT_FALSE(env_->IsDirectory(path));

  std::vector<DirectoryEntry> entries;
  ASSERT_FALSE(env_->ListDirectory(folder_, &entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "a.prg");
}

TEST_F(PosixEnvTest, AFailedCloseIsReportedAgainAndNeverTakenForSuccess) {
  // The descriptor the file gets is the lowest free one; closing it behind the file's back
  // makes the file's own close fail.
  const int lowest_free = ::dup(0);
  ASSERT_GE(lowest_free, 0);
  ::close(lowest_free);
  std::unique_ptr<WritableFile> file;
  ASSERT_FALSE(env_->NewWritableFile(JoinPath(folder_, "r.txt"), &file));
  ASSERT_EQ(file->NativeHandle(), static_cast<std::uint32_t>(lowest_free));
  ASSERT_EQ(::close(lowest_free), 0);
  EXPECT_EQ(file->Close().value(), EBADF);
  EXPECT_EQ(file->Close().value(), EBADF);
  EXPECT_EQ(file->NativeHandle(), 0u);
}

TEST_F(PosixEnvTest, ReportsTheOperatingSystemErrorCode) {
  std::string contents;
  EXPECT_EQ(env_->ReadFile(JoinPath(folder_, "missing"), &contents).value(), ENOENT);
  std::unique_ptr<WritableFile> file;
  EXPECT_EQ(env_->NewWritableFile(JoinPath(folder_, "no/such/folder"), &file).value(), ENOENT);
}

TEST_F(PosixEnvTest, AtomicWriteReplacesTheWholeFile) {
  const std::string path = JoinPath(folder_, "repository.ini");
  ASSERT_FALSE(env_->WriteFileAtomically(path, "old contents that are longer\n"));
  ASSERT_FALSE(env_->WriteFileAtomically(path, "new\n"));
  std::string contents;
  ASSERT_FALSE(env_->ReadFile(path, &contents));
  EXPECT_EQ(contents, "new\n");
  EXPECT_FALSE(env_->FileExists(path + ".new"));
}

TEST_F(PosixEnvTest, LockIsExclusiveAcrossProcessesAndDiesWithItsHolder) {
  const std::string path = JoinPath(folder_, "repository.lock");
  std::unique_ptr<FileLock> lock;
  ASSERT_FALSE(env_->LockFile(path, &lock));

  // Another process cannot take it while we hold it.
  pid_t child = ::fork();
  if (child == 0) {
    std::unique_ptr<FileLock> other;
    ::_exit(env_->LockFile(path, &other) ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "a second process got the lock";

  // A process that dies holding the lock releases it.
  lock.reset();
  child = ::fork();
  if (child == 0) {
    std::unique_ptr<FileLock> held;
    if (env_->LockFile(path, &held)) ::_exit(1);
    ::kill(::getpid(), SIGKILL);
  }
  ::waitpid(child, &status, 0);
  EXPECT_FALSE(env_->LockFile(path, &lock));
}

}  // namespace
}  // namespace ivarscan
