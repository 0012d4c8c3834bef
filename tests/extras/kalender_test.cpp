// The weekday calendar page and the virtual game date it sets.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/kvspiel.h"
#include "extras/zuf.h"
#include "extras_support.h"
#include "shell/kv.h"

namespace {

using extras_test::Ablauf;
using extras_test::Umgebung;

const std::string RAND(16, ' ');

void kalender(bool deutsch = true) {
  KALENDER(deutsch, 31, 30, VIRTUALDATE, VIRJ1, VIRM1, VIRT1, VIRWT1);
}

// The game date left behind, and whether it is a virtual one.
void virtuell(int j, int m, int t, int wt, bool ist_virtuell = true) {
  EXPECT_EQ(VIRTUALDATE, ist_virtuell);
  EXPECT_EQ(VIRJ1, j);
  EXPECT_EQ(VIRM1, m);
  EXPECT_EQ(VIRT1, t);
  EXPECT_EQ(VIRWT1, wt);
}

TEST(Calendar, GermanPage) {
  Umgebung u(2025, 12, 18);
  Harness& h = u.h;
  Ablauf a(h);
  a.dann([&] {
    EXPECT_EQ(h.row(1), pad("Bitte stellen Sie Ihr virtuelles Spieldatum ein:"));
    EXPECT_EQ(h.attr(1, 1), 30);
    EXPECT_EQ(h.attr(48, 1), 30);
    EXPECT_EQ(h.attr(49, 1), 31);
    EXPECT_EQ(h.row(2), pad(""));
    EXPECT_EQ(h.row(3), pad("Gehen Sie dazu mit den Cursor-tasten (\"Pfeile\" nach rechts, links, "
                            "oben und"));
    EXPECT_EQ(h.row(6), pad("Haben Sie das Datum korrigiert, so druecken Sie \"CR\"/\"ENTER\"."));
    EXPECT_EQ(h.row(8), pad("Beachten Sie dabei bitte folgendes:"));
    EXPECT_EQ(h.attr(1, 8), 30);
    EXPECT_EQ(h.row(11),
              pad("Jede Eingabe bewirkt eine sofortige Aenderung des virtuellen Spieldatums."));
    EXPECT_EQ(h.attr(26, 11), 31);
    EXPECT_EQ(h.attr(27, 11), 30);
    EXPECT_EQ(h.attr(72, 11), 30);
    EXPECT_EQ(h.attr(73, 11), 31);
    EXPECT_EQ(h.row(14),
              pad("Sie koennen diesen Programmteil auch als Wochentagskalender von 0000 bis 9999"));
    EXPECT_EQ(h.row(15), pad("verwenden. Ein Tastendruck auf \"F1\" setzt dann das angezeigte "
                             "virtuelle"));
    EXPECT_EQ(h.attr(32, 15), 30);
    EXPECT_EQ(h.attr(35, 15), 30);
    EXPECT_EQ(h.attr(36, 15), 31);
    EXPECT_EQ(h.row(16), pad("Spieldatum auf das urspruengliche reale Datum zurueck."));
    EXPECT_EQ(h.row(17), pad(""));
    EXPECT_EQ(h.row(18), pad(RAND + "Jahr (0000 - 9999): 2025 (ist kein Schaltjahr.)"));
    EXPECT_EQ(h.row(19), pad(RAND + "Monat    (01 - 12): 12.  (Dezember) "));
    EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 31): 18."));
    EXPECT_EQ(h.row(21), pad(RAND + "Wochentag         : Donnerstag."));
    EXPECT_EQ(h.row(22), pad(""));
    EXPECT_EQ(h.row(23), pad("   Auf Donnerstag, den 4. Oktober 1582 folgt Freitag, der 15. "
                             "Oktober 1582."));
    EXPECT_EQ(h.row(24),
              pad("   Zu dieser Zeit wurde der damals gueltige Julianische Kalender auf den"));
    EXPECT_EQ(h.row(25), pad("   heute gueltigen Gregorianischen Kalender umgestellt."));
    EXPECT_EQ(h.attr(37, 18), 31);
    EXPECT_EQ(WHEREX(), 37);
    EXPECT_EQ(WHEREY(), 18);
    h.vc.push_key(13);
  });
  kalender();
  EXPECT_EQ(a.erledigt(), 1u);
  EXPECT_TRUE(h.vc.set_calls.empty());
  EXPECT_EQ(TEXTATTR, 31);
}

TEST(Calendar, EnglishPage) {
  Umgebung u(2025, 12, 18);
  Harness& h = u.h;
  Ablauf a(h);
  a.dann([&] {
    EXPECT_EQ(h.row(1), pad("Please set the right virtual date of the game:"));
    EXPECT_EQ(h.row(3),
              pad("Please move the cursor with the cursor-keys ('arrows' to the left, to the"));
    EXPECT_EQ(h.row(4), pad("right, upwards and downwards) to the position, you want to change."));
    EXPECT_EQ(h.row(5), pad("Now you can correct the wrong digits by pressing the right digits."));
    EXPECT_EQ(h.row(6), pad("If the virtual date is o.k., please press 'CR'/'ENTER'."));
    EXPECT_EQ(h.row(9),
              pad("You cannot change the day of the week, because it results from the date."));
    EXPECT_EQ(h.attr(22, 9), 31);
    EXPECT_EQ(h.attr(23, 9), 30);
    EXPECT_EQ(h.attr(37, 9), 30);
    EXPECT_EQ(h.attr(38, 9), 31);
    EXPECT_EQ(h.row(10), pad("Besides you get the information, whether the displayed year is a "
                             "leap-year."));
    EXPECT_EQ(h.row(11),
              pad("To press a key effects an immediate change of the virtual date of the game."));
    EXPECT_EQ(h.row(12), pad("There are only changes allowed, which have a correct result."));
    EXPECT_EQ(h.row(14),
              pad("You can use this part of the program as well as calendar from 0000 to 9999."));
    EXPECT_EQ(h.row(15), pad("It is possible to reset the virtual date that you can see on the "
                             "screen with"));
    EXPECT_EQ(h.row(16), pad("the initial real date rememberd by the computer by pressing the "
                             "'F1'-key."));
    EXPECT_EQ(h.attr(65, 16), 30);
    EXPECT_EQ(h.attr(68, 16), 30);
    EXPECT_EQ(h.attr(69, 16), 31);
    EXPECT_EQ(h.row(18), pad(RAND + "Year (0000 - 9999): 2025 (is no leap-year.)"));
    EXPECT_EQ(h.row(19), pad(RAND + "Month    (01 - 12): 12   (December) "));
    EXPECT_EQ(h.row(20), pad(RAND + "Day      (01 - 31): 18"));
    EXPECT_EQ(h.row(21), pad(RAND + "Day of the week   : Thursday. "));
    EXPECT_EQ(h.row(23), pad("    Thursday, 4th October 1582 is followed by Friday, 15th October "
                             "1582."));
    EXPECT_EQ(h.row(24),
              pad("    At this time the Gregorian Calendar replaced the Julian Calendar."));
    EXPECT_EQ(h.row(25), pad(""));
    h.vc.push_key(27);
  });
  kalender(false);
  EXPECT_EQ(a.erledigt(), 1u);
}

// (Year digits typed from the first one leave the cursor there again.)
// From the first year digit down to the month, the day's tens and right to its units.
void zu_den_tageseinern(Harness& h) {
  h.vc.push_ext(80);
  h.vc.push_ext(80);
  h.vc.push_ext(77);
}

// The ends of the range: a year typed over the clock's date, the leap-year
// note and the weekday, and the date kept by Enter or Ctrl-C.
TEST(Calendar, YearZeroAndYear9999) {
  const struct {
    int monat, tag;
    const char* jahr;
    bool deutsch;
    const char *zeile18, *zeile21;
    unsigned char ende;
    int wt;
  } faelle[] = {
      {1, 1, "0000", true, "Jahr (0000 - 9999): 0000 (ist ein Schaltjahr.) ",
       "Wochentag         : Donnerstag.", 13, 4},
      {3, 1, "0000", false, "Year (0000 - 9999): 0000 (is a leap-year.)     ",
       "Day of the week   : Monday.   ", 3, 1},
      {12, 31, "9999", true, "Jahr (0000 - 9999): 9999 (ist kein Schaltjahr.)",
       "Wochentag         : Freitag.   ", 13, 5},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.zeile21);
    Umgebung u(2025, f.monat, f.tag);
    Harness& h = u.h;
    Ablauf a(h);
    a.dann([&] { h.vc.push_keys(f.jahr); });
    a.dann([&] {
      EXPECT_EQ(h.row(18), pad(RAND + f.zeile18));
      EXPECT_EQ(h.row(21), pad(RAND + f.zeile21));
      EXPECT_EQ(WHEREX(), 37);
      EXPECT_EQ(WHEREY(), 18);
      h.vc.push_key(f.ende);
    });
    kalender(f.deutsch);
    EXPECT_EQ(a.erledigt(), 2u);
    virtuell(std::atoi(f.jahr), f.monat, f.tag, f.wt);
  }
}

TEST(Calendar, FebruaryOf1700And1500) {
  Umgebung u(2025, 2, 20);
  Harness& h = u.h;
  Ablauf a(h);
  a.dann([&] { h.vc.push_keys("1700"); });
  a.dann([&] {
    EXPECT_EQ(h.row(18), pad(RAND + "Jahr (0000 - 9999): 1700 (ist kein Schaltjahr.)"));
    EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 28): 20."));
    // To the day's units: 9 is out of range in a common February.
    zu_den_tageseinern(h);
    h.vc.push_keys("9");
  });
  a.dann([&] {
    EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 28): 20."));
    EXPECT_EQ(WHEREX(), 38);
    EXPECT_EQ(WHEREY(), 20);
    // Up twice to the year's hundreds: 1500.
    h.vc.push_ext(72);
    h.vc.push_ext(72);
    h.vc.push_keys("5");
  });
  a.dann([&] {
    EXPECT_EQ(h.row(18), pad(RAND + "Jahr (0000 - 9999): 1500 (ist ein Schaltjahr.) "));
    EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 29): 20."));
    // Back down to the day's units: 9 gives 29 February 1500.
    h.vc.push_ext(80);
    h.vc.push_ext(80);
    h.vc.push_keys("9");
  });
  a.dann([&] {
    EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 29): 29."));
    h.vc.push_key(13);
  });
  kalender();
  EXPECT_EQ(a.erledigt(), 5u);
  virtuell(1500, 2, 29, wochentag(1500, 2, 29));
}

TEST(Calendar, TheTenMissingDaysOf1582) {
  // 7 October: setting the year to 1582 gives 17 October, a Sunday.
  {
    Umgebung u(2025, 10, 7);
    Harness& h = u.h;
    Ablauf a(h);
    a.dann([&] { h.vc.push_keys("1582"); });
    a.dann([&] {
      EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 31): 17."));
      EXPECT_EQ(h.row(21), pad(RAND + "Wochentag         : Sonntag.   "));
      h.vc.push_key(13);
    });
    kalender();
    virtuell(1582, 10, 17, 0);
  }
  // 4 October 1582 is a Thursday; 5 at the day's units gives 15 October, a Friday.
  {
    Umgebung u(2025, 10, 4);
    Harness& h = u.h;
    Ablauf a(h);
    a.dann([&] { h.vc.push_keys("1582"); });
    a.dann([&] {
      EXPECT_EQ(h.row(20), pad(RAND + "Day      (01 - 31): 04"));
      EXPECT_EQ(h.row(21), pad(RAND + "Day of the week   : Thursday. "));
      zu_den_tageseinern(h);
      h.vc.push_keys("5");
    });
    a.dann([&] {
      EXPECT_EQ(h.row(20), pad(RAND + "Day      (01 - 31): 15"));
      EXPECT_EQ(h.row(21), pad(RAND + "Day of the week   : Friday.   "));
      h.vc.push_key(13);
    });
    kalender(false);
    virtuell(1582, 10, 15, 5);
  }
}

TEST(Calendar, LeapDayBecomesTheTwentyEighthInACommonYear) {
  Umgebung u(2024, 2, 29);
  Harness& h = u.h;
  Ablauf a(h);
  a.dann([&] {
    EXPECT_EQ(h.row(18), pad(RAND + "Jahr (0000 - 9999): 2024 (ist ein Schaltjahr.) "));
    EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 29): 29."));
    h.vc.push_ext(75);  // left from the thousands wraps to the units
    h.vc.push_keys("3");
  });
  a.dann([&] {
    EXPECT_EQ(h.row(18), pad(RAND + "Jahr (0000 - 9999): 2023 (ist kein Schaltjahr.)"));
    EXPECT_EQ(h.row(19), pad(RAND + "Monat    (01 - 12): 02.  (Februar)  "));
    EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 28): 28."));
    EXPECT_EQ(h.row(21), pad(RAND + "Wochentag         : Dienstag.  "));
    h.vc.push_key(13);
  });
  kalender();
  virtuell(2023, 2, 28, 2);
}

TEST(Calendar, EnteringAndLeavingSwitchesTheVirtualDateOff) {
  Umgebung u(2025, 12, 18);
  VIRTUALDATE = true;
  VIRJ1 = 1234;
  VIRM1 = 5;
  VIRT1 = 6;
  VIRWT1 = 2;
  u.h.vc.push_key(13);
  kalender();
  virtuell(2025, 12, 18, 4, false);
}

TEST(Calendar, TomorrowSwitchesTheVirtualDateOnAndBackOff) {
  Umgebung u(2025, 12, 18);
  Harness& h = u.h;
  Ablauf a(h);
  a.dann([&] {
    // To the day's units (the month's tens, at 12, are not skipped), then 9.
    zu_den_tageseinern(h);
    h.vc.push_keys("9");
  });
  a.dann([&] {
    // The parameters follow the display at once.
    virtuell(2025, 12, 19, 5);
    EXPECT_EQ(h.row(21), pad(RAND + "Wochentag         : Freitag.   "));
    EXPECT_EQ(WHEREX(), 37);  // after a digit the cursor moves like right
    EXPECT_EQ(WHEREY(), 20);
    h.vc.push_keys("18");  // the tens stay 1, then back to the 18th
  });
  a.dann([&] {
    virtuell(2025, 12, 18, 4, false);
    h.vc.push_keys("2");  // the 28th
  });
  a.dann([&] {
    virtuell(2025, 12, 28, 0);
    h.vc.push_key(13);
  });
  kalender();
  EXPECT_EQ(a.erledigt(), 4u);
  virtuell(2025, 12, 28, 0);
}

TEST(Calendar, F1ThenEnterLeavesTheVirtualDateOff) {
  for (unsigned char f1 : {59, 84, 94, 104}) {
    Umgebung u(2025, 12, 18);
    Harness& h = u.h;
    Ablauf a(h);
    a.dann([&] { h.vc.push_keys("1999"); });
    a.dann([&] {
      virtuell(1999, 12, 18, 6);
      h.vc.push_ext(f1);
    });
    a.dann([&] {
      virtuell(2025, 12, 18, 4, false);
      EXPECT_EQ(h.row(18), pad(RAND + "Jahr (0000 - 9999): 2025 (ist kein Schaltjahr.)"));
      EXPECT_EQ(h.row(21), pad(RAND + "Wochentag         : Donnerstag."));
      EXPECT_EQ(WHEREX(), 37);
      EXPECT_EQ(WHEREY(), 18);
      h.vc.push_key(13);
    });
    kalender();
    EXPECT_EQ(a.erledigt(), 3u) << int(f1);
    virtuell(2025, 12, 18, 4, false);
    EXPECT_TRUE(h.vc.set_calls.empty());
  }
}

TEST(Calendar, CursorWrapsAmongTheDateRows) {
  Umgebung u(2025, 4, 30);
  Harness& h = u.h;
  Ablauf a(h);
  struct Schritt {
    unsigned char taste;
    int x, y;
  };
  // Month 04: its tens are skipped; the day's units are skipped on 30 April.
  static constexpr Schritt schritte[] = {
      {72, 37, 20},  // up from Y1: the day's tens
      {80, 37, 18},  // down from D1: Y1
      {80, 38, 19},  // down: M1 is skipped (04), M2
      {75, 38, 19},  // left to M1: skipped again
      {80, 37, 20},  // down from M2 to D2: skipped (30 April), D1
      {77, 37, 20},  // right to D2: skipped, D1
      {72, 38, 19},  // up from D1 to M1: skipped, M2
      {72, 38, 18},  // up from M2: Y2
      {77, 39, 18}, {77, 40, 18}, {77, 37, 18},
      {75, 40, 18}, {72, 37, 20},  // up from Y4: D2, skipped to D1
  };
  // Each step checks where the previous key left the cursor, then presses the next.
  a.dann([&h] { h.vc.push_ext(schritte[0].taste); });
  for (std::size_t i = 1; i < std::size(schritte); ++i) {
    a.dann([&h, vorher = schritte[i - 1], s = schritte[i]] {
      EXPECT_EQ(WHEREX(), vorher.x) << int(vorher.taste);
      EXPECT_EQ(WHEREY(), vorher.y) << int(vorher.taste);
      h.vc.push_ext(s.taste);
    });
  }
  a.dann([&] {
    EXPECT_EQ(WHEREX(), 37);
    EXPECT_EQ(WHEREY(), 20);
    h.vc.push_keys("19");  // the 10th (the cursor moves on to the units), then the 19th
  });
  a.dann([&] {
    EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 30): 19."));
    h.vc.push_key(13);
  });
  kalender();
  EXPECT_EQ(a.erledigt(), a.anzahl());
  virtuell(2025, 4, 19, 6);
}

TEST(Calendar, ThroughTheMenu) {
  Harness h;
  zuf_reset();
  h.vc.push_keys("d3");
  h.vc.push_ext(80);
  h.vc.push_ext(80);
  h.vc.push_ext(77);
  h.vc.push_keys("9");
  h.vc.push_key(13);
  h.vc.push_keys("9");
  h.run();
  virtuell(2025, 12, 19, 5);
  EXPECT_TRUE(h.vc.set_calls.empty());
  EXPECT_TRUE(h.shows("Bye-bye!"));
}

}  // namespace
