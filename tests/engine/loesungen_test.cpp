// The codebreaker's solution list: scoring in every instruction set this
// processor has (forced one after the other) against the scoring rule, with
// the early rejection at the edges of its bounds, in batches and on two
// threads, and the narrowing.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/raten_hilfe.h"
#include "support/harness.h"

namespace {

using namespace raten_test;

std::vector<RatenKern> kerne() {
  std::vector<RatenKern> k;
  for (RatenKern r : {RatenKern::skalar, RatenKern::avx2, RatenKern::avx512})
    if (raten_kern_erzwingen(r)) k.push_back(r);
  raten_kern_erzwingen(RatenKern::automatisch);
  return k;
}

struct Fall {
  int l;
  char letztes;  // the signs 0..letztes
  std::uint32_t zahl;
};

// A code of length l over signs 1..n, sometimes over two signs only (signs
// three times and more); vacant signs (0) when `leer`.
std::uint64_t zufallscode(int l, int n, bool wenige, bool leer) {
  std::uint64_t pos = 0;
  for (int i = 0; i < l; ++i) {
    const std::uint32_t s = leer     ? Random(static_cast<std::uint32_t>(n) + 1)
                            : wenige ? Random(2) + 1
                                     : Random(static_cast<std::uint32_t>(n)) + 1;
    pos |= static_cast<std::uint64_t>(s) << (6 * i);
  }
  return pos;
}

std::string als_text(std::uint64_t pos) {
  std::string s;
  for (int i = 0; i < X.laenge; ++i) s += FARBARRAY[static_cast<int>((pos >> (6 * i)) & 63)];
  return s;
}

void bedingungen_fuer(const Fall& f) {
  X.laenge = static_cast<std::uint8_t>(f.l);
  X.erstes_zeichen = '0';
  X.letztes_zeichen = f.letztes;
  setze_zeichensatz();
}

void lege_an(const std::vector<std::uint64_t>& codes) {
  ASSERT_TRUE(raten_loes_anlegen(codes.size()));
  for (std::uint32_t i = 0; i < codes.size(); ++i) raten_loes_setze(i, codes[i]);
}

// The signs (bit c - 1 for sign c) of the codes.
std::uint64_t zeichen_von(const std::vector<std::uint64_t>& codes, int l) {
  std::uint64_t z = 0;
  for (std::uint64_t c : codes)
    for (int j = 0; j < l; ++j) z |= std::uint64_t{1} << (((c >> (6 * j)) & 63) - 1);
  return z;
}

// The case's conditions and a random solution list of its size, every third
// code over two signs.
std::vector<std::uint64_t> zufallsliste(const Fall& f, std::uint64_t saat) {
  RANDOMIZE(saat);
  bedingungen_fuer(f);
  std::vector<std::uint64_t> codes;
  for (std::uint32_t i = 0; i < f.zahl; ++i)
    codes.push_back(zufallscode(f.l, MAXFARBE, i % 3 == 0, false));
  lege_an(codes);
  return codes;
}

// The classes of the trial over the codes by the scoring rule (with a fixed
// t: that of the first code for all).
std::vector<std::int32_t> klassen(std::uint64_t versuch, const std::vector<std::uint64_t>& codes,
                                  bool t_fest) {
  std::vector<std::int32_t> cnt(100, 0);
  int t0 = -1;
  for (std::uint64_t c : codes) {
    int p, t;
    wertung(als_text(versuch), als_text(c), p, t);
    if (t_fest && t0 < 0) t0 = t;
    ++cnt[(t_fest ? t0 : t) * 10 + p];
  }
  return cnt;
}

Wertung wertung_von(const std::vector<std::int32_t>& cnt, int l) {
  Wertung w;
  for (std::int32_t m : cnt) {
    if (m > w.max) w.max = m;
    if (m) ++w.klassen;
    w.summe += static_cast<std::int64_t>(m) * m;
  }
  w.loesung = cnt[l * 10 + l] == 1;
  return w;
}

// Every kernel over the list and the trial, for bounds at the edges of the
// trial's own figures (and far off): false exactly when the trial cannot beat
// the bound, else the full classes. An empty list counts nothing and rejects
// nothing.
void pruefe_bewertung(std::uint64_t versuch, const std::vector<std::uint64_t>& codes,
                      const std::vector<RatenKern>& kern) {
  const int l = X.laenge;
  const auto soll = klassen(versuch, codes, KENNEALLEFARBEN);
  const Wertung w = wertung_von(soll, l);
  const std::pair<std::int32_t, std::int64_t> grenzen[] = {
      {INT32_MAX, OBERGRENZE},     {w.max, w.summe}, {w.max, w.summe - 1},    {w.max, w.summe + 1},
      {w.max - 1, OBERGRENZE},     {w.max + 1, 0},   {w.max / 2, OBERGRENZE}, {w.max, 0},
      {w.max / 3 + 1, w.summe / 5}};
  Versuchsbild bild;
  raten_bild(versuch, bild);
  for (const auto& [bm, bs] : grenzen) {
    const bool besser = codes.empty() || !(w.max > bm || (w.max == bm && w.summe > bs));
    for (RatenKern k : kern) {
      raten_kern_erzwingen(k);
      std::int32_t cnt[100];
      Wertung ist;
      const bool ja = raten_zaehle(bild, cnt, bm, bs, ist);
      ASSERT_EQ(ja, besser) << als_text(versuch) << " kernel " << static_cast<int>(k) << " bound "
                            << bm << ' ' << bs << " of " << codes.size();
      if (!ja) continue;
      ASSERT_EQ(std::vector<std::int32_t>(cnt, cnt + 100), soll) << als_text(versuch);
      EXPECT_EQ(ist.max, w.max);
      EXPECT_EQ(ist.summe, w.summe);
      EXPECT_EQ(ist.klassen, w.klassen);
      EXPECT_EQ(ist.loesung, w.loesung);
    }
  }
  raten_kern_erzwingen(RatenKern::automatisch);
}

// A batch of trials against one bound gives what each trial gives alone, in
// every kernel; so do two threads scoring over the same list at once.
void pruefe_stapel(const std::vector<std::uint64_t>& versuche, const std::vector<RatenKern>& kern) {
  const int n = static_cast<int>(versuche.size());
  std::vector<Versuchsbild> bilder(versuche.size());
  for (int i = 0; i < n; ++i) raten_bild(versuche[i], bilder[i]);
  std::vector<std::int32_t> cnt(100 * n), allein(100 * n), nebenher(100 * n);
  std::vector<Wertung> w(n), w_allein(n);
  std::unique_ptr<bool[]> ganz(new bool[n]), ganz_allein(new bool[n]), ganz_nebenher(new bool[n]);
  // The bound of the first trial: some of the others beat it, some do not.
  raten_zaehle(bilder[0], allein.data(), INT32_MAX, OBERGRENZE, w_allein[0]);
  const std::int32_t bm = w_allein[0].max;
  const std::int64_t bs = w_allein[0].summe;
  for (RatenKern k : kern) {
    raten_kern_erzwingen(k);
    for (int i = 0; i < n; ++i)
      ganz_allein[i] = raten_zaehle(bilder[i], &allein[100 * i], bm, bs, w_allein[i]);
    raten_zaehle_stapel(bilder.data(), n, cnt.data(), bm, bs, w.data(), ganz.get());
    auto haelfte = [&](int von) {
      for (int i = von; i < n; i += 2) {
        Wertung x;
        ganz_nebenher[i] = raten_zaehle(bilder[i], &nebenher[100 * i], bm, bs, x);
      }
    };
    std::thread zweiter(haelfte, 1);
    haelfte(0);
    zweiter.join();
    for (int i = 0; i < n; ++i) {
      ASSERT_EQ(ganz[i], ganz_allein[i]) << i << " kernel " << static_cast<int>(k);
      ASSERT_EQ(ganz_nebenher[i], ganz_allein[i]) << i;
      if (!ganz[i]) continue;
      EXPECT_TRUE(std::equal(&cnt[100 * i], &cnt[100 * i + 100], &allein[100 * i])) << i;
      EXPECT_TRUE(std::equal(&nebenher[100 * i], &nebenher[100 * i + 100], &allein[100 * i]));
      EXPECT_EQ(w[i].summe, w_allein[i].summe);
      EXPECT_EQ(w[i].klassen, w_allein[i].klassen);
    }
  }
  raten_kern_erzwingen(RatenKern::automatisch);
}

// Sizes around the block of 64 and past the longest stretch between two
// exact counts (255 blocks); signs up to 15, 31 and 36 (the vector tables).
const Fall FAELLE[] = {{2, 'z', 63},   {3, 'v', 64},    {4, '5', 65},  {5, 'e', 3000},
                       {6, 'f', 1000}, {7, 'c', 130},   {8, 'u', 777}, {9, '9', 2049},
                       {4, '1', 20},   {6, '9', 16500}, {5, 'z', 1},   {3, '9', 0}};

TEST(Loesungen, EveryKernelScoresByTheRuleAndRejectsExactly) {
  const auto kern = kerne();
  ASSERT_FALSE(kern.empty());
  for (const Fall& f : FAELLE) {
    Harness h;
    const auto codes = zufallsliste(f, static_cast<std::uint64_t>(f.l) * 1000 + f.zahl);
    std::vector<std::uint64_t> versuche;
    for (int j = 0; j < (f.zahl > 10000 ? 2 : 8); ++j) {
      versuche.push_back(zufallscode(f.l, MAXFARBE, j % 4 == 1, j % 4 == 2));
      pruefe_bewertung(versuche.back(), codes, kern);
    }
    for (int j = 0; j < 70; ++j) versuche.push_back(zufallscode(f.l, MAXFARBE, false, false));
    pruefe_stapel(versuche, kern);
    raten_loes_freigeben();
  }
}

// Trials side by side, in list order against a bound: every trial at least
// as good as the bound and every trial before it is scored in full with its
// exact figures, a trial is rejected only when it is worse than those; the
// plain kernel rejects every trial it may.
TEST(Loesungen, SideBySideScoringKeepsEveryTrialTheSearchCompares) {
  for (const Fall& f : FAELLE) {
    Harness h;
    const auto codes = zufallsliste(f, static_cast<std::uint64_t>(f.l) * 31 + f.zahl);
    std::vector<std::uint64_t> versuche;
    std::vector<Wertung> genau;
    for (int j = 0; j < 150; ++j) {
      versuche.push_back(zufallscode(f.l, MAXFARBE, j % 5 == 1, j % 5 == 2));
      Versuchsbild bild;
      raten_bild(versuche.back(), bild);
      std::int32_t cnt[100];
      genau.emplace_back();
      raten_zaehle(bild, cnt, INT32_MAX, OBERGRENZE, genau.back());
    }
    const int n = static_cast<int>(versuche.size());
    const auto vor = [](const Wertung& a, const Wertung& b) {
      return a.max < b.max || (a.max == b.max && a.summe < b.summe);
    };
    const Wertung beste = *std::min_element(genau.begin(), genau.end(), vor);
    const std::pair<std::int32_t, std::int64_t> grenzen[] = {{INT32_MAX, OBERGRENZE},
                                                             {genau[9].max, genau[9].summe},
                                                             {genau[9].max, 0},
                                                             {beste.max, beste.summe}};
    // As drawn, and the worst first: then each trial beats those before it.
    for (int reihe = 0; reihe < 2; ++reihe) {
      if (reihe == 1) {
        std::vector<int> i(n);
        for (int j = 0; j < n; ++j) i[j] = j;
        std::sort(i.begin(), i.end(), [&](int a, int b) { return vor(genau[b], genau[a]); });
        const auto v = versuche;
        const auto g = genau;
        for (int j = 0; j < n; ++j) versuche[j] = v[i[j]], genau[j] = g[i[j]];
      }
      for (RatenKern k : kerne()) {
        raten_kern_erzwingen(k);
        for (const auto& [bm, bs] : grenzen) {
          std::vector<Wertung> w(n);
          std::unique_ptr<bool[]> ganz(new bool[n]);
          raten_zaehle_quer(versuche.data(), n, bm, bs, w.data(), ganz.get());
          std::int64_t r_max = bm, r_summe = bs;  // the best before each trial
          for (int i = 0; i < n; ++i) {
            const Wertung& e = genau[i];
            const bool vergleichen = e.max < r_max || (e.max == r_max && e.summe <= r_summe);
            ASSERT_TRUE(ganz[i] || !vergleichen) << f.l << ' ' << f.zahl << " trial " << i;
            if (k != RatenKern::avx512) {
              EXPECT_EQ(ganz[i], vergleichen) << i;
            }
            if (vergleichen) {
              r_max = e.max;
              r_summe = e.summe;
            }
            if (!ganz[i]) continue;
            EXPECT_EQ(w[i].max, e.max) << i;
            EXPECT_EQ(w[i].summe, e.summe) << i;
            EXPECT_EQ(w[i].klassen, e.klassen) << i;
            EXPECT_EQ(w[i].loesung, e.loesung) << i;
          }
        }
      }
    }
    raten_kern_erzwingen(RatenKern::automatisch);
    raten_loes_freigeben();
  }
}

TEST(Loesungen, KnownSignsCountTheCommonSignsOnce) {
  // Every solution a rearrangement of the same signs, one of them three
  // times: t is that of the first solution, only p is counted.
  const auto kern = kerne();
  for (int l : {4, 7, 9}) {
    Harness h;
    RANDOMIZE(static_cast<std::uint64_t>(l) + 77);
    bedingungen_fuer({l, '9', 0});
    KENNEALLEFARBEN = true;
    std::vector<std::uint64_t> codes;
    for (int i = 0; i < 700; ++i) {
      int s[9];
      for (int j = 0; j < l; ++j) s[j] = j < 3 ? 1 : j + 1;
      for (int j = l - 1; j > 0; --j) std::swap(s[j], s[Random(static_cast<std::uint32_t>(j + 1))]);
      std::uint64_t pos = 0;
      for (int j = 0; j < l; ++j) pos |= static_cast<std::uint64_t>(s[j]) << (6 * j);
      codes.push_back(pos);
    }
    lege_an(codes);
    for (int j = 0; j < 6; ++j)
      pruefe_bewertung(zufallscode(l, MAXFARBE, j % 2, j == 3), codes, kern);
    raten_loes_freigeben();
  }
}

TEST(Loesungen, NarrowingKeepsTheClassInOrderInEveryKernel) {
  for (RatenKern k : kerne()) {
    for (const Fall& f : FAELLE) {
      Harness h;
      raten_kern_erzwingen(k);
      auto codes = zufallsliste(f, static_cast<std::uint64_t>(f.l) * 7 + f.zahl);
      EXPECT_EQ(raten_vorhandene_zeichen(), zeichen_von(codes, f.l));
      // Twice: to the class of a random solution (any t the second time).
      for (int runde = 0; runde < 2 && !codes.empty(); ++runde) {
        const std::uint64_t versuch = zufallscode(f.l, MAXFARBE, false, runde == 1);
        int p, t;
        wertung(als_text(versuch), als_text(codes[Random(codes.size())]), p, t);
        if (runde == 1) t = -1;
        std::vector<std::uint64_t> bleiben;
        for (std::uint64_t c : codes) {
          int pc, tc;
          wertung(als_text(versuch), als_text(c), pc, tc);
          if (pc == p && (t < 0 || tc == t)) bleiben.push_back(c);
        }
        Versuchsbild bild;
        raten_bild(versuch, bild);
        EXPECT_TRUE(raten_verenge(bild, t, p));
        EXPECT_EQ(raten_loes_zahl, bleiben.size());
        std::vector<std::uint64_t> ist;
        for (std::uint32_t i = 0; i < raten_loes_zahl; ++i) ist.push_back(raten_loes_pos(i));
        ASSERT_EQ(ist, bleiben) << f.l << ' ' << f.zahl << " kernel " << static_cast<int>(k);
        EXPECT_EQ(raten_vorhandene_zeichen(), zeichen_von(bleiben, f.l));
        codes = bleiben;
        // The narrowed list scores as a fresh one.
        pruefe_bewertung(versuch, codes, {k});
        raten_kern_erzwingen(k);
      }
      raten_loes_freigeben();
    }
  }
}

TEST(Loesungen, NarrowingStopsAtEscOrCtrlC) {
  // 100,000 solutions, the last one's class kept: the narrowing looks at the
  // keys before it reaches the end.
  for (unsigned char taste : {27, 3}) {
    HarnessOhneEingabeende h;
    const auto codes = zufallsliste({7, '9', 100000}, 5);
    Versuchsbild bild;
    raten_bild(codes.back(), bild);
    h.vc.push_key(taste);
    EXPECT_FALSE(raten_verenge(bild, 7, 7));
    EXPECT_EQ(h.vc.pending_keys(), 0u);
    EXPECT_LT(raten_loes_zahl,
              static_cast<std::uint32_t>(std::count(codes.begin(), codes.end(), codes.back())));
    raten_loes_freigeben();
  }
}

TEST(Loesungen, AKernelIsForcedOnlyWhereTheProcessorHasIt) {
  Harness h;
  const RatenKern bester = raten_kern();
  EXPECT_NE(bester, RatenKern::automatisch);
  EXPECT_TRUE(raten_kern_erzwingen(RatenKern::skalar));
  EXPECT_EQ(raten_kern(), RatenKern::skalar);
  for (RatenKern k : {RatenKern::avx2, RatenKern::avx512}) {
    const bool geht = raten_kern_erzwingen(k);
    EXPECT_EQ(raten_kern(), geht ? k : RatenKern::skalar);
    raten_kern_erzwingen(RatenKern::skalar);
  }
  EXPECT_TRUE(raten_kern_erzwingen(RatenKern::automatisch));
  EXPECT_EQ(raten_kern(), bester);
}

}  // namespace
