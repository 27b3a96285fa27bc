#include "app/report_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "app/testing/shell_doubles.h"
#include "platform/error_codes.h"

namespace ivarscan {
namespace {

struct Failure {
  std::uint32_t general_code;
  int os_code;
  std::string file_name;
  std::string operation;
  std::uint32_t tries;
  std::uint32_t handle;
};

class ReportFileTest : public ::testing::Test {
 protected:
  // Answers every failure with `answers` in turn, then with the last one.
  FileFailureHandler Handler(std::vector<FileFailureAnswer> answers) {
    return [this, answers](const FileFailure& failure) {
      failures_.push_back({failure.general_code, failure.error.value(), failure.file_name,
                           failure.operation, failure.tries, failure.handle});
      return answers[std::min(failures_.size(), answers.size()) - 1];
    };
  }
  FileFailureHandler Handler(FileFailureAnswer answer) {
    return Handler(std::vector<FileFailureAnswer>{answer});
  }

  FakeEnv env_;
  std::vector<Failure> failures_;
};

TEST_F(ReportFileTest, TruncatesAnEarlierReportAndWritesEverything) {
  env_.files()["R.TXT"] = "old report";
  ReportFile file(env_, "R.TXT", Handler(FileFailureAnswer::kAbandon));
  const std::string large(200 * 1024, 'x');  // more than one buffer's worth
  file.WriteLine("first");
  file.Write(large);
  file.Close();
  EXPECT_EQ(env_.files()["R.TXT"], "first\r\n" + large);
  EXPECT_TRUE(failures_.empty());
}

TEST_F(ReportFileTest, EachFailingOperationIsReportedWithItsCodeTriesAndHandle) {
  env_.FailNextCreations(2);
  env_.FailNextWrites(1);
  ReportFile file(env_, "R.TXT", Handler(FileFailureAnswer::kRetry));
  file.Write("text");
  file.Close();
  EXPECT_EQ(env_.files()["R.TXT"], "text");
  ASSERT_EQ(failures_.size(), 3u);
  EXPECT_EQ(failures_[0].general_code, gencode::kCreate);
  EXPECT_EQ(failures_[0].os_code, EACCES);
  EXPECT_EQ(failures_[0].file_name, "R.TXT");
  EXPECT_EQ(failures_[0].tries, 1u);
  EXPECT_EQ(failures_[0].handle, 0u);  // nothing open yet
  EXPECT_EQ(failures_[1].tries, 2u);
  EXPECT_EQ(failures_[2].general_code, gencode::kWrite);
  EXPECT_EQ(failures_[2].os_code, ENOSPC);
  EXPECT_EQ(failures_[2].tries, 1u);
  EXPECT_EQ(failures_[2].handle, 5u);
}

TEST_F(ReportFileTest, RetryAfterAShortWriteGoesOnWhereItStopped) {
  env_.FailNextWrites(2, 3);  // each failing write stores three bytes first
  ReportFile file(env_, "R.TXT", Handler(FileFailureAnswer::kRetry));
  file.Write("abcdefghij");
  file.Close();
  EXPECT_EQ(env_.files()["R.TXT"], "abcdefghij");
  ASSERT_EQ(failures_.size(), 2u);
  EXPECT_EQ(failures_[1].tries, 2u);
}

TEST_F(ReportFileTest, AFailedCloseIsNeverTakenForSuccess) {
  env_.FailNextCloses(1);
  ReportFile file(
      env_, "R.TXT",
      Handler({FileFailureAnswer::kRetry, FileFailureAnswer::kRetry, FileFailureAnswer::kAbandon}));
  file.Write("text");
  EXPECT_THROW(file.Close(), ReportAbandoned);
  ASSERT_EQ(failures_.size(), 3u);
  for (const Failure& failure : failures_) EXPECT_EQ(failure.general_code, gencode::kClose);
  EXPECT_EQ(failures_[2].tries, 3u);
}

TEST_F(ReportFileTest, AbandoningOrNoHandlerThrows) {
  env_.FailNextCreations(1);
  EXPECT_THROW(ReportFile(env_, "R.TXT", Handler(FileFailureAnswer::kAbandon)), ReportAbandoned);
  env_.FailNextWrites(1);
  ReportFile file(env_, "R.TXT", nullptr);
  file.Write("text");
  EXPECT_THROW(file.Close(), ReportAbandoned);
}

TEST_F(ReportFileTest, WhatIsBufferedReachesTheFileWhenTheRunUnwinds) {
  try {
    ReportFile file(env_, "R.TXT", nullptr);
    file.WriteLine("Application: Orders");
    throw std::runtime_error("the analysis failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(env_.files()["R.TXT"], "Application: Orders\r\n");
}

TEST(ReportFileQuitTest, WhatIsBufferedReachesTheFileWhenTheProgramQuits) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("ivarscan-quit-" + std::to_string(::getpid())))
          .string();
  EXPECT_EXIT(
      {
        ReportFile file(*Env::Default(), path, nullptr);
        file.WriteLine("Application: Orders");
        ErrorLevel(3);
        QuitProgram();  // as the error handler's abort does
      },
      ::testing::ExitedWithCode(3), "");
  std::string contents;
  EXPECT_FALSE(Env::Default()->ReadFile(path, &contents));
  EXPECT_EQ(contents, "Application: Orders\r\n");
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace ivarscan
