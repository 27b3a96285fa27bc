#include "store/locate_repository.h"

#include <gtest/gtest.h>

#include "platform/testing/fake_env.h"

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

}  // namespace
}  // namespace ivarscan
