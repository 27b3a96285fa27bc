// Doubles of the toolkit and the desktop for the application shell's tests: a user who
// answers from a script, and an IDE that closes or never closes. Report files are kept in
// a FakeEnv without a base (platform/testing/fake_env.h).
#ifndef IVARSCAN_APP_TESTING_SHELL_DOUBLES_H_
#define IVARSCAN_APP_TESTING_SHELL_DOUBLES_H_

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/ui.h"
#include "engine/testing/scripted_progress.h"
#include "platform/desktop.h"
#include "platform/testing/fake_env.h"

namespace ivarscan {

// One message box as the user saw it.
struct ShownBox {
  std::string caption;
  std::string text;
  BoxStyle style;
};

class ScriptedUi final : public Ui {
 public:
  // Answers to Yes/No boxes in order; Yes when the script runs out.
  std::deque<int> yes_no_answers;
  // The project dialog's outcome: Show() returns `dialog_result`; on 1 CHOSEN becomes
  // `dialog_choice` (empty: the item selected by SetListValue, if any).
  int dialog_result = 1;
  std::string dialog_choice;
  // LABORT turns true at this servicing of the progress dialog (0 = never).
  int cancel_at_servicing = 0;
  // LABORT turns true at this reading of the flag, counted from 1 over the whole run, as a
  // click that no servicing delivered (0 = never).
  int cancel_at_reading = 0;
  int labort_readings = 0;  // how often the progress dialog's flag was read

  std::vector<ShownBox> boxes;
  std::vector<ProjectRecord> listed_projects;
  std::string preselected;                // the item selected when the dialog was shown
  std::vector<std::string> progress_log;  // captions, shows and ends of the progress dialog

  int ShowMessageBox(std::string_view caption, std::string_view text, BoxStyle style) override {
    boxes.push_back({std::string(caption), std::string(text), style});
    if (style != BoxStyle::kQuestionYesNo) return kIdOk;
    if (yes_no_answers.empty()) return kIdYes;
    int answer = yes_no_answers.front();
    yes_no_answers.pop_front();
    return answer;
  }
  std::unique_ptr<ProjectDialog> NewProjectDialog() override;
  std::unique_ptr<ProgressWindow> NewProgressWindow() override;
};

class FakeDesktop final : public Desktop {
 public:
  // Whether an IDE window exists, and how many lookups it survives after a close request
  // (-1: it never closes).
  bool ide_running = false;
  int lookups_until_closed = 0;

  int close_messages = 0;
  std::vector<std::string> viewer_commands;

  bool FindTopLevelWindow(const std::string& class_name) override;
  void SendCloseMessage(const std::string& class_name) override;
  bool OpenInViewer(const std::string& command_line, const std::string&) override {
    viewer_commands.push_back(command_line);
    return true;
  }

 private:
  bool asked_to_close_ = false;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_TESTING_SHELL_DOUBLES_H_
