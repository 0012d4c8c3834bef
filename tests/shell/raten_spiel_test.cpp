// Whole games through the play loop with the computer as codebreaker: against
// its own fixed code, against a human encoder who types the answers, against
// its own variable code; the time limit, F4, Esc and a failed build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "engine/kvspiel.h"
#include "shell/kv.h"
#include "support/harness.h"

namespace {

class RatenSpiel : public ::testing::Test {
 public:
  Harness h;

  void SetUp() override {
    h.start();
    h.vc.eof_when_empty = false;
  }

  void bedingungen(char letztes, int laenge, bool wdh, bool pc_kodiert, bool fest,
                   bool deutsch = true) {
    X.erstes_zeichen = '0';
    X.letztes_zeichen = letztes;
    X.laenge = static_cast<std::uint8_t>(laenge);
    X.wiederholung = wdh;
    X.leerzeichen = 0;
    X.pc_kodiert = pc_kodiert;
    X.fest = fest;
    X.pc_raet = 1;
    zeitlimit(0);
    DEUTSCH = SP_D = deutsch;
    setze_zeichensatz();
  }

  // The time limit in tens of seconds, as the form sets it.
  static void zeitlimit(int zehner) {
    X.zeitlimit = static_cast<std::uint8_t>(zehner);
    ZEITLIMIT = static_cast<std::uint32_t>(zehner) * 1000;
    ZEITLIMIT99 = ZEITLIMIT + 99;
    ZEITLIMIT_DIV_10 = static_cast<std::uint32_t>(zehner) * 100;
  }

  // The trial of board row r (1..15) in the left column, and its answer.
  std::string versuch(int r) const { return h.text(X2[1], r + 8, X.laenge); }
  int p(int r) const { return h.text(56, r + 8, 1)[0] - '0'; }
  int z(int r) const { return h.text(58, r + 8, 1)[0] - '0'; }

  // Every answer on the board agrees with the secret.
  void pruefe_antworten(const std::string& geheim, int zuege) {
    for (int r = 1; r <= zuege && r <= 15; ++r) {
      code v, g;
      std::memset(v.z, ' ', 9);
      std::memset(g.z, ' ', 9);
      std::memcpy(v.z, versuch(r).data(), static_cast<std::size_t>(X.laenge));
      std::memcpy(g.z, geheim.data(), geheim.size());
      std::uint8_t pp, tt;
      bewerte(v, g, X.laenge, pp, tt);
      EXPECT_EQ(p(r), pp) << versuch(r);
      EXPECT_EQ(z(r), tt - pp) << versuch(r);
    }
  }
};

TEST_F(RatenSpiel, ComputerBreaksItsOwnFixedCodeInBothLanguages) {
  for (bool deutsch : {true, false}) {
    RANDOMIZE(deutsch ? 5 : 6);
    bedingungen('9', 4, false, true, true, deutsch);
    EXPECT_FALSE(spiele_partie());
    const std::string geheim(&LOESUNG[1], 4);
    EXPECT_EQ(h.text(10, 25, 4), geheim);
    EXPECT_EQ(h.text(1, 25, 9), deutsch ? "Loesung: " : "Answer:  ");
    EXPECT_LE(NUMMER, 7);
    EXPECT_EQ(h.text(45, 25, 1), std::to_string(NUMMER));
    EXPECT_EQ(versuch(NUMMER), geheim);
    pruefe_antworten(geheim, NUMMER);
    EXPECT_EQ(raten_belegt, 0u);
    EXPECT_FALSE(ZEITEIN);
  }
}

TEST_F(RatenSpiel, OpeningPatternOnTheBoard) {
  RANDOMIZE(8);
  bedingungen('9', 4, false, true, true);
  int gesehen = 0;
  h.vc.on_wait = [&](VirtualConsole&) {
    if (NUMMER == 1 && h.text(32, 5, 12) == "     (0123) ") ++gesehen;
  };
  spiele_partie();
  EXPECT_GT(gesehen, 0);
}

TEST_F(RatenSpiel, HumanEncoderTypesTheAnswers) {
  for (const std::string geheim : {"0123", "5500", "2051"}) {
    RANDOMIZE(static_cast<std::uint64_t>(geheim[0]) * 31 + geheim[3]);
    bedingungen('5', 4, true, false, true);
    h.vc.on_wait = [&](VirtualConsole& vc) {
      if (WHEREY() != WY || RATENDRAN) return;
      const std::string v = h.text(X2[1] + (WX > 60 ? 20 : 0), WY, 4);
      code a, b;
      std::memset(a.z, ' ', 9);
      std::memset(b.z, ' ', 9);
      std::memcpy(a.z, v.data(), 4);
      std::memcpy(b.z, geheim.data(), 4);
      std::uint8_t pp, tt;
      bewerte(a, b, 4, pp, tt);
      if (WHEREX() == X3I) vc.push_key(static_cast<unsigned char>('0' + pp));
      if (WHEREX() == X4I) vc.push_key(static_cast<unsigned char>('0' + tt - pp));
    };
    EXPECT_FALSE(spiele_partie());
    EXPECT_EQ(versuch(NUMMER), geheim);
    EXPECT_EQ(std::string(&LOESUNG[1], 4), geheim);
    EXPECT_LE(NUMMER, 5);
    pruefe_antworten(geheim, NUMMER);
    EXPECT_EQ(raten_belegt, 0u);
  }
}

TEST_F(RatenSpiel, ComputerAgainstItselfWithAVariableCode) {
  RANDOMIZE(12);
  bedingungen('5', 4, true, true, false);
  EXPECT_FALSE(spiele_partie());
  const std::string geheim(&LOESUNG[1], 4);
  EXPECT_EQ(versuch(NUMMER), geheim);
  EXPECT_LE(NUMMER, 5);
  pruefe_antworten(geheim, NUMMER);
  EXPECT_EQ(raten_belegt, 0u);
}

// Thinking takes virtual time: every key poll of the search lasts 20 ms.
void denkt_langsam(VirtualConsole& vc) {
  if (RATENDRAN && !AEQUI_KLASSE) vc.advance_us(20000);
}

TEST_F(RatenSpiel, TimeLimitStopsTheSearchWithANotice) {
  RANDOMIZE(4);
  bedingungen('9', 5, true, true, true);
  zeitlimit(1);
  int laengste = 0;
  h.vc.on_wait = [&](VirtualConsole& vc) {
    denkt_langsam(vc);
    if (RATENDRAN && !AEQUI_KLASSE) laengste = std::max(laengste, SPIELZEIT);
  };
  spiele_partie();
  EXPECT_EQ(h.text(1, 11, 39), "| Zeit begrenzt auf 10 Sek./Versuch.  |");
  EXPECT_LT(laengste, 1200);  // the search ends with the limit (the clock shows whole seconds)
  EXPECT_GE(laengste, 1000);
  EXPECT_EQ(UNTERBR, 0);
  EXPECT_EQ(versuch(NUMMER), std::string(&LOESUNG[1], 5));
  EXPECT_EQ(raten_belegt, 0u);
}

TEST_F(RatenSpiel, F4DecidesAfterFiveSecondsAndCountsTheBreak) {
  RANDOMIZE(4);
  bedingungen('9', 5, true, true, true, false);
  bool f4 = false;
  h.vc.on_wait = [&](VirtualConsole& vc) {
    denkt_langsam(vc);
    if (RATENDRAN && !AEQUI_KLASSE && !f4) {
      vc.push_ext(62);
      f4 = true;
    }
  };
  spiele_partie();
  EXPECT_EQ(UNTERBR, 1);
  EXPECT_EQ(h.text(3, 15, 20), "Number of breaks: 1.");
  EXPECT_EQ(h.row(11).find("timelimit"), std::string::npos);
  EXPECT_EQ(versuch(NUMMER), std::string(&LOESUNG[1], 5));
}

TEST_F(RatenSpiel, EscDuringTheSearchEndsTheGame) {
  RANDOMIZE(9);
  bedingungen('9', 5, true, true, true);
  int polls = 0;
  h.vc.on_wait = [&](VirtualConsole& vc) {
    if (NUMMER == 2 && RATENDRAN && ++polls == 50) vc.push_key(27);
  };
  EXPECT_FALSE(spiele_partie());
  EXPECT_EQ(NUMMER, 2);
  EXPECT_EQ(h.text(45, 25, 3), "   ");  // no trial count after an abort
  EXPECT_EQ(h.text(3, 19, 10), "Spielende ");
  EXPECT_EQ(raten_belegt, 0u);
  EXPECT_FALSE(ZEITEIN);
}

TEST_F(RatenSpiel, AFailedBuildEndsTheGameLikeEsc) {
  // An allocation that returns nothing, or a store the machine cannot back.
  for (const bool speichergrenze : {false, true}) {
    bedingungen('9', 4, false, true, true);
    raten_fehler_bei = speichergrenze ? -1 : 0;
    h.vc.memory_limit = speichergrenze ? 16 << 20 : ~std::uint64_t{0};
    EXPECT_FALSE(spiele_partie());
    EXPECT_TRUE(abbruch);
    EXPECT_EQ(h.text(45, 25, 3), "   ");
    EXPECT_EQ(raten_belegt, 0u);
  }
}

}  // namespace
