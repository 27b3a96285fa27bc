#include "app/win32/windows_headers.h"

#include "app/win32/win32_error_box.h"

#include <string>

#include "platform/win32_text.h"

namespace ivarscan {

std::uint32_t Win32ErrorBox::Show(std::string_view text, std::string_view caption,
                                  std::uint32_t default_code, std::uint32_t retry_code,
                                  std::uint32_t abort_code) {
  const bool can_default = default_code != 0;
  const bool can_retry = retry_code != 0;
  UINT buttons = MB_OK;
  if (can_default && can_retry) {
    buttons = MB_ABORTRETRYIGNORE;
  } else if (can_retry) {
    buttons = MB_RETRYCANCEL;
  } else if (can_default) {
    buttons = MB_OKCANCEL;
  }
  const int pressed =
      ::MessageBoxW(nullptr, ToWide(text).c_str(), ToWide(caption).c_str(), buttons | MB_ICONSTOP);
  switch (pressed) {
    case IDIGNORE:
      return default_code;
    case IDRETRY:
      return retry_code;
    case IDOK:
      return can_default ? default_code : abort_code;
    default:  // Abort, Cancel, or the box could not be shown
      return abort_code;
  }
}

void Win32ErrorBox::ShowNotice(std::string_view text, std::string_view caption) {
  ::MessageBoxW(nullptr, ToWide(text).c_str(), ToWide(caption).c_str(), MB_OK);
}

}  // namespace ivarscan
