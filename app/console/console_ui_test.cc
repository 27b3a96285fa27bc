#include "app/console/console_ui.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <string>
#include <vector>

#include "app/console/terminal_progress.h"

namespace ivarscan {
namespace {

class ConsoleUiTest : public ::testing::Test {
 protected:
  ConsoleUi Ui(ConsoleSettings settings) { return ConsoleUi(settings, in_, out_, err_); }

  std::istringstream in_;
  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(ConsoleUiTest, YesNoBoxShowsCaptionAndTextAndTakesEnterAsYes) {
  ConsoleSettings settings;
  settings.input_is_terminal = true;
  in_.str("maybe\n\nn\n");
  ConsoleUi ui = Ui(settings);
  EXPECT_EQ(ui.ShowMessageBox("Quorvex", "Line one\r\nLine two", BoxStyle::kQuestionYesNo), kIdYes);
  EXPECT_NE(out_.str().find("Quorvex\n-------\nLine one\nLine two\n"), std::string::npos);
  EXPECT_EQ(ui.ShowMessageBox("Warning", "Close?", BoxStyle::kQuestionYesNo), kIdNo);
  EXPECT_EQ(ui.ShowMessageBox("Warning", "Again?", BoxStyle::kQuestionYesNo),
            kIdNo);  // end of input
}

TEST_F(ConsoleUiTest, WithoutATerminalAQuestionIsNoAndSaysWhichOptionAnswersIt) {
  ConsoleUi ui = Ui(ConsoleSettings{});
  EXPECT_EQ(ui.ShowMessageBox("Quorvex", "Continue?", BoxStyle::kQuestionYesNo), kIdNo);
  EXPECT_NE(err_.str().find("--yes"), std::string::npos);
  EXPECT_EQ(ui.ShowMessageBox("", "Could not access the repository", BoxStyle::kErrorOk), kIdOk);
  EXPECT_NE(err_.str().find("Error\n-----\nCould not access the repository"), std::string::npos);
}

TEST_F(ConsoleUiTest, QuietShowsErrorsAndQuestionsItAsksOnly) {
  ConsoleSettings settings;
  settings.quiet = true;
  settings.assume_yes = true;
  ConsoleUi ui = Ui(settings);
  EXPECT_EQ(ui.ShowMessageBox("Quorvex", "Continue?", BoxStyle::kQuestionYesNo), kIdYes);
  EXPECT_EQ(ui.ShowMessageBox("QRVX", "Remember to visit", BoxStyle::kInformationOk), kIdOk);
  std::unique_ptr<ProgressWindow> progress = ui.NewProgressWindow();
  progress->SetCaption("Duplicate Instance Variables in Sales");
  progress->Show();
  progress->DESCRIPTION("Processing:Orders");
  progress->ENDDIALOG();
  EXPECT_EQ(out_.str() + err_.str(), "");
  ui.ShowMessageBox("", "Could not access the repository", BoxStyle::kErrorOk);
  EXPECT_NE(err_.str().find("Could not access the repository"), std::string::npos);

  settings.assume_yes = false;
  settings.input_is_terminal = true;
  in_.str("n\n");
  EXPECT_EQ(Ui(settings).ShowMessageBox("Quorvex", "Continue?", BoxStyle::kQuestionYesNo), kIdNo);
  EXPECT_NE(out_.str().find("Continue?"), std::string::npos);
}

TEST_F(ConsoleUiTest, AssumeYesAnswersQuestionsWithoutReading) {
  ConsoleSettings settings;
  settings.assume_yes = true;
  settings.input_is_terminal = true;
  ConsoleUi ui = Ui(settings);
  EXPECT_EQ(ui.ShowMessageBox("Quorvex", "Continue?", BoxStyle::kQuestionYesNo), kIdYes);
  EXPECT_NE(out_.str().find("Continue?"), std::string::npos);
}

TEST_F(ConsoleUiTest, ProjectDialogListsSortedMarksCurrentAndTakesNumberOrName) {
  ConsoleSettings settings;
  settings.input_is_terminal = true;
  in_.str("7\nsalez\nsales\n");
  ConsoleUi ui = Ui(settings);
  auto dialog = ui.NewProjectDialog();
  dialog->FillList({{"zeta", ""}, {"Sales", "Order entry"}, {"Accounts", ""}});
  dialog->SetListValue("ZETA");
  EXPECT_EQ(dialog->Show(), 1);
  EXPECT_EQ(dialog->CHOSEN(), "Sales");
  EXPECT_NE(out_.str().find("  1  Accounts\n  2  Sales  - Order entry\n* 3  zeta\n"),
            std::string::npos)
      << out_.str();
  EXPECT_NE(out_.str().find("No project \"7\" in the list.\n"), std::string::npos);
  EXPECT_NE(out_.str().find("No project \"salez\" in the list. Did you mean \"Sales\"?\n"),
            std::string::npos)
      << out_.str();
}

TEST_F(ConsoleUiTest, ProjectDialogPreselectsTheExactNameFirst) {
  ConsoleSettings settings;
  settings.input_is_terminal = true;
  in_.str("\n\n");
  ConsoleUi ui = Ui(settings);
  for (const char* current : {"Sales", "SALES"}) {
    auto dialog = ui.NewProjectDialog();
    dialog->FillList({{"SALES", ""}, {"Sales", ""}});
    dialog->SetListValue(current);
    EXPECT_EQ(dialog->Show(), 1);
    EXPECT_EQ(dialog->CHOSEN(), current);
  }
}

TEST_F(ConsoleUiTest, WarningsRaisedWhileProjectsAreListedPrintBeforeTheList) {
  ConsoleSettings settings;
  settings.input_is_terminal = true;
  in_.str("1\n");
  std::vector<std::string> pending;
  ConsoleUi ui(settings, in_, out_, err_, [&] {
    for (const std::string& warning : pending) out_ << "warning: " << warning << "\n";
    pending.clear();
  });
  auto dialog = ui.NewProjectDialog();
  pending.push_back("Sales: cannot be listed");  // as reading the project list raises it
  dialog->FillList({{"Sales", ""}, {"Stock", ""}});
  dialog->Show();
  const std::size_t warning = out_.str().find("warning: Sales: cannot be listed");
  ASSERT_NE(warning, std::string::npos) << out_.str();
  EXPECT_LT(warning, out_.str().find("1  Sales")) << out_.str();
}

TEST_F(ConsoleUiTest, ProgressShowsTheBarsPositionAsItsPercentage) {
  for (int position : {33, 66, 100}) {
    std::ostringstream err;
    TerminalProgress progress(err, true);
    progress.Show();
    progress.SetProgressRange(1, 100);
    progress.SetProgressPosition(position);
    for (int i = 0; i < 256; ++i) progress.ApplicationExec();  // the first redraw is due
    EXPECT_NE(err.str().find("] " + std::to_string(position) + "%"), std::string::npos)
        << err.str();
    progress.ENDDIALOG();
  }
}

TEST_F(ConsoleUiTest, ProjectDialogEnterTakesTheCurrentAndQCancels) {
  ConsoleSettings settings;
  settings.input_is_terminal = true;
  in_.str("\nq\n");
  ConsoleUi ui = Ui(settings);
  auto dialog = ui.NewProjectDialog();
  dialog->FillList({{"Sales", ""}, {"Accounts", ""}});
  dialog->SetListValue("Sales");
  EXPECT_EQ(dialog->Show(), 1);
  EXPECT_EQ(dialog->CHOSEN(), "Sales");
  EXPECT_EQ(dialog->Show(), 0);
}

TEST_F(ConsoleUiTest, ProjectOptionSkipsTheDialogAndNoTerminalCancels) {
  ConsoleSettings settings;
  settings.project = "sales";
  auto dialog = Ui(settings).NewProjectDialog();
  dialog->FillList({{"Sales", ""}, {"Stock", ""}});
  EXPECT_EQ(dialog->Show(), 1);
  EXPECT_EQ(dialog->CHOSEN(), "Sales");  // the listed project's own spelling
  EXPECT_TRUE(out_.str().empty());
  EXPECT_TRUE(err_.str().empty());

  dialog = Ui(ConsoleSettings{}).NewProjectDialog();
  dialog->FillList({{"Sales", ""}, {"Stock", ""}});
  EXPECT_EQ(dialog->Show(), 0);
  EXPECT_NE(err_.str().find("--project NAME"), std::string::npos);
}

TEST_F(ConsoleUiTest, AProjectThatIsNotListedIsExplainedWithTheListAndTheNearestName) {
  ConsoleSettings settings;
  settings.project = "Sale";
  settings.repository = "/r";
  settings.why_not_listed = [](const std::string& name) {
    return name == "Sale" ? "the folder /r/Sale has no project.ini" : "";
  };
  auto dialog = Ui(settings).NewProjectDialog();
  dialog->FillList({{"Stock", ""}, {"Sales", ""}});
  EXPECT_EQ(dialog->Show(), 0);
  EXPECT_EQ(err_.str(),
            "ivarscan: cannot select project \"Sale\": the folder /r/Sale has no project.ini\n"
            "ivarscan: the projects there are: Sales, Stock\n"
            "ivarscan: did you mean \"Sales\"?\n");

  err_.str("");
  settings.project = "Nowhere";
  dialog = Ui(settings).NewProjectDialog();
  dialog->FillList({{"Stock", ""}, {"Sales", ""}});
  EXPECT_EQ(dialog->Show(), 0);
  EXPECT_EQ(err_.str(),
            "ivarscan: cannot select project \"Nowhere\": no such project in /r\n"
            "ivarscan: the projects there are: Sales, Stock\n");
}

TEST_F(ConsoleUiTest, TheOnlyProjectIsTakenAndNamedAnEmptyListSaysWhatIsMissing) {
  ConsoleSettings settings;
  settings.repository = "/exports/Warehouse";
  auto dialog = Ui(settings).NewProjectDialog();
  dialog->FillList({{"Warehouse", ""}});
  EXPECT_EQ(dialog->Show(), 1);
  EXPECT_EQ(dialog->CHOSEN(), "Warehouse");
  EXPECT_EQ(err_.str(),
            "ivarscan: reporting on project Warehouse, the only one in /exports/Warehouse\n");

  err_.str("");
  settings.project = "Warehouse";
  dialog = Ui(settings).NewProjectDialog();
  dialog->FillList({});
  EXPECT_EQ(dialog->Show(), 0);
  EXPECT_NE(err_.str().find("/exports/Warehouse holds no project: a repository holds project "
                            "folders, each with a project.ini, or exported applications"),
            std::string::npos)
      << err_.str();
}

TEST_F(ConsoleUiTest, ProgressWithoutTerminalWritesOneLinePerApplication) {
  TerminalProgress progress(err_, false);
  progress.SetCaption("Duplicate Instance Variables in Sales");
  progress.Show();
  progress.DESCRIPTION("Examining dependencies:Orders");
  progress.DESCRIPTION("Processing:Orders");
  progress.TASK("OrderWindow");
  progress.ApplicationExec();
  progress.DESCRIPTION("Processing:Payments");
  progress.ENDDIALOG();
  EXPECT_EQ(err_.str(),
            "Duplicate Instance Variables in Sales\nProcessing:Orders\nProcessing:Payments\n");
  EXPECT_FALSE(progress.LABORT());
  progress.RequestCancel();
  EXPECT_TRUE(progress.LABORT());
}

TEST_F(ConsoleUiTest, FirstInterruptCancelsAndSecondIsLeftToTheSystem) {
  TerminalProgress progress(err_, false);
  progress.Show();
  std::raise(SIGINT);
  EXPECT_FALSE(progress.LABORT());  // taken at the next servicing, not earlier
  progress.ApplicationExec();
  EXPECT_TRUE(progress.LABORT());
  struct sigaction current = {};
  sigaction(SIGINT, nullptr, &current);
  EXPECT_EQ(current.sa_handler, SIG_DFL);  // a second Ctrl-C ends the process
  progress.ENDDIALOG();
}

}  // namespace
}  // namespace ivarscan
