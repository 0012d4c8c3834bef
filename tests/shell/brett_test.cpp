// The game board, row by row, in both languages, and its date and time lines.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine/kvspiel.h"
#include "shell/kv.h"
#include "support/harness.h"

namespace {

class Brett : public ::testing::Test {
 protected:
  Harness h;

  void SetUp() override { h.start(); }

  void zeichne(bool deutsch, char letztes = '9', bool fest = true) {
    DEUTSCH = SP_D = deutsch;
    X.letztes_zeichen = letztes;
    X.fest = fest;
    setze_zeichensatz();
    max_versuche = WIEVIELE(X.laenge, MAXFARBE, X.wiederholung, X.leerzeichen);
    max_versuche_bekannt = max_versuche > 0;
    muster_text = "     (0123) ";
    zeichne_brett();
  }
  static std::string r79(const std::string& s) { return s + std::string(79 - s.size(), ' '); }
};

TEST_F(Brett, GermanRows) {
  zeichne(true);
  EXPECT_EQ(h.row(1).substr(0, 79),
            "______  ***  Korvando  ****  macOS - 32-Bit - Version  2025-06-21.  ***  ______");
  EXPECT_EQ(h.row(2)[0], '|');
  EXPECT_EQ(h.row(2)[78], '|');
  EXPECT_EQ(h.row(3).substr(0, 79), "|" + std::string(77, '_') + "|");
  EXPECT_EQ(h.row(4).substr(0, 79),
            "| 0123456789                               |   Der Code kann mit maximal 7    |");
  EXPECT_EQ(h.row(5).substr(0, 79),
            "| 4 Zeichen ohne Wiederholung       (0123) |   Versuchen geknackt werden.     |");
  EXPECT_EQ(h.row(6).substr(0, 79),
            "|__________________________________________|__________________________________|");
  EXPECT_EQ(h.row(7).substr(0, 79),
            "| Das Leerzeichen \" \"/\"*\" darf zum    |*|Nr.|  Code   |P|Z|*|Nr.|  Code   |P|Z|");
  EXPECT_EQ(h.row(8).substr(0, 79),
            "| Raten nicht zuhilfegenommen werden. |*|___|_________|_|_|*|___|_________|_|_|");
  EXPECT_EQ(h.row(9).substr(0, 79),
            "| Der zu ratende Code ist fest.       |*|  1|         | | |*|   |         | | |");
  EXPECT_EQ(h.row(10).substr(0, 79),
            "| Vorhandene CPU >= 80386 + 80387.    |*|   |         | | |*|   |         | | |");
  EXPECT_EQ(h.row(11).substr(0, 79),
            "|_____________________________________|*|   |         | | |*|   |         | | |");
  EXPECT_EQ(h.row(12).substr(0, 38), "| Das Raetsel stammt vom Computer.    ");
  EXPECT_EQ(h.row(13).substr(0, 38), "|                                     ");
  EXPECT_EQ(h.row(14).substr(0, 38), "| Die Loesung stammt von              ");
  EXPECT_EQ(h.row(16).substr(0, 39), "|_____________________________________|");
  EXPECT_EQ(h.row(17).substr(0, 38), "| Spielbeginn:                        ");
  EXPECT_EQ(h.row(18).substr(0, 38), "|                .   Uhr,    Sekunden.");
  EXPECT_EQ(h.row(19).substr(0, 38), "| Datum/Zeit :                        ");
  EXPECT_EQ(h.row(21).substr(0, 79),
            "| Spieldauer : 00 Std. 00 Min. 00 Sek.|*|   |         | | |*|   |         | | |");
  EXPECT_EQ(h.row(22).substr(0, 38), "| Ratezeit   : 00 Std. 00 Min. 00 Sek.");
  EXPECT_EQ(h.row(23).substr(0, 38), "| Antwortzeit: 00 Std. 00 Min. 00 Sek.");
  EXPECT_EQ(h.row(24).substr(0, 79),
            "|_____________________________________|_|___|_________|_|_|_|___|_________|_|_|");
  EXPECT_EQ(h.row(25).substr(0, 79),
            r79("Loesung:               Benoetigte Versuche:             Neues Spiel? Ja."));
}

TEST_F(Brett, EnglishRows) {
  X.wiederholung = 1;
  X.leerzeichen = 1;
  merke_leerzeichen = true;
  X.pc_kodiert = 0;
  std::memcpy(&X.name1[1], "Hans Meier", 10);
  zeichne(false);
  EXPECT_EQ(h.row(4).substr(0, 79),
            "| 0123456789                               | It is possible to crack the code |");
  EXPECT_EQ(h.row(5).substr(0, 79),
            "| 4 signs with repetition           (0123) | with 7 trials or less.           |");
  EXPECT_EQ(h.row(7).substr(0, 79),
            "| The vacant sign ' '/'*' may be used |*|No.|  Code   |P|S|*|No.|  Code   |P|S|");
  EXPECT_EQ(h.row(8).substr(0, 38), "| for guessing.                       ");
  EXPECT_EQ(h.row(9).substr(0, 38), "| The answercode is fixed.            ");
  EXPECT_EQ(h.row(10).substr(0, 38), "| Available CPU >= 80386 + 80387.     ");
  EXPECT_EQ(h.row(12).substr(0, 38), "| The riddle comes from               ");
  EXPECT_EQ(h.row(13).substr(0, 38), "| Hans Meier.                         ");
  EXPECT_EQ(h.row(14).substr(0, 38), "| The solution comes from             ");
  EXPECT_EQ(h.row(17).substr(0, 38), "| Game start:                         ");
  EXPECT_EQ(h.row(18).substr(0, 38), "|               :    .m.,    seconds. ");
  EXPECT_EQ(h.row(19).substr(0, 38), "| Date/time :                         ");
  EXPECT_EQ(h.row(21).substr(0, 38), "| Time total: 00 hours 00 min. 00 sec.");
  EXPECT_EQ(h.row(22).substr(0, 38), "| to guess  : 00 hours 00 min. 00 sec.");
  EXPECT_EQ(h.row(23).substr(0, 38), "| to answer : 00 hours 00 min. 00 sec.");
  EXPECT_EQ(h.row(25).substr(0, 79),
            r79("Answer:                       Trials made:                 New Game? Yes."));
}

TEST_F(Brett, TheComputerInEitherRoleAndTheVacantSignKept) {
  X.pc_raet = 1;
  X.leerzeichen = 0;         // the computer plays without it ...
  merke_leerzeichen = true;  // ... but the user allowed it
  zeichne(true);
  EXPECT_EQ(h.row(8).substr(0, 38), "| Raten zuhilfegenommen werden.       ");
  EXPECT_EQ(h.row(14).substr(0, 38), "| Die Loesung stammt vom Computer.    ");
  EXPECT_EQ(h.row(15).substr(0, 38), "|                                     ");
  EXPECT_EQ(h.row(25).substr(0, 79),
            "Aktueller Versuch: geratene Zeit: 00.00.00 .......... benoetigte Zeit: 00.00.00");
  zeichne(false);
  EXPECT_EQ(h.row(7).substr(0, 38), "| The vacant sign ' '/'*' may be used ");
  EXPECT_EQ(h.row(12).substr(0, 38), "| The riddle comes from               ");
  EXPECT_EQ(h.row(13).substr(0, 38), "| the computer.                       ");
  EXPECT_EQ(h.row(15).substr(0, 38), "| the computer.                       ");
  EXPECT_EQ(h.row(25).substr(0, 79),
            "This trial: time already guessed: 00.00.00 .......... time yet needed: 00.00.00");
  merke_leerzeichen = false;
  zeichne(false);
  EXPECT_EQ(h.row(7).substr(0, 38), "| The vacant sign ' '/'*' cannot be   ");
  EXPECT_EQ(h.row(8).substr(0, 38), "| used for guessing.                  ");
}

TEST_F(Brett, AllThirtySixSignsAndTheVariableCode) {
  zeichne(true, 'z', false);
  EXPECT_EQ(h.text(1, 4, 44), "| 0123456789abcdefghijklmnopqrstuvwxyz     |");
  EXPECT_EQ(h.text(45, 4, 34), "   Der Code kann mit genau 14     ");
  EXPECT_EQ(h.row(9).substr(0, 38), "| Der zu ratende Code ist nicht fest. ");
  EXPECT_EQ(h.row(25).substr(0, 79),
            "       Bereits verstrichene Zeit: 00.00.00 .......... benoetigte Zeit: 00.00.00");
  zeichne(false, 'z', false);
  EXPECT_EQ(h.text(45, 5, 34), " with 14 trials.                  ");
  EXPECT_EQ(h.row(9).substr(0, 38), "| The answercode is not fixed.        ");
  EXPECT_EQ(h.row(25).substr(0, 79),
            "Initialisation:     time elapsed: 00.00.00 .......... time yet needed: 00.00.00");
  // No count for these conditions: the right box stays empty.
  X.laenge = 9;
  zeichne(true, 'z');
  EXPECT_EQ(h.text(45, 4, 34), std::string(34, ' '));
  EXPECT_EQ(h.text(45, 5, 34), std::string(34, ' '));
  EXPECT_EQ(h.text(1, 5, 5), "| 9 Z");
}

// (The start lines of the clock panel below show two more.)
TEST_F(Brett, DateLines) {
  EXPECT_EQ(brett_datum(true, 2026, 1, 5, 1), "Montag, 5.1.2026,");
  EXPECT_EQ(brett_datum(true, 7, 3, 1, 0), "Sonntag, 1.3.0007,");
  EXPECT_EQ(brett_datum(false, 2025, 3, 23, 3), "Weds., 23rd March 2025,");
  EXPECT_EQ(brett_datum(false, 2025, 5, 14, 3), "Weds., 14th May 2025,");
  EXPECT_EQ(brett_datum(false, 2025, 9, 2, 2), "Tuesday, 2nd Sept. 2025,");
  EXPECT_EQ(brett_datum(false, 2025, 9, 30, 2), "Tues., 30th Sept. 2025,");
  EXPECT_EQ(brett_datum(false, 2025, 6, 21, 6), "Sat., 21st June 2025,");
  EXPECT_EQ(brett_datum(false, 2025, 6, 7, 6), "Saturday, 7th June 2025,");
  EXPECT_EQ(brett_datum(false, 2025, 12, 11, 4), "Thurs., 11th Dec. 2025,");
  EXPECT_EQ(brett_datum(false, 2025, 12, 4, 4), "Thursday, 4th Dec. 2025,");
  for (unsigned m = 1; m <= 12; ++m)
    for (unsigned wt = 0; wt < 7; ++wt)
      for (unsigned d : {1u, 9u, 22u, 31u})
        EXPECT_LE(brett_datum(false, 2025, m, d, wt).size(), 24u);
}

TEST_F(Brett, StartLinesOfTheClockPanel) {
  zeichne(true);
  schreibe_spielbeginn(2025, 12, 18, 4, 9, 5, 7);
  EXPECT_EQ(h.row(17).substr(0, 39), "| Spielbeginn: Donnerstag, 18.12.2025,|");
  EXPECT_EQ(h.row(18).substr(0, 38), "|              09.05 Uhr, 07 Sekunden.");
  EXPECT_EQ(h.row(19).substr(0, 38), "| Datum/Zeit : Donnerstag, 18.12.2025,");
  EXPECT_EQ(h.row(20).substr(0, 38), "|              09.05 Uhr,    Sekunden.");
  zeichne(false);
  schreibe_spielbeginn(2023, 5, 3, 3, 0, 5, 9);
  EXPECT_EQ(h.row(17).substr(0, 38), "| Game start: Wednesday, 3rd May 2023,");
  EXPECT_EQ(h.row(18).substr(0, 38), "|             12:05 a.m., 09 seconds. ");
  EXPECT_EQ(h.row(20).substr(0, 38), "|             12:05 a.m.,    seconds. ");
  schreibe_spielbeginn(2023, 5, 3, 3, 15, 4, 0);
  EXPECT_EQ(h.row(18).substr(0, 38), "|             03:04 p.m., 00 seconds. ");
  schreibe_spielbeginn(2023, 5, 3, 3, 12, 30, 0);
  EXPECT_EQ(h.row(18).substr(0, 38), "|             12:30 p.m., 00 seconds. ");
}

}  // namespace
