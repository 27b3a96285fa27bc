#include "app/report_run.h"

#include <memory>
#include <optional>
#include <string>

#include "app/report_file.h"
#include "app/run_findings.h"
#include "app/sarif_report.h"
#include "app/texts.h"
#include "engine/app_report.h"
#include "engine/text_report.h"
#include "platform/call_stack.h"
#include "repo/projects.h"

namespace ivarscan {
namespace {

// Shows the progress dialog, captioned with the current project (which goes to `project`),
// and runs every application through it, handing the findings to `findings`; closes the
// dialog, also when a write abandons the run. True when the user cancelled. Each
// application's class list is collected once, for the first report that uses it: nothing
// changes the repository while the run holds it.
bool ProcessApplications(AppContext& context, const std::vector<ApplicationRecord>& apps,
                         FindingSink& findings, std::string* project) {
  std::unique_ptr<ProgressWindow> dialog = context.ui.NewProgressWindow();
  ClassListCache classes(context.repo, context.threads);
  try {
    *project = GETCURRENTPROJECT(context.repo);
    dialog->SetCaption(texts::kProgressCaption + *project);
    dialog->Show();
    for (const ApplicationRecord& app : apps) {
      if (dialog->LABORT()) break;
      REPORTAPPDUP(context.repo, app.handle, findings, *dialog, &classes);
    }
  } catch (const ReportAbandoned&) {
    dialog->ENDDIALOG();
    throw;
  }
  const bool cancelled = dialog->LABORT();
  dialog->ENDDIALOG();
  return cancelled;
}

// The text report, written as the findings come, then opened in the viewer.
ReportOutcome TextRun(AppContext& context, const std::vector<ApplicationRecord>& apps) {
  const ReportSettings& settings = context.settings;
  const std::string file_name =
      settings.output.empty() ? context.variant.report_file_name : settings.output;
  bool cancelled = false;
  try {
    ReportFile file(context.env, file_name, context.on_file_failure);
    file.Write(TextReportHeader());
    TextReport text(file);
    BaselineFilter findings(settings.baseline, text);
    std::string project;
    cancelled = ProcessApplications(context, apps, findings, &project);
    context.reported_findings = findings.reported();
    file.Close();
  } catch (const ReportAbandoned&) {
    return ReportOutcome::kAbandoned;
  }
  context.desktop.OpenInViewer("notepad " + file_name, file_name);  // result not examined
  return cancelled ? ReportOutcome::kCancelled : ReportOutcome::kComplete;
}

// JSON or SARIF, written once the run ends, to the output file or to standard output. The
// file is created first, so that a file that cannot be written stops the run at once.
ReportOutcome DocumentRun(AppContext& context, const std::vector<ApplicationRecord>& apps) {
  const ReportSettings& settings = context.settings;
  try {
    std::optional<ReportFile> file;
    if (!settings.output.empty())
      file.emplace(context.env, settings.output, context.on_file_failure);
    RunDescription run = settings.run;
    RunFindings collected;
    FindingCollector collector(collected);
    BaselineFilter findings(settings.baseline, collector);
    ProcessApplications(context, apps, findings, &run.project);
    context.reported_findings = findings.reported();
    const std::string document = settings.format == ReportFormat::kJson
                                     ? JsonReport(collected, run)
                                     : SarifReport(collected, run);
    if (file) {
      file->Write(document);
      file->Close();
    } else if (!settings.standard_output->write(document.data(), document.size()).flush()) {
      return ReportOutcome::kAbandoned;
    }
    return collected.cancelled ? ReportOutcome::kCancelled : ReportOutcome::kComplete;
  } catch (const ReportAbandoned&) {
    return ReportOutcome::kAbandoned;
  }
}

}  // namespace

ReportOutcome REPORTALL(AppContext& context) {
  IVARSCAN_ROUTINE("REPORTALL");
  const std::vector<ApplicationRecord> apps = GETAPPS(context.repo, false, true);
  return context.settings.format == ReportFormat::kText ? TextRun(context, apps)
                                                        : DocumentRun(context, apps);
}

}  // namespace ivarscan
