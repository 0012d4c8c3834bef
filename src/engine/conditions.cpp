// Keeping the conditions consistent with the memory budget, and the players'
// names: normalisation and their slots on the conditions form.
#include <cstring>

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {

std::uint16_t auf_16_runden(unsigned n) {
  return static_cast<std::uint16_t>((n + 15) / 16 * 16);
}

bool ist_gross(char c) {
  return c >= 'A' && c <= 'Z';
}
bool ist_klein(char c) {
  return c >= 'a' && c <= 'z';
}
bool ist_trenner(char c) {
  return c == ' ' || c == '-';
}

void zeige_fest_ja() {
  GOTOXY(30, 19);
  WRITE(ja_nein_formular(true));
}

void zeige_raten_nein() {
  GOTOXY(SP_D ? 57 : 64, 13);
  WRITE(ja_nein_formular(false));
  SCHREIBE_NAME(false, true, false);
}

// The node sizes of the two candidate stores, for the allocator too.
void setze_knotengroessen(int l, int e) {
  SIZERATEN = auf_16_runden(static_cast<unsigned>(l + 12 + e));
  SIZEMOGELN = auf_16_runden(static_cast<unsigned>(l + 9));
  SIZERATENPTR = SIZERATEN;
  SIZEMOGELNPTR = SIZEMOGELN;
}

// The capacity table as shown: rewritten on the form when it changed.
void folge_kapazitaet(bool zeigen) {
  if (!zeigen) {
    MERKEZAEHLEFARBEN = ZAEHLEFARBEN;
    return;
  }
  if (!GEAENDERT) return;
  bool anders = false;
  for (int i = 2; i <= 9; ++i)
    if (ZAEHLEFARBEN[i] != MERKEZAEHLEFARBEN[i]) anders = true;
  MERKEZAEHLEFARBEN = ZAEHLEFARBEN;
  if (anders) schreibe_kapazitaet();
}

// The computer's fixed limits per code length: the most signs (the vacant
// sign counted) it guesses over, and the most signs it varies its code over
// with and without repetition; 36 = no limit.
void wende_feste_grenzen_an(int n, int l, int e, bool wdh) {
  struct Grenze {
    int raten, mogeln_wdh, mogeln;
  };
  static const Grenze GRENZEN[10] = {{36, 36, 36}, {36, 36, 36}, {36, 36, 36}, {36, 36, 36},
                                     {36, 36, 36}, {31, 36, 36}, {18, 22, 25}, {13, 14, 17},
                                     {9, 9, 13},   {7, 7, 11}};
  const Grenze& g = GRENZEN[l <= 9 ? l : 0];
  KANN_RATEN = e <= g.raten;
  KANN_MOGELN = n <= (wdh ? g.mogeln_wdh : g.mogeln);
  if (!KANN_MOGELN) KANN_RATEN = false;
}

void mache_fest(bool zeigen) {
  X.fest = 1;
  if (zeigen) zeige_fest_ja();
}

void nimm_raten_zurueck(bool zeigen) {
  X.pc_raet = 0;
  if (zeigen) zeige_raten_nein();
}

// The codes of a variable answer code must fit into the budget.
void pruefe_speicher_mogeln(int n, int l, bool wdh, bool zeigen) {
  std::uint64_t anzahl = 1;
  for (int i = 0; i < l; ++i) anzahl *= wdh ? n : static_cast<std::uint64_t>(n > i ? n - i : 0);
  MEMLOES = anzahl;
  if (static_cast<std::uint64_t>(SIZEMOGELN) * MEMLOES <= MEMGES) return;
  KANN_MOGELN = false;
  KANN_RATEN = false;
  if (X.pc_raet) nimm_raten_zurueck(zeigen);
  if (!X.fest) mache_fest(zeigen);
}

// The guessing computer's candidates must fit into the budget.
void pruefe_speicher_raten(int l, int e, bool leer_als_zeichen, bool zeigen) {
  std::uint64_t anzahl = 1;
  for (int i = 0; i < l; ++i) anzahl *= static_cast<std::uint64_t>(e);
  if (leer_als_zeichen) --anzahl;
  MEMRATE = static_cast<std::uint32_t>(anzahl > UINT32_MAX ? UINT32_MAX : anzahl);
  if (static_cast<std::uint64_t>(SIZERATEN) * anzahl <= MEMGES) return;
  KANN_RATEN = false;
  if (X.pc_raet) nimm_raten_zurueck(zeigen);
}

}  // namespace

// Yes/no as the conditions form shows them (the English words are 4 wide there).
const char* ja_nein_formular(bool ja) {
  if (SP_D) return ja ? "Ja.  " : "Nein.";
  return ja ? "Yes." : "No. ";
}

// The capacity cells of the form's row 8, lengths 2..9.
void schreibe_kapazitaet() {
  GOTOXY(35, 8);
  for (int l = 2; l <= 9; ++l) {
    const int n = ZAEHLEFARBEN[l];
    if (l > 2) WRITE("   ");
    if (n <= 1) {
      WRITE(" -");
    } else {
      if (n < 10) WRITE(' ');
      WRITE(n);
    }
  }
}

void KORRIGIERE(std::uint8_t n, std::uint8_t l, bool wdh, bool leer, bool zeigen, bool freigeben) {
  const int wx = WHEREX(), wy = WHEREY();
  const bool leer_als_zeichen = leer && n == 2 && l > 3;
  const int e = leer_als_zeichen ? n + 1 : n;
  setze_knotengroessen(l, e);
  SPEICHER_FREIGEBEN(freigeben);
  folge_kapazitaet(zeigen);
  wende_feste_grenzen_an(n, l, e, wdh);
  if (!X.fest && !KANN_MOGELN) mache_fest(zeigen);
  if (X.pc_raet && !KANN_RATEN) nimm_raten_zurueck(zeigen);
  if (KANN_MOGELN) pruefe_speicher_mogeln(n, l, wdh, zeigen);
  if (KANN_RATEN) pruefe_speicher_raten(l, e, leer_als_zeichen, zeigen);
  GOTOXY(wx, wy);
}

void CLEAR_NAME(namensfeld& name) {
  name[0] = ' ';
  name[32] = ' ';
  for (int i = 1; i <= 31; ++i) {
    char& c = name[i];
    if (static_cast<unsigned char>(c) < ' ' || static_cast<unsigned char>(c) > 126)
      c = ' ';
    else if (c == ':')
      c = '.';
    else if (c == '_')
      c = '-';
    else if (ist_gross(c))
      c = static_cast<char>(c - 'A' + 'a');
    else if (!(c == ' ' || c == '-' || c == '.' || ist_klein(c)))
      c = ' ';
  }
  for (int i = 1; i <= 31; ++i) {
    const char p = name[i - 1];
    char& c = name[i];
    if (ist_gross(p) && ist_trenner(c)) {
      // A one-letter word gets its dot in front of the separator.
      std::memmove(&name[i + 1], &name[i], static_cast<std::size_t>(31 - i));
      c = '.';
    } else if (p == '.' && c != '-') {
      c = ' ';
    } else if (ist_trenner(p) && ist_klein(c)) {
      c = static_cast<char>(c - 'a' + 'A');
    } else if (ist_trenner(p) && (c == ' ' || c == '.' || c == '-')) {
      for (int k = i - 1; k <= 31; ++k) name[k] = ' ';
      if (i - 1 == 0) name[0] = ' ';
      break;
    }
  }
  if (name[31] == '-') name[31] = ' ';
  if (name[30] == ' ' || name[30] == '-') name[30] = name[31] = ' ';
  name[0] = ' ';
  name[32] = ' ';
}

void NAMEOK(bool tausch) {
  CLEAR_NAME(X.name1);
  CLEAR_NAME(X.name2);
  if (tausch)
    for (int i = 1; i <= 31; ++i) {
      const char h = X.name1[i];
      X.name1[i] = X.name2[i];
      X.name2[i] = h;
    }
}

void SCHREIBE_NAME(bool erster, bool zweiter, bool tausch) {
  NAMEOK(tausch);
  if (erster) {
    GOTOXY(38, 23);
    WRITE(std::string_view(&X.name1[1], 31));
  }
  if (zweiter) {
    GOTOXY(38, 24);
    WRITE(std::string_view(&X.name2[1], 31));
  }
}

void SCHREIBE_PC(bool erster, bool zweiter) {
  const char* text = SP_D ? "*** Der Computer ***           " : "*** The computer ***           ";
  if (erster) {
    GOTOXY(38, 23);
    WRITE(text);
  }
  if (zweiter) {
    GOTOXY(38, 24);
    WRITE(text);
  }
}
