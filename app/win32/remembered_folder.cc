#include "app/win32/windows_headers.h"

#include "app/win32/remembered_folder.h"

#include <sstream>

#include "platform/win32_text.h"

namespace ivarscan {
namespace {

constexpr char kSection[] = "[Repository]";
constexpr char kFolderKey[] = "Folder=";

std::string ParentFolder(const std::string& file) {
  const std::size_t separator = file.find_last_of("\\/");
  return separator == std::string::npos ? "" : file.substr(0, separator);
}

// Creates `folder` and every missing folder above it (those that exist fail harmlessly).
void CreateFolders(const std::string& folder) {
  for (std::size_t end = folder.find_first_of("\\/", 3);;
       end = folder.find_first_of("\\/", end + 1)) {
    ::CreateDirectoryW(ToWide(folder.substr(0, end)).c_str(), nullptr);
    if (end == std::string::npos) return;
  }
}

}  // namespace

std::string RememberedFolderFile(const std::string& app_data) {
  return app_data.empty() ? "" : JoinPath(JoinPath(app_data, "ivarscan"), "ivarscan.ini");
}

std::string ReadRememberedFolder(Env& env, const std::string& file) {
  std::string text;
  if (file.empty() || env.ReadFile(file, &text)) return "";
  std::istringstream lines(text);
  bool in_section = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with('[')) in_section = line == kSection;
    if (in_section && line.starts_with(kFolderKey)) return line.substr(sizeof kFolderKey - 1);
  }
  return "";
}

bool RememberFolder(Env& env, const std::string& file, const std::string& folder) {
  if (file.empty()) return false;
  const std::string parent = ParentFolder(file);
  if (!parent.empty() && !env.IsDirectory(parent)) CreateFolders(parent);
  const std::string text = std::string(kSection) + "\r\n" + kFolderKey + folder + "\r\n";
  return !env.WriteFileAtomically(file, text);
}

}  // namespace ivarscan
