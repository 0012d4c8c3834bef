// The conditions form through the whole program, key by key as a player
// types: its screen, the walk through the fields, the rematch and the names.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine/kvspiel.h"
#include "shell/kv.h"
#include "support/harness.h"

namespace {

using Satz = std::vector<std::uint8_t>;

enum Feld { ZEIT = 2, LAENGE = 3, WAHL = 4, ERSTES = 6, LETZTES = 7, WDH = 9, LEER = 10 };
enum Rolle { PC_KODIERT = 11, PC_RAET = 12, FEST = 13, NAME1 = 14, NAME2 = 47 };

void setze_name(Satz& s, int feld, const std::string& name) {
  for (std::size_t i = 0; i < name.size(); ++i)
    s[feld + 1 + i] = static_cast<std::uint8_t>(name[i]);
}

std::string name_im(const Satz& s, int feld) {
  std::string n(s.begin() + feld + 1, s.begin() + feld + 32);
  return n.substr(0, n.find_last_not_of(' ') + 1);
}

// Menu item 5, then the keys; when they are used up `pruefe` looks at the
// screen, and end of input leaves form, menu and program.
void formular(Harness& h, const std::string& tasten, const std::function<void()>& pruefe = {},
              const std::string& sprache = "d") {
  bool geprueft = false;
  h.vc.on_wait = [&](VirtualConsole&) {
    if (geprueft) return;
    geprueft = true;
    if (pruefe) pruefe();
  };
  h.vc.push_keys(sprache + "5" + tasten);
  h.run();
  EXPECT_TRUE(geprueft);
}

void cursor_bei(int x, int y) {
  EXPECT_EQ(WHEREX(), x);
  EXPECT_EQ(WHEREY(), y);
}

const std::string ENTER = "\r", BS = "\b", ESC = "\x1b";

TEST(Formular, GermanScreen) {
  Harness h;
  formular(h, "", [&] {
    EXPECT_EQ(h.text(33, 2, 8), "Korvando");
    EXPECT_EQ(h.text(69, 2, 8), "|  2 GiB");
    EXPECT_EQ(h.attr(72, 2), HERVORHEBUNGSFARBE);
    EXPECT_EQ(h.text(2, 7, 35), " Laenge des Codes                 2");
    EXPECT_EQ(h.text(2, 8, 27), " Groesse des Zeichensatzes:");
    EXPECT_EQ(h.text(37, 10, 41), " Zeitbegrenzung (nur fuer den PC):10 Sek.");
    EXPECT_EQ(h.text(2, 12, 33), " Ton              :         Nein.");
    EXPECT_EQ(h.text(30, 13, 1), "0");
    EXPECT_EQ(h.text(37, 13, 25), " Soll der PC raten? Nein.");
    EXPECT_EQ(h.text(30, 15, 11), "0123456789 ");
    EXPECT_EQ(h.text(30, 16, 1), "4");
    EXPECT_EQ(h.text(37, 17, 41), " Soll der PC eine Loesung vorgeben? Ja.  ");
    EXPECT_EQ(h.text(37, 18, 19), " Loesung ....      ");
    EXPECT_EQ(h.text(30, 19, 5), "Ja.  ");
    EXPECT_EQ(h.text(2, 21, 76),
              "  1.: Spiel zu diesen Bed. -  2.: Revanche -  3.: Bed. aendern -  4.: Ende. ");
    EXPECT_EQ(h.text(2, 23, 77),
              " 1. Spieler,denkt sich Raetsel aus: *** Der Computer ***            O.K.? Ja.");
    EXPECT_EQ(h.text(2, 24, 36), " 2. Spieler,knackt den Code       : ");
    cursor_bei(74, 20);
    EXPECT_EQ(h.text(74, 20, 2), "1.");
  });
}

TEST(Formular, EnglishScreen) {
  Harness h;
  formular(
      h, "",
      [&] {
        EXPECT_EQ(h.text(37, 10, 39), " Timelimit (only for computer): 10 sec.");
        EXPECT_EQ(h.text(2, 12, 32), " Sound             :        No. ");
        EXPECT_EQ(h.text(37, 13, 31), " Shall the computer guess? No. ");
        EXPECT_EQ(h.text(37, 17, 38), " Shall the computer ask a riddle? Yes.");
        EXPECT_EQ(h.text(30, 19, 5), "Yes. ");
        EXPECT_EQ(h.text(37, 18, 13), " Answer: ....");
        EXPECT_EQ(h.text(37, 20, 38), " Please choose now (1, 2, 3 or 4):  1.");
        EXPECT_EQ(h.text(38, 23, 41), "*** The computer ***            O.K.? Yes");
        cursor_bei(73, 20);
      },
      "e");
}

TEST(Formular, CapacityRowOfEveryBudget) {
  const char* const ZEILE[9] = {"",
                                "36   24   12    7    5    4    3    3",
                                "36   36   18   11    7    5    4    3",
                                "36   36   30   15   10    7    5    4",
                                "36   36   34   17   11    8    6    5",
                                "36   36   36   20   13    9    6    5",
                                "36   36   36   23   14   10    7    6",
                                "36   36   36   27   15   11    8    6",
                                "36   36   36   31   18   13    9    7"};
  for (int w = 1; w <= 8; ++w) {
    Harness h;
    Satz s = Harness::default_record();
    s[WAHL] = static_cast<std::uint8_t>(w);
    h.write_file(s);
    formular(h, "", [&] {
      EXPECT_EQ(h.text(35, 8, 37), ZEILE[w]) << w;
      EXPECT_EQ(h.text(70, 2, 7), SPEICHERTEXT[w]);
    });
  }
}

TEST(Formular, CellsBeyondTheBudgetShowADash) {
  Harness h;
  h.start();
  MEMAVAIL_ORB = 1000;
  KORRIGIERE(MAXFARBE, X.laenge, false, false, false, false);
  BILDSCHIRM();
  EXPECT_EQ(h.text(50, 8, 22), " -    -    -    -    -");
  EXPECT_NE(h.text(35, 8, 2), " -");
}

TEST(Formular, LongCodeOverFewSignsSkipsTheRepetitionField) {
  Harness h;
  // Walk: time limit, sound, first sign kept; last sign "5"; length 9.
  formular(h, "3" + ENTER + ENTER + ENTER + "59", [&] {
    cursor_bei(30, 18);  // straight on to the vacant-sign field
    EXPECT_EQ(h.text(30, 17, 5), "Ja.  ");
    EXPECT_EQ(h.text(30, 14, 1), "5");
    EXPECT_EQ(h.text(30, 15, 11), "012345     ");
    EXPECT_EQ(h.text(30, 16, 1), "9");
    EXPECT_EQ(h.text(46, 18, 9), ".........");
    EXPECT_EQ(X.wiederholung, 1);
  });
  // Backspace from the vacant-sign field returns to the code length.
  Harness h2;
  formular(h2, "3" + ENTER + ENTER + ENTER + "59" + BS, [&] { cursor_bei(30, 16); });
}

TEST(Formular, SmallBudgetTurnsGuessingOff) {
  Harness h;
  Satz s = Harness::default_record();
  s[WAHL] = 1;
  s[PC_RAET] = 1;
  setze_name(s, NAME2, "Bert");
  h.write_file(s);
  formular(h, "3" + ENTER + ENTER + ENTER + ENTER + "5", [&] {
    EXPECT_EQ(h.text(35, 8, 37), "36   24   12    7    5    4    3    3");
    EXPECT_EQ(h.text(57, 13, 5), "Nein.");
    EXPECT_EQ(h.text(38, 24, 5), "Bert ");
    EXPECT_EQ(X.pc_raet, 0);
    EXPECT_FALSE(KANN_RATEN);
    cursor_bei(30, 17);
  });
  // At length 4 the same budget lets the computer guess.
  Harness h2;
  h2.write_file(s);
  formular(h2, "", [&] {
    EXPECT_EQ(h2.text(57, 13, 5), "Ja.  ");
    EXPECT_EQ(h2.text(38, 24, 20), "*** Der Computer ***");
  });
}

TEST(Formular, VacantSignCountsAsAThirdSignWithTwoSigns) {
  struct Fall {
    char letztes;
    char laenge;
    std::uint32_t knoten;
  };
  for (const Fall f : {Fall{'1', '4', 3 * 3 * 3 * 3 - 1}, Fall{'1', '3', 2 * 2 * 2},
                       Fall{'2', '4', 3 * 3 * 3 * 3}}) {
    Harness h;
    // Last sign, length, the repetition field when it is shown, vacant sign yes.
    const std::string wdh = f.laenge > f.letztes - '0' + 1 ? "" : "j";
    formular(h, "3" + ENTER + ENTER + ENTER + f.letztes + f.laenge + wdh + "j", [&] {
      EXPECT_EQ(MEMRATE, f.knoten) << f.letztes << f.laenge;
      EXPECT_EQ(SIZERATEN, 32);  // length + 12 + 3, rounded up to 16
      EXPECT_EQ(X.leerzeichen, 1);
      EXPECT_EQ(h.text(30, 18, 5), "Ja.  ");
    });
  }
}

TEST(Formular, BackspaceInTheFirstFieldLeavesTheWalk) {
  Harness h;
  formular(h, "3" + BS, [&] { cursor_bei(74, 20); });
  // Leaving with a code longer than the signs switches repetition on.
  Harness h2;
  formular(h2, "3" + ENTER + ENTER + ENTER + "2" + ESC + BS, [&] {
    cursor_bei(74, 20);
    EXPECT_EQ(h2.text(30, 17, 5), "Ja.  ");
    EXPECT_EQ(X.wiederholung, 1);
    EXPECT_EQ(h2.text(30, 15, 4), "012 ");
  });
}

TEST(Formular, EveryWayOutOfTheWalkLeavesConsistentConditions) {
  // Length 9 over "0".."9"; the walk makes the last sign "5" (six signs) and
  // is left from the code-length field: Ctrl-C (then a game from the menu),
  // Esc and Esc, Esc and Backspace.
  Satz s = Harness::default_record();
  s[LAENGE] = 9;
  const std::string weg = "3" + ENTER + ENTER + ENTER + "5";
  for (const std::string& raus : {"\x03" + std::string("51"), ESC + ESC, ESC + BS}) {
    Harness h;
    h.write_file(s);
    formular(h, weg + raus, [&] {
      EXPECT_EQ(MAXFARBE, 6);
      EXPECT_EQ(X.wiederholung, 1);
      if (LOESUNG[1] != ' ') {  // the game: nine signs of the set
        for (int i = 1; i <= 9; ++i) EXPECT_TRUE(LOESUNG[i] >= '0' && LOESUNG[i] <= '5');
      } else if (raus == ESC + BS) {
        EXPECT_EQ(h.text(30, 17, 5), "Ja.  ");
      } else {
        EXPECT_EQ(h.read_file()[WDH], 1);
      }
    });
  }
}

TEST(Formular, EscRestartsTheWalkAtTheTimeLimit) {
  Harness h;
  formular(h, "3" + ENTER + ENTER + ENTER + ENTER + ENTER + ENTER + ESC,
           [&] { cursor_bei(71, 10); });
  Harness h2;
  formular(h2, "3" + ENTER + ESC + "7", [&] {
    cursor_bei(30, 12);
    EXPECT_EQ(h2.text(71, 10, 7), "70 Sek.");
    EXPECT_EQ(ZEITLIMIT, 7000u);
  });
  // Esc in the time limit itself leaves to the menu; so does Ctrl-C in a field.
  for (const std::string& tasten : {"3" + ESC, "3" + ENTER + "\x03"}) {
    Harness h3;
    formular(h3, tasten, [&] { EXPECT_TRUE(h3.shows("Bitte waehlen Sie:")); });
  }
}

TEST(Formular, StoredNameWithTwoBlanksIsCut) {
  Harness h;
  Satz s = Harness::default_record();
  s[PC_KODIERT] = 0;
  s[PC_RAET] = 1;
  setze_name(s, NAME1, "hans  meier");
  h.write_file(s);
  formular(h, "", [&] { EXPECT_EQ(h.text(38, 23, 31), "Hans" + std::string(27, ' ')); });
}

// The keys from the choice prompt to the name of player 2 under the defaults.
const std::string BIS_NAME2 = "3" + std::string(9, '\r');

TEST(Formular, NameIsTypedAsSpoken) {
  Harness h;
  formular(h, BIS_NAME2 + "anja jo", [&] {
    EXPECT_EQ(h.text(38, 24, 8), "Anja Jo ");
    cursor_bei(45, 24);
  });
  Harness h2;
  formular(h2, BIS_NAME2 + "a b7--dr.x_y" + ENTER, [&] {
    EXPECT_EQ(h2.text(38, 24, 16), "A. B.-Dr. X.-Y. ");
    cursor_bei(76, 24);
  });
}

TEST(Formular, ConfirmedNameMovesOnAndIsSaved) {
  Harness h;
  formular(h, BIS_NAME2 + "anja" + ENTER + "j", [&] { cursor_bei(73, 17); });
  EXPECT_EQ(name_im(h.read_file(), NAME2), "Anja");
}

TEST(Formular, NameConfirmationKeys) {
  // "n" clears the name and starts it anew.
  Harness h;
  formular(h, BIS_NAME2 + "otto" + ENTER + "N", [&] {
    EXPECT_EQ(h.text(38, 24, 31), std::string(31, ' '));
    cursor_bei(38, 24);
  });
  // Backspace opens it again behind its last letter; a single letter loses its dot.
  Harness h2;
  formular(h2, BIS_NAME2 + "anna k" + ENTER + BS + "arl",
           [&] { EXPECT_EQ(h2.text(38, 24, 10), "Anna Karl "); });
  // Esc at the confirmation goes back one field: to the computer-guesses field.
  Harness h3;
  formular(h3, BIS_NAME2 + "anna" + ENTER + ESC, [&] { cursor_bei(57, 13); });
  // Backspace on an empty name goes back too.
  Harness h4;
  formular(h4, BIS_NAME2 + BS, [&] { cursor_bei(57, 13); });
  // Ctrl-C in a name restarts the walk.
  Harness h5;
  formular(h5, BIS_NAME2 + "an\x03", [&] { cursor_bei(71, 10); });
}

TEST(Formular, NameKeepsToThirtyOneCharacters) {
  Harness h;
  formular(h, BIS_NAME2 + std::string(40, 'x'), [&] {
    EXPECT_EQ(h.text(38, 24, 32), "X" + std::string(30, 'x') + " ");
    cursor_bei(76, 24);
  });
  // A full name opened again can still be shortened.
  Harness h2;
  formular(h2, BIS_NAME2 + std::string(31, 'x') + BS + BS + "y", [&] {
    EXPECT_EQ(h2.text(38, 24, 32), "X" + std::string(29, 'x') + "y ");
    cursor_bei(76, 24);
  });
}

Satz rollen(int pc_kodiert, int pc_raet, int fest) {
  Satz s = Harness::default_record();
  s[PC_KODIERT] = static_cast<std::uint8_t>(pc_kodiert);
  s[PC_RAET] = static_cast<std::uint8_t>(pc_raet);
  s[FEST] = static_cast<std::uint8_t>(fest);
  setze_name(s, NAME1, "Anna");
  setze_name(s, NAME2, "Bert");
  return s;
}

TEST(Rematch, SwapsRolesAndNames) {
  struct Fall {
    int kodiert, raet, fest;  // before
    int kodiert_danach, raet_danach;
    bool getauscht;
  };
  for (const Fall f : {Fall{0, 1, 1, 1, 0, true}, Fall{1, 1, 1, 1, 1, false},
                       Fall{1, 0, 1, 0, 1, true}, Fall{0, 0, 0, 0, 0, true}}) {
    Harness h;
    h.write_file(rollen(f.kodiert, f.raet, f.fest));
    bool gespielt = false;
    formular(h, "2", [&] { gespielt = !h.shows("Bitte waehlen Sie (1, 2, 3 oder 4)"); });
    EXPECT_TRUE(gespielt);  // the game starts at once
    const Satz s = h.read_file();
    EXPECT_EQ(s[PC_KODIERT], f.kodiert_danach);
    EXPECT_EQ(s[PC_RAET], f.raet_danach);
    EXPECT_EQ(name_im(s, NAME1), f.getauscht ? "Bert" : "Anna");
    EXPECT_EQ(name_im(s, NAME2), f.getauscht ? "Anna" : "Bert");
  }
}

TEST(Rematch, IgnoredWhenTheComputerCannotGuess) {
  Harness h;
  Satz s = rollen(1, 0, 1);
  s[LAENGE] = 9;
  s[WDH] = 1;
  h.write_file(s);
  formular(h, "2", [&] {
    cursor_bei(74, 20);
    EXPECT_FALSE(KANN_RATEN);
  });
  EXPECT_EQ(h.read_file()[PC_RAET], 0);
  EXPECT_EQ(name_im(h.read_file(), NAME1), "Anna");
}

TEST(Rematch, HumansWithAFixedCodeTypeANewCode) {
  Harness h;
  h.write_file(rollen(0, 0, 1));
  // The form opens on the computer-sets-the-code field; the name of player 1
  // is taken as confirmed, the code is typed, then the rematch.
  formular(h, ENTER + "1234" + "2" + "567", [&] {
    EXPECT_EQ(h.text(38, 23, 5), "Bert ");
    EXPECT_EQ(h.text(38, 24, 5), "Anna ");
    EXPECT_EQ(h.text(46, 18, 4), "567.");
    cursor_bei(49, 18);
  });
  Harness h2;
  h2.write_file(rollen(0, 0, 1));
  formular(h2, ENTER + "1234" + "2" + "5678", [&] {
    cursor_bei(74, 20);
    EXPECT_EQ(std::string(LOESUNG.z, 4), "5678");
  });
}

TEST(Formular, HumansWithAFixedCodeEnterAtTheComputerField) {
  Harness h;
  h.write_file(rollen(0, 0, 1));
  formular(h, "", [&] { cursor_bei(73, 17); });
  // Backspace at the choice prompt reopens the last position of the code.
  Harness h2;
  h2.write_file(rollen(0, 0, 1));
  formular(h2, ENTER + "1234" + BS + "9", [&] {
    EXPECT_EQ(h2.text(46, 18, 4), "1239");
    cursor_bei(74, 20);
  });
  // Esc in the code resets it to dots and goes back to the computer field.
  Harness h3;
  h3.write_file(rollen(0, 0, 1));
  formular(h3, ENTER + "12" + ESC, [&] {
    EXPECT_EQ(h3.text(46, 18, 5), ".... ");
    cursor_bei(73, 17);
  });
}

TEST(Formular, ComputerTakingARoleShowsItsSlot) {
  Harness h;
  Satz s = rollen(0, 0, 1);
  h.write_file(s);
  formular(h, "j", [&] {
    EXPECT_EQ(h.text(38, 23, 20), "*** Der Computer ***");
    EXPECT_EQ(h.text(73, 17, 5), "Ja.  ");
    cursor_bei(74, 20);  // no code to type: back to the choice
  });
}

}  // namespace
