// Project selection: opens the repository, lets the user choose a project, runs the report
// for it and puts the previously current project back.
#ifndef IVARSCAN_APP_PROJECT_SELECTION_H_
#define IVARSCAN_APP_PROJECT_SELECTION_H_

#include "app/app_context.h"
#include "app/report_run.h"

namespace ivarscan {

// Attempts to open the repository, one second apart.
inline constexpr int kRepositoryAttempts = 20;

// Opens the repository (up to 20 attempts), shows the project dialog with the current
// project selected, makes the chosen project current, runs REPORTALL and shows the closing
// note; then makes the remembered project current again and closes the repository. Tells
// the user when the repository cannot be opened or the project cannot be selected.
ReportOutcome RUNREPORT(AppContext& context);

}  // namespace ivarscan

#endif  // IVARSCAN_APP_PROJECT_SELECTION_H_
