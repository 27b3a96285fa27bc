#include "platform/runtime_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/env.h"
#include "platform/work_folder.h"

namespace ivarscan {
namespace {

TEST(RuntimeStateTest, WorkDirIsTheDefaultWorkFolderUnlessSet) {
  const std::string folder = WorkDir();
  EXPECT_EQ(folder, DefaultWorkFolder());
  EXPECT_EQ(folder.back(), kPathSeparator);
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
