// Tests of the Windows icon, desktop, locale and exception-report helpers.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "platform/env.h"
#include "platform/icon.h"
#include "platform/locale_info.h"
#include "platform/os_exception.h"
#include "platform/win32_desktop.h"

namespace ivarscan {
namespace {

std::string TemporaryPath(const std::string& name) {
  char base[MAX_PATH];
  ::GetTempPathA(sizeof base, base);
  return JoinPath(base, name + "-" + std::to_string(::GetCurrentProcessId()));
}

TEST(Win32IconTest, AMissingFileHasNoIconAnExistingOneHasAnObject) {
  EXPECT_EQ(ExtractFirstIcon(TemporaryPath("no-such.ico")), nullptr);
  // A file that holds no icon still gives an object, as in the console edition.
  std::shared_ptr<Icon> icon = ExtractFirstIcon(ExecutablePath());
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->file_name(), ExecutablePath());
}

// A top-level window of its own class that counts the close requests it receives.
class CountingWindow {
 public:
  explicit CountingWindow(const char* class_name) {
    WNDCLASSA window_class = {};
    window_class.lpfnWndProc = &Procedure;
    window_class.hInstance = ::GetModuleHandleA(nullptr);
    window_class.lpszClassName = class_name;
    ::RegisterClassA(&window_class);
    window_ = ::CreateWindowA(class_name, "any title", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                              nullptr, window_class.hInstance, nullptr);
    close_requests = 0;
  }
  ~CountingWindow() { ::DestroyWindow(window_); }

  static inline int close_requests = 0;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_CLOSE) {
      ++close_requests;
      return 0;  // ignores the request, like a busy IDE
    }
    return ::DefWindowProcA(window, message, wparam, lparam);
  }

  HWND window_;
};

TEST(Win32DesktopTest, FindsAndClosesWindowsByClassOnly) {
  Win32Desktop desktop;
  EXPECT_FALSE(desktop.FindTopLevelWindow("IvarscanTestNoSuchClass"));
  desktop.SendCloseMessage("IvarscanTestNoSuchClass");  // no window: no effect

  CountingWindow window("IvarscanTestIdeClass");
  EXPECT_TRUE(desktop.FindTopLevelWindow("IvarscanTestIdeClass"));
  desktop.SendCloseMessage("IvarscanTestIdeClass");
  // Sent, not posted: handled before SendCloseMessage returns.
  EXPECT_EQ(CountingWindow::close_requests, 1);
}

TEST(Win32DesktopTest, ReportsAViewerThatCannotStart) {
  Win32Desktop desktop;
  EXPECT_FALSE(desktop.OpenInViewer("no-such-viewer-program report.txt", "report.txt"));
}

TEST(Win32LocaleInfoTest, AnswersItemsOfTheUserLocale) {
  LocaleInfo* info = LocaleInfo::Default();
  char buffer[kLocaleValueSize];
  const int stored =
      info->Query(info->UserDefaultLcid(), locale_item::kDecimalSeparator, buffer, sizeof buffer);
  ASSERT_GT(stored, 1);
  EXPECT_EQ(static_cast<int>(std::strlen(buffer)) + 1, stored);
  // Numeric items come as decimal text.
  ASSERT_GT(info->Query(info->UserDefaultLcid(), locale_item::kDateOrder, buffer, sizeof buffer),
            0);
  EXPECT_TRUE(std::string("012").find(buffer[0]) != std::string::npos);
  // A value that does not fit is not stored.
  EXPECT_EQ(info->Query(info->UserDefaultLcid(), locale_item::kShortDate, buffer, 1), 0);
}

TEST(Win32OsExceptionTest, EntriesAreAppendedWithASeparatorAfterTheFirst) {
  const std::string path = TemporaryPath("ivarscan-crash.log");
  std::filesystem::remove(path);
  int error = -1;
  int handle = SignalSafeOpenForAppend(path.c_str(), &error);
  ASSERT_NE(handle, -1);
  EXPECT_EQ(error, 0);
  SignalSafeAppendEntry(handle, "\r\none\r\n", 2, 7);
  SignalSafeClose(handle);

  handle = SignalSafeOpenForAppend(path.c_str(), &error);
  ASSERT_NE(handle, -1);
  SignalSafeAppendEntry(handle, "\r\ntwo\r\n", 2, 7);
  SignalSafeClose(handle);

  std::string contents;
  ASSERT_FALSE(Env::Default()->ReadFile(path, &contents));
  EXPECT_EQ(contents, "one\r\n\r\ntwo\r\n");
  std::filesystem::remove(path);
}

TEST(Win32OsExceptionTest, OpeningInAMissingFolderOrADeviceFails) {
  int error = 0;
  EXPECT_EQ(SignalSafeOpenForAppend(TemporaryPath("no-such-folder\\x.log").c_str(), &error), -1);
  EXPECT_EQ(error, ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(SignalSafeOpenForAppend("NUL", &error), -1);
  EXPECT_EQ(error, ERROR_INVALID_PARAMETER);
}

}  // namespace
}  // namespace ivarscan
