#include "platform/error_box.h"

#include <cstdio>
#include <utility>

namespace ivarscan {
namespace {

// Used until a front end installs its box: nobody can answer, so nothing goes on.
class UnattendedBox final : public ErrorBox {
 public:
  std::uint32_t Show(std::string_view text, std::string_view caption, std::uint32_t, std::uint32_t,
                     std::uint32_t abort_code) override {
    ShowNotice(text, caption);
    return abort_code;
  }
  void ShowNotice(std::string_view text, std::string_view caption) override {
    std::fprintf(stderr, "%.*s\n%.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
  }
};

ErrorBox* installed_box = nullptr;

ErrorBox& Box() {
  static UnattendedBox unattended;
  return installed_box != nullptr ? *installed_box : unattended;
}

}  // namespace

ErrorBox* SetErrorBox(ErrorBox* box) { return std::exchange(installed_box, box); }

std::uint32_t ErrorMessageBox(std::string_view text, std::string_view caption,
                              std::uint32_t default_code, std::uint32_t retry_code,
                              std::uint32_t abort_code) {
  return Box().Show(text, caption, default_code, retry_code, abort_code);
}

void ErrorNoticeBox(std::string_view text, std::string_view caption) {
  Box().ShowNotice(text, caption);
}

}  // namespace ivarscan
