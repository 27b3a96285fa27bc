// The console edition's command line. One table describes every option: its names, its
// value, whether it may repeat, what it sets and its line in --help; the parser and the
// usage text are both made from it.
#ifndef IVARSCAN_APP_CONSOLE_CONSOLE_OPTIONS_H_
#define IVARSCAN_APP_CONSOLE_CONSOLE_OPTIONS_H_

#include <optional>
#include <string>
#include <vector>

#include "app/report_settings.h"

namespace ivarscan {

struct ConsoleOptions {
  std::string repository;                     // --repository DIR; empty: the usual places
  std::optional<std::string> project;         // --project NAME
  bool assume_yes = false;                    // --yes
  bool no_open = false;                       // --no-open
  bool quiet = false;                         // --quiet: errors and warnings only
  ReportFormat format = ReportFormat::kText;  // --format text|json|sarif|gnu
  std::string output;                         // --output FILE; empty: the usual place
  bool fail_on_findings = false;              // --fail-on-findings
  std::string baseline;                       // --baseline FILE; empty: none
  std::string source_root;                    // --source-root DIR; empty: the current one
  unsigned threads = 0;                       // --threads N; 0: one per processor core
  bool help = false;                          // --help
  bool version = false;                       // --version

  // Whether the output goes to standard output: JSON, SARIF and the line format without
  // --output, and every format with "--output -".
  bool OutputIsStandardOutput() const;
};

// Parses the arguments after the program name, as Unix tools do: "--option VALUE" and
// "--option=VALUE"; a value never starts with '-' unless given with '=' or it is "-" itself;
// "--" ends the options; an option that takes a value may not be given twice. Returns
// nullopt and sets `error` (one line, no program name) on a bad command line.
std::optional<ConsoleOptions> ParseConsoleOptions(const std::vector<std::string>& arguments,
                                                  std::string* error);

// The text of --help for the program `program_name` writing `report_file_name`; no line is
// longer than 80 columns.
std::string ConsoleUsage(const std::string& program_name, const std::string& report_file_name);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_CONSOLE_CONSOLE_OPTIONS_H_
