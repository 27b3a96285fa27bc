// ScriptedErrorBox: an error box for tests. It records every box and notice it is asked to
// show and answers with the choices queued through Answer, or with the abort code once the
// queue is empty. Install it with ScopedErrorBox.
#ifndef IVARSCAN_ERRORS_TESTING_SCRIPTED_ERROR_BOX_H_
#define IVARSCAN_ERRORS_TESTING_SCRIPTED_ERROR_BOX_H_

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/error_box.h"

namespace ivarscan {

class ScriptedErrorBox final : public ErrorBox {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    std::uint32_t default_code;
    std::uint32_t retry_code;
    std::uint32_t abort_code;
  };
  struct Notice {
    std::string text;
    std::string caption;
  };

  // Queues the choice code that the next box returns.
  void Answer(std::uint32_t choice) { answers_.push_back(choice); }
  // Runs `action` whenever a box is shown, before it answers.
  void OnShow(std::function<void()> action) { on_show_ = std::move(action); }

  std::uint32_t Show(std::string_view text, std::string_view caption, std::uint32_t default_code,
                     std::uint32_t retry_code, std::uint32_t abort_code) override {
    shown_.push_back(
        {std::string(text), std::string(caption), default_code, retry_code, abort_code});
    if (on_show_) on_show_();
    if (answers_.empty()) return abort_code;
    const std::uint32_t choice = answers_.front();
    answers_.pop_front();
    return choice;
  }

  void ShowNotice(std::string_view text, std::string_view caption) override {
    notices_.push_back({std::string(text), std::string(caption)});
  }

  const std::vector<Shown>& shown() const { return shown_; }
  const std::vector<Notice>& notices() const { return notices_; }

 private:
  std::deque<std::uint32_t> answers_;
  std::function<void()> on_show_;
  std::vector<Shown> shown_;
  std::vector<Notice> notices_;
};

// Installs a box for its lifetime and then puts the previous one back.
class ScopedErrorBox {
 public:
  explicit ScopedErrorBox(ErrorBox* box) : previous_(SetErrorBox(box)) {}
  ~ScopedErrorBox() { SetErrorBox(previous_); }
  ScopedErrorBox(const ScopedErrorBox&) = delete;
  ScopedErrorBox& operator=(const ScopedErrorBox&) = delete;

 private:
  ErrorBox* previous_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_ERRORS_TESTING_SCRIPTED_ERROR_BOX_H_
