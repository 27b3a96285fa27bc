#include <unistd.h>

#include <csignal>

#include "platform/console.h"

namespace ivarscan {
namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) { interrupted = 1; }

}  // namespace

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

bool IsTerminal(int descriptor) { return ::isatty(descriptor) == 1; }

void UseBinaryStandardOutput() {}

// The handler resets itself when it runs, so that a second Ctrl-C ends the process the
// ordinary way.
void CatchInterrupt() {
  interrupted = 0;
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  action.sa_flags = SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
}

void ReleaseInterrupt() { std::signal(SIGINT, SIG_DFL); }

bool InterruptRequested() { return interrupted != 0; }

}  // namespace ivarscan
