#include "app/console/console_main.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/baseline.h"
#include "app/console/console_checks.h"
#include "app/console/console_error_box.h"
#include "app/console/console_options.h"
#include "app/console/console_summary.h"
#include "app/console/console_ui.h"
#include "app/report_file.h"
#include "app/startup.h"
#include "errors/error_log.h"
#include "errors/raise.h"
#include "errors/startup.h"
#include "platform/console.h"
#include "platform/desktop.h"
#include "platform/error_box.h"
#include "platform/parallel.h"
#include "platform/version.h"
#include "store/folder_repository.h"
#include "store/locate_repository.h"
#include "store/skipped_file.h"

namespace ivarscan {
namespace {

// The system's desktop, except that no viewer is started with --no-open; whether one was
// is kept, so that the report's path can be printed when none was.
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
    opened_ = !no_open_ && desktop_.OpenInViewer(command_line, file_name);
    return opened_;
  }
  bool opened() const { return opened_; }

 private:
  Desktop& desktop_;
  const bool no_open_;
  bool opened_ = false;
};

// Prints, on standard error, what the repository folder layer skipped since the last call.
class WarningPrinter {
 public:
  explicit WarningPrinter(const FolderRepository& repo) : fresh_(repo.skipped()) {}
  void operator()() {
    for (const SkippedFile& skipped : fresh_.Take()) {
      std::cerr << "ivarscan: warning: " << skipped.path << ": " << skipped.reason << std::endl;
    }
  }

 private:
  NewSkippedFiles fresh_;
};

// The warnings of `repo` so far, each with its absolute path.
std::vector<RunWarning> RunWarnings(const FolderRepository& repo) {
  std::vector<RunWarning> warnings;
  for (const SkippedFile& skipped : repo.skipped()) {
    warnings.push_back({AbsolutePath(skipped.path), skipped.reason});
  }
  return warnings;
}

// The name the program was started by, without folder and, on Windows, without ".com" or
// ".exe", so that messages read alike on every system.
std::string ProgramName(char** argv) {
  std::string name = argv[0] ? argv[0] : "ivarscan";
  name.erase(0, name.find_last_of("/\\") + 1);
  for (const char* suffix : {".com", ".exe", ".COM", ".EXE"}) {
    if (name.ends_with(suffix)) name.resize(name.size() - 4);
  }
  return name.empty() ? "ivarscan" : name;
}

// Reads the baseline file; false with the reason in `error` when it cannot be read or is
// not the JSON output of a run.
bool ReadBaseline(Env& env, const std::string& path, std::optional<Baseline>* baseline,
                  std::string* error) {
  std::string text;
  if (std::error_code read_error = env.ReadFile(path, &text)) {
    *error = "cannot read the baseline " + path + ": " + read_error.message();
    return false;
  }
  std::string why;
  *baseline = Baseline::Parse(text, &why);
  if (!*baseline) *error = "cannot use the baseline " + path + ": " + why;
  return baseline->has_value();
}

// The file-failure handler of the console: the failure in one line, then the error
// handler's box.
FileFailureAnswer SayAndRaiseFileFailure(const FileFailure& failure) {
  std::cerr << "ivarscan: " << FileFailureLine(failure) << std::endl;
  return RaiseReportFileFailure(failure);
}

// The file the run writes, as an absolute path; empty for standard output.
std::string OutputPath(const ConsoleOptions& options, const Variant& variant) {
  if (options.OutputIsStandardOutput()) return "";
  return AbsolutePath(options.output.empty() ? variant.report_file_name : options.output);
}

// Says how the run ended: where the report is when no viewer shows it and what it holds,
// or that it is incomplete. Quiet runs say only the latter.
void SayHowTheRunEnded(const ConsoleOptions& options, const Variant& variant,
                       const AppContext& context, ReportOutcome outcome, bool viewer_opened,
                       std::ostream& out) {
  const std::string output = OutputPath(options, variant);
  if (outcome == ReportOutcome::kCancelled) {
    std::cerr << "ivarscan: " << CancelledRunNotice(output) << std::endl;
  }
  if (outcome != ReportOutcome::kComplete || options.quiet) return;
  if (!output.empty() && !viewer_opened) out << "The report is in " << output << "\n";
  const std::optional<std::size_t> left_out =
      options.baseline.empty() ? std::nullopt : std::optional(context.left_out_findings);
  out << "ivarscan: "
      << RunSummary(context.processed_applications, context.reported_findings, left_out)
      << std::endl;
}

// The terminal toolkit's settings for `options`; messages name the repository `folder`
// (absolute) and the `baseline`, when there is one.
ConsoleSettings SettingsFor(const ConsoleOptions& options, Env& env, const std::string& folder,
                            const Baseline* baseline) {
  ConsoleSettings settings;
  settings.assume_yes = options.assume_yes;
  settings.project = options.project;
  settings.input_is_terminal = IsTerminal(0);
  settings.error_is_terminal = IsTerminal(2);
  settings.quiet = options.quiet;
  settings.repository = folder;
  settings.why_not_listed = [&env, folder](const std::string& name) {
    return WhyNotAProject(env, folder, name);
  };
  settings.project_chosen = [baseline, path = options.baseline](const std::string& project) {
    if (!baseline) return;
    for (const std::string& warning : BaselineWarnings(*baseline, path, project))
      std::cerr << "ivarscan: " << warning << std::endl;
  };
  return settings;
}

// Runs the application shell with the repository folder, the terminal toolkit and the
// system's desktop.
int RunProgram(const ConsoleOptions& options, const Variant& variant, const std::string& program,
               const Baseline* baseline) {
  Env& env = *Env::Default();
  const std::string folder = LocateRepository(env, options.repository);
  const std::string problem =
      RepositoryFolderProblem(env, folder, RepositorySource(env, options.repository));
  if (!problem.empty()) {
    std::cerr << "ivarscan: " << problem << std::endl;
    return kExitNoReport;
  }
  const std::string absolute_folder = AbsolutePath(folder);
  const unsigned threads = options.threads != 0 ? options.threads : DefaultThreadCount();
  FolderRepository repo(&env, folder, threads);
  WarningPrinter print_warnings(repo);
  const ConsoleSettings settings = SettingsFor(options, env, absolute_folder, baseline);
  // Output on standard output has it to itself: the dialogue goes to standard error.
  std::ostream& dialogue = options.OutputIsStandardOutput() ? std::cerr : std::cout;
  ConsoleUi ui(settings, std::cin, dialogue, std::cerr, print_warnings);
  std::unique_ptr<Desktop> system_desktop = NewSystemDesktop(env);
  ConsoleDesktop desktop(*system_desktop, options.no_open);
  AppContext context{repo, ui, desktop, env, variant, SayAndRaiseFileFailure};
  context.threads = threads;
  context.settings = {options.format,
                      options.output,
                      &std::cout,
                      baseline,
                      {program,
                       kProgramVersion,
                       "",
                       absolute_folder,
                       AbsolutePath(options.source_root.empty() ? "." : options.source_root),
                       {}},
                      [&repo] { return RunWarnings(repo); }};
  const ReportOutcome outcome = App(context).Start();
  SayHowTheRunEnded(options, variant, context, outcome, desktop.opened(), dialogue);
  if (outcome != ReportOutcome::kComplete) return kExitNoReport;
  return options.fail_on_findings && context.reported_findings > 0 ? kExitFindings
                                                                   : kExitReportWritten;
}

}  // namespace

int RunConsole(int argc, char** argv, const Variant& variant) {
  std::string error;
  UseBinaryStandardOutput();
  std::optional<ConsoleOptions> options =
      ParseConsoleOptions(CommandLineArguments(argc, argv), &error);
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
    std::cout << program << " " << kProgramVersion << " (report " << variant.report_file_name << ")"
              << std::endl;
    return kExitReportWritten;
  }

  std::optional<Baseline> baseline;
  if (!options->baseline.empty() &&
      !ReadBaseline(*Env::Default(), options->baseline, &baseline, &error)) {
    std::cerr << program << ": " << error << std::endl;
    return kExitBadCommandLine;
  }

  ConsoleErrorBox error_box(std::cin, std::cerr, IsTerminal(0));
  SetErrorBox(&error_box);
  StartErrorHandling(variant);
  SetErrorLogNotice(
      [](const std::string& log_path) { std::cerr << ErrorLoggedText(log_path) << std::endl; });
  return RunReportingExceptions("START", [&] {
    return RunProgram(*options, variant, program, baseline ? &*baseline : nullptr);
  });
}

}  // namespace ivarscan
