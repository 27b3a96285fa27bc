#include "platform/cp1252.h"

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

// A name from the file system becomes a repository text once, and back the same; a name
// the code page cannot hold, or one that is not UTF-8, stays as it is.
TEST(Cp1252Test, FileNamesBecomeRepositoryTextWhenTheCodePageHoldsThem) {
  EXPECT_EQ(FileNameToCp1252("Contr\xC3\xB4les #1"), "Contr\xF4les #1");
  EXPECT_EQ(Cp1252ToUtf8(FileNameToCp1252("Contr\xC3\xB4les #1")), "Contr\xC3\xB4les #1");
  EXPECT_EQ(FileNameToCp1252("\xE2\x82\xAC \xC5\xB8 \xC2\x81"), "\x80 \x9F \x81");
  EXPECT_EQ(FileNameToCp1252("Plain"), "Plain");
  // Cyrillic has no byte in the code page; a lone Latin-1 byte is no UTF-8.
  EXPECT_EQ(FileNameToCp1252("\xD0\x96urnal \xC3\xA9"), "\xD0\x96urnal \xC3\xA9");
  EXPECT_EQ(FileNameToCp1252("Contr\xF4les"), "Contr\xF4les");
}

}  // namespace
}  // namespace ivarscan
