// The JSON output of a run (its schema: docs/findings.schema.json). It is also what a
// baseline is read from.
#ifndef IVARSCAN_APP_JSON_REPORT_H_
#define IVARSCAN_APP_JSON_REPORT_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/run_findings.h"

namespace ivarscan {

// A warning of the run: a file or folder the repository left out or read otherwise than it
// stands. `path` is absolute, in the file system's encoding; `reason` may hold names of the
// repository (code page 1252).
struct RunWarning {
  std::string path;
  std::string reason;
};

// What the JSON and SARIF outputs say about the run besides its findings. Texts are as the
// repository and the system hold them (code page 1252); the outputs convert them.
struct RunDescription {
  std::string program;     // the program's name
  std::string version;     // the program's version
  std::string project;     // the project reported on
  std::string repository;  // the repository folder, as an absolute path of the system
  // The folder that files are named relative to when the repository lies under it, as an
  // absolute path of the system (app/artifact_paths.h).
  std::string source_root;
  // What the repository left out or read otherwise than it stands.
  std::vector<RunWarning> warnings;
};

// The version of the JSON output's layout. Version 2 names files relative to the source
// root and locates findings in export files by module and line of the module's text;
// baselines of version 1 are still read.
inline constexpr int kJsonReportVersion = 2;
inline constexpr int kOldestJsonReportVersion = 1;

// The findings of a class: its problem, if any, and its variable findings.
std::size_t CountFindings(const ClassFinding& finding);

// The JSON output of a run: UTF-8, indented, ending in a line feed.
std::string JsonReport(const RunFindings& findings, const RunDescription& run);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_JSON_REPORT_H_
