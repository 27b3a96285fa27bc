#include "engine/class_collection.h"

#include <gtest/gtest.h>

#include "repo/testing/fake_repository.h"

namespace ivarscan {
namespace {

TEST(ParentNameTest, TakesTheLastWordOfThePrototype) {
  EXPECT_EQ(ParentNameFromPrototype("CLASS OrderWindow INHERIT DataWindow", "OrderWindow"),
            "DataWindow");
  EXPECT_EQ(ParentNameFromPrototype("CLASS\tOrderWindow\tINHERIT\tDataWindow\t", "OrderWindow"),
            "DataWindow");
  EXPECT_EQ(ParentNameFromPrototype("  CLASS Foo INHERIT  ", "Foo"), "INHERIT");
}

TEST(ParentNameTest, APrototypeEndingInTheClassItselfNamesNoParent) {
  EXPECT_EQ(ParentNameFromPrototype("CLASS OrderWindow", "OrderWindow"), "");
  EXPECT_EQ(ParentNameFromPrototype("class orderwindow", "OrderWindow"), "");
  EXPECT_EQ(ParentNameFromPrototype("", "OrderWindow"), "");
}

class ClassCollectionTest : public ::testing::Test {
 protected:
  ClassCollectionTest() {
    repo_.AddProject("P");
    app_ = repo_.AddApplication("P", {"App"});
  }

  FakeRepository repo_;
  AppHandle app_ = 0;
};

TEST_F(ClassCollectionTest, ListsClassesByModuleThenNameWithTheirFields) {
  ModuleHandle zeta = repo_.AddModule(app_, "Zeta");
  ModuleHandle alpha = repo_.AddModule(app_, "alpha");
  EntityHandle window =
      repo_.AddClass(zeta, "Window", "CLASS Window INHERIT Base\r\n EXPORT oOwner, nId\r\n");
  repo_.AddClass(zeta, "Button", "CLASS Button\r\nPROTECT lPressed\r\n");
  repo_.AddClass(alpha, "Zed", "CLASS Zed\r\n");
  FakeEntity method;
  method.display_name = "Init";
  method.type = 1;
  method.source = "METHOD Init() CLASS Window\r\n";
  repo_.AddEntity(zeta, method);

  const ClassList classes = GETAPPCLASSES(repo_, app_);
  ASSERT_EQ(classes.size(), 3u);
  EXPECT_EQ(classes[0].name, "Zed");
  EXPECT_EQ(classes[1].name, "Button");
  EXPECT_EQ(classes[1].ivars, IvarList{"lPressed"});
  const ClassRecord& record = classes[2];
  EXPECT_EQ(record.entity, window);
  EXPECT_EQ(record.name, "Window");
  EXPECT_EQ(record.ivars, (IvarList{"oOwner", "nId"}));
  EXPECT_EQ(record.parent, "Base");
  EXPECT_EQ(record.module, zeta);
  EXPECT_EQ(record.application, app_);
  EXPECT_EQ(repo_.LastBufferSize("EntQueryProt"), 1024u);
}

TEST_F(ClassCollectionTest, LeavesOutClassesWithBlankSourceAndFailedPrototypes) {
  ModuleHandle module = repo_.AddModule(app_, "M");
  repo_.AddClass(module, "Blank", " \r\n\t");
  EntityHandle child = repo_.AddClass(module, "Child", "CLASS Child INHERIT Base\r\n");
  repo_.FailCall("EntQueryProt", 1);
  const ClassList classes = GETAPPCLASSES(repo_, app_);
  ASSERT_EQ(classes.size(), 1u);
  EXPECT_EQ(classes[0].entity, child);
  EXPECT_EQ(classes[0].parent, "");  // the failed query leaves an empty prototype
}

TEST_F(ClassCollectionTest, ClassesAndNamesCarryTheirFileLines) {
  ModuleHandle module = repo_.AddModule(app_, "Screens");
  repo_.AddClass(module, "Aa", "CLASS Aa\r\n\r\n");
  repo_.AddClass(module, "Window",
                 "CLASS Window\r\n// note\r\n EXPORT oOwner, ;\r\n   nId\r\n PROTECT x\r\n");
  const ClassList classes = GETAPPCLASSES(repo_, app_);
  ASSERT_EQ(classes.size(), 2u);
  const ClassRecord& window = classes[1];
  EXPECT_EQ(window.file, "App/Screens.prg");
  EXPECT_EQ(window.line, 3u);  // after the two lines of Aa
  EXPECT_EQ(window.ivar_lines, (std::vector<std::uint32_t>{5, 6, 7}));
}

TEST_F(ClassCollectionTest, ARepositoryThatCannotTellLeavesPositionsUnknown) {
  repo_.AddClass(repo_.AddModule(app_, "M"), "C", "CLASS C\r\nEXPORT a, b\r\n");
  repo_.FailCall("EntQuerySourcePosition", 0);
  const ClassList classes = GETAPPCLASSES(repo_, app_);
  ASSERT_EQ(classes.size(), 1u);
  EXPECT_EQ(classes[0].file, "");
  EXPECT_EQ(classes[0].line, 0u);
  EXPECT_EQ(classes[0].ivar_lines, (std::vector<std::uint32_t>{0, 0}));
}

TEST_F(ClassCollectionTest, SeveralThreadsScanToTheSameList) {
  for (int m = 0; m < 4; ++m) {
    ModuleHandle module = repo_.AddModule(app_, "Module " + std::to_string(m));
    for (int c = 0; c < 50; ++c) {
      const std::string name = "C" + std::to_string(m) + "_" + std::to_string(c);
      std::string source = "CLASS " + name + " INHERIT Base\r\n";
      for (int v = 0; v <= c % 7; ++v) source += "EXPORT v" + std::to_string(v) + name + "\r\n";
      repo_.AddClass(module, name, source);
    }
  }
  const ClassList one = GETAPPCLASSES(repo_, app_, 1);
  ASSERT_EQ(one.size(), 200u);
  EXPECT_EQ(one.back().name, "C3_9");  // classes in name order: C3_49 comes before C3_9
  EXPECT_EQ(one.back().ivars, (IvarList{"v0C3_9", "v1C3_9", "v2C3_9"}));
  EXPECT_EQ(one.back().ivar_lines, (std::vector<std::uint32_t>{42, 43, 44}));  // 9 classes first
  for (unsigned threads : {2u, 5u, 16u}) EXPECT_EQ(GETAPPCLASSES(repo_, app_, threads), one);
}

TEST_F(ClassCollectionTest, ApplicationWithoutModulesOrClassesYieldsAnEmptyList) {
  EXPECT_TRUE(GETAPPCLASSES(repo_, app_).empty());
  repo_.AddModule(app_, "Only methods");
  EXPECT_TRUE(GETAPPCLASSES(repo_, app_).empty());
}

}  // namespace
}  // namespace ivarscan
