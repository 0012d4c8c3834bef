// The ring of 36 signs, the numbering of a game's sign set, scoring, the
// preference order of the answer classes, the guaranteed trial counts and
// the default conditions.
#include <cstring>

#include "engine/kvspiel.h"

namespace {

// The answer classes T/P in preference order, one line per code length 1..9.
const char* const KLASSEN[10] = {
    "",
    "0/0 1/1",
    "1/0 1/1 0/0 2/0 2/2",
    "2/1 1/0 2/0 1/1 2/2 0/0 3/0 3/1 3/3",
    "2/1 3/1 3/2 2/0 1/0 3/0 1/1 2/2 3/3 0/0 4/0 4/1 4/2 4/4",
    "2/1 3/1 4/1 3/2 4/2 4/3 2/0 3/0 1/0 4/0 1/1 2/2 3/3 4/4 0/0 5/0 5/1 5/2 5/3 5/5",
    "3/1 2/1 4/1 3/2 5/1 4/2 5/2 4/3 5/3 5/4 3/0 2/0 4/0 1/0 5/0 1/1 2/2 3/3 4/4 5/5 0/0 6/0 6/1 "
    "6/2 6/3 6/4 6/6",
    "3/1 4/1 2/1 5/1 3/2 4/2 5/2 4/3 6/1 6/2 5/3 6/3 5/4 6/4 6/5 3/0 4/0 2/0 5/0 1/0 6/0 1/1 2/2 "
    "3/3 4/4 5/5 6/6 0/0 7/0 7/1 7/2 7/3 7/4 7/5 7/7",
    "4/1 3/1 5/1 4/2 3/2 5/2 4/3 2/1 6/1 6/2 5/3 7/1 6/3 5/4 7/2 7/3 6/4 7/4 6/5 7/5 7/6 4/0 3/0 "
    "5/0 2/0 6/0 1/0 7/0 1/1 2/2 3/3 4/4 5/5 6/6 7/7 0/0 8/0 8/1 8/2 8/3 8/4 8/5 8/6 8/8",
    "4/1 5/1 4/2 3/1 5/2 6/1 3/2 2/1 7/1 6/2 4/3 5/3 8/1 7/2 6/3 8/2 5/4 7/3 6/4 8/3 7/4 6/5 8/4 "
    "7/5 8/5 7/6 8/6 8/7 4/0 5/0 3/0 6/0 2/0 7/0 1/0 8/0 1/1 2/2 3/3 4/4 5/5 6/6 7/7 8/8 0/0 9/0 "
    "9/1 9/2 9/3 9/4 9/5 9/6 9/7 9/9",
};

// Trials that suffice without repetition and without vacant sign; rows
// n = 2..36, columns L = 1..9; 0 beyond what the capacity table offers.
const std::uint8_t VERSUCHE[35][9] = {
    {2, 2, 3, 4, 5, 5, 6, 6, 7},        {3, 3, 3, 4, 4, 5, 5, 6, 6},
    {4, 3, 4, 4, 5, 5, 6, 6, 7},        {5, 4, 4, 4, 5, 6, 7, 7, 8},
    {6, 4, 5, 5, 6, 7, 7, 8, 9},        {7, 5, 5, 5, 6, 7, 8, 9, 10},
    {8, 5, 6, 6, 6, 7, 8, 9, 10},       {9, 6, 6, 6, 7, 8, 8, 9, 11},
    {10, 6, 6, 7, 8, 8, 9, 10, 11},     {11, 7, 7, 7, 8, 8, 9, 10, 0},
    {12, 7, 7, 8, 8, 9, 10, 10, 0},     {13, 8, 7, 8, 9, 9, 10, 11, 0},
    {14, 8, 8, 8, 9, 9, 10, 11, 0},     {15, 9, 8, 9, 9, 10, 10, 0, 0},
    {16, 9, 8, 9, 10, 10, 11, 0, 0},    {17, 10, 9, 9, 10, 10, 12, 0, 0},
    {18, 10, 9, 9, 10, 11, 12, 0, 0},   {19, 11, 9, 10, 10, 11, 12, 0, 0},
    {20, 11, 10, 10, 11, 11, 12, 0, 0}, {21, 12, 10, 10, 11, 12, 12, 0, 0},
    {22, 12, 10, 10, 11, 12, 0, 0, 0},  {23, 13, 11, 11, 11, 12, 0, 0, 0},
    {24, 13, 11, 11, 12, 13, 0, 0, 0},  {25, 14, 11, 11, 12, 13, 0, 0, 0},
    {26, 14, 12, 11, 12, 13, 0, 0, 0},  {27, 15, 12, 12, 12, 14, 0, 0, 0},
    {28, 15, 12, 12, 13, 14, 0, 0, 0},  {29, 16, 13, 12, 13, 14, 0, 0, 0},
    {30, 16, 13, 12, 13, 14, 0, 0, 0},  {31, 17, 13, 13, 13, 15, 0, 0, 0},
    {32, 17, 14, 13, 13, 15, 0, 0, 0},  {33, 18, 14, 13, 14, 15, 0, 0, 0},
    {34, 18, 14, 13, 14, 15, 0, 0, 0},  {35, 19, 15, 14, 14, 15, 0, 0, 0},
    {36, 19, 15, 14, 14, 16, 0, 0, 0},
};

// With repetition these sign counts need one trial more, per code length.
bool wiederholung_plus_eins(int l, int n) {
  switch (l) {
    case 2:
      return n % 2 == 0;
    case 3:
      return n == 5 || n == 7 || (n >= 10 && (n - 10) % 3 == 0);
    case 4:
      return n == 5 || n == 7 || n == 9;
    case 5:
      return n == 8 || n == 12 || n == 19 || n == 23;
    case 6:
      return n >= 8 && n <= 23 && (n - 8) % 3 == 0;
    case 7:
      return n == 15 || n == 21;
    case 8:
      return n == 12;
    default:
      return false;
  }
}

}  // namespace

void INITIALISIERE() {
  X = {.standardfarbe = 31,
       .hervorhebungsfarbe = 30,
       .zeitlimit = 1,
       .laenge = 4,
       .speicherwahl = 8,
       .reserve = 10,
       .erstes_zeichen = '0',
       .letztes_zeichen = '9',
       .ton = 0,
       .wiederholung = 0,
       .leerzeichen = 0,
       .pc_kodiert = 1,
       .pc_raet = 0,
       .fest = 1,
       .name1 = {},
       .name2 = {}};
  std::memset(X.name1, ' ', sizeof X.name1);
  std::memset(X.name2, ' ', sizeof X.name2);
  OBERGRENZE = INT64_MAX;
}

std::uint8_t NRFUNKTION(char ch) {
  const auto c = static_cast<std::uint8_t>(ch);
  if (c >= '0' && c <= '9')
    return c > XMINPLUS20 ? static_cast<std::uint8_t>(c - XMINPLUS20)
                          : static_cast<std::uint8_t>(c + PLUS20KOMPL);
  return c > XMINPLUS95 ? static_cast<std::uint8_t>(c - XMINPLUS95)
                        : static_cast<std::uint8_t>(c - XMINPLUS59);
}

char FARBFUNKTION(std::uint8_t n) {
  if (n == 0) return '*';
  const int m = (XMINPLUS34 + n) % 36;
  return m < 26 ? static_cast<char>('a' + m) : static_cast<char>('0' + (m - 26));
}

void setze_zeichensatz() {
  const auto f = static_cast<std::uint8_t>(X.erstes_zeichen);
  XMINPLUS20 = static_cast<std::uint8_t>(f >= 'a' ? f - 76 : f - 1);
  PLUS20KOMPL = static_cast<std::uint8_t>(36 - XMINPLUS20);
  XMINPLUS34 = static_cast<std::uint8_t>(XMINPLUS20 + 14);
  XMINPLUS59 = static_cast<std::uint8_t>(XMINPLUS34 + 25);
  XMINPLUS95 = static_cast<std::uint8_t>(XMINPLUS59 + 36);
  FARBARRAY[0] = '*';
  for (int n = 1; n <= 36; ++n) FARBARRAY[n] = FARBARRAY2[n] = FARBFUNKTION(n);
  for (int c = '0'; c <= 'z'; ++c)
    NRARRAY[c] = (c > '9' && c < 'a') ? 255 : NRFUNKTION(static_cast<char>(c));
  MAXFARBE = NRARRAY[static_cast<unsigned char>(X.letztes_zeichen)];
}

void REIHENFOLGE() {
  const int l = X.laenge;
  if (l == LETZTEZAHL) return;
  LETZTEZAHL = static_cast<std::uint8_t>(l);
  if (l < 1 || l > 9) {
    ZAHL_DER_GRUPPEN = 0;
    return;
  }
  int k = 0;
  for (const char* s = KLASSEN[l]; *s; s += (s[3] ? 4 : 3)) {
    ++k;
    ZEI_ORD[k] = static_cast<std::uint8_t>(s[0] - '0');
    POS_ORD[k] = static_cast<std::uint8_t>(s[2] - '0');
  }
  ZAHL_DER_GRUPPEN = static_cast<std::uint8_t>(k);
}

std::uint8_t WIEVIELE(std::uint8_t l, std::uint8_t n, bool wdh, bool leer) {
  if (n <= 1) return l > 0 ? n : 0;
  if (l == 0 || l > 9 || n > 36) return 0;
  int w = VERSUCHE[n - 2][l - 1];
  if (w == 0) return 0;
  if (wdh && wiederholung_plus_eins(l, n)) ++w;
  if (leer && n == 2 && l >= 4) {
    static const std::uint8_t mit_leer[10] = {0, 0, 0, 0, 3, 3, 4, 4, 5, 5};
    w = mit_leer[l] + (wdh && wiederholung_plus_eins(l, n) ? 1 : 0);
  }
  return static_cast<std::uint8_t>(w);
}

void bewerte(const code& v, const code& c, int l, std::uint8_t& p, std::uint8_t& t) {
  int anzahl_v[128] = {}, anzahl_c[128] = {};
  p = 0;
  for (int i = 1; i <= l; ++i) {
    const auto a = static_cast<unsigned char>(v[i]) & 127;
    const auto b = static_cast<unsigned char>(c[i]) & 127;
    if (a == '*' || a == ' ') continue;
    if (a == b) ++p;
    ++anzahl_v[a];
  }
  for (int i = 1; i <= l; ++i) ++anzahl_c[static_cast<unsigned char>(c[i]) & 127];
  int summe = 0;
  for (int s = 0; s < 128; ++s) summe += anzahl_v[s] < anzahl_c[s] ? anzahl_v[s] : anzahl_c[s];
  t = static_cast<std::uint8_t>(summe);
}

void zaehle_loesungsfarben() {
  LOESUNGSFARBEN = {};
  if (!X.wiederholung && X.laenge == MAXFARBE) {
    for (int s = 1; s <= MAXFARBE; ++s) LOESUNGSFARBEN[s] = 1;
    return;
  }
  for (int i = 1; i <= X.laenge; ++i) {
    const auto c = static_cast<unsigned char>(LOESUNG[i]);
    if (c >= '0' && c <= 'z' && NRARRAY[c] <= 36) ++LOESUNGSFARBEN[NRARRAY[c]];
  }
}
