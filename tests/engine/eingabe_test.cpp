// The input routines: yes/no fields, the sign range, the secret code and the
// trials of a human codebreaker, driven key by key on the virtual console.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "console/virtual_console.h"
#include "engine/kvspiel.h"

namespace {

class Eingabe : public ::testing::Test {
 protected:
  void SetUp() override {
    kvspiel_reset();
    console_use(vc);
    INITIALISIERE();
    setze_zeichensatz();
  }
  std::string text(int x, int y, int n) { return screen_row(y).substr(x - 1, n); }
  void bereich(char erstes, char letztes) {
    X.erstes_zeichen = erstes;
    X.letztes_zeichen = letztes;
    setze_zeichensatz();
  }
  // A fixed secret code with its sign counts.
  void geheim(const std::string& s) {
    std::memset(LOESUNG.z, ' ', sizeof LOESUNG.z);
    std::memcpy(LOESUNG.z, s.data(), s.size());
    LOESUNGSFARBEN = {};
    for (char c : s) ++LOESUNGSFARBEN[NRARRAY[static_cast<unsigned char>(c)]];
  }
  // A trial on the left column, first board row.
  void lies_versuch(unsigned char& taste) {
    WX = 50;
    WY = 9;
    K = 9;
    GOTOXY(WX, WY);
    LESE_CODE(1, versuch, p, z, taste);
  }
  VirtualConsole vc;
  code versuch{};
  std::uint8_t p = 99, z = 99;
};

TEST_F(Eingabe, JaNeinChangesOnlyOnTheOtherAnswer) {
  GOTOXY(1, 1);
  WRITE(std::string(80, '#'));
  WXX = 10;
  WYY = 1;
  std::uint8_t flag = 1;
  bool geaendert = true;
  unsigned char taste = 0;
  const auto taste_fuer = [&](const char* tasten) {
    vc.push_keys(tasten);
    JA_NEIN(taste, flag, geaendert);
    return text(10, 1, 6);
  };
  EXPECT_EQ(taste_fuer("xJ"), "######");  // "J" confirms yes: nothing is written
  EXPECT_FALSE(geaendert);
  EXPECT_EQ(taste, 'j');
  EXPECT_EQ(taste_fuer("N"), "Nein.#");
  EXPECT_TRUE(geaendert);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(taste_fuer("z"), "Ja.  #");
  SP_D = false;
  vc.push_ext(72);  // an extended key is dropped
  EXPECT_EQ(taste_fuer("n"), "No.  #");
  EXPECT_EQ(taste_fuer("y"), "Yes. #");  // four wide: the fifth cell stays
  // Enter, Backspace and Esc come back unchanged; end of input as Ctrl-C.
  for (unsigned char k : {13, 8, 27}) {
    vc.push_key(k);
    JA_NEIN(taste, flag, geaendert);
    EXPECT_EQ(taste, k);
    EXPECT_FALSE(geaendert);
  }
  JA_NEIN(taste, flag, geaendert);
  EXPECT_EQ(taste, 3);
  EXPECT_EQ(flag, 1);
}

TEST_F(Eingabe, FirstSignMovesTheWholeRange) {
  vc.push_keys("?Y");
  LESE_ZEICHEN('*');
  EXPECT_EQ(A, 'y');
  EXPECT_EQ(X.erstes_zeichen, 'y');
  EXPECT_EQ(X.letztes_zeichen, '7');
  EXPECT_EQ(MAXFARBE, 10);
  EXPECT_EQ(text(30, 13, 1), "y");
  EXPECT_EQ(text(30, 14, 1), "7");
  EXPECT_EQ(text(30, 15, 11), "yz01234567 ");
  EXPECT_EQ(NRARRAY['0'], 3);
}

TEST_F(Eingabe, LastSignGrowsAndShrinksTheList) {
  GOTOXY(30, 15);
  WRITE("0123456789");
  vc.push_keys("0c");  // the first sign cannot be the last one
  LESE_ZEICHEN('0');
  EXPECT_EQ(A, 'c');
  EXPECT_EQ(MAXFARBE, 13);
  EXPECT_EQ(X.letztes_zeichen, 'c');
  EXPECT_EQ(text(30, 14, 1), "c");
  EXPECT_EQ(text(30, 15, 14), "0123456789abc ");
  vc.push_keys("3");
  LESE_ZEICHEN('0');
  EXPECT_EQ(MAXFARBE, 4);
  EXPECT_EQ(text(30, 15, 14), "0123          ");
  // The same sign again, and Backspace, change nothing.
  vc.push_keys("3");
  LESE_ZEICHEN('0');
  vc.push_key(8);
  LESE_ZEICHEN('0');
  EXPECT_EQ(A, 8);
  EXPECT_EQ(MAXFARBE, 4);
}

TEST_F(Eingabe, SecretCodeFillsInTheLastSign) {
  bereich('0', '5');
  X.laenge = 6;
  GOTOXY(46, 18);
  WRITE("......");
  GOTOXY(46, 18);
  unsigned char taste = 0;
  vc.push_keys("5313");  // the second 3 is refused, the cursor stays
  vc.on_wait = [&](VirtualConsole& v) {
    if (v.pending_keys() == 0 && WHEREX() == 49) {
      EXPECT_EQ(text(46, 18, 6), "531...");
      v.push_keys("20");
    }
  };
  LESE_LSG(LOESUNG, taste);
  EXPECT_EQ(std::string(LOESUNG.z, 9), "531204   ");
  EXPECT_EQ(text(46, 18, 6), "531204");
  EXPECT_EQ(taste, '4');
}

TEST_F(Eingabe, SecretCodeBackspaceAndResume) {
  X.laenge = 4;
  GOTOXY(46, 18);
  WRITE("....");
  GOTOXY(46, 18);
  unsigned char taste = 0;
  vc.push_keys("12");
  vc.push_key(8);
  vc.push_keys("345");
  LESE_LSG(LOESUNG, taste);
  EXPECT_EQ(text(46, 18, 4), "1345");
  // Entered again from behind: only the last position is typed anew.
  ZURUECK = true;
  vc.push_keys("9");
  LESE_LSG(LOESUNG, taste);
  EXPECT_EQ(text(46, 18, 4), "1349");
  EXPECT_EQ(std::string(LOESUNG.z, 4), "1349");
  // Backspace at the first position leaves the field.
  ZURUECK = false;
  vc.push_key(8);
  LESE_LSG(LOESUNG, taste);
  EXPECT_EQ(taste, 8);
  vc.push_keys("1");
  vc.push_key(27);
  LESE_LSG(LOESUNG, taste);
  EXPECT_EQ(taste, 27);
}

TEST_F(Eingabe, TrialCompletesWithoutEnter) {
  geheim("4321");
  unsigned char taste = 0;
  vc.push_keys("1234");
  ZEITEIN = true;
  lies_versuch(taste);
  EXPECT_EQ(std::string(versuch.z, 9), "1234     ");
  EXPECT_EQ(p, 0);
  EXPECT_EQ(z, 4);
  EXPECT_EQ(text(56, 9, 3), "0 4");
  EXPECT_EQ(WHEREX(), 59);
  EXPECT_TRUE(ZEITEIN);
  EXPECT_FALSE(RATENDRAN);
  EXPECT_EQ(WOP, 8 * 160 + 55 * 2);
  EXPECT_EQ(WOZ, WOP + 4);
}

TEST_F(Eingabe, TrialCursorKeys) {
  geheim("2345");
  unsigned char taste = 0;
  vc.push_keys("1");
  vc.push_ext(75);  // Left: back to position 1, which is overwritten
  vc.push_keys("2k");
  vc.push_keys("K");     // outside the signs, also after folding
  vc.push_keys(" *+~");  // no vacant sign in this game
  vc.push_key(8);        // blanks position 2, back to 1
  vc.push_key(8);        // blanks position 1, on to position 4
  bool gesehen = false;
  vc.on_wait = [&](VirtualConsole& v) {
    if (gesehen) return;
    gesehen = true;
    EXPECT_EQ(WHEREX(), 53);
    EXPECT_EQ(text(50, 9, 4), "....");
    v.push_keys("5");
    v.push_key(13);  // Enter steps over position 1
    v.push_keys("34");
    v.push_ext(77);  // Right: from position 4 round to position 1
    v.push_keys("2");
  };
  GOTOXY(50, 9);
  WRITE("....");
  lies_versuch(taste);
  EXPECT_EQ(std::string(versuch.z, 4), "2345");
  EXPECT_EQ(p, 4);
  EXPECT_FALSE(ZEITEIN);  // the code is broken: the clocks stop
}

TEST_F(Eingabe, TrialWithVacantSignsAndDelete) {
  X.leerzeichen = 1;
  X.wiederholung = 1;
  bereich('a', 'f');
  geheim("acda");
  unsigned char taste = 0;
  vc.push_keys("~bc");
  vc.push_ext(75);
  vc.push_ext(83);  // Del clears position 3 and moves right
  for (int i = 0; i < 3; ++i) vc.push_ext(75);
  vc.push_keys("aacd");
  lies_versuch(taste);
  EXPECT_EQ(std::string(versuch.z, 4), "aacd");
  EXPECT_EQ(p, 1);
  EXPECT_EQ(z, 3);
  EXPECT_EQ(text(56, 9, 3), "1 3");
  vc.push_keys(" *+kd");
  NUMMER = 2;
  lies_versuch(taste);
  EXPECT_EQ(std::string(versuch.z, 4), "***d");
  EXPECT_EQ(p, 0);
  EXPECT_EQ(z, 1);
}

TEST_F(Eingabe, EscAbandonsTheTrial) {
  ZEITEIN = true;
  NUMMER = 3;
  unsigned char taste = 0;
  vc.push_keys("12");
  vc.push_key(3);
  lies_versuch(taste);
  EXPECT_EQ(taste, 27);
  EXPECT_FALSE(ZEITEIN);
  EXPECT_FALSE(RATENDRAN);
  EXPECT_EQ(text(50, 9, 4), "12..");  // later trials start on a row of dots
}

}  // namespace
