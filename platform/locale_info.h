// Locale queries by Win32 locale-item number: the user's default locale identifier and one
// item of it as text. The desktop program answers them with GetUserDefaultLCID and
// GetLocaleInfoA; the console edition from the user's POSIX locale (posix_locale_info.cc);
// tests from a fake.
#ifndef IVARSCAN_PLATFORM_LOCALE_INFO_H_
#define IVARSCAN_PLATFORM_LOCALE_INFO_H_

#include <cstdint>

namespace ivarscan {

// The locale items that the international settings read (Win32 LOCALE_* numbers).
namespace locale_item {
inline constexpr std::uint32_t kDecimalSeparator = 14;   // LOCALE_SDECIMAL
inline constexpr std::uint32_t kThousandSeparator = 15;  // LOCALE_STHOUSAND
inline constexpr std::uint32_t kDecimals = 17;           // LOCALE_IDIGITS
inline constexpr std::uint32_t kDateSeparator = 29;      // LOCALE_SDATE
inline constexpr std::uint32_t kTimeSeparator = 30;      // LOCALE_STIME
inline constexpr std::uint32_t kShortDate = 31;          // LOCALE_SSHORTDATE
inline constexpr std::uint32_t kDateOrder = 33;          // LOCALE_IDATE: 0 MDY, 1 DMY, 2 YMD
inline constexpr std::uint32_t kTimeFormat = 35;         // LOCALE_ITIME: 0 12-hour, 1 24-hour
inline constexpr std::uint32_t kAmDesignator = 40;       // LOCALE_S1159
inline constexpr std::uint32_t kPmDesignator = 41;       // LOCALE_S2359
}  // namespace locale_item

// The size of the buffer that the international settings pass to Query.
inline constexpr int kLocaleValueSize = 64;

class LocaleInfo {
 public:
  virtual ~LocaleInfo() = default;

  // The identifier of the user's default locale.
  virtual std::uint32_t UserDefaultLcid() = 0;

  // Stores the value of `item` of locale `lcid` into `buffer` (`size` bytes), zero-
  // terminated, and returns the number of characters stored including the zero; 0 when the
  // item cannot be read or does not fit. Numeric items are answered as decimal text.
  virtual int Query(std::uint32_t lcid, std::uint32_t item, char* buffer, int size) = 0;

  // The platform's locale queries, answering from the user's locale. Never deleted.
  static LocaleInfo* Default();
};

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_LOCALE_INFO_H_
