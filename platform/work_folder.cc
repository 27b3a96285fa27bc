#include "platform/work_folder.h"

#include "platform/env.h"

namespace ivarscan {
namespace {

// Joins `folder` and `name` with `separator`, and ends the result with it.
std::string SubFolder(std::string_view folder, std::string_view name, char separator) {
  std::string path(folder);
  if (path.back() != separator) path += separator;
  path.append(name);
  path += separator;
  return path;
}

}  // namespace

std::string PosixStateFolder(std::string_view xdg_state_home, std::string_view home) {
  if (xdg_state_home.starts_with('/')) return SubFolder(xdg_state_home, "ivarscan", '/');
  if (home.starts_with('/'))
    return SubFolder(SubFolder(home, ".local/state", '/'), "ivarscan", '/');
  return "";
}

std::string WindowsWorkFolder(std::string_view program_folder, bool program_folder_writable,
                              std::string_view local_app_data) {
  if (program_folder_writable || local_app_data.empty()) return std::string(program_folder);
  return SubFolder(local_app_data, "ivarscan", '\\');
}

std::string ProgramFolder() {
  const std::string program = ExecutablePath();
  const std::size_t end = program.rfind(kPathSeparator);
  return end == std::string::npos ? std::string() : program.substr(0, end + 1);
}

}  // namespace ivarscan
