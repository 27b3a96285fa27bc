#include "errors/error.h"

#include <gtest/gtest.h>

#include "errors/testing/error_handling_test.h"

namespace ivarscan {
namespace {

class ErrorThrowTest : public ErrorHandlingTest {
 protected:
  void SetUp() override {
    ErrorHandlingTest::SetUp();
    ErrorBlock([this](const ErrorValue& value) {
      handed_.push_back(std::get<std::shared_ptr<ErrorRecord>>(value));
      return ErrorAnswer{ErrorAnswer::Kind::kRetry, 0};
    });
  }
  std::vector<std::shared_ptr<ErrorRecord>> handed_;
};

TEST_F(ErrorThrowTest, HandsTheRecordItselfToTheInstalledHandler) {
  auto record = std::make_shared<ErrorRecord>();
  record->GENCODE = 24;
  record->THROW();
  ASSERT_EQ(handed_.size(), 1u);
  EXPECT_EQ(handed_[0], record);
}

TEST_F(ErrorThrowTest, ARecordWithoutOwnerIsHandedAsACopy) {
  ErrorRecord record;
  record.DESCRIPTION = "on the stack";
  record.THROW();
  ASSERT_EQ(handed_.size(), 1u);
  EXPECT_NE(handed_[0].get(), &record);
  EXPECT_EQ(handed_[0]->DESCRIPTION, "on the stack");
}

TEST_F(ErrorThrowTest, NothingHappensWithoutAHandler) {
  ErrorBlock(ErrorHandler());
  ErrorRecord().THROW();
  EXPECT_TRUE(handed_.empty());
  EXPECT_TRUE(box_.shown().empty());
}

}  // namespace
}  // namespace ivarscan
