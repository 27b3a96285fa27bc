// Stand-in for the IDE: a top-level window of the IDE's main window class
// "CAVO20MainWClass". Started as `fake_ide closes` it closes when asked (WM_CLOSE); as
// `fake_ide ignores` it stays. Either way it appends "WM_CLOSE" to fake-ide.log in the
// current folder for every close request it receives, and it ends by itself after
// `lifetime` seconds (third argument, default 120) so that no test leaves it behind.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>

namespace {

bool closes_when_asked = true;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CLOSE:
      std::ofstream("fake-ide.log", std::ios::app) << "WM_CLOSE\n";
      if (closes_when_asked) ::DestroyWindow(window);
      return 0;
    case WM_TIMER:
      ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
  }
  return ::DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int main(int argc, char** argv) {
  closes_when_asked = !(argc > 1 && std::strcmp(argv[1], "ignores") == 0);
  const UINT lifetime_seconds = argc > 2 ? static_cast<UINT>(std::atoi(argv[2])) : 120;

  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = &WindowProcedure;
  window_class.hInstance = ::GetModuleHandleA(nullptr);
  window_class.lpszClassName = "CAVO20MainWClass";
  if (!::RegisterClassA(&window_class)) return 1;
  HWND window = ::CreateWindowA("CAVO20MainWClass", "Stand-in IDE", WS_OVERLAPPEDWINDOW, 0, 0, 320,
                                200, nullptr, nullptr, window_class.hInstance, nullptr);
  if (window == nullptr) return 1;
  ::ShowWindow(window, SW_SHOWNOACTIVATE);
  ::SetTimer(window, 1, lifetime_seconds * 1000, nullptr);
  std::ofstream("fake-ide.log", std::ios::app) << "started\n";

  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return 0;
}
