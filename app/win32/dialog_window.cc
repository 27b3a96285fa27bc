#include "app/win32/dialog_window.h"

#include <string>
#include <utility>

#include "app/win32/application_exec.h"
#include "platform/win32_text.h"

namespace ivarscan {
namespace {

// The progress bar and the animation control come from the common controls library,
// whose window classes must be registered before a template names them.
void RegisterCommonControls() {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS | ICC_ANIMATE_CLASS};
    return ::InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)registered;
}

HICON LoadIconOfSize(const char* icon_name, int width_metric, int height_metric) {
  return static_cast<HICON>(::LoadImageA(::GetModuleHandleA(nullptr), icon_name, IMAGE_ICON,
                                         ::GetSystemMetrics(width_metric),
                                         ::GetSystemMetrics(height_metric), 0));
}

}  // namespace

DialogWindow::~DialogWindow() {
  if (window_ != nullptr) {
    // The derived object is gone: no message may reach its handlers any more.
    ::SetWindowLongPtrW(window_, DWLP_USER, 0);
    ::DestroyWindow(window_);
  }
  if (large_icon_ != nullptr) ::DestroyIcon(large_icon_);
  if (small_icon_ != nullptr) ::DestroyIcon(small_icon_);
}

void DialogWindow::Create(const char* template_name, HWND owner) {
  RegisterCommonControls();
  // A Unicode dialog: its controls hold any text the program gives them, whatever the
  // system's code page.
  window_ = ::CreateDialogParamW(::GetModuleHandleW(nullptr), ToWide(template_name).c_str(), owner,
                                 &Procedure, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogWindow::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_INITDIALOG) ::SetWindowLongPtrW(window, DWLP_USER, lparam);
  auto* dialog = reinterpret_cast<DialogWindow*>(::GetWindowLongPtrW(window, DWLP_USER));
  if (dialog == nullptr) return FALSE;  // the few messages that precede WM_INITDIALOG
  if (message == WM_INITDIALOG) dialog->window_ = window;
  return dialog->DISPATCH({message, wparam, lparam});
}

INT_PTR DialogWindow::DISPATCH(const DialogEvent& event) {
  if (event.message != WM_COMMAND) return FALSE;
  const int control_id = LOWORD(event.wparam);
  switch (HIWORD(event.wparam)) {
    case BN_CLICKED:
      ButtonClick(control_id);
      return TRUE;
    case LBN_DBLCLK:
      ListDoubleClick(control_id);
      return TRUE;
    default:
      return FALSE;
  }
}

void DialogWindow::SetText(HWND window, std::string_view text) {
  ::SetWindowTextW(window, ToWide(text).c_str());
}

void DialogWindow::SetCaption(std::string_view caption) { SetText(window_, caption); }

void DialogWindow::SetIcons(const char* icon_name) {
  large_icon_ = LoadIconOfSize(icon_name, SM_CXICON, SM_CYICON);
  small_icon_ = LoadIconOfSize(icon_name, SM_CXSMICON, SM_CYSMICON);
  ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large_icon_));
  ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
}

void DialogWindow::ShowModeless() {
  ::ShowWindow(window_, SW_SHOW);
  ::UpdateWindow(window_);
}

int DialogWindow::RunModal() {
  MSG message;
  while (!ended_) {
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return 0;
    }
    if (got > 0) DispatchToDialogs(&message);
  }
  return result_;
}

void DialogWindow::EndWith(int result) {
  result_ = result;
  ended_ = true;
  if (window_ != nullptr) ::DestroyWindow(std::exchange(window_, nullptr));
  // A sent message (a click made by another program, say) is handled inside GetMessage,
  // which would go on waiting; a posted message lets the modal loop see the end at once.
  ::PostThreadMessageW(::GetCurrentThreadId(), WM_NULL, 0, 0);
}

}  // namespace ivarscan
