// The computer's opening trials: the table of opening patterns, the opening
// trial of a game and its renewal after an answer 0/0, and the pattern text
// of the board.
#include <cstring>
#include <string>

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {

// Patterns by code length (index 1..9) and repetition (0 barred, 1 allowed):
// ranges of sign counts, "from-to:pattern" or "n:pattern", separated by ";".
// The case of two signs at length 2 with repetition is drawn at random.
const char* const MUSTER[10][2] = {
    {"", ""},
    {"1-36:1", "1-36:1"},
    {"1:11;2-36:12", "1:11;2:12;3-36:12"},
    {"1:111;2-4:112;5-36:123", "1:111;2-3:112;4-36:123"},
    {"1:1111;2-3:1112;4-5:1122;6:1234;7:1123;8-18:1234;19:1123;20-36:1234",
     "1:1111;2-3:1112;4-5:1123;6:1122;7-11:1234;12:1123;13:1234;14:1123;15:1234;16:1123;"
     "17-36:1234"},
    {"1:11111;2:11112;3-4:11123;5:12345;6:11123;7:11122;8:11234;9:11223;10:12345;"
     "11-12:11234;13-20:12345;21-29:11234;30-36:12345",
     "1:11111;2:11112;3-4:11123;5:11223;6:11234;7:11223;8-10:11234;11-20:12345;21-26:11234;"
     "27-36:12345"},
    {"1:111111;2:111112;3:111123;4:111223;5:112233;6:123456;7:112233;8:111222;9:111234;"
     "10:123456;11-12:112345;13:123456;14:112345;15:123456;16-18:112345;19-30:123456;"
     "31-34:112345;35-36:123456",
     "1:111111;2:111112;3:111123;4:111223;5:112233;6:111223;7-9:112233;10-12:112234;"
     "13-15:112345;16-27:123456;28-31:112345;32-36:123456"},
    {"1:1111111;2:1111112;3:1111223;4-5:1112233;6:1122334;7:1234567;8:1112234;9:1123456;"
     "10:1112345;11:1111234;12:1111223;13:1112345;14:1234567;15-16:1123456;17-21:1234567;"
     "22-24:1123456;25-36:1234567",
     "1:1111111;2:1111112;3:1111223;4-5:1112233;6:1122334;7:1112223;8:1112233;9:1122334;"
     "10:1122345;11-13:1122334;14-15:1234567;16-17:1122345;18-21:1123456;22-33:1234567;"
     "34-35:1122345;36:1234567"},
    {"1:11111111;2:11111122;3:11111223;4:11112234;5:11112222;6:11122233;7:11122234;"
     "8:12345678;9:11223344;10:11112223;11:11122345;12:11112234;13:11123456;14:12345678;"
     "15-16:11234567;17-19:12345678;20-21:11234567;22-26:12345678;27:11123456;28:12345678;"
     "29-32:11234567;33-36:12345678",
     "1:11111111;2:11111122;3:11111223;4:11112234;5:11112222;6:11122233;7:11122234;"
     "8-11:11223344;12:11223345;13-15:11223344;16-17:11234567;18:11223345;19-21:12345678;"
     "22-24:11223456;25-28:11234567;29-36:12345678"},
    {"1:111111111;2:111111122;3:111111223;4:111112234;5:111122223;6-7:111222333;"
     "8:111223345;9:123456789;10:111122345;11:111234567;12:111122345;13:111112345;"
     "14:111234567;15:111123456;16:111112345;17:111234567;18:123456789;19-20:112345678;"
     "21-22:123456789;23:111234567;24:123456789;25-27:112345678;28-34:123456789;"
     "35:111234567;36:123456789",
     "1:111111111;2:111111122;3:111111223;4:111112234;5:111122223;6-7:111222333;"
     "8:111223345;9:111222334;10-12:111223344;13-15:112233445;16-17:112233456;"
     "18:123456789;19-20:112234567;21-23:112345678;24-28:123456789;29-31:112234567;"
     "32-36:112345678"},
};

// With a filler at hand and two signs, lengths 4..9.
const char* const FUELLMUSTER[10] = {"",      "",       "",        "",         "1110",
                                     "11120", "111120", "1111120", "11111120", "111111120"};

// The pattern for (l, n, repetition, filler) as l digits; empty when none.
std::string muster(int l, int n, bool wdh, bool fueller) {
  if (l < 1 || l > 9 || n < 1 || n > 36) return {};
  if (n == 2 && fueller && l >= 4) return FUELLMUSTER[l];
  const char* p = MUSTER[l][wdh ? 1 : 0];
  while (*p) {
    int von = 0, bis;
    while (*p >= '0' && *p <= '9') von = von * 10 + (*p++ - '0');
    bis = von;
    if (*p == '-') {
      ++p;
      bis = 0;
      while (*p >= '0' && *p <= '9') bis = bis * 10 + (*p++ - '0');
    }
    ++p;  // ':'
    const char* anfang = p;
    while (*p && *p != ';') ++p;
    if (n >= von && n <= bis) return std::string(anfang, p);
    if (*p == ';') ++p;
  }
  return {};
}

}  // namespace

void BESTIMME_ANFANG(std::uint8_t l, std::uint8_t n, bool wdh, bool fueller, bool zeigen) {
  if (n == 0 || l == 0 || l >= 10) return;
  OK = true;
  if (n == 1) {
    for (int k = 1; k <= l; ++k) ANFANG.payload[k] = PERMF[1];
  } else if (l == 2 && n == 2 && wdh) {
    if (Random(2) == 0) {
      ANFANG.payload[1] = ANFANG.payload[2] = PERMF[1];
    } else {
      for (int k = 1; k <= 2; ++k) ANFANG.payload[PERMZ[k]] = PERMF[k];
    }
  } else {
    const std::string m = muster(l, n, wdh, fueller);
    for (int k = 1; k <= l && k <= static_cast<int>(m.size()); ++k)
      ANFANG.payload[PERMZ[k]] = PERMF[m[k - 1] - '0'];
  }
  // The count bytes follow the positions (a count per sign number, 0 = vacant).
  for (int i = l + 1; i <= 46; ++i) ANFANG.payload[i] = 0;
  for (int k = 1; k <= l; ++k) {
    const int i = l + 1 + ANFANG.payload[k];
    if (i <= 46) ++ANFANG.payload[i];
  }
  ANFANG.all_link = ANFANG.trial_link = ANFANG.solution_link = 0;
  if (zeigen) {
    for (int k = 1; k <= l; ++k) WRITE(FARBARRAY[ANFANG.payload[k]]);
    GOTOXY(WX, WY);
  }
}

void NEUER_ANFANG() {
  const int l = X.laenge;
  int zeichen[37] = {};
  int n = 0;
  for (int c = 1; c <= MAXFARBE; ++c)
    if (ERL_FARBE[c]) zeichen[++n] = c;
  ziehe_permutation(ZAHLENREIHENFOLGE, HILFZAHLREIHENFOLGE, l, nullptr, PERMZ);
  PERMF[0] = FEHLZEICHEN;
  ziehe_permutation(FARBENREIHENFOLGE, HILFFARBREIHENFOLGE, n, zeichen, PERMF);
  BESTIMME_ANFANG(static_cast<std::uint8_t>(l), static_cast<std::uint8_t>(n), X.wiederholung != 0,
                  true, false);
}

std::string INIT_MUSTER(std::uint8_t l, std::uint8_t n, bool wdh, bool leer) {
  if (l == 0 || n == 0 || l > 9 || (l == 2 && n == 2 && wdh)) return std::string(12, ' ');
  std::string m = n == 1 ? std::string(l, '1') : muster(l, n, wdh, leer);
  std::string text(9 - l, ' ');
  text += '(';
  for (char c : m) text += c == '0' ? '*' : FARBARRAY[c - '0'];
  text += ") ";
  return text;
}
