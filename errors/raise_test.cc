#include "errors/raise.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "errors/def_error.h"
#include "errors/testing/error_handling_test.h"
#include "platform/error_codes.h"
#include "platform/recovery_point.h"

namespace ivarscan {
namespace {

class RaiseTest : public ErrorHandlingTest {
 protected:
  // Installs a handler that keeps the records and gives `answer`.
  void Record(ErrorAnswer answer) {
    ErrorBlock([this, answer](const ErrorValue& value) {
      raised_.push_back(std::get<std::shared_ptr<ErrorRecord>>(value));
      return answer;
    });
  }
  void InstallDefError(const Variant& variant) {
    ErrorBlock([variant](const ErrorValue& value) { return DEFERROR(value, variant); });
  }

  std::vector<std::shared_ptr<ErrorRecord>> raised_;
};

TEST_F(RaiseTest, FileErrorCarriesTheFileAndTheOperatingSystemError) {
  Record({ErrorAnswer::Kind::kRetry, 0});
  const std::error_code full(ENOSPC, std::system_category());
  EXPECT_EQ(RaiseFileError(gencode::kWrite, full, "DUPIVars25.TXT", "REPORTALL", 1, 7),
            FileErrorAnswer::kRetry);
  ASSERT_EQ(raised_.size(), 1u);
  const ErrorRecord& record = *raised_[0];
  EXPECT_EQ(record.GENCODE, gencode::kWrite);
  EXPECT_EQ(record.OSCODE, static_cast<std::uint32_t>(ENOSPC));
  EXPECT_EQ(record.DESCRIPTION, full.message());
  EXPECT_EQ(record.FILENAME, "DUPIVars25.TXT");
  EXPECT_EQ(record.OPERATION, "REPORTALL");
  EXPECT_EQ(record.SUBSYSTEM, "FILE");
  EXPECT_EQ(record.SEVERITY, 2u);
  EXPECT_EQ(record.TRIES, 1u);
  EXPECT_EQ(record.FILEHANDLE, 7u);
  EXPECT_TRUE(record.CANDEFAULT);
  EXPECT_TRUE(record.CANRETRY);
  EXPECT_FALSE(record.CANSUBSTITUTE);
}

TEST_F(RaiseTest, FileErrorThroughTheHandlerOffersDefaultAndRetry) {
  InstallDefError(kVariant25);
  box_.Answer(kDefaultChoice);
  EXPECT_EQ(RaiseFileError(gencode::kCreate, std::error_code(EACCES, std::system_category()),
                           "DUPIVars25.TXT", "REPORTALL", 1, 0),
            FileErrorAnswer::kDefault);
  ASSERT_EQ(box_.shown().size(), 1u);
  EXPECT_EQ(box_.shown()[0].default_code, kDefaultChoice);
  EXPECT_EQ(box_.shown()[0].retry_code, kRetryChoice);
  EXPECT_NE(box_.shown()[0].text.find("Filename: DUPIVars25.TXT\r\n"), std::string::npos);
}

TEST_F(RaiseTest, ExceptionsBecomeRecords) {
  Record({});
  try {
    throw std::bad_alloc();
  } catch (...) {
    RaiseCurrentException("GETAPPCLASSES", false, true);
  }
  try {
    throw std::runtime_error("broken list");
  } catch (...) {
    RaiseCurrentException("REPORTAPPDUP", true, false);
  }
  try {
    throw 42;
  } catch (...) {
    RaiseCurrentException("GETAPPS", false, false);
  }
  ASSERT_EQ(raised_.size(), 3u);
  EXPECT_EQ(raised_[0]->GENCODE, gencode::kMemory);
  EXPECT_EQ(raised_[0]->OPERATION, "GETAPPCLASSES");
  EXPECT_TRUE(raised_[0]->CANRETRY);
  EXPECT_FALSE(raised_[0]->CANDEFAULT);
  EXPECT_EQ(raised_[1]->GENCODE, gencode::kException);
  EXPECT_EQ(raised_[1]->DESCRIPTION, "broken list");
  EXPECT_TRUE(raised_[1]->CANDEFAULT);
  EXPECT_EQ(raised_[2]->DESCRIPTION, "unknown exception");
}

TEST_F(RaiseTest, RunReportingExceptionsPassesResultsAndBreaksThrough) {
  Record({});
  EXPECT_EQ(RunReportingExceptions("RUN", [] { return 7; }), 7);
  EXPECT_EQ(RunReportingExceptions("RUN", []() -> int { throw std::runtime_error("x"); }),
            static_cast<int>(gencode::kException));
  ASSERT_EQ(raised_.size(), 1u);
  EXPECT_FALSE(raised_[0]->CANDEFAULT);
  EXPECT_FALSE(raised_[0]->CANRETRY);
  auto record = std::make_shared<ErrorRecord>();
  EXPECT_EQ(
      RunToRecoveryPoint([&] { RunReportingExceptions("RUN", [&]() -> int { Break(record); }); }),
      record);
  EXPECT_EQ(raised_.size(), 1u);
}

TEST_F(RaiseTest, EscapingExceptionOffersOnlyAbortAndEndsWithItsCode) {
  InstallDefError(kVariant25);
  EXPECT_EXIT(RunReportingExceptions("RUN", []() -> int { throw std::bad_alloc(); }),
              ::testing::ExitedWithCode(11), "");
  box_.Answer(kDefaultChoice);  // a box that answers default anyway: the run still ends
  EXPECT_EQ(RunReportingExceptions("RUN", []() -> int { throw std::bad_alloc(); }), 11);
  EXPECT_EQ(box_.shown()[0].default_code, 0u);
  EXPECT_EQ(box_.shown()[0].retry_code, 0u);
}

TEST_F(RaiseTest, InternalErrorCarriesItsNumbersAndText) {
  Record({});
  RaiseInternalError(1, 0, "SetDefault: ");
  ASSERT_EQ(raised_.size(), 1u);
  EXPECT_EQ(raised_[0]->GENCODE, gencode::kInternal);
  EXPECT_EQ(raised_[0]->SUBCODE, 1u);
  EXPECT_EQ(raised_[0]->DESCRIPTION, "SetDefault: ");
  EXPECT_TRUE(raised_[0]->CANDEFAULT);
}

TEST_F(RaiseTest, WithoutAHandlerTheDefaultIsTakenOrTheProgramEnds) {
  EXPECT_EQ(RaiseFileError(gencode::kClose, std::error_code(EIO, std::system_category()), "f",
                           "CLOSE", 1, 3),
            FileErrorAnswer::kDefault);
  ASSERT_EQ(box_.notices().size(), 1u);
  EXPECT_EQ(box_.notices()[0].text, std::error_code(EIO, std::system_category()).message());
  EXPECT_EXIT(RunReportingExceptions("RUN", []() -> int { throw std::logic_error("x"); }),
              ::testing::ExitedWithCode(51), "");
}

}  // namespace
}  // namespace ivarscan
