#include "platform/runtime_settings.h"

#include <gtest/gtest.h>

namespace ivarscan {
namespace {

constexpr CivilTime kMorning{2026, 3, 7, 9, 5, 4};
constexpr CivilTime kAfternoon{2026, 12, 24, 15, 30, 0};

TEST(RuntimeSettingsTest, DateFollowsTheFormatAndCentury) {
  RuntimeSettings settings;
  EXPECT_EQ(DateText(kMorning, settings), "03/07/26");
  settings.date_format = "DD.MM.YYYY";
  EXPECT_EQ(DateText(kMorning, settings), "07.03.2026");
  settings.date_format = "YY/MM/DD";
  EXPECT_EQ(DateText(kMorning, settings), "26/03/07");
  settings.century = true;
  EXPECT_EQ(DateText(kMorning, settings), "2026/03/07");
}

TEST(RuntimeSettingsTest, TimeOnTheTwentyFourAndTwelveHourClock) {
  RuntimeSettings settings;
  settings.time_separator = '.';
  EXPECT_EQ(TimeText(kAfternoon, settings), "15.30.00");
  settings.twelve_hour_clock = true;
  settings.am_suffix = " AM";
  settings.pm_suffix = " PM";
  EXPECT_EQ(TimeText(kAfternoon, settings), "03.30.00 PM");
  EXPECT_EQ(TimeText(kMorning, settings), "09.05.04 AM");
  EXPECT_EQ(TimeText({2026, 1, 1, 0, 0, 0}, settings), "12.00.00 AM");
  EXPECT_EQ(TimeText({2026, 1, 1, 12, 0, 0}, settings), "12.00.00 PM");
}

TEST(RuntimeSettingsTest, FormattingIsCutToTheBuffer) {
  RuntimeSettings settings;
  settings.date_format = "DD.MM.YYYY";
  char text[6];
  EXPECT_EQ(FormatDate(kMorning, settings, text, sizeof text), 5u);
  EXPECT_STREQ(text, "07.03");
}

TEST(RuntimeSettingsTest, CivilTimeFromUnixSeconds) {
  CivilTime time = CivilFromUnixSeconds(0, 0);
  EXPECT_EQ(time.year, 1970);
  EXPECT_EQ(time.day, 1);
  // 2024-02-29 23:59:59 UTC, then one hour east of UTC.
  time = CivilFromUnixSeconds(1709251199, 0);
  EXPECT_EQ(time.year, 2024);
  EXPECT_EQ(time.month, 2);
  EXPECT_EQ(time.day, 29);
  EXPECT_EQ(time.hour, 23);
  EXPECT_EQ(time.second, 59);
  time = CivilFromUnixSeconds(1709251199, 3600);
  EXPECT_EQ(time.month, 3);
  EXPECT_EQ(time.day, 1);
  EXPECT_EQ(time.hour, 0);
  time = CivilFromUnixSeconds(-1, 0);
  EXPECT_EQ(time.year, 1969);
  EXPECT_EQ(time.hour, 23);
}

TEST(RuntimeSettingsTest, SignalSafeClockAgreesWithTheLocalClock) {
  const CivilTime local = LocalTimeNow();
  const CivilTime computed = CivilFromUnixSeconds(UnixSecondsNow(), UtcOffsetSecondsNow());
  EXPECT_EQ(computed.year, local.year);
  EXPECT_EQ(computed.day, local.day);
  EXPECT_EQ(computed.hour, local.hour);
}

}  // namespace
}  // namespace ivarscan
