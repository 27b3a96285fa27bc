// The error box: the modal box in which the error handler shows a failure and asks what to
// do. The desktop program shows a Win32 message box, the console edition a prompt on the
// terminal (app/console/console_error_box.h), tests a scripted double; they plug in here.
#ifndef IVARSCAN_PLATFORM_ERROR_BOX_H_
#define IVARSCAN_PLATFORM_ERROR_BOX_H_

#include <cstdint>
#include <string_view>

namespace ivarscan {

// Choice codes of the error box. A choice that is not offered has the code 0; the abort code
// always carries kAbortFlag, plus kAbortChoice when a recovery point can take the abort.
inline constexpr std::uint32_t kDefaultChoice = 1;
inline constexpr std::uint32_t kRetryChoice = 2;
inline constexpr std::uint32_t kAbortChoice = 3;
inline constexpr std::uint32_t kAbortFlag = 0x80000000u;

class ErrorBox {
 public:
  virtual ~ErrorBox() = default;

  // Shows `text` under `caption` and waits for a choice among those offered (default_code
  // 1 or 0, retry_code 2 or 0, abort_code always offered). Returns 1 for default, 2 for
  // retry, anything else for abort.
  virtual std::uint32_t Show(std::string_view text, std::string_view caption,
                             std::uint32_t default_code, std::uint32_t retry_code,
                             std::uint32_t abort_code) = 0;

  // Shows `text` under `caption` with a single OK button, without owner window.
  virtual void ShowNotice(std::string_view text, std::string_view caption) = 0;
};

// Installs the box the services use and returns the previous one (null = none). Without a
// box the text goes to standard error and abort is chosen.
ErrorBox* SetErrorBox(ErrorBox* box);

// Shows the error box (ErrorBox::Show) of the installed box.
std::uint32_t ErrorMessageBox(std::string_view text, std::string_view caption,
                              std::uint32_t default_code, std::uint32_t retry_code,
                              std::uint32_t abort_code);

// Shows a notice with OK only (ErrorBox::ShowNotice) in the installed box.
void ErrorNoticeBox(std::string_view text, std::string_view caption);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_ERROR_BOX_H_
