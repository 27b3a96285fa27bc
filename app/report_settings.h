// ReportSettings: what the report run writes and where. The desktop programs keep the
// defaults: the text report in the variant's file.
#ifndef IVARSCAN_APP_REPORT_SETTINGS_H_
#define IVARSCAN_APP_REPORT_SETTINGS_H_

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/baseline.h"
#include "app/json_report.h"

namespace ivarscan {

// The output file name that stands for standard output.
inline constexpr char kStandardOutputName[] = "-";

enum class ReportFormat {
  kText,   // the report for people
  kJson,   // the findings as data (docs/findings.schema.json)
  kSarif,  // SARIF 2.1.0 for code-scanning tools
  kGnu,    // one line per finding, FILE:LINE: error: MESSAGE [RULE], for editors
};

struct ReportSettings {
  ReportFormat format = ReportFormat::kText;
  // The file to write. Empty: the variant's report file for text, `standard_output` for
  // JSON and SARIF. kStandardOutputName: `standard_output` for every format.
  std::string output;
  std::ostream* standard_output = nullptr;
  // Findings that are left out of the output and of the count; none when null.
  const Baseline* baseline = nullptr;
  // The program and the repository, as JSON and SARIF name them; the run adds the project
  // and the warnings.
  RunDescription run;
  // The warnings of the run so far; none when empty.
  std::function<std::vector<RunWarning>()> warnings;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_REPORT_SETTINGS_H_
