#include "app/win32/warnings_dialog.h"

#include "resources/resource_ids.h"

namespace ivarscan {

WarningsDialog::WarningsDialog(const std::vector<std::string>& warnings) {
  Create("WARNINGS", nullptr);
  SetText(Control(IDC_WARNINGS_INTRODUCTION), kWarningsIntroduction);
  std::string list;
  for (const std::string& warning : warnings) list += warning + "\r\n";
  SetText(Control(IDC_WARNINGS_LIST), list);
}

void WarningsDialog::Show() {
  ShowModeless();
  RunModal();
}

void WarningsDialog::ButtonClick(int control_id) {
  if (control_id == IDOK || control_id == IDCANCEL) EndWith(1);
}

}  // namespace ivarscan
