#include "app/win32/application_exec.h"

namespace ivarscan {
namespace {

// The atom of the standard dialog class "#32770".
constexpr ULONG_PTR kDialogClassAtom = 32770;

// How long pending events may wait for the next look at the queue.
constexpr DWORD kLookIntervalMilliseconds = 10;

bool looked = false;
DWORD last_look = 0;

// True when the queue is due for a look: the first time, then at most once an interval.
bool LookDue() { return !looked || ::GetTickCount() - last_look >= kLookIntervalMilliseconds; }

bool IsDialog(HWND window) { return ::GetClassLongPtrW(window, GCW_ATOM) == kDialogClassAtom; }

}  // namespace

void DispatchToDialogs(MSG* message) {
  HWND root = message->hwnd != nullptr ? ::GetAncestor(message->hwnd, GA_ROOT) : nullptr;
  if (root != nullptr && IsDialog(root) && ::IsDialogMessageW(root, message)) return;
  ::TranslateMessage(message);
  ::DispatchMessageW(message);
}

void ApplicationExec() {
  // The analysis calls this between small steps, millions of times on a large
  // repository, and every question to the window system costs microseconds (tens of them
  // under Wine). So the clock decides first whether to look at all, and the queue's state
  // whether there is anything to take.
  if (LookDue()) ApplicationExecNow();
}

void ApplicationExecNow() {
  looked = true;
  last_look = ::GetTickCount();
  if (HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0) return;
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    DispatchToDialogs(&message);
  }
}

}  // namespace ivarscan
