#include "repo/testing/fake_repository.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace ivarscan {
namespace {

using Names = std::vector<std::string>;

std::string Prototype(FakeRepository& repo, EntityHandle entity) {
  std::array<char, 1024> buffer{};
  EXPECT_EQ(repo.EntQueryProt(entity, buffer.data(), buffer.size()), 0u);
  return buffer.data();
}

class FakeRepositoryTest : public ::testing::Test {
 protected:
  FakeRepositoryTest() {
    repo_.AddProject("Shop", "Orders");
    repo_.AddProject("Admin");
    app_ = repo_.AddApplication("Shop", {.name = "Orders"});
    module_ = repo_.AddModule(app_, "Windows");
  }

  FakeRepository repo_;
  AppHandle app_ = 0;
  ModuleHandle module_ = 0;
};

TEST_F(FakeRepositoryTest, ClassPrototypeFollowsTheClassStatement) {
  struct Case {
    const char* source;
    const char* prototype;
  };
  for (Case c : {
           Case{"CLASS Order INHERIT DataWindow\r\n\tEXPORT a\r\n",
                "CLASS Order INHERIT DataWindow"},
           Case{"CLASS Order\r\n", "CLASS Order"},
           Case{"PARTIAL CLASS Order INHERIT Base IMPLEMENTS IFoo // note\r\n",
                "CLASS Order INHERIT Base"},
           Case{"CLASS Order inherit\t\r\n", "CLASS Order inherit"},
           Case{"CLASS Order ; // more\r\n  INHERIT Base\r\n", "CLASS Order INHERIT Base"},
           Case{"CLASS Order // INHERIT Base\r\n", "CLASS Order"},
       }) {
    EXPECT_EQ(Prototype(repo_, repo_.AddClass(module_, "Order", c.source)), c.prototype)
        << c.source;
  }
  EXPECT_EQ(Prototype(repo_, repo_.AddClass(module_, "Order", "", "CLASS Order INHERIT X")),
            "CLASS Order INHERIT X");
}

TEST_F(FakeRepositoryTest, TextsAreCutToTheBufferWithoutOverrun) {
  repo_.AddProject(std::string(10, 'n'));
  std::array<char, 8> buffer;
  buffer.fill('#');
  EXPECT_EQ(repo_.PrjQueryDescription("nnnnnnnnnn", buffer.data(), 6, 0), 0u);
  EXPECT_EQ(std::string(buffer.data(), 8), std::string("\0#######", 8));  // empty description
  EXPECT_EQ(repo_.AppQueryName(app_, buffer.data(), 4), 0u);
  EXPECT_EQ(std::string(buffer.data(), 8), std::string("Ord\0####", 8));
  repo_.SetFillsBuffersWithoutZero(true);
  EXPECT_EQ(repo_.AppQueryName(app_, buffer.data(), 6), 0u);
  EXPECT_EQ(std::string(buffer.data(), 8), "Orders##");
}

TEST_F(FakeRepositoryTest, NextContinuesTheLastFirstOfItsKind) {
  ModuleHandle second = repo_.AddModule(app_, "Second");
  EntityHandle one = repo_.AddEntity(second, {.display_name = "One"});
  EntityHandle two = repo_.AddEntity(second, {.display_name = "Two"});
  repo_.AddEntity(module_, {.display_name = "Other"});
  ModuleHandle module = 0;
  EntityHandle entity = 0;
  ASSERT_EQ(repo_.AppGetFirstModule(app_, &module), 0u);
  ASSERT_EQ(repo_.ModGetFirstEntity(second, &entity), 0u);
  EXPECT_EQ(entity, one);
  ASSERT_EQ(repo_.AppGetNextModule(&module), 0u);  // modules go on undisturbed
  EXPECT_EQ(module, second);
  ASSERT_EQ(repo_.ModGetNextEntity(&entity), 0u);
  EXPECT_EQ(entity, two);
  EXPECT_NE(repo_.ModGetNextEntity(&entity), 0u);
  EXPECT_EQ(entity, two);  // untouched after the end
  EXPECT_NE(repo_.AppGetNextModule(&module), 0u);
}

TEST_F(FakeRepositoryTest, ZeroHandleMovesTheEnumerationOn) {
  AppHandle b = repo_.AddApplication("Shop", {.name = "B"});
  AppHandle c = repo_.AddApplication("Shop", {.name = "C"});
  repo_.SetSearchPathByName(app_, {"b", " Missing ", "\tC "});
  repo_.ZeroHandleAt("AppSPathGetFirst", 1);
  AppHandle entry = 99;
  ASSERT_EQ(repo_.AppSPathGetFirst(app_, &entry), 0u);
  EXPECT_EQ(entry, 0);
  ASSERT_EQ(repo_.AppSPathGetNext(&entry), 0u);
  EXPECT_EQ(entry, c);
  ASSERT_EQ(repo_.AppSPathGetFirst(app_, &entry), 0u);
  EXPECT_EQ(entry, b);
}

TEST_F(FakeRepositoryTest, FailuresHitTheChosenCallsAndLeaveOutputs) {
  repo_.FailFirstCalls("AdamInit", 2);
  repo_.FailCall("AppQuerySysLib", 2);
  std::uint32_t out = 0;
  EXPECT_NE(repo_.AdamInit(0, &out), 0u);
  EXPECT_NE(repo_.AdamInit(0, &out), 0u);
  EXPECT_FALSE(repo_.is_open());
  EXPECT_EQ(repo_.AdamInit(0, &out), 0u);
  EXPECT_TRUE(repo_.is_open());

  AppHandle library = repo_.AddApplication("Shop", {.name = "Lib", .system_library = true});
  bool flag = false;
  EXPECT_EQ(repo_.AppQuerySysLib(library, &flag), 0u);
  flag = false;
  EXPECT_NE(repo_.AppQuerySysLib(library, &flag), 0u);
  EXPECT_FALSE(flag);
  EXPECT_EQ(repo_.AppQuerySysLib(library, &flag), 0u);
  EXPECT_TRUE(flag);
  EXPECT_EQ(repo_.CallCount("AppQuerySysLib"), 3);
  EXPECT_EQ(repo_.calls(), (Names{"AdamInit", "AdamInit", "AdamInit", "AppQuerySysLib",
                                  "AppQuerySysLib", "AppQuerySysLib"}));
}

TEST_F(FakeRepositoryTest, ProjectsAreSelectedIgnoringCase) {
  std::array<char, 256> name{};
  EXPECT_NE(repo_.AdamQueryCurrentPrjName(name.data(), name.size()), 0u);
  EXPECT_NE(repo_.PrjSelect(""), 0u);
  EXPECT_NE(repo_.PrjSelect("Nothing"), 0u);
  EXPECT_EQ(repo_.PrjSelect("sHOP"), 0u);
  EXPECT_EQ(repo_.current_project(), "Shop");
  AppHandle found = 0;
  EXPECT_EQ(repo_.AppFind("ORDERS", &found), 0u);
  EXPECT_EQ(found, app_);
  EXPECT_EQ(repo_.PrjSelect("admin"), 0u);
  EXPECT_NE(repo_.AdamGetFirstApp(&found), 0u);  // Admin has no applications
}

TEST_F(FakeRepositoryTest, RecGetServesTheEntityTexts) {
  EntityHandle entity = repo_.AddEntity(
      module_, {.source = "first", .second_source = "second", .description = "about"});
  RecHandle first = 0, second = 0, description = 0;
  std::uint16_t first_number = 0, second_number = 0, description_number = 0;
  ASSERT_EQ(repo_.EntQueryData(entity, 7, &first, &first_number, &second, &second_number), 0u);
  EXPECT_STREQ(repo_.RecGet(first, first_number), "first");
  EXPECT_EQ(repo_.RecGet(second, second_number), nullptr);
  ASSERT_EQ(repo_.EntQueryData(entity, 4, &first, &first_number, &second, &second_number), 0u);
  EXPECT_EQ(repo_.RecGet(first, first_number), nullptr);
  EXPECT_STREQ(repo_.RecGet(second, second_number), "second");
  ASSERT_EQ(repo_.EntQueryDescription(entity, &description, &description_number), 0u);
  EXPECT_STREQ(repo_.RecGet(description, description_number), "about");
}

}  // namespace
}  // namespace ivarscan
