// Start-up: the introduction, the check that the IDE is closed (closing it on request) and
// the hand-over to project selection.
#ifndef IVARSCAN_APP_STARTUP_H_
#define IVARSCAN_APP_STARTUP_H_

#include "app/app_context.h"
#include "app/report_run.h"

namespace ivarscan {

// One-second pauses granted to an IDE that was asked to close.
inline constexpr int kIdeClosePauses = 60;

// True when a top-level window of the IDE's main window class exists.
bool ISCAVORUNNING(Desktop& desktop);

// The application object. Start holds the whole sequence of a run.
class App {
 public:
  explicit App(AppContext& context) : context_(context) {}

  // Shows the introduction; makes sure the IDE is not running (offering to close it and
  // waiting up to a minute); then runs project selection. Returns how far the report got.
  ReportOutcome Start();

 private:
  AppContext& context_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_STARTUP_H_
