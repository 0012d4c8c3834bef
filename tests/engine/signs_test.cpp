// Sign numbering, scoring, the answer-class order and the trial counts.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/kvspiel.h"
#include "engine/raten_hilfe.h"

namespace {

void bereich(char erstes, char letztes) {
  kvspiel_reset();
  INITIALISIERE();
  X.erstes_zeichen = erstes;
  X.letztes_zeichen = letztes;
  setze_zeichensatz();
}

TEST(Numbering, FollowsTheRingFromTheFirstSign) {
  // The range, its sign count, and signs with their numbers (255: no sign).
  const struct {
    char erstes, letztes;
    int anzahl;
    std::vector<std::pair<char, int>> nummern;
  } faelle[] = {
      {'0', '9', 10, {{'0', 1}, {'9', 10}, {'a', 11}, {'z', 36}, {':', 255}, {'`', 255}}},
      {'a', 'z', 26, {{'a', 1}, {'0', 27}, {'9', 36}}},
      {'y', 'b', 14, {{'y', 1}, {'z', 2}, {'0', 3}, {'a', 13}, {'c', 15}, {'x', 36}}},
      {'z', '5', 7, {{'z', 1}, {'0', 2}, {'9', 11}, {'a', 12}, {'y', 36}}},
  };
  for (const auto& f : faelle) {
    bereich(f.erstes, f.letztes);
    EXPECT_EQ(MAXFARBE, f.anzahl) << f.erstes;
    for (const auto& [zeichen, nr] : f.nummern)
      EXPECT_EQ(NRARRAY[static_cast<unsigned char>(zeichen)], nr) << f.erstes << zeichen;
  }
}

TEST(Numbering, CharacterTableIsTheInverse) {
  for (char f : std::string("0579adyz")) {
    bereich(f, f);
    EXPECT_EQ(FARBARRAY[0], '*');
    for (int n = 1; n <= 36; ++n) {
      EXPECT_EQ(NRARRAY[static_cast<unsigned char>(FARBARRAY[n])], n) << f << n;
      EXPECT_EQ(FARBARRAY2[n], FARBARRAY[n]);
    }
    EXPECT_EQ(FARBARRAY[1], f);
  }
}

TEST(Scoring, CountsPositionsAndCommonSigns) {
  // Trial, code, P and T (T = P + Z).
  const struct {
    const char *v, *c;
    int p, t;
  } faelle[] = {{"aacd", "acda", 1, 4},
                {"a*c*", "acde", 1, 2},
                {"2934", "2473", 1, 3},
                {"1111", "1222", 1, 1}};
  for (const auto& f : faelle) {
    int p, t;
    raten_test::wertung(f.v, f.c, p, t);
    EXPECT_EQ(p, f.p) << f.v;
    EXPECT_EQ(t, f.t) << f.v;
  }
}

TEST(ClassOrder, HasTheShapeOfEveryLength) {
  const int gruppen[10] = {0, 2, 5, 9, 14, 20, 27, 35, 44, 54};
  for (int l = 1; l <= 9; ++l) {
    kvspiel_reset();
    X.laenge = static_cast<std::uint8_t>(l);
    REIHENFOLGE();
    ASSERT_EQ(ZAHL_DER_GRUPPEN, gruppen[l]);
    bool gesehen[10][10] = {};
    for (int k = 1; k <= ZAHL_DER_GRUPPEN; ++k) {
      const int t = ZEI_ORD[k], p = POS_ORD[k];
      ASSERT_LE(p, t);
      ASSERT_LE(t, l);
      ASSERT_FALSE(t == l && p == l - 1) << "L=" << l;
      ASSERT_FALSE(gesehen[t][p]);
      gesehen[t][p] = true;
    }
    EXPECT_EQ(ZEI_ORD[ZAHL_DER_GRUPPEN], l);
    EXPECT_EQ(POS_ORD[ZAHL_DER_GRUPPEN], l);
  }
}

TEST(ClassOrder, LengthFourBreaksTiesToTwoOne) {
  kvspiel_reset();
  X.laenge = 4;
  REIHENFOLGE();
  int rang_21 = 0, rang_30 = 0;
  for (int k = 1; k <= ZAHL_DER_GRUPPEN; ++k) {
    if (ZEI_ORD[k] == 2 && POS_ORD[k] == 1) rang_21 = k;
    if (ZEI_ORD[k] == 3 && POS_ORD[k] == 0) rang_30 = k;
  }
  EXPECT_EQ(rang_21, 1);
  EXPECT_LT(rang_21, rang_30);
  // Rebuilt only when the length changes; another length takes the new order.
  X.laenge = 2;
  REIHENFOLGE();
  EXPECT_EQ(ZAHL_DER_GRUPPEN, 5);
  EXPECT_EQ(LETZTEZAHL, 2);
  X.laenge = 12;
  REIHENFOLGE();
  EXPECT_EQ(ZAHL_DER_GRUPPEN, 0);
}

TEST(TrialCounts, ExamplesAndSpecialCases) {
  EXPECT_EQ(WIEVIELE(9, 11, false, false), 0);
  EXPECT_EQ(WIEVIELE(4, 2, false, true), 3);
  EXPECT_EQ(WIEVIELE(2, 36, true, false), 20);
  EXPECT_EQ(WIEVIELE(4, 10, false, false), 7);
  EXPECT_EQ(WIEVIELE(0, 5, false, false), 0);
  EXPECT_EQ(WIEVIELE(3, 1, false, false), 1);
  EXPECT_EQ(WIEVIELE(0, 1, false, false), 0);
  EXPECT_EQ(WIEVIELE(3, 0, false, false), 0);
  const int mit_leer[10] = {0, 0, 0, 0, 3, 3, 4, 4, 5, 5};
  for (int l = 4; l <= 9; ++l) EXPECT_EQ(WIEVIELE(l, 2, false, true), mit_leer[l]);
  EXPECT_EQ(WIEVIELE(3, 3, false, true), WIEVIELE(3, 3, false, false));
  EXPECT_EQ(WIEVIELE(5, 8, true, false), 7);
  EXPECT_EQ(WIEVIELE(6, 23, true, false), 13);
}

TEST(TrialCounts, ClosedFormsWhereTheyHold) {
  for (int n = 2; n <= 36; ++n) {
    EXPECT_EQ(WIEVIELE(1, n, false, false), n);
    EXPECT_EQ(WIEVIELE(2, n, false, false), (n + 3) / 2) << n;
    EXPECT_EQ(WIEVIELE(2, n, true, false), n / 2 + 2) << n;
    if (n >= 6) {
      EXPECT_EQ(WIEVIELE(3, n, false, false), (n + 10) / 3) << n;
      EXPECT_EQ(WIEVIELE(3, n, true, false), (n + 11) / 3) << n;
    }
    if (n >= 12) {
      EXPECT_EQ(WIEVIELE(4, n, false, false), (n + 21) / 4) << n;
    }
  }
}

TEST(Defaults, MatchTheDefaultRecord) {
  kvspiel_reset();
  INITIALISIERE();
  const auto* b = reinterpret_cast<const std::uint8_t*>(&X);
  const std::uint8_t kopf[14] = {31, 30, 1, 4, 8, 10, '0', '9', 0, 0, 0, 1, 0, 1};
  for (int i = 0; i < 14; ++i) EXPECT_EQ(b[i], kopf[i]) << i;
  for (int i = 14; i < 80; ++i) EXPECT_EQ(b[i], ' ') << i;
}

}  // namespace
