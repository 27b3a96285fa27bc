#include "errors/international.h"

#include <charconv>
#include <optional>
#include <string>

#include "platform/error_services.h"
#include "platform/recovery_point.h"
#include "platform/runtime_settings.h"
#include "platform/text.h"

namespace ivarscan {
namespace {

constexpr std::uint32_t kWindowsMode = 1;
constexpr std::uint32_t kDictionaryCollation = 1;
constexpr std::uint32_t kCenturyEpoch = 1910;

// One locale item, without its terminating zero; nothing when the query fails.
std::optional<std::string> Item(LocaleInfo& locale, std::uint32_t lcid, std::uint32_t item) {
  char buffer[kLocaleValueSize] = {};
  const int stored = locale.Query(lcid, item, buffer, kLocaleValueSize);
  if (stored <= 0) return std::nullopt;
  return std::string(ZeroTerminated(buffer, static_cast<std::size_t>(stored)));
}

char FirstChar(const std::optional<std::string>& value, char fallback) {
  if (!value) return fallback;
  return value->empty() ? '\0' : value->front();
}

// The value read as a number: leading digits, 0 when there are none.
std::uint32_t Number(const std::string& value) {
  std::uint32_t number = 0;
  std::from_chars(value.data(), value.data() + value.size(), number);
  return number;
}

std::string DateFormat(std::uint32_t order, char separator, const std::string& pattern) {
  const std::string year = pattern.find("YYYY") != std::string::npos ? "YYYY" : "YY";
  const std::string sep(1, separator);
  switch (order) {
    case 1:
      return "DD" + sep + "MM" + sep + year;
    case 2:
      return year + sep + "MM" + sep + "DD";
    default:
      return "MM" + sep + "DD" + sep + year;
  }
}

void ReadDateItems(LocaleInfo& locale, std::uint32_t lcid, RuntimeSettings& settings) {
  const std::optional<std::string> order = Item(locale, lcid, locale_item::kDateOrder);
  const char separator = FirstChar(Item(locale, lcid, locale_item::kDateSeparator), '/');
  const std::optional<std::string> pattern = Item(locale, lcid, locale_item::kShortDate);
  settings.date_format = DateFormat(order ? Number(*order) : 0, separator,
                                    pattern ? UpperAscii(*pattern) : "mm/dd/yy");
}

void ApplyWindowsMode(LocaleInfo& locale, const Variant& variant, RuntimeSettings& settings) {
  settings.mode = kWindowsMode;
  const std::uint32_t lcid = locale.UserDefaultLcid();
  settings.decimal_separator = FirstChar(Item(locale, lcid, locale_item::kDecimalSeparator), '.');
  settings.thousands_separator =
      FirstChar(Item(locale, lcid, locale_item::kThousandSeparator), ',');
  settings.time_separator = FirstChar(Item(locale, lcid, locale_item::kTimeSeparator), ':');
  const std::optional<std::string> time_format = Item(locale, lcid, locale_item::kTimeFormat);
  settings.twelve_hour_clock = !time_format || Number(*time_format) == 0;
  const std::optional<std::string> am = Item(locale, lcid, locale_item::kAmDesignator);
  settings.am_suffix = am ? " " + *am : " am";
  const std::optional<std::string> pm = Item(locale, lcid, locale_item::kPmDesignator);
  settings.pm_suffix = pm ? " " + *pm : " pm";
  ReadDateItems(locale, lcid, settings);
  const std::optional<std::string> decimals = Item(locale, lcid, locale_item::kDecimals);
  settings.decimals = decimals ? Number(*decimals) : 2;
  settings.collation = kDictionaryCollation;
  if (variant.is_ide20()) return;
  settings.century = true;
  settings.epoch = kCenturyEpoch;
}

// Installs a handler for its lifetime and then puts the previous one back.
class TemporaryHandler {
 public:
  explicit TemporaryHandler(ErrorHandler handler) : outer_(ErrorBlock(std::move(handler))) {}
  ~TemporaryHandler() { ErrorBlock(std::move(outer_)); }
  TemporaryHandler(const TemporaryHandler&) = delete;
  TemporaryHandler& operator=(const TemporaryHandler&) = delete;

 private:
  ErrorHandler outer_;
};

// Unwinds to the recovery point around the reading of the items, whatever the error.
ErrorAnswer UnwindToSetInternational(const ErrorValue&) { Break(nullptr); }

}  // namespace

Symbol WindowsMode() { return SysAtom("WINDOWS"); }

Symbol SETINTERNATIONAL(Symbol mode, const Variant& variant, LocaleInfo& locale) {
  RuntimeSettings& settings = Settings();
  const Symbol previous = settings.mode == kWindowsMode ? WindowsMode() : 0;
  if (mode != WindowsMode()) return previous;
  if (variant.is_ide20()) {
    ApplyWindowsMode(locale, variant, settings);
    return previous;
  }
  const TemporaryHandler temporary(UnwindToSetInternational);
  RunToRecoveryPoint([&] { ApplyWindowsMode(locale, variant, settings); });
  return previous;
}

}  // namespace ivarscan
