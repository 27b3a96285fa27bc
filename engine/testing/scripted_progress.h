// ScriptedProgress: a ProgressDialog double for tests. It records every call as a line of
// text and can turn LABORT on at a chosen servicing of its events, the way a Cancel click
// waiting in the queue would take effect.
#ifndef IVARSCAN_ENGINE_TESTING_SCRIPTED_PROGRESS_H_
#define IVARSCAN_ENGINE_TESTING_SCRIPTED_PROGRESS_H_

#include <string>
#include <string_view>
#include <vector>

#include "engine/progress_dialog.h"

namespace ivarscan {

class ScriptedProgress : public ProgressDialog {
 public:
  // LABORT turns true during the nth ApplicationExec call (counted from 1; 0 = never).
  void CancelAtServicing(int nth) { cancel_at_ = nth; }
  // A Cancel click arrives just after the nth ApplicationExec call, so soon that later
  // ApplicationExec calls skip the queue; only ServiceEventsNow sees it.
  void CancelUnseenAfterServicing(int nth) { unseen_cancel_after_ = nth; }

  void DESCRIPTION(std::string_view text) override { Log("DESCRIPTION " + std::string(text)); }
  void TASK(std::string_view text) override { Log("TASK " + std::string(text)); }
  void SetProgressRange(int minimum, int maximum) override {
    Log("RANGE " + std::to_string(minimum) + "-" + std::to_string(maximum));
  }
  void SetProgressPosition(int position) override { Log("POSITION " + std::to_string(position)); }
  bool LABORT() const override { return abort_; }
  void ApplicationExec() override {
    ++servicings_;
    if (servicings_ == cancel_at_) abort_ = true;
    Log("EXEC");
  }
  void ServiceEventsNow() override {
    if (unseen_cancel_after_ > 0 && servicings_ >= unseen_cancel_after_) abort_ = true;
    Log("EXEC NOW");
  }

  int servicings() const { return servicings_; }
  const std::vector<std::string>& log() const { return log_; }
  // The logged calls that start with `prefix`, in order.
  std::vector<std::string> Calls(std::string_view prefix) const {
    std::vector<std::string> found;
    for (const std::string& line : log_) {
      if (line.rfind(prefix, 0) == 0) found.push_back(line);
    }
    return found;
  }

 private:
  void Log(std::string line) { log_.push_back(std::move(line)); }

  int cancel_at_ = 0;
  int unseen_cancel_after_ = 0;
  int servicings_ = 0;
  bool abort_ = false;
  std::vector<std::string> log_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_ENGINE_TESTING_SCRIPTED_PROGRESS_H_
