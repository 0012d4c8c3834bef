// Keyboard input of the engine: the yes/no fields and the sign range of the
// conditions form, the secret code typed by a human encoder, and the trials
// of a human codebreaker with their answer. Every routine reads single keys,
// draws what it accepted, and hands back the last key for the caller.
#include <cstring>
#include <optional>
#include <string>

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {

unsigned char klein(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

bool ist_zeichen(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
}

// The number of a sign of the game's set, 0 for every other character.
int zeichennummer(unsigned char c) {
  if (!ist_zeichen(c)) return 0;
  const int n = NRARRAY[c];
  return n >= 1 && n <= MAXFARBE ? n : 0;
}

// A complete trial as typed: its characters ("*" for the vacant sign), their
// sign numbers (0 for the vacant sign) and the count of every sign number.
struct VersuchsEingabe {
  int laenge;
  code zeichen;
  zahlenfeld nummern;
  farbfeld anzahl;
};

// The answer to a trial against a code that may still change (the encoder's
// answer step). Leaves P and T (common signs) for the common end of
// LESE_CODE and returns false, or returns true when the trial was abandoned
// (taste = TASTE_ESC). `geschrieben` tells the common end that the answer is
// already on the board.
bool antwort_variabel(const VersuchsEingabe& v, std::uint8_t& p, std::uint8_t& t, bool& geschrieben,
                      unsigned char& taste) {
  std::uint8_t z = 0;
  geschrieben = antwort_nicht_fest(v.zeichen, v.nummern, X3I, X4I, K, p, z, taste);
  t = static_cast<std::uint8_t>(p + z);
  return taste == TASTE_ESC;
}

}  // namespace

unsigned char warte_auf_taste() {
  for (;;) {
    SCHREIBE_ZEIT_ORB();
    if (KEYPRESSED()) break;
    DELAY(ABFRAGE_PAUSE_MS);
  }
  return READKEY();
}

void signalton() {
  if (!X.ton) return;
  SOUND(ton_hoehe);
  DELAY(ton_dauer);
  NOSOUND();
}

unsigned char taste_abfragen() {
  if (!KEYPRESSED()) return TASTE_ERWEITERT;
  const unsigned char k = READKEY();
  if (k == TASTE_ERWEITERT) READKEY();
  return k;
}

bool abbruch_abfragen() {
  return ist_abbruchtaste(taste_abfragen());
}

namespace {

// The next key with the clocks running; an extended key counts as 0.
unsigned char antworttaste() {
  const unsigned char k = warte_auf_taste();
  if (k == TASTE_ERWEITERT) READKEY();
  return k;
}

// Whether some answer with q positions is still possible.
bool p_moeglich(const bool (&moeglich)[10][10], int l, int q) {
  for (int s = q; s <= l; ++s)
    if (moeglich[s][q]) return true;
  return false;
}

// The number of possible P values in zahl, and the largest of them.
int einzig_moegliches_p(const bool (&moeglich)[10][10], int l, int& zahl) {
  int einziges = -1;
  zahl = 0;
  for (int q = 0; q <= l; ++q)
    if (p_moeglich(moeglich, l, q)) {
      einziges = q;
      ++zahl;
    }
  return einziges;
}

// P typed: a digit of a possible answer; nothing on Esc or Ctrl-C.
std::optional<int> tippe_p(const bool (&moeglich)[10][10], int l) {
  for (;;) {
    const unsigned char k = antworttaste();
    if (ist_abbruchtaste(k)) return std::nullopt;
    if (k < '0' || k - '0' > l) continue;
    if (p_moeglich(moeglich, l, k - '0')) return k - '0';
  }
}

enum class ZEingabe { fertig, zurueck, abbruch };

// Z after P, written at the cursor: forced when P leaves a single T (always
// from P = L - 1 on), else typed; Backspace goes back to a typed P.
ZEingabe tippe_z(const bool (&moeglich)[10][10], int l, std::uint8_t p, bool p_getippt,
                 std::uint8_t& t) {
  int einziges_t = -1, zahl_t = 0;
  for (int s = p; s <= l; ++s)
    if (moeglich[s][p]) {
      einziges_t = s;
      ++zahl_t;
    }
  if (p >= l - 1 || zahl_t <= 1) {
    t = static_cast<std::uint8_t>(p >= l - 1 || einziges_t < 0 ? p : einziges_t);
    WRITE(static_cast<char>('0' + (t - p)));
    return ZEingabe::fertig;
  }
  for (;;) {
    const unsigned char k = antworttaste();
    if (ist_abbruchtaste(k)) return ZEingabe::abbruch;
    if (k == TASTE_BACKSPACE && p_getippt) return ZEingabe::zurueck;
    if (k < '0' || k > '9') continue;
    const int z = k - '0';
    if (z > l - p || !moeglich[p + z][p]) continue;
    t = static_cast<std::uint8_t>(p + z);
    WRITE(static_cast<char>(k));
    return ZEingabe::fertig;
  }
}

}  // namespace

bool lies_menschliche_antwort(const bool (&moeglich)[10][10], int x3, int x4, int y,
                              std::uint8_t& p, std::uint8_t& t) {
  const int l = X.laenge;
  int zahl_p = 0;
  const int einziges_p = einzig_moegliches_p(moeglich, l, zahl_p);
  const bool p_getippt = zahl_p != 1;
  for (;;) {
    GOTOXY(x3, y);
    if (p_getippt) {
      const auto getippt = tippe_p(moeglich, l);
      if (!getippt) return false;
      p = static_cast<std::uint8_t>(*getippt);
    } else {
      p = static_cast<std::uint8_t>(einziges_p);
    }
    WRITE(static_cast<char>('0' + p));
    GOTOXY(x4, y);
    switch (tippe_z(moeglich, l, p, p_getippt, t)) {
      case ZEingabe::fertig:
        return true;
      case ZEingabe::abbruch:
        return false;
      case ZEingabe::zurueck:  // P is typed again
        GOTOXY(x3, y);
        WRITE(' ');
        break;
    }
  }
}

void JA_NEIN(unsigned char& taste, std::uint8_t& flag, bool& geaendert) {
  geaendert = false;
  for (;;) {
    taste = warte_auf_taste();
    if (taste == TASTE_ERWEITERT) {
      READKEY();
      continue;
    }
    if (taste == 'y' || taste == 'Y' || taste == 'J' || taste == 'z' || taste == 'Z') taste = 'j';
    if (taste == 'N') taste = 'n';
    if (taste == TASTE_BACKSPACE || taste == TASTE_ENTER || taste == 'j' || taste == 'n' ||
        ist_abbruchtaste(taste))
      break;
  }
  A = taste;
  if (taste == 'n' && flag) {
    flag = 0;
    geaendert = true;
    GOTOXY(WXX, WYY);
    WRITE(ja_nein_formular(false));
  } else if (taste == 'j' && !flag) {
    flag = 1;
    geaendert = true;
    GOTOXY(WXX, WYY);
    WRITE(ja_nein_formular(true));
  }
  GOTOXY(WXX, WYY);
}

void LESE_ZEICHEN(char verboten) {
  const bool erstes = verboten == '*';
  unsigned char t;
  for (;;) {
    t = warte_auf_taste();
    if (t == TASTE_ERWEITERT) {
      READKEY();
      continue;
    }
    if (t == TASTE_BACKSPACE || t == TASTE_ENTER || ist_abbruchtaste(t)) {
      A = t;
      return;
    }
    t = klein(t);
    if (!ist_zeichen(t) || (!erstes && t == static_cast<unsigned char>(verboten))) continue;
    break;
  }
  A = t;
  const char neu = static_cast<char>(t);
  if (neu == (erstes ? X.erstes_zeichen : X.letztes_zeichen)) return;

  if (!erstes) {
    const int n = NRARRAY[t];
    const int m = NRARRAY[static_cast<unsigned char>(X.letztes_zeichen)];
    GOTOXY(30, 14);
    WRITE(neu);
    if (n > m) {
      GOTOXY(30 + m, 15);
      for (int i = m + 1; i <= n; ++i) WRITE(FARBARRAY[i]);
    } else {
      GOTOXY(30 + n, 15);
      WRITE(std::string(static_cast<std::size_t>(m - n), ' '));
    }
    X.letztes_zeichen = neu;
    MAXFARBE = static_cast<std::uint8_t>(n);
    return;
  }

  // A new first sign moves the whole range: the number of signs stays.
  const std::uint8_t anzahl = MAXFARBE;
  X.erstes_zeichen = neu;
  setze_zeichensatz();
  MAXFARBE = anzahl;
  X.letztes_zeichen = FARBARRAY[MAXFARBE];
  GOTOXY(30, 13);
  WRITE(X.erstes_zeichen);
  GOTOXY(30, 14);
  WRITE(X.letztes_zeichen);
  GOTOXY(30, 15);
  for (int i = 1; i <= MAXFARBE; ++i) WRITE(FARBARRAY[i]);
}

void LESE_LSG(code& loesung, unsigned char& taste) {
  const int l = X.laenge;
  // Without repetition over exactly L signs the last sign follows from the others.
  const bool letztes_folgt = l == MAXFARBE && !X.wiederholung;
  const int anzahl = letztes_folgt ? l - 1 : l;
  int pos = 1;
  if (ZURUECK) {
    pos = anzahl;
    GOTOXY(45 + anzahl, 18);
    WRITE(letztes_folgt ? "..\b\b" : ".\b");
  }
  taste = 0;
  while (pos <= anzahl) {
    unsigned char t = warte_auf_taste();
    if (ist_abbruchtaste(t)) {
      taste = A = t;
      return;
    }
    if (t == TASTE_ERWEITERT) {
      READKEY();
      continue;
    }
    if (t == TASTE_BACKSPACE) {
      if (pos == 1) {
        taste = A = TASTE_BACKSPACE;
        return;
      }
      --pos;
      WRITE("\b.\b");
      continue;
    }
    t = klein(t);
    if (!zeichennummer(t)) continue;
    bool schon_da = false;
    if (!X.wiederholung)
      for (int i = 1; i < pos; ++i)
        if (loesung[i] == static_cast<char>(t)) schon_da = true;
    if (schon_da) continue;
    loesung[pos] = static_cast<char>(t);
    WRITE(static_cast<char>(t));
    taste = t;
    ++pos;
  }
  if (letztes_folgt) {
    int k = 1;
    for (int i = 1; i < l; ++i)
      if (loesung[i] == FARBARRAY[k]) {
        ++k;
        i = 0;  // the scan starts again with the next sign
      }
    loesung[l] = FARBARRAY[k];
    WRITE(loesung[l]);
    taste = static_cast<unsigned char>(loesung[l]);
  }
  for (int i = l + 1; i <= 9; ++i) loesung[i] = ' ';
  A = taste;
}

namespace {

// The trial field on the board: dots from the second trial on, the cursor on
// its first position.
void zeige_leeren_versuch(int l) {
  WXMINUS1 = static_cast<std::uint16_t>(WX - 1);
  if (NUMMER > 1) {
    GOTOXY(WX, WY);
    WRITE(std::string(static_cast<std::size_t>(l), '.'));
  }
  GOTOXY(WX, WY);
}

// The positions of a trial being typed: the cursor, which positions are
// still blank, and how many of them.
struct Versuchszeile {
  VersuchsEingabe& v;
  int pos = 1;
  int offen;
  bool leer[10] = {false, true, true, true, true, true, true, true, true, true};

  explicit Versuchszeile(VersuchsEingabe& eingabe) : v(eingabe), offen(eingabe.laenge) {}

  // The position at the cursor: its character and number, or blank again.
  void setze(char c, int nummer, bool blank) {
    WRITE(c);
    v.zeichen[pos] = c;
    v.nummern[pos] = static_cast<std::uint8_t>(nummer);
    if (leer[pos] != blank) offen += blank ? 1 : -1;
    leer[pos] = blank;
  }
  // The cursor moves; it wraps round at both ends of the trial.
  void bewege(int schritt) {
    pos += schritt;
    if (pos < 1) pos = v.laenge;
    if (pos > v.laenge) pos = 1;
    GOTOXY(WXMINUS1 + pos, WY);
  }
  void loesche(int schritt) {
    setze('.', 0, true);
    bewege(schritt);
  }
  // One key of the trial (not Esc or Ctrl-C); a sign is folded to lower case.
  void taste(unsigned char& t) {
    if (t == TASTE_ERWEITERT) {
      const unsigned char zweit = READKEY();
      if (ist_eine_von(zweit, FORMEN_LEFT))
        bewege(-1);
      else if (ist_eine_von(zweit, FORMEN_RIGHT))
        bewege(1);
      else if (ist_eine_von(zweit, FORMEN_DEL))
        loesche(1);
    } else if (t == TASTE_ENTER) {
      bewege(1);
    } else if (t == TASTE_BACKSPACE) {
      loesche(-1);
    } else if (t == ',' || t == TASTE_DEL_BYTE) {
      loesche(1);
    } else if (t == ' ' || t == '*' || t == '+' || t == '~') {
      if (!X.leerzeichen) return;
      setze('*', 0, false);
      bewege(1);
    } else {
      t = klein(t);
      const int n = zeichennummer(t);
      if (!n) return;
      setze(static_cast<char>(t), n, false);
      bewege(1);
    }
  }
};

// Reads keys until no position is blank, or until Esc or Ctrl-C; returns the
// last key.
unsigned char tippe_versuch(VersuchsEingabe& v) {
  Versuchszeile zeile(v);
  unsigned char t = 0;
  while (zeile.offen > 0) {
    t = warte_auf_taste();
    if (ist_abbruchtaste(t)) return t;
    zeile.taste(t);
  }
  return t;
}

// The trial is given up: the clocks stop and the stores are released.
void gib_versuch_auf() {
  RATENDRAN = false;
  SPEICHER_FREIGEBEN(true);
  ZEITEIN = false;
}

// The P and Z/S cells of the trial's row on its side; the cursor on P.
void setze_antwortzellen(std::uint8_t seite) {
  X3I = X3[seite];
  X4I = X4[seite];
  X3IMINUS1 = static_cast<std::uint16_t>(X3I - 1);
  WOP = static_cast<std::uint16_t>((K - 1) * 160 + X3IMINUS1 * 2);
  WOZ = static_cast<std::uint16_t>(WOP + 4);
  GOTOXY(X3I, K);
}

// P and the common signs of the trial against the fixed code.
void bewerte_gegen_loesung(const VersuchsEingabe& v, std::uint8_t& p, std::uint8_t& gemeinsam) {
  p = 0;
  for (int i = 1; i <= v.laenge; ++i)
    if (v.zeichen[i] == LOESUNG[i]) ++p;
  int summe = 0;
  for (int s = 1; s <= MAXFARBE; ++s)
    summe += LOESUNGSFARBEN[s] < v.anzahl[s] ? LOESUNGSFARBEN[s] : v.anzahl[s];
  gemeinsam = static_cast<std::uint8_t>(summe);
}

}  // namespace

void LESE_CODE(std::uint8_t seite, code& versuch, std::uint8_t& p, std::uint8_t& z,
               unsigned char& taste) {
  const int l = X.laenge;
  zeige_leeren_versuch(l);
  VersuchsEingabe v{};
  v.laenge = l;
  std::memset(v.zeichen.z, ' ', sizeof v.zeichen.z);
  RATENDRAN = true;
  const unsigned char t = tippe_versuch(v);
  if (ist_abbruchtaste(t)) {
    taste = A = TASTE_ESC;
    gib_versuch_auf();
    return;
  }
  RATENDRAN = false;
  setze_antwortzellen(seite);
  for (int i = 1; i <= l; ++i)
    if (v.nummern[i]) ++v.anzahl[v.nummern[i]];
  versuch = v.zeichen;

  std::uint8_t gemeinsam = 0;
  bool geschrieben = false;
  taste = A = t;
  if (X.fest)
    bewerte_gegen_loesung(v, p, gemeinsam);
  else if (antwort_variabel(v, p, gemeinsam, geschrieben, taste))
    return;
  z = static_cast<std::uint8_t>(gemeinsam - p);
  if (!geschrieben) {
    WRITE(p);
    GOTOXY(X4I, K);
    WRITE(z);
  }
  if (p == l) {
    if (!X.fest) SPEICHER_FREIGEBEN(true);
    ZEITEIN = false;
  }
}
