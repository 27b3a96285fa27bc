// ReportSettings: what the report run writes and where. The desktop programs keep the
// defaults: the text report in the variant's file.
#ifndef IVARSCAN_APP_REPORT_SETTINGS_H_
#define IVARSCAN_APP_REPORT_SETTINGS_H_

#include <ostream>
#include <string>

#include "app/baseline.h"
#include "app/json_report.h"

namespace ivarscan {

enum class ReportFormat { kText, kJson, kSarif };

struct ReportSettings {
  ReportFormat format = ReportFormat::kText;
  // The file to write. Empty: the variant's report file for text, `standard_output` for
  // JSON and SARIF.
  std::string output;
  std::ostream* standard_output = nullptr;
  // Findings that are left out of the output and of the count; none when null.
  const Baseline* baseline = nullptr;
  // The program and the repository, as JSON and SARIF name them; the run adds the project.
  RunDescription run;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_REPORT_SETTINGS_H_
