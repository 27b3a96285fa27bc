// DialogWindow: a dialog built from a dialog template among the program's resources, the
// base of WinPrj and WinProgress. The window is created hidden when the derived class
// calls Create; showing it modeless returns at once, running it modally returns when the
// dialog has ended. Button clicks and list double clicks reach the virtual handlers, the
// way the toolkit routes a control's events to the dialog method named like the control.
#ifndef IVARSCAN_APP_WIN32_DIALOG_WINDOW_H_
#define IVARSCAN_APP_WIN32_DIALOG_WINDOW_H_

#include <string_view>

#include "app/win32/windows_headers.h"

namespace ivarscan {

// One window message as a dialog's dispatcher receives it.
struct DialogEvent {
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
};

class DialogWindow {
 public:
  DialogWindow() = default;
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;
  virtual ~DialogWindow();

  // The dialog's window; null before Create and after the dialog has ended.
  HWND window() const { return window_; }

 protected:
  // Creates the dialog from the template named `template_name` in the program's own
  // module, hidden, owned by `owner` (may be null).
  void Create(const char* template_name, HWND owner);

  // The toolkit's standard dispatch: routes button clicks to ButtonClick and list double
  // clicks to ListDoubleClick; returns whether the event was handled (FALSE leaves it to
  // the system's dialog processing).
  virtual INT_PTR DISPATCH(const DialogEvent& event);
  virtual void ButtonClick(int control_id) = 0;
  virtual void ListDoubleClick(int /*control_id*/) {}

  HWND Control(int control_id) const { return ::GetDlgItem(window_, control_id); }
  // Sets the text of `window`: one of the dialog's controls, or the dialog itself.
  static void SetText(HWND window, std::string_view text);
  void SetCaption(std::string_view caption);
  // Sets the large and the small window icon from the icon resource `icon_name`.
  void SetIcons(const char* icon_name);

  // Shows the window and returns.
  void ShowModeless();
  // Services events until EndWith is called and returns its result: the modal loop of a
  // dialog that the caller has shown.
  // A WM_QUIT ends the loop too (result 0) and is put back for the caller.
  int RunModal();
  // Records the result and destroys the window.
  void EndWith(int result);

 private:
  static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
  bool ended_ = false;
  int result_ = 0;
  HICON large_icon_ = nullptr;
  HICON small_icon_ = nullptr;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_WIN32_DIALOG_WINDOW_H_
