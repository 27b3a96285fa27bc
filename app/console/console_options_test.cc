#include "app/console/console_options.h"

#include <gtest/gtest.h>

#include <algorithm>

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
  EXPECT_EQ(error, "unknown option: --frobnicate");
  EXPECT_FALSE(Parse({"--project"}, &error));
  EXPECT_EQ(error, "--project needs a value");
  EXPECT_FALSE(Parse({"--repository="}, &error));
  EXPECT_FALSE(Parse({"Sales"}, &error));
  EXPECT_EQ(error, "unexpected argument: Sales");
}

TEST(ConsoleOptionsTest, AValueIsNeverTheNextOption) {
  std::string error;
  EXPECT_FALSE(Parse({"--project", "--format", "json"}, &error));
  EXPECT_EQ(error, "--project needs a value");
  EXPECT_FALSE(Parse({"--output", "-q"}, &error));
  EXPECT_EQ(error, "--output needs a value");
  // Attached with '=', a value may start with '-'; "-" alone is standard output.
  EXPECT_EQ(Parse({"--project=-x"}, &error)->project, "-x");
  auto options = Parse({"--output", "-", "--format", "json"}, &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->output, "-");
  EXPECT_TRUE(options->OutputIsStandardOutput());
  EXPECT_TRUE(Parse({"--format=sarif"}, &error)->OutputIsStandardOutput());
  EXPECT_FALSE(Parse({"--output=-x"}, &error)->OutputIsStandardOutput());
  EXPECT_FALSE(Parse({}, &error)->OutputIsStandardOutput());  // text: the report file
}

TEST(ConsoleOptionsTest, DoubleDashEndsTheOptions) {
  std::string error;
  auto options = Parse({"--yes", "--"}, &error);
  ASSERT_TRUE(options) << error;
  EXPECT_TRUE(options->assume_yes);
  // The program takes no operands: what follows "--" is an error, never an option.
  EXPECT_FALSE(Parse({"--", "--yes"}, &error));
  EXPECT_EQ(error, "unexpected argument: --yes");
}

TEST(ConsoleOptionsTest, AnOptionWithAValueMayNotRepeatAFlagMay) {
  std::string error;
  EXPECT_FALSE(Parse({"--project", "A", "--project=B"}, &error));
  EXPECT_EQ(error, "--project is given more than once");
  EXPECT_FALSE(Parse({"--format", "json", "--format", "json"}, &error));
  EXPECT_EQ(error, "--format is given more than once");
  auto options = Parse({"-q", "--quiet", "--yes", "--yes", "-h"}, &error);
  ASSERT_TRUE(options) << error;
  EXPECT_TRUE(options->quiet);
  EXPECT_TRUE(options->help);
}

TEST(ConsoleOptionsTest, OutputFormatsAndTheCiOptions) {
  std::string error;
  auto options = Parse({"--format=sarif", "--output", "out.sarif", "--fail-on-findings",
                        "--baseline=base.json", "--source-root", "/srv/checkout"},
                       &error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->format, ReportFormat::kSarif);
  EXPECT_EQ(options->output, "out.sarif");
  EXPECT_TRUE(options->fail_on_findings);
  EXPECT_EQ(options->baseline, "base.json");
  EXPECT_EQ(options->source_root, "/srv/checkout");
  EXPECT_EQ(Parse({"--format", "json"}, &error)->format, ReportFormat::kJson);
  EXPECT_EQ(Parse({"--format", "gnu"}, &error)->format, ReportFormat::kGnu);

  options = Parse({}, &error);
  ASSERT_TRUE(options);
  EXPECT_EQ(options->format, ReportFormat::kText);
  EXPECT_FALSE(options->fail_on_findings);
  EXPECT_TRUE(options->output.empty() && options->baseline.empty() && options->source_root.empty());

  EXPECT_FALSE(Parse({"--format", "xml"}, &error));
  EXPECT_EQ(error, "--format must be text, json, sarif or gnu, not xml");
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
  EXPECT_EQ(Parse({}, &error)->threads, 0u);         // the default: one per core
  EXPECT_FALSE(Parse({"--threads", "-2"}, &error));  // an option, not a value
  for (const char* bad : {"0", "1025", "--threads=-2", "2x", " 2", "99999999999999999999"}) {
    EXPECT_FALSE(std::string(bad).starts_with("--") ? Parse({bad}, &error)
                                                    : Parse({"--threads", bad}, &error))
        << bad;
    EXPECT_EQ(error, "--threads needs a whole number from 1 to 1024") << bad;
  }
}

TEST(ConsoleOptionsTest, UsageFitsEightyColumnsAndNamesEveryOptionAndStatus) {
  const std::string usage = ConsoleUsage("ivarscan20", "DUPIVars20.TXT");
  EXPECT_TRUE(usage.starts_with("Usage: ivarscan20 [--repository DIR]")) << usage;
  EXPECT_NE(usage.find("instead of DUPIVars20.TXT"), std::string::npos) << usage;
  std::size_t start = 0;
  for (std::size_t end; (end = usage.find('\n', start)) != std::string::npos; start = end + 1) {
    EXPECT_LE(end - start, 80u) << usage.substr(start, end - start);
  }
  // Every option the parser takes is in the synopsis and has a line of its own.
  for (const char* option : {"--repository DIR", "--project NAME", "--yes", "--no-open", "--quiet",
                             "--format FORMAT", "--output FILE", "--fail-on-findings",
                             "--baseline FILE", "--threads N", "--help", "--version"}) {
    EXPECT_NE(usage.find("[" + std::string(option) + "]"), std::string::npos) << option;
    EXPECT_NE(usage.find(" " + std::string(option) + " "), std::string::npos) << option;
  }
  EXPECT_NE(usage.find("\n  -q, --quiet "), std::string::npos) << usage;
  EXPECT_NE(usage.find("\n  -h, --help "), std::string::npos) << usage;
  for (const char* status :
       {"\n  0 ", "\n  1 ", "\n  2 ", "\n  3 ", "\n  20, 22, 24", "\n  130 "}) {
    EXPECT_NE(usage.find(status), std::string::npos) << status;
  }
  std::string words = usage;
  std::replace(words.begin(), words.end(), '\n', ' ');
  EXPECT_NE(words.find("ivarscan20 reads one of IDE 2.0"), std::string::npos) << usage;
}

}  // namespace
}  // namespace ivarscan
