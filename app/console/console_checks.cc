#include "app/console/console_checks.h"

#include "app/report_file.h"
#include "platform/cp1252.h"
#include "platform/error_codes.h"
#include "platform/text.h"
#include "store/project_folder.h"

namespace ivarscan {
namespace {

const char* OperationVerb(std::uint32_t general_code) {
  switch (general_code) {
    case gencode::kCreate:
      return "create";
    case gencode::kClose:
      return "close";
    default:
      return "write";
  }
}

}  // namespace

std::string RepositoryFolderProblem(Env& env, const std::string& folder,
                                    const std::string& source) {
  std::vector<DirectoryEntry> entries;
  const std::error_code error = env.ListDirectory(folder, &entries);
  if (!error) return "";
  return "cannot open the repository " + AbsolutePath(folder) + " (from " + source +
         "): " + error.message();
}

std::string WhyNotAProject(Env& env, const std::string& folder, const std::string& name) {
  const std::string path = JoinPath(folder, name);
  std::vector<DirectoryEntry> entries;
  if (std::error_code error = env.ListDirectory(path, &entries)) {
    return env.FileExists(path) ? "the folder " + path + " cannot be read: " + error.message() : "";
  }
  if (env.FileExists(JoinPath(path, kProjectSettingsFile))) return "";
  return "the folder " + path + " has no " + std::string(kProjectSettingsFile);
}

std::string FileFailureLine(const FileFailure& failure) {
  return std::string("cannot ") + OperationVerb(failure.general_code) + " " +
         AbsolutePath(failure.file_name) + ": " + failure.error.message();
}

std::vector<std::string> BaselineWarnings(const Baseline& baseline, const std::string& path,
                                          const std::string& project) {
  std::vector<std::string> warnings;
  if (baseline.cancelled()) {
    warnings.push_back("warning: the baseline " + path +
                       " is the output of a cancelled run: findings of the applications that "
                       "run did not reach are not in it");
  }
  // The baseline names the project as JSON does: its folder name in UTF-8.
  const std::string wanted = SystemTextToUtf8(project);
  if (!baseline.project().empty() && !EqualsIgnoringCase(baseline.project(), wanted)) {
    warnings.push_back("warning: the baseline " + path + " is of project " + baseline.project() +
                       ", not " + wanted);
  }
  return warnings;
}

}  // namespace ivarscan
