// The symmetry of the played trials: the group of an opening pattern and the
// orbits it makes of the canonical trials of the second turn.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/kvspiel.h"
#include "support/harness.h"

namespace {

// Every trial of length l that is canonical when the signs 1..gespielt are
// played and the signs from gespielt + 1 on are ordered (geordnet of them).
void kanonische(int l, int gespielt, int geordnet, int k, int frei, std::uint64_t pos,
                std::vector<std::uint64_t>& aus) {
  if (k == l) {
    aus.push_back(pos);
    return;
  }
  const int bis = gespielt + frei + (frei < geordnet ? 1 : 0);
  for (int c = 1; c <= bis; ++c)
    kanonische(l, gespielt, geordnet, k + 1, frei + (c == gespielt + frei + 1 ? 1 : 0),
               pos | static_cast<std::uint64_t>(c) << (6 * k), aus);
}

TEST(Symmetrie, OrbitsOfTheCanonicalTrialsAfterAnOpening) {
  struct Fall {
    int zeichen;
    const char* muster;
    std::size_t kanonisch;
    std::uint32_t bahnen;
    std::uint64_t ordnung;
  };
  const Fall faelle[] = {{13, "1122334", 190497, 6997, 48},
                         {10, "1122345", 528975, 17015, 48},
                         {18, "123456", 163967, 514, 720},
                         {20, "12345", 10427, 174, 120}};
  for (const Fall& f : faelle) {
    Harness h;
    const int l = static_cast<int>(std::strlen(f.muster));
    X.laenge = static_cast<std::uint8_t>(l);
    int gespielt = 0;
    std::uint64_t pos = 0;
    for (int k = 0; k < l; ++k) {
      const int c = f.muster[k] - '0';
      pos |= static_cast<std::uint64_t>(c) << (6 * k);
      if (c > gespielt) gespielt = c;
    }
    raten_gespielt_merken(pos);
    // The unplayed signs: the first l in order, the rest excluded.
    const int geordnet = f.zeichen - gespielt < l ? f.zeichen - gespielt : l;
    for (int c = gespielt + 1; c <= f.zeichen; ++c)
      raten_rang[c] = static_cast<std::uint8_t>(c - gespielt <= geordnet ? c - gespielt : 255);
    std::vector<std::uint64_t> v;
    kanonische(l, gespielt, geordnet, 0, 0, 0, v);
    EXPECT_EQ(v.size(), f.kanonisch) << f.muster;
    raten_bahnen_aus(v.data(), static_cast<std::uint32_t>(v.size()), true);
    EXPECT_EQ(raten_gruppe_ordnung, f.ordnung) << f.muster;
    EXPECT_EQ(raten_bahnen_zahl, f.bahnen) << f.muster;
    raten_bahnen_freigeben();
  }
}

TEST(Symmetrie, AnOrbitsRecordDecidesOnlyWhatScoringWould) {
  // Trials 1213 and 2131 lie in one orbit of the group of the played 1122
  // (positions 1 and 2 exchanged, and 3 and 4; the pairs exchanged with
  // signs 1 and 2).
  Harness h;
  X.laenge = 4;
  raten_gespielt_merken(0x082041);                 // 1122
  const std::uint64_t a = 0x0C1081, b = 0x043042;  // 1213, 2131
  const std::uint64_t trials[] = {a, b};
  raten_bahnen_aus(trials, 2, false);
  ASSERT_EQ(raten_bahnen_zahl, 1u);
  const std::uint32_t bahn = raten_bahn(a);
  ASSERT_EQ(raten_bahn(b), bahn);
  Wertung w;
  EXPECT_EQ(raten_bahn_urteil(bahn, 20, {5, 60, 3}, w), Bahnurteil::bewerten);
  // Rejected at place 20 against the best (5, 60) of place 10: worse than it.
  raten_bahn_merken(bahn, false, w, {5, 60, 10});
  EXPECT_EQ(raten_bahn_urteil(bahn, 30, {9, 99, 1}, w), Bahnurteil::verworfen);  // after place 10
  EXPECT_EQ(raten_bahn_urteil(bahn, 8, {5, 60, 2}, w), Bahnurteil::verworfen);   // no better bound
  EXPECT_EQ(raten_bahn_urteil(bahn, 8, {5, 61, 2}, w), Bahnurteil::bewerten);    // a looser one
  const Wertung genau{4, 40, 3, true};
  raten_bahn_merken(bahn, true, genau, {5, 61, 2});
  EXPECT_EQ(raten_bahn_urteil(bahn, 8, {5, 61, 2}, w), Bahnurteil::bekannt);
  EXPECT_EQ(w.summe, 40);
  EXPECT_TRUE(w.loesung);
  raten_bahnen_freigeben();
}

}  // namespace
