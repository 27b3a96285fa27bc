#include "store/skipped_file.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

TEST(NewSkippedFilesTest, TakesEachEntryOnceAsTheListGrows) {
  SkipList list;
  NewSkippedFiles fresh(list.entries());
  EXPECT_TRUE(fresh.Take().empty());

  list.Add("a.aef", "left out");
  list.Add("b.aef", "read in part");
  EXPECT_EQ(fresh.Take(),
            (std::vector<SkippedFile>{{"a.aef", "left out"}, {"b.aef", "read in part"}}));
  EXPECT_TRUE(fresh.Take().empty());

  // A warning the list already holds is not added again, so it is not new either.
  list.Add("a.aef", "left out");
  EXPECT_TRUE(fresh.Take().empty());
  list.Add("c.aef", "left out");
  EXPECT_EQ(fresh.Take(), (std::vector<SkippedFile>{{"c.aef", "left out"}}));
  EXPECT_TRUE(fresh.Take().empty());
}

}  // namespace
}  // namespace ivarscan
