// The calendar rules: leap years, weekdays across 1582, the following day,
// and the game date of the clock.
#include <gtest/gtest.h>

#include "console/calendar_math.h"
#include "engine/kvspiel.h"
#include "extras/zuf.h"
#include "shell/kv.h"

namespace {

TEST(CalendarRules, LeapYearsJulianUpTo1582) {
  EXPECT_TRUE(schaltjahr(0));
  EXPECT_TRUE(schaltjahr(1500));
  EXPECT_TRUE(schaltjahr(1580));
  EXPECT_FALSE(schaltjahr(1582));
  EXPECT_FALSE(schaltjahr(1700));
  EXPECT_FALSE(schaltjahr(1900));
  EXPECT_TRUE(schaltjahr(2000));
  EXPECT_TRUE(schaltjahr(2024));
  EXPECT_FALSE(schaltjahr(2023));
  EXPECT_FALSE(schaltjahr_gregorianisch(1500));
  EXPECT_EQ(monatslaenge(2, true), 29);
  EXPECT_EQ(monatslaenge(2, false), 28);
  EXPECT_EQ(monatslaenge(9, true), 30);
  EXPECT_EQ(monatslaenge(12, false), 31);
}

TEST(CalendarRules, KnownWeekdays) {
  EXPECT_EQ(wochentag(0, 1, 1), 4);  // Thursday
  EXPECT_EQ(wochentag(0, 3, 1), 1);  // Monday: year 0 is a leap year
  EXPECT_EQ(wochentag(1, 1, 1), 6);
  EXPECT_EQ(wochentag(1582, 10, 4), 4);
  EXPECT_EQ(wochentag(1582, 10, 15), 5);
  EXPECT_EQ(wochentag(1582, 10, 17), 0);
  EXPECT_EQ(wochentag(2000, 1, 1), 6);
  EXPECT_EQ(wochentag(2025, 12, 18), 4);
  EXPECT_EQ(wochentag(9999, 12, 31), 5);
}

// Walking day by day from 1 January 0000 to 31 December 9999: the weekday
// goes up by one each day, and from 15 October 1582 on the dates and
// weekdays agree with the proleptic Gregorian day count.
TEST(CalendarRules, EveryDayFollowsTheDayBefore) {
  std::uint16_t j = 0, m = 1, t = 1, wt = 4;
  long tage = 0;
  while (j <= 9999) {
    ASSERT_EQ(wochentag(j, m, t), wt) << j << "-" << m << "-" << t;
    ASSERT_LE(t, monatslaenge(m, schaltjahr(j)));
    ASSERT_FALSE(j == 1582 && m == 10 && t > 4 && t < 15);
    if (j > 1582 || (j == 1582 && (m > 10 || (m == 10 && t >= 15)))) {
      std::int64_t y;
      unsigned mm, dd;
      const std::int64_t z = days_from_civil(j, m, t);
      civil_from_days(z, y, mm, dd);
      ASSERT_EQ(y, j);
      ASSERT_EQ(mm, m);
      ASSERT_EQ(dd, t);
      ASSERT_EQ(weekday_from_days(z), wt);
    }
    std::uint16_t j2, m2, t2, wt2;
    folgetag(j, m, t, wt, j2, m2, t2, wt2);
    ASSERT_EQ(wt2, (wt + 1) % 7);
    j = j2;
    m = m2;
    t = t2;
    wt = wt2;
    ++tage;
  }
  EXPECT_EQ(j, 10000);
  EXPECT_EQ(m, 1);
  EXPECT_EQ(t, 1);
  // 10000 Julian-rule years up to 1582 and Gregorian ones after, less ten days.
  long erwartet = 0;
  for (int y = 0; y <= 9999; ++y) erwartet += schaltjahr(static_cast<std::uint16_t>(y)) ? 366 : 365;
  EXPECT_EQ(tage, erwartet - 10);
}

struct Folge {
  std::uint16_t j, m, t, wt, j2, m2, t2, wt2;
};

TEST(CalendarRules, SecondDateIsTheFollowingDay) {
  const Folge faelle[] = {
      {1900, 2, 28, 3, 1900, 3, 1, 4},   {1500, 2, 28, 4, 1500, 2, 29, 5},
      {1582, 10, 4, 4, 1582, 10, 15, 5}, {2025, 12, 20, 6, 2025, 12, 21, 0},
      {9999, 12, 31, 5, 10000, 1, 1, 6}, {2025, 4, 30, 3, 2025, 5, 1, 4},
      {2025, 1, 31, 5, 2025, 2, 1, 6},   {2024, 2, 28, 3, 2024, 2, 29, 4},
      {2024, 2, 29, 4, 2024, 3, 1, 5},   {2025, 6, 29, 0, 2025, 6, 30, 1},
  };
  for (const Folge& f : faelle) {
    VIRJ1 = f.j;
    VIRM1 = f.m;
    VIRT1 = f.t;
    VIRWT1 = f.wt;
    ZWEITESDATUM();
    EXPECT_EQ(VIRJ2, f.j2) << f.j << "-" << f.m << "-" << f.t;
    EXPECT_EQ(VIRM2, f.m2) << f.j << "-" << f.m << "-" << f.t;
    EXPECT_EQ(VIRT2, f.t2) << f.j << "-" << f.m << "-" << f.t;
    EXPECT_EQ(VIRWT2, f.wt2) << f.j << "-" << f.m << "-" << f.t;
  }
  kvspiel_reset();
}

}  // namespace
