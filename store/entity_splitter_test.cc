#include "store/entity_splitter.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace ivarscan {
namespace {

// The text of each entity, for readable expectations.
std::vector<std::string> Entities(std::string_view text) {
  std::vector<std::string> texts;
  for (const EntitySpan& span : SplitEntities(text)) {
    texts.emplace_back(text.substr(span.begin, span.end - span.begin));
  }
  return texts;
}

TEST(EntitySplitterTest, CutsAtStartLinesWithModifierWordsInAnyCase) {
  const std::string text =
      "// header lines belong to no entity\n"
      "#include \"x.vh\"\n"
      "  PARTIAL CLASS Foo INHERIT Bar\n"
      "\tEXPORT a\n"
      "  protect b\n"
      "END CLASS\n"
      "public static function Helper(x)\n"
      "  RETURN x\n"
      "method(x) class Foo\n"
      "RETURN NIL\n"
      "Static Protected Access Name Class Foo\n"
      "RESOURCE MainIcon ICON main.ico\r\n"
      "_DLL FUNCTION Beep(n AS INT) AS VOID PASCAL:KERNEL32.Beep";
  EXPECT_EQ(Entities(text),
            (std::vector<std::string>{
                "  PARTIAL CLASS Foo INHERIT Bar\n\tEXPORT a\n  protect b\nEND CLASS\n",
                "public static function Helper(x)\n  RETURN x\n",
                "method(x) class Foo\nRETURN NIL\n",
                "Static Protected Access Name Class Foo\n",
                "RESOURCE MainIcon ICON main.ico\r\n",
                "_DLL FUNCTION Beep(n AS INT) AS VOID PASCAL:KERNEL32.Beep",
            }));
  const std::vector<EntitySpan> spans = SplitEntities(text);
  EXPECT_EQ(spans[0].keyword, EntityKeyword::kClass);
  EXPECT_EQ(spans[1].keyword, EntityKeyword::kFunction);
  EXPECT_EQ(spans[2].keyword, EntityKeyword::kMethod);
  EXPECT_EQ(spans[3].keyword, EntityKeyword::kAccess);
  EXPECT_EQ(spans[4].keyword, EntityKeyword::kResource);
  EXPECT_EQ(spans[5].keyword, EntityKeyword::kDll);
}

TEST(EntitySplitterTest, OnlyTheFirstWordAfterModifiersCounts) {
  EXPECT_TRUE(Entities("x := CLASS\nEXPORT CLASS\nDECLARE METHOD Foo\nSTATIC x\n"
                       "CLASSES Foo\nFunctional\n  \n")
                  .empty());
  EXPECT_EQ(Entities("STATIC\tPROC Go\n").size(), 1u);
  EXPECT_EQ(Entities("define(x)\n").size(), 1u);  // a word ends before "("
}

TEST(EntitySplitterTest, BlockCommentsHideStartLines) {
  EXPECT_EQ(Entities("FUNCTION A\n"
                     "/* old code\n"
                     "FUNCTION Hidden\n"
                     "   */ FUNCTION AlsoHidden\n"
                     "FUNCTION B /* opens\n"
                     "CLASS Hidden\n"
                     "closes */ x := 1 /* and opens again\n"
                     "*/\n"
                     "FUNCTION C\n"),
            (std::vector<std::string>{
                "FUNCTION A\n/* old code\nFUNCTION Hidden\n   */ FUNCTION AlsoHidden\n",
                "FUNCTION B /* opens\nCLASS Hidden\ncloses */ x := 1 /* and opens again\n*/\n",
                "FUNCTION C\n",
            }));
}

TEST(EntitySplitterTest, QuotesAndLineCommentsOpenNoBlockComment) {
  EXPECT_EQ(Entities("FUNCTION A\n"
                     "  x := \"/*\"\n"
                     "  y := '/* it''s'\n"
                     "  // /* not a comment\n"
                     "  z := \"unclosed /* quote ends at the line end\n"
                     "FUNCTION B\n"
                     "  s := \"don't\" /* here it opens\n"
                     "FUNCTION Hidden */\n"
                     "FUNCTION C\n")
                .size(),
            3u);
}

TEST(EntitySplitterTest, EmptyAndStartlessTextsHaveNoEntities) {
  EXPECT_TRUE(SplitEntities("").empty());
  EXPECT_TRUE(SplitEntities("\n\r\n\n").empty());
  EXPECT_TRUE(SplitEntities(std::string("\0\x01\xff\n", 4)).empty());
}

// Arbitrary bytes, mostly taken from source-like pieces, always give spans that start at
// line starts, follow each other without overlap and stay inside the text.
TEST(EntitySplitterTest, AnyBytesGiveWellFormedSpans) {
  const std::vector<std::string> pieces = {
      "CLASS ", "static ", "/*", "*/",     "//",
      "\"",     "'",       "\n", "\r",     "(",
      "x",      " ",       "\t", "METHOD", std::string(1, '\0'),
      "\xff"};
  std::mt19937 random(12345);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) text += pieces[random() % pieces.size()];
    std::size_t previous_end = 0;
    for (const EntitySpan& span : SplitEntities(text)) {
      ASSERT_TRUE(span.begin == 0 || text[span.begin - 1] == '\n') << text;
      ASSERT_GE(span.begin, previous_end) << text;
      ASSERT_LT(span.begin, span.end) << text;
      ASSERT_LE(span.end, text.size()) << text;
      previous_end = span.end;
    }
  }
}

}  // namespace
}  // namespace ivarscan
