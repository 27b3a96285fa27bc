#include "app/console/console_checks.h"

#include <gtest/gtest.h>

#include "app/json_report.h"
#include "app/report_file.h"
#include "platform/error_codes.h"

namespace ivarscan {
namespace {

Baseline BaselineOf(bool cancelled, const std::string& project) {
  RunFindings run;
  run.cancelled = cancelled;
  RunDescription description;
  description.project = project;
  std::string error;
  return *Baseline::Parse(JsonReport(run, description), &error);
}

TEST(ConsoleChecksTest, BaselineFromACancelledRunOrAnotherProjectIsNamedInAWarning) {
  EXPECT_TRUE(BaselineWarnings(BaselineOf(false, "Sales"), "b.json", "SALES").empty());
  // A project whose folder name is outside ASCII is its own baseline's project.
  EXPECT_TRUE(BaselineWarnings(BaselineOf(false, "Contr\xC3\xB4les"), "b.json", "Contr\xC3\xB4les")
                  .empty());
  EXPECT_EQ(BaselineWarnings(BaselineOf(false, "Inventory"), "b.json", "Sales"),
            std::vector<std::string>{"warning: the baseline b.json is of project Inventory, not "
                                     "Sales"});
  const std::vector<std::string> warnings =
      BaselineWarnings(BaselineOf(true, "Sales"), "b.json", "Sales");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(
      warnings[0].starts_with("warning: the baseline b.json is the output of a "
                              "cancelled run"))
      << warnings[0];
}

TEST(ConsoleChecksTest, FileFailureLineNamesTheOperationThePathAndTheReason) {
  const std::string name = "/no/such/folder/DUPIVars25.TXT";
  FileFailure failure{gencode::kCreate,
                      std::make_error_code(std::errc::no_such_file_or_directory),
                      name,
                      "FCREATE",
                      1,
                      0};
  EXPECT_EQ(FileFailureLine(failure),
            "cannot create /no/such/folder/DUPIVars25.TXT: No such file or directory");
  failure.general_code = gencode::kWrite;
  failure.error = std::make_error_code(std::errc::no_space_on_device);
  EXPECT_EQ(FileFailureLine(failure),
            "cannot write /no/such/folder/DUPIVars25.TXT: No space left on device");
}

}  // namespace
}  // namespace ivarscan
