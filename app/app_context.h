// AppContext: what the application shell works with. The entry point of each front end
// builds one and hands it to App::Start; tests build one from doubles.
#ifndef IVARSCAN_APP_APP_CONTEXT_H_
#define IVARSCAN_APP_APP_CONTEXT_H_

#include <functional>
#include <string>
#include <system_error>

#include "app/report_settings.h"
#include "app/ui.h"
#include "platform/desktop.h"
#include "platform/env.h"
#include "platform/variant.h"
#include "repo/repository_access.h"

namespace ivarscan {

// What the user (or the installed error handler) answers to a failing report-file
// operation: try it again, or abandon the run.
enum class FileFailureAnswer { kRetry, kAbandon };

// A report-file operation that failed.
struct FileFailure {
  std::uint32_t general_code;  // 20: create, 24: write, 22: close
  std::error_code error;
  const std::string& file_name;
  const char* operation;  // the failing operation's name
  std::uint32_t tries;    // attempts at this operation so far, the failed one included
  std::uint32_t handle;   // the file's handle; 0 when the file is not open
};

// Decides what happens when the report file cannot be created, written or closed.
using FileFailureHandler = std::function<FileFailureAnswer(const FileFailure& failure)>;

struct AppContext {
  RepositoryAccess& repo;
  Ui& ui;
  Desktop& desktop;
  Env& env;  // files and the clock the shell sleeps on
  const Variant& variant;
  FileFailureHandler on_file_failure;
  ReportSettings settings = {};
  // Set by the report run: the applications it processed, the findings it reported and
  // those it left out because the baseline holds them.
  std::size_t processed_applications = 0;
  std::size_t reported_findings = 0;
  std::size_t left_out_findings = 0;
  // Called just before the repository is opened; false ends the program quietly, without
  // opening it. The desktop program names the repository folder here, with the user's
  // help when it has to ask. Not set: the repository is opened as it is.
  std::function<bool()> prepare_repository = {};
  // How many threads may share the analysis of a run; 1 keeps it on the calling thread.
  // The report is the same for any number.
  unsigned threads = 1;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_APP_CONTEXT_H_
