#include <windows.h>

#include "platform/locale_info.h"

namespace ivarscan {
namespace {

class Win32LocaleInfo final : public LocaleInfo {
 public:
  std::uint32_t UserDefaultLcid() override { return ::GetUserDefaultLCID(); }

  int Query(std::uint32_t lcid, std::uint32_t item, char* buffer, int size) override {
    // GetLocaleInfoA answers numeric items (LOCALE_IDIGITS, LOCALE_IDATE...) as text too.
    return ::GetLocaleInfoA(lcid, item, buffer, size);
  }
};

}  // namespace

LocaleInfo* LocaleInfo::Default() {
  static LocaleInfo* info = new Win32LocaleInfo;
  return info;
}

}  // namespace ivarscan
