// WinPrj: the modal project dialog, built from the template WINPRJ. Its sorted list shows
// the project names, each item carrying the project's description; OK, Enter and a double
// click on an item end it with result 1 and the selected name in CHOSEN; Cancel, Escape
// and the close box end it with result 0.
#ifndef IVARSCAN_APP_WIN32_WIN_PRJ_H_
#define IVARSCAN_APP_WIN32_WIN_PRJ_H_

#include <string>
#include <vector>

#include "app/ui.h"
#include "app/win32/dialog_window.h"

namespace ivarscan {

class WinPrj final : public DialogWindow, public ProjectDialog {
 public:
  // Builds the dialog (no owner window), sets its caption and icons; it is not shown yet.
  WinPrj();

  void FillList(const std::vector<ProjectRecord>& projects) override;
  // Selects the item whose text equals `name` exactly; none matches: no selection.
  void SetListValue(const std::string& name) override;
  void FocusList() override;
  int Show() override;
  const std::string& CHOSEN() const override { return chosen_; }

  // The description carried by the list item at `index` (in list order).
  const std::string& ItemDescription(int index) const;

  void PBOK();
  void PBCANCEL();
  void LISTBOXCLICK();
  // Ends the dialog with `result`; result 1 first takes the selected item's project name
  // into CHOSEN (empty when nothing is selected).
  void ENDDIALOG(int result);

 private:
  void ButtonClick(int control_id) override;
  void ListDoubleClick(int control_id) override;
  // The project shown by the list item at `index`, its name in the repository's own bytes
  // (the list shows it converted for display).
  const ProjectRecord& Item(int index) const;

  HWND ODCLBPRJ = nullptr;
  HWND OCCPBOK = nullptr;
  HWND OCCPBCANCEL = nullptr;
  HWND ODCFIXEDTEXT1 = nullptr;
  std::string chosen_;                // CHOSEN
  std::vector<ProjectRecord> items_;  // indexed by the item data of the list items
  bool focus_list_ = false;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_WIN32_WIN_PRJ_H_
