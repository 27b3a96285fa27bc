#include "app/report_run.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "app/line_report.h"
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

// Keeps what the run handed on and left out in the context, for the front end's summary.
void RecordCounts(AppContext& context, const BaselineFilter& findings) {
  context.reported_findings = findings.reported();
  context.left_out_findings = findings.left_out();
  context.processed_applications = findings.applications();
}

// Writes the text report to `writer` as the findings come; true when the user cancelled.
bool WriteTextReport(AppContext& context, const std::vector<ApplicationRecord>& apps,
                     ReportWriter& writer) {
  writer.Write(TextReportHeader());
  TextReport text(writer);
  BaselineFilter findings(context.settings.baseline, text);
  std::string project;
  const bool cancelled = ProcessApplications(context, apps, findings, &project);
  RecordCounts(context, findings);
  return cancelled;
}

// A ReportWriter onto a stream, for a report on standard output.
class StreamReportWriter final : public ReportWriter {
 public:
  explicit StreamReportWriter(std::ostream& out) : out_(out) {}
  void Write(std::string_view text) override { out_.write(text.data(), text.size()); }

 private:
  std::ostream& out_;
};

// The text report, written as the findings come, then opened in the viewer; on standard
// output, nothing is opened.
ReportOutcome TextRun(AppContext& context, const std::vector<ApplicationRecord>& apps) {
  const ReportSettings& settings = context.settings;
  if (settings.output == kStandardOutputName) {
    StreamReportWriter out(*settings.standard_output);
    const bool cancelled = WriteTextReport(context, apps, out);
    if (!settings.standard_output->flush()) return ReportOutcome::kAbandoned;
    return cancelled ? ReportOutcome::kCancelled : ReportOutcome::kComplete;
  }
  const std::string file_name =
      settings.output.empty() ? context.variant.report_file_name : settings.output;
  bool cancelled = false;
  try {
    ReportFile file(context.env, file_name, context.on_file_failure);
    cancelled = WriteTextReport(context, apps, file);
    file.Close();
  } catch (const ReportAbandoned&) {
    return ReportOutcome::kAbandoned;
  }
  context.desktop.OpenInViewer("notepad " + file_name, file_name);  // result not examined
  return cancelled ? ReportOutcome::kCancelled : ReportOutcome::kComplete;
}

// The output of a run in a format written once the run ends. The line format names files
// relative to the current folder.
std::string Document(ReportFormat format, const RunFindings& findings, const RunDescription& run) {
  switch (format) {
    case ReportFormat::kSarif:
      return SarifReport(findings, run);
    case ReportFormat::kGnu: {
      std::error_code ignored;
      return LineReport(findings, run, std::filesystem::current_path(ignored).string());
    }
    default:
      return JsonReport(findings, run);
  }
}

// JSON, SARIF or the line format, written once the run ends, to the output file or to standard
// output. The file is created first, so that a file that cannot be written stops the run at once.
ReportOutcome DocumentRun(AppContext& context, const std::vector<ApplicationRecord>& apps) {
  const ReportSettings& settings = context.settings;
  try {
    std::optional<ReportFile> file;
    if (!settings.output.empty() && settings.output != kStandardOutputName)
      file.emplace(context.env, settings.output, context.on_file_failure);
    RunDescription run = settings.run;
    RunFindings collected;
    FindingCollector collector(collected);
    BaselineFilter findings(settings.baseline, collector);
    collected.cancelled = ProcessApplications(context, apps, findings, &run.project);
    RecordCounts(context, findings);
    if (settings.warnings) run.warnings = settings.warnings();
    const std::string document = Document(settings.format, collected, run);
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
