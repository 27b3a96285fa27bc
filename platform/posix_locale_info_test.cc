#include "platform/posix_locale_info.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/locale_info.h"

namespace ivarscan {
namespace {

using namespace locale_item;

TEST(PosixLocaleItemTest, GermanStyleDates) {
  const PosixLocaleFacts facts{",", ".", "%d.%m.%Y", "%T", "", ""};
  EXPECT_EQ(PosixLocaleItem(facts, kDecimalSeparator), ",");
  EXPECT_EQ(PosixLocaleItem(facts, kThousandSeparator), ".");
  EXPECT_EQ(PosixLocaleItem(facts, kShortDate), "dd.MM.yyyy");
  EXPECT_EQ(PosixLocaleItem(facts, kDateOrder), "1");
  EXPECT_EQ(PosixLocaleItem(facts, kDateSeparator), ".");
  EXPECT_EQ(PosixLocaleItem(facts, kTimeSeparator), ":");
  EXPECT_EQ(PosixLocaleItem(facts, kTimeFormat), "1");
  EXPECT_EQ(PosixLocaleItem(facts, kAmDesignator), "");
}

TEST(PosixLocaleItemTest, AmericanStyleTwelveHourClock) {
  const PosixLocaleFacts facts{".", ",", "%m/%d/%Y", "%r", "AM", "PM"};
  EXPECT_EQ(PosixLocaleItem(facts, kShortDate), "MM/dd/yyyy");
  EXPECT_EQ(PosixLocaleItem(facts, kDateOrder), "0");
  EXPECT_EQ(PosixLocaleItem(facts, kTimeFormat), "0");
  EXPECT_EQ(PosixLocaleItem(facts, kPmDesignator), "PM");
}

TEST(PosixLocaleItemTest, CompositeAndFlaggedConversions) {
  const PosixLocaleFacts facts{".", "", "%F", "%-I.%M %p", "am", "pm"};
  EXPECT_EQ(PosixLocaleItem(facts, kShortDate), "yyyy-MM-dd");
  EXPECT_EQ(PosixLocaleItem(facts, kDateOrder), "2");
  EXPECT_EQ(PosixLocaleItem(facts, kDateSeparator), "-");
  EXPECT_EQ(PosixLocaleItem(facts, kTimeSeparator), ".");
  EXPECT_EQ(PosixLocaleItem(facts, kTimeFormat), "0");
  // An empty thousands separator and items without a POSIX counterpart fail.
  EXPECT_EQ(PosixLocaleItem(facts, kThousandSeparator), std::nullopt);
  EXPECT_EQ(PosixLocaleItem(facts, kDecimals), std::nullopt);
}

TEST(PosixLocaleInfoTest, AnswersTheCLocaleFromTheEnvironment) {
  ::setenv("LC_ALL", "C", 1);
  LocaleInfo* info = LocaleInfo::Default();
  char buffer[kLocaleValueSize];
  const std::uint32_t lcid = info->UserDefaultLcid();
  ASSERT_EQ(info->Query(lcid, kShortDate, buffer, sizeof buffer), 9);
  EXPECT_STREQ(buffer, "MM/dd/yy");
  ASSERT_EQ(info->Query(lcid, kDecimalSeparator, buffer, sizeof buffer), 2);
  EXPECT_STREQ(buffer, ".");
  EXPECT_EQ(info->Query(lcid, kThousandSeparator, buffer, sizeof buffer), 0);
  EXPECT_EQ(info->Query(lcid, kShortDate, buffer, 4), 0);  // does not fit
  ::unsetenv("LC_ALL");
}

}  // namespace
}  // namespace ivarscan
