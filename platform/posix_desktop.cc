#include "platform/posix_desktop.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

extern char** environ;

namespace ivarscan {
namespace {

bool IsOnPath(Env& env, const std::string& program) {
  std::istringstream path(env.EnvironmentVariable("PATH"));
  for (std::string folder; std::getline(path, folder, ':');) {
    if (!folder.empty() && ::access(JoinPath(folder, program).c_str(), X_OK) == 0) return true;
  }
  return false;
}

// Starts `program file` in a grandchild with its output silenced, so that the viewer runs
// on after us and leaves no zombie behind.
bool SpawnDetached(const char* program, const std::string& file) {
  pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    char* argv[] = {const_cast<char*>(program), const_cast<char*>(file.c_str()), nullptr};
    pid_t viewer;
    int failed = posix_spawnp(&viewer, program, &actions, nullptr, argv, environ);
    ::_exit(failed ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool PosixDesktop::FindTopLevelWindow(const std::string&) { return false; }

void PosixDesktop::SendCloseMessage(const std::string&) {}

bool PosixDesktop::OpenInViewer(const std::string&, const std::string& file_name) {
  const bool graphical = !env_.EnvironmentVariable("DISPLAY").empty() ||
                         !env_.EnvironmentVariable("WAYLAND_DISPLAY").empty();
  return graphical && IsOnPath(env_, "xdg-open") && SpawnDetached("xdg-open", file_name);
}

std::unique_ptr<Desktop> NewSystemDesktop(Env& env) { return std::make_unique<PosixDesktop>(env); }

}  // namespace ivarscan
