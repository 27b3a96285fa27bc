// Reading and operating the windows of another process, as a user would: find a window by
// class and caption, read its texts and list items, press its buttons.
#ifndef IVARSCAN_TESTS_WINE_REMOTE_WINDOW_H_
#define IVARSCAN_TESTS_WINE_REMOTE_WINDOW_H_

#include <windows.h>

#include <string>
#include <vector>

namespace ivarscan::wine {

// The class of dialogs and message boxes.
inline constexpr char kDialogClass[] = "#32770";
// The identifier of a message box's text control.
inline constexpr int kMessageBoxTextId = 0xFFFF;

// The visible top-level window of that class and caption, or null.
HWND FindVisibleWindow(const char* class_name, const std::string& caption);

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int control_id);
// The text of an edit control, which GetWindowText cannot read in another process.
std::string EditText(HWND edit);
bool IsControlVisible(HWND dialog, int control_id);

// The texts of a list box's items in list order, and the index of the selected item
// (-1 for none).
std::vector<std::string> ListItems(HWND list);
int ListSelection(HWND list);

// Clicks the button as the mouse would (BM_CLICK), waiting until it has been handled.
void ClickButton(HWND dialog, int control_id);

// Presses and releases a key in the window that has the dialog's keyboard focus, as a
// keyboard would (through the target's message queue, so its dialog handling sees it).
void PressKey(HWND dialog, WPARAM virtual_key);

// The first visible window of the class among the window's descendants, or null.
HWND FindVisibleChild(HWND parent, const char* class_name);

// True when the button exists and is the dialog's default button.
bool IsDefaultButton(HWND dialog, int control_id);

}  // namespace ivarscan::wine

#endif  // IVARSCAN_TESTS_WINE_REMOTE_WINDOW_H_
