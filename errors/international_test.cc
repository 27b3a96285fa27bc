#include "errors/international.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <optional>
#include <string>

#include "errors/testing/error_handling_test.h"
#include "platform/recovery_point.h"

namespace ivarscan {
namespace {

using namespace locale_item;

// Answers locale items from a table; items not in it fail. A query of `raise_at` raises an
// error through the installed handler instead.
class FakeLocaleInfo final : public LocaleInfo {
 public:
  std::map<std::uint32_t, std::string> items;
  std::optional<std::uint32_t> raise_at;
  int queries = 0;

  std::uint32_t UserDefaultLcid() override { return 0x0407; }

  int Query(std::uint32_t lcid, std::uint32_t item, char* buffer, int size) override {
    EXPECT_EQ(lcid, 0x0407u);
    EXPECT_EQ(size, kLocaleValueSize);
    ++queries;
    if (raise_at == item) ErrorBlock()(ErrorValue(std::string("locale failure")));
    auto found = items.find(item);
    if (found == items.end()) return 0;
    std::memcpy(buffer, found->second.c_str(), found->second.size() + 1);
    return static_cast<int>(found->second.size() + 1);
  }
};

class SetInternationalTest : public ErrorHandlingTest {
 protected:
  void SetUp() override {
    ErrorHandlingTest::SetUp();
    Settings() = RuntimeSettings{};
  }

  static FakeLocaleInfo German() {
    FakeLocaleInfo locale;
    locale.items = {{kDecimalSeparator, ","}, {kThousandSeparator, "."}, {kTimeSeparator, ":"},
                    {kTimeFormat, "1"},       {kAmDesignator, ""},       {kPmDesignator, ""},
                    {kDateOrder, "1"},        {kDateSeparator, "."},     {kShortDate, "dd.MM.yyyy"},
                    {kDecimals, "3"}};
    return locale;
  }
};

TEST_F(SetInternationalTest, DayMonthYearWithFourDigitYears) {
  FakeLocaleInfo locale = German();
  EXPECT_EQ(SETINTERNATIONAL(WindowsMode(), kVariant25, locale), Symbol{0});
  const RuntimeSettings& settings = Settings();
  EXPECT_EQ(settings.mode, 1u);
  EXPECT_EQ(settings.decimal_separator, ',');
  EXPECT_EQ(settings.thousands_separator, '.');
  EXPECT_FALSE(settings.twelve_hour_clock);
  EXPECT_EQ(settings.am_suffix, " ");
  EXPECT_EQ(settings.date_format, "DD.MM.YYYY");
  EXPECT_EQ(settings.decimals, 3u);
  EXPECT_EQ(settings.collation, 1u);
  EXPECT_TRUE(settings.century);
  EXPECT_EQ(settings.epoch, 1910u);
  EXPECT_EQ(DateText({2026, 3, 7, 0, 0, 0}, settings), "07.03.2026");
}

TEST_F(SetInternationalTest, YearMonthDayGetsCenturyDisplay) {
  FakeLocaleInfo locale;
  locale.items = {{kDateOrder, "2"},  {kDateSeparator, "/"}, {kShortDate, "yy/MM/dd"},
                  {kTimeFormat, "0"}, {kAmDesignator, "AM"}, {kPmDesignator, "PM"}};
  SETINTERNATIONAL(WindowsMode(), kVariant25, locale);
  const RuntimeSettings& settings = Settings();
  EXPECT_EQ(settings.date_format, "YY/MM/DD");
  EXPECT_TRUE(settings.twelve_hour_clock);
  EXPECT_EQ(DateText({2026, 3, 7, 0, 0, 0}, settings), "2026/03/07");
  EXPECT_EQ(TimeText({2026, 3, 7, 13, 5, 0}, settings), "01:05:00 PM");
}

TEST_F(SetInternationalTest, FailedItemsFallBack) {
  FakeLocaleInfo locale;
  SETINTERNATIONAL(WindowsMode(), kVariant25, locale);
  const RuntimeSettings& settings = Settings();
  EXPECT_EQ(locale.queries, 10);
  EXPECT_EQ(settings.decimal_separator, '.');
  EXPECT_EQ(settings.thousands_separator, ',');
  EXPECT_EQ(settings.time_separator, ':');
  EXPECT_TRUE(settings.twelve_hour_clock);
  EXPECT_EQ(settings.am_suffix, " am");
  EXPECT_EQ(settings.pm_suffix, " pm");
  EXPECT_EQ(settings.date_format, "MM/DD/YY");
  EXPECT_EQ(settings.decimals, 2u);
}

TEST_F(SetInternationalTest, SecondCallReturnsWindowsAndReadsAfresh) {
  FakeLocaleInfo locale = German();
  SETINTERNATIONAL(WindowsMode(), kVariant25, locale);
  locale.items.insert_or_assign(kDateOrder, "0");
  locale.items.insert_or_assign(kDateSeparator, "-");
  EXPECT_EQ(SETINTERNATIONAL(WindowsMode(), kVariant25, locale), WindowsMode());
  EXPECT_EQ(Settings().date_format, "MM-DD-YYYY");
}

TEST_F(SetInternationalTest, OtherModesChangeNothing) {
  FakeLocaleInfo locale = German();
  EXPECT_EQ(SETINTERNATIONAL(SysAtom("ANSI"), kVariant25, locale), Symbol{0});
  EXPECT_EQ(locale.queries, 0);
  EXPECT_EQ(Settings().mode, 0u);
}

TEST_F(SetInternationalTest, AnErrorWhileReadingCutsTheReadingShortSilently) {
  int handled = 0;
  ErrorBlock([&](const ErrorValue&) {
    ++handled;
    return ErrorAnswer{};
  });
  FakeLocaleInfo locale = German();
  locale.raise_at = kShortDate;
  EXPECT_EQ(SETINTERNATIONAL(WindowsMode(), kVariant25, locale), Symbol{0});
  const RuntimeSettings& settings = Settings();
  EXPECT_EQ(settings.decimal_separator, ',');   // read before the error: kept
  EXPECT_EQ(settings.date_format, "MM/DD/YY");  // not reached
  EXPECT_EQ(settings.decimals, 2u);
  EXPECT_FALSE(settings.century);
  EXPECT_EQ(handled, 0);
  EXPECT_FALSE(CanBreak());
  ErrorBlock()(ErrorValue(std::string("after")));  // the outer handler is back
  EXPECT_EQ(handled, 1);
}

TEST_F(SetInternationalTest, Ide20SetsNoCenturyAndLetsErrorsThrough) {
  int handled = 0;
  ErrorBlock([&](const ErrorValue&) {
    ++handled;
    return ErrorAnswer{};
  });
  FakeLocaleInfo locale = German();
  locale.raise_at = kShortDate;
  SETINTERNATIONAL(WindowsMode(), kVariant20, locale);
  const RuntimeSettings& settings = Settings();
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(settings.date_format, "DD.MM.YYYY");
  EXPECT_EQ(settings.collation, 1u);
  EXPECT_FALSE(settings.century);
  EXPECT_EQ(settings.epoch, 1900u);
}

}  // namespace
}  // namespace ivarscan
