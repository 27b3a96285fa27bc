#include "app/win32/windows_headers.h"

#include "app/win32/desktop_main.h"

#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/report_file.h"
#include "app/startup.h"
#include "app/win32/folder_chooser.h"
#include "app/win32/remembered_folder.h"
#include "app/win32/warnings_dialog.h"
#include "app/win32/win32_error_box.h"
#include "app/win32/win32_ui.h"
#include "errors/raise.h"
#include "errors/startup.h"
#include "platform/console.h"
#include "platform/parallel.h"
#include "platform/win32_desktop.h"
#include "platform/win32_text.h"
#include "store/folder_repository.h"
#include "store/locate_repository.h"

namespace ivarscan {
namespace {

constexpr int kExitQuietly = 1;

void ShowError(const std::string& text) {
  ::MessageBoxW(nullptr, ToWide(text).c_str(), nullptr, MB_OK | MB_ICONSTOP);
}

// The reason why the folder argument cannot be used; empty when it names a folder.
std::string FolderArgumentProblem(Env& env, const std::string& folder) {
  if (env.IsDirectory(folder)) return "";
  if (env.FileExists(folder)) return "\"" + folder + "\" is a file, not a folder.";
  return "The folder \"" + folder + "\" does not exist.";
}

// Names the repository folder where the repository is opened: the folder argument; else
// the first place that holds a repository (IVARSCAN_REPOSITORY, "repository", the folder
// chosen last time); else the folder the user chooses, which is then remembered.
class RepositoryFolderChoice {
 public:
  RepositoryFolderChoice(Env& env, FolderRepository& repo, std::optional<std::string> argument)
      : env_(env),
        repo_(repo),
        argument_(std::move(argument)),
        settings_file_(RememberedFolderFile(env.EnvironmentVariable("APPDATA"))) {}

  // False when the user cancelled the chooser.
  bool operator()() {
    std::optional<std::string> folder = argument_;
    if (!folder) folder = FindRepository(env_, ReadRememberedFolder(env_, settings_file_));
    if (!folder) folder = AskUser();
    if (!folder) return false;
    repo_.SetFolder(*folder);
    return true;
  }

 private:
  std::optional<std::string> AskUser() {
    for (;;) {
      std::optional<std::string> chosen = ChooseFolder(kChooseRepositoryTitle);
      if (!chosen || HoldsRepository(env_, *chosen)) {
        if (chosen) RememberFolder(env_, settings_file_, *chosen);
        return chosen;
      }
      ShowError("The folder \"" + *chosen +
                "\" holds no repository.\n\nChoose the folder that holds a folder for each "
                "project (with its project.ini), or the folder that holds the exported .AEF "
                "files of one project.");
    }
  }

  Env& env_;
  FolderRepository& repo_;
  const std::optional<std::string> argument_;
  const std::string settings_file_;
};

// Shows, in one box, what the repository folder layer skipped since the last call.
class WarningsBox {
 public:
  explicit WarningsBox(const FolderRepository& repo) : repo_(repo) {}
  void operator()() {
    const std::vector<SkippedFile>& skipped = repo_.skipped();
    if (shown_ >= skipped.size()) return;
    std::vector<std::string> lines;
    for (; shown_ < skipped.size(); ++shown_) {
      lines.push_back(skipped[shown_].path + ": " + skipped[shown_].reason);
    }
    WarningsDialog(lines).Show();
  }

 private:
  const FolderRepository& repo_;
  std::size_t shown_ = 0;
};

}  // namespace

int RunDesktop(const Variant& variant) {
  static Win32ErrorBox error_box;
  SetErrorBox(&error_box);
  StartErrorHandling(variant);

  Env& env = *Env::Default();
  const std::vector<std::string> arguments = CommandLineArguments(0, nullptr);
  std::optional<std::string> argument;
  if (!arguments.empty()) {
    if (const std::string problem = FolderArgumentProblem(env, arguments[0]); !problem.empty()) {
      ShowError(problem);
      return kExitQuietly;
    }
    argument = arguments[0];
  }
  const unsigned threads = DefaultThreadCount();
  FolderRepository repo(&env, "", threads);
  RepositoryFolderChoice choose_folder(env, repo, argument);
  bool chooser_cancelled = false;
  Win32Ui ui(WarningsBox{repo});
  Win32Desktop desktop;
  AppContext context{repo, ui, desktop, env, variant, RaiseReportFileFailure};
  context.threads = threads;
  context.prepare_repository = [&] { return !(chooser_cancelled = !choose_folder()); };
  return RunReportingExceptions("START", [&] {
    App(context).Start();
    return chooser_cancelled ? kExitQuietly : 0;
  });
}

}  // namespace ivarscan
