#include "app/win32/application_exec.h"

namespace ivarscan {
namespace {

// The atom of the standard dialog class "#32770".
constexpr ULONG_PTR kDialogClassAtom = 32770;

// How long pending events may wait for the next look at the queue.
constexpr DWORD kLookIntervalMilliseconds = 10;

// True when the queue is due for a look: the first time, then at most once an interval.
bool LookDue() {
  static bool looked = false;
  static DWORD last_look = 0;
  const DWORD now = ::GetTickCount();
  if (looked && now - last_look < kLookIntervalMilliseconds) return false;
  looked = true;
  last_look = now;
  return true;
}

bool IsDialog(HWND window) { return ::GetClassLongPtrA(window, GCW_ATOM) == kDialogClassAtom; }

}  // namespace

void DispatchToDialogs(MSG* message) {
  HWND root = message->hwnd != nullptr ? ::GetAncestor(message->hwnd, GA_ROOT) : nullptr;
  if (root != nullptr && IsDialog(root) && ::IsDialogMessageA(root, message)) return;
  ::TranslateMessage(message);
  ::DispatchMessageA(message);
}

void ApplicationExec() {
  // The analysis calls this between small steps, millions of times on a large
  // repository, and every question to the window system costs microseconds (tens of them
  // under Wine). So the clock decides first whether to look at all, and the queue's state
  // whether there is anything to take.
  if (!LookDue() || HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0) return;
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchToDialogs(&message);
  }
}

}  // namespace ivarscan
