#include "app/console/console_options.h"

#include <string>

namespace ivarscan {
namespace {

// Takes the value of an option given as "--name=VALUE" or as "--name VALUE".
bool TakeValue(const std::vector<std::string>& arguments, std::size_t* i, const std::string& name,
               std::string* value, std::string* error) {
  const std::string& argument = arguments[*i];
  if (argument.size() > name.size() && argument[name.size()] == '=') {
    *value = argument.substr(name.size() + 1);
  } else if (*i + 1 < arguments.size()) {
    *value = arguments[++*i];
  } else {
    *error = name + " needs a value";
    return false;
  }
  if (value->empty()) {
    *error = name + " needs a value";
    return false;
  }
  return true;
}

// The most threads --threads accepts: far more than any machine gives a run work for.
constexpr unsigned long kMostThreads = 1024;

// Reads the value of --threads: a whole number from 1 to kMostThreads.
bool ParseThreadCount(const std::string& value, unsigned* threads, std::string* error) {
  const bool digits = value.find_first_not_of("0123456789") == std::string::npos;
  const unsigned long count = digits && value.size() <= 4 ? std::stoul(value) : 0;
  if (count < 1 || count > kMostThreads) {
    *error = "--threads needs a whole number from 1 to " + std::to_string(kMostThreads);
    return false;
  }
  *threads = static_cast<unsigned>(count);
  return true;
}

bool Names(const std::string& argument, const std::string& name) {
  return argument == name || argument.rfind(name + "=", 0) == 0;
}

bool ParseFormat(const std::string& name, ReportFormat* format, std::string* error) {
  if (name == "text") {
    *format = ReportFormat::kText;
  } else if (name == "json") {
    *format = ReportFormat::kJson;
  } else if (name == "sarif") {
    *format = ReportFormat::kSarif;
  } else {
    *error = "--format must be text, json or sarif, not " + name;
    return false;
  }
  return true;
}

}  // namespace

std::optional<ConsoleOptions> ParseConsoleOptions(const std::vector<std::string>& arguments,
                                                  std::string* error) {
  ConsoleOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (Names(argument, "--repository")) {
      if (!TakeValue(arguments, &i, "--repository", &options.repository, error)) return {};
    } else if (Names(argument, "--project")) {
      std::string project;
      if (!TakeValue(arguments, &i, "--project", &project, error)) return {};
      options.project = project;
    } else if (Names(argument, "--format")) {
      std::string format;
      if (!TakeValue(arguments, &i, "--format", &format, error) ||
          !ParseFormat(format, &options.format, error)) {
        return {};
      }
    } else if (Names(argument, "--output")) {
      if (!TakeValue(arguments, &i, "--output", &options.output, error)) return {};
    } else if (Names(argument, "--baseline")) {
      if (!TakeValue(arguments, &i, "--baseline", &options.baseline, error)) return {};
    } else if (argument == "--fail-on-findings") {
      options.fail_on_findings = true;
    } else if (Names(argument, "--threads")) {
      std::string threads;
      if (!TakeValue(arguments, &i, "--threads", &threads, error) ||
          !ParseThreadCount(threads, &options.threads, error)) {
        return {};
      }
    } else if (argument == "--yes") {
      options.assume_yes = true;
    } else if (argument == "--no-open") {
      options.no_open = true;
    } else if (argument == "--help" || argument == "-h") {
      options.help = true;
    } else if (argument == "--version") {
      options.version = true;
    } else {
      *error = "unknown argument: " + argument;
      return {};
    }
  }
  return options;
}

std::string ConsoleUsage(const std::string& program_name, const std::string& report_file_name) {
  return "Usage: " + program_name +
         " [--repository DIR] [--project NAME] [--yes] [--no-open]\n"
         "       [--format text|json|sarif] [--output FILE] [--fail-on-findings]\n"
         "       [--baseline FILE] [--threads N] [--help] [--version]\n"
         "\n"
         "Reports every instance variable that a class declares more than once along its\n"
         "class hierarchy, for every application of one project, in " +
         report_file_name +
         " in the current directory.\n"
         "\n"
         "  --repository DIR    the repository folder (default: $IVARSCAN_REPOSITORY, else\n"
         "                      ./repository)\n"
         "  --project NAME      report on this project; the project list is not shown\n"
         "  --yes               answer Yes to the introduction and to closing the IDE\n"
         "  --no-open           do not open the report in a viewer; print its path\n"
         "  --format FORMAT     text (the default): the report for people, opened in a\n"
         "                      viewer; json: the findings with their files and lines\n"
         "                      (docs/findings.schema.json); sarif: SARIF 2.1.0 for\n"
         "                      code-scanning tools. JSON and SARIF open no viewer.\n"
         "  --output FILE       write to FILE instead of " +
         report_file_name +
         " (text) or standard\n"
         "                      output (json, sarif)\n"
         "  --fail-on-findings  exit with status 3 when a complete run reports findings\n"
         "  --baseline FILE     leave out the findings that FILE, the JSON output of an\n"
         "                      earlier run, holds (matched by application, class,\n"
         "                      variable and kind, not by line); they do not count for\n"
         "                      --fail-on-findings\n"
         "  --threads N         read and analyse with N threads (default: one per\n"
         "                      processor core); the report is the same for any N\n"
         "  --help              show this text\n"
         "  --version           show the version\n"
         "\n"
         "Without options it asks what the desktop program asks. When standard input is\n"
         "not a terminal, a question that needs an answer counts as No or Cancel.\n"
         "\n"
         "Exit status: 0 a complete report was written; 1 no report, or only a cancelled\n"
         "one, was written (declined, repository not available, project not selectable,\n"
         "cancelled, report file not writable); 2 bad command line, or a baseline that\n"
         "cannot be read; 3 with --fail-on-findings, a complete report with findings.\n";
}

}  // namespace ivarscan
