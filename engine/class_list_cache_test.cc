#include "engine/class_list_cache.h"

#include <gtest/gtest.h>

#include "repo/testing/fake_repository.h"

namespace ivarscan {
namespace {

class ClassListCacheTest : public ::testing::Test {
 protected:
  ClassListCacheTest() {
    repo_.AddProject("P");
    library_ = repo_.AddApplication("P", {"Library"});
    program_ = repo_.AddApplication("P", {"Program"});
    const ModuleHandle base = repo_.AddModule(library_, "Base");
    repo_.AddClass(base, "Window", "CLASS Window\r\nEXPORT oOwner\r\n");
    repo_.AddClass(base, "Control", "CLASS Control\r\nPROTECT nId, nId\r\n");
    const ModuleHandle screens = repo_.AddModule(program_, "Screens");
    repo_.AddClass(screens, "OrderWindow", "CLASS OrderWindow INHERIT Window\r\nEXPORT oOwner\r\n");
  }

  FakeRepository repo_;
  AppHandle library_ = 0;
  AppHandle program_ = 0;
};

TEST_F(ClassListCacheTest, GivesEachApplicationWhatGetAppClassesGives) {
  ClassListCache cache(repo_);
  EXPECT_EQ(cache.Get(program_).classes(), GETAPPCLASSES(repo_, program_));
  EXPECT_EQ(cache.Get(library_).classes(), GETAPPCLASSES(repo_, library_));
  EXPECT_EQ(cache.Get(library_).classes().size(), 2u);
  EXPECT_TRUE(cache.Get(0).classes().empty());  // no such application
}

TEST_F(ClassListCacheTest, ReadsAnApplicationOnceAndKeepsItsListInPlace) {
  ClassListCache cache(repo_);
  const IndexedClassList& first = cache.Get(library_);
  const ClassList copy = first.classes();
  repo_.ClearCallLog();
  for (AppHandle other = 2; other < 40; ++other) cache.Get(other);  // more lists added
  repo_.ClearCallLog();
  const IndexedClassList& again = cache.Get(library_);
  EXPECT_TRUE(repo_.calls().empty()) << "the library was read again: " << repo_.calls()[0];
  EXPECT_EQ(&again, &first);
  EXPECT_EQ(first.classes(), copy);
}

TEST(IndexedClassListTest, FindsTheFirstClassOfANameIgnoringCase) {
  ClassList classes(4);
  classes[0].name = "Window";
  classes[1].name = "Control";
  classes[2].name = "WINDOW";
  classes[3].name = "Edit";
  const IndexedClassList list(std::move(classes));
  EXPECT_EQ(list.FindFirst("window"), 0u);
  EXPECT_EQ(list.FindFirst("WINDOW"), 0u);
  EXPECT_EQ(list.FindFirst("Edit"), 3u);
  EXPECT_EQ(list.FindFirst("Edi"), IndexedClassList::kNotFound);
  EXPECT_EQ(list.FindFirst(""), IndexedClassList::kNotFound);
}

}  // namespace
}  // namespace ivarscan
