#include "platform/symbol_table.h"

#include <gtest/gtest.h>

#include <string>

namespace ivarscan {
namespace {

TEST(SymbolTableTest, InternsNamesAndGivesThemBack) {
  Symbol order_window = SysAtom("OrderWindow");
  EXPECT_NE(order_window, 0u);
  EXPECT_EQ(SysAtom("OrderWindow"), order_window);
  EXPECT_NE(SysAtom("ORDERWINDOW"), order_window);  // case-sensitive
  EXPECT_STREQ(SysGetAtomName(order_window), "OrderWindow");
}

TEST(SymbolTableTest, EmptyAndUnknownSymbolsReadAsEmptyText) {
  EXPECT_EQ(SysAtom(""), 0u);
  EXPECT_STREQ(SysGetAtomName(0), "");
  EXPECT_STREQ(SysGetAtomName(0xFFFFFFFFu), "");
}

TEST(SymbolTableTest, TextsStayValidWhileTheTableGrows) {
  const char* first = SysGetAtomName(SysAtom("StableName"));
  for (int i = 0; i < 10000; ++i) SysAtom("name" + std::to_string(i));
  EXPECT_STREQ(first, "StableName");
}

}  // namespace
}  // namespace ivarscan
