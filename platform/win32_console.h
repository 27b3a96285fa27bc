// The Windows console's control handler, seen by its tests.
#ifndef IVARSCAN_PLATFORM_WIN32_CONSOLE_H_
#define IVARSCAN_PLATFORM_WIN32_CONSOLE_H_

namespace ivarscan {

// What the handler that CatchInterrupt installs does with the console event `event`
// (CTRL_C_EVENT, CTRL_BREAK_EVENT...): true when it took the event (the first Ctrl-C, which
// requests the interrupt), false when the next handler, in the end the system's, which
// ends the process, is to have it.
bool TakeConsoleEvent(unsigned long event);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_WIN32_CONSOLE_H_
