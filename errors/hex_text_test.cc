#include "errors/hex_text.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

TEST(HexTextTest, WordsHaveEightDigits) {
  EXPECT_EQ(HEXTEXT(std::uint32_t{0xC0000005}), "C0000005");
  EXPECT_EQ(HEXTEXT(std::uint32_t{10}), "0000000A");
  EXPECT_EQ(HEXTEXT(-2), "FFFFFFFE");
  EXPECT_EQ(HEXTEXT(true), "00000001");
}

TEST(HexTextTest, PointersHaveTheirFullWidth) {
  const std::string text = HEXTEXT(reinterpret_cast<const void*>(0xBEEF));
  EXPECT_EQ(text, std::string(2 * sizeof(void*) - 4, '0') + "BEEF");
}

TEST(HexTextTest, TextIsDumped) {
  EXPECT_EQ(HEXTEXT("abc"), "61 62 63 ");
  EXPECT_EQ(HEXDUMP(std::string_view("\0\xff", 2)), "00 FF ");
  EXPECT_EQ(HEXDUMP(""), "");
}

TEST(HexTextTest, FloatingPointValues) {
  EXPECT_EQ(HEXTEXT(4294967295.0, kVariant25), "FFFFFFFF");
  EXPECT_EQ(HEXTEXT(-1.0, kVariant25), "FFFFFFFF");
  EXPECT_EQ(HEXTEXT(255.0, kVariant25), "000000FF");
  EXPECT_EQ(HEXTEXT(1.5, kVariant25), "3FF8000000000000");
  EXPECT_EQ(HEXTEXT(4294967296.0, kVariant25), "41F0000000000000");
  EXPECT_EQ(HEXTEXT(-2147483648.0, kVariant25), "C1E0000000000000");
}

TEST(HexTextTest, Ide20DividesFloatingPointValuesWithoutLeadingZeros) {
  EXPECT_EQ(HEXTEXT(255.0, kVariant20), "FF");
  EXPECT_EQ(HEXTEXT(4294967296.0, kVariant20), "100000000");
  EXPECT_EQ(HEXTEXT(0.0, kVariant20), "0");
  EXPECT_EQ(HEXTEXT(-26.75, kVariant20), "-1A");
}

}  // namespace
}  // namespace ivarscan
