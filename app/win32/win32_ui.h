// Win32Ui: the toolkit of the desktop program. Message boxes are MessageBoxA boxes without
// owner window; the project and progress dialogs are WinPrj and WinProgress.
#ifndef IVARSCAN_APP_WIN32_WIN32_UI_H_
#define IVARSCAN_APP_WIN32_WIN32_UI_H_

#include <functional>
#include <memory>
#include <string_view>
#include <utility>

#include "app/ui.h"

namespace ivarscan {

class Win32Ui final : public Ui {
 public:
  // `show_warnings` runs before the project dialog and before the progress dialog appear,
  // so that what the repository layer skipped is shown before the choice and the run.
  explicit Win32Ui(std::function<void()> show_warnings = {})
      : show_warnings_(std::move(show_warnings)) {}

  // Yes/No boxes carry the question-mark icon with Yes the default; error boxes OK and the
  // stop icon; information boxes OK and the information icon. An empty caption passes no
  // caption at all, so Windows shows its own standard caption for error boxes ("Error"
  // on an English system and under Wine).
  int ShowMessageBox(std::string_view caption, std::string_view text, BoxStyle style) override;
  std::unique_ptr<ProjectDialog> NewProjectDialog() override;
  std::unique_ptr<ProgressWindow> NewProgressWindow() override;

 private:
  const std::function<void()> show_warnings_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_WIN32_WIN32_UI_H_
