// The program from start to end through the virtual console.
#include <gtest/gtest.h>

#include "engine/kvspiel.h"
#include "shell/kv.h"
#include "support/harness.h"

namespace {

TEST(Program, EnglishMenuThenNine) {
  Harness h;
  int menue_gesehen = 0;
  h.vc.on_wait = [&](VirtualConsole& vc) {
    if (h.row(19).find("Please choose now:") != std::string::npos && menue_gesehen++ == 0) {
      EXPECT_EQ(h.row(21).substr(0, 53), " 1 - Change the language.        5 - The game starts.");
      EXPECT_EQ(h.attr(32, 19), HERVORHEBUNGSFARBE);
      EXPECT_EQ(h.attr(31, 19), STANDARDFARBE);
      EXPECT_EQ(h.row(1).substr(29, 23), "Operating instructions:");
      vc.push_keys("9");
    }
  };
  h.vc.push_keys("e");
  h.run();
  EXPECT_EQ(menue_gesehen, 1);
  EXPECT_FALSE(DEUTSCH);
  EXPECT_EQ(h.read_file(), Harness::default_record());
  EXPECT_EQ(h.row(1).substr(0, h.vc.path.size()), h.vc.path);
  EXPECT_TRUE(h.shows("Korvando  ***  macOS - 32-Bit - Version  2025-06-21,"));
  EXPECT_TRUE(h.shows("Einstellungen / settings: " + h.file()));
  EXPECT_TRUE(h.shows("Bye-bye!"));
  EXPECT_EQ(TEXTATTR, 7);
}

TEST(Program, LanguagePageRows) {
  Harness h;
  bool gesehen = false;
  h.vc.on_wait = [&](VirtualConsole& vc) {
    if (gesehen) return;
    gesehen = true;
    EXPECT_EQ(h.row(1),
              pad(" ********  Korvando  ***  macOS - 32-Bit - Version  2025-06-21.  ********"));
    EXPECT_EQ(h.attr(2, 1), HERVORHEBUNGSFARBE);
    EXPECT_EQ(h.row(19).substr(0, 10), " Deutsch: ");
    EXPECT_EQ(h.row(20),
              pad(" Wollen Sie \"Deutsch\" als Sprache waehlen, So druecken Sie bitte \"d\" oder "
                  "\"D\"."));
    EXPECT_EQ(h.row(24), pad(" To choose 'English' as language, please press 'e' or 'E'."));
    EXPECT_EQ(h.row(4), std::string(80, ' '));
    EXPECT_EQ(h.row(12), std::string(80, ' '));
    EXPECT_EQ(h.attr(78, 25), STANDARDFARBE);
    EXPECT_EQ(h.attr(79, 25), STANDARDFARBE);  // cleared in the standard colour
    EXPECT_EQ(WHEREX(), 79);
    EXPECT_EQ(WHEREY(), 25);
    // Function keys, arrows and other keys leave the page standing.
    vc.push_ext(59);
    vc.push_ext(72);
    vc.push_keys("x1");
    vc.push_key(27);
  };
  h.run();
  EXPECT_TRUE(gesehen);
  // Esc on the language page ends at once; the end sequence writes the file.
  EXPECT_EQ(h.read_file(), Harness::default_record());
  EXPECT_TRUE(h.shows("Bye-bye!"));
}

TEST(Program, MenuIgnoresOtherKeysAndCtrlCEnds) {
  Harness h;
  int menues = 0;
  h.vc.on_wait = [&](VirtualConsole& vc) {
    if (h.row(19).find("Bitte waehlen Sie:") == std::string::npos) return;
    ++menues;
    EXPECT_EQ(h.row(25).substr(0, 64),
              " 4 - Bringen Sie Farbe ins Spiel.         9 - Programm beenden. ");
    vc.push_keys("a0");
    vc.push_key(27);
    vc.push_ext(72);
    vc.push_ext(62);
    vc.push_key(3);
    vc.on_wait = nullptr;
  };
  h.vc.push_keys("D");
  h.run();
  EXPECT_EQ(menues, 1);
  EXPECT_TRUE(DEUTSCH);
  EXPECT_TRUE(h.shows("Bye-bye!"));
  EXPECT_EQ(h.vc.pending_keys(), 0u);
}

TEST(Program, LanguageChangeFromTheMenu) {
  Harness h;
  h.vc.push_keys("d1E");
  int runde = 0;
  h.vc.on_wait = [&](VirtualConsole& vc) {
    if (h.row(19).find("Please choose now:") != std::string::npos && runde++ == 0)
      vc.push_keys("9");
  };
  h.run();
  EXPECT_FALSE(DEUTSCH);
  EXPECT_EQ(runde, 1);
  EXPECT_EQ(h.read_file().size(), 80u);
}

TEST(Program, EscOnTheLanguagePageFromTheMenuEnds) {
  Harness h;
  h.vc.push_keys("d1");
  h.vc.push_key(27);
  h.run();
  EXPECT_TRUE(h.shows("Bye-bye!"));
}

TEST(Program, EndOfInputSavesAndEnds) {
  Harness h;
  h.write_file(Harness::default_record());
  h.vc.push_keys("e");  // then the input ends
  h.run();
  EXPECT_TRUE(h.shows("Bye-bye!"));
  EXPECT_EQ(h.read_file(), Harness::default_record());
}

TEST(StartUp, YearsOutsideTheRangeAreSetRight) {
  struct Fall {
    int jahr, neu;
  } faelle[] = {{1979, 2079}, {1900, 2000}, {2026, 2026}};
  for (const Fall& f : faelle) {
    Harness h;
    h.vc.set_clock({f.jahr, 3, 4, 5, 6, 7, 0});
    h.start();
    EXPECT_EQ(JAHR, f.neu);
    if (f.jahr == f.neu) {
      EXPECT_TRUE(h.vc.set_calls.empty());
    } else {
      ASSERT_EQ(h.vc.set_calls.size(), 1u);
      EXPECT_EQ(h.vc.set_calls[0].a, f.neu);
      EXPECT_EQ(h.vc.clock().year, f.neu);
    }
  }
}

TEST(StartUp, ProcessorLineAndDirectory) {
  Harness h;
  h.start();
  EXPECT_EQ(PROZESSORZEILE_D,
            "| Vorhandene CPU >= 80386 + 80387.    |*|   |         | | |*|   |         | | |");
  EXPECT_EQ(PROZESSORZEILE_E,
            "| Available CPU >= 80386 + 80387.     |*|   |         | | |*|   |         | | |");
  EXPECT_EQ(ALT, h.dir + "BEDINGUN.DAT");
  EXPECT_EQ(TEXTATTR, STANDARDFARBE);
}

}  // namespace
