#include "app/report_file.h"

#include <gtest/gtest.h>

#include "app/shell_doubles.h"

namespace ivarscan {
namespace {

struct Failure {
  std::uint32_t general_code;
  int os_code;
  std::string file_name;
  std::string operation;
};

class ReportFileTest : public ::testing::Test {
 protected:
  FileFailureHandler Handler(FileFailureAnswer answer) {
    return [this, answer](std::uint32_t code, std::error_code error, const std::string& name,
                          const char* operation) {
      failures_.push_back({code, error.value(), name, operation});
      return answer;
    };
  }

  MemoryEnv env_;
  std::vector<Failure> failures_;
};

TEST_F(ReportFileTest, TruncatesAnEarlierReportAndWritesEverything) {
  env_.files["R.TXT"] = "old report";
  ReportFile file(env_, "R.TXT", Handler(FileFailureAnswer::kAbandon));
  const std::string large(200 * 1024, 'x');  // more than one buffer's worth
  file.WriteLine("first");
  file.Write(large);
  file.Close();
  EXPECT_EQ(env_.files["R.TXT"], "first\r\n" + large);
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ReportFileTest, EachFailingOperationIsReportedWithItsCodeAndRetried) {
  env_.failing_creates = 1;
  env_.failing_appends = 1;
  env_.failing_closes = 1;
  ReportFile file(env_, "R.TXT", Handler(FileFailureAnswer::kRetry));
  file.Write("text");
  file.Close();
  EXPECT_EQ(env_.files["R.TXT"], "text");
  ASSERT_EQ(failures_.size(), 3u);
  EXPECT_EQ(failures_[0].general_code, kCreateErrorCode);
  EXPECT_EQ(failures_[0].os_code, EACCES);
  EXPECT_EQ(failures_[0].file_name, "R.TXT");
  EXPECT_EQ(failures_[1].general_code, kWriteErrorCode);
  EXPECT_EQ(failures_[1].os_code, ENOSPC);
  EXPECT_EQ(failures_[2].general_code, kCloseErrorCode);
}

TEST_F(ReportFileTest, AbandoningOrNoHandlerThrows) {
  env_.failing_creates = 1;
  EXPECT_THROW(ReportFile(env_, "R.TXT", Handler(FileFailureAnswer::kAbandon)), ReportAbandoned);
  env_.failing_appends = 1;
  ReportFile file(env_, "R.TXT", nullptr);
  file.Write("text");
  EXPECT_THROW(file.Close(), ReportAbandoned);
}

}  // namespace
}  // namespace ivarscan
