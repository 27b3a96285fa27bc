// The console edition's error box: the caption and the message on standard error, then a
// prompt that offers only the choices the failure allows. Without a terminal to ask, the
// default is taken when allowed, else abort, and the answer is said on standard error.
#ifndef IVARSCAN_APP_CONSOLE_CONSOLE_ERROR_BOX_H_
#define IVARSCAN_APP_CONSOLE_CONSOLE_ERROR_BOX_H_

#include <iosfwd>

#include "platform/error_box.h"

namespace ivarscan {

class ConsoleErrorBox final : public ErrorBox {
 public:
  // Shows on `err` and reads answers from `in` when `input_is_terminal`.
  ConsoleErrorBox(std::istream& in, std::ostream& err, bool input_is_terminal);

  // Offers Default (when default_code is 1), Retry (when retry_code is 2) and Abort; Enter
  // takes the first of them, and a choice may be typed as its word or first letter. The end
  // of input answers as if no terminal were there.
  std::uint32_t Show(std::string_view text, std::string_view caption, std::uint32_t default_code,
                     std::uint32_t retry_code, std::uint32_t abort_code) override;

  void ShowNotice(std::string_view text, std::string_view caption) override;

 private:
  void ShowText(std::string_view text, std::string_view caption);

  std::istream& in_;
  std::ostream& err_;
  const bool input_is_terminal_;
};

}  // namespace ivarscan

#endif  // IVARSCAN_APP_CONSOLE_CONSOLE_ERROR_BOX_H_
