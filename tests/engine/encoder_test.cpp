// The encoder with a variable answer code: the list's build, its abort and
// failure paths, the classification, and the computer's and the human's answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "console/virtual_console.h"
#include "engine/kvspiel.h"
#include "engine/raten_hilfe.h"

namespace {

using raten_test::als_code;

class Encoder : public ::testing::Test {
 protected:
  VirtualConsole vc;

  void SetUp() override {
    kvspiel_reset();
    console_use(vc);
    vc.eof_when_empty = false;
  }
  void TearDown() override { kvspiel_reset(); }

  // Conditions of a game in which the computer (or a human) answers with a
  // variable code.
  void bedingungen(char erstes, char letztes, int laenge, bool wdh, bool pc_antwortet = true) {
    INITIALISIERE();
    X.erstes_zeichen = erstes;
    X.letztes_zeichen = letztes;
    X.laenge = static_cast<std::uint8_t>(laenge);
    X.wiederholung = wdh;
    X.fest = 0;
    X.pc_kodiert = pc_antwortet;
    setze_zeichensatz();
    LETZTEZAHL = 0;
    REIHENFOLGE();
    KORRIGIERE(MAXFARBE, X.laenge, wdh, false, false, true);
    KENNEALLEFARBEN = !wdh && laenge == MAXFARBE;
    NUMMER = 1;
    GOTOXY(46, 9);
  }

  bool baue() {
    bool ok = false;
    INIT_NICHT_FEST(ok);
    return ok;
  }

  static zahlenfeld nummern(const std::string& s) {
    zahlenfeld nr{};
    for (std::size_t i = 0; i < s.size(); ++i)
      nr[static_cast<int>(i) + 1] = s[i] == '*' ? 0 : NRARRAY[static_cast<unsigned char>(s[i])];
    return nr;
  }
  static std::string rest_code(std::uint32_t i) {
    zahlenfeld nr;
    liste_code(i, nr);
    std::string s;
    for (int j = 1; j <= X.laenge; ++j) s += FARBARRAY[nr[j]];
    return s;
  }
  static std::set<std::string> rest() {
    std::set<std::string> r;
    for (std::uint32_t i = 0; i < ERL; ++i) r.insert(rest_code(i));
    return r;
  }

  // One answer step for the trial, with the cursor on the left P cell of row 9.
  bool antworte(const std::string& versuch, std::uint8_t& p, std::uint8_t& z,
                unsigned char& taste) {
    GOTOXY(56, 9);
    taste = 0;
    return antwort_nicht_fest(als_code(versuch), nummern(versuch), 56, 58, 9, p, z, taste);
  }

  // Count per class (T x 16 + P) by scoring every remaining code.
  static std::map<int, int> zaehle_nach(const std::string& versuch) {
    std::map<int, int> z;
    for (const std::string& c : rest()) {
      std::uint8_t p, t;
      bewerte(als_code(versuch), als_code(c), X.laenge, p, t);
      ++z[t * 16 + p];
    }
    return z;
  }
};

TEST_F(Encoder, BuildsEveryCodeOnceWithinTheBudget) {
  bedingungen('0', '5', 4, false);
  ASSERT_TRUE(baue());
  EXPECT_EQ(ERLLOE, 360u);
  EXPECT_EQ(ERL, 360u);
  const auto r = rest();
  EXPECT_EQ(r.size(), 360u);
  for (const std::string& c : r) EXPECT_EQ(std::set<char>(c.begin(), c.end()).size(), 4u) << c;
  EXPECT_LE(mogel_belegt, static_cast<std::uint64_t>(SIZEMOGELN) * MEMLOES);
  EXPECT_EQ(screen_row(25).substr(0, 79),
            "Loesung:                Benoetigte Versuche:            Neues Spiel? Ja.       ");
  EXPECT_EQ(WHEREX(), 46);
  EXPECT_EQ(WHEREY(), 9);

  bedingungen('y', '1', 3, true);  // y z 0 1
  SP_D = false;
  ASSERT_TRUE(baue());
  EXPECT_EQ(rest().size(), 64u);
  EXPECT_TRUE(rest().count("zy1"));
  EXPECT_EQ(screen_row(25).substr(0, 79),
            "Answer:                       Trials made:                 New Game? Yes.      ");
}

TEST_F(Encoder, BuildFollowsThePlainEnumerationOnOneThreadAndOnTwo) {
  // With repetition an odometer, position 1 fastest; without, the arrangements
  // with position L slowest and every position's signs falling. Lists of
  // several blocks, the larger two in rounds of several pieces.
  struct Fall {
    char letztes;
    int laenge;
    bool wdh;
  };
  const Fall faelle[] = {{'5', 8, true}, {'a', 7, false}, {'j', 4, false}, {'z', 3, true}};
  for (const std::uint32_t faeden : {1u, 2u})
    for (const Fall& f : faelle) {
      bedingungen('0', f.letztes, f.laenge, f.wdh);
      raten_faeden = faeden;
      ASSERT_TRUE(baue());
      const int l = f.laenge, n = MAXFARBE;
      std::vector<int> x(static_cast<std::size_t>(l + 1), 1);
      std::uint32_t i = 0;
      bool gleich = true;
      const auto vergleiche = [&] {
        zahlenfeld nr;
        if (i < ERLLOE) liste_code(i, nr);
        for (int j = 1; j <= l; ++j) gleich = gleich && i < ERLLOE && nr[j] == x[j];
        ++i;
      };
      if (f.wdh) {
        for (int p = 0; p < l;) {
          vergleiche();
          for (p = 0; p < l && x[p + 1] == n; ++p) x[p + 1] = 1;
          if (p < l) ++x[p + 1];
        }
      } else {
        std::function<void(int)> setze = [&](int pos) {
          for (int s = n; s >= 1; --s) {
            if (std::find(x.begin() + pos + 1, x.end(), s) != x.end()) continue;
            x[pos] = s;
            if (pos == 1)
              vergleiche();
            else
              setze(pos - 1);
          }
        };
        setze(l);
      }
      EXPECT_TRUE(gleich) << l << f.letztes << " threads " << faeden;
      EXPECT_EQ(ERLLOE, i) << l << f.letztes;
    }
}

TEST_F(Encoder, StarsShowTheTenthsOfTheBuild) {
  bedingungen('0', '5', 4, true);
  int hoechste = 0;
  vc.on_wait = [&](VirtualConsole&) {
    const std::string r = screen_row(25);
    int n = 0;
    while (r[43 + n] == '*') ++n;
    if (n > hoechste) hoechste = n;
  };
  ASSERT_TRUE(baue());
  EXPECT_EQ(hoechste, 9);  // the tenth star comes with the last code, after the last poll
  EXPECT_EQ(ZAHL_DER_STERNE, 10u);
}

TEST_F(Encoder, EscDuringALargeBuildLeavesNothingAllocated) {
  bedingungen('0', 'n', 6, false);  // 24 signs: about 97 million codes
  long polls = 0;
  vc.on_wait = [&](VirtualConsole& v) {
    if (++polls == 3) v.push_key(27);
  };
  ZEITEIN = true;
  EXPECT_FALSE(baue());
  EXPECT_EQ(A, 27);
  EXPECT_FALSE(ZEITEIN);
  EXPECT_EQ(mogel_zahl_bloecke, 0u);
  EXPECT_EQ(mogel_belegt, 0u);
  EXPECT_GT(mogel_belegt_max, 0u);
  EXPECT_EQ(ERL, 0u);
  EXPECT_EQ(ERLLOE, 0u);
}

TEST_F(Encoder, OtherKeysDuringTheBuildAreDropped) {
  bedingungen('0', '5', 4, false);
  vc.push_keys("x");
  vc.push_ext(59);
  vc.push_keys("5");
  ASSERT_TRUE(baue());
  EXPECT_EQ(vc.pending_keys(), 0u);
  EXPECT_EQ(ERL, 360u);
}

TEST_F(Encoder, FailedAllocationEndsTheBuildLikeEsc) {
  bedingungen('0', 'j', 4, false);  // 116280 codes: two blocks
  mogel_fehler_bei_block = 1;
  ZEITEIN = true;
  EXPECT_FALSE(baue());
  EXPECT_EQ(A, 27);
  EXPECT_FALSE(ZEITEIN);
  EXPECT_EQ(mogel_zahl_bloecke, 0u);
  EXPECT_EQ(mogel_belegt, 0u);

  mogel_fehler_bei_block = 0;
  EXPECT_FALSE(baue());
  EXPECT_EQ(mogel_belegt_max, static_cast<std::uint64_t>(MOGEL_BLOCK) * 8);
}

TEST_F(Encoder, ClassificationAgreesWithScoring) {
  struct Fall {
    char erstes, letztes;
    int laenge;
    bool wdh;
    std::vector<std::string> versuche;
  };
  const Fall faelle[] = {
      {'0', '5', 4, false, {"0123", "0011", "5*5*", "1111", "0245"}},
      {'0', '5', 4, true, {"0123", "0011", "5*5*", "1112", "0000", "2323"}},
      {'y', 'b', 3, true, {"yz0", "bby", "*a*", "aaa"}},
      {'0', '3', 6, true, {"001122", "000111", "012301", "3*3*3*", "333333"}},
      {'0', '7', 5, false, {"01234", "77654", "0*1*2", "00000"}},
      {'0', '2', 9, true, {"000111222", "012012012", "*********", "222222220"}},
  };
  for (const RatenKern kern : {RatenKern::skalar, RatenKern::avx512}) {
    if (!raten_kern_erzwingen(kern)) continue;
    for (const Fall& f : faelle) {
      bedingungen(f.erstes, f.letztes, f.laenge, f.wdh);
      ASSERT_TRUE(baue());
      for (const std::string& v : f.versuche) {
        klassiere_liste(nummern(v));
        const auto erwartet = zaehle_nach(v);
        for (int k = 0; k < 256; ++k) {
          const auto it = erwartet.find(k);
          EXPECT_EQ(KLASSEN_ZAHL[k], it == erwartet.end() ? 0u : static_cast<unsigned>(it->second))
              << v << " class " << k / 16 << "/" << k % 16 << " kernel " << static_cast<int>(kern);
        }
      }
    }
  }
}

TEST_F(Encoder, EveryKernelClassifiesAndNarrowsAlike) {
  // Every length, with and without repetition, signs known; random trials
  // with repeated and vacant signs; the list narrowed twice.
  struct Fall {
    char letztes;
    int laenge;
    bool wdh, bekannt;
  };
  const Fall faelle[] = {{'z', 2, true, false},  {'9', 3, false, false}, {'5', 4, true, false},
                         {'7', 5, false, false}, {'4', 6, true, false},  {'3', 7, true, false},
                         {'2', 8, true, false},  {'2', 9, true, false},  {'5', 6, true, true},
                         {'5', 6, false, true}};
  for (const Fall& f : faelle) {
    std::vector<std::vector<std::uint32_t>> klassen[2];
    std::vector<std::string> reste[2];
    for (int k = 0; k < 2; ++k) {
      if (!raten_kern_erzwingen(k == 0 ? RatenKern::skalar : RatenKern::avx512)) continue;
      bedingungen('0', f.letztes, f.laenge, f.wdh);
      ASSERT_TRUE(baue());
      RANDOMIZE(static_cast<std::uint64_t>(f.laenge) * 10 + f.wdh);
      if (f.bekannt) {  // the list narrowed to rearrangements of one code
        std::string m;
        for (int i = 0; i < f.laenge; ++i) m += f.wdh ? "123"[i < 3 ? i : 0] : FARBARRAY[i + 1];
        klassiere_liste(nummern(m));
        int p = 0;
        while (p < f.laenge && KLASSEN_ZAHL[16 * f.laenge + p] == 0) ++p;
        verenge_liste(nummern(m), static_cast<std::uint8_t>(f.laenge),
                      static_cast<std::uint8_t>(p));
        ASSERT_GT(ERL, 1u);
        KENNEALLEFARBEN = true;
        for (int s = 0; s <= 36; ++s)
          ERL_FARBE[s] = s > 0 && m.find(FARBARRAY[s]) != std::string::npos;
      }
      for (int runde = 0; runde < 8; ++runde) {
        std::string v;
        for (int i = 0; i < f.laenge; ++i)
          v += runde % 3 == 2 && i % 2 ? '*' : FARBARRAY[Random(runde % 2 ? 2 : MAXFARBE) + 1];
        klassiere_liste(nummern(v));
        klassen[k].emplace_back(KLASSEN_ZAHL, KLASSEN_ZAHL + 256);
        if (runde % 4 == 3 && ERL > 1) {
          int kl = 0;
          while (KLASSEN_ZAHL[kl] == 0) ++kl;
          verenge_liste(nummern(v), static_cast<std::uint8_t>(kl / 16),
                        static_cast<std::uint8_t>(kl % 16));
          for (std::uint32_t i = 0; i < ERL; ++i) reste[k].push_back(rest_code(i));
          reste[k].push_back("|");
        }
      }
    }
    if (klassen[1].empty()) continue;  // no second kernel on this processor
    EXPECT_EQ(klassen[0], klassen[1]) << f.laenge << f.letztes;
    EXPECT_EQ(reste[0], reste[1]) << f.laenge << f.letztes;
  }
}

TEST_F(Encoder, ComputerKeepsTheMostPopulousClass) {
  bedingungen('0', '5', 4, false);
  ASSERT_TRUE(baue());
  const auto z = zaehle_nach("0123");
  int beste = 1;
  for (int g = 2; g <= ZAHL_DER_GRUPPEN; ++g) {
    const auto n = [&](int k) {
      const auto it = z.find(ZEI_ORD[k] * 16 + POS_ORD[k]);
      return it == z.end() ? 0 : it->second;
    };
    if (n(g) > n(beste)) beste = g;
  }
  std::uint8_t p = 9, zz = 9;
  unsigned char taste;
  EXPECT_FALSE(antworte("0123", p, zz, taste));  // the caller writes the answer
  EXPECT_EQ(p, POS_ORD[beste]);
  EXPECT_EQ(p + zz, ZEI_ORD[beste]);
  EXPECT_EQ(ERL, static_cast<std::uint32_t>(z.at(ZEI_ORD[beste] * 16 + POS_ORD[beste])));
  // Every code left answers the trial so.
  EXPECT_EQ(zaehle_nach("0123"), (std::map<int, int>{{(p + zz) * 16 + p, int(rest().size())}}));
}

TEST_F(Encoder, TiesGoToTheClassThatComesFirst) {
  // Two signs, length 2, no repetition: the codes 01 and 10.
  bedingungen('0', '1', 2, false);
  ASSERT_TRUE(baue());
  std::uint8_t p, z;
  unsigned char taste;
  // 01 against {01, 10}: 2/2 and 2/0 one code each; 2/0 comes first, the code stays open.
  EXPECT_FALSE(antworte("01", p, z, taste));
  EXPECT_EQ(p, 0);
  EXPECT_EQ(z, 2);
  EXPECT_EQ(ERL, 1u);
  EXPECT_EQ(std::string(&LOESUNG[1], 2), "10");
  // One code left: only now is it conceded, written at once.
  NUMMER = 2;
  V30[1].c = als_code("01");
  V30[1].p = 0;
  V30[1].z = 2;
  ZEITEIN = true;
  EXPECT_TRUE(antworte("10", p, z, taste));
  EXPECT_EQ(p, 2);
  EXPECT_EQ(z, 0);
  EXPECT_EQ(screen_row(9).substr(55, 3), "2 0");
  EXPECT_FALSE(ZEITEIN);
  EXPECT_EQ(mogel_zahl_bloecke, 0u);
}

TEST_F(Encoder, TrialsWithoutPossibleSignsAndRepeatedTrials) {
  bedingungen('0', '5', 4, false, false);  // a human answers
  ASSERT_TRUE(baue());
  std::uint8_t p, z;
  unsigned char taste;
  // Vacant signs only: 0/0 at once, no key needed.
  EXPECT_TRUE(antworte("****", p, z, taste));
  EXPECT_EQ(p, 0);
  EXPECT_EQ(z, 0);
  EXPECT_EQ(screen_row(9).substr(55, 3), "0 0");
  EXPECT_EQ(ERL, 360u);

  // The human answers 0123 with P 0 and Z 2, both typed.
  vc.push_keys("02");
  EXPECT_TRUE(antworte("0123", p, z, taste));
  EXPECT_EQ(p, 0);
  EXPECT_EQ(z, 2);
  EXPECT_EQ(zaehle_nach("0123"), (std::map<int, int>{{2 * 16, int(rest().size())}}));
  const std::uint32_t danach = ERL;

  // The same trial again: the earlier answer, no key, the list unchanged.
  NUMMER = 2;
  V30[1].c = als_code("0123");
  V30[1].p = 0;
  V30[1].z = 2;
  EXPECT_TRUE(antworte("0123", p, z, taste));
  EXPECT_EQ(p, 0);
  EXPECT_EQ(z, 2);
  EXPECT_EQ(ERL, danach);
}

TEST_F(Encoder, ExcludedSignsAreAnsweredAtOnce) {
  bedingungen('0', '9', 4, false, false);
  ASSERT_TRUE(baue());
  std::uint8_t p, z;
  unsigned char taste;
  vc.push_keys("00");
  EXPECT_TRUE(antworte("0123", p, z, taste));
  EXPECT_EQ(ERL, 360u);  // 4..9 without repetition
  EXPECT_FALSE(ERL_FARBE[NRARRAY['2']]);
  EXPECT_TRUE(ERL_FARBE[NRARRAY['4']]);
  NUMMER = 2;
  V30[1].c = als_code("0123");
  EXPECT_TRUE(antworte("3210", p, z, taste));
  EXPECT_EQ(p, 0);
  EXPECT_EQ(z, 0);
  EXPECT_EQ(ERL, 360u);
  EXPECT_EQ(vc.pending_keys(), 0u);
}

TEST_F(Encoder, HumanAnswerTakesOnlyPossibleAnswers) {
  bedingungen('0', '5', 4, false, false);
  ASSERT_TRUE(baue());
  std::uint8_t p, z;
  unsigned char taste;
  // Over 0..5 every code shares at least two signs with 0123: P 5 is refused,
  // "x" is ignored, Backspace takes the typed P back, and Z 0 after P 1 is
  // refused.
  vc.push_keys("5x0");
  vc.push_key(8);
  vc.push_keys("1x02");
  EXPECT_TRUE(antworte("0123", p, z, taste));
  EXPECT_EQ(p, 1);
  EXPECT_EQ(z, 2);
  EXPECT_EQ(vc.pending_keys(), 0u);
  EXPECT_EQ(screen_row(9).substr(55, 3), "1 2");
}

TEST_F(Encoder, SingleHumanAnswerIsWrittenWithoutKeys) {
  bedingungen('0', '1', 2, false, false);  // 01 and 10
  ASSERT_TRUE(baue());
  std::uint8_t p, z;
  unsigned char taste;
  EXPECT_TRUE(antworte("00", p, z, taste));  // both codes: 1/1
  EXPECT_EQ(p, 1);
  EXPECT_EQ(z, 0);
  EXPECT_EQ(screen_row(9).substr(55, 3), "1 0");
  EXPECT_EQ(ERL, 2u);

  // 10: P 2 or P 0 is possible, the human names the code.
  NUMMER = 2;
  V30[1].c = als_code("00");
  ZEITEIN = true;
  vc.push_keys("2");
  EXPECT_TRUE(antworte("10", p, z, taste));
  EXPECT_EQ(p, 2);
  EXPECT_EQ(z, 0);
  EXPECT_EQ(std::string(&LOESUNG[1], 2), "10");
  EXPECT_FALSE(ZEITEIN);
  EXPECT_EQ(mogel_zahl_bloecke, 0u);
}

TEST_F(Encoder, EscWhileTheHumanAnswersReleasesTheList) {
  bedingungen('0', '5', 4, false, false);
  ASSERT_TRUE(baue());
  ZEITEIN = true;
  std::uint8_t p, z;
  unsigned char taste;
  vc.push_keys("1");
  vc.push_key(3);
  antworte("0123", p, z, taste);
  EXPECT_EQ(taste, 27);
  EXPECT_FALSE(ZEITEIN);
  EXPECT_EQ(mogel_zahl_bloecke, 0u);
  EXPECT_EQ(ERL, 0u);
}

TEST_F(Encoder, AllSignsKnownNarrowsByPositionsOnly) {
  bedingungen('0', '2', 3, true);
  ASSERT_TRUE(baue());
  std::uint8_t p, z;
  unsigned char taste;
  // Narrowed to the codes holding 0, 1 and 2 once each (021, 210, 102), the
  // classes come from the positions alone.
  klassiere_liste(nummern("012"));
  verenge_liste(nummern("012"), 3, 1);
  KENNEALLEFARBEN = true;
  for (int s = 0; s <= 36; ++s) ERL_FARBE[s] = s >= 1 && s <= 3;
  const auto erwartet = zaehle_nach("120");
  klassiere_liste(nummern("120"));
  for (const auto& [k, n] : erwartet) EXPECT_EQ(KLASSEN_ZAHL[k], static_cast<unsigned>(n));
  NUMMER = 2;
  V30[1].c = als_code("012");
  EXPECT_FALSE(antworte("120", p, z, taste));
  EXPECT_EQ(p + z, 3);
}

}  // namespace
