// The console edition's command line.
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
  ReportFormat format = ReportFormat::kText;  // --format text|json|sarif
  std::string output;                         // --output FILE; empty: the usual place
  bool fail_on_findings = false;              // --fail-on-findings
  std::string baseline;                       // --baseline FILE; empty: none
  unsigned threads = 0;                       // --threads N; 0: one per processor core
  bool help = false;                          // --help
  bool version = false;                       // --version
};

// Parses the arguments after the program name. Accepts "--option VALUE" and
// "--option=VALUE". Returns nullopt and sets `error` on a bad command line.
std::optional<ConsoleOptions> ParseConsoleOptions(const std::vector<std::string>& arguments,
                                                  std::string* error);

// The text of --help for the program `program_name` writing `report_file_name`.
std::string ConsoleUsage(const std::string& program_name, const std::string& report_file_name);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_CONSOLE_CONSOLE_OPTIONS_H_
