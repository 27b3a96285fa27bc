#include "app/win32/remembered_folder.h"

#include <filesystem>
#include <sstream>
#include <system_error>

#include "platform/win32_text.h"

namespace ivarscan {
namespace {

constexpr char kSection[] = "[Repository]";
constexpr char kFolderKey[] = "Folder=";

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
  // A folder that cannot be made shows as the write's failure just below.
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(ToWide(file)).parent_path(), ignored);
  const std::string text = std::string(kSection) + "\r\n" + kFolderKey + folder + "\r\n";
  return !env.WriteFileAtomically(file, text);
}

}  // namespace ivarscan
