// The report run: one complete report for the project that is current in the repository.
#ifndef IVARSCAN_APP_REPORT_RUN_H_
#define IVARSCAN_APP_REPORT_RUN_H_

#include "app/app_context.h"

namespace ivarscan {

enum class ReportOutcome {
  kNotRun,     // no run began (declined, repository unavailable, project not selectable)
  kComplete,   // every application was processed and the file was written
  kCancelled,  // the user cancelled; the file holds the blocks up to the cancel
  kAbandoned,  // the file could not be created, written or closed and the run gave up
};

// Writes the report file (the variant's name, in the current directory): the header, then
// REPORTAPPDUP's block for every application of the current project that is not a system
// library, in name order, while the progress dialog shows how far it has come. Then closes
// the dialog and the file and opens the file in the viewer. An abandoned run starts no
// viewer. Requires the repository to be open with the chosen project current.
ReportOutcome REPORTALL(AppContext& context);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_REPORT_RUN_H_
