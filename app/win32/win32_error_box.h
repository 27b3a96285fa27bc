// Win32ErrorBox: the error handler's box in the desktop program, a MessageBoxA box
// without owner window and with the stop icon. The buttons follow the choices offered:
//   default, retry and abort   Abort / Retry / Ignore  (Ignore takes the default)
//   retry and abort            Retry / Cancel          (Cancel aborts)
//   default and abort          OK / Cancel             (OK takes the default, Cancel aborts)
//   abort alone                OK                      (OK aborts)
#ifndef IVARSCAN_APP_WIN32_WIN32_ERROR_BOX_H_
#define IVARSCAN_APP_WIN32_WIN32_ERROR_BOX_H_

#include "platform/error_box.h"

namespace ivarscan {

class Win32ErrorBox final : public ErrorBox {
 public:
  std::uint32_t Show(std::string_view text, std::string_view caption, std::uint32_t default_code,
                     std::uint32_t retry_code, std::uint32_t abort_code) override;
  void ShowNotice(std::string_view text, std::string_view caption) override;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_WIN32_WIN32_ERROR_BOX_H_
