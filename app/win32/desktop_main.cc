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
#include "store/folder_repository.h"
#include "store/locate_repository.h"
#include "store/skipped_file.h"

namespace ivarscan {
namespace {

constexpr int kExitQuietly = 1;

// The reason why the folder argument cannot be used; empty when it names a folder.
std::string FolderArgumentProblem(Env& env, const std::string& folder) {
  if (env.IsDirectory(folder)) return "";
  if (env.FileExists(folder)) return "\"" + folder + "\" is a file, not a folder.";
  return "The folder \"" + folder + "\" does not exist.";
}

// The repository folder to open: the folder argument; else the first place that holds a
// repository (IVARSCAN_REPOSITORY, "repository", the folder chosen last time); else the
// folder the user chooses, which is then remembered. nullopt when the user cancelled the
// chooser.
std::optional<std::string> RepositoryFolder(Env& env, Ui& ui,
                                            const std::optional<std::string>& argument) {
  if (argument) return argument;
  const std::string settings_file = RememberedFolderFile(env.EnvironmentVariable("APPDATA"));
  if (std::optional<std::string> found =
          FindRepository(env, ReadRememberedFolder(env, settings_file))) {
    return found;
  }
  for (;;) {
    std::optional<std::string> chosen = ChooseFolder(kChooseRepositoryTitle);
    if (!chosen) return std::nullopt;
    if (HoldsRepository(env, *chosen)) {
      RememberFolder(env, settings_file, *chosen);
      return chosen;
    }
    ui.ShowMessageBox("",
                      "The folder \"" + *chosen +
                          "\" holds no repository.\n\nChoose the folder that holds a folder for "
                          "each project (with its project.ini), or the folder that holds the "
                          "exported .AEF files of one project.",
                      BoxStyle::kErrorOk);
  }
}

// Shows, in one box, what the repository folder layer skipped since the last call.
class WarningsBox {
 public:
  explicit WarningsBox(const FolderRepository& repo) : fresh_(repo.skipped()) {}
  void operator()() {
    std::vector<std::string> lines;
    for (const SkippedFile& skipped : fresh_.Take()) {
      lines.push_back(skipped.path + ": " + skipped.reason);
    }
    if (!lines.empty()) WarningsDialog(lines).Show();
  }

 private:
  NewSkippedFiles fresh_;
};

}  // namespace

int RunDesktop(const Variant& variant) {
  static Win32ErrorBox error_box;
  SetErrorBox(&error_box);
  StartErrorHandling(variant);

  Env& env = *Env::Default();
  const std::vector<std::string> arguments = CommandLineArguments(0, nullptr);
  const unsigned threads = DefaultThreadCount();
  FolderRepository repo(&env, "", threads);
  Win32Ui ui(WarningsBox{repo});
  std::optional<std::string> argument;
  if (!arguments.empty()) {
    if (const std::string problem = FolderArgumentProblem(env, arguments[0]); !problem.empty()) {
      ui.ShowMessageBox("", problem, BoxStyle::kErrorOk);
      return kExitQuietly;
    }
    argument = arguments[0];
  }
  Win32Desktop desktop;
  AppContext context{repo, ui, desktop, env, variant, RaiseReportFileFailure};
  context.threads = threads;
  bool chooser_cancelled = false;
  context.prepare_repository = [&] {
    const std::optional<std::string> folder = RepositoryFolder(env, ui, argument);
    chooser_cancelled = !folder;
    if (folder) repo.SetFolder(*folder);
    return folder.has_value();
  };
  return RunReportingExceptions("START", [&] {
    App(context).Start();
    return chooser_cancelled ? kExitQuietly : 0;
  });
}

}  // namespace ivarscan
