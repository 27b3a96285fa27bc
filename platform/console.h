// What the console edition asks of its process: the command line, the standard streams and
// Ctrl-C. One interface; posix_console.cc and win32_console.cc implement it.
#ifndef IVARSCAN_PLATFORM_CONSOLE_H_
#define IVARSCAN_PLATFORM_CONSOLE_H_

#include <string>
#include <vector>

namespace ivarscan {

// The arguments after the program name, in the form Env takes paths: the bytes given on
// POSIX; UTF-8 on Windows, where they are read from the wide-character command line so
// that a name in any script survives.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// True when standard input (descriptor 0) or standard error (2) is a terminal (a console
// on Windows). For an output stream the terminal must also take the ANSI sequences that
// redraw a line; a Windows console is asked to turn them on.
bool IsTerminal(int descriptor);

// Makes standard output and standard error write the bytes given: no LF becomes CR LF, so
// that a document piped to a file has the same bytes as one written with --output.
void UseBinaryStandardOutput();

// From CatchInterrupt until ReleaseInterrupt, the first Ctrl-C does not end the process but
// makes InterruptRequested() true; a second Ctrl-C (and Ctrl-Break on Windows) ends it as
// usual. CatchInterrupt clears an earlier request.
void CatchInterrupt();
void ReleaseInterrupt();
bool InterruptRequested();

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_CONSOLE_H_
