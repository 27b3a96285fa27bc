#include <gtest/gtest.h>
#include <signal.h>

#include "platform/os_exception.h"

namespace ivarscan {
namespace {

int reports = 0;

// Reports 7 the first time; a second fatal signal arriving meanwhile would report 9.
int ReportWhileAnotherSignalArrives(const OsException&) {
  if (++reports > 1) return 9;
  ::raise(SIGBUS);  // another fault's signal, sent while the first is reported
  return 7;
}

TEST(PosixOsExceptionTest, ASecondFatalSignalDoesNotCutIntoTheReport) {
  EXPECT_EXIT(
      {
        InstallOsExceptionReporter(ReportWhileAnotherSignalArrives);
        ::raise(SIGSEGV);
      },
      ::testing::ExitedWithCode(7), "");
}

}  // namespace
}  // namespace ivarscan
