#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "app/project_selection.h"
#include "app/report_file.h"
#include "app/report_run.h"
#include "app/startup.h"
#include "app/testing/shell_doubles.h"
#include "engine/text_report.h"
#include "repo/testing/fake_repository.h"

namespace ivarscan {
namespace {

const std::string kHeader = TextReportHeader();
const std::string kApplicationRule(report_text::kApplicationRuleWidth, '=');

int Count(const std::vector<std::string>& calls, const std::string& operation) {
  return static_cast<int>(std::count(calls.begin(), calls.end(), operation));
}

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() {
    repo_.AddProject("Sales", "Order entry");
    repo_.AddProject("Accounts");
    repo_.SetCurrentProject("Accounts");
    AppHandle orders = repo_.AddApplication("Sales", {"Orders"});
    repo_.AddClass(repo_.AddModule(orders, "Screens"), "OrderWindow",
                   "CLASS OrderWindow\r\nEXPORT a, A\r\n");
    repo_.AddApplication("Sales", {"System Library", true, false, true});
    repo_.AddApplication("Accounts", {"Ledger"});
    ui_.dialog_choice = "Sales";
  }

  ReportOutcome Start() { return App(context_).Start(); }
  const std::string& Report() { return env_.files()["DUPIVars25.TXT"]; }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const ShownBox& box : ui_.boxes) texts.push_back(box.text);
    return texts;
  }

  FakeRepository repo_;
  ScriptedUi ui_;
  FakeDesktop desktop_;
  FakeEnv env_;
  int file_failures_ = 0;
  FileFailureAnswer file_failure_answer_ = FileFailureAnswer::kAbandon;
  AppContext context_{repo_, ui_, desktop_, env_, kVariant25, [this](const FileFailure&) {
                        ++file_failures_;
                        return file_failure_answer_;
                      }};
};

TEST_F(ShellTest, HappyPathReportsTheChosenProjectAndRestoresTheCurrentOne) {
  EXPECT_EQ(Start(), ReportOutcome::kComplete);

  ASSERT_EQ(ui_.boxes.size(), 2u);
  EXPECT_EQ(ui_.boxes[0].caption, "Quorvex");
  EXPECT_EQ(ui_.boxes[0].style, BoxStyle::kQuestionYesNo);
  EXPECT_EQ(ui_.boxes[1].caption, "QRVX");
  EXPECT_EQ(ui_.boxes[1].text,
            "Remember to visit www.quorvex.example for more essential utilities like the "
            "Quorvex!");
  EXPECT_EQ(ui_.boxes[1].style, BoxStyle::kInformationOk);

  ASSERT_EQ(ui_.listed_projects.size(), 2u);
  EXPECT_EQ(ui_.listed_projects[0].description, "Order entry");
  EXPECT_EQ(ui_.preselected, "Accounts");
  EXPECT_EQ(ui_.progress_log, (std::vector<std::string>{
                                  "CAPTION Duplicate Instance Variables in Sales", "SHOW", "END"}));

  EXPECT_EQ(Report(), kHeader + "Application: Orders\r\n" + kApplicationRule +
                          "\r\nClass: OrderWindow\r\nApp: Orders\r\nModule: Screens\r\n"
                          "Inherits from: \r\n\r\nDuplicate instance variables:\r\n"
                          "a occurs more than once in this class\r\n\r\n\r\n");
  EXPECT_EQ(desktop_.viewer_commands, std::vector<std::string>{"notepad DUPIVars25.TXT"});
  EXPECT_EQ(repo_.current_project(), "Accounts");
  EXPECT_FALSE(repo_.is_open());
  EXPECT_EQ(Count(repo_.calls(), "AdamInit"), 1);
  EXPECT_EQ(Count(repo_.calls(), "PrjSelect"), 2);
}

TEST_F(ShellTest, DecliningTheIntroductionEndsSilently) {
  ui_.yes_no_answers = {kIdNo};
  desktop_.ide_running = true;
  EXPECT_EQ(Start(), ReportOutcome::kNotRun);
  EXPECT_EQ(ui_.boxes.size(), 1u);
  EXPECT_TRUE(repo_.calls().empty());
  EXPECT_EQ(desktop_.close_messages, 0);
}

TEST_F(ShellTest, AnIdeThatClosesOnRequestLetsTheRunGoOn) {
  desktop_.ide_running = true;
  desktop_.lookups_until_closed = 3;
  EXPECT_EQ(Start(), ReportOutcome::kComplete);
  EXPECT_EQ(BoxTexts()[1],
            "CA-Visual objects is running.\r\nIt needs to be shut down for this utility to "
            "run.\r\n\r\nCan I shut it down for you?");
  EXPECT_EQ(ui_.boxes[1].caption, "Warning");
  EXPECT_EQ(desktop_.close_messages, 1);
  EXPECT_EQ(env_.sleeps(), 3);
  EXPECT_EQ(ui_.boxes.size(), 3u);  // introduction, offer, closing note
}

TEST_F(ShellTest, AnIdeThatNeverClosesGetsSixtyPausesThenTheStillRunningBox) {
  desktop_.ide_running = true;
  desktop_.lookups_until_closed = -1;
  EXPECT_EQ(Start(), ReportOutcome::kNotRun);
  EXPECT_EQ(env_.sleeps(), 60);
  EXPECT_EQ(env_.slept_milliseconds(), 60000);
  ASSERT_EQ(ui_.boxes.size(), 3u);
  EXPECT_EQ(ui_.boxes[2].text, "CA-Visual Objects is still running. The utility cannot proceed.");
  EXPECT_EQ(ui_.boxes[2].style, BoxStyle::kErrorOk);
  EXPECT_TRUE(repo_.calls().empty());
}

TEST_F(ShellTest, DecliningTheOfferEndsWithoutClosingTheIde) {
  desktop_.ide_running = true;
  ui_.yes_no_answers = {kIdYes, kIdNo};
  EXPECT_EQ(Start(), ReportOutcome::kNotRun);
  EXPECT_EQ(desktop_.close_messages, 0);
  EXPECT_EQ(ui_.boxes.size(), 2u);
}

TEST_F(ShellTest, UnavailableRepositoryIsTriedTwentyTimesASecondApart) {
  repo_.FailCall("AdamInit", 0);
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kNotRun);
  EXPECT_EQ(Count(repo_.calls(), "AdamInit"), 20);
  EXPECT_EQ(env_.sleeps(), 20);
  EXPECT_EQ(env_.slept_milliseconds(), 20000);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Could not access the repository"});
  EXPECT_EQ(ui_.boxes[0].caption, "");
  EXPECT_EQ(Count(repo_.calls(), "AdamExit"), 0);
}

TEST_F(ShellTest, ARepositoryThatCannotOpenLaterIsNotWaitedFor) {
  repo_.FailCall("AdamInit", 0);
  repo_.SetOpeningHopeless(true);
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kNotRun);
  EXPECT_EQ(Count(repo_.calls(), "AdamInit"), 1);
  EXPECT_EQ(env_.sleeps(), 0);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Could not access the repository"});
}

TEST_F(ShellTest, RepositoryThatOpensLateIsUsed) {
  repo_.FailFirstCalls("AdamInit", 19);
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kComplete);
  EXPECT_EQ(env_.sleeps(), 19);
}

// The hook runs after the introduction and the IDE check, just before the repository is
// opened; when it declines, nothing is opened and no box is shown.
TEST_F(ShellTest, PreparingTheRepositoryComesRightBeforeOpeningItAndMayEndTheRun) {
  std::vector<std::string> seen;
  context_.prepare_repository = [&] {
    seen = repo_.calls();
    return false;
  };
  EXPECT_EQ(App(context_).Start(), ReportOutcome::kNotRun);
  EXPECT_EQ(ui_.boxes.size(), 1u);  // the introduction alone
  EXPECT_EQ(Count(seen, "AdamInit"), 0);
  EXPECT_EQ(Count(repo_.calls(), "AdamInit"), 0);

  context_.prepare_repository = [] { return true; };
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kComplete);
}

TEST_F(ShellTest, CancelInTheProjectDialogClosesTheRepositoryQuietly) {
  ui_.dialog_result = 0;
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kNotRun);
  EXPECT_TRUE(ui_.boxes.empty());
  EXPECT_EQ(Count(repo_.calls(), "PrjSelect"), 0);
  EXPECT_EQ(Count(repo_.calls(), "AdamExit"), 1);
  EXPECT_FALSE(env_.FileExists("DUPIVars25.TXT"));
}

TEST_F(ShellTest, ProjectThatCannotBeSelectedIsReportedAndTheOldOneRestored) {
  ui_.dialog_choice = "Nowhere";
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kNotRun);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Could not select project Nowhere"});
  EXPECT_EQ(repo_.current_project(), "Accounts");
  EXPECT_EQ(Count(repo_.calls(), "PrjSelect"), 2);
  EXPECT_FALSE(env_.FileExists("DUPIVars25.TXT"));
}

TEST_F(ShellTest, OkWithNothingSelectedTriesTheEmptyName) {
  repo_.SetCurrentProject("");
  ui_.dialog_choice.clear();
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kNotRun);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Could not select project "});
}

TEST_F(ShellTest, ProjectWithOnlySystemLibrariesGetsTheHeaderAlone) {
  repo_.AddProject("Base");
  repo_.AddApplication("Base", {"System Library", true, false, true});
  ui_.dialog_choice = "Base";
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kComplete);
  EXPECT_EQ(Report(), kHeader);
  EXPECT_EQ(ui_.progress_log.size(), 3u);
}

TEST_F(ShellTest, CancelledRunIsClosedAndShownAndStopsAtThatApplication) {
  AppHandle second = repo_.AddApplication("Sales", {"Payments"});
  repo_.AddClass(repo_.AddModule(second, "M"), "Pay", "CLASS Pay\r\nEXPORT x, x\r\n");
  ui_.cancel_at_servicing = 1;
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kCancelled);
  EXPECT_EQ(Report(), kHeader + "Application: Orders\r\n" + kApplicationRule +
                          "\r\n!!!!! Processing cancelled !!!!!\r\n");
  EXPECT_EQ(desktop_.viewer_commands.size(), 1u);
  EXPECT_EQ(BoxTexts().back().substr(0, 17), "Remember to visit");
}

TEST_F(ShellTest, ReportFileThatCannotBeCreatedAbandonsTheRunWithoutViewer) {
  env_.FailNextCreations(1);
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kAbandoned);
  EXPECT_EQ(file_failures_, 1);
  EXPECT_TRUE(desktop_.viewer_commands.empty());
  EXPECT_TRUE(ui_.progress_log.empty());
  EXPECT_EQ(repo_.current_project(), "Accounts");
}

TEST_F(ShellTest, RetryAfterAFailedCreationWritesTheReport) {
  env_.FailNextCreations(2);
  file_failure_answer_ = FileFailureAnswer::kRetry;
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kComplete);
  EXPECT_EQ(file_failures_, 2);
  EXPECT_EQ(Report().substr(0, kHeader.size()), kHeader);
  EXPECT_EQ(desktop_.viewer_commands.size(), 1u);
}

TEST_F(ShellTest, FailedWriteClosesTheDialogAndStartsNoViewer) {
  env_.FailNextWrites(1);
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kAbandoned);
  EXPECT_EQ(ui_.progress_log.back(), "END");
  EXPECT_TRUE(desktop_.viewer_commands.empty());
}

TEST_F(ShellTest, TheIde20VariantWritesItsOwnFile) {
  AppContext context{repo_, ui_, desktop_, env_, kVariant20, nullptr};
  EXPECT_EQ(RUNREPORT(context), ReportOutcome::kComplete);
  EXPECT_TRUE(env_.FileExists("DUPIVars20.TXT"));
  EXPECT_FALSE(env_.FileExists("DUPIVars25.TXT"));
  EXPECT_EQ(desktop_.viewer_commands, std::vector<std::string>{"notepad DUPIVars20.TXT"});
}

TEST_F(ShellTest, JsonAndSarifGoToTheirOutputOrStandardOutputWithoutViewer) {
  std::ostringstream standard_output;
  context_.settings.format = ReportFormat::kJson;
  context_.settings.standard_output = &standard_output;
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kComplete);
  EXPECT_NE(standard_output.str().find("\"project\": \"Sales\""), std::string::npos)
      << standard_output.str();
  EXPECT_EQ(context_.reported_findings, 1u);
  EXPECT_FALSE(env_.FileExists("DUPIVars25.TXT"));
  EXPECT_TRUE(desktop_.viewer_commands.empty());
  EXPECT_EQ(ui_.progress_log.back(), "END");

  context_.settings.format = ReportFormat::kSarif;
  context_.settings.output = "run.sarif";
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kComplete);
  EXPECT_NE(env_.files()["run.sarif"].find("\"version\": \"2.1.0\""), std::string::npos);
  EXPECT_TRUE(desktop_.viewer_commands.empty());
}

// A cancel that reaches the flag after one application ended and before the next began
// stops the run: JSON says so, and the outcome is the same, however the engine saw it.
TEST_F(ShellTest, ACancelBetweenApplicationsIsTheRunsOneCancelledState) {
  std::ostringstream standard_output;
  context_.settings.format = ReportFormat::kJson;
  context_.settings.standard_output = &standard_output;
  ASSERT_EQ(RUNREPORT(context_), ReportOutcome::kComplete);
  // With one application the flag is read before it, during it, and once at the end: the
  // last of these readings is the loop's check before a second application.
  const int check_before_second = ui_.labort_readings;
  AppHandle second = repo_.AddApplication("Sales", {"Payments"});
  repo_.AddClass(repo_.AddModule(second, "M"), "Pay", "CLASS Pay\r\nEXPORT x, x\r\n");
  ui_.labort_readings = 0;
  ui_.cancel_at_reading = check_before_second;
  standard_output.str("");

  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kCancelled);
  const std::string json = standard_output.str();
  EXPECT_NE(json.find("\"status\": \"cancelled\""), std::string::npos) << json;
  EXPECT_EQ(json.find("Payments"), std::string::npos) << json;
}

TEST_F(ShellTest, AJsonFileThatCannotBeCreatedGoesToTheFileFailureHandler) {
  context_.settings.format = ReportFormat::kJson;
  context_.settings.output = "run.json";
  env_.FailNextCreations(1);
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kAbandoned);
  EXPECT_EQ(file_failures_, 1);
  EXPECT_TRUE(ui_.progress_log.empty());
}

TEST_F(ShellTest, TextToItsOutputFileWithABaselineThatHoldsEverything) {
  std::string error;
  const std::optional<Baseline> baseline = Baseline::Parse(
      R"({"version": 1, "applications": [{"name": "Orders", "classes": [{"name": "OrderWindow",
          "variables": [{"kind": "duplicate-in-class", "name": "A"}]}]}]})",
      &error);
  ASSERT_TRUE(baseline) << error;
  context_.settings.output = "report.txt";
  context_.settings.baseline = &*baseline;
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kComplete);
  EXPECT_EQ(env_.files()["report.txt"],
            kHeader + "Application: Orders\r\n" + kApplicationRule +
                "\r\nNo classes with duplicate instance variables\r\n\r\n");
  EXPECT_EQ(context_.reported_findings, 0u);
  EXPECT_EQ(context_.left_out_findings, 1u);
  EXPECT_EQ(context_.processed_applications, 1u);
  EXPECT_EQ(desktop_.viewer_commands, std::vector<std::string>{"notepad report.txt"});
}

TEST_F(ShellTest, TextOnStandardOutputIsTheFileAndOpensNoViewer) {
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kComplete);
  const std::string in_file = env_.files()["DUPIVars25.TXT"];
  env_.files().erase("DUPIVars25.TXT");
  std::ostringstream standard_output;
  context_.settings.output = kStandardOutputName;
  context_.settings.standard_output = &standard_output;
  desktop_.viewer_commands.clear();
  EXPECT_EQ(RUNREPORT(context_), ReportOutcome::kComplete);
  EXPECT_EQ(standard_output.str(), in_file);
  EXPECT_FALSE(env_.FileExists("DUPIVars25.TXT"));
  EXPECT_FALSE(env_.FileExists(kStandardOutputName));
  EXPECT_TRUE(desktop_.viewer_commands.empty());
  EXPECT_EQ(context_.reported_findings, 1u);
}

}  // namespace
}  // namespace ivarscan
