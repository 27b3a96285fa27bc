#include <windows.h>

#include <string>

#include "platform/env.h"
#include "platform/win32_text.h"
#include "platform/work_folder.h"

namespace ivarscan {
namespace {

// Whether a file can be created in `folder`: a probe file that is gone again once closed.
bool CanCreateFileIn(const std::string& folder) {
  const std::string probe = folder + "ivarscan-" + std::to_string(::GetCurrentProcessId()) + ".tmp";
  const HANDLE handle =
      ::CreateFileW(ToWide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(handle);
  return true;
}

}  // namespace

std::string DefaultWorkFolder() {
  const std::string program_folder = ProgramFolder();
  const std::string folder = WindowsWorkFolder(program_folder, CanCreateFileIn(program_folder),
                                               Env::Default()->EnvironmentVariable("LOCALAPPDATA"));
  if (folder == program_folder) return folder;
  if (::CreateDirectoryW(ToWide(folder).c_str(), nullptr) ||
      ::GetLastError() == ERROR_ALREADY_EXISTS) {
    return folder;
  }
  return program_folder;
}

}  // namespace ivarscan
