#include <windows.h>

#include <gtest/gtest.h>

#include "platform/console.h"
#include "platform/win32_console.h"

namespace ivarscan {
namespace {

// The handler's decisions, called as the system calls it.
TEST(Win32ConsoleTest, FirstCtrlCRequestsTheInterruptAndTheNextEventsEndTheProcess) {
  CatchInterrupt();
  EXPECT_FALSE(InterruptRequested());
  EXPECT_FALSE(TakeConsoleEvent(CTRL_BREAK_EVENT));
  EXPECT_FALSE(InterruptRequested());
  EXPECT_TRUE(TakeConsoleEvent(CTRL_C_EVENT));
  EXPECT_TRUE(InterruptRequested());
  EXPECT_FALSE(TakeConsoleEvent(CTRL_C_EVENT));
  EXPECT_FALSE(TakeConsoleEvent(CTRL_CLOSE_EVENT));
  EXPECT_TRUE(InterruptRequested());

  CatchInterrupt();  // a new run starts without the old request
  EXPECT_FALSE(InterruptRequested());
  EXPECT_TRUE(TakeConsoleEvent(CTRL_C_EVENT));
  ReleaseInterrupt();
}

// Arguments as the shells quote them; a quoted folder that ends in a backslash keeps it.
TEST(Win32ConsoleTest, CommandLinesAreSplitAsTheSystemDoesAndKeepAFinalBackslash) {
  EXPECT_EQ(SplitCommandLine(L"ivarscan.exe"), std::vector<std::string>{});
  EXPECT_EQ(SplitCommandLine(L"ivarscan.exe \"C:\\VO Exports\\Sales\" D:\\x\\"),
            (std::vector<std::string>{"C:\\VO Exports\\Sales", "D:\\x\\"}));
  EXPECT_EQ(SplitCommandLine(L"ivarscan.exe \"C:\\VO Exports\\\""),
            std::vector<std::string>{"C:\\VO Exports\\"});
  EXPECT_EQ(SplitCommandLine(L"ivarscan.exe --repository \"D:\\\""),
            (std::vector<std::string>{"--repository", "D:\\"}));
  EXPECT_EQ(SplitCommandLine(L"ivarscan.com C:\\Contr\u00F4les"),
            std::vector<std::string>{"C:\\Contr\xC3\xB4les"});
}

// Standard output redirected to a file (as the test script runs the tests) is no terminal.
TEST(Win32ConsoleTest, StandardOutputToAFileIsNoTerminal) { EXPECT_FALSE(IsTerminal(1)); }

}  // namespace
}  // namespace ivarscan
