#include "engine/scanner.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "engine/testing/scanner_reference.h"
#include "platform/testing/growth.h"

namespace ivarscan {
namespace {

IvarList Ivars(std::initializer_list<const char*> names) {
  return IvarList(names.begin(), names.end());
}

constexpr char kWorkedExample[] =
    "CLASS OrderWindow INHERIT DataWindow\r\n"
    "\tEXPORT oDCName AS SingleLineEdit\t// name field\r\n"
    "\tPROTECT nCount := 0, ;\r\n"
    "\t\tcTitle AS STRING\r\n"
    "\t/* temporary\r\n"
    "\tEXPORT oOld\r\n"
    "\t*/\r\n"
    "\tINSTANCE aCache\r\n"
    "\tHIDDEN hPriv\r\n";

TEST(ScannerTest, WorkedExample) {
  const std::string source = kWorkedExample;
  EXPECT_EQ(STRIPCOMMENTS(source),
            "CLASS OrderWindow INHERIT DataWindow\r\n"
            "\tEXPORT oDCName AS SingleLineEdit\r\n"
            "\tPROTECT nCount := 0, \t\tcTitle AS STRING\r\n"
            "\r\n"
            "\tINSTANCE aCache\r\n"
            "\tHIDDEN hPriv\r\n");
  EXPECT_EQ(GETVISIBLEIVARS(source), Ivars({"oDCName", "nCount", "cTitle", "aCache"}));
}

TEST(ScannerTest, BlankSourcesDeclareNothing) {
  EXPECT_TRUE(GETVISIBLEIVARS("").empty());
  EXPECT_TRUE(GETVISIBLEIVARS(" \t\r\n\r\n\n\r").empty());
  EXPECT_EQ(STRIPCOMMENTS(" \t\r\n\r\n"), "");
  EXPECT_TRUE(GETVISIBLEIVARS("CLASS Foo INHERIT Bar\r\nHIDDEN hSecret\r\nDECLARE x").empty());
}

TEST(ScannerTest, TypeClausesAndInitialValuesAreCut) {
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT cName AS STRING, nAge := 0 AS INT"), Ivars({"cName", "nAge"}));
  EXPECT_EQ(GETVISIBLEIVARS("PROTECT oOwner IS MyStruct"), Ivars({"oOwner"}));
  EXPECT_EQ(GETVISIBLEIVARS("INSTANCE n:=1"), Ivars({"n"}));
  EXPECT_EQ(GETVISIBLEIVARS("export a as int, b Is Point"), Ivars({"a", "b"}));
  // AS needs a blank on both sides: a name that contains it, or ends in it, stays whole.
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT nBASE, cAlias AS, BASIS"),
            Ivars({"nBASE", "cAlias AS", "BASIS"}));
  EXPECT_EQ(GETVISIBLEIVARS("\tEXPORT\ta\tAS\tINT"), Ivars({"a"}));
}

TEST(ScannerTest, KeywordPrefixDecidesDeclarationLines) {
  EXPECT_EQ(GETVISIBLEIVARS("PROTECTED x\r\nexpo y\r\nInst z\r\nEXPORTS w"),
            Ivars({"x", "y", "z", "w"}));
  // Four characters, the blank included, must occur in "EXPO|PROT|INST".
  EXPECT_TRUE(GETVISIBLEIVARS("PRO x\r\nT x\r\nEXP x\r\nHIDDEN x\r\nCLASS x").empty());
  // The separators of the keyword list take part like any other character.
  EXPECT_EQ(GETVISIBLEIVARS("O|PROT x"), Ivars({"x"}));
}

TEST(ScannerTest, DeclarationLineWithoutBlankGivesNoName) {
  EXPECT_TRUE(GETVISIBLEIVARS("EXPORT").empty());
  EXPECT_TRUE(GETVISIBLEIVARS("PRO\r\nEX\r\nI").empty());
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT\r\nEXPORT a"), Ivars({"a"}));
  // A comment between keyword and name leaves no blank behind.
  EXPECT_EQ(STRIPCOMMENTS("EXPORT/* x */cName"), "EXPORTcName\r\n");
  EXPECT_TRUE(GETVISIBLEIVARS("EXPORT/* x */cName").empty());
}

TEST(ScannerTest, CommasInsideValuesQuotesAndDimensionsDoNotSplit) {
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT aList := {1, 2}"), Ivars({"aList"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT cSep := \",\", cNext"), Ivars({"cSep", "cNext"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT cSep := ',', cNext"), Ivars({"cSep", "cNext"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT cQ := \"it's, here\", b"), Ivars({"cQ", "b"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT x := Max(f(1, 2), {3, [4, 5]}), y"), Ivars({"x", "y"}));
  // A stray closing bracket does not open anything.
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a := ), b"), Ivars({"a", "b"}));
}

TEST(ScannerTest, UnclosedQuotesAndBracketsEndWithTheirLine) {
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a := \"x, b\r\nEXPORT c, d"), Ivars({"a", "c", "d"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a := (1, b\r\nEXPORT c, d"), Ivars({"a", "c", "d"}));
}

TEST(ScannerTest, DimensionsGiveTheBareName) {
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT aGrid[10, 20]"), Ivars({"aGrid"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT aList[10], b"), Ivars({"aList", "b"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT DIM abBuf[256] AS BYTE"), Ivars({"abBuf"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT dim   aX[2], Dim aY [3]"), Ivars({"aX", "aY"}));
  // DIM is dropped only as a word of its own.
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT Dimension, DIM"), Ivars({"Dimension", "DIM"}));
}

TEST(ScannerTest, NamesKeepCaseOrderAndRepeats) {
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a\r\nPROTECT b\r\nEXPORT A"), Ivars({"a", "b", "A"}));
}

TEST(ScannerTest, ItemsThatLeaveNoNameDeclareNothing) {
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT/* x */cName AS INT\r\nEXPORT d"), Ivars({"d"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a, , b"), Ivars({"a", "b"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a,\r\nEXPORT b"), Ivars({"a", "b"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a,  ,\r\nHIDDEN h"), Ivars({"a"}));
}

// Found by the scanner fuzzer: items are read until the rest of the declarations is
// blank, so a lone CR or LF in a last item lists no name, while one in an earlier item
// is the name that the item leaves.
TEST(ScannerTest, BlankItemsAtTheEndDeclareNothing) {
  EXPECT_TRUE(GETVISIBLEIVARS("PROT \n").empty());
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a, \r\r\nHIDDEN h\r\n"), Ivars({"a"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a, \r\r\nEXPORT \n, b"), Ivars({"a", "\r", "\n", "b"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT \r AS INT"), Ivars({"\r"}));
}

TEST(ScannerTest, ContinuationLinesJoin) {
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a, ;\r\n   b AS INT"), Ivars({"a", "b"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a, ;\t\r\n   b AS INT"), Ivars({"a", "b"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a, ; // more\r\n   b AS INT"), Ivars({"a", "b"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a, ;\r\nb, ;\r\nc\r\nEXPORT d"), Ivars({"a", "b", "c", "d"}));
  EXPECT_EQ(STRIPCOMMENTS("a;\r\n\tb;\r\nc;"), "a\tbc");
  // The next line keeps its leading tabs and blanks; a joined HIDDEN line stays hidden.
  EXPECT_EQ(STRIPCOMMENTS("x;\r\n \ty\r\n"), "x \ty\r\n");
  EXPECT_TRUE(GETVISIBLEIVARS("HIDDEN a, ;\r\nb").empty());
}

TEST(ScannerTest, OnlyCrLfEndsALine) {
  EXPECT_EQ(STRIPCOMMENTS("a\nb\rc\r\nd"), "a\nb\rc\r\nd\r\n");
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a\nEXPORT b"), Ivars({"a\nEXPORT b"}));
  // A lone CR before the CR LF hides a continuation semicolon.
  EXPECT_EQ(STRIPCOMMENTS("a;\r\r\nb"), "a;\r\r\nb\r\n");
}

// The 0-based source lines on which GETVISIBLEIVARS sees each name start, with the names.
struct Traced {
  IvarList names;
  std::vector<std::size_t> lines;
};
Traced Trace(std::string_view source) {
  Traced traced;
  traced.names = GETVISIBLEIVARS(source, &traced.lines);
  EXPECT_EQ(traced.names, GETVISIBLEIVARS(source)) << "tracing changed the names";
  return traced;
}
using Lines = std::vector<std::size_t>;

TEST(ScannerPositionTest, NamesStandOnTheLinesOfTheSourceAsWritten) {
  // Comments, continuation lines and removed block comments still count as lines.
  const Traced worked = Trace(kWorkedExample);
  EXPECT_EQ(worked.names, Ivars({"oDCName", "nCount", "cTitle", "aCache"}));
  EXPECT_EQ(worked.lines, (Lines{1, 2, 3, 7}));
  EXPECT_EQ(Trace("EXPORT a, b\r\nEXPORT c").lines, (Lines{0, 0, 1}));
}

TEST(ScannerPositionTest, BlockCommentsAndContinuationsInsideOneDeclaration) {
  EXPECT_EQ(Trace("EXPORT a, /* one\r\ntwo */ b, ;\r\n ;\r\n c").lines, (Lines{0, 1, 3}));
  EXPECT_EQ(Trace("/*\r\n*/EXPORT a, ; // x\r\n;\r\nb").lines, (Lines{1, 3}));
  // A DIM or a type clause before the next item does not move it.
  EXPECT_EQ(Trace("EXPORT DIM a[2] AS INT, ;\r\n  b").lines, (Lines{0, 1}));
}

TEST(ScannerPositionTest, OnlyCrLfCountsAsALineEnd) {
  EXPECT_EQ(Trace("EXPORT a\nb\r\nEXPORT c\rd\r\nEXPORT e").lines, (Lines{0, 1, 2}));
  EXPECT_EQ(Trace("\r\r\nEXPORT a").lines, (Lines{1}));
}

TEST(ScannerPositionTest, TrailingBlankItemsDropTheirLinesToo) {
  const Traced traced = Trace("EXPORT a, \r\r\nHIDDEN h\r\n");
  EXPECT_EQ(traced.names, Ivars({"a"}));
  EXPECT_EQ(traced.lines, (Lines{0}));
}

TEST(ScannerTest, LineCommentsAreCutEvenInsideQuotes) {
  EXPECT_EQ(CLEANUPLINEEND("\tEXPORT a // first"), "\tEXPORT a");
  EXPECT_EQ(CLEANUPLINEEND("EXPORT c := \"http://x\""), "EXPORT c := \"http:");
  EXPECT_EQ(CLEANUPLINEEND("  a \t \t"), "  a");
  EXPECT_EQ(CLEANUPLINEEND("a\r"), "a\r");
  EXPECT_EQ(CLEANUPLINEEND("//"), "");
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a // first, b"), Ivars({"a"}));
}

TEST(ScannerTest, MarkerSearchSkipsQuotedText) {
  EXPECT_EQ(MULTILINECOMMENT("a /* b", true), 3u);
  EXPECT_EQ(MULTILINECOMMENT("a */ b", false), 3u);
  EXPECT_EQ(MULTILINECOMMENT("abc", true), 0u);
  EXPECT_EQ(MULTILINECOMMENT("\"/*\" /*", true), 6u);
  EXPECT_EQ(MULTILINECOMMENT("'/*' /*", true), 6u);
  EXPECT_EQ(MULTILINECOMMENT("a[/*] /*", true), 7u);
  EXPECT_EQ(MULTILINECOMMENT("'*/' */", false), 6u);
  // A quote ends at a CR; an opening mark that nothing closes is an ordinary character.
  EXPECT_EQ(MULTILINECOMMENT("'a\r/*", true), 4u);
  EXPECT_EQ(MULTILINECOMMENT("\"a /*", true), 4u);
  EXPECT_EQ(MULTILINECOMMENT("\"", true), 0u);
  EXPECT_EQ(MULTILINECOMMENT("/", true), 0u);
  // A line comment does not hide a block comment from the search.
  EXPECT_EQ(MULTILINECOMMENT("// x /* y", true), 6u);
}

TEST(ScannerTest, BlockCommentsAndQuotesInterplay) {
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a /* x */, b"), Ivars({"a", "b"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a\r\n/* one\r\ntwo\r\nthree */\r\nEXPORT b"),
            Ivars({"a", "b"}));
  // The apostrophe in "don't" hides the "*/" on its line; the comment runs on.
  EXPECT_EQ(GETVISIBLEIVARS("/* don't */\r\nEXPORT a\r\n*/\r\nEXPORT b"), Ivars({"b"}));
  EXPECT_TRUE(GETVISIBLEIVARS("/* don't */\r\nEXPORT a\r\nEXPORT b").empty());
  // Quoted comment markers on a declaration line start nothing.
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT c := \"/*\", d\r\nEXPORT e"), Ivars({"c", "d", "e"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT c := '/*', d /* x */"), Ivars({"c", "d"}));
  // "//" before "/*" on a line does not stop the block comment.
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT a // x /* y\r\nEXPORT b */ EXPORT c\r\nEXPORT d"),
            Ivars({"a", "d"}));
  EXPECT_EQ(STRIPCOMMENTS("a/* unterminated\r\nEXPORT b"), "a\r\n");
  EXPECT_EQ(STRIPCOMMENTS("a/**/b/*/c*/d"), "abd\r\n");
}

TEST(ScannerTest, CommentRemovalMatchesTheReference) {
  // Random text over the characters that matter, compared with the slow reference that
  // searches the remaining text anew for each marker.
  const std::string alphabet = "/*\"'[]\r\n;\t a,";
  std::mt19937 random(20261207);
  for (int round = 0; round < 20000; ++round) {
    std::string text(random() % 40, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    ASSERT_EQ(STRIPCOMMENTS(text), ReferenceStripComments(text)) << "text: " << text;
    ASSERT_EQ(MULTILINECOMMENT(text, true), ReferenceMarker(text, true)) << "text: " << text;
    ASSERT_EQ(MULTILINECOMMENT(text, false), ReferenceMarker(text, false)) << "text: " << text;
  }
}

TEST(ScannerTest, DeclarationsMatchTheReference) {
  // Random declarations without brackets, quotes and DIM, where the scanner reads items
  // the way the reference does, compared with the reference.
  const char* const pieces[] = {
      "EXPORT", "prot", "INST", "HIDDEN", " ", "\t", ",",  ";",  "\r\n", "\r",
      "\n",     " AS ", " is ", ":=",     "a", "Bc", "//", "/*", "*/"};
  std::mt19937 random(20261208);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (int i = random() % 16; i > 0; --i) text += pieces[random() % std::size(pieces)];
    ASSERT_EQ(GETVISIBLEIVARS(text), ReferenceIvars(STRIPCOMMENTS(text))) << "text: " << text;
  }
}

TEST(ScannerTest, AnyBytesAreScannedWithoutFailing) {
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131 + 7) % 256);
  GETVISIBLEIVARS(binary);
  const std::string with_zero("EXPORT a\0b, c\xE4", 14);
  EXPECT_EQ(GETVISIBLEIVARS(with_zero), (IvarList{std::string("a\0b", 3), "c\xE4"}));
  EXPECT_EQ(GETVISIBLEIVARS("EXPORT \xC4x, \xE4s AS INT"), Ivars({"\xC4x", "\xE4s"}));
}

std::string Repeat(const std::string& piece, std::size_t total) {
  std::string text;
  text.reserve(total + piece.size());
  while (text.size() < total) text += piece;
  return text;
}

// How many times longer a scan of text four times as long takes. Linear work gives about
// 4; a step that re-reads the rest of the text per line, per comment or per quote gives
// about 16.
double GrowthOfScan(const std::function<std::string(std::size_t)>& text_of_size) {
  constexpr std::size_t k1MB = 1 << 20;
  const std::string small = text_of_size(k1MB);
  const std::string large = text_of_size(4 * k1MB);
  return GrowthOf([&] { GETVISIBLEIVARS(small); }, [&] { GETVISIBLEIVARS(large); });
}

TEST(ScannerTest, LargeSourcesScanInLinearTime) {
  constexpr double kLinear = 8.0;  // four times the text, about four times the time
  EXPECT_LT(GrowthOfScan([](std::size_t size) {
              return Repeat(
                  "\tEXPORT a /* c */, b := {1, 2} AS INT // note\r\n"
                  "\tPROTECT c, ;\r\n\t\td IS Point\r\n/* block\r\n over lines */\r\n",
                  size);
            }),
            kLinear);
  // One huge line: quotes and brackets that never close, between many comments.
  EXPECT_LT(
      GrowthOfScan([](std::size_t size) { return "EXPORT " + Repeat("[\"' /* x */ a, ", size); }),
      kLinear);
  // Blank lines before the last text, and an unterminated comment over everything.
  EXPECT_LT(GrowthOfScan([](std::size_t size) { return Repeat("\r\n \t", size) + "EXPORT z"; }),
            kLinear);
  EXPECT_LT(GrowthOfScan([](std::size_t size) { return "/*" + Repeat("'\"[ x\r\n", size); }),
            kLinear);
  EXPECT_EQ(GETVISIBLEIVARS(Repeat("\r\n", 1 << 20) + "EXPORT z"), Ivars({"z"}));
}

}  // namespace
}  // namespace ivarscan
