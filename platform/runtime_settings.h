// The process-wide conventions for numbers, dates, times and text ordering, which
// SETINTERNATIONAL sets from the user's locale, and the date and time texts built from them.
//
// The formatting functions write into a caller's buffer and touch no locale, heap or lock,
// so the fatal-signal path can use them too.
#ifndef IVARSCAN_PLATFORM_RUNTIME_SETTINGS_H_
#define IVARSCAN_PLATFORM_RUNTIME_SETTINGS_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace ivarscan {

struct RuntimeSettings {
  std::uint32_t mode = 0;       // 0 = none applied yet, 1 = WINDOWS
  std::uint32_t collation = 0;  // 0 = byte order, 1 = the locale's dictionary order
  char decimal_separator = '.';
  char thousands_separator = ',';
  char time_separator = ':';
  bool twelve_hour_clock = false;
  std::string am_suffix = " am";
  std::string pm_suffix = " pm";
  // "DD", "MM" and a year part ("YY" or "YYYY") joined by one separator, e.g. "DD.MM.YYYY".
  std::string date_format = "MM/DD/YY";
  std::uint32_t decimals = 2;
  bool century = false;  // four-digit years even where date_format says "YY"
  std::uint32_t epoch = 1900;
};

// The settings of the process. Single-threaded use, as every setting of the runtime.
RuntimeSettings& Settings();

// A moment of the civil calendar in local time.
struct CivilTime {
  int year = 1970;
  int month = 1;  // 1-12
  int day = 1;    // 1-31
  int hour = 0;   // 0-23
  int minute = 0;
  int second = 0;
};

// Buffer size that always suffices for FormatDate and FormatTime with suffixes up to 48
// characters.
inline constexpr std::size_t kDateTimeTextSize = 64;

// Writes the date text of `time` per `settings` (date_format; four-digit years when the
// format says "YYYY" or century is on; other characters of the format are copied) into
// `out`, zero-terminated and cut to `size`. Returns the length written. Async-signal-safe.
std::size_t FormatDate(const CivilTime& time, const RuntimeSettings& settings, char* out,
                       std::size_t size);

// Writes the time text: "HH:MM:SS" with the time separator, or on the 12-hour clock
// "hh:MM:SS" (hours 01-12) followed by the AM or PM suffix. Async-signal-safe.
std::size_t FormatTime(const CivilTime& time, const RuntimeSettings& settings, char* out,
                       std::size_t size);

// The date and time texts as strings.
std::string DateText(const CivilTime& time, const RuntimeSettings& settings);
std::string TimeText(const CivilTime& time, const RuntimeSettings& settings);

// The current local time.
CivilTime LocalTimeNow();

// The local time `utc_offset_seconds` east of UTC at `unix_seconds`; pure arithmetic,
// async-signal-safe.
CivilTime CivilFromUnixSeconds(std::int64_t unix_seconds, std::int64_t utc_offset_seconds);

// Seconds since 1970 (UTC), async-signal-safe; and the current offset of local time from
// UTC in seconds (not signal-safe: take it beforehand).
std::int64_t UnixSecondsNow();
std::int64_t UtcOffsetSecondsNow();

}  // namespace ivarscan

#endif  // IVARSCAN_PLATFORM_RUNTIME_SETTINGS_H_
