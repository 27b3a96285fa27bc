// The Windows console's control handler and command-line splitting, seen by their tests.
#ifndef IVARSCAN_PLATFORM_WIN32_CONSOLE_H_
#define IVARSCAN_PLATFORM_WIN32_CONSOLE_H_

#include <string>
#include <vector>

namespace ivarscan {

// What the handler that CatchInterrupt installs does with the console event `event`
// (CTRL_C_EVENT, CTRL_BREAK_EVENT...): true when it took the event (the first Ctrl-C, which
// requests the interrupt), false when the next handler, in the end the system's, which
// ends the process, is to have it.
bool TakeConsoleEvent(unsigned long event);

// The arguments of `command_line` after the program name, in UTF-8, split as the system's
// CommandLineToArgvW splits them, with one repair: a quoted path that ends in a backslash
// ("C:\VO Exports\" on a shortcut's target line) is split as an escaped quote, so the
// argument ends in '"' and has lost its backslash. No Windows name holds a quote, so a
// final '"' is given back as the backslash it stood for.
std::vector<std::string> SplitCommandLine(const wchar_t* command_line);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_WIN32_CONSOLE_H_
