#include "app/project_selection.h"

#include <string>

#include "app/texts.h"
#include "platform/call_stack.h"
#include "repo/projects.h"

namespace ivarscan {
namespace {

constexpr int kAttemptPauseMilliseconds = 1000;

bool OpenRepository(AppContext& context) {
  for (int attempt = 1; attempt <= kRepositoryAttempts; ++attempt) {
    std::uint32_t unused = 0;
    const Status status = context.repo.AdamInit(0, &unused);
    if (status == 0) return true;
    context.ui.Notify("The repository is not available (attempt " + std::to_string(attempt) +
                      " of " + std::to_string(kRepositoryAttempts) +
                      "): " + context.repo.StatusText(status));
    if (!context.repo.MayOpenLater(status)) break;
    context.env.SleepForMilliseconds(kAttemptPauseMilliseconds);
  }
  return false;
}

// Shows the project dialog; returns false on Cancel, else the chosen name in `chosen`.
bool ChooseProject(AppContext& context, const std::string& current, std::string* chosen) {
  std::unique_ptr<ProjectDialog> dialog = context.ui.NewProjectDialog();
  dialog->FillList(GETPROJECTS(context.repo));
  dialog->SetListValue(current);
  dialog->FocusList();
  if (dialog->Show() == 0) return false;
  *chosen = dialog->CHOSEN();
  return true;
}

}  // namespace

ReportOutcome RUNREPORT(AppContext& context) {
  IVARSCAN_ROUTINE("RUNREPORT");
  if (context.prepare_repository && !context.prepare_repository()) return ReportOutcome::kNotRun;
  if (!OpenRepository(context)) {
    context.ui.ShowMessageBox("", texts::kRepositoryUnavailable, BoxStyle::kErrorOk);
    return ReportOutcome::kNotRun;
  }
  ReportOutcome outcome = ReportOutcome::kNotRun;
  const std::string current = GETCURRENTPROJECT(context.repo);
  std::string chosen;
  if (ChooseProject(context, current, &chosen)) {
    if (context.repo.PrjSelect(chosen.c_str()) == 0) {
      outcome = REPORTALL(context);
      context.ui.ShowMessageBox(texts::kClosingNoteCaption, texts::ClosingNote(),
                                BoxStyle::kInformationOk);
    } else {
      context.ui.ShowMessageBox("", texts::kSelectionFailed + chosen, BoxStyle::kErrorOk);
    }
    context.repo.PrjSelect(current.c_str());
  }
  context.repo.AdamExit();
  return outcome;
}

}  // namespace ivarscan
