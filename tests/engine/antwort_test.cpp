// The answer to the computer's trial and the narrowing: the human encoder's
// entry rules, the variable code's choice of answer, the answer 0/0 with its
// filler sign, and whole games over codes of every shape.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/raten_hilfe.h"
#include "support/harness.h"

namespace {

using namespace raten_test;

std::uint64_t gepackt(const std::string& s) {
  std::uint64_t pos = 0;
  for (std::size_t i = 0; i < s.size(); ++i)
    pos |= static_cast<std::uint64_t>(NRARRAY[static_cast<unsigned char>(s[i])]) << (6 * i);
  return pos;
}

struct Eingabe {
  int p = 0, z = 0;
  unsigned char taste = 0;
};

// The human encoder answers trial "012" (length 3 over 0..3) whose classes
// (t, p) are given; the keys are queued before.
Eingabe antworte(Harness& h, const std::map<std::pair<int, int>, int>& klassen,
                 const std::function<void(VirtualConsole&)>& tasten) {
  bedingungen(3, '0', '3', true, false, false, true);
  h.vc.eof_when_empty = false;
  EXPECT_TRUE(beginne());
  h.vc.eof_when_empty = true;
  tasten(h.vc);
  std::int32_t beste[100] = {};
  for (const auto& [k, n] : klassen) beste[k.first * 10 + k.second] = n;
  code c = als_code("012");
  WX = 56;
  WY = 9;
  Eingabe e;
  std::uint8_t p = 0, z = 0;
  raten_antwort_und_verengung(c, gepackt("012"), true, 0, 0, beste, p, z, e.taste);
  // With the keys used up, the key poll after the narrowing sees the end of
  // input as Ctrl-C; the answer is in p and z all the same.
  e.p = p;
  e.z = z;
  return e;
}

// The human encoder's keys: only answers some secret gives are taken, the
// cells fill in what is forced, and every key is read.
TEST(Antwort, HumanAnswerKeys) {
  const struct {
    std::map<std::pair<int, int>, int> klassen;
    const char* tasten;
    int p, z;
    const char* zellen;  // P and Z as shown, when checked
  } faelle[] = {
      // Backspace ignored, Z = 0 impossible, Z = 2: P is filled in, forced.
      {{{{2, 1}, 3}, {{3, 1}, 2}}, "\b02", 1, 2, "1 2"},
      // 9 > length, no class with P = 3, a letter; P = 1: Z of the only class fills in.
      {{{{0, 0}, 1}, {{1, 0}, 2}, {{2, 1}, 4}}, "93x1", 1, 1, "1 1"},
      // Backspace returns to a typed P.
      {{{{1, 0}, 1}, {{2, 0}, 1}, {{2, 1}, 1}, {{3, 1}, 1}}, "0\b12", 1, 2, nullptr},
      // P next to the length needs no Z.
      {{{{2, 2}, 1}, {{1, 0}, 1}}, "2", 2, 0, nullptr},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.tasten);
    Harness h;
    const Eingabe e = antworte(h, f.klassen, [&](VirtualConsole& vc) {
      vc.push_ext(59);  // an extended key, ignored
      vc.push_keys(f.tasten);
    });
    EXPECT_EQ(e.p, f.p);
    EXPECT_EQ(e.z, f.z);
    EXPECT_EQ(h.vc.pending_keys(), 0u);
    if (f.zellen) {
      EXPECT_EQ(h.text(56, 9, 3), f.zellen);
    }
  }
}

TEST(Antwort, HumanEscReleasesTheStore) {
  for (unsigned char taste : {27, 3}) {
    Harness h;
    const Eingabe e =
        antworte(h, {{{2, 2}, 1}, {{1, 0}, 1}}, [&](VirtualConsole& vc) { vc.push_key(taste); });
    EXPECT_EQ(e.taste, 27);
    EXPECT_EQ(raten_belegt, 0u);
    EXPECT_FALSE(ZEITEIN);
    EXPECT_TRUE(RATENDRAN);
    EXPECT_EQ(h.vc.pending_keys(), 0u);
    EXPECT_EQ(h.text(56, 9, 3), "   ");
  }
}

TEST(Antwort, NothingInCommonEliminatesTheSignsButKeepsOneAsFiller) {
  HarnessOhneEingabeende h;
  RANDOMIZE(21);
  bedingungen(4, '0', '4', true);  // opening pattern 1123 over five signs
  ASSERT_TRUE(beginne());
  std::string frei;
  std::vector<int> eroeffnung;
  for (int c = 1; c <= 5; ++c) {
    bool drin = false;
    for (int k = 1; k <= 4; ++k) drin = drin || ANFANG.payload[k] == c;
    if (drin) {
      eroeffnung.push_back(c);
    } else {
      frei += FARBARRAY[c];
    }
  }
  ASSERT_EQ(frei.size(), 2u);
  const std::string geheim = {frei[0], frei[1], frei[1], frei[0]};
  for (int i = 1; i <= 4; ++i) {
    LOESUNG[i] = geheim[static_cast<std::size_t>(i - 1)];
    ++LOESUNGSFARBEN[NRARRAY[static_cast<unsigned char>(LOESUNG[i])]];
  }
  const Zug z = zug();
  EXPECT_EQ(z.p, 0);
  EXPECT_EQ(z.z, 0);
  for (int c : eroeffnung) EXPECT_FALSE(ERL_FARBE[c]) << c;
  EXPECT_EQ(FEHLZEICHEN, eroeffnung.front());
  EXPECT_EQ(ZAEHLE_VORH_FARBE, 2);
  EXPECT_EQ(raten_loes_zahl, 16u);
  EXPECT_TRUE(ALLE_F_LOESCHEN);
  EXPECT_TRUE(AEQUI_KLASSE);
  // Trials keep the lowest eliminated sign only.
  bool fueller = false;
  for (const auto& v : versuche()) {
    for (std::size_t i = 1; i < eroeffnung.size(); ++i)
      EXPECT_EQ(v.find(FARBARRAY[eroeffnung[i]]), std::string::npos) << v;
    fueller = fueller || v.find(FARBARRAY[eroeffnung.front()]) != std::string::npos;
  }
  EXPECT_TRUE(fueller);
  // The next opening: three of one possible sign and the filler.
  int fuell = 0;
  for (int k = 1; k <= 4; ++k) fuell += ANFANG.payload[k] == FEHLZEICHEN ? 1 : 0;
  EXPECT_EQ(fuell, 1);
  EXPECT_TRUE(GESPIELT[eroeffnung.front()]);
}

TEST(Antwort, VariableCodeGivesTheLargestClassEarliestInOrder) {
  for (int spiel = 0; spiel < 4; ++spiel) {
    HarnessOhneEingabeende h;
    RANDOMIZE(static_cast<std::uint64_t>(spiel) + 7);
    bedingungen(4, '0', '5', spiel % 2 == 0, false, true, false);
    ASSERT_TRUE(beginne());
    std::vector<Zug> zuege;
    for (int runde = 0; runde < 12; ++runde) {
      const auto loes = loesungen();
      const Zug z = zug();
      zuege.push_back(z);
      if (loes.size() > 1) {
        std::map<std::pair<int, int>, int> klassen;
        for (const auto& s : loes) {
          int p, t;
          wertung(z.code, s, p, t);
          ++klassen[{t, p}];
        }
        int groesste = 0;
        for (const auto& [k, n] : klassen) groesste = std::max(groesste, n);
        int erste = 0;
        for (int k = ZAHL_DER_GRUPPEN; k >= 1; --k)
          if (klassen[{ZEI_ORD[k], POS_ORD[k]}] == groesste) erste = k;
        EXPECT_EQ(z.p, POS_ORD[erste]);
        EXPECT_EQ(z.p + z.z, ZEI_ORD[erste]);
      }
      if (z.p == 4) break;
    }
    ASSERT_EQ(zuege.back().p, 4);
    const std::string geheim(LOESUNG.z, 4);
    for (const Zug& z : zuege) {
      int p, t;
      wertung(z.code, geheim, p, t);
      EXPECT_EQ(z.p, p) << z.code;
      EXPECT_EQ(z.z, t - p) << z.code;
    }
    EXPECT_EQ(raten_belegt, 0u);
  }
}

TEST(Antwort, WholeGamesAgainstTheOwnFixedCodeInEveryShape) {
  struct Fall {
    int l;
    char erstes, letztes;
    bool wdh, leer;
    std::string geheim;
  };
  for (const Fall& f :
       {Fall{2, '0', 'z', true, false, "zz"}, Fall{3, 'y', 'b', false, false, "0ya"},
        Fall{5, '0', '3', true, false, "30012"}, Fall{4, '0', '1', true, true, "1011"},
        Fall{6, '0', '5', false, false, "504132"}, Fall{9, '0', '2', true, false, "012210120"}}) {
    HarnessOhneEingabeende h;
    RANDOMIZE(77);
    bedingungen(f.l, f.erstes, f.letztes, f.wdh, f.leer);
    ASSERT_TRUE(beginne(f.geheim));
    const auto zuege = partie();
    ASSERT_EQ(zuege.back().p, f.l) << f.geheim;
    EXPECT_EQ(zuege.back().code, f.geheim);
    const int schranke = WIEVIELE(static_cast<std::uint8_t>(f.l), MAXFARBE, f.wdh, f.leer);
    EXPECT_LE(static_cast<int>(zuege.size()), schranke + 1) << f.geheim;
    EXPECT_EQ(raten_belegt, 0u);
  }
}

}  // namespace
