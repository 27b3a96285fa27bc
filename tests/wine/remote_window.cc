#include "tests/wine/remote_window.h"

namespace ivarscan::wine {

HWND FindVisibleWindow(const char* class_name, const std::string& caption) {
  HWND window = ::FindWindowA(class_name, caption.c_str());
  return window != nullptr && ::IsWindowVisible(window) ? window : nullptr;
}

HWND FindVisibleChild(HWND parent, const char* class_name) {
  struct Search {
    const char* class_name;
    HWND found;
  } search = {class_name, nullptr};
  ::EnumChildWindows(
      parent,
      [](HWND child, LPARAM data) -> BOOL {
        auto* wanted = reinterpret_cast<Search*>(data);
        char name[64] = "";
        ::GetClassNameA(child, name, sizeof name);
        if (::lstrcmpiA(name, wanted->class_name) != 0 || !::IsWindowVisible(child)) return TRUE;
        wanted->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string WindowText(HWND window) {
  char text[4096] = "";
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ControlText(HWND dialog, int control_id) {
  return WindowText(::GetDlgItem(dialog, control_id));
}

std::string EditText(HWND edit) {
  std::string text(static_cast<std::size_t>(::SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0)) + 1,
                   '\0');
  text.resize(static_cast<std::size_t>(
      ::SendMessageA(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

bool IsControlVisible(HWND dialog, int control_id) {
  HWND control = ::GetDlgItem(dialog, control_id);
  return control != nullptr && (::GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE);
}

std::vector<std::string> ListItems(HWND list) {
  // Read as UTF-16: ANSI list texts do not cross the process boundary under Wine.
  std::vector<std::string> items;
  const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    wchar_t wide[1024] = L"";
    ::SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide));
    char text[1024] = "";
    ::WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    items.push_back(text);
  }
  return items;
}

int ListSelection(HWND list) { return static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0)); }

void ClickButton(HWND dialog, int control_id) {
  ::SendMessageA(::GetDlgItem(dialog, control_id), BM_CLICK, 0, 0);
}

void PressKey(HWND dialog, WPARAM virtual_key) {
  GUITHREADINFO thread_info = {};
  thread_info.cbSize = sizeof thread_info;
  HWND target = dialog;
  const DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
  if (::GetGUIThreadInfo(thread, &thread_info) && thread_info.hwndFocus != nullptr) {
    target = thread_info.hwndFocus;
  }
  ::PostMessageA(target, WM_KEYDOWN, virtual_key, 1);
  ::PostMessageA(target, WM_KEYUP, virtual_key, 0xC0000001);
}

bool IsDefaultButton(HWND dialog, int control_id) {
  HWND button = ::GetDlgItem(dialog, control_id);
  return button != nullptr &&
         (::GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

}  // namespace ivarscan::wine
