#include "store/locate_repository.h"

#include <gtest/gtest.h>

#include "platform/testing/fake_env.h"
#include "store/testing/test_folder.h"

namespace ivarscan {
namespace {

TEST(LocateRepositoryTest, OptionThenVariableThenTheCurrentDirectory) {
  FakeEnv env(Env::Default());
  env.SetEnvironmentVariable(kRepositoryVariable, "");
  EXPECT_EQ(LocateRepository(env, ""), "repository");
  EXPECT_EQ(RepositorySource(env, ""), "the default");
  env.SetEnvironmentVariable(kRepositoryVariable, "/srv/repo");
  EXPECT_EQ(LocateRepository(env, ""), "/srv/repo");
  EXPECT_EQ(RepositorySource(env, ""), "IVARSCAN_REPOSITORY");
  EXPECT_EQ(LocateRepository(env, "given"), "given");
  EXPECT_EQ(RepositorySource(env, "given"), "--repository");
}

// A repository holds a project folder (with project.ini) or application exports; an empty
// folder, a folder of other folders, a file and a missing path do not.
TEST(LocateRepositoryTest, HoldsRepositoryWhenAProjectOrAnExportIsThere) {
  TestFolder folder;
  Env& env = *Env::Default();
  folder.MakeFolder("empty");
  folder.Write("projects/Sales/project.ini", "[Project]\r\n");
  folder.Write("exports/Sales.AEF", "");
  folder.Write("others/Sales/Orders/application.ini", "[Application]\r\n");
  const std::string file = folder.Write("file.txt", "x");
  EXPECT_TRUE(HoldsRepository(env, folder.PathOf("projects")));
  EXPECT_TRUE(HoldsRepository(env, folder.PathOf("exports")));
  EXPECT_FALSE(HoldsRepository(env, folder.PathOf("empty")));
  EXPECT_FALSE(HoldsRepository(env, folder.PathOf("others")));
  EXPECT_FALSE(HoldsRepository(env, file));
  EXPECT_FALSE(HoldsRepository(env, folder.PathOf("missing")));
}

// The variable is passed over when it names no repository; the remembered folder comes
// last, and nothing is found when no place holds one.
TEST(LocateRepositoryTest, FindRepositoryTakesTheFirstPlaceThatHoldsOne) {
  TestFolder folder;
  folder.Write("named/Sales/project.ini", "[Project]\r\n");
  folder.Write("remembered/Sales.aef", "");
  folder.MakeFolder("empty");
  FakeEnv env(Env::Default());
  env.SetEnvironmentVariable(kRepositoryVariable, folder.PathOf("named"));
  EXPECT_EQ(FindRepository(env, folder.PathOf("remembered")), folder.PathOf("named"));
  env.SetEnvironmentVariable(kRepositoryVariable, folder.PathOf("empty"));
  EXPECT_EQ(FindRepository(env, folder.PathOf("remembered")), folder.PathOf("remembered"));
  EXPECT_EQ(FindRepository(env, folder.PathOf("empty")), std::nullopt);
  EXPECT_EQ(FindRepository(env, ""), std::nullopt);
}

}  // namespace
}  // namespace ivarscan
