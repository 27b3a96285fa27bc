#include "app/win32/remembered_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

namespace ivarscan {
namespace {

// The settings file is made with the folders above it, and a folder name in any script
// comes back as it was written.
TEST(RememberedFolderTest, RemembersAFolderInAFileItCreates) {
  char temp[MAX_PATH];
  ASSERT_NE(::GetTempPathA(sizeof temp, temp), 0u);
  const std::string app_data =
      JoinPath(temp, "ivarscan-appdata-" + std::to_string(::GetCurrentProcessId()));
  const std::string file = RememberedFolderFile(app_data);
  EXPECT_EQ(file, JoinPath(JoinPath(app_data, "ivarscan"), "ivarscan.ini"));
  Env& env = *Env::Default();
  EXPECT_EQ(ReadRememberedFolder(env, file), "");

  const std::string folder = "C:\\Exports\\Contr\xC3\xB4les";
  ASSERT_TRUE(RememberFolder(env, file, folder));
  EXPECT_EQ(ReadRememberedFolder(env, file), folder);
  ASSERT_TRUE(RememberFolder(env, file, "D:\\Other"));
  EXPECT_EQ(ReadRememberedFolder(env, file), "D:\\Other");
  // Only the Folder of the [Repository] section counts.
  ASSERT_FALSE(env.WriteFileAtomically(
      file, "[Other]\r\nFolder=C:\\Not\r\n[Repository]\r\nFolder=E:\\Kept\r\n"));
  EXPECT_EQ(ReadRememberedFolder(env, file), "E:\\Kept");
  std::filesystem::remove_all(app_data);

  EXPECT_EQ(RememberedFolderFile(""), "");
  EXPECT_FALSE(RememberFolder(env, "", folder));
}

}  // namespace
}  // namespace ivarscan
