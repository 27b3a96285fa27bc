#include "app/win32/win_progress.h"

#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"

namespace ivarscan {
namespace {

class WinProgressTest : public ::testing::Test {
 protected:
  HWND Control(int id) const { return ::GetDlgItem(dialog_.window(), id); }
  std::string Text(HWND window) const {
    char text[256] = "";
    ::GetWindowTextA(window, text, sizeof text);
    return text;
  }
  void Command(WPARAM wparam) { ::SendMessageA(dialog_.window(), WM_COMMAND, wparam, 0); }
  // Services events until LABORT turns true or half a second has passed.
  void ServiceUntilAbort() {
    for (int i = 0; i < 50 && !dialog_.LABORT(); ++i) {
      dialog_.ApplicationExec();
      ::Sleep(10);
    }
  }
  LOGFONTA FontOf(int id) const {
    LOGFONTA font = {};
    HFONT handle = reinterpret_cast<HFONT>(::SendMessageA(Control(id), WM_GETFONT, 0, 0));
    ::GetObjectA(handle, sizeof font, &font);
    return font;
  }

  WinProgress dialog_;
};

TEST_F(WinProgressTest, IsBuiltHiddenWithItsCaptionIconsAndFonts) {
  ASSERT_NE(dialog_.window(), nullptr);
  EXPECT_FALSE(::IsWindowVisible(dialog_.window()));
  EXPECT_EQ(Text(dialog_.window()), "Quorvex");
  EXPECT_NE(::SendMessageA(dialog_.window(), WM_GETICON, ICON_BIG, 0), 0);
  EXPECT_FALSE(dialog_.LABORT());
  EXPECT_EQ(FontOf(IDC_WINPROGRESS_TASK).lfWeight, FW_BOLD);
  EXPECT_STREQ(FontOf(IDC_WINPROGRESS_TASK).lfFaceName, "MS Sans Serif");
  EXPECT_NE(FontOf(IDC_WINPROGRESS_DESCRIPTION).lfWeight, FW_BOLD);
}

TEST_F(WinProgressTest, ShowsCaptionTextsAndProgress) {
  dialog_.SetCaption("Duplicate Instance Variables in Sales");
  dialog_.Show();
  EXPECT_TRUE(::IsWindowVisible(dialog_.window()));
  dialog_.DESCRIPTION("Application: Orders\r\nModule: Main");
  dialog_.TASK("Class: Order");
  dialog_.SetProgressRange(0, 40);
  dialog_.SetProgressPosition(25);
  EXPECT_EQ(Text(dialog_.window()), "Duplicate Instance Variables in Sales");
  EXPECT_EQ(Text(Control(IDC_WINPROGRESS_DESCRIPTION)), "Application: Orders\r\nModule: Main");
  EXPECT_EQ(Text(Control(IDC_WINPROGRESS_TASK)), "Class: Order");
  EXPECT_EQ(dialog_.PROGRESS(), Control(IDC_WINPROGRESS_PROGRESS));
  EXPECT_EQ(::SendMessageA(dialog_.PROGRESS(), PBM_GETRANGE, FALSE, 0), 40);
  EXPECT_EQ(::SendMessageA(dialog_.PROGRESS(), PBM_GETRANGE, TRUE, 0), 0);
  EXPECT_EQ(::SendMessageA(dialog_.PROGRESS(), PBM_GETPOS, 0, 0), 25);
}

TEST_F(WinProgressTest, TheCancelCommandAndTheButtonSetLabort) {
  Command(IDCANCEL);
  EXPECT_TRUE(dialog_.LABORT());
  Command(IDCANCEL);  // again: no other effect
  EXPECT_TRUE(dialog_.LABORT());
  EXPECT_NE(dialog_.window(), nullptr);

  WinProgress other;
  ::SendMessageA(other.window(), WM_COMMAND, MAKEWPARAM(IDC_WINPROGRESS_PBCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(::GetDlgItem(other.window(), IDC_WINPROGRESS_PBCANCEL)));
  EXPECT_TRUE(other.LABORT());
}

TEST_F(WinProgressTest, ACommandForIdTwoWithANotificationCodeDoesNotCancel) {
  Command(MAKEWPARAM(IDCANCEL, 1));
  EXPECT_FALSE(dialog_.LABORT());
}

TEST_F(WinProgressTest, AClickTakesEffectOnlyWhenEventsAreServiced) {
  dialog_.Show();
  HWND button = Control(IDC_WINPROGRESS_PBCANCEL);
  ::PostMessageA(dialog_.window(), WM_COMMAND, MAKEWPARAM(IDC_WINPROGRESS_PBCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  EXPECT_FALSE(dialog_.LABORT());
  ServiceUntilAbort();
  EXPECT_TRUE(dialog_.LABORT());
}

TEST_F(WinProgressTest, ServicingNowSeesAClickMadeJustAfterTheLastLook) {
  dialog_.Show();
  dialog_.ApplicationExec();  // a look at the queue just now
  HWND button = Control(IDC_WINPROGRESS_PBCANCEL);
  ::PostMessageA(dialog_.window(), WM_COMMAND, MAKEWPARAM(IDC_WINPROGRESS_PBCANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  dialog_.ServiceEventsNow();
  EXPECT_TRUE(dialog_.LABORT());
}

TEST_F(WinProgressTest, EscapeCancels) {
  dialog_.Show();
  ::PostMessageA(Control(IDC_WINPROGRESS_PBCANCEL), WM_KEYDOWN, VK_ESCAPE, 0);
  ServiceUntilAbort();
  EXPECT_TRUE(dialog_.LABORT());
  EXPECT_TRUE(::IsWindowVisible(dialog_.window()));
}

TEST_F(WinProgressTest, EndDialogDestroysTheWindowOnce) {
  HWND window = dialog_.window();
  dialog_.ENDDIALOG();
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(dialog_.window(), nullptr);
  dialog_.ENDDIALOG();
  EXPECT_EQ(dialog_.window(), nullptr);
}

}  // namespace
}  // namespace ivarscan
