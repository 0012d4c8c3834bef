// The computer's trial choice: the decision against a brute-force evaluation
// of every trial, the last candidates, the tie draw, the forced decision, the
// time limit with the rotation of the list, and Esc during the search.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "engine/raten_hilfe.h"
#include "support/harness.h"

namespace {

using namespace raten_test;

// (max, sum of squares, -classes, not a solution): smaller is better.
using Guete = std::tuple<long long, long long, int, int>;

Guete guete(const std::string& v, const std::vector<std::string>& loes) {
  std::map<std::pair<int, int>, long long> klassen;
  for (const auto& s : loes) {
    int p, t;
    wertung(v, s, p, t);
    ++klassen[{t, p}];
  }
  long long m = 0, q = 0;
  for (const auto& [k, n] : klassen) {
    m = std::max(m, n);
    q += n * n;
  }
  const int l = static_cast<int>(v.size());
  const bool loesung = klassen.count({l, l}) && klassen[{l, l}] == 1;
  return {m, q, -static_cast<int>(klassen.size()), loesung ? 0 : 1};
}

std::string zufallsgeheim(int l, bool wdh) {
  std::string s;
  while (static_cast<int>(s.size()) < l) {
    const char c = FARBARRAY[Random(MAXFARBE) + 1];
    if (wdh || s.find(c) == std::string::npos) s += c;
  }
  return s;
}

struct Bedingung {
  int l;
  char letztes;
  bool wdh, leer;
};

TEST(RateCode, ChoosesABestTrialOfTheWholeList) {
  const Bedingung faelle[] = {{3, '5', true, false}, {3, '5', false, false}, {4, '4', false, false},
                              {4, '3', true, false}, {4, '1', true, true},   {5, '2', true, false},
                              {3, '2', false, false}};
  int geprueft = 0;
  for (const Bedingung& f : faelle)
    for (int spiel = 0; spiel < 6; ++spiel) {
      HarnessOhneEingabeende h;
      RANDOMIZE(static_cast<std::uint64_t>(spiel) * 31 + f.l);
      bedingungen(f.l, '0', f.letztes, f.wdh, f.leer);
      const std::string geheim = zufallsgeheim(f.l, f.wdh);
      ASSERT_TRUE(beginne(geheim));
      for (int runde = 0; runde < 20; ++runde) {
        const bool suche = !AEQUI_KLASSE && ZAHLGESAMTVERSUCHE > 1 && raten_loes_zahl > 1;
        Guete beste{};
        std::vector<std::string> loes;
        if (suche) {
          loes = loesungen();
          const auto alle = versuche();
          beste = guete(alle.front(), loes);
          for (const auto& v : alle) beste = std::min(beste, guete(v, loes));
        }
        const Zug z = zug();
        ASSERT_NE(z.taste, 27);
        if (suche) {
          EXPECT_EQ(guete(z.code, loes), beste) << z.code << " secret " << geheim;
          ++geprueft;
        }
        int p, t;
        wertung(z.code, geheim, p, t);
        EXPECT_EQ(z.p, p);
        EXPECT_EQ(z.z, t - p);
        if (z.p == f.l) break;
      }
      EXPECT_EQ(std::string(LOESUNG.z, static_cast<std::size_t>(f.l)), geheim);
      EXPECT_EQ(raten_belegt, 0u);
    }
  EXPECT_GT(geprueft, 50);
}

TEST(RateCode, ScoringAgreesWithTheRuleInBothRecordFormats) {
  // (length, last sign): one-word records up to 64 bits, two words beyond.
  const std::pair<int, char> faelle[] = {{4, '9'}, {5, 'j'}, {6, 'h'}, {9, '6'},
                                         {3, 'z'}, {2, 'z'}, {7, 'c'}, {5, '2'}};
  for (const auto& [l, letztes] : faelle) {
    Harness h;
    RANDOMIZE(static_cast<std::uint64_t>(l) * 100 + static_cast<std::uint64_t>(letztes));
    X.laenge = static_cast<std::uint8_t>(l);
    X.erstes_zeichen = '0';
    X.letztes_zeichen = letztes;
    setze_zeichensatz();
    const int n = MAXFARBE;
    std::vector<std::string> codes;
    std::vector<std::uint64_t> saetze;
    for (int i = 0; i < 300; ++i) {
      std::string c;
      std::uint64_t pos = 0;
      for (int k = 0; k < l; ++k) {
        // Few signs at times, so that signs stand three times and more.
        const int s = static_cast<int>(Random(i % 3 == 0 ? 2 : static_cast<std::uint32_t>(n))) + 1;
        c += FARBARRAY[s];
        pos |= static_cast<std::uint64_t>(s) << (6 * k);
      }
      codes.push_back(c);
      saetze.push_back(pos);
    }
    ASSERT_TRUE(raten_loes_anlegen(saetze.size()));
    for (std::uint32_t i = 0; i < saetze.size(); ++i) raten_loes_setze(i, saetze[i]);
    for (int j = 0; j < 60; ++j) {
      std::string v;
      std::uint64_t pos = 0;
      for (int k = 0; k < l; ++k) {
        const int s = static_cast<int>(Random(j % 2 ? 3 : static_cast<std::uint32_t>(n + 1)));
        v += FARBARRAY[s];
        pos |= static_cast<std::uint64_t>(s) << (6 * k);
      }
      Versuchsbild bild;
      raten_bild(pos, bild);
      for (std::uint32_t i = 0; i < raten_loes_zahl; ++i) {
        int t, p, pp, tt;
        raten_antwort(bild, i, t, p);
        wertung(v, codes[i], pp, tt);
        ASSERT_EQ(p, pp) << v << " " << codes[i];
        ASSERT_EQ(t, tt) << v << " " << codes[i];
      }
    }
    raten_loes_freigeben();
  }
}

TEST(RateCode, PlaysTheLastSolutionAtOnce) {
  HarnessOhneEingabeende h;
  RANDOMIZE(3);
  bedingungen(4, '0', '5', true);
  const std::string geheim = "3140";
  ASSERT_TRUE(beginne(geheim));
  bool gesehen = false;
  for (int runde = 0; runde < 10; ++runde) {
    const bool letzte = raten_loes_zahl == 1;
    const Zug z = zug();
    if (letzte) {
      gesehen = true;
      EXPECT_EQ(z.code, geheim);
      EXPECT_EQ(z.p, 4);
      EXPECT_EQ(z.z, 0);
      EXPECT_EQ(h.text(48, WY, 4), geheim);
      EXPECT_EQ(h.text(56, WY, 3), "4 0");
      EXPECT_EQ(raten_belegt, 0u);
      EXPECT_EQ(std::string(LOESUNG.z, 4), geheim);
    }
    if (z.p == 4) break;
  }
  EXPECT_TRUE(gesehen);
}

TEST(RateCode, ChoosesBetweenTheLastTwo) {
  int gesehen = 0;
  for (int spiel = 0; spiel < 30 && gesehen < 5; ++spiel) {
    HarnessOhneEingabeende h;
    RANDOMIZE(static_cast<std::uint64_t>(spiel) + 50);
    bedingungen(4, '0', '5', true);
    ASSERT_TRUE(beginne(zufallsgeheim(4, true)));
    for (int runde = 0; runde < 10; ++runde) {
      if (raten_loes_zahl == 2) {
        const auto loes = loesungen();
        EXPECT_EQ(versuche(), loes);
        EXPECT_EQ(ZAHLGESAMTVERSUCHE, 2u);
        const Zug z = zug();
        EXPECT_TRUE(z.code == loes[0] || z.code == loes[1]) << z.code;
        ++gesehen;
        break;
      }
      if (zug().p == 4) break;
    }
  }
  EXPECT_GE(gesehen, 3);
}

TEST(RateCode, EquallyGoodTrialsAreDrawnUniformly) {
  // Length 2 over three signs with repetition: the six trials of two
  // different signs tie; the list order is the same in every run.
  HarnessOhneEingabeende h;
  std::map<std::string, int> gewaehlt;
  const int laeufe = 1200;
  raten_eimer = 4;
  for (int i = 0; i < laeufe; ++i) {
    RANDOMIZE(1);
    bedingungen(2, '0', '2', true);
    ASSERT_TRUE(beginne("00"));
    AEQUI_KLASSE = false;
    RANDOMIZE(static_cast<std::uint64_t>(i) + 1000);
    ++gewaehlt[zug().code];
  }
  EXPECT_EQ(gewaehlt.size(), 6u);
  for (const auto& [code, n] : gewaehlt) {
    EXPECT_NE(code[0], code[1]);
    EXPECT_NEAR(n, laeufe / 6, 65) << code;
  }
}

TEST(RateCode, WorkersAndOrbitsChooseAsThePlainSearchOnOneThread) {
  // Blocks of one or a few trials, so that the workers finish them out of
  // order and reject against bounds of every age (with a variable code
  // blocks of many trials, scored in batches); 100,000 trials to share the
  // count of the canonical ones too. The plain search runs on one thread
  // without the orbits of the played trials' symmetry, in the plain code;
  // the one thread with the orbits and the workers (with them) in the
  // processor's best instruction set, and the workers as they choose between
  // the orbits and the side-by-side scoring. Every search counts every trial
  // it decided, and the orbits spare trials.
  const Bedingung faelle[] = {{4, '7', true, false},
                              {5, '5', true, false},
                              {4, '9', false, false},
                              {6, '1', true, true},
                              {5, '9', true, false}};
  for (const Bedingung& f : faelle)
    for (std::uint64_t saat = 1; saat <= (f.l == 5 && f.letztes == '9' ? 1u : 3u); ++saat)
      for (bool fest : {true, false}) {
        std::vector<std::string> spur[4];
        std::uint32_t danach[4] = {};
        std::uint64_t bewertet[4] = {};
        for (int art = 0; art < 4; ++art) {
          HarnessOhneEingabeende h;
          raten_faeden = art >= 2 ? 3 : 1;
          raten_symmetrie = art != 0;
          if (art == 1 || art == 2) raten_quer_bis = 0;
          if (art == 0) raten_kern_erzwingen(RatenKern::skalar);
          raten_block_paare = fest ? 40 : 1u << 16;
          raten_parallel_ab = 0;
          RANDOMIZE(saat);
          bedingungen(f.l, '0', f.letztes, f.wdh, f.leer, true, fest);
          ASSERT_TRUE(beginne(fest ? zufallsgeheim(f.l, f.wdh) : ""));
          for (int i = 0; i < 40; ++i) {
            const bool suche = ZAHLGESAMTVERSUCHE > 1 && raten_loes_zahl > 1;
            const Zug z = zug();
            spur[art].push_back(z.code + std::to_string(z.p * 10 + z.z));
            if (z.taste == 27 || !suche) break;
            EXPECT_EQ(GERATENE_VERSUCHE, ZAHL_DER_VERSUCHE);
            bewertet[art] += raten_bewertet;
            if (z.p == X.laenge) break;
          }
          danach[art] = Random(1u << 30);
          EXPECT_EQ(arbeiter_laufend(), 0u);
        }
        for (int art = 1; art < 4; ++art) {
          EXPECT_EQ(spur[0], spur[art])
              << f.l << f.letztes << " seed " << saat << " fixed " << fest << " way " << art;
          EXPECT_EQ(danach[0], danach[art]);
          if (art < 3) {
            EXPECT_LT(bewertet[art], bewertet[0]);
          }
        }
      }
}

TEST(RateCode, WithoutThreadsTheGameGoesOnAsOnOneThread) {
  // The system gives one worker of three, then none: the build, the count
  // of the canonical trials (100,000 trials) and the searches go on with
  // what there is, and play as the main thread alone does.
  std::vector<std::string> spur[3];
  for (int art = 0; art < 3; ++art) {
    HarnessOhneEingabeende h;
    raten_faeden = art == 0 ? 1 : 3;
    h.vc.thread_fail_from = art == 1 ? 1 : 0;
    raten_block_paare = 40;
    raten_parallel_ab = 0;
    RANDOMIZE(7);
    bedingungen(5, '0', '9', true);
    ASSERT_TRUE(beginne(zufallsgeheim(5, true)));
    for (const Zug& z : partie()) spur[art].push_back(z.code + std::to_string(z.p * 10 + z.z));
    EXPECT_EQ(arbeiter_laufend(), 0u);
    if (art > 0) {
      EXPECT_GT(h.vc.thread_starts, 1);
    }
  }
  EXPECT_EQ(spur[1], spur[0]);
  EXPECT_EQ(spur[2], spur[0]);
}

// A game after its opening, the computer answering against a fixed code.
void nach_der_eroeffnung(Harness& h, const std::string& geheim) {
  h.vc.eof_when_empty = false;
  RANDOMIZE(11);
  bedingungen(4, '0', '9', true);
  ASSERT_TRUE(beginne(geheim));
  while (AEQUI_KLASSE) zug();
  ASSERT_GT(ZAHLGESAMTVERSUCHE, 100u);
}

TEST(RateCode, F4InTheOpeningHasNoEffect) {
  HarnessOhneEingabeende h;
  bedingungen(4, '0', '9', true);
  ASSERT_TRUE(beginne("1234"));
  h.vc.push_ext(62);
  h.vc.on_wait = [](VirtualConsole&) {
    SPIELZEIT = 2000;
    RESTZEIT = 2000;
  };
  zug();
  EXPECT_FALSE(F6_GEDR);
  EXPECT_EQ(UNTERBR, 0);
}

TEST(RateCode, F4BeforeFiveSecondsWaits) {
  Harness h;
  nach_der_eroeffnung(h, "7788");
  h.vc.push_ext(64);
  h.vc.on_wait = [](VirtualConsole&) {
    SPIELZEIT = 400;
    RESTZEIT = 5000;
  };
  zug();
  EXPECT_TRUE(F6_GEDR);  // still pending when the search ran to its end
  EXPECT_EQ(GERATENE_VERSUCHE, ZAHL_DER_VERSUCHE);
  EXPECT_EQ(UNTERBR, 0);
  EXPECT_EQ(h.text(3, 15, 10), std::string(10, ' '));
}

TEST(RateCode, F4DecidesEarlyAndCountsTheBreaks) {
  Harness h;
  nach_der_eroeffnung(h, "7788");
  for (int runde = 1; runde <= 2; ++runde) {
    h.vc.push_ext(runde == 1 ? 62 : 109);
    h.vc.on_wait = [](VirtualConsole&) {
      SPIELZEIT = 600;
      RESTZEIT = 900;
    };
    const Zug z = zug();
    if (z.p == 4 || ZAHLGESAMTVERSUCHE <= 2) break;
    EXPECT_EQ(GERATENE_VERSUCHE, NUMMER_PLUS + 1);
    EXPECT_LT(GERATENE_VERSUCHE, ZAHL_DER_VERSUCHE);
    EXPECT_EQ(UNTERBR, runde);
    EXPECT_EQ(h.text(3, 15, 28), "Zahl der Unterbrechungen: " + std::to_string(runde) + ".");
  }
}

TEST(RateCode, TimeLimitStopsTheSearchAndRotatesTheList) {
  for (std::uint32_t faeden : {1u, 2u}) {
    Harness h;
    SP_D = false;
    nach_der_eroeffnung(h, "7788");
    raten_faeden = faeden;  // two workers: blocks of one trial, replayed in order
    raten_block_paare = 1;
    raten_parallel_ab = 0;
    X.zeitlimit = 1;
    ZEITLIMIT = 1000;
    ZEITLIMIT_GR_0 = true;
    ZAEHLE_VORH_FARBE = 0;  // no reduction: every trial of the list is looked at in order
    const auto vorher = versuche();
    h.vc.on_wait = [](VirtualConsole&) { SPIELZEIT = 1000; };
    const Zug z = zug();
    ASSERT_LT(z.p, 4);
    EXPECT_EQ(arbeiter_laufend(), 0u);
    const std::uint32_t bewertet = GERATENE_VERSUCHE;
    EXPECT_EQ(bewertet, NUMMER_PLUS + 1);
    EXPECT_EQ(h.text(1, 11, 39), "| The timelimit is 10 seconds/trial.  |");
    // The trials not looked at come first, in their order, then the others.
    std::vector<std::string> rotiert(vorher.begin() + bewertet, vorher.end());
    rotiert.insert(rotiert.end(), vorher.begin(), vorher.begin() + bewertet);
    const auto nachher = versuche();
    const std::set<std::string> bleibt(nachher.begin(), nachher.end());
    std::vector<std::string> erwartet;
    for (const auto& v : rotiert)
      if (bleibt.count(v)) erwartet.push_back(v);
    EXPECT_EQ(nachher, erwartet);
    EXPECT_EQ(bleibt.count(z.code), 0u);
    EXPECT_EQ(std::string(raten_pos_code(raten_knoten_pos(SCHLUSSLICHT)).z, 4), nachher.back());
    // The notice is written once per game.
    GOTOXY(1, 11);
    WRITE(std::string(40, ' '));
    zug();
    EXPECT_EQ(h.text(1, 11, 5), "     ");
  }
}

TEST(RateCode, TimeLimitCountsFromTheAnswer) {
  // The answer came 15 s ago (the narrowing after it, the count of the
  // canonical trials): a limit of 10 s ends the search as soon as it may.
  Harness h;
  nach_der_eroeffnung(h, "7788");
  X.zeitlimit = 1;
  ZEITLIMIT = 1000;
  ZEITLIMIT_GR_0 = true;
  raten_zug_beginn = uhr_jetzt() - 1500;
  const Zug z = zug();
  ASSERT_LT(z.p, 4);
  EXPECT_EQ(GERATENE_VERSUCHE, NUMMER_PLUS + 1);
  EXPECT_LT(GERATENE_VERSUCHE, ZAHL_DER_VERSUCHE);
}

TEST(RateCode, EscDuringTheSearchReleasesTheStore) {
  for (unsigned char taste : {27, 3}) {
    Harness h;
    nach_der_eroeffnung(h, "1234");
    raten_faeden = taste == 3 ? 2 : 1;  // Ctrl-C with the workers scoring
    raten_block_paare = 1;
    raten_parallel_ab = 0;
    int polls = 0;
    h.vc.on_wait = [&](VirtualConsole& vc) {
      if (++polls == 20) vc.push_key(taste);
    };
    const Zug z = zug();
    EXPECT_EQ(z.taste, 27);
    EXPECT_EQ(arbeiter_laufend(), 0u);
    EXPECT_EQ(raten_belegt, 0u);
    EXPECT_FALSE(ZEITEIN);
    EXPECT_FALSE(RATEN_ZEITANZEIGE);
    EXPECT_EQ(VERS, 0u);
  }
}

TEST(RateCode, EscWhileTheCanonicalTrialsAreCountedReleasesTheStore) {
  // 100,000 trials: the count of the canonical ones looks at the keyboard
  // after 65,536 of them, before the search's first poll.
  HarnessOhneEingabeende h;
  RANDOMIZE(11);
  bedingungen(5, '0', '9', true);
  ASSERT_TRUE(beginne("01234"));
  while (AEQUI_KLASSE) zug();
  ASSERT_GT(ZAEHLE_VORH_FARBE, 2);
  ASSERT_GT(ZAHLGESAMTVERSUCHE, 65536u);
  const std::uint32_t vorher = GERATENE_VERSUCHE;
  h.vc.on_wait = [](VirtualConsole& vc) { vc.push_key(27); };
  const Zug z = zug();
  EXPECT_EQ(z.taste, 27);
  EXPECT_EQ(GERATENE_VERSUCHE, vorher);  // no trial of this turn scored
  EXPECT_EQ(raten_belegt, 0u);
  EXPECT_FALSE(ZEITEIN);
}

TEST(RateCode, ProgressAndTheTrialOnTheBoard) {
  Harness h;
  nach_der_eroeffnung(h, "7788");
  int zuletzt = 0, rueckschritte = 0;
  h.vc.on_wait = [&](VirtualConsole&) {
    if (!RATENDRAN) return;
    const std::string s = screen_row(25).substr(43, 10);
    const int n = static_cast<int>(std::count(s.begin(), s.end(), '*'));
    if (n < zuletzt) ++rueckschritte;
    zuletzt = n;
  };
  const Zug z = zug();
  EXPECT_EQ(rueckschritte, 0);
  EXPECT_EQ(zuletzt, 10);
  EXPECT_EQ(h.text(35, 25, 45), "00.00.00 .......... benoetigte Zeit: 00.00.00");
  EXPECT_EQ(h.text(48, WY, 4), z.code);
  EXPECT_EQ(h.text(56, WY, 1), std::to_string(z.p));
  EXPECT_EQ(h.text(58, WY, 1), std::to_string(z.z));
  EXPECT_FALSE(RATENDRAN);
}

}  // namespace
