// WarningsDialog: the repository's warnings (files left out, names shown cut, search-path
// entries that name no application) listed in one modal box, built from the template
// WARNINGS; the list scrolls when it is long. OK, Enter, Escape and the close box end it.
#ifndef IVARSCAN_APP_WIN32_WARNINGS_DIALOG_H_
#define IVARSCAN_APP_WIN32_WARNINGS_DIALOG_H_

#include <string>
#include <vector>

#include "app/win32/dialog_window.h"

namespace ivarscan {

// The text above the list.
inline constexpr char kWarningsIntroduction[] =
    "ivarscan left out or changed these parts of the repository; the report does not cover "
    "what was left out:";

class WarningsDialog final : public DialogWindow {
 public:
  // Builds the dialog listing `warnings` (UTF-8), one a line; it is not shown yet.
  explicit WarningsDialog(const std::vector<std::string>& warnings);

  // Shows the dialog and returns when the user has closed it.
  void Show();

 private:
  void ButtonClick(int control_id) override;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_WIN32_WARNINGS_DIALOG_H_
