#include "app/console/console_options.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

std::optional<ConsoleOptions> Parse(std::vector<std::string> arguments, std::string* error) {
  return ParseConsoleOptions(arguments, error);
}

TEST(ConsoleOptionsTest, TakesEveryOptionInBothForms) {
  std::string error;
  auto options =
      Parse({"--repository", "/r", "--project=Sales Suite", "--yes", "--no-open"}, &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->repository, "/r");
  EXPECT_EQ(options->project, "Sales Suite");
  EXPECT_TRUE(options->assume_yes);
  EXPECT_TRUE(options->no_open);
  EXPECT_FALSE(options->help);

  options = Parse({}, &error);
  ASSERT_TRUE(options);
  EXPECT_FALSE(options->project.has_value());
  EXPECT_TRUE(options->repository.empty());
}

TEST(ConsoleOptionsTest, RejectsUnknownArgumentsAndMissingValues) {
  std::string error;
  EXPECT_FALSE(Parse({"--frobnicate"}, &error));
  EXPECT_EQ(error, "unknown argument: --frobnicate");
  EXPECT_FALSE(Parse({"--project"}, &error));
  EXPECT_EQ(error, "--project needs a value");
  EXPECT_FALSE(Parse({"--repository="}, &error));
  EXPECT_FALSE(Parse({"Sales"}, &error));
}

TEST(ConsoleOptionsTest, OutputFormatsAndTheCiOptions) {
  std::string error;
  auto options = Parse(
      {"--format=sarif", "--output", "out.sarif", "--fail-on-findings", "--baseline=base.json"},
      &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->format, ReportFormat::kSarif);
  EXPECT_EQ(options->output, "out.sarif");
  EXPECT_TRUE(options->fail_on_findings);
  EXPECT_EQ(options->baseline, "base.json");
  EXPECT_EQ(Parse({"--format", "json"}, &error)->format, ReportFormat::kJson);

  options = Parse({}, &error);
  ASSERT_TRUE(options);
  EXPECT_EQ(options->format, ReportFormat::kText);
  EXPECT_FALSE(options->fail_on_findings);
  EXPECT_TRUE(options->output.empty() && options->baseline.empty());

  EXPECT_FALSE(Parse({"--format", "xml"}, &error));
  EXPECT_EQ(error, "--format must be text, json or sarif, not xml");
  EXPECT_FALSE(Parse({"--format", "JSON"}, &error));
  EXPECT_FALSE(Parse({"--baseline"}, &error));
  EXPECT_EQ(error, "--baseline needs a value");
  EXPECT_FALSE(Parse({"--output="}, &error));
}

TEST(ConsoleOptionsTest, ThreadsTakesAWholeNumberFromOneTo1024) {
  std::string error;
  auto options = Parse({"--threads", "3"}, &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->threads, 3u);
  EXPECT_EQ(Parse({"--threads=1024"}, &error)->threads, 1024u);
  EXPECT_EQ(Parse({}, &error)->threads, 0u);  // the default: one per core
  for (const char* bad : {"0", "1025", "-2", "2x", " 2", "99999999999999999999"}) {
    EXPECT_FALSE(Parse({"--threads", bad}, &error)) << bad;
    EXPECT_EQ(error, "--threads needs a whole number from 1 to 1024") << bad;
  }
}

TEST(ConsoleOptionsTest, UsageNamesTheReportAndTheExitStatuses) {
  const std::string usage = ConsoleUsage("ivarscan20", "DUPIVars20.TXT");
  EXPECT_NE(usage.find("Usage: ivarscan20"), std::string::npos);
  EXPECT_NE(usage.find("DUPIVars20.TXT"), std::string::npos);
  EXPECT_NE(usage.find("Exit status: 0"), std::string::npos);
  for (const char* documented :
       {"--format", "--output", "--fail-on-findings", "--baseline", "3 with --fail-on-findings"}) {
    EXPECT_NE(usage.find(documented), std::string::npos) << documented;
  }
}

}  // namespace
}  // namespace ivarscan
