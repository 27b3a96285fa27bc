#include "app/win32/win_prj.h"

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
    const LRESULT index =
        ::SendMessageA(ODCLBPRJ, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(project.name.c_str()));
    if (index < 0) continue;  // LB_ERR or LB_ERRSPACE: the item was not added
    ::SendMessageA(ODCLBPRJ, LB_SETITEMDATA, index, descriptions_.size());
    descriptions_.push_back(project.description);
  }
}

const std::string& WinPrj::ItemDescription(int index) const {
  const LRESULT data = ::SendMessageA(ODCLBPRJ, LB_GETITEMDATA, index, 0);
  return descriptions_.at(static_cast<std::size_t>(data));
}

std::string WinPrj::ItemText(int index) const {
  const LRESULT length = ::SendMessageA(ODCLBPRJ, LB_GETTEXTLEN, index, 0);
  if (length < 0) return "";
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  ::SendMessageA(ODCLBPRJ, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void WinPrj::SetListValue(const std::string& name) {
  // LB_FINDSTRINGEXACT ignores letter case; the project of exactly this name is wanted.
  const int count = static_cast<int>(::SendMessageA(ODCLBPRJ, LB_GETCOUNT, 0, 0));
  int match = -1;
  for (int index = 0; index < count && match < 0; ++index) {
    if (ItemText(index) == name) match = index;
  }
  ::SendMessageA(ODCLBPRJ, LB_SETCURSEL, match, 0);
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
    const LRESULT selected = ::SendMessageA(ODCLBPRJ, LB_GETCURSEL, 0, 0);
    chosen_ = selected == LB_ERR ? "" : ItemText(static_cast<int>(selected));
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
