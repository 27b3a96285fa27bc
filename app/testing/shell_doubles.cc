#include "app/testing/shell_doubles.h"

#include <algorithm>

#include "platform/text.h"

namespace ivarscan {
namespace {

class ScriptedProjectDialog final : public ProjectDialog {
 public:
  explicit ScriptedProjectDialog(ScriptedUi& ui) : ui_(ui) {}
  void FillList(const std::vector<ProjectRecord>& projects) override {
    ui_.listed_projects = projects;
  }
  void SetListValue(const std::string& name) override {
    selected_.clear();
    for (const ProjectRecord& project : ui_.listed_projects) {
      if (EqualsIgnoringCase(project.name, name)) selected_ = project.name;
    }
  }
  void FocusList() override {}
  int Show() override {
    ui_.preselected = selected_;
    if (ui_.dialog_result == 1) {
      chosen_ = ui_.dialog_choice.empty() ? selected_ : ui_.dialog_choice;
    }
    return ui_.dialog_result;
  }
  const std::string& CHOSEN() const override { return chosen_; }

 private:
  ScriptedUi& ui_;
  std::string selected_;
  std::string chosen_;
};

class ScriptedProgressWindow final : public ProgressWindow {
 public:
  explicit ScriptedProgressWindow(ScriptedUi& ui) : ui_(ui) {
    progress_.CancelAtServicing(ui.cancel_at_servicing);
  }
  void SetCaption(std::string_view caption) override {
    ui_.progress_log.push_back("CAPTION " + std::string(caption));
  }
  void Show() override { ui_.progress_log.push_back("SHOW"); }
  void ENDDIALOG() override { ui_.progress_log.push_back("END"); }
  void DESCRIPTION(std::string_view text) override { progress_.DESCRIPTION(text); }
  void TASK(std::string_view text) override { progress_.TASK(text); }
  void SetProgressRange(int minimum, int maximum) override {
    progress_.SetProgressRange(minimum, maximum);
  }
  void SetProgressPosition(int position) override { progress_.SetProgressPosition(position); }
  bool LABORT() const override {
    const int reading = ++ui_.labort_readings;
    return progress_.LABORT() || (ui_.cancel_at_reading > 0 && reading >= ui_.cancel_at_reading);
  }
  void ApplicationExec() override { progress_.ApplicationExec(); }
  void ServiceEventsNow() override { progress_.ServiceEventsNow(); }

 private:
  ScriptedUi& ui_;
  ScriptedProgress progress_;
};

}  // namespace

std::unique_ptr<ProjectDialog> ScriptedUi::NewProjectDialog() {
  return std::make_unique<ScriptedProjectDialog>(*this);
}

std::unique_ptr<ProgressWindow> ScriptedUi::NewProgressWindow() {
  return std::make_unique<ScriptedProgressWindow>(*this);
}

bool FakeDesktop::FindTopLevelWindow(const std::string&) {
  if (ide_running && asked_to_close_ && lookups_until_closed >= 0 && lookups_until_closed-- == 0) {
    ide_running = false;
  }
  return ide_running;
}

void FakeDesktop::SendCloseMessage(const std::string&) {
  ++close_messages;
  asked_to_close_ = true;
}

}  // namespace ivarscan
