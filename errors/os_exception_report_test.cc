#include "errors/os_exception_report.h"

#include <gtest/gtest.h>
#include <signal.h>

#include "errors/error_log.h"
#include "errors/error_message.h"
#include "errors/testing/error_handling_test.h"
#include "platform/call_stack.h"
#include "platform/error_codes.h"

namespace ivarscan {
namespace {

class OsExceptionReportTest : public ErrorHandlingTest {};

TEST_F(OsExceptionReportTest, RecordCarriesTheExceptionInItsFields) {
  int place = 0;
  const OsException exception{11, 1, &place, 2, 0, "SIGSEGV: invalid memory reference"};
  ErrorRecord record;
  FillOsExceptionRecord(exception, kVariant20, record);
  EXPECT_EQ(record.SUBCODE, 4660u);
  EXPECT_EQ(record.GENCODE, gencode::kOsException);
  EXPECT_EQ(record.OSCODE, 11u);
  EXPECT_EQ(record.ARGTYPE, 1u);
  EXPECT_EQ(record.FUNCPTR, &place);
  EXPECT_EQ(record.ARGNUM, 2u);
  EXPECT_EQ(record.DESCRIPTION, "SIGSEGV: invalid memory reference");
  EXPECT_FALSE(record.CANDEFAULT || record.CANRETRY || record.CANSUBSTITUTE);
}

TEST_F(OsExceptionReportTest, TheMessageNamesNoFunctionForExceptionInformation) {
  // A write fault: the first exception parameter is 1, which is no symbol.
  const OsException exception{0xC0000005u, 0, nullptr, 2, 1, "EXCEPTION_ACCESS_VIOLATION"};
  for (const Variant* variant : {&kVariant25, &kVariant20}) {
    ErrorRecord record;
    FillOsExceptionRecord(exception, *variant, record);
    const std::string message = ERRORMESSAGE(record, *variant);
    EXPECT_EQ(message.find("Function:"), std::string::npos) << message;
    StringOut entry;
    AppendLogEntry(entry, message, record, *variant, CivilTime{2026, 12, 8, 1, 2, 3}, Settings(),
                   "ivarscan.exe");
    EXPECT_NE(entry.text().find("ExceptionInfo   :00000001\r\n"), std::string::npos);
  }
}

void CrashInRoutine(const Variant& variant) {
  InstallOsExceptionReport(variant);
  IVARSCAN_ROUTINE("REPORTAPPDUP");
  ::raise(SIGSEGV);
}

TEST_F(OsExceptionReportTest, FatalSignalIsLoggedShownAndEndsTheProcess) {
  Env::Default()->WriteFileAtomically(LogPath(), "earlier entry\r\n");
  EXPECT_EXIT(CrashInRoutine(kVariant25), ::testing::ExitedWithCode(50),
              "ERROR\nError Code:  50 \\[ OPERATING-SYSTEM EXCEPTION \\]\nSubsystem: OS\n"
              "Error Subcode: 5333\n(.|\n)*CallStack: \nREPORTAPPDUP \\(Line: [0-9]+\\)\n"
              "Abort(.|\n)*\nThe error is logged in " +
                  LogPath() + "\n");
  const std::string log = ReadLog();
  EXPECT_EQ(log.rfind("earlier entry\r\n\r\n*****", 0), 0u) << log;
  EXPECT_NE(log.find("ExceptionCode   :0000000B\r\n"), std::string::npos) << log;
  const std::string stack =
      "Description: SIGSEGV: invalid memory reference\r\nCallStack: \r\nREPORTAPPDUP (Line: ";
  const std::size_t at = log.find(stack);
  ASSERT_NE(at, std::string::npos) << log;
  EXPECT_TRUE(log[at + stack.size()] >= '1' && log[at + stack.size()] <= '9');
}

TEST_F(OsExceptionReportTest, Ide20UsesItsSubCodeAndNoApplicationLine) {
  EXPECT_EXIT(CrashInRoutine(kVariant20), ::testing::ExitedWithCode(50), "Error Subcode: 4660");
  const std::string log = ReadLog();
  EXPECT_EQ(log.rfind("*****", 0), 0u);
  EXPECT_EQ(log.find("Application: "), std::string::npos);
  EXPECT_NE(log.find("SubCode         :4660\r\nGenCode         :Operating-system exception\r\n"
                     "ExceptionCode   :0000000B\r\n"),
            std::string::npos)
      << log;
}

}  // namespace
}  // namespace ivarscan
