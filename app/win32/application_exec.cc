#include "app/win32/application_exec.h"

namespace ivarscan {
namespace {

// The atom of the standard dialog class "#32770".
constexpr ULONG_PTR kDialogClassAtom = 32770;

bool IsDialog(HWND window) {
  return ::GetClassLongPtrA(window, GCW_ATOM) == kDialogClassAtom;
}

}  // namespace

void DispatchToDialogs(MSG* message) {
  HWND root = message->hwnd != nullptr ? ::GetAncestor(message->hwnd, GA_ROOT) : nullptr;
  if (root != nullptr && IsDialog(root) && ::IsDialogMessageA(root, message)) return;
  ::TranslateMessage(message);
  ::DispatchMessageA(message);
}

void ApplicationExec() {
  // The analysis calls this between small steps, millions of times on a large
  // repository; asking the queue's state first keeps the call nearly free when idle.
  if (HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0) return;
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
