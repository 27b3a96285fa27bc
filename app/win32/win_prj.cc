#include "app/win32/win_prj.h"

#include "platform/win32_text.h"
#include "resources/resource_ids.h"

namespace ivarscan {

WinPrj::WinPrj() {
  Create("WINPRJ", nullptr);
  ODCLBPRJ = Control(IDC_WINPRJ_LBPRJ);
  OCCPBOK = Control(IDC_WINPRJ_PBOK);
  OCCPBCANCEL = Control(IDC_WINPRJ_PBCANCEL);
  ODCFIXEDTEXT1 = Control(IDC_WINPRJ_FIXEDTEXT1);
  SetCaption("Duplicate Instance Variable Report");
  SetIcons("AICOKREL");
}

void WinPrj::FillList(const std::vector<ProjectRecord>& projects) {
  for (const ProjectRecord& project : projects) {
    const LRESULT index = ::SendMessageW(ODCLBPRJ, LB_ADDSTRING, 0,
                                         reinterpret_cast<LPARAM>(ToWide(project.name).c_str()));
    if (index < 0) continue;  // LB_ERR or LB_ERRSPACE: the item was not added
    ::SendMessageW(ODCLBPRJ, LB_SETITEMDATA, index, items_.size());
    items_.push_back(project);
  }
}

const ProjectRecord& WinPrj::Item(int index) const {
  const LRESULT data = ::SendMessageW(ODCLBPRJ, LB_GETITEMDATA, index, 0);
  return items_.at(static_cast<std::size_t>(data));
}

const std::string& WinPrj::ItemDescription(int index) const { return Item(index).description; }

void WinPrj::SetListValue(const std::string& name) {
  // LB_FINDSTRINGEXACT ignores letter case; the project of exactly this name is wanted.
  const int count = static_cast<int>(::SendMessageW(ODCLBPRJ, LB_GETCOUNT, 0, 0));
  int match = -1;
  for (int index = 0; index < count && match < 0; ++index) {
    if (Item(index).name == name) match = index;
  }
  ::SendMessageW(ODCLBPRJ, LB_SETCURSEL, match, 0);
}

void WinPrj::FocusList() {
  focus_list_ = true;
  if (::IsWindowVisible(window())) ::SetFocus(ODCLBPRJ);
}

int WinPrj::Show() {
  ShowModeless();
  if (focus_list_) ::SetFocus(ODCLBPRJ);
  return RunModal();
}

void WinPrj::PBOK() { ENDDIALOG(1); }

void WinPrj::PBCANCEL() { ENDDIALOG(0); }

void WinPrj::LISTBOXCLICK() { ENDDIALOG(1); }

void WinPrj::ENDDIALOG(int result) {
  if (result == 1) {
    const LRESULT selected = ::SendMessageW(ODCLBPRJ, LB_GETCURSEL, 0, 0);
    chosen_ = selected == LB_ERR ? "" : Item(static_cast<int>(selected)).name;
  }
  EndWith(result);
}

void WinPrj::ButtonClick(int control_id) {
  switch (control_id) {
    case IDC_WINPRJ_PBOK:
    case IDOK:  // Enter
      PBOK();
      break;
    case IDC_WINPRJ_PBCANCEL:
    case IDCANCEL:  // Escape, the close box and the system menu's Close
      PBCANCEL();
      break;
  }
}

void WinPrj::ListDoubleClick(int control_id) {
  if (control_id == IDC_WINPRJ_LBPRJ) LISTBOXCLICK();
}

}  // namespace ivarscan
