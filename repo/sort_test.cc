#include "repo/sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "platform/testing/growth.h"
#include "platform/text.h"

namespace ivarscan {
namespace {

std::vector<int> Iota(int n) {
  std::vector<int> values(n);
  std::iota(values.begin(), values.end(), 1);
  return values;
}

// Sorts an already ordered list of `n` numbers and returns, call by call, the distance
// between the candidate and the placed element. On ordered input every position costs
// exactly one call per pass, so the distances spell out the gaps in the order used.
std::vector<int> DistancesOnOrderedInput(int n) {
  std::vector<int> values = Iota(n);
  std::vector<int> distances;
  NEWASORT(values, 1, n, [&distances](int candidate, int placed) {
    distances.push_back(candidate - placed);
    return candidate < placed;
  });
  EXPECT_EQ(values, Iota(n));
  return distances;
}

// The gaps of the passes, with the number of calls each made.
std::vector<std::pair<int, int>> Passes(const std::vector<int>& distances) {
  std::vector<std::pair<int, int>> passes;
  for (int d : distances) {
    if (passes.empty() || passes.back().first != d) passes.emplace_back(d, 0);
    ++passes.back().second;
  }
  return passes;
}

TEST(ShellSortTest, StartGapFollowsTheThreeHPlusOneSequence) {
  EXPECT_EQ(ShellSortStartGap(0), 1);
  EXPECT_EQ(ShellSortStartGap(13), 1);
  EXPECT_EQ(ShellSortStartGap(14), 4);
  EXPECT_EQ(ShellSortStartGap(40), 4);
  EXPECT_EQ(ShellSortStartGap(41), 13);
  EXPECT_EQ(ShellSortStartGap(121), 13);
  EXPECT_EQ(ShellSortStartGap(122), 40);
  EXPECT_EQ(ShellSortStartGap(364), 40);
  EXPECT_EQ(ShellSortStartGap(365), 121);
  EXPECT_EQ(ShellSortStartGap(29524), 3280);
  EXPECT_EQ(ShellSortStartGap(29525), 3280);
  EXPECT_EQ(ShellSortStartGap(1000000), 3280);
}

TEST(ShellSortTest, PassesRunFromTheStartGapDownToOne) {
  using PassList = std::vector<std::pair<int, int>>;
  EXPECT_EQ(Passes(DistancesOnOrderedInput(13)), (PassList{{1, 12}}));
  EXPECT_EQ(Passes(DistancesOnOrderedInput(14)), (PassList{{4, 10}, {1, 13}}));
  EXPECT_EQ(Passes(DistancesOnOrderedInput(30000)), (PassList{{3280, 30000 - 3280},
                                                              {1093, 30000 - 1093},
                                                              {364, 30000 - 364},
                                                              {121, 30000 - 121},
                                                              {40, 30000 - 40},
                                                              {13, 30000 - 13},
                                                              {4, 30000 - 4},
                                                              {1, 30000 - 1}}));
}

TEST(ShellSortTest, SortsWithTheDefaultOrder) {
  std::vector<int> values = {5, 3, 9, 1, 7, 3, 8, 2, 6, 4, 0, 11, 10, 12, 15, 14, 13};
  NEWASORT(values);
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  std::vector<std::string> words = {"pear", "apple", "fig"};
  EXPECT_EQ(NEWASORT(words), (std::vector<std::string>{"apple", "fig", "pear"}));
}

TEST(ShellSortTest, SortsLargeReversedAndShuffledLists) {
  std::vector<int> reversed = Iota(50000);
  std::reverse(reversed.begin(), reversed.end());
  NEWASORT(reversed);
  EXPECT_EQ(reversed, Iota(50000));
  std::vector<int> shuffled(5000);
  for (int i = 0; i < 5000; ++i) shuffled[i] = (i * 7919) % 5000;
  NEWASORT(shuffled, 1, kToTheEnd, [](int a, int b) { return a > b; });
  EXPECT_TRUE(std::is_sorted(shuffled.rbegin(), shuffled.rend()));
}

TEST(ShellSortTest, EmptyAndZeroCountNeverCallThePredicate) {
  int calls = 0;
  auto counting = [&calls](int a, int b) {
    ++calls;
    return a < b;
  };
  std::vector<int> empty;
  NEWASORT(empty, 1, kToTheEnd, counting);
  EXPECT_TRUE(empty.empty());
  std::vector<int> values = {3, 2, 1};
  NEWASORT(values, 2, 0, counting);
  EXPECT_EQ(values, (std::vector<int>{3, 2, 1}));
  std::vector<int> single = {7};
  NEWASORT(single, 1, kToTheEnd, counting);
  EXPECT_EQ(single, std::vector<int>{7});
  EXPECT_EQ(calls, 0);
}

TEST(ShellSortTest, StretchLeavesTheRestInPlace) {
  std::vector<int> values = {9, 8, 7, 6, 5, 4, 3, 2, 1};
  NEWASORT(values, 3, 4);  // positions 3 to 6
  EXPECT_EQ(values, (std::vector<int>{9, 8, 4, 5, 6, 7, 3, 2, 1}));
  std::vector<int> tail = {9, 8, 7, 6, 5, 4, 3, 2, 1};
  NEWASORT(tail, 6);  // positions 6 to the end
  EXPECT_EQ(tail, (std::vector<int>{9, 8, 7, 6, 5, 1, 2, 3, 4}));
  // A long stretch (gap passes) in the middle of a longer list.
  std::vector<int> long_list = Iota(100);
  std::reverse(long_list.begin() + 10, long_list.begin() + 90);
  SHELLSORT(long_list, 11, 90, [](int a, int b) { return a < b; });
  EXPECT_EQ(long_list, Iota(100));
}

// A record whose key is the display name; `name` tags its input position.
EntityRecord Entity(std::string display_name, std::string tag) {
  EntityRecord entity;
  entity.display_name = std::move(display_name);
  entity.name = std::move(tag);
  return entity;
}

std::string Tags(const std::vector<EntityRecord>& entities) {
  std::string tags;
  for (const EntityRecord& entity : entities) tags += entity.name + " ";
  return tags;
}

TEST(NameOrderTest, ShortListReversesEachRunOfEqualKeys) {
  std::vector<EntityRecord> entities = {Entity("B", "B"), Entity("a", "A1"), Entity("A", "A2"),
                                        Entity("a ", "A3"), Entity("C", "C")};
  NEWASORT(entities, 1, kToTheEnd, NameOrder);
  EXPECT_EQ(Tags(entities), "A3 A2 A1 B C ");
}

TEST(NameOrderTest, LongListOrdersEqualKeysByTheGapPasses) {
  // Fourteen equal keys: the gap-4 pass moves each candidate to the front of its chain
  // (positions 1, 5, 9, 13 end as 13, 9, 5, 1), and the gap-1 pass, true on every equal
  // key, then reverses the whole list.
  std::vector<EntityRecord> entities;
  for (int i = 1; i <= 14; ++i) entities.push_back(Entity("same", std::to_string(i)));
  NEWASORT(entities, 1, kToTheEnd, NameOrder);
  EXPECT_EQ(Tags(entities), "2 1 4 3 6 5 8 7 10 9 12 11 14 13 ");
}

TEST(ShellSortTest, DefaultOrderKeepsEqualElementsOfShortListsInInputOrder) {
  std::vector<std::pair<int, int>> pairs;
  for (int i = 0; i < 13; ++i) pairs.emplace_back(i % 3, i);
  NEWASORT(pairs, 1, kToTheEnd, [](const auto& a, const auto& b) { return a.first < b.first; });
  const std::vector<std::pair<int, int>> expected = {{0, 0}, {0, 3}, {0, 6}, {0, 9},  {0, 12},
                                                     {1, 1}, {1, 4}, {1, 7}, {1, 10}, {2, 2},
                                                     {2, 5}, {2, 8}, {2, 11}};
  EXPECT_EQ(pairs, expected);
}

TEST(NameOrderTest, KeysIgnoreCaseAndEverythingAfterSixtyFourCharacters) {
  EXPECT_EQ(NameOrderKey("abc"), "ABC" + std::string(61, ' '));
  EXPECT_EQ(NameOrderKey(std::string(70, 'x')), std::string(64, 'X'));
  EXPECT_EQ(NameOrderKey("\xE4x"), "\xE4X" + std::string(62, ' '));

  ApplicationRecord lower, upper;
  lower.name = "abc";
  upper.name = "ABC";
  EXPECT_TRUE(NameOrder(lower, upper));
  EXPECT_TRUE(NameOrder(upper, lower));

  ModuleRecord long_a, long_b;
  long_a.name = std::string(64, 'm') + "A";
  long_b.name = std::string(64, 'M') + "B";
  EXPECT_TRUE(NameOrder(long_b, long_a));
  EXPECT_TRUE(NameOrder(long_a, long_b));
}

TEST(NameOrderTest, ComparesPaddedKeysByteByByte) {
  ModuleRecord shorter, longer, tabbed, high, letter;
  shorter.name = "Data";
  longer.name = "DataWindow";
  EXPECT_TRUE(NameOrder(shorter, longer));
  EXPECT_FALSE(NameOrder(longer, shorter));
  // The padding blank (32) stands above a tab (9): "Data\t" sorts before "Data".
  tabbed.name = "Data\t";
  EXPECT_TRUE(NameOrder(tabbed, shorter));
  EXPECT_FALSE(NameOrder(shorter, tabbed));
  // Bytes above 127 compare as unsigned codes, after every ASCII letter.
  high.name = "\xE4";
  letter.name = "z";
  EXPECT_TRUE(NameOrder(letter, high));
  EXPECT_FALSE(NameOrder(high, letter));
}

TEST(NameOrderTest, SortsApplicationAndModuleListsByName) {
  std::vector<ApplicationRecord> apps(3);
  apps[0].name = "Zeta";
  apps[1].name = "alpha";
  apps[2].name = "Beta";
  NEWASORT(apps, 1, kToTheEnd, NameOrder);
  EXPECT_EQ(apps[0].name, "alpha");
  EXPECT_EQ(apps[1].name, "Beta");
  EXPECT_EQ(apps[2].name, "Zeta");

  std::vector<ModuleRecord> modules(2);
  modules[0].name = "Start";
  modules[1].name = "IVars";
  NEWASORT(modules, 1, kToTheEnd, NameOrder);
  EXPECT_EQ(modules[0].name, "IVars");
}

// The name order goes through ShellSortLessOrEqual; a lambda around it takes the plain
// insertion passes. Both must leave every list in the same order, runs of equal keys
// included, for every start gap (up to the fixed 3,280 above 29,524 elements).
TEST(NameOrderTest, FastPathGivesTheInsertionPassesOrder) {
  std::mt19937 random(7);
  for (int n : {0, 1, 2, 13, 14, 40, 41, 122, 365, 1000, 29'525}) {
    std::vector<EntityRecord> entities;
    for (int i = 0; i < n; ++i) {
      // About three elements per key, so that the insertion passes stay quick; half the
      // keys differ from other names only after 64 characters, and letter case varies.
      const int key = static_cast<int>(random() % (n / 3 + 1));
      std::string name = "k" + std::to_string(key);
      if (key % 2 != 0) name += std::string(64 - name.size(), '_') + std::to_string(i % 3);
      if (random() % 2 != 0) name = UpperAscii(name);
      entities.push_back(Entity(name, std::to_string(i)));
    }
    std::vector<EntityRecord> expected = entities;
    SHELLSORT(expected, 1, n,
              [](const EntityRecord& a, const EntityRecord& b) { return NameOrder(a, b); });
    NEWASORT(entities, 1, kToTheEnd, NameOrder);
    EXPECT_EQ(Tags(entities), Tags(expected)) << n << " elements";
  }
  std::vector<ModuleRecord> modules(20);
  for (std::size_t i = 0; i < modules.size(); ++i) modules[i].name = std::to_string(i % 4);
  std::vector<ModuleRecord> expected = modules;
  NEWASORT(modules, 3, 12, NameOrder);  // a stretch: positions 3 to 14
  SHELLSORT(expected, 3, 14,
            [](const ModuleRecord& a, const ModuleRecord& b) { return NameOrder(a, b); });
  for (std::size_t i = 0; i < modules.size(); ++i) EXPECT_EQ(modules[i].name, expected[i].name);
}

// `count` entities whose names share their first 64 characters, each tagged with its index.
std::vector<EntityRecord> EqualKeys(int count) {
  std::vector<EntityRecord> entities;
  for (int i = 0; i < count; ++i) {
    entities.push_back(Entity(std::string(64, 'x') + std::to_string(i), std::to_string(i + 1)));
  }
  return entities;
}

// Regression: the insertion passes moved every candidate past every equal key before it,
// so 20,000 classes whose names share their first 64 characters took 45 s in the release
// build (200 million comparisons in the last pass alone): quadratic growth, which four times
// the keys turns into about sixteen times the time.
TEST(NameOrderTest, EqualKeysSortWithoutQuadraticGrowth) {
  const std::vector<EntityRecord> small = EqualKeys(2'500);
  const std::vector<EntityRecord> large = EqualKeys(10'000);
  std::vector<EntityRecord> sorted;
  const double growth = GrowthOf(
      [&] {
        sorted = small;
        NEWASORT(sorted, 1, kToTheEnd, NameOrder);
      },
      [&] {
        sorted = large;
        NEWASORT(sorted, 1, kToTheEnd, NameOrder);
      });
  EXPECT_LT(growth, 9.0);  // four times the keys: about four to five times the time
  std::vector<int> tags;
  for (const EntityRecord& entity : sorted) tags.push_back(std::stoi(entity.name));
  std::sort(tags.begin(), tags.end());
  EXPECT_EQ(tags, Iota(10'000));
}

}  // namespace
}  // namespace ivarscan
