#include "app/cp1252.h"

#include <gtest/gtest.h>

#include <string>

namespace ivarscan {
namespace {

TEST(Cp1252Test, EveryByteBecomesOneCharacter) {
  EXPECT_EQ(Cp1252ToUtf8("Order Screens"), "Order Screens");
  EXPECT_EQ(Cp1252ToUtf8("Gr\xF6\xDF"
                         "e"),
            "Gr\xC3\xB6\xC3\x9F"
            "e");
  EXPECT_EQ(Cp1252ToUtf8("\x80 \x99 \x9F \xFF"), "\xE2\x82\xAC \xE2\x84\xA2 \xC5\xB8 \xC3\xBF");
  // The unassigned bytes keep their numbers, as control characters.
  EXPECT_EQ(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D");
  EXPECT_EQ(Cp1252ToUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp1252Test, SystemTextStaysWhenItIsUtf8) {
  EXPECT_EQ(SystemTextToUtf8("/home/j\xC3\xBCrgen/repo"), "/home/j\xC3\xBCrgen/repo");
  EXPECT_EQ(SystemTextToUtf8("/home/j\xFCrgen"), "/home/j\xC3\xBCrgen");
  // Overlong forms, surrogates and cut sequences are not UTF-8.
  EXPECT_EQ(SystemTextToUtf8("\xC0\xAF"), "\xC3\x80\xC2\xAF");
  EXPECT_EQ(SystemTextToUtf8("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xE2\x82\xAC");
  EXPECT_EQ(SystemTextToUtf8("x\xE2\x82"), "x\xC3\xA2\xE2\x80\x9A");
}

}  // namespace
}  // namespace ivarscan
