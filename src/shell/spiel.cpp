// The play loop: one game from the choice on the conditions form to the
// new-game question. Prepares the conditions and the engine, draws the board,
// asks for the trials, rolls the board on after the thirtieth trial, and ends
// with the solution, the number of trials and the question.
#include <cstring>
#include <string>

#include "console/console.h"
#include "engine/kvspiel.h"
#include "shell/kv.h"

namespace {

// ---- the computer as codebreaker

// The computer codebreaker's store for this game (the play loop calls
// INITFELD after it).
bool bereite_rechner_vor() {
  bool ok = false;
  INIT_RATEN(ok);
  return ok;
}

// One trial of the computer codebreaker at the cursor, with its answer.
void rechner_raet(code& versuch, std::uint8_t& p, std::uint8_t& z, unsigned char& taste) {
  RATE_CODE(versuch, p, z, taste);
}

// The opening pattern of the computer codebreaker as the 12 characters of
// the board's row 5.
std::string eroeffnungsmuster() {
  return INIT_MUSTER(X.laenge, MAXFARBE, X.wiederholung, X.leerzeichen);
}

// ---- turns

// One trial of the codebreaker on side c, at the cursor, into slot n of V30.
void zug(int c, int n, unsigned char& taste) {
  std::uint8_t p = 0, z = 0;
  code versuch;
  std::memset(versuch.z, ' ', sizeof versuch.z);
  if (X.pc_raet)
    rechner_raet(versuch, p, z, taste);
  else
    LESE_CODE(static_cast<std::uint8_t>(c), versuch, p, z, taste);
  V30[n].c = versuch;
  V30[n].p = p;
  V30[n].z = z;
}

// The trial number, right-aligned in three columns; from trial 1000 on with
// leading zeros.
void schreibe_nummer(int x, int y, int nummer) {
  GOTOXY(x, y);
  if (NUMMER >= 1000) {
    WRITE(static_cast<char>('0' + nummer / 100 % 10));
    WRITE(static_cast<char>('0' + nummer / 10 % 10));
    WRITE(static_cast<char>('0' + nummer % 10));
  } else {
    const std::string s = std::to_string(nummer);
    WRITE(std::string(3 - (s.size() < 3 ? s.size() : 3), ' ') + s);
  }
}

void setze_cursorvariablen(int x, int y) {
  WX = static_cast<std::uint16_t>(x);
  WY = static_cast<std::uint16_t>(y);
  K = static_cast<std::uint16_t>(y);
}

// The engine's flags for a new game.
void bereite_spiel_vor() {
  MAXFARBE = NRARRAY[static_cast<unsigned char>(X.letztes_zeichen)];
  if (X.laenge > MAXFARBE) X.wiederholung = 1;  // a code longer than the sign set repeats
  KORRIGIERE(MAXFARBE, X.laenge, X.wiederholung, X.leerzeichen, false, true);
  merke_leerzeichen = X.leerzeichen != 0;
  BEDINGUNGENSPEICHERN();
  // A computer codebreaker uses the vacant sign only with two signs and four
  // places or more; the user's own choice comes back at the end.
  if (X.pc_raet && (MAXFARBE > 2 || X.laenge < 4)) X.leerzeichen = 0;
  LEERZEICHEN = X.leerzeichen != 0;
  KENNEALLEFARBEN = !X.wiederholung && X.laenge == MAXFARBE;
  REIHENFOLGE();
  ZAHL_DER_STERNE = 0;
  STD_SPIEL_KL100 = STD_RATEN_KL100 = STD_ANTW_KL100 = ZEIT_GERATEN_KL100 = true;
  SETZE_RATE_ZEIT_AKT = NEUER_KANDIDAT = RATEN_ZEITANZEIGE = SETZEZEITLETZTERVERSUCH = false;
  max_versuche = WIEVIELE(X.laenge, MAXFARBE, X.wiederholung, X.leerzeichen);
  max_versuche_bekannt = max_versuche > 0;
  abbruch = false;
  if (!(X.fest && !X.pc_kodiert && !X.pc_raet)) std::memset(LOESUNG.z, ' ', sizeof LOESUNG.z);
}

// The engine's preparation for the roles; false = the game cannot be played.
bool bereite_engine_vor() {
  const bool sonderfall =
      X.laenge == 6 && (MAXFARBE == 6 || MAXFARBE == 27 || MAXFARBE == 31 || MAXFARBE == 36);
  const std::uint8_t wdh = X.wiederholung;
  bool ok = true;
  if (!X.fest && !X.pc_raet) {
    if (X.pc_kodiert && sonderfall) X.wiederholung = 0;
    INIT_NICHT_FEST(ok);
    X.wiederholung = wdh;
  } else if (X.pc_raet) {
    raten_spielbeginn(wdh);
    if (X.pc_kodiert && !X.fest && sonderfall) X.wiederholung = 0;
    ok = bereite_rechner_vor();
    X.wiederholung = wdh;
    INITFELD();
  }
  return ok;
}

// Trials 1..30 in the two columns; true = the game goes on with the rolling board.
bool erste_runde(int c_laenge) {
  for (int c = 1; c <= 2; ++c)
    for (int r = 1; r <= 15; ++r) {
      ++NUMMER;
      V30[NUMMER].nummer = static_cast<std::int16_t>(NUMMER);
      schreibe_nummer(X1[c], r + 8, NUMMER);
      setze_cursorvariablen(X2[c], r + 8);
      if (NUMMER == 2) {
        GOTOXY(32, 5);
        WRITE(std::string(11, ' '));
      }
      GOTOXY(X2[c], r + 8);
      unsigned char taste = 0;
      zug(c, NUMMER, taste);
      if (ist_abbruchtaste(taste)) {
        abbruch = true;
        return false;
      }
      if (V30[NUMMER].p == c_laenge) return false;
    }
  return true;
}

// Trial 31 and later: the board shows the last 30, the newest at the bottom
// of the right column.
void rollende_runde(int c_laenge) {
  WEITER = true;
  while (WEITER) {
    NUMMER = NUMMER == 2147483647 ? 2147482648 : NUMMER + 1;
    L = static_cast<std::uint8_t>(L % 30 + 1);
    V30[L].nummer = static_cast<std::int16_t>(NUMMER % 1000);
    for (int c = 1; c <= 2; ++c)
      for (int r = 1; r <= 15; ++r) {
        const versuch& v = V30[((c - 1) * 15 + r + L - 1) % 30 + 1];
        schreibe_nummer(X1[c], r + 8, v.nummer);
        if (c == 2 && r == 15) continue;
        GOTOXY(X2[c], r + 8);
        WRITE(std::string_view(v.c.z, static_cast<std::size_t>(c_laenge)));
        GOTOXY(X3[c], r + 8);
        WRITE(static_cast<char>('0' + v.p));
        GOTOXY(X4[c], r + 8);
        WRITE(static_cast<char>('0' + v.z));
      }
    GOTOXY(X2[2], 23);
    WRITE(std::string(static_cast<std::size_t>(c_laenge), X.pc_raet ? ' ' : '.'));
    GOTOXY(76, 23);
    WRITE(" | ");
    setze_cursorvariablen(X2[2], 23);
    GOTOXY(X2[2], 23);
    unsigned char taste = 0;
    zug(2, L, taste);
    if (ist_abbruchtaste(taste)) {
      abbruch = true;
      return;
    }
    WEITER = V30[L].p < c_laenge;
  }
}

// The end line and the new-game question; true = another game. When the
// computer guessed, or the variable code's list could not be built, the end
// line's labels are written here (otherwise the trial entry wrote them).
bool spielende(bool ohne_endzeile) {
  const bool d = DEUTSCH;
  X.leerzeichen = merke_leerzeichen ? 1 : 0;
  if (X.pc_raet || ohne_endzeile) {
    GOTOXY(1, 25);
    WRITE(d ? "Loesung: " : "Answer: ");
    GOTOXY(24, 25);
    WRITE(d ? "Benoetigte Versuche: " : "        Trials made:");
    GOTOXY(57, 25);
    WRITE(d ? "Neues Spiel? Ja.       " : "   New game? Yes.      ");
    GOTOXY(9, 25);
    WRITE(std::string(15, ' '));
    GOTOXY(44, 25);
    WRITE(std::string(13, ' '));
  }
  GOTOXY(3, 19);
  WRITE(d ? "Spielende " : "Game end ");
  if (LOESUNG[1] != ' ') {
    GOTOXY(10, 25);
    WRITE(std::string_view(LOESUNG.z, X.laenge));
  }
  if (!abbruch) {
    GOTOXY(45, 25);
    WRITE(NUMMER);
  }
  GOTOXY(70, 25);
  OK = true;
  name1_bestaetigt = true;
  SCHREIBE_ZEIT_ORB();
  ZEITEIN = false;
  SPEICHER_FREIGEBEN(true);  // nothing of this game stays allocated
  for (;;) {
    const unsigned char t = READKEY();
    if (t == TASTE_ERWEITERT) {
      READKEY();
      continue;
    }
    if (ist_abbruchtaste(t) || t == 'n' || t == 'N') return false;
    if (t == TASTE_ENTER || t == 'j' || t == 'J' || t == 'y' || t == 'Y' || t == 'z' || t == 'Z')
      return true;
  }
}

}  // namespace

void ziehe_geheimcode() {
  const int c = X.laenge;
  const int n = MAXFARBE;
  if (c > n || (X.wiederholung && (c == 2 || Random(2) == 0))) {
    for (int i = 1; i <= c; ++i)
      LOESUNG[i] = FARBARRAY[static_cast<int>(Random(static_cast<std::uint32_t>(n))) + 1];
  } else {
    std::uint8_t urne[37];
    for (int s = 1; s <= n; ++s) urne[s] = static_cast<std::uint8_t>(s);
    for (int i = 1; i <= c; ++i) {
      const int r = static_cast<int>(Random(static_cast<std::uint32_t>(n + 1 - i))) + 1;
      LOESUNG[i] = FARBARRAY[urne[r]];
      for (int k = r; k < n + 1 - i; ++k) urne[k] = urne[k + 1];
    }
  }
  for (int i = c + 1; i <= 9; ++i) LOESUNG[i] = ' ';
}

bool spiele_partie() {
  leere_seite();
  bereite_spiel_vor();
  const int c_laenge = X.laenge;

  muster_text = eroeffnungsmuster();
  X2 = {{static_cast<std::uint16_t>((101 - c_laenge) / 2),
         static_cast<std::uint16_t>((141 - c_laenge) / 2)}};
  zeichne_brett();
  GOTOXY(X2[1], 9);
  if (!X.pc_raet) {
    WRITE(std::string(static_cast<std::size_t>(c_laenge), '.'));
    GOTOXY(X2[1], 9);
  }

  if (X.pc_kodiert && X.fest) ziehe_geheimcode();

  NUMMER = 0;
  L = 0;
  NEUER_KANDIDAT = true;
  RATENDRAN = X.pc_raet != 0;
  RATENDRAN_ALT = RATENDRAN;
  uhren_starten();
  schreibe_spielbeginn(JAHR, MONAT, TAG, WOTAG, STD, MIN, SEK);
  ZEITEIN = true;
  GOTOXY(X2[1], 9);

  bool ohne_endzeile = false;
  if (!bereite_engine_vor()) {
    abbruch = true;
    ohne_endzeile = !X.fest;
  } else {
    if (X.fest && (X.pc_kodiert || !X.pc_raet)) zaehle_loesungsfarben();
    if (X.ton && !X.pc_raet) {
      SOUND(ton_hoehe);
      DELAY(ton_dauer);
      NOSOUND();
    }
    if (erste_runde(c_laenge)) rollende_runde(c_laenge);
  }
  return spielende(ohne_endzeile);
}
