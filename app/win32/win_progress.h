// WinProgress: the modeless progress dialog, built from the template WINPROGRESS. It shows
// the busy animation VOSPIN, a description line, a bold task line and a progress bar, and
// carries the run's cancel flag LABORT, which its Cancel button and the cancel command
// (Escape, the close box) set. It never stops the work itself: it reacts only while
// ApplicationExec services the event queue.
#ifndef IVARSCAN_APP_WIN32_WIN_PROGRESS_H_
#define IVARSCAN_APP_WIN32_WIN_PROGRESS_H_

#include <string_view>

#include "app/ui.h"
#include "app/win32/dialog_window.h"

namespace ivarscan {

class WinProgress final : public DialogWindow, public ProgressWindow {
 public:
  // INIT: builds the dialog owned by `owner` (none in this program), hidden, with the
  // animation already playing.
  explicit WinProgress(HWND owner = nullptr);
  ~WinProgress() override;

  void DESCRIPTION(std::string_view text) override;
  void TASK(std::string_view text) override;
  void SetProgressRange(int minimum, int maximum) override;
  void SetProgressPosition(int position) override;
  bool LABORT() const override { return abort_; }
  void ApplicationExec() override;
  void ServiceEventsNow() override;

  void SetCaption(std::string_view caption) override { DialogWindow::SetCaption(caption); }
  void Show() override { ShowModeless(); }
  void ENDDIALOG() override;

  // Sets LABORT; the dialog stays open and usable.
  void PBCANCEL() { abort_ = true; }
  // The progress bar control itself.
  HWND PROGRESS() const { return ODCPROGRESS; }

 protected:
  // A command whose first parameter is exactly 2 (IDCANCEL, as Escape and the close box
  // send it) cancels; every event then goes on to the standard dispatch.
  INT_PTR DISPATCH(const DialogEvent& event) override;

 private:
  void PREINIT();
  void POSTINIT();
  void ButtonClick(int control_id) override;

  HWND OCCPBCANCEL = nullptr;
  HWND ODCPROGRESS = nullptr;
  HWND ODCTASK = nullptr;
  HWND ODCDESCRIPTION = nullptr;
  HWND ODCANIMATION1 = nullptr;
  bool abort_ = false;        // LABORT
  const char* AVI = nullptr;  // the animation clip's resource name
  HFONT task_font_ = nullptr;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_WIN32_WIN_PROGRESS_H_
