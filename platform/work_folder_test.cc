#include "platform/work_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace ivarscan {
namespace {

namespace fs = std::filesystem;

TEST(WorkFolderTest, PosixRuleTakesAnAbsoluteStateHomeElseTheHomeFolder) {
  EXPECT_EQ(PosixStateFolder("/state", "/home/ann"), "/state/ivarscan/");
  EXPECT_EQ(PosixStateFolder("/state/", "/home/ann"), "/state/ivarscan/");
  EXPECT_EQ(PosixStateFolder("", "/home/ann"), "/home/ann/.local/state/ivarscan/");
  EXPECT_EQ(PosixStateFolder("state", "/home/ann/"), "/home/ann/.local/state/ivarscan/");
  EXPECT_EQ(PosixStateFolder("state", "home"), "");
  EXPECT_EQ(PosixStateFolder("", ""), "");
}

TEST(WorkFolderTest, WindowsRuleTakesAWritableProgramFolderElseLocalAppData) {
  const std::string program = "C:\\Program Files\\ivarscan-0.2.0\\";
  const std::string local = "C:\\Users\\ann\\AppData\\Local";
  EXPECT_EQ(WindowsWorkFolder(program, true, local), program);
  EXPECT_EQ(WindowsWorkFolder(program, false, local), local + "\\ivarscan\\");
  EXPECT_EQ(WindowsWorkFolder(program, false, local + "\\"), local + "\\ivarscan\\");
  EXPECT_EQ(WindowsWorkFolder(program, false, ""), program);
}

// Runs each case with XDG_STATE_HOME set as it asks, and puts the variable back afterwards.
class DefaultWorkFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* saved = std::getenv("XDG_STATE_HOME");
    saved_ = saved != nullptr ? std::optional<std::string>(saved) : std::nullopt;
    root_ = fs::temp_directory_path() / ("ivarscan-work-folder-" + std::to_string(::getpid()));
    fs::create_directories(root_);
  }
  void TearDown() override {
    if (saved_) {
      ::setenv("XDG_STATE_HOME", saved_->c_str(), 1);
    } else {
      ::unsetenv("XDG_STATE_HOME");
    }
    fs::remove_all(root_);
  }

  std::optional<std::string> saved_;
  fs::path root_;
};

TEST_F(DefaultWorkFolderTest, CreatesTheMissingStateFolderForTheUserAlone) {
  const std::string state = (root_ / "deep" / "state").string();
  ::setenv("XDG_STATE_HOME", state.c_str(), 1);
  EXPECT_EQ(DefaultWorkFolder(), state + "/ivarscan/");
  struct stat status;
  ASSERT_EQ(::stat((state + "/ivarscan").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);
  EXPECT_EQ(DefaultWorkFolder(), state + "/ivarscan/");  // an existing folder is taken as it is
}

TEST_F(DefaultWorkFolderTest, FallsBackToTheProgramFolderWhenTheStateFolderCannotBeMade) {
  std::ofstream(root_ / "file") << "not a folder";
  const std::string state = (root_ / "file" / "state").string();
  ::setenv("XDG_STATE_HOME", state.c_str(), 1);
  EXPECT_EQ(DefaultWorkFolder(), ProgramFolder());
  EXPECT_FALSE(ProgramFolder().empty());
}

}  // namespace
}  // namespace ivarscan
