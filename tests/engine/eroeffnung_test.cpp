// The opening trials: the pattern of every row, the text for the board, the
// opening trial placed by the permutations and its renewal after 0/0.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "engine/raten_hilfe.h"
#include "support/harness.h"

namespace {

// The patterns by length and repetition: (last sign count of a run, pattern).
using Laeufe = std::vector<std::pair<int, std::string>>;
const Laeufe ERWARTET[10][2] = {
    {{}, {}},
    {{{36, "1"}}, {{36, "1"}}},
    {{{1, "11"}, {36, "12"}}, {{1, "11"}, {2, ""}, {36, "12"}}},
    {{{1, "111"}, {4, "112"}, {36, "123"}}, {{1, "111"}, {3, "112"}, {36, "123"}}},
    {{{1, "1111"},
      {3, "1112"},
      {5, "1122"},
      {6, "1234"},
      {7, "1123"},
      {18, "1234"},
      {19, "1123"},
      {36, "1234"}},
     {{1, "1111"},
      {3, "1112"},
      {5, "1123"},
      {6, "1122"},
      {11, "1234"},
      {12, "1123"},
      {13, "1234"},
      {14, "1123"},
      {15, "1234"},
      {16, "1123"},
      {36, "1234"}}},
    {{{1, "11111"},
      {2, "11112"},
      {4, "11123"},
      {5, "12345"},
      {6, "11123"},
      {7, "11122"},
      {8, "11234"},
      {9, "11223"},
      {10, "12345"},
      {12, "11234"},
      {20, "12345"},
      {29, "11234"},
      {36, "12345"}},
     {{1, "11111"},
      {2, "11112"},
      {4, "11123"},
      {5, "11223"},
      {6, "11234"},
      {7, "11223"},
      {10, "11234"},
      {20, "12345"},
      {26, "11234"},
      {36, "12345"}}},
    {{{1, "111111"},
      {2, "111112"},
      {3, "111123"},
      {4, "111223"},
      {5, "112233"},
      {6, "123456"},
      {7, "112233"},
      {8, "111222"},
      {9, "111234"},
      {10, "123456"},
      {12, "112345"},
      {13, "123456"},
      {14, "112345"},
      {15, "123456"},
      {18, "112345"},
      {30, "123456"},
      {34, "112345"},
      {36, "123456"}},
     {{1, "111111"},
      {2, "111112"},
      {3, "111123"},
      {4, "111223"},
      {5, "112233"},
      {6, "111223"},
      {9, "112233"},
      {12, "112234"},
      {15, "112345"},
      {27, "123456"},
      {31, "112345"},
      {36, "123456"}}},
    {{{1, "1111111"},
      {2, "1111112"},
      {3, "1111223"},
      {5, "1112233"},
      {6, "1122334"},
      {7, "1234567"},
      {8, "1112234"},
      {9, "1123456"},
      {10, "1112345"},
      {11, "1111234"},
      {12, "1111223"},
      {13, "1112345"},
      {14, "1234567"},
      {16, "1123456"},
      {21, "1234567"},
      {24, "1123456"},
      {36, "1234567"}},
     {{1, "1111111"},
      {2, "1111112"},
      {3, "1111223"},
      {5, "1112233"},
      {6, "1122334"},
      {7, "1112223"},
      {8, "1112233"},
      {9, "1122334"},
      {10, "1122345"},
      {13, "1122334"},
      {15, "1234567"},
      {17, "1122345"},
      {21, "1123456"},
      {33, "1234567"},
      {35, "1122345"},
      {36, "1234567"}}},
    {{{1, "11111111"},  {2, "11111122"},  {3, "11111223"},  {4, "11112234"},  {5, "11112222"},
      {6, "11122233"},  {7, "11122234"},  {8, "12345678"},  {9, "11223344"},  {10, "11112223"},
      {11, "11122345"}, {12, "11112234"}, {13, "11123456"}, {14, "12345678"}, {16, "11234567"},
      {19, "12345678"}, {21, "11234567"}, {26, "12345678"}, {27, "11123456"}, {28, "12345678"},
      {32, "11234567"}, {36, "12345678"}},
     {{1, "11111111"},
      {2, "11111122"},
      {3, "11111223"},
      {4, "11112234"},
      {5, "11112222"},
      {6, "11122233"},
      {7, "11122234"},
      {11, "11223344"},
      {12, "11223345"},
      {15, "11223344"},
      {17, "11234567"},
      {18, "11223345"},
      {21, "12345678"},
      {24, "11223456"},
      {28, "11234567"},
      {36, "12345678"}}},
    {{{1, "111111111"},  {2, "111111122"},  {3, "111111223"},  {4, "111112234"},
      {5, "111122223"},  {7, "111222333"},  {8, "111223345"},  {9, "123456789"},
      {10, "111122345"}, {11, "111234567"}, {12, "111122345"}, {13, "111112345"},
      {14, "111234567"}, {15, "111123456"}, {16, "111112345"}, {17, "111234567"},
      {18, "123456789"}, {20, "112345678"}, {22, "123456789"}, {23, "111234567"},
      {24, "123456789"}, {27, "112345678"}, {34, "123456789"}, {35, "111234567"},
      {36, "123456789"}},
     {{1, "111111111"},
      {2, "111111122"},
      {3, "111111223"},
      {4, "111112234"},
      {5, "111122223"},
      {7, "111222333"},
      {8, "111223345"},
      {9, "111222334"},
      {12, "111223344"},
      {15, "112233445"},
      {17, "112233456"},
      {18, "123456789"},
      {20, "112234567"},
      {23, "112345678"},
      {28, "123456789"},
      {31, "112234567"},
      {36, "112345678"}}},
};
const char* const MIT_FUELLER[10] = {"",      "",       "",        "",         "1110",
                                     "11120", "111120", "1111120", "11111120", "111111120"};

std::string erwartet(int l, int n, bool wdh, bool fueller) {
  if (n == 2 && fueller && l >= 4) return MIT_FUELLER[l];
  for (const auto& [bis, muster] : ERWARTET[l][wdh ? 1 : 0])
    if (n <= bis) return muster;
  return "?";
}

void alle_zeichen() {
  X.erstes_zeichen = '0';
  X.letztes_zeichen = 'z';
  setze_zeichensatz();
}

TEST(Eroeffnung, PatternTextOfEveryRow) {
  Harness h;
  alle_zeichen();
  for (int l = 1; l <= 9; ++l)
    for (int wdh = 0; wdh < 2; ++wdh)
      for (int leer = 0; leer < 2; ++leer)
        for (int n = 1; n <= 36; ++n) {
          const std::string text =
              INIT_MUSTER(static_cast<std::uint8_t>(l), static_cast<std::uint8_t>(n), wdh, leer);
          ASSERT_EQ(text.size(), 12u);
          std::string muster = erwartet(l, n, wdh, leer);
          if (muster.empty()) {
            EXPECT_EQ(text, std::string(12, ' '));
            continue;
          }
          std::string soll(static_cast<std::size_t>(9 - l), ' ');
          soll += '(';
          for (char c : muster) soll += c == '0' ? '*' : FARBARRAY[c - '0'];
          soll += ") ";
          EXPECT_EQ(text, soll) << "l " << l << " n " << n << " wdh " << wdh << " leer " << leer;
        }
}

// Another first sign, and lengths and counts outside the table.
TEST(Eroeffnung, PatternTextEdges) {
  Harness h;
  X.erstes_zeichen = 'a';
  X.letztes_zeichen = 'z';
  setze_zeichensatz();
  EXPECT_EQ(INIT_MUSTER(4, 10, false, false), "     (abcd) ");
  EXPECT_EQ(INIT_MUSTER(0, 5, false, false), std::string(12, ' '));
  EXPECT_EQ(INIT_MUSTER(10, 5, false, false), std::string(12, ' '));
  EXPECT_EQ(INIT_MUSTER(4, 0, false, false), std::string(12, ' '));
}

TEST(Eroeffnung, TrialFollowsThePatternThroughThePermutations) {
  Harness h;
  alle_zeichen();
  for (int i = 0; i <= 36; ++i) PERMZ[i] = PERMF[i] = static_cast<std::uint8_t>(i);
  for (int l = 1; l <= 9; ++l)
    for (int wdh = 0; wdh < 2; ++wdh)
      for (int n = 1; n <= 36; ++n) {
        if (l == 2 && n == 2 && wdh) continue;
        BESTIMME_ANFANG(static_cast<std::uint8_t>(l), static_cast<std::uint8_t>(n), wdh, false,
                        false);
        std::string trial;
        for (int k = 1; k <= l; ++k) trial += static_cast<char>('0' + ANFANG.payload[k]);
        EXPECT_EQ(trial, erwartet(l, n, wdh, false)) << l << " " << n << " " << wdh;
      }
  // Reversed positions and signs: pattern 1123 becomes signs 9,9,8,7 read backwards.
  for (int k = 1; k <= 4; ++k) PERMZ[k] = static_cast<std::uint8_t>(5 - k);
  for (int c = 1; c <= 10; ++c) PERMF[c] = static_cast<std::uint8_t>(11 - c);
  BESTIMME_ANFANG(4, 7, false, false, false);
  EXPECT_EQ(ANFANG.payload[1], 8);
  EXPECT_EQ(ANFANG.payload[2], 9);
  EXPECT_EQ(ANFANG.payload[3], 10);
  EXPECT_EQ(ANFANG.payload[4], 10);
  EXPECT_TRUE(OK);
}

TEST(Eroeffnung, TwoSignsWithRepetitionAtLengthTwoIsACoin) {
  Harness h;
  alle_zeichen();
  PERMZ[1] = 1;
  PERMZ[2] = 2;
  PERMF[1] = 1;
  PERMF[2] = 2;
  RANDOMIZE(5);
  int gleich = 0;
  const int wuerfe = 4000;
  for (int i = 0; i < wuerfe; ++i) {
    BESTIMME_ANFANG(2, 2, true, false, false);
    if (ANFANG.payload[1] == ANFANG.payload[2]) {
      ++gleich;
      EXPECT_EQ(ANFANG.payload[1], 1);
    } else {
      EXPECT_EQ(ANFANG.payload[1], 1);
      EXPECT_EQ(ANFANG.payload[2], 2);
    }
  }
  EXPECT_NEAR(gleich, wuerfe / 2, 200);
}

TEST(Eroeffnung, VacantSignFillsTheOpeningOverTwoSigns) {
  raten_test::HarnessOhneEingabeende h;
  raten_test::bedingungen(4, '0', '1', true, true);
  ASSERT_TRUE(raten_test::beginne());
  int leer = 0, gleich = 0;
  for (int k = 1; k <= 4; ++k) {
    if (ANFANG.payload[k] == 0) ++leer;
    if (ANFANG.payload[k] == PERMF[1]) ++gleich;
  }
  EXPECT_EQ(leer, 1);
  EXPECT_EQ(gleich, 3);
  // Shown at the cursor of the first row.
  const std::string zeile = screen_row(9).substr(48, 4);
  EXPECT_EQ(std::count(zeile.begin(), zeile.end(), '*'), 1) << zeile;
}

TEST(Eroeffnung, RenewalAfterNothingCommonUsesTheAbsentSignAsFiller) {
  Harness h;
  alle_zeichen();
  X.laenge = 5;
  X.wiederholung = 0;
  MAXFARBE = 6;
  ERL_FARBE = {};
  ERL_FARBE[2] = ERL_FARBE[5] = true;
  FEHLZEICHEN = 3;
  RANDOMIZE(9);
  NEUER_ANFANG();
  int fueller = 0;
  for (int k = 1; k <= 5; ++k) {
    const int c = ANFANG.payload[k];
    EXPECT_TRUE(c == 2 || c == 5 || c == 3) << c;
    if (c == 3) ++fueller;
  }
  EXPECT_EQ(fueller, 1);  // pattern 11120
  EXPECT_EQ(PERMF[0], 3);
}

}  // namespace
