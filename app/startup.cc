#include "app/startup.h"

#include "app/project_selection.h"
#include "app/texts.h"
#include "platform/call_stack.h"

namespace ivarscan {

bool ISCAVORUNNING(Desktop& desktop) {
  IVARSCAN_ROUTINE("ISCAVORUNNING");
  return desktop.FindTopLevelWindow(texts::kIdeWindowClass);
}

ReportOutcome App::Start() {
  IVARSCAN_ROUTINE("START");
  Ui& ui = context_.ui;
  Desktop& desktop = context_.desktop;
  if (ui.ShowMessageBox(texts::kIntroductionCaption, texts::kIntroduction,
                        BoxStyle::kQuestionYesNo) != kIdYes) {
    return ReportOutcome::kNotRun;
  }
  if (ISCAVORUNNING(desktop)) {
    if (ui.ShowMessageBox(texts::kOfferCaption, texts::kOfferToClose, BoxStyle::kQuestionYesNo) !=
        kIdYes) {
      return ReportOutcome::kNotRun;
    }
    desktop.SendCloseMessage(texts::kIdeWindowClass);
    for (int pauses = 0; pauses < kIdeClosePauses && ISCAVORUNNING(desktop); ++pauses) {
      context_.env.SleepForMilliseconds(1000);
    }
  }
  if (ISCAVORUNNING(desktop)) {
    ui.ShowMessageBox("", texts::kStillRunning, BoxStyle::kErrorOk);
    return ReportOutcome::kNotRun;
  }
  return RUNREPORT(context_);
}

}  // namespace ivarscan
