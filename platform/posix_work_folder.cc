#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/env.h"
#include "platform/work_folder.h"

namespace ivarscan {
namespace {

// $HOME, else the home folder of the account.
std::string HomeFolder() {
  std::string home = Env::Default()->EnvironmentVariable("HOME");
  if (home.empty()) {
    if (const passwd* account = ::getpwuid(::getuid())) home = account->pw_dir;
  }
  return home;
}

// Creates `folder` and its missing parents, each readable and writable by the user alone, as
// the XDG rules ask of the state folder. True when the folder is there afterwards.
bool CreateFolders(const std::string& folder) {
  for (std::size_t end = folder.find('/', 1); end != std::string::npos;
       end = folder.find('/', end + 1)) {
    const std::string prefix = folder.substr(0, end);
    if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  struct stat status;
  return ::stat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

std::string DefaultWorkFolder() {
  const std::string folder =
      PosixStateFolder(Env::Default()->EnvironmentVariable("XDG_STATE_HOME"), HomeFolder());
  if (!folder.empty() && CreateFolders(folder)) return folder;
  return ProgramFolder();
}

}  // namespace ivarscan
