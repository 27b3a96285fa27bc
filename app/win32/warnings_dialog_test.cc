#include "app/win32/warnings_dialog.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"

namespace ivarscan {
namespace {

std::wstring TextOf(HWND control) {
  wchar_t text[512] = L"";
  ::GetWindowTextW(control, text, 512);
  return text;
}

// Every warning is a line of one list, a path outside the system's code page included.
TEST(WarningsDialogTest, ListsEveryWarningAsALineOfText) {
  WarningsDialog dialog({"C:\\\xD0\x90\\A.aef: left out: damaged", "B.aef: cut"});
  ASSERT_NE(dialog.window(), nullptr);
  EXPECT_FALSE(::IsWindowVisible(dialog.window()));
  EXPECT_EQ(TextOf(::GetDlgItem(dialog.window(), IDC_WARNINGS_LIST)),
            L"C:\\\x0410\\A.aef: left out: damaged\r\nB.aef: cut\r\n");
  EXPECT_FALSE(TextOf(::GetDlgItem(dialog.window(), IDC_WARNINGS_INTRODUCTION)).empty());
}

}  // namespace
}  // namespace ivarscan
