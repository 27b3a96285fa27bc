// The SARIF 2.1.0 output of a run: one run whose tool has a rule per kind of finding, and
// one result per finding with where it stands.
#ifndef IVARSCAN_APP_SARIF_REPORT_H_
#define IVARSCAN_APP_SARIF_REPORT_H_

#include <string>

#include "app/json_report.h"
#include "app/run_findings.h"

namespace ivarscan {

// The SARIF log of a run: UTF-8, indented, ending in a line feed. Files are named relative
// to the base "%SRCROOT%", the run's source root, when the repository lies under it, else
// by absolute file URIs. A repeated name is located at its later declaration with the
// earlier one related; an inherited one at the class's declaration with the ancestor's
// related; a missing parent or a cycle at the class statement. Every result has a
// fingerprint made from its identity and its ordinal among the results of that identity
// (docs/code-scanning.md); the run's warnings are notifications of its invocation.
std::string SarifReport(const RunFindings& findings, const RunDescription& run);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_SARIF_REPORT_H_
