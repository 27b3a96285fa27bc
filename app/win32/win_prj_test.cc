#include "app/win32/win_prj.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"

namespace ivarscan {
namespace {

class WinPrjTest : public ::testing::Test {
 protected:
  HWND List() const { return ::GetDlgItem(dialog_.window(), IDC_WINPRJ_LBPRJ); }
  std::string Item(int index) const {
    char text[256] = "";
    ::SendMessageA(List(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
  }
  int Selection() const { return static_cast<int>(::SendMessageA(List(), LB_GETCURSEL, 0, 0)); }
  // Queues an event for the dialog's modal loop, then runs it.
  int ShowAfter(UINT message, WPARAM wparam, HWND target = nullptr) {
    ::PostMessageA(target ? target : dialog_.window(), message, wparam,
                   message == WM_COMMAND ? reinterpret_cast<LPARAM>(List()) : 0);
    return dialog_.Show();
  }

  WinPrj dialog_;
};

TEST_F(WinPrjTest, IsBuiltHiddenWithCaptionAndIcons) {
  ASSERT_NE(dialog_.window(), nullptr);
  EXPECT_FALSE(::IsWindowVisible(dialog_.window()));
  char caption[128];
  ::GetWindowTextA(dialog_.window(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Duplicate Instance Variable Report");
  EXPECT_NE(::SendMessageA(dialog_.window(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_NE(::SendMessageA(dialog_.window(), WM_GETICON, ICON_SMALL, 0), 0);
}

TEST_F(WinPrjTest, ListsNamesSortedWithTheirDescriptions) {
  dialog_.FillList({{"Gamma", "third"}, {"alpha", "first"}, {"Beta", ""}});
  ASSERT_EQ(::SendMessageA(List(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(Item(0), "alpha");
  EXPECT_EQ(Item(1), "Beta");
  EXPECT_EQ(Item(2), "Gamma");
  EXPECT_EQ(dialog_.ItemDescription(0), "first");
  EXPECT_EQ(dialog_.ItemDescription(1), "");
  EXPECT_EQ(dialog_.ItemDescription(2), "third");
}

TEST_F(WinPrjTest, SetListValueSelectsTheExactName) {
  dialog_.FillList({{"Sales", ""}, {"SALES", ""}, {"Inventory", ""}});
  dialog_.SetListValue("SALES");
  ASSERT_GE(Selection(), 0);
  EXPECT_EQ(Item(Selection()), "SALES");
  dialog_.SetListValue("Sales");
  EXPECT_EQ(Item(Selection()), "Sales");
  // A name that is not listed leaves nothing selected.
  dialog_.SetListValue("Archive");
  EXPECT_EQ(Selection(), LB_ERR);
  dialog_.SetListValue("");
  EXPECT_EQ(Selection(), LB_ERR);
}

TEST_F(WinPrjTest, EndingWithOneTakesTheSelectedName) {
  dialog_.FillList({{"Sales", ""}, {"Inventory", ""}});
  dialog_.SetListValue("Sales");
  dialog_.ENDDIALOG(1);
  EXPECT_EQ(dialog_.CHOSEN(), "Sales");
  EXPECT_EQ(dialog_.window(), nullptr);
}

TEST_F(WinPrjTest, EndingWithOneAndNoSelectionChoosesNothing) {
  dialog_.FillList({{"Sales", ""}});
  dialog_.ENDDIALOG(1);
  EXPECT_EQ(dialog_.CHOSEN(), "");
}

TEST_F(WinPrjTest, OkEndsWithOne) {
  dialog_.FillList({{"Sales", ""}, {"Inventory", ""}});
  dialog_.SetListValue("Inventory");
  EXPECT_EQ(ShowAfter(WM_COMMAND, MAKEWPARAM(IDC_WINPRJ_PBOK, BN_CLICKED)), 1);
  EXPECT_EQ(dialog_.CHOSEN(), "Inventory");
}

TEST_F(WinPrjTest, DoubleClickEndsWithOne) {
  dialog_.FillList({{"Sales", ""}});
  dialog_.SetListValue("Sales");
  EXPECT_EQ(ShowAfter(WM_COMMAND, MAKEWPARAM(IDC_WINPRJ_LBPRJ, LBN_DBLCLK)), 1);
  EXPECT_EQ(dialog_.CHOSEN(), "Sales");
}

TEST_F(WinPrjTest, EnterInTheListEndsWithOne) {
  dialog_.FillList({{"Sales", ""}});
  dialog_.SetListValue("Sales");
  dialog_.FocusList();
  EXPECT_EQ(ShowAfter(WM_KEYDOWN, VK_RETURN, List()), 1);
  EXPECT_EQ(dialog_.CHOSEN(), "Sales");
}

TEST_F(WinPrjTest, CancelAndEscapeEndWithZeroAndChooseNothing) {
  dialog_.FillList({{"Sales", ""}});
  dialog_.SetListValue("Sales");
  EXPECT_EQ(ShowAfter(WM_COMMAND, MAKEWPARAM(IDC_WINPRJ_PBCANCEL, BN_CLICKED)), 0);
  EXPECT_EQ(dialog_.CHOSEN(), "");

  WinPrj other;
  ::PostMessageA(::GetDlgItem(other.window(), IDC_WINPRJ_LBPRJ), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(other.Show(), 0);
}

// A name in any script is shown as its characters, not as the code page's reading of its
// UTF-8 bytes; a name that is no UTF-8 (bytes of an old code page) is shown as the code
// page reads it. Either way the chosen name is the repository's own bytes.
TEST_F(WinPrjTest, NamesOutsideAsciiAreShownAsTextAndChosenAsTheirBytes) {
  const std::string cyrillic = "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB4\xD0\xB0\xD0\xB6\xD0\xB8";
  const std::string old_code_page = "Contr\xF4les";
  dialog_.FillList({{cyrillic, ""}, {old_code_page, ""}});
  ASSERT_EQ(::SendMessageW(List(), LB_GETCOUNT, 0, 0), 2);
  wchar_t text[64] = L"";
  ::SendMessageW(List(), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"\x041F\x0440\x043E\x0434\x0430\x0436\x0438");

  dialog_.SetListValue(old_code_page);
  ASSERT_EQ(Selection(), 0);
  dialog_.ENDDIALOG(1);
  EXPECT_EQ(dialog_.CHOSEN(), old_code_page);

  WinPrj other;
  other.FillList({{cyrillic, ""}});
  other.SetListValue(cyrillic);
  other.ENDDIALOG(1);
  EXPECT_EQ(other.CHOSEN(), cyrillic);
}

TEST_F(WinPrjTest, TheFixedTextIsNeverVisible) {
  HWND fixed_text = ::GetDlgItem(dialog_.window(), IDC_WINPRJ_FIXEDTEXT1);
  ASSERT_NE(fixed_text, nullptr);
  EXPECT_FALSE(::GetWindowLongA(fixed_text, GWL_STYLE) & WS_VISIBLE);
}

}  // namespace
}  // namespace ivarscan
