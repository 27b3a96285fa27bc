// The POSIX answers to the locale queries, from the categories of a locale that
// newlocale() builds from the environment (LC_ALL, LC_NUMERIC, LC_TIME, LANG), without
// touching the process locale.
#ifndef IVARSCAN_PLATFORM_POSIX_LOCALE_INFO_H_
#define IVARSCAN_PLATFORM_POSIX_LOCALE_INFO_H_

#include <optional>
#include <string>
#include <string_view>

namespace ivarscan {

// The parts of a POSIX locale that the items are derived from (nl_langinfo values).
struct PosixLocaleFacts {
  std::string radix;        // RADIXCHAR
  std::string thousands;    // THOUSEP
  std::string date_format;  // D_FMT, e.g. "%d.%m.%Y"
  std::string time_format;  // T_FMT, e.g. "%H:%M:%S" or "%r"
  std::string am;           // AM_STR
  std::string pm;           // PM_STR
};

// The value of a Win32 locale item derived from `facts`; nothing when the POSIX locale has
// no counterpart or the value would be empty where Windows never gives an empty one.
std::optional<std::string> PosixLocaleItem(const PosixLocaleFacts& facts, unsigned item);

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_POSIX_LOCALE_INFO_H_
