// The progress dialog in a terminal. On a terminal it is one line on standard error,
// redrawn in place a few times a second (description, task, bar and percentage);
// otherwise it writes one line per application. Ctrl-C while it is shown sets LABORT, and
// a second Ctrl-C ends the process.
#ifndef IVARSCAN_APP_CONSOLE_TERMINAL_PROGRESS_H_
#define IVARSCAN_APP_CONSOLE_TERMINAL_PROGRESS_H_

#include <chrono>
#include <iosfwd>
#include <string>

#include "app/ui.h"

namespace ivarscan {

class TerminalProgress final : public ProgressWindow {
 public:
  TerminalProgress(std::ostream& err, bool redraw_in_place);
  ~TerminalProgress() override;

  void SetCaption(std::string_view caption) override;
  void Show() override;
  void ENDDIALOG() override;
  void DESCRIPTION(std::string_view text) override;
  void TASK(std::string_view text) override;
  void SetProgressRange(int minimum, int maximum) override;
  void SetProgressPosition(int position) override;
  bool LABORT() const override { return abort_; }
  // Takes a pending Ctrl-C and redraws the line when it is due. Looks at the clock only
  // every few hundred calls, so that it costs next to nothing.
  void ApplicationExec() override;

  // Sets LABORT as a Ctrl-C would.
  void RequestCancel() { abort_ = true; }

 private:
  void Redraw();
  std::string Line() const;

  std::ostream& err_;
  const bool redraw_in_place_;
  bool shown_ = false;
  bool abort_ = false;
  std::string caption_;
  std::string description_;
  std::string task_;
  int maximum_ = 100;
  int position_ = 0;
  unsigned calls_ = 0;
  std::chrono::steady_clock::time_point last_redraw_{};
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_CONSOLE_TERMINAL_PROGRESS_H_
