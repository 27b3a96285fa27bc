#include "app/report_run.h"

#include <memory>
#include <string>

#include "app/report_file.h"
#include "app/texts.h"
#include "engine/app_report.h"
#include "engine/text_report.h"
#include "platform/call_stack.h"
#include "repo/projects.h"

namespace ivarscan {
namespace {

// Runs every application through the dialog; true when the user cancelled.
bool ProcessApplications(AppContext& context, const std::vector<ApplicationRecord>& apps,
                         ReportFile& file, ProgressWindow& dialog) {
  for (const ApplicationRecord& app : apps) {
    if (dialog.LABORT()) break;
    REPORTAPPDUP(context.repo, app.handle, file, dialog);
  }
  return dialog.LABORT();
}

}  // namespace

ReportOutcome REPORTALL(AppContext& context) {
  IVARSCAN_ROUTINE("REPORTALL");
  const std::vector<ApplicationRecord> apps = GETAPPS(context.repo, false, true);
  const std::string file_name = context.variant.report_file_name;
  std::unique_ptr<ProgressWindow> dialog;
  bool cancelled = false;
  try {
    ReportFile file(context.env, file_name, context.on_file_failure);
    file.Write(TextReportHeader());
    dialog = context.ui.NewProgressWindow();
    dialog->SetCaption(texts::kProgressCaption + GETCURRENTPROJECT(context.repo));
    dialog->Show();
    cancelled = ProcessApplications(context, apps, file, *dialog);
    dialog->ENDDIALOG();
    dialog.reset();
    file.Close();
  } catch (const ReportAbandoned&) {
    if (dialog) dialog->ENDDIALOG();
    return ReportOutcome::kAbandoned;
  }
  context.desktop.OpenInViewer("notepad " + file_name, file_name);  // result not examined
  return cancelled ? ReportOutcome::kCancelled : ReportOutcome::kComplete;
}

}  // namespace ivarscan
