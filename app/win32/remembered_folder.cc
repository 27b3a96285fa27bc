#include "app/win32/remembered_folder.h"

#include <filesystem>
#include <string_view>
#include <system_error>

#include "platform/win32_text.h"
#include "store/previous_project.h"
#include "store/settings_file.h"

namespace ivarscan {
namespace {

constexpr std::string_view kFolderKey = "Folder";

}  // namespace

std::string RememberedFolderFile(const std::string& app_data) {
  return app_data.empty() ? "" : JoinPath(JoinPath(app_data, "ivarscan"), "ivarscan.ini");
}

std::string ReadRememberedFolder(Env& env, const std::string& file) {
  std::string text;
  if (file.empty() || env.ReadFile(file, &text)) return "";
  return std::string(SettingsFile::Parse(text).Get(kRepositorySection, kFolderKey));
}

bool RememberFolder(Env& env, const std::string& file, const std::string& folder) {
  if (file.empty()) return false;
  // A folder that cannot be made shows as the write's failure just below.
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(ToWide(file)).parent_path(), ignored);
  const std::string text = "[" + std::string(kRepositorySection) + "]\r\n" +
                           std::string(kFolderKey) + "=" + folder + "\r\n";
  return !env.WriteFileAtomically(file, text);
}

}  // namespace ivarscan
