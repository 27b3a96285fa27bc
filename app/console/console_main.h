// The console edition's entry: parses the command line, wires the repository folder, the
// terminal toolkit and the system's desktop into the application shell, and runs it.
#ifndef IVARSCAN_APP_CONSOLE_CONSOLE_MAIN_H_
#define IVARSCAN_APP_CONSOLE_CONSOLE_MAIN_H_

#include "platform/variant.h"

namespace ivarscan {

// Exit statuses of the console edition.
inline constexpr int kExitReportWritten = 0;
inline constexpr int kExitNoReport = 1;
inline constexpr int kExitBadCommandLine = 2;  // also: a baseline that cannot be read
inline constexpr int kExitFindings = 3;        // --fail-on-findings and a run that found some

// Runs the console edition of `variant` and returns the process's exit status.
int RunConsole(int argc, char** argv, const Variant& variant);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_CONSOLE_CONSOLE_MAIN_H_
