#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/env.h"
#include "platform/shared_log.h"

namespace ivarscan {
namespace {

class Win32EnvTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char base[MAX_PATH];
    ASSERT_NE(::GetTempPathA(sizeof base, base), 0u);
    folder_ = JoinPath(base, "ivarscan-env-" + std::to_string(::GetCurrentProcessId()));
    std::filesystem::remove_all(folder_);
    ASSERT_TRUE(::CreateDirectoryA(folder_.c_str(), nullptr));
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  Env* env_ = Env::Default();
  std::string folder_;
};

TEST_F(Win32EnvTest, WritesReadsAndListsFiles) {
  const std::string path = JoinPath(folder_, "a.prg");
  std::unique_ptr<WritableFile> file;
  ASSERT_FALSE(env_->NewWritableFile(path, &file));
  ASSERT_FALSE(file->Append(std::string_view("x\0y\r\n", 5)));
  ASSERT_FALSE(file->Close());
  ASSERT_TRUE(::CreateDirectoryA(JoinPath(folder_, "sub").c_str(), nullptr));

  std::string contents;
  ASSERT_FALSE(env_->ReadFile(path, &contents));
  EXPECT_EQ(contents, std::string_view("x\0y\r\n", 5));
  EXPECT_TRUE(env_->FileExists(path));
  EXPECT_FALSE(env_->IsDirectory(path));
  EXPECT_TRUE(env_->IsDirectory(JoinPath(folder_, "sub")));
  EXPECT_FALSE(env_->FileExists(JoinPath(folder_, "sub")));

  std::vector<DirectoryEntry> entries;
  ASSERT_FALSE(env_->ListDirectory(folder_, &entries));
  ASSERT_EQ(entries.size(), 2u);
  const bool file_first = entries[0].name == "a.prg";
  const DirectoryEntry& listed_file = entries[file_first ? 0 : 1];
  const DirectoryEntry& listed_folder = entries[file_first ? 1 : 0];
  EXPECT_EQ(listed_file.name, "a.prg");
  EXPECT_FALSE(listed_file.is_directory);
  EXPECT_EQ(listed_folder.name, "sub");
  EXPECT_TRUE(listed_folder.is_directory);
}

TEST_F(Win32EnvTest, NewWritableFileTruncates) {
  const std::string path = JoinPath(folder_, "report.txt");
  std::unique_ptr<WritableFile> file;
  ASSERT_FALSE(env_->NewWritableFile(path, &file));
  ASSERT_FALSE(file->Append("a longer first version"));
  file.reset();  // the destructor closes
  ASSERT_FALSE(env_->NewWritableFile(path, &file));
  ASSERT_FALSE(file->Append("short"));
  ASSERT_FALSE(file->Close());
  std::string contents;
  ASSERT_FALSE(env_->ReadFile(path, &contents));
  EXPECT_EQ(contents, "short");
}

TEST_F(Win32EnvTest, ReportsGetLastErrorCodes) {
  std::string contents;
  EXPECT_EQ(env_->ReadFile(JoinPath(folder_, "missing"), &contents).value(), ERROR_FILE_NOT_FOUND);
  std::unique_ptr<WritableFile> file;
  const std::error_code error = env_->NewWritableFile(JoinPath(folder_, "no\\such\\f"), &file);
  EXPECT_EQ(error.value(), ERROR_PATH_NOT_FOUND);
  EXPECT_TRUE(IsPathNotFound(error));
  EXPECT_FALSE(IsPathNotFound(std::error_code(ERROR_FILE_NOT_FOUND, std::system_category())));
  std::vector<DirectoryEntry> entries;
  EXPECT_TRUE(env_->ListDirectory(JoinPath(folder_, "missing"), &entries));
}

TEST_F(Win32EnvTest, AtomicWriteReplacesTheWholeFile) {
  const std::string path = JoinPath(folder_, "repository.ini");
  ASSERT_FALSE(env_->WriteFileAtomically(path, "old contents that are longer\r\n"));
  ASSERT_FALSE(env_->WriteFileAtomically(path, "new\r\n"));
  std::string contents;
  ASSERT_FALSE(env_->ReadFile(path, &contents));
  EXPECT_EQ(contents, "new\r\n");
  EXPECT_FALSE(env_->FileExists(path + ".new"));
}

TEST_F(Win32EnvTest, LockIsExclusiveUntilReleased) {
  const std::string path = JoinPath(folder_, "repository.lock");
  std::unique_ptr<FileLock> lock;
  ASSERT_FALSE(env_->LockFile(path, &lock));
  EXPECT_TRUE(env_->FileExists(path));

  std::unique_ptr<FileLock> second;
  EXPECT_EQ(env_->LockFile(path, &second).value(), ERROR_LOCK_VIOLATION);
  EXPECT_EQ(second, nullptr);
  // The locked file can still be read by others.
  std::string contents;
  EXPECT_FALSE(env_->ReadFile(path, &contents));

  lock.reset();
  EXPECT_FALSE(env_->LockFile(path, &second));
}

TEST_F(Win32EnvTest, SharedLogIsCreatedOnceAndAppendedToByTwoWritersAtOnce) {
  const std::string path = JoinPath(folder_, "VOERROR.LOG");
  std::unique_ptr<WritableFile> first;
  std::unique_ptr<WritableFile> second;
  ASSERT_FALSE(OpenSharedLog(path, "\r\n", &first));
  ASSERT_FALSE(OpenSharedLog(path, "\r\n", &second));  // shared: a second writer gets in
  ASSERT_FALSE(first->Append("one\r\n"));
  ASSERT_FALSE(second->Append("two\r\n"));
  ASSERT_FALSE(first->Append("three\r\n"));
  ASSERT_FALSE(first->Close());
  ASSERT_FALSE(second->Close());
  std::string contents;
  ASSERT_FALSE(env_->ReadFile(path, &contents));
  EXPECT_EQ(contents, "one\r\n\r\ntwo\r\n\r\nthree\r\n");
}

TEST_F(Win32EnvTest, SharedLogRefusesADevice) {
  std::unique_ptr<WritableFile> file;
  EXPECT_EQ(OpenSharedLog("NUL", "\r\n", &file).value(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(file, nullptr);
}

TEST_F(Win32EnvTest, AReadOnlyLockFileStillLocks) {
  const std::string path = JoinPath(folder_, "repository.lock");
  ASSERT_FALSE(env_->WriteFileAtomically(path, ""));
  ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  std::unique_ptr<FileLock> lock;
  EXPECT_FALSE(env_->LockFile(path, &lock));
  std::unique_ptr<FileLock> second;
  EXPECT_TRUE(IsLockHeld(env_->LockFile(path, &second)));
  lock.reset();
  ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Names outside the active code page: the wide-character API reads and writes them, and
// Env hands them over in UTF-8.
TEST_F(Win32EnvTest, FileNamesInAnyScriptAreUtf8) {
  const std::string french = "Contr\xC3\xB4les.prg";           // Contrôles.prg
  const std::string russian = "\xD0\x94\xD0\xB0\xD0\xBD.prg";  // Дан.prg
  std::unique_ptr<WritableFile> file;
  ASSERT_FALSE(env_->NewWritableFile(JoinPath(folder_, french), &file));
  ASSERT_FALSE(file->Append("CLASS A"));
  ASSERT_FALSE(file->Close());
  const std::wstring wide_folder = std::filesystem::path(folder_).wstring();
  HANDLE handle = ::CreateFileW((wide_folder + L"\\\x0414\x0430\x043D.prg").c_str(), GENERIC_WRITE,
                                0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  ::CloseHandle(handle);

  EXPECT_NE(::GetFileAttributesW((wide_folder + L"\\Contr\x00F4les.prg").c_str()),
            INVALID_FILE_ATTRIBUTES);
  std::vector<DirectoryEntry> entries;
  ASSERT_FALSE(env_->ListDirectory(folder_, &entries));
  std::vector<std::string> names;
  for (const DirectoryEntry& entry : entries) names.push_back(entry.name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{french, russian}));
  std::string contents;
  EXPECT_FALSE(env_->ReadFile(JoinPath(folder_, french), &contents));
  EXPECT_EQ(contents, "CLASS A");
  EXPECT_TRUE(env_->FileExists(JoinPath(folder_, russian)));
  EXPECT_FALSE(env_->RemoveFile(JoinPath(folder_, russian)));
  EXPECT_FALSE(env_->FileExists(JoinPath(folder_, russian)));
}

// C:/x and C:\x name the same folder; relative paths count from the current folder.
TEST_F(Win32EnvTest, AcceptsEveryPathForm) {
  std::string forward = folder_;
  std::replace(forward.begin(), forward.end(), '\\', '/');
  ASSERT_FALSE(env_->WriteFileAtomically(forward + "/a.prg", "x"));
  EXPECT_TRUE(env_->FileExists(JoinPath(folder_, "a.prg")));
  EXPECT_TRUE(env_->IsDirectory(forward));
  std::vector<DirectoryEntry> entries;
  ASSERT_FALSE(env_->ListDirectory(forward, &entries));
  EXPECT_EQ(entries.size(), 1u);

  EXPECT_EQ(AbsolutePath(forward + "/sub/../a.prg"), JoinPath(folder_, "a.prg"));
  wchar_t current[MAX_PATH];
  ASSERT_NE(::GetCurrentDirectoryW(MAX_PATH, current), 0u);
  ASSERT_TRUE(::SetCurrentDirectoryW(std::filesystem::path(folder_).wstring().c_str()));
  EXPECT_EQ(AbsolutePath("a.prg"), JoinPath(folder_, "a.prg"));
  EXPECT_TRUE(env_->FileExists("a.prg"));
  ASSERT_TRUE(::SetCurrentDirectoryW(current));
}

TEST(Win32PathTest, JoinsWithOneBackslash) {
  EXPECT_EQ(JoinPath("C:\\repo", "Sales"), "C:\\repo\\Sales");
  EXPECT_EQ(JoinPath("C:\\repo\\", "Sales"), "C:\\repo\\Sales");
  EXPECT_EQ(JoinPath("C:/repo/", "Sales"), "C:/repo/Sales");
  EXPECT_EQ(JoinPath("", "Sales"), "Sales");
}

TEST(Win32EnvironmentTest, ReadsValuesOfAnyLength) {
  Env* env = Env::Default();
  const std::string long_value(1000, 'v');
  ASSERT_TRUE(::SetEnvironmentVariableA("IVARSCAN_TEST_VALUE", long_value.c_str()));
  EXPECT_EQ(env->EnvironmentVariable("IVARSCAN_TEST_VALUE"), long_value);
  ASSERT_TRUE(::SetEnvironmentVariableA("IVARSCAN_TEST_VALUE", "short"));
  EXPECT_EQ(env->EnvironmentVariable("IVARSCAN_TEST_VALUE"), "short");
  ASSERT_TRUE(::SetEnvironmentVariableA("IVARSCAN_TEST_VALUE", nullptr));
  EXPECT_EQ(env->EnvironmentVariable("IVARSCAN_TEST_VALUE"), "");
}

TEST(Win32ExecutablePathTest, NamesTheRunningProgram) {
  const std::string path = ExecutablePath();
  ASSERT_GT(path.size(), 16u);
  EXPECT_EQ(path.substr(path.size() - 15), "win32_tests.exe");
  EXPECT_TRUE(Env::Default()->FileExists(path));
}

}  // namespace
}  // namespace ivarscan
