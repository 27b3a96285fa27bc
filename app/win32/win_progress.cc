#include "app/win32/win_progress.h"

#include "app/win32/application_exec.h"
#include "resources/resource_ids.h"

namespace ivarscan {
namespace {

// "MS Sans Serif" at `points` points, bold.
HFONT NewBoldFont(HWND window, int points) {
  HDC screen = ::GetDC(window);
  const int height = -::MulDiv(points, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
  ::ReleaseDC(window, screen);
  return ::CreateFontA(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                       "MS Sans Serif");
}

}  // namespace

WinProgress::WinProgress(HWND owner) {
  PREINIT();
  Create("WINPROGRESS", owner);
  task_font_ = NewBoldFont(window(), 10);
  OCCPBCANCEL = Control(IDC_WINPROGRESS_PBCANCEL);
  ODCPROGRESS = Control(IDC_WINPROGRESS_PROGRESS);
  ODCTASK = Control(IDC_WINPROGRESS_TASK);
  ::SendMessageA(ODCTASK, WM_SETFONT, reinterpret_cast<WPARAM>(task_font_), FALSE);
  ODCDESCRIPTION = Control(IDC_WINPROGRESS_DESCRIPTION);
  ODCANIMATION1 = Control(IDC_WINPROGRESS_ANIMATION1);
  ::SendMessageA(ODCANIMATION1, ACM_OPENA, reinterpret_cast<WPARAM>(::GetModuleHandleA(nullptr)),
                 reinterpret_cast<LPARAM>(AVI));
  SetCaption("Quorvex");
  SetIcons("AICOKREL");
  POSTINIT();
}

WinProgress::~WinProgress() {
  ENDDIALOG();
  if (task_font_ != nullptr) ::DeleteObject(task_font_);
}

void WinProgress::PREINIT() { AVI = "VOSPIN"; }

void WinProgress::POSTINIT() {
  // From the first frame to the last, repeated until the dialog ends.
  ::SendMessageA(ODCANIMATION1, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, -1));
}

void WinProgress::DESCRIPTION(std::string_view text) { SetText(ODCDESCRIPTION, text); }

void WinProgress::TASK(std::string_view text) { SetText(ODCTASK, text); }

void WinProgress::SetProgressRange(int minimum, int maximum) {
  ::SendMessageA(ODCPROGRESS, PBM_SETRANGE32, minimum, maximum);
}

void WinProgress::SetProgressPosition(int position) {
  ::SendMessageA(ODCPROGRESS, PBM_SETPOS, position, 0);
}

void WinProgress::ApplicationExec() { ivarscan::ApplicationExec(); }

void WinProgress::ServiceEventsNow() { ivarscan::ApplicationExecNow(); }

void WinProgress::ENDDIALOG() {
  if (window() == nullptr) return;
  ::SendMessageA(ODCANIMATION1, ACM_STOP, 0, 0);
  EndWith(0);
}

INT_PTR WinProgress::DISPATCH(const DialogEvent& event) {
  if (event.message == WM_COMMAND && event.wparam == IDCANCEL) PBCANCEL();
  return DialogWindow::DISPATCH(event);
}

void WinProgress::ButtonClick(int control_id) {
  if (control_id == IDC_WINPROGRESS_PBCANCEL) PBCANCEL();
}

}  // namespace ivarscan
