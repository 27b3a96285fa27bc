// Event servicing for the desktop front end: the modeless progress dialog reacts only
// while the analysis calls ApplicationExec, and the modal project dialog runs its loop on
// the same dispatch rules.
#ifndef IVARSCAN_APP_WIN32_APPLICATION_EXEC_H_
#define IVARSCAN_APP_WIN32_APPLICATION_EXEC_H_

#include "app/win32/windows_headers.h"

namespace ivarscan {

// Processes every message pending for this thread (keyboard navigation of dialogs
// included) and returns. The queue is looked at no more than once every 10 milliseconds;
// the calls in between, and calls that find the queue empty, return at once. A WM_QUIT is
// put back for the caller's loop to see.
void ApplicationExec();

// Processes every message pending for this thread now, however recently ApplicationExec
// looked, so that no click waits past the point where the work tests for it.
void ApplicationExecNow();

// Delivers one message: to its dialog's keyboard handling (Tab, Enter, Escape) when its
// window belongs to a dialog, otherwise translated and dispatched as usual.
void DispatchToDialogs(MSG* message);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_WIN32_APPLICATION_EXEC_H_
