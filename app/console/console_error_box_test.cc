#include "app/console/console_error_box.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ivarscan {
namespace {

constexpr std::uint32_t kAbort = kAbortFlag;

struct Exchange {
  std::uint32_t choice;
  std::string shown;
};

Exchange Ask(const std::string& typed, bool terminal, std::uint32_t default_code,
             std::uint32_t retry_code, std::uint32_t abort_code = kAbort) {
  std::istringstream in(typed);
  std::ostringstream err;
  ConsoleErrorBox box(in, err, terminal);
  const std::uint32_t choice = box.Show("Error Code:  24 [ CANNOT WRITE FILE ]\r\n", "ERROR",
                                        default_code, retry_code, abort_code);
  return {choice, err.str()};
}

TEST(ConsoleErrorBoxTest, ShowsCaptionMessageAndTheAllowedChoices) {
  const Exchange exchange = Ask("\n", true, kDefaultChoice, kRetryChoice);
  EXPECT_EQ(exchange.choice, kDefaultChoice);
  EXPECT_EQ(exchange.shown,
            "\nERROR\n-----\nError Code:  24 [ CANNOT WRITE FILE ]\n"
            "Default: go on without the file; Retry: try again; Abort: end the program.\n"
            "Default, Retry or Abort? (Enter = Default): ");
  EXPECT_NE(Ask("\n", true, 0, kRetryChoice)
                .shown.find("Retry: try again; Abort: end the program.\n"
                            "Retry or Abort? (Enter = Retry): "),
            std::string::npos);
  EXPECT_NE(Ask("\n", true, 0, 0).shown.find("Abort? (Enter = Abort): "), std::string::npos);
}

TEST(ConsoleErrorBoxTest, TypedChoicesAndRepeatedQuestions) {
  EXPECT_EQ(Ask("r\n", true, kDefaultChoice, kRetryChoice).choice, kRetryChoice);
  EXPECT_EQ(Ask(" ABORT \n", true, kDefaultChoice, kRetryChoice, kAbort + kAbortChoice).choice,
            kAbort + kAbortChoice);
  const Exchange exchange = Ask("retry\nmaybe\nd\n", true, kDefaultChoice, 0);
  EXPECT_EQ(exchange.choice, kDefaultChoice);  // Retry was not offered
  std::size_t prompts = 0;
  for (std::size_t at = exchange.shown.find("? (Enter"); at != std::string::npos;
       at = exchange.shown.find("? (Enter", at + 1)) {
    ++prompts;
  }
  EXPECT_EQ(prompts, 3u);
}

TEST(ConsoleErrorBoxTest, WithoutATerminalDefaultWhenAllowedElseAbort) {
  Exchange exchange = Ask("r\n", false, kDefaultChoice, kRetryChoice);
  EXPECT_EQ(exchange.choice, kDefaultChoice);
  EXPECT_EQ(exchange.shown.find("? (Enter"), std::string::npos);
  EXPECT_NE(exchange.shown.find("ivarscan: answered Default: "), std::string::npos);
  exchange = Ask("", false, 0, kRetryChoice);
  EXPECT_EQ(exchange.choice, kAbort);
  EXPECT_NE(exchange.shown.find("ivarscan: answered Abort: "), std::string::npos);
  EXPECT_EQ(Ask("", true, 0, kRetryChoice).choice, kAbort);  // end of input
}

TEST(ConsoleErrorBoxTest, NoticeHasNoPrompt) {
  std::istringstream in;
  std::ostringstream err;
  ConsoleErrorBox box(in, err, true);
  box.ShowNotice("Error structure has wrong tag", "FROM DefErrorGen");
  EXPECT_EQ(err.str(), "\nFROM DefErrorGen\n----------------\nError structure has wrong tag\n");
}

}  // namespace
}  // namespace ivarscan
