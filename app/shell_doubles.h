// Doubles of the toolkit, the desktop and the file environment for the application
// shell's tests: a user who answers from a script, an IDE that closes or never closes,
// and report files kept in memory that can be made to fail.
#ifndef IVARSCAN_APP_SHELL_DOUBLES_H_
#define IVARSCAN_APP_SHELL_DOUBLES_H_

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/ui.h"
#include "engine/scripted_progress.h"
#include "platform/desktop.h"
#include "platform/env.h"

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

// Files in memory; sleeping only counts.
class MemoryEnv final : public Env {
 public:
  std::map<std::string, std::string> files;
  int sleeps = 0;
  int slept_milliseconds = 0;
  // The next N creations, writes or closes fail with EACCES / ENOSPC / EIO. A failing
  // write first stores up to `stored_before_failing` bytes, as a short write before a full
  // disk does; a failed close is final, as the system's is.
  int failing_creates = 0;
  int failing_appends = 0;
  int failing_closes = 0;
  std::size_t stored_before_failing = 0;
  // The handle the next file gets.
  std::uint32_t next_handle = 5;

  std::error_code ReadFile(const std::string& path, std::string* contents) override;
  std::error_code ListDirectory(const std::string&, std::vector<DirectoryEntry>*) override {
    return std::make_error_code(std::errc::not_supported);
  }
  bool IsDirectory(const std::string&) override { return false; }
  bool FileExists(const std::string& path) override { return files.count(path) != 0; }
  std::error_code NewWritableFile(const std::string& path,
                                  std::unique_ptr<WritableFile>* file) override;
  std::error_code WriteFileAtomically(const std::string& path, std::string_view contents) override {
    files[path] = std::string(contents);
    return {};
  }
  std::error_code RemoveFile(const std::string& path) override {
    return files.erase(path) != 0 ? std::error_code()
                                  : std::make_error_code(std::errc::no_such_file_or_directory);
  }
  std::error_code LockFile(const std::string&, std::unique_ptr<FileLock>*) override {
    return std::make_error_code(std::errc::not_supported);
  }
  void SleepForMilliseconds(int milliseconds) override {
    ++sleeps;
    slept_milliseconds += milliseconds;
  }
  std::string EnvironmentVariable(const std::string&) override { return ""; }
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_SHELL_DOUBLES_H_
