#include "platform/runtime_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/env.h"

namespace ivarscan {
namespace {

TEST(RuntimeStateTest, WorkDirIsTheProgramFolderUnlessSet) {
  const std::string program = ExecutablePath();
  ASSERT_FALSE(program.empty());
  const std::string folder = WorkDir();
  EXPECT_EQ(folder.back(), kPathSeparator);
  EXPECT_EQ(program.rfind(folder, 0), 0u);
  EXPECT_EQ(program.find(kPathSeparator, folder.size()), std::string::npos);
  SetWorkDir("/tmp");
  EXPECT_EQ(WorkDir(), "/tmp/");
  SetWorkDir("");
  EXPECT_EQ(WorkDir(), folder);
}

TEST(RuntimeStateTest, QuitEndsWithTheErrorLevel) {
  EXPECT_EXIT(
      {
        ErrorLevel(24);
        QuitProgram();
      },
      ::testing::ExitedWithCode(24), "");
}

TEST(RuntimeStateTest, SettersReturnThePreviousValue) {
  const bool log = SetErrorLog();
  EXPECT_EQ(SetErrorLog(!log), log);
  EXPECT_EQ(SetErrorLog(log), !log);
  EXPECT_FALSE(NetErr(true));
  EXPECT_TRUE(NetErr(false));
  FirstRuntimeInitialisation();
  EXPECT_FALSE(FirstRuntimeInitialisation());
}

}  // namespace
}  // namespace ivarscan
