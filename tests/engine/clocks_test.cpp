// The clock panel on the virtual clock: texts, redraw rules, midnight, the
// 100-hour freeze and the search progress line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "console/virtual_console.h"
#include "engine/kvspiel.h"
#include "shell/kv.h"

namespace {

class Uhren : public ::testing::Test {
 protected:
  void SetUp() override {
    kvspiel_reset();
    vc.set_clock({2025, 12, 18, 10, 30, 0, 0});  // a Thursday
    console_use(vc);
    INITIALISIERE();
    setze_zeichensatz();
    uhren_starten();
    ZEITEIN = true;
    // The zeros the board draws before the clocks run.
    for (int y = 21; y <= 23; ++y) {
      GOTOXY(16, y);
      WRITE("00 Std. 00 Min. 00");
    }
    GOTOXY(35, 25);
    WRITE("00.00.00 ..........                  00.00.00");
  }
  void um(int y, int mo, int d, int h, int mi, int s, int hs = 0) {
    vc.set_clock({y, mo, d, h, mi, s, hs});
    SCHREIBE_ZEIT_ORB();
  }
  void um(int h, int mi, int s, int hs = 0) { um(2025, 12, 18, h, mi, s, hs); }
  std::string text(int x, int y, int n) { return screen_row(y).substr(x - 1, n); }
  void uebermale(int y) {
    GOTOXY(1, y);
    WRITE(std::string(79, '#'));
  }
  VirtualConsole vc;
};

TEST_F(Uhren, GermanDateLine) {
  TAG_ALT = 0;
  um(10, 30, 1);
  EXPECT_EQ(text(16, 19, 24), "Donnerstag, 18.12.2025, ");
  um(2026, 1, 5, 10, 30, 2);
  EXPECT_EQ(text(16, 19, 24), "Montag, 5.1.2026,       ");
}

TEST_F(Uhren, EnglishDateLineShortensLongWeekdays) {
  SP_D = false;
  uebermale(19);
  um(2025, 5, 14, 10, 30, 1);
  EXPECT_EQ(text(15, 19, 25), "Weds., 14th May 2025,   #");
  um(2025, 5, 7, 10, 30, 2);
  EXPECT_EQ(text(15, 19, 25), "Wednesday, 7th May 2025,#");
  um(2025, 3, 22, 10, 30, 3);
  EXPECT_EQ(text(15, 19, 25), "Sat., 22nd March 2025,  #");
  um(2025, 5, 1, 10, 30, 4);
  EXPECT_EQ(text(15, 19, 25), "Thursday, 1st May 2025, #");
}

TEST_F(Uhren, EnglishTwelveHourTime) {
  SP_D = false;
  STD_ALT = 99;
  um(0, 5, 9);
  EXPECT_EQ(text(15, 20, 14), "12:05 a.m., 09");
  um(12, 30, 0);
  EXPECT_EQ(text(15, 20, 14), "12:30 p.m., 00");
  SEK_ALT = 60;
  um(15, 4, 0);
  EXPECT_EQ(text(15, 20, 14), "03:04 p.m., 00");
}

TEST_F(Uhren, GermanTimeRedrawsOnlyWhatChanged) {
  STD_ALT = 99;
  um(15, 4, 7);
  EXPECT_EQ(text(16, 20, 13), "15.04 Uhr, 07");
  uebermale(20);
  um(15, 4, 7, 60);  // the same second: nothing at all
  EXPECT_EQ(text(16, 20, 13), "#############");
  um(15, 4, 8);  // the units digit only
  EXPECT_EQ(text(16, 20, 13), "############8");
  um(15, 4, 10);  // both digits of the seconds
  EXPECT_EQ(text(16, 20, 13), "###########10");
  um(15, 5, 0);  // from the minutes on
  EXPECT_EQ(text(16, 20, 13), "###05 Uhr, 00");
}

TEST_F(Uhren, FirstCallWritesBothSecondDigits) {
  um(10, 30, 0, 50);
  EXPECT_EQ(text(27, 20, 2), "00");
}

TEST_F(Uhren, GameDurationRunsOverMidnight) {
  vc.set_clock({2025, 12, 18, 23, 59, 58, 0});
  uhren_starten();
  um(2025, 12, 18, 23, 59, 59);
  EXPECT_EQ(text(16, 21, 18), "00 Std. 00 Min. 01");
  um(2025, 12, 19, 0, 0, 3);
  EXPECT_EQ(text(16, 21, 18), "00 Std. 00 Min. 05");
  EXPECT_EQ(text(16, 19, 23), "Freitag, 19.12.2025,   ");
  EXPECT_EQ(text(16, 20, 13), "00.00 Uhr, 03");
  um(2025, 12, 19, 1, 2, 4);
  EXPECT_EQ(text(16, 21, 18), "01 Std. 02 Min. 06");
  EXPECT_EQ(text(16, 23, 18), "01 Std. 02 Min. 06");  // nobody thought: all answering time
}

TEST_F(Uhren, VirtualDateMovesToItsFollowingDayAfterMidnight) {
  VIRTUALDATE = true;
  VIRJ1 = 1582, VIRM1 = 10, VIRT1 = 4, VIRWT1 = 4;  // followed by Friday 15 October
  ZWEITESDATUM();
  vc.set_clock({2025, 12, 18, 23, 59, 58, 0});
  uhren_starten();
  TAG_ALT = 0;
  um(2025, 12, 18, 23, 59, 59);
  EXPECT_EQ(text(16, 19, 23), "Donnerstag, 4.10.1582, ");
  EXPECT_TRUE(VIRTUALOLDDATE);
  um(2025, 12, 19, 0, 0, 1);
  EXPECT_EQ(text(16, 19, 23), "Freitag, 15.10.1582,   ");
  EXPECT_FALSE(VIRTUALOLDDATE);
  EXPECT_EQ(JAHR, 1582);
}

TEST_F(Uhren, TheDayAfterTheLastVirtualDateIsInYear10000) {
  for (const bool deutsch : {true, false}) {
    SP_D = deutsch;
    VIRTUALDATE = true;
    VIRJ1 = 9999, VIRM1 = 12, VIRT1 = 31, VIRWT1 = 5;
    ZWEITESDATUM();
    vc.set_clock({2025, 12, 18, 23, 59, 58, 0});
    uhren_starten();
    VIRTUALOLDDATE = true;
    TAG_ALT = 0;
    um(2025, 12, 18, 23, 59, 59);
    um(2025, 12, 19, 0, 0, 1);
    if (deutsch)
      EXPECT_EQ(text(16, 19, 23), "Samstag, 1.1.10000,    ");
    else
      EXPECT_EQ(text(15, 19, 24), "Sat., 1st Jan. 10000,   ");
  }
}

TEST_F(Uhren, ThinkingAndAnsweringTime) {
  SP_D = false;
  for (int y = 21; y <= 23; ++y) {
    GOTOXY(15, y);
    WRITE("00 hours 00 min. 00");
  }
  RATENDRAN = RATENDRAN_ALT = true;  // the codebreaker thinks from the start
  um(10, 30, 5);
  EXPECT_EQ(text(15, 22, 19), "00 hours 00 min. 05");
  RATENDRAN = false;
  um(10, 30, 5, 20);  // the thinking period ends within the second
  um(10, 30, 8);
  EXPECT_EQ(text(15, 21, 19), "00 hours 00 min. 08");
  EXPECT_EQ(text(15, 22, 19), "00 hours 00 min. 05");
  EXPECT_EQ(text(15, 23, 19), "00 hours 00 min. 03");
  EXPECT_EQ(HILFSZEIT, 520);
}

TEST_F(Uhren, ClocksFreezeAtOneHundredHours) {
  HILFSZEIT = 36000000 - 100;
  um(10, 30, 1);
  EXPECT_EQ(text(16, 22, 18), "99 Std. 59 Min. 59");
  EXPECT_TRUE(STD_RATEN_KL100);
  RATENDRAN = true;
  um(10, 30, 2);
  um(10, 30, 3);
  EXPECT_EQ(text(16, 22, 18), "99 Std. 59 Min. 59");
  EXPECT_FALSE(STD_RATEN_KL100);
  EXPECT_EQ(text(16, 23, 18), "00 Std. 00 Min. 00");  // never below zero
  uebermale(22);
  um(10, 31, 0);
  EXPECT_EQ(text(16, 22, 18), "##################");
  EXPECT_EQ(text(16, 21, 18), "00 Std. 01 Min. 00");
}

TEST_F(Uhren, StoppedClocksDrawNothingAndTheCursorStays) {
  ZEITEIN = false;
  GOTOXY(50, 9);
  um(10, 30, 1);
  EXPECT_EQ(text(27, 20, 2), "  ");
  EXPECT_EQ(WHEREX(), 50);
  ZEITEIN = true;
  um(10, 30, 2);
  EXPECT_EQ(text(27, 20, 2), "02");
  EXPECT_EQ(WHEREX(), 50);
  EXPECT_EQ(WHEREY(), 9);
}

class Suche : public Uhren {
 protected:
  void SetUp() override {
    Uhren::SetUp();
    ZEITLIMIT = 1000;  // 10 seconds
    ZEITLIMIT99 = 1099;
    ZEITLIMIT_DIV_10 = 100;
    ZEITLIMIT_GR_0 = true;
    RATEN_ZEITANZEIGE = true;
    SETZE_RATE_ZEIT_AKT = true;
    ZAHL_DER_VERSUCHE = 1000;
    NUMMER_PLUS = 100;
    um(10, 30, 0, 10);  // the search starts
    MERKEZEITLETZTERVERSUCH = MERKE_RATE_ZEIT_AKT + 500;
  }
};

TEST_F(Suche, HalfTheLimitShowsFiveStars) {
  GERATENE_VERSUCHE = 30;  // fewer than half of the items before a decision
  um(10, 30, 6);
  EXPECT_EQ(text(44, 25, 10), "***.......");
  GERATENE_VERSUCHE = 50;
  um(10, 30, 7);
  EXPECT_EQ(text(44, 25, 10), "*****.....");
  EXPECT_EQ(ZAHL_DER_STERNE, 5u);
  EXPECT_EQ(text(35, 25, 8), "00.00.06");
}

TEST_F(Suche, EstimateIsCappedByTheTimeLimit) {
  GERATENE_VERSUCHE = 50;
  ZEITLIMIT_GR_0 = false;
  um(10, 30, 6, 10);
  // 500 x 950 / 50 less the smaller of 100 since the last item and 10 per item.
  EXPECT_EQ(RESTZEIT, 9490);
  EXPECT_EQ(text(72, 25, 8), "00.01.34");
  ZEITLIMIT_GR_0 = true;
  um(10, 30, 7, 10);
  EXPECT_EQ(RESTZEIT, 599);
  EXPECT_EQ(text(72, 25, 8), "00.00.05");
  ZAHL_DER_VERSUCHE = 2000000000;  // an estimate beyond 100 hours
  ZEITLIMIT_GR_0 = false;
  MERKEZEITLETZTERVERSUCH = MERKE_RATE_ZEIT_AKT + 90000;
  um(10, 45, 0);
  EXPECT_EQ(text(72, 25, 8), "99.59.59");
}

TEST_F(Suche, AllItemsDoneFillsTheBarAndShowsTheCandidate) {
  X.laenge = 4;
  std::memcpy(kandidat_anzeige.z, "0123", 4);
  NEUER_KANDIDAT = true;
  GERATENE_VERSUCHE = ZAHL_DER_VERSUCHE;
  GOTOXY(50, 9);
  um(10, 30, 1);
  EXPECT_EQ(text(44, 25, 10), "**********");
  EXPECT_EQ(text(50, 9, 4), "0123");
  EXPECT_FALSE(NEUER_KANDIDAT);
  EXPECT_EQ(RESTZEIT, 0);
  EXPECT_EQ(WHEREX(), 50);
}

}  // namespace
