#include "app/console/project_hints.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

TEST(ProjectHintsTest, ListsTwentyThenSaysHowManyMore) {
  EXPECT_EQ(ProjectListText({"Archive", "Sales"}), "Archive, Sales");
  std::vector<std::string> many;
  for (int i = 1; i <= 23; ++i) many.push_back("P" + std::to_string(i));
  const std::string text = ProjectListText(many);
  EXPECT_TRUE(text.ends_with(", P19, P20 and 3 more")) << text;
  EXPECT_EQ(text.find("P21"), std::string::npos);
}

TEST(ProjectHintsTest, NamesTheClosestOnlyForANearMiss) {
  const std::vector<std::string> names = {"Archive", "Inventory", "Sales", "Warehouse"};
  EXPECT_EQ(ClosestName(names, "Sale"), "Sales");
  EXPECT_EQ(ClosestName(names, "sales "), "Sales");
  EXPECT_EQ(ClosestName(names, "Invnetory"), "Inventory");  // two letters swapped
  EXPECT_EQ(ClosestName(names, "Nowhere"), std::nullopt);
  EXPECT_EQ(ClosestName(names, "X"), std::nullopt);
  EXPECT_EQ(ClosestName({}, "Sales"), std::nullopt);
}

}  // namespace
}  // namespace ivarscan
