// The JSON output of a run (its schema: docs/findings.schema.json). It is also what a
// baseline is read from.
#ifndef IVARSCAN_APP_JSON_REPORT_H_
#define IVARSCAN_APP_JSON_REPORT_H_

#include <optional>
#include <string>
#include <string_view>

#include "app/run_findings.h"

namespace ivarscan {

// What the JSON and SARIF outputs say about the run besides its findings. Texts are as the
// repository and the system hold them (code page 1252); the outputs convert them.
struct RunDescription {
  std::string program;     // the program's name
  std::string version;     // the program's version
  std::string project;     // the project reported on
  std::string repository;  // the repository folder, as an absolute path of the system
};

// The version of the JSON output's layout; a reader refuses any other.
inline constexpr int kJsonReportVersion = 1;

// The findings of a class: its problem, if any, and its variable findings.
std::size_t CountFindings(const ClassFinding& finding);

// The JSON output of a run: UTF-8, indented, ending in a line feed.
std::string JsonReport(const RunFindings& findings, const RunDescription& run);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_JSON_REPORT_H_
