#include "platform/text.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

TEST(TextTest, UpperAsciiTouchesOnlyAsciiLetters) {
  EXPECT_EQ(UpperAscii("abc XYZ 09_{}"), "ABC XYZ 09_{}");
  // UTF-8 "ä" and a code-page byte stay exactly as they were.
  EXPECT_EQ(UpperAscii("\xC3\xA4x\xE4"), "\xC3\xA4X\xE4");
}

TEST(TextTest, EqualsIgnoringCaseComparesWholeTexts) {
  EXPECT_TRUE(EqualsIgnoringCase("DataWindow", "DATAWINDOW"));
  EXPECT_FALSE(EqualsIgnoringCase("Data", "DataWindow"));
  EXPECT_FALSE(EqualsIgnoringCase("\xE4", "\xC4"));  // no locale folding
}

TEST(TextTest, Fnv1a64IsTheKnownHash) {
  EXPECT_EQ(Fnv1a64(""), 0xCBF29CE484222325u);  // the offset basis
  EXPECT_EQ(Fnv1a64("a"), 0xAF63DC4C8601EC8Cu);
  EXPECT_EQ(Fnv1a64("foobar"), 0x85944171F73967E8u);
  std::uint64_t hash = kFnv1a64Basis;
  for (char c : std::string_view("foobar")) hash = Fnv1a64Add(hash, c);
  EXPECT_EQ(hash, Fnv1a64("foobar"));
  EXPECT_NE(Fnv1a64("\xE4"), Fnv1a64("\xC4"));  // bytes above 127 count as they are
}

TEST(TextTest, BlankMeansOnlyBlanksTabsCrAndLf) {
  EXPECT_TRUE(IsBlank(""));
  EXPECT_TRUE(IsBlank(" \t\r\n"));
  EXPECT_FALSE(IsBlank(" \t.\r\n"));
  EXPECT_FALSE(IsBlank(std::string_view("\0", 1)));
}

TEST(TextTest, TrimsAndZeroTerminatedBuffers) {
  EXPECT_EQ(TrimBlanks("  a b \t "), "a b \t");
  EXPECT_EQ(TrimBlanksAndTabs("\t a b \t "), "a b");
  const char buffer[5] = {'a', 'b', '\0', 'c', 'd'};
  EXPECT_EQ(ZeroTerminated(buffer, sizeof buffer), "ab");
  const char full[3] = {'x', 'y', 'z'};
  EXPECT_EQ(ZeroTerminated(full, sizeof full), "xyz");
}

}  // namespace
}  // namespace ivarscan
