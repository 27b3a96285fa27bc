// The line format of a run, for editors and terminals: one line per finding in the form
// compilers write, FILE:LINE: LEVEL: MESSAGE [RULE], followed, for a finding that involves
// another declaration, by FILE:LINE: note: MESSAGE at that declaration. An editor's "next
// error" and a terminal's links follow such lines.
#ifndef IVARSCAN_APP_LINE_REPORT_H_
#define IVARSCAN_APP_LINE_REPORT_H_

#include <string>

#include "app/json_report.h"
#include "app/run_findings.h"

namespace ivarscan {

// The findings as lines, UTF-8, each ending in a line feed. Files are named relative to
// `base` (the current folder, absolute) when they lie under it, else absolutely. A line of
// an export file's module is not a line of the export file: such a finding names the file
// without a line, and the module and its line in the message. A finding whose place is
// unknown starts with the program's name instead of a file.
std::string LineReport(const RunFindings& findings, const RunDescription& run,
                       const std::string& base);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_LINE_REPORT_H_
