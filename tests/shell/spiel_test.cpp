// Whole games through the virtual console, played by a scripted codebreaker
// that reads the answers off the board; the rolling board; the end line; the
// secret code the computer draws. Then the games with the computer as
// codebreaker: against its own fixed code, against a human encoder who types
// the answers, against its own variable code; the time limit, F4, Esc and a
// failed build.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "engine/kvspiel.h"
#include "engine/raten_hilfe.h"
#include "shell/kv.h"
#include "support/harness.h"

namespace {

using raten_test::als_code;

struct Rolle {
  bool pc_kodiert, fest;
};
const Rolle COMPUTER_FEST{true, true};       // the computer devises a fixed code
const Rolle MENSCH_FEST{false, true};        // a human typed the code on the form
const Rolle COMPUTER_VARIABEL{true, false};  // the computer answers with a variable code

// A game set up as the conditions form leaves it, started directly.
class Spiel : public ::testing::Test {
 public:
  Harness h;

  void SetUp() override {
    h.start();
    h.vc.eof_when_empty = false;
  }

  // The test's player; should it stop pushing keys for long, the input ends.
  void spieler(std::function<void(VirtualConsole&)> f) {
    long leer = 0;
    h.vc.on_wait = [f, leer](VirtualConsole& vc) mutable {
      f(vc);
      if (vc.pending_keys() > 0)
        leer = 0;
      else if (++leer > 2000000)
        vc.eof_when_empty = true;
    };
  }

  void bedingungen(char erstes, char letztes, int laenge, bool wdh, Rolle rolle,
                   bool deutsch = true) {
    X.erstes_zeichen = erstes;
    X.letztes_zeichen = letztes;
    X.laenge = static_cast<std::uint8_t>(laenge);
    X.wiederholung = wdh;
    X.leerzeichen = 0;
    X.pc_kodiert = rolle.pc_kodiert;
    X.fest = rolle.fest;
    X.pc_raet = 0;
    DEUTSCH = SP_D = deutsch;
    setze_zeichensatz();
  }

  // Every code of the conditions, as characters.
 public:
  static std::vector<std::string> alle_codes() {
    std::vector<std::string> r;
    const int l = X.laenge, n = MAXFARBE;
    std::vector<int> i(static_cast<std::size_t>(l), 1);
    for (;;) {
      std::string c;
      bool doppelt = false;
      for (int k = 0; k < l; ++k) {
        const char z = FARBARRAY[i[static_cast<std::size_t>(k)]];
        if (c.find(z) != std::string::npos) doppelt = true;
        c += z;
      }
      if (X.wiederholung || !doppelt) r.push_back(c);
      int k = 0;
      while (k < l && i[static_cast<std::size_t>(k)] == n) i[static_cast<std::size_t>(k++)] = 1;
      if (k == l) return r;
      ++i[static_cast<std::size_t>(k)];
    }
  }
};

// Plays as a person would: waits for the dots of a new trial, reads the
// answer of its last trial off the board, keeps the codes consistent with
// every answer and types the first of them. Says no to the new-game question.
class Rater {
 public:
  std::vector<std::string> kandidaten;
  std::vector<std::string> versuche;
  bool neues_spiel = false;
  int fragen = 0;

  explicit Rater(std::vector<std::string> k) : kandidaten(std::move(k)) {}
  Rater() = default;

  static bool status_bereit() {
    const std::string r = screen_row(25);
    return r.rfind("Loesung:", 0) == 0 || r.rfind("Answer:", 0) == 0;
  }

  void operator()(VirtualConsole& vc) {
    const int x = WHEREX(), y = WHEREY();
    const int l = X.laenge;
    if (x == 70 && y == 25) {
      ++fragen;
      vc.push_keys(neues_spiel ? "j" : "n");
      return;
    }
    if (!status_bereit() || y < 9 || y > 23 || (x != X2[1] && x != X2[2])) return;
    if (screen_row(y).substr(static_cast<std::size_t>(x - 1), static_cast<std::size_t>(l)) !=
        std::string(static_cast<std::size_t>(l), '.'))
      return;
    const int n = static_cast<int>(versuche.size());
    if (n == 0 && kandidaten.empty()) kandidaten = Spiel::alle_codes();
    if (n > 0) {
      int c = 2, r = 14;
      if (n + 1 <= 30) {
        c = (n - 1) / 15 + 1;
        r = (n - 1) % 15 + 1;
      }
      const std::string zeile = screen_row(r + 8);
      const int p = zeile[static_cast<std::size_t>(X3[c] - 1)] - '0';
      const int z = zeile[static_cast<std::size_t>(X4[c] - 1)] - '0';
      std::vector<std::string> rest;
      for (const std::string& k : kandidaten) {
        int pp, tt;
        raten_test::wertung(versuche.back(), k, pp, tt);
        if (pp == p && tt - pp == z) rest.push_back(k);
      }
      kandidaten = rest;
    }
    if (kandidaten.empty()) {
      vc.push_key(27);  // inconsistent answers: give up (the test then fails)
      return;
    }
    versuche.push_back(kandidaten.front());
    vc.push_keys(kandidaten.front());
  }
};

void spiele_und_pruefe(Spiel& s, Harness& h, const char* name) {
  Rater rater(Spiel::alle_codes());
  s.spieler([&](VirtualConsole& vc) { rater(vc); });
  const bool nochmal = spiele_partie();
  SCOPED_TRACE(name);
  EXPECT_FALSE(nochmal);
  EXPECT_EQ(rater.fragen, 1);
  ASSERT_FALSE(rater.versuche.empty());
  const std::string letzter = rater.versuche.back();
  EXPECT_EQ(std::string(&LOESUNG[1], static_cast<std::size_t>(X.laenge)), letzter);
  EXPECT_EQ(h.text(10, 25, X.laenge), letzter);
  const std::string zahl = std::to_string(rater.versuche.size());
  EXPECT_EQ(h.text(45, 25, static_cast<int>(zahl.size())), zahl);
  EXPECT_EQ(NUMMER, static_cast<int>(rater.versuche.size()));
  EXPECT_FALSE(abbruch);
  EXPECT_FALSE(ZEITEIN);
  EXPECT_EQ(mogel_zahl_bloecke, 0u);
  EXPECT_EQ(h.text(3, 19, 10), DEUTSCH ? "Spielende " : "Game end  ");
  (void)s;
}

struct Bedingung {
  const char* name;
  char erstes, letztes;
  int laenge;
  bool wdh;
};
const Bedingung BEDINGUNGEN[] = {
    {"default", '0', '9', 4, false},
    {"two signs, length 2, repetition", '0', '1', 2, true},
    {"length 5 over 8 signs, repetition", '0', '7', 5, true},
    {"wrapping y..b", 'y', 'b', 4, false},
};

// Against the computer's fixed code, a human's fixed code and the variable
// code, over every condition, in German or English.
TEST_F(Spiel, CodebreakerWinsAgainstEveryEncoder) {
  const char* codes[] = {"7305", "10", "77070", "by0a"};  // the human's fixed codes
  for (const Rolle rolle : {COMPUTER_FEST, MENSCH_FEST, COMPUTER_VARIABEL}) {
    SCOPED_TRACE(rolle.pc_kodiert ? (rolle.fest ? "computer, fixed" : "variable") : "human");
    for (std::size_t i = 0; i < std::size(BEDINGUNGEN); ++i) {
      const Bedingung& b = BEDINGUNGEN[i];
      bedingungen(b.erstes, b.letztes, b.laenge, b.wdh, rolle,
                  !rolle.pc_kodiert || b.wdh == rolle.fest);
      if (!rolle.pc_kodiert) LOESUNG = als_code(codes[i]);
      spiele_und_pruefe(*this, h, b.name);
      if (!rolle.pc_kodiert) {
        EXPECT_EQ(h.text(10, 25, b.laenge), codes[i]);
      }
    }
  }
}

TEST_F(Spiel, ConditionsAreSavedAtTheStartAndYesLeadsBack) {
  bedingungen('0', '9', 4, false, COMPUTER_FEST);
  X.leerzeichen = 1;
  spieler([&](VirtualConsole& vc) {
    if (WHEREX() == 70 && WHEREY() == 25)
      vc.push_key(13);
    else
      vc.push_key(27);  // Esc at the first trial
  });
  EXPECT_TRUE(spiele_partie());
  EXPECT_TRUE(abbruch);
  const auto datei = h.read_file();
  ASSERT_EQ(datei.size(), 80u);
  EXPECT_EQ(datei[10], 1);  // the vacant sign as chosen
  // Esc at the first trial: "Spielende", the code, but no trial count.
  EXPECT_EQ(h.text(3, 19, 10), "Spielende ");
  EXPECT_EQ(h.text(10, 25, 4), std::string(&LOESUNG[1], 4));
  EXPECT_EQ(h.text(45, 25, 3), "   ");
  EXPECT_FALSE(ZEITEIN);
}

// A codebreaker that repeats a wrong trial, so that the board rolls on.
TEST_F(Spiel, BoardRollsOnAfterTheThirtiethTrial) {
  bedingungen('0', '9', 4, false, MENSCH_FEST);
  LOESUNG = als_code("1234");
  int gesehen = 0;
  std::string zeile9_bei_31, zeile23_bei_31, zeile22_bei_31;
  spieler([&](VirtualConsole& vc) {
    if (WHEREX() == 70 && WHEREY() == 25) {
      vc.push_keys("n");
      return;
    }
    if (!Rater::status_bereit() || h.text(WHEREX(), WHEREY(), 4) != "....") return;
    ++gesehen;
    if (gesehen == 31) {
      zeile9_bei_31 = h.row(9);
      zeile22_bei_31 = h.row(22);
      zeile23_bei_31 = h.row(23);
    }
    if (gesehen == 1000) {
      EXPECT_EQ(h.text(62, 23, 3), "000");
      EXPECT_EQ(h.text(42, 9, 3), "971");
      EXPECT_EQ(h.text(62, 22, 3), "999");
    }
    if (gesehen == 1007) {
      EXPECT_EQ(h.text(62, 23, 3), "007");
    }
    vc.push_keys(gesehen == 1010 ? "1234" : "5678");
  });
  spiele_partie();
  EXPECT_EQ(gesehen, 1010);
  // Trial 31: trial 1 is gone, trial 2 is at the top of the left column, the
  // newest at the bottom of the right column with its answer cells emptied.
  EXPECT_EQ(zeile9_bei_31.substr(38, 41), "|*|  2|  5678   |0|0|*| 17|  5678   |0|0|");
  EXPECT_EQ(zeile22_bei_31.substr(38, 41), "|*| 15|  5678   |0|0|*| 30|  5678   |0|0|");
  EXPECT_EQ(zeile23_bei_31.substr(38, 41), "|*| 16|  5678   |0|0|*| 31|  ....   | | |");
  EXPECT_EQ(h.text(45, 25, 4), "1010");
  EXPECT_EQ(h.text(62, 23, 3), "010");
  EXPECT_EQ(h.text(66, 23, 9), "  1234   ");
  EXPECT_EQ(h.text(76, 23, 3), "4|0");
}

TEST_F(Spiel, HumanAnswersAVariableCode) {
  // Two humans, the code not fixed: the encoder answers on the keyboard, the
  // program takes only answers some code would give and fills in the rest.
  bedingungen('0', '2', 3, false, Rolle{false, false});
  std::vector<std::string> eingaben;
  spieler([&](VirtualConsole& vc) {
    const int x = WHEREX(), y = WHEREY();
    if (x == 70 && y == 25) {
      vc.push_keys("n");
    } else if (Rater::status_bereit() && y == 9 && h.text(x, y, 3) == "...") {
      vc.push_keys("012");
    } else if (y == 9 && x == 56) {
      vc.push_keys("9");  // impossible: ignored
      vc.push_keys("1");  // P 1: 021, 210, 102 remain; Z is forced to 2
    } else if (Rater::status_bereit() && y == 10 && h.text(x, y, 3) == "...") {
      vc.push_keys("021");
    } else if (y == 10 && x == 56) {
      vc.push_keys("3");  // P 3: the code is named
    }
  });
  EXPECT_FALSE(spiele_partie());
  EXPECT_EQ(h.text(56, 9, 3), "1|2");
  EXPECT_EQ(h.text(56, 10, 3), "3|0");
  EXPECT_EQ(h.text(10, 25, 3), "021");
  EXPECT_EQ(h.text(45, 25, 1), "2");
  EXPECT_EQ(mogel_zahl_bloecke, 0u);
}

TEST_F(Spiel, FailedBuildEndsTheGameLikeEsc) {
  // An allocation that returns nothing, or a list the machine cannot back.
  for (const bool speichergrenze : {false, true}) {
    bedingungen('0', '9', 4, false, COMPUTER_VARIABEL);
    mogel_fehler_bei_block = speichergrenze ? -1 : 0;
    h.vc.memory_limit = speichergrenze ? 16 << 20 : ~std::uint64_t{0};
    spieler([&](VirtualConsole& vc) {
      if (WHEREX() == 70 && WHEREY() == 25) vc.push_keys("xN");  // "x" is ignored
    });
    EXPECT_FALSE(spiele_partie());
    EXPECT_TRUE(abbruch);
    EXPECT_EQ(NUMMER, 0);
    EXPECT_EQ(h.text(3, 19, 10), "Spielende ");
    // The progress line gives way to the end line with the question.
    EXPECT_EQ(h.row(25).substr(0, 79),
              "Loesung:               Benoetigte Versuche:             Neues Spiel? Ja.       ");
    EXPECT_EQ(mogel_zahl_bloecke, 0u);
    EXPECT_EQ(mogel_belegt, 0u);
  }
}

TEST_F(Spiel, ACodeLongerThanTheSignSetRepeatsSigns) {
  bedingungen('0', '5', 9, false, COMPUTER_FEST);  // inconsistent, as no form leaves it
  spieler([](VirtualConsole& vc) { vc.push_keys("\x1bn"); });
  EXPECT_FALSE(spiele_partie());
  EXPECT_EQ(X.wiederholung, 1);
  for (int i = 1; i <= 9; ++i) EXPECT_TRUE(LOESUNG[i] >= '0' && LOESUNG[i] <= '5') << i;
}

TEST_F(Spiel, SecretCodeDrawing) {
  RANDOMIZE(20251218);
  // Length 2 with repetition: always independent positions, so doubles occur
  // in about half of the draws over two signs.
  bedingungen('0', '1', 2, true, COMPUTER_FEST);
  int doppelt = 0;
  for (int i = 0; i < 4000; ++i) {
    ziehe_geheimcode();
    if (LOESUNG[1] == LOESUNG[2]) ++doppelt;
    EXPECT_EQ(LOESUNG[3], ' ');
  }
  EXPECT_NEAR(doppelt / 4000.0, 0.5, 0.04);

  // More places than signs: independent positions, every sign possible.
  bedingungen('0', '5', 9, true, COMPUTER_FEST);
  for (int i = 0; i < 200; ++i) {
    ziehe_geheimcode();
    for (int k = 1; k <= 9; ++k) EXPECT_TRUE(LOESUNG[k] >= '0' && LOESUNG[k] <= '5');
  }

  // Length 4 over 10 signs with repetition: half of the codes come from the
  // urn (never a repeated sign), half from independent draws (repeated signs
  // in 1 - 0.504 of them): about 24.8 % of all codes repeat a sign.
  bedingungen('0', '9', 4, true, COMPUTER_FEST);
  int mit_wiederholung = 0;
  const int zuege = 20000;
  for (int i = 0; i < zuege; ++i) {
    ziehe_geheimcode();
    const std::string c(&LOESUNG[1], 4);
    bool w = false;
    for (int a = 0; a < 4; ++a)
      for (int b = a + 1; b < 4; ++b) w = w || c[a] == c[b];
    if (w) ++mit_wiederholung;
  }
  EXPECT_NEAR(mit_wiederholung / static_cast<double>(zuege), 0.248, 0.015);

  // Without repetition: never a repeated sign.
  bedingungen('y', 'b', 4, false, COMPUTER_FEST);
  for (int i = 0; i < 500; ++i) {
    ziehe_geheimcode();
    const std::string c(&LOESUNG[1], 4);
    for (int a = 0; a < 4; ++a) {
      EXPECT_LE(NRARRAY[static_cast<unsigned char>(c[a])], 14);
      for (int b = a + 1; b < 4; ++b) EXPECT_NE(c[a], c[b]);
    }
  }
}

// From the menu through the form into games and back, as a person plays.
TEST(GanzesProgramm, GamesFromTheMenu) {
  for (int fest = 0; fest <= 1; ++fest) {
    Harness h;
    auto satz = Harness::default_record();
    satz[13] = static_cast<std::uint8_t>(fest);
    h.write_file(satz);
    h.vc.eof_when_empty = false;
    Rater rater;
    rater.neues_spiel = true;  // yes: back to the form, which is then left with "4"
    int menues = 0, formulare = 0;
    long leer = 0;
    h.vc.on_wait = [&](VirtualConsole& vc) {
      if (h.row(19).find("Please choose now:") != std::string::npos ||
          h.row(19).find("Bitte waehlen Sie:") != std::string::npos) {
        ++menues;
        vc.push_keys("9");
      } else if ((WHEREX() == 73 || WHEREX() == 74) && WHEREY() == 20 && rater.fragen > 0) {
        ++formulare;
        vc.push_keys("4");
      } else {
        rater(vc);
      }
      if (vc.pending_keys() == 0 && ++leer > 2000000) vc.eof_when_empty = true;
    };
    h.vc.push_keys(fest ? "d51" : "e51");
    h.run();
    SCOPED_TRACE(fest);
    EXPECT_EQ(rater.fragen, 1);
    EXPECT_EQ(formulare, 1);
    EXPECT_EQ(menues, 1);
    ASSERT_FALSE(rater.versuche.empty());
    EXPECT_EQ(std::string(&LOESUNG[1], 4), rater.versuche.back());
    EXPECT_TRUE(h.shows("Bye-bye!"));
    EXPECT_EQ(h.read_file(), satz);
  }
}

}  // namespace

// ---------------------------------------------------------------- the computer guesses

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
