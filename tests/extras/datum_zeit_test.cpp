// The date-and-time page: the running clock, the digit editor and the calls
// that reach the (virtual) system clock.
#include <gtest/gtest.h>

#include "engine/kvspiel.h"
#include "extras/zuf.h"
#include "extras_support.h"
#include "shell/kv.h"

namespace {

using extras_test::Ablauf;
using extras_test::Umgebung;

const std::string RAND(16, ' ');

void seite(bool deutsch = true) {
  KORRIGIERE_ZEIT(deutsch, 31, 30);
}

// A call to the clock setter: a date (year, month, day) or a time (hour, minute, second).
void ist_datum(const VirtualConsole::SetCall& c, int a, int b, int d, bool datum = true) {
  EXPECT_EQ(c.is_date, datum);
  EXPECT_EQ(c.a, a);
  EXPECT_EQ(c.b, b);
  EXPECT_EQ(c.c, d);
}

// From the first year digit down to the month, the day and the hour.
void runter(Harness& h, int n) {
  for (int i = 0; i < n; ++i) h.vc.push_ext(80);
}

TEST(DateAndTime, GermanPage) {
  Umgebung u(2025, 12, 18, 10, 30, 5);
  Harness& h = u.h;
  Ablauf a(h);
  a.dann([&] {
    EXPECT_EQ(h.row(1), pad("Bitte stellen Sie Datum und Uhrzeit ein (benoetigt "
                            "Administrationsrechte):"));
    EXPECT_EQ(h.attr(1, 1), 30);
    EXPECT_EQ(h.attr(74, 1), 30);
    EXPECT_EQ(h.attr(75, 1), 31);
    EXPECT_EQ(h.row(3), pad("Gehen Sie dazu mit den Cursor-tasten (\"Pfeile\" nach rechts, links, "
                            "oben und"));
    EXPECT_EQ(h.row(4), pad("unten) auf die Position, die Sie aendern wollen."));
    EXPECT_EQ(h.row(5),
              pad("Ueberschreiben Sie dann einfach die falschen Ziffern mit den richtigen."));
    EXPECT_EQ(h.row(6), pad("Haben Sie das Datum und die Uhrzeit korrigiert, so druecken Sie "
                            "\"CR\"/\"ENTER\"."));
    EXPECT_EQ(h.row(7), pad(""));
    EXPECT_EQ(h.row(8), pad("Beachten Sie dabei bitte folgendes:"));
    EXPECT_EQ(h.row(9),
              pad("Den Wochentag koennen Sie nicht aendern, er ergibt sich aus dem Datum."));
    EXPECT_EQ(h.attr(4, 9), 31);
    EXPECT_EQ(h.attr(5, 9), 30);
    EXPECT_EQ(h.attr(13, 9), 30);
    EXPECT_EQ(h.attr(14, 9), 31);
    EXPECT_EQ(h.row(10),
              pad("Zusaetzliche wird angezeigt, ob das aktuelle Jahr ein Schaltjahr ist."));
    EXPECT_EQ(h.attr(55, 10), 30);
    EXPECT_EQ(h.attr(65, 10), 31);
    EXPECT_EQ(h.row(11),
              pad("Jede Eingabe bewirkt eine sofortige Aenderung von Datum, bzw. Uhrzeit."));
    EXPECT_EQ(h.row(12), pad("Es werden nur Aenderungen zugelassen,die auch zu gueltigen "
                             "Ergebnissen fuehren."));
    EXPECT_EQ(h.row(14), pad("Sie koennen diesen Programmteil auch als Wochentagskalender ab 1980 "
                             "verwenden."));
    EXPECT_EQ(h.attr(42, 14), 30);
    EXPECT_EQ(h.attr(67, 14), 30);
    EXPECT_EQ(h.attr(68, 14), 31);
    EXPECT_EQ(h.row(15), pad("Ein Tastendruck auf \"F1\" setzt dann das angezeigte gueltige Datum "
                             "auf das"));
    EXPECT_EQ(h.row(16), pad("urspruengliche Datum zurueck, das sich der Computer gemerkt hat."));
    EXPECT_EQ(h.row(18), pad(RAND + "Jahr (1980 - ???"
                                    "?): 2025 (ist kein Schaltjahr.)"));
    EXPECT_EQ(h.row(19), pad(RAND + "Monat    (01 - 12): 12.  (Dezember) "));
    EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 31): 18."));
    EXPECT_EQ(h.row(21), pad(RAND + "Wochentag         : Donnerstag."));
    EXPECT_EQ(h.row(22), pad(""));
    EXPECT_EQ(h.row(23), pad(RAND + "Stunde   (00 - 23): 10 Uhr,"));
    EXPECT_EQ(h.row(24), pad(RAND + "Minute   (00 - 59): 30 Minuten und"));
    EXPECT_EQ(h.row(25), pad(RAND + "Sekunde  (00 - 59): 05 Sekunden."));
    EXPECT_EQ(WHEREX(), 37);
    EXPECT_EQ(WHEREY(), 18);
    h.vc.push_key(13);
  });
  seite();
  EXPECT_EQ(a.erledigt(), 1u);
  EXPECT_TRUE(h.vc.set_calls.empty());
  EXPECT_EQ(TEXTATTR, 31);
}

TEST(DateAndTime, EnglishPage) {
  Umgebung u(2024, 2, 7, 15, 4, 0);
  Harness& h = u.h;
  Ablauf a(h);
  a.dann([&] {
    EXPECT_EQ(h.row(1),
              pad("Please set the right date and time (administration rights are required):"));
    EXPECT_EQ(h.row(6), pad("If date and time are o.k., please press 'CR'/'ENTER'."));
    EXPECT_EQ(h.row(8), pad("Please note the following:"));
    EXPECT_EQ(h.row(11), pad("To press a key effects an immediate change of the date respectively "
                             "the time."));
    EXPECT_EQ(h.row(14),
              pad("You can use this part of the program as well as calendar (from 1980)."));
    EXPECT_EQ(h.attr(49, 14), 30);
    EXPECT_EQ(h.attr(68, 14), 30);
    EXPECT_EQ(h.attr(69, 14), 31);
    EXPECT_EQ(h.row(15),
              pad("It is possible to reset the valid date that you can see on the screen with"));
    EXPECT_EQ(h.row(16),
              pad("the initial date rememberd by the computer by pressing the 'F1'-key."));
    EXPECT_EQ(h.row(18), pad(RAND + "Year (1980 - ???"
                                    "?): 2024 (is a leap-year.) "));
    EXPECT_EQ(h.row(19), pad(RAND + "Month    (01 - 12): 02   (February) "));
    EXPECT_EQ(h.row(20), pad(RAND + "Day      (01 - 29): 07"));
    EXPECT_EQ(h.row(21), pad(RAND + "Day of the week   : Wednesday."));
    EXPECT_EQ(h.row(23), pad(RAND + "Hour     (00 - 23): 15 (= 03 p.m.)"));
    EXPECT_EQ(h.row(24), pad(RAND + "Minute   (00 - 59): 04 minutes and"));
    EXPECT_EQ(h.row(25), pad(RAND + "Second   (00 - 59): 00 seconds."));
    h.vc.push_key(27);
  });
  seite(false);
  EXPECT_EQ(a.erledigt(), 1u);
}

TEST(DateAndTime, EnglishTwelveHourForms) {
  const struct {
    int stunde;
    const char* zeile;
  } faelle[] = {{0, "00 (= 12 a.m.)"},  {1, "01 (= 01 a.m.)"},  {11, "11 (= 11 a.m.)"},
                {12, "12 (= 12 p.m.)"}, {13, "13 (= 01 p.m.)"}, {23, "23 (= 11 p.m.)"}};
  for (const auto& f : faelle) {
    Umgebung u(2025, 12, 18, f.stunde, 0, 0);
    u.h.vc.push_key(13);
    seite(false);
    EXPECT_EQ(u.h.row(23), pad(RAND + "Hour     (00 - 23): " + f.zeile));
  }
  // Overwriting the hour redraws the 12-hour form with it.
  Umgebung u(2025, 12, 18, 10, 30, 0);
  Harness& h = u.h;
  Ablauf a(h);
  const struct {
    const char* ziffer;
    const char* zeile;
  } schritte[] = {{"2", "20 (= 08 p.m.)"}, {"3", "23 (= 11 p.m.)"}, {"1", "13 (= 01 p.m.)"},
                  {"2", "12 (= 12 p.m.)"}, {"0", "02 (= 02 a.m.)"}, {"0", "00 (= 12 a.m.)"}};
  a.dann([&] {
    runter(h, 3);
    h.vc.push_keys(schritte[0].ziffer);
  });
  for (std::size_t i = 0; i < std::size(schritte); ++i) {
    a.dann([&h, &schritte, i] {
      EXPECT_EQ(h.row(23), pad(RAND + "Hour     (00 - 23): " + schritte[i].zeile));
      if (i + 1 < std::size(schritte))
        h.vc.push_keys(schritte[i + 1].ziffer);
      else
        h.vc.push_key(13);
    });
  }
  seite(false);
  EXPECT_EQ(a.erledigt(), a.anzahl());
  ASSERT_EQ(h.vc.set_calls.size(), 6u);
  ist_datum(h.vc.set_calls[0], 20, 30, 0, false);
  ist_datum(h.vc.set_calls[5], 0, 30, 0, false);
}

TEST(DateAndTime, HourTwentyNineBecomesTwenty) {
  Umgebung u(2025, 12, 18, 19, 45, 12);
  Harness& h = u.h;
  Ablauf a(h);
  a.dann([&] {
    runter(h, 3);
    h.vc.push_keys("2");
  });
  a.dann([&] {
    EXPECT_EQ(h.row(23), pad(RAND + "Stunde   (00 - 23): 20 Uhr,"));
    EXPECT_EQ(WHEREX(), 38);
    EXPECT_EQ(WHEREY(), 23);
    h.vc.push_keys("5");  // above 3 at the units of hour 20: refused
    h.vc.push_keys("3");
  });
  a.dann([&] {
    EXPECT_EQ(h.row(23), pad(RAND + "Stunde   (00 - 23): 23 Uhr,"));
    h.vc.push_key(13);
  });
  seite();
  EXPECT_EQ(a.erledigt(), 3u);
  ASSERT_EQ(h.vc.set_calls.size(), 2u);
  ist_datum(h.vc.set_calls[0], 20, 45, 12, false);
  ist_datum(h.vc.set_calls[1], 23, 45, 12, false);
}

TEST(DateAndTime, MonthTensSkippedAboveTwo) {
  {
    Umgebung u(2025, 9, 10);
    Harness& h = u.h;
    Ablauf a(h);
    a.dann([&] { runter(h, 1); });
    a.dann([&] {
      EXPECT_EQ(WHEREX(), 38);  // straight to the units
      EXPECT_EQ(WHEREY(), 19);
      h.vc.push_keys("1");
    });
    a.dann([&] {
      EXPECT_EQ(h.row(19), pad(RAND + "Monat    (01 - 12): 01.  (Januar)   "));
      EXPECT_EQ(WHEREX(), 37);  // 01: the tens can be reached again
      h.vc.push_key(13);
    });
    seite();
    EXPECT_EQ(a.erledigt(), 3u);
    ASSERT_EQ(h.vc.set_calls.size(), 1u);
    ist_datum(h.vc.set_calls[0], 2025, 1, 10);
  }
  {
    Umgebung u(2025, 2, 10);
    Harness& h = u.h;
    Ablauf a(h);
    a.dann([&] { runter(h, 1); });
    a.dann([&] {
      EXPECT_EQ(WHEREX(), 37);
      EXPECT_EQ(WHEREY(), 19);
      h.vc.push_keys("1");
    });
    a.dann([&] {
      EXPECT_EQ(h.row(19), pad(RAND + "Monat    (01 - 12): 12.  (Dezember) "));
      EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 31): 10."));
      EXPECT_EQ(h.row(21), pad(RAND + "Wochentag         : Mittwoch.  "));
      h.vc.push_key(3);
    });
    seite();
    EXPECT_EQ(a.erledigt(), 3u);
    ASSERT_EQ(h.vc.set_calls.size(), 1u);
    ist_datum(h.vc.set_calls[0], 2025, 12, 10);
  }
}

TEST(DateAndTime, DayTensLimitedAndCorrected) {
  {
    Umgebung u(2025, 2, 15);
    runter(u.h, 2);
    u.h.vc.push_keys("3");  // refused in February
    u.h.vc.push_key(13);
    seite();
    EXPECT_TRUE(u.h.vc.set_calls.empty());
    EXPECT_EQ(u.h.row(20), pad(RAND + "Tag      (01 - 28): 15."));
  }
  {
    Umgebung u(2025, 4, 15);
    Harness& h = u.h;
    Ablauf a(h);
    a.dann([&] {
      runter(h, 2);         // 04: the month's tens are skipped, so down twice is the day's units
      h.vc.push_ext(75);    // and left the day's tens
      h.vc.push_keys("3");  // 35 April: corrected to 30
    });
    a.dann([&] {
      EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 30): 30."));
      EXPECT_EQ(WHEREX(), 37);  // the units of the 30th of a 30-day month are skipped
      EXPECT_EQ(WHEREY(), 20);
      h.vc.push_key(13);
    });
    seite();
    ASSERT_EQ(h.vc.set_calls.size(), 1u);
    ist_datum(h.vc.set_calls[0], 2025, 4, 30);
  }
}

TEST(DateAndTime, DayUnitsInFebruary) {
  for (int jahr : {2025, 2024}) {
    Umgebung u(jahr, 2, 20);
    runter(u.h, 2);
    u.h.vc.push_ext(77);
    u.h.vc.push_keys("9");
    u.h.vc.push_key(13);
    seite();
    if (jahr == 2025) {
      EXPECT_TRUE(u.h.vc.set_calls.empty());
    } else {
      ASSERT_EQ(u.h.vc.set_calls.size(), 1u);
      ist_datum(u.h.vc.set_calls[0], 2024, 2, 29);
      EXPECT_EQ(u.h.row(20), pad(RAND + "Tag      (01 - 29): 29."));
      EXPECT_EQ(u.h.row(21), pad(RAND + "Wochentag         : Donnerstag."));
    }
  }
}

TEST(DateAndTime, SameDigitMakesNoCall) {
  Umgebung u(2025, 12, 18, 10, 30, 0);
  u.h.vc.push_keys("2025");  // the year as it is
  runter(u.h, 1);
  u.h.vc.push_keys("12");  // the month as it is (from the units digit back to the tens)
  runter(u.h, 2);
  u.h.vc.push_keys("10");  // the hour as it is
  u.h.vc.push_key(13);
  seite();
  EXPECT_TRUE(u.h.vc.set_calls.empty());
}

TEST(DateAndTime, F1ReturnsToTheRememberedDate) {
  for (unsigned char f1 : {59, 84, 94, 104}) {
    Umgebung u(2025, 12, 18);
    Harness& h = u.h;
    h.vc.push_ext(f1);  // nothing changed yet: no call
    h.vc.push_ext(75);
    h.vc.push_keys("6");  // 2026
    Ablauf a(h);
    a.dann([&] {
      EXPECT_EQ(h.row(18), pad(RAND + "Jahr (1980 - ???"
                                      "?): 2026 (ist kein Schaltjahr.)"));
      EXPECT_EQ(h.row(21), pad(RAND + "Wochentag         : Freitag.   "));
      h.vc.push_ext(f1);
    });
    a.dann([&] {
      EXPECT_EQ(h.row(18), pad(RAND + "Jahr (1980 - ???"
                                      "?): 2025 (ist kein Schaltjahr.)"));
      EXPECT_EQ(h.row(21), pad(RAND + "Wochentag         : Donnerstag."));
      EXPECT_EQ(WHEREX(), 37);  // F1 leaves the cursor where it was
      EXPECT_EQ(WHEREY(), 18);
      h.vc.push_key(13);
    });
    seite();
    EXPECT_EQ(a.erledigt(), 2u);
    ASSERT_EQ(h.vc.set_calls.size(), 2u) << int(f1);
    ist_datum(h.vc.set_calls[0], 2026, 12, 18);
    ist_datum(h.vc.set_calls[1], 2025, 12, 18);
  }
}

TEST(DateAndTime, EveryEndKeyKeepsTheChanges) {
  for (unsigned char ende : {13, 27, 3}) {
    Umgebung u(2025, 12, 18);
    u.h.vc.push_ext(75);
    u.h.vc.push_keys("7");
    u.h.vc.push_key(ende);
    u.h.vc.push_keys("8");  // left in the queue
    seite();
    EXPECT_EQ(u.h.vc.clock().year, 2027);
    EXPECT_EQ(u.h.vc.pending_keys(), 1u);
  }
}

TEST(DateAndTime, TheClockRunsWhileWaiting) {
  Umgebung u(2025, 12, 18, 23, 59, 57);
  Harness& h = u.h;
  h.vc.eof_when_empty = false;
  int runde = 0;
  h.vc.on_wait = [&](VirtualConsole& vc) {
    ++runde;
    EXPECT_EQ(WHEREX(), 37);  // the refresh keeps the cursor on the year
    EXPECT_EQ(WHEREY(), 18);
    if (runde == 1) {
      // A mark on the seconds' tens: a change of the units alone leaves it.
      GOTOXY(37, 25);
      WRITE('#');
      GOTOXY(37, 18);
      vc.set_clock({2025, 12, 18, 23, 59, 58, 0});
    } else if (runde == 2) {
      EXPECT_EQ(h.row(25), pad(RAND + "Sekunde  (00 - 59): #8 Sekunden."));
      vc.set_clock({2025, 12, 19, 0, 0, 1, 0});
    } else if (runde == 3) {
      EXPECT_EQ(h.row(20), pad(RAND + "Tag      (01 - 31): 19."));
      EXPECT_EQ(h.row(21), pad(RAND + "Wochentag         : Freitag.   "));
      EXPECT_EQ(h.row(23), pad(RAND + "Stunde   (00 - 23): 00 Uhr,"));
      EXPECT_EQ(h.row(24), pad(RAND + "Minute   (00 - 59): 00 Minuten und"));
      EXPECT_EQ(h.row(25), pad(RAND + "Sekunde  (00 - 59): 01 Sekunden."));
      vc.push_key(13);
    }
  };
  seite();
  EXPECT_EQ(runde, 3);
  EXPECT_TRUE(h.vc.set_calls.empty());
}

TEST(DateAndTime, ThroughTheMenuTheVirtualDateGoesOff) {
  Harness h;
  zuf_reset();
  h.vc.push_keys("e3");
  h.vc.push_keys("2026");  // a virtual date a year ahead
  h.vc.push_key(13);
  h.vc.push_keys("2");
  h.vc.push_ext(75);
  h.vc.push_keys("9");  // 2029 on the system clock
  h.vc.push_key(27);
  h.vc.push_keys("9");
  h.run();
  EXPECT_FALSE(VIRTUALDATE);
  ASSERT_EQ(h.vc.set_calls.size(), 1u);
  ist_datum(h.vc.set_calls[0], 2029, 12, 18);
  EXPECT_TRUE(h.shows("Bye-bye!"));
}

}  // namespace
