#include "platform/posix_locale_info.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>

#include "platform/locale_info.h"

namespace ivarscan {
namespace {

struct Conversion {
  char letter;
  const char* text;
};

// The composite conversions and the ones they stand for.
constexpr Conversion kComposites[] = {
    {'D', "%m/%d/%y"}, {'F', "%Y-%m-%d"}, {'T', "%H:%M:%S"}, {'R', "%H:%M"}, {'r', "%I:%M:%S %p"}};

// The date conversions and their parts of a Win32 short-date pattern.
constexpr Conversion kDateParts[] = {
    {'d', "dd"}, {'e', "d"}, {'m', "MM"}, {'y', "yy"}, {'Y', "yyyy"}};

template <std::size_t N>
const char* Find(const Conversion (&table)[N], char letter) {
  for (const Conversion& entry : table) {
    if (entry.letter == letter) return entry.text;
  }
  return nullptr;
}

// Replaces the composite conversions by the ones they stand for.
std::string ExpandFormat(std::string_view format) {
  std::string expanded;
  for (std::size_t at = 0; at < format.size(); ++at) {
    if (format[at] != '%' || at + 1 == format.size()) {
      expanded += format[at];
      continue;
    }
    const char letter = format[++at];
    const char* composite = Find(kComposites, letter);
    expanded += composite != nullptr ? std::string(composite) : std::string{'%', letter};
  }
  return expanded;
}

// Walks the conversions of an expanded format: calls `on_conversion` with each conversion
// letter (flags such as '-' or 'E' skipped) and `on_literal` with every other character.
template <typename OnConversion, typename OnLiteral>
void WalkFormat(std::string_view format, OnConversion on_conversion, OnLiteral on_literal) {
  for (std::size_t at = 0; at < format.size(); ++at) {
    if (format[at] != '%') {
      on_literal(format[at]);
      continue;
    }
    while (at + 1 < format.size() && std::strchr("-_0^#EO", format[at + 1]) != nullptr) ++at;
    if (at + 1 < format.size()) on_conversion(format[++at]);
  }
}

std::optional<std::string> FirstLiteral(std::string_view format) {
  std::optional<std::string> separator;
  bool after_conversion = false;
  WalkFormat(
      ExpandFormat(format), [&](char) { after_conversion = true; },
      [&](char c) {
        if (after_conversion && !separator) separator = std::string(1, c);
      });
  return separator;
}

std::optional<std::string> ShortDatePattern(std::string_view format) {
  std::string pattern;
  WalkFormat(
      ExpandFormat(format),
      [&](char c) {
        if (const char* part = Find(kDateParts, c)) pattern += part;
      },
      [&](char c) { pattern += c; });
  if (pattern.empty()) return std::nullopt;
  return pattern;
}

std::optional<std::string> DateOrder(std::string_view format) {
  std::optional<std::string> order;
  WalkFormat(
      ExpandFormat(format),
      [&](char c) {
        if (order) return;
        if (c == 'm') order = "0";
        if (c == 'd' || c == 'e') order = "1";
        if (c == 'y' || c == 'Y') order = "2";
      },
      [](char) {});
  return order;
}

std::optional<std::string> TimeFormat(std::string_view format) {
  bool twelve_hour = false;
  WalkFormat(
      ExpandFormat(format), [&](char c) { twelve_hour = twelve_hour || c == 'I' || c == 'l'; },
      [](char) {});
  return twelve_hour ? "0" : "1";
}

std::optional<std::string> NonEmpty(const std::string& value) {
  if (value.empty()) return std::nullopt;
  return value;
}

class PosixLocaleInfo final : public LocaleInfo {
 public:
  std::uint32_t UserDefaultLcid() override { return kUserDefaultLcid; }

  int Query(std::uint32_t, std::uint32_t item, char* buffer, int size) override {
    PosixLocaleFacts facts;
    if (!ReadFacts(&facts)) return 0;
    std::optional<std::string> value = PosixLocaleItem(facts, item);
    if (!value || size <= 0 || value->size() + 1 > static_cast<std::size_t>(size)) return 0;
    std::memcpy(buffer, value->c_str(), value->size() + 1);
    return static_cast<int>(value->size() + 1);
  }

 private:
  static constexpr std::uint32_t kUserDefaultLcid = 0x0400;  // LOCALE_USER_DEFAULT

  static bool ReadFacts(PosixLocaleFacts* facts) {
    locale_t locale = ::newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0)) return false;
    facts->radix = ::nl_langinfo_l(RADIXCHAR, locale);
    facts->thousands = ::nl_langinfo_l(THOUSEP, locale);
    facts->date_format = ::nl_langinfo_l(D_FMT, locale);
    facts->time_format = ::nl_langinfo_l(T_FMT, locale);
    facts->am = ::nl_langinfo_l(AM_STR, locale);
    facts->pm = ::nl_langinfo_l(PM_STR, locale);
    ::freelocale(locale);
    return true;
  }
};

}  // namespace

std::optional<std::string> PosixLocaleItem(const PosixLocaleFacts& facts, unsigned item) {
  switch (item) {
    case locale_item::kDecimalSeparator:
      return NonEmpty(facts.radix);
    case locale_item::kThousandSeparator:
      return NonEmpty(facts.thousands);
    case locale_item::kDateSeparator:
      return FirstLiteral(facts.date_format);
    case locale_item::kTimeSeparator:
      return FirstLiteral(facts.time_format);
    case locale_item::kShortDate:
      return ShortDatePattern(facts.date_format);
    case locale_item::kDateOrder:
      return DateOrder(facts.date_format);
    case locale_item::kTimeFormat:
      return TimeFormat(facts.time_format);
    case locale_item::kAmDesignator:
      return facts.am;
    case locale_item::kPmDesignator:
      return facts.pm;
    default:
      return std::nullopt;
  }
}

LocaleInfo* LocaleInfo::Default() {
  static LocaleInfo* info = new PosixLocaleInfo;
  return info;
}

}  // namespace ivarscan
