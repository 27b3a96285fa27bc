#include "app/win32/windows_headers.h"

#include "app/win32/win32_ui.h"

#include <string>

#include "app/win32/win_prj.h"
#include "app/win32/win_progress.h"
#include "platform/win32_text.h"

namespace ivarscan {
namespace {

UINT BoxFlags(BoxStyle style) {
  switch (style) {
    case BoxStyle::kQuestionYesNo:
      return MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON1;
    case BoxStyle::kErrorOk:
      return MB_OK | MB_ICONSTOP;
    case BoxStyle::kInformationOk:
      return MB_OK | MB_ICONINFORMATION;
  }
  return MB_OK;
}

}  // namespace

int Win32Ui::ShowMessageBox(std::string_view caption, std::string_view text, BoxStyle style) {
  const std::wstring caption_text = ToWide(caption);
  return ::MessageBoxW(nullptr, ToWide(text).c_str(),
                       caption_text.empty() ? nullptr : caption_text.c_str(), BoxFlags(style));
}

std::unique_ptr<ProjectDialog> Win32Ui::NewProjectDialog() {
  if (show_warnings_) show_warnings_();
  return std::make_unique<WinPrj>();
}

std::unique_ptr<ProgressWindow> Win32Ui::NewProgressWindow() {
  if (show_warnings_) show_warnings_();
  return std::make_unique<WinProgress>();
}

}  // namespace ivarscan
