#include "platform/testing/fake_env.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

std::unique_ptr<WritableFile> Create(Env& env, const std::string& path) {
  std::unique_ptr<WritableFile> file;
  EXPECT_FALSE(env.NewWritableFile(path, &file));
  return file;
}

TEST(FakeEnvTest, InMemoryFilesCanBeWrittenReadAndRemoved) {
  FakeEnv env;
  std::string contents = "left over";
  EXPECT_EQ(env.ReadFile("a", &contents), std::errc::no_such_file_or_directory);
  EXPECT_FALSE(env.WriteFileAtomically("a", "one"));
  EXPECT_FALSE(env.ReadFile("a", &contents));
  EXPECT_EQ(contents, "one");
  EXPECT_FALSE(Create(env, "a")->Append("two"));  // a new file replaces the old one
  EXPECT_EQ(env.files()["a"], "two");
  EXPECT_FALSE(env.RemoveFile("a"));
  EXPECT_FALSE(env.FileExists("a"));
  EXPECT_EQ(env.RemoveFile("a"), std::errc::no_such_file_or_directory);

  env.FailReadFile("b", std::make_error_code(std::errc::io_error));
  env.files()["b"] = "unreadable";
  EXPECT_EQ(env.ReadFile("b", &contents), std::errc::io_error);
  EXPECT_EQ(contents, "");
  EXPECT_EQ(env.read_count(), 3);
}

TEST(FakeEnvTest, InMemoryThereAreNoFoldersOrLocksAndSleepingOnlyCounts) {
  FakeEnv env;
  std::vector<DirectoryEntry> entries;
  std::unique_ptr<FileLock> lock;
  EXPECT_EQ(env.ListDirectory("", &entries), std::errc::not_supported);
  EXPECT_EQ(env.LockFile("a", &lock), std::errc::not_supported);
  EXPECT_FALSE(env.IsDirectory(""));
  EXPECT_EQ(env.EnvironmentVariable("HOME"), "");
  env.SetEnvironmentVariable("HOME", "/home/user");
  EXPECT_EQ(env.EnvironmentVariable("HOME"), "/home/user");
  env.SleepForMilliseconds(300);
  env.SleepForMilliseconds(700);
  EXPECT_EQ(env.sleeps(), 2);
  EXPECT_EQ(env.slept_milliseconds(), 1000);
}

// The failures of creations, writes and closes are the same whether the files are kept in
// memory or by a base Env; here the base is itself a FakeEnv in memory.
TEST(FakeEnvTest, CreationsWritesAndClosesFailAsToldWithOrWithoutABase) {
  FakeEnv disk;
  FakeEnv over_disk(&disk);
  for (FakeEnv* env : {&disk, &over_disk}) {
    SCOPED_TRACE(env == &disk ? "in memory" : "over a base");
    disk.files().clear();
    std::unique_ptr<WritableFile> file;
    env->FailNextCreations(1);
    EXPECT_EQ(env->NewWritableFile("r", &file), std::errc::permission_denied);
    EXPECT_FALSE(disk.FileExists("r"));
    file = Create(*env, "r");
    EXPECT_NE(file->NativeHandle(), 0u);

    env->FailNextWrites(2, 2);
    std::size_t written = 0;
    EXPECT_EQ(file->Write("abcdef", &written), std::errc::no_space_on_device);
    EXPECT_EQ(written, 2u);
    EXPECT_EQ(file->Write("cdef", &written), std::errc::no_space_on_device);
    EXPECT_EQ(file->Write("ef", &written), std::error_code());
    EXPECT_EQ(written, 2u);
    EXPECT_EQ(disk.files()["r"], "abcdef");

    env->FailNextCloses(1);
    EXPECT_EQ(file->Close(), std::errc::io_error);
    EXPECT_EQ(file->Close(), std::errc::io_error);  // a failed close stays failed
    EXPECT_EQ(file->NativeHandle(), 0u);
    EXPECT_FALSE(Create(*env, "s")->Close());  // the failure was used up
  }
}

TEST(FakeEnvTest, OverABaseSleepsAndVariablesArePassedOnUnlessItsOwnTableAnswers) {
  FakeEnv base;
  base.SetEnvironmentVariable("LANG", "C");
  FakeEnv env(&base);
  env.SetEnvironmentVariable("HOME", "/home/user");
  EXPECT_EQ(env.EnvironmentVariable("LANG"), "C");
  EXPECT_EQ(env.EnvironmentVariable("HOME"), "/home/user");
  EXPECT_EQ(base.EnvironmentVariable("HOME"), "");
  env.SleepForMilliseconds(50);
  EXPECT_EQ(env.sleeps(), 1);
  EXPECT_EQ(base.slept_milliseconds(), 50);
}

}  // namespace
}  // namespace ivarscan
