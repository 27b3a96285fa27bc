#include "errors/text_out.h"

#include <gtest/gtest.h>

#include <string_view>

namespace ivarscan {
namespace {

TEST(FixedOutTest, CutsWhatDoesNotFitAndKeepsAppendingNothing) {
  char buffer[5];
  FixedOut out(buffer, sizeof buffer);
  out.Append("abc");
  out.AppendDecimal(1234);
  out.Append('x');
  EXPECT_EQ(out.view(), "abc12");
}

// Found by the error text fuzzer: memcpy was handed the null pointer of an empty view and
// of a buffer without room, which is undefined even when nothing is copied.
TEST(FixedOutTest, AcceptsEmptyViewsAndABufferOfSizeZero) {
  FixedOut none(nullptr, 0);
  none.Append("abc");
  none.Append(std::string_view());
  EXPECT_EQ(none.view(), "");

  char buffer[4];
  FixedOut some(buffer, sizeof buffer);
  some.Append(std::string_view());
  some.AppendHex(0xBEEF, 4);
  some.Append(std::string_view());
  EXPECT_EQ(some.view(), "BEEF");
}

TEST(TextOutTest, WritesDecimalHexAndUpperCase) {
  StringOut out;
  out.AppendDecimal(0);
  out.Append(' ');
  out.AppendDecimal(4294967295u);
  out.Append(' ');
  out.AppendHex(0x1A2B, 8);
  out.Append(' ');
  out.AppendHex(0xABC, 2);
  out.Append(' ');
  out.AppendUpper("abc\xE4z");
  EXPECT_EQ(out.text(), "0 4294967295 00001A2B BC ABC\xE4Z");
}

}  // namespace
}  // namespace ivarscan
