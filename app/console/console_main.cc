#include "app/console/console_main.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/console/console_error_box.h"
#include "app/console/console_options.h"
#include "app/console/console_ui.h"
#include "app/report_file.h"
#include "app/startup.h"
#include "errors/raise.h"
#include "errors/startup.h"
#include "platform/error_box.h"
#include "platform/posix_desktop.h"
#include "store/folder_repository.h"
#include "store/locate_repository.h"

namespace ivarscan {
namespace {

// The POSIX desktop, except that the report's path is printed whenever no viewer opens it.
class ConsoleDesktop final : public Desktop {
 public:
  ConsoleDesktop(Desktop& desktop, bool no_open) : desktop_(desktop), no_open_(no_open) {}

  bool FindTopLevelWindow(const std::string& class_name) override {
    return desktop_.FindTopLevelWindow(class_name);
  }
  void SendCloseMessage(const std::string& class_name) override {
    desktop_.SendCloseMessage(class_name);
  }
  bool OpenInViewer(const std::string& command_line, const std::string& file_name) override {
    if (!no_open_ && desktop_.OpenInViewer(command_line, file_name)) return true;
    std::error_code ignored;
    std::cout << "The report is in " << std::filesystem::absolute(file_name, ignored).string()
              << std::endl;
    return false;
  }

 private:
  Desktop& desktop_;
  const bool no_open_;
};

// Prints, on standard error, what the repository folder layer skipped since the last call.
class WarningPrinter {
 public:
  explicit WarningPrinter(const FolderRepository& repo) : repo_(repo) {}
  void operator()() {
    const std::vector<SkippedFile>& skipped = repo_.skipped();
    for (; printed_ < skipped.size(); ++printed_) {
      std::cerr << "ivarscan: warning: " << skipped[printed_].path << ": "
                << skipped[printed_].reason << std::endl;
    }
  }

 private:
  const FolderRepository& repo_;
  std::size_t printed_ = 0;
};

std::string ProgramName(char** argv) {
  return argv[0] ? std::filesystem::path(argv[0]).filename().string() : "ivarscan";
}

// Runs the application shell with the repository folder, the terminal toolkit and the
// POSIX desktop.
int RunProgram(const ConsoleOptions& options, const Variant& variant) {
  Env& env = *Env::Default();
  FolderRepository repo(&env, LocateRepository(env, options.repository));
  WarningPrinter print_warnings(repo);
  ConsoleSettings settings{options.assume_yes, options.project, ::isatty(0) == 1,
                           ::isatty(2) == 1};
  ConsoleUi ui(settings, std::cin, std::cout, std::cerr, print_warnings);
  PosixDesktop posix_desktop(env);
  ConsoleDesktop desktop(posix_desktop, options.no_open);
  AppContext context{repo, ui, desktop, env, variant, RaiseReportFileFailure};
  const ReportOutcome outcome = App(context).Start();
  return outcome == ReportOutcome::kComplete ? kExitReportWritten : kExitNoReport;
}

}  // namespace

int RunConsole(int argc, char** argv, const Variant& variant) {
  std::string error;
  std::optional<ConsoleOptions> options =
      ParseConsoleOptions(std::vector<std::string>(argv + 1, argv + argc), &error);
  const std::string program = ProgramName(argv);
  if (!options) {
    std::cerr << program << ": " << error << "\nTry '" << program << " --help'." << std::endl;
    return kExitBadCommandLine;
  }
  if (options->help) {
    std::cout << ConsoleUsage(program, variant.report_file_name);
    return kExitReportWritten;
  }
  if (options->version) {
    std::cout << program << " " << IVARSCAN_VERSION << " (report " << variant.report_file_name
              << ")" << std::endl;
    return kExitReportWritten;
  }

  ConsoleErrorBox error_box(std::cin, std::cerr, ::isatty(0) == 1);
  SetErrorBox(&error_box);
  StartErrorHandling(variant);
  return RunReportingExceptions("START", [&] { return RunProgram(*options, variant); });
}

}  // namespace ivarscan
