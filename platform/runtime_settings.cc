#include "platform/runtime_settings.h"

#include <ctime>
#include <string_view>

namespace ivarscan {
namespace {

// Appends to a fixed buffer, always leaving room for the terminating zero.
class BufferWriter {
 public:
  BufferWriter(char* out, std::size_t size) : out_(out), size_(size) {
    if (size_ > 0) out_[0] = '\0';
  }
  void Put(char c) {
    if (length_ + 1 >= size_) return;
    out_[length_++] = c;
    out_[length_] = '\0';
  }
  void Put(std::string_view text) {
    for (char c : text) Put(c);
  }
  void PutDigits(int value, int digits) {
    char reversed[10];
    for (int i = 0; i < digits; ++i) {
      reversed[i] = static_cast<char>('0' + value % 10);
      value /= 10;
    }
    while (digits > 0) Put(reversed[--digits]);
  }
  std::size_t length() const { return length_; }

 private:
  char* out_;
  std::size_t size_;
  std::size_t length_ = 0;
};

bool StartsWith(std::string_view text, std::size_t at, std::string_view prefix) {
  return text.substr(at, prefix.size()) == prefix;
}

// Days since 1970-01-01 to the civil date (proleptic Gregorian calendar).
void CivilFromDays(std::int64_t days, CivilTime* time) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t month_index = (5 * day_of_year + 2) / 153;
  time->day = static_cast<int>(day_of_year - (153 * month_index + 2) / 5 + 1);
  time->month = static_cast<int>(month_index < 10 ? month_index + 3 : month_index - 9);
  time->year = static_cast<int>(year_of_era + era * 400 + (time->month <= 2 ? 1 : 0));
}

CivilTime FromTm(const std::tm& tm) {
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace

RuntimeSettings& Settings() {
  static RuntimeSettings* settings = new RuntimeSettings;  // read until exit
  return *settings;
}

std::size_t FormatDate(const CivilTime& time, const RuntimeSettings& settings, char* out,
                       std::size_t size) {
  BufferWriter writer(out, size);
  const std::string_view format = settings.date_format;
  for (std::size_t at = 0; at < format.size();) {
    if (StartsWith(format, at, "YYYY") || StartsWith(format, at, "YY")) {
      const bool four = StartsWith(format, at, "YYYY");
      writer.PutDigits(time.year, four || settings.century ? 4 : 2);
      at += four ? 4 : 2;
    } else if (StartsWith(format, at, "MM")) {
      writer.PutDigits(time.month, 2);
      at += 2;
    } else if (StartsWith(format, at, "DD")) {
      writer.PutDigits(time.day, 2);
      at += 2;
    } else {
      writer.Put(format[at++]);
    }
  }
  return writer.length();
}

std::size_t FormatTime(const CivilTime& time, const RuntimeSettings& settings, char* out,
                       std::size_t size) {
  BufferWriter writer(out, size);
  int hour = time.hour;
  if (settings.twelve_hour_clock) hour = hour % 12 == 0 ? 12 : hour % 12;
  writer.PutDigits(hour, 2);
  writer.Put(settings.time_separator);
  writer.PutDigits(time.minute, 2);
  writer.Put(settings.time_separator);
  writer.PutDigits(time.second, 2);
  if (settings.twelve_hour_clock) {
    writer.Put(time.hour < 12 ? settings.am_suffix : settings.pm_suffix);
  }
  return writer.length();
}

std::string DateText(const CivilTime& time, const RuntimeSettings& settings) {
  char text[kDateTimeTextSize];
  return std::string(text, FormatDate(time, settings, text, sizeof text));
}

std::string TimeText(const CivilTime& time, const RuntimeSettings& settings) {
  char text[kDateTimeTextSize];
  return std::string(text, FormatTime(time, settings, text, sizeof text));
}

CivilTime LocalTimeNow() {
  const std::time_t now = std::time(nullptr);
  return FromTm(*std::localtime(&now));
}

CivilTime CivilFromUnixSeconds(std::int64_t unix_seconds, std::int64_t utc_offset_seconds) {
  const std::int64_t local = unix_seconds + utc_offset_seconds;
  std::int64_t days = local / 86400;
  std::int64_t seconds = local % 86400;
  if (seconds < 0) {
    seconds += 86400;
    --days;
  }
  CivilTime time;
  CivilFromDays(days, &time);
  time.hour = static_cast<int>(seconds / 3600);
  time.minute = static_cast<int>(seconds / 60 % 60);
  time.second = static_cast<int>(seconds % 60);
  return time;
}

std::int64_t UnixSecondsNow() { return static_cast<std::int64_t>(std::time(nullptr)); }

std::int64_t UtcOffsetSecondsNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local = *std::localtime(&now);
  std::tm utc = *std::gmtime(&now);
  utc.tm_isdst = local.tm_isdst;
  return static_cast<std::int64_t>(std::difftime(std::mktime(&local), std::mktime(&utc)));
}

}  // namespace ivarscan
