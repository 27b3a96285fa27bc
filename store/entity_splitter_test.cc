#include "store/entity_splitter.h"

#include <gtest/gtest.h>

#include <optional>
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

TEST(EntitySplitterTest, CountsTheLinesThatEndInABareLineFeed) {
  std::size_t bare = 99;
  SplitEntities("FUNCTION A\r\nx\n\ny\r\r\nz\n\r", &bare);
  EXPECT_EQ(bare, 3u);  // "x", the empty line and "y\r\r" (one CR is its own)
  SplitEntities("a\r\nb\r\nc", &bare);
  EXPECT_EQ(bare, 0u);
}

// The slow, literal cut, line by line with every line's comment state looked at:
// what SplitEntities must match whichever lines it skips.
std::vector<EntitySpan> SplitLineByLine(std::string_view text) {
  std::vector<EntitySpan> spans;
  bool in_comment = false;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t newline = text.find('\n', pos);
    const std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
    std::string_view line = text.substr(pos, next - pos);
    if (line.ends_with('\n')) line.remove_suffix(1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (!in_comment) {
      if (std::optional<EntityKeyword> keyword = StartLineKeyword(line)) {
        if (!spans.empty()) spans.back().end = pos;
        spans.push_back({pos, text.size(), *keyword});
      }
    }
    in_comment = BlockCommentOpenAfter(line, in_comment);
    pos = next;
  }
  return spans;
}

std::size_t CountBareLineFeeds(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) ++count;
  }
  return count;
}

// Arbitrary bytes, mostly taken from source-like pieces, always give spans that start at
// line starts, follow each other without overlap and stay inside the text, and the cut
// that looking at every line gives.
TEST(EntitySplitterTest, AnyBytesGiveWellFormedSpans) {
  const std::vector<std::string> pieces = {
      "CLASS ", "static ", "/*", "*/",     "//",
      "\"",     "'",       "\n", "\r",     "(",
      "x",      " ",       "\t", "METHOD", std::string(1, '\0'),
      "\xff",   "\r\n",    "/",  "*"};
  std::mt19937 random(12345);
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) text += pieces[random() % pieces.size()];
    std::size_t bare = 0;
    const std::vector<EntitySpan> spans = SplitEntities(text, &bare);
    ASSERT_EQ(spans, SplitLineByLine(text)) << text;
    ASSERT_EQ(bare, CountBareLineFeeds(text)) << text;
    std::size_t previous_end = 0;
    for (const EntitySpan& span : spans) {
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
