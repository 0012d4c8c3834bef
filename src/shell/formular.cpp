// The conditions form: its screen, the entry of the players' names, the
// choice prompt with the rematch, and the walk through the editable fields.
// Every edit goes straight into X and is shown at once.
#include <iterator>
#include <optional>
#include <string>

#include "console/console.h"
#include "engine/kvspiel.h"
#include "shell/kv.h"

namespace {

const char* const COMPUTER_D = "*** Der Computer ***           ";
const char* const COMPUTER_E = "*** The computer ***           ";

std::string links_wert(std::string label, const std::string& wert) {
  label.resize(28, ' ');
  return label + wert;
}

// One framed row: "|" at columns 1 and 80, the left part from column 2, the
// right part (when given) from column 37.
void zeile(int y, std::string links, const std::string& rechts = "") {
  if (!rechts.empty()) {
    links.resize(35, ' ');
    links += rechts;
  }
  links.resize(78, ' ');
  GOTOXY(1, y);
  WRITE("|" + links + "|");
}

std::string name_text(const namensfeld& name) {
  return std::string(&name[1], 31);
}

// What a player's slot shows: the computer text or the name.
std::string slot_text(int welcher) {
  const bool computer = welcher == 1 ? X.pc_kodiert : X.pc_raet;
  if (computer) return DEUTSCH ? COMPUTER_D : COMPUTER_E;
  return name_text(welcher == 1 ? X.name1 : X.name2);
}

void schreibe_slot(int welcher) {
  GOTOXY(38, 22 + welcher);
  WRITE(slot_text(welcher));
}

std::string zeichensatz_text() {
  std::string s;
  for (int i = 1; i <= MAXFARBE; ++i) s += FARBARRAY[i];
  return s;
}

std::string loesungsfeld_punkte() {
  std::string s(static_cast<std::size_t>(X.laenge), '.');
  s.resize(9, ' ');
  return s;
}

void punkte_ins_loesungsfeld() {
  GOTOXY(46, 18);
  WRITE(loesungsfeld_punkte());
}

bool mensch_gegen_mensch_fest() {
  return X.fest && !X.pc_kodiert && !X.pc_raet;
}

void korrigiere_mit_anzeige() {
  KORRIGIERE(MAXFARBE, X.laenge, X.wiederholung, X.leerzeichen, true, false);
}

// The conditions made consistent as the loading rules make them: a code
// longer than the sign set needs repetition. Shown on the form.
void mache_stimmig() {
  if (X.laenge > MAXFARBE && !X.wiederholung) {
    X.wiederholung = 1;
    GOTOXY(30, 17);
    WRITE(ja_nein_formular(true));
  }
  korrigiere_mit_anzeige();
}

void zeitlimit_ableiten() {
  ZEITLIMIT = X.zeitlimit * 1000u;
  ZEITLIMIT99 = ZEITLIMIT + 99;
  ZEITLIMIT_DIV_10 = X.zeitlimit * 100u;
}

bool ist_buchstabe(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool ist_trenner(char c) {
  return c == ' ' || c == '-';
}
char gross(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char klein(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Rows 1 to 9: the title with the memory budget, the rules of the signs and
// the capacity table.
void schreibe_formularkopf() {
  const bool d = DEUTSCH;
  GOTOXY(1, 1);
  WRITE(" " + std::string(78, '_') + " ");
  std::string titel(31, ' ');
  titel += "Korvando";
  titel.resize(67, ' ');
  zeile(2, titel + "|");
  GOTOXY(70, 2);
  TEXTATTR = HERVORHEBUNGSFARBE;
  WRITE(SPEICHERTEXT[SPEICHERWAHL >= 1 && SPEICHERWAHL <= 8 ? SPEICHERWAHL : 8]);
  TEXTATTR = STANDARDFARBE;
  GOTOXY(1, 3);
  WRITE("|" + std::string(78, '*') + "|");
  zeile(4, d ? " 2 - 9  Zeichen mit/ohne Wiederholungsmoeglichkeit."
             : " 2 - 9  signs with/without the possibility of repetitions.");
  zeile(5, d ? " Zur Verfuegung stehender Zeichensatz: a,..,z,0,..,9."
             : " You can choose from the following signs: a,..,z,0,..,9.");
  zeile(6, d ? " Der Computer kann hoechstens folgende Codes erraten:"
             : " The computer at most can guess one of the following codes:");
  std::string koepfe = d ? " Laenge des Codes" : " Length of the code";
  koepfe.resize(34, ' ');
  for (int l = 2; l <= 9; ++l) koepfe += std::string(l > 2 ? 4 : 0, ' ') + char('0' + l);
  zeile(7, koepfe);
  zeile(8, d ? " Groesse des Zeichensatzes:" : " Max. number of allowed signs:");
  schreibe_kapazitaet();
  GOTOXY(1, 9);
  WRITE("|" + std::string(78, '_') + "|");
}

// Rows 10 to 19: every condition of X with its value.
void schreibe_bedingungen() {
  const bool d = DEUTSCH;
  const std::string zeit(1, static_cast<char>('0' + X.zeitlimit % 10));
  zeile(10, d ? " Gewuenschte Spielbedingungen:" : " Please choose now:",
        d ? " Zeitbegrenzung (nur fuer den PC):" + zeit + "0 Sek."
          : " Timelimit (only for computer): " + zeit + "0 sec.");
  zeile(11, "",
        d ? " (00 Sek. bedeutet keine Zeitbegrenzung.) " : " (00 sec. means no timelimit.)");
  zeile(12, links_wert(d ? " Ton              :" : " Sound             :",
                       ja_nein_formular(X.ton == 1)));
  zeile(13,
        links_wert(d ? " Kleinstes Zeichen:" : " First sign        :",
                   std::string(1, X.erstes_zeichen)),
        std::string(d ? " Soll der PC raten? " : " Shall the computer guess? ") +
            ja_nein_formular(X.pc_raet == 1));
  zeile(14, links_wert(d ? " Groesstes Zeichen:" : " Last  sign        :",
                       std::string(1, X.letztes_zeichen)));
  zeile(15, links_wert(d ? " Zeichensatz      :" : " Set of signs      :", zeichensatz_text()));
  zeile(16, links_wert(d ? " Laenge des Codes :" : " Length of the code:",
                       std::string(1, static_cast<char>('0' + X.laenge))));
  zeile(17,
        links_wert(d ? " Wiederholung von Zeichen?" : " Repetitions of signs?",
                   ja_nein_formular(X.wiederholung == 1)),
        std::string(d ? " Soll der PC eine Loesung vorgeben? "
                      : " Shall the computer ask a riddle? ") +
            ja_nein_formular(X.pc_kodiert == 1));
  zeile(18,
        links_wert(d ? " Sind Leerzeichen erlaubt?" : " Are vacant signs allowed?",
                   ja_nein_formular(X.leerzeichen == 1)),
        std::string(d ? " Loesung " : " Answer: ") + loesungsfeld_punkte());
  zeile(19, links_wert(d ? " Ist die Loesung fest?" : " Is the answer fixed?",
                       ja_nein_formular(X.fest == 1)));
}

// Rows 20 to 25: the choice prompt and the two players.
void schreibe_auswahl_und_spieler() {
  const bool d = DEUTSCH;
  zeile(20, "",
        d ? " Bitte waehlen Sie (1, 2, 3 oder 4): 1." : " Please choose now (1, 2, 3 or 4):  1.");
  zeile(21, d ? "  1.: Spiel zu diesen Bed. -  2.: Revanche -  3.: Bed. aendern -  4.: Ende."
              : "  1: Game on these conditions -  2: Rematch -  3: Change conditons -  4: End.");
  GOTOXY(1, 22);
  WRITE("|" + std::string(78, '_') + "|");
  const char* ok = d ? " O.K.? Ja." : " O.K.? Yes";
  zeile(23, (d ? " 1. Spieler,denkt sich Raetsel aus: " : " 1st player,who devises the riddle: ") +
                slot_text(1) + ok);
  zeile(24, (d ? " 2. Spieler,knackt den Code       : " : " 2nd player,who cracks the code   : ") +
                slot_text(2) + ok);
  GOTOXY(1, 25);
  WRITE("|" + std::string(78, '_'));
}

// Ctrl-C while a name is typed: the entry ends with this code.
constexpr unsigned char NAME_ABGEBROCHEN = 2;

// Typing a name in its slot on row y: pos is the next free element.
struct Namenseingabe {
  namensfeld& name;
  int y;
  int& pos;

  char vorher() const { return pos > 1 ? name[pos - 1] : ' '; }
  bool wortanfang() const { return pos == 1 || ist_trenner(vorher()); }
  void setze(char c) {
    if (pos > 31) return;
    name[pos] = c;
    GOTOXY(37 + pos, y);
    WRITE(c);
    ++pos;
  }
  // The character before the cursor blanked; the cursor on it.
  void loesche_zurueck() {
    --pos;
    setze(' ');
    --pos;
  }
  // PUNKT: a word of a single letter gets its dot when the word ends.
  void punkt() {
    if (pos >= 2 && ist_buchstabe(name[pos - 1]) && (pos == 2 || ist_trenner(name[pos - 2])))
      setze('.');
  }
  // One typed character: a letter in the case its place asks for, a
  // separator, or the dot of a word. False when the key changed nothing or
  // only replaced the separator before it.
  bool tippe(char c) {
    if (c == '_') c = '-';
    if (c == ':') c = '.';
    if (ist_buchstabe(c)) {
      setze(wortanfang() ? gross(c) : klein(c));
    } else if (ist_trenner(c)) {
      if (pos == 1) return false;
      if (ist_trenner(vorher())) {  // a second separator replaces the first
        --pos;
        setze(c);
        return false;
      }
      punkt();
      setze(c);
    } else if (c == '.' && ist_buchstabe(vorher()) && !wortanfang()) {
      setze('.');
      setze(' ');
    } else {
      return false;
    }
    return true;
  }
};

// Typing a name from position pos on (the next free element). Returns the
// key that ended it: Enter (also when the name is full), Esc, Backspace at
// the first position, or NAME_ABGEBROCHEN for Ctrl-C.
unsigned char tippe_namen(namensfeld& name, int y, int& pos) {
  Namenseingabe e{name, y, pos};
  for (;;) {
    GOTOXY(37 + pos, y);
    const unsigned char t = warte_auf_taste();
    if (t == TASTE_ERWEITERT) {
      READKEY();
    } else if (t == TASTE_ENTER || ist_abbruchtaste(t)) {
      if (pos > 1 && name[pos - 1] == '-') e.loesche_zurueck();
      return t == TASTE_CTRL_C ? NAME_ABGEBROCHEN : t;
    } else if (t == TASTE_BACKSPACE) {
      if (pos == 1) return TASTE_BACKSPACE;
      e.loesche_zurueck();
    } else if (e.tippe(static_cast<char>(t)) && pos > 31) {
      return TASTE_ENTER;  // the name is full
    }
  }
}

// How the player answered "O.K.?" behind a name.
enum class Bestaetigung { ja, nein, aendern, zurueck, abbruch };

Bestaetigung bestaetigung(int y) {
  GOTOXY(76, y);
  for (;;) {
    const unsigned char t = warte_auf_taste();
    if (t == TASTE_ERWEITERT) {
      READKEY();
      continue;
    }
    if (t == 'y' || t == 'Y' || t == 'j' || t == 'J' || t == 'z' || t == 'Z' || t == TASTE_ENTER)
      return Bestaetigung::ja;
    if (t == 'n' || t == 'N') return Bestaetigung::nein;
    if (t == TASTE_BACKSPACE) return Bestaetigung::aendern;
    if (t == TASTE_ESC) return Bestaetigung::zurueck;
    if (t == TASTE_CTRL_C) return Bestaetigung::abbruch;
  }
}

void loesche_namen(namensfeld& name, int y) {
  for (int i = 1; i <= 31; ++i) name[i] = ' ';
  GOTOXY(38, y);
  WRITE(std::string(31, ' '));
}

// The name opened again for typing: the position behind its last character
// (the dot of a closing one-letter word is taken back).
int oeffne_namen(namensfeld& name, int y) {
  int e = 31;
  while (e >= 1 && name[e] == ' ') --e;
  if (e >= 2 && name[e] == '.' && ist_buchstabe(name[e - 1]) &&
      (e == 2 || ist_trenner(name[e - 2]))) {
    name[e] = ' ';
    GOTOXY(37 + e, y);
    WRITE(' ');
    --e;
  }
  int pos = e + 1;
  if (e >= 1 && e < 31 && name[e] == '.') ++pos;  // the word ended with its dot
  return pos;
}

}  // namespace

void BILDSCHIRM() {
  leere_seite();
  schreibe_formularkopf();
  schreibe_bedingungen();
  schreibe_auswahl_und_spieler();
}

void LESE_NAMEN(std::uint8_t welcher, namensfeld& name, unsigned char& taste) {
  const int y = 22 + welcher;
  CLEAR_NAME(name);
  schreibe_slot(welcher);
  schreibe_slot(3 - welcher);
  taste = ' ';
  int pos = 1;
  bool tippen = name[1] == ' ';
  for (;;) {
    if (tippen) {
      taste = tippe_namen(name, y, pos);
      CLEAR_NAME(name);
      GOTOXY(38, y);
      WRITE(name_text(name));
      if (taste == TASTE_BACKSPACE || taste == NAME_ABGEBROCHEN) return;
    }
    switch (bestaetigung(y)) {
      case Bestaetigung::ja:
        taste = 'j';
        return;
      case Bestaetigung::nein:
        loesche_namen(name, y);
        pos = 1;
        break;
      case Bestaetigung::aendern:
        pos = oeffne_namen(name, y);
        break;
      case Bestaetigung::zurueck:
        taste = TASTE_BACKSPACE;
        return;
      case Bestaetigung::abbruch:
        taste = TASTE_ESC;
        return;
    }
    tippen = true;
  }
}

namespace {

enum class Weiter { AUSWAHL, MENUE };

// The editable fields of the form in the order of the walk; vor_dem_ersten
// and fertig lie outside it.
enum class Feld {
  vor_dem_ersten,
  zeitlimit,
  ton,
  kleinstes_zeichen,
  groesstes_zeichen,
  laenge,
  wiederholung,
  leerzeichen,
  fester_code,
  pc_raet,
  name2,
  pc_kodiert,
  name1,
  loesung,
  fertig
};

Feld naechstes(Feld f) {
  return static_cast<Feld>(static_cast<int>(f) + 1);
}
Feld voriges(Feld f) {
  return static_cast<Feld>(static_cast<int>(f) - 1);
}

// Where the walk stands, and whether it got there backwards (a field that
// does not apply is then skipped towards the start).
struct Weg {
  Feld feld;
  bool rueckwaerts = false;
  bool lsg_zurueck = false;  // the secret code is entered backwards from the choice prompt

  void vor(Feld f) {
    feld = f;
    rueckwaerts = false;
  }
  void zurueck(Feld f) {
    feld = f;
    rueckwaerts = true;
  }
  void ueberspringen() { feld = rueckwaerts ? voriges(feld) : naechstes(feld); }
  // The way on after a field's key: Ctrl-C leaves to the menu, Esc starts
  // the walk again, Backspace goes back to `davor`, any other key on.
  std::optional<Weiter> folge(unsigned char t, Feld davor) {
    if (t == TASTE_CTRL_C) return Weiter::MENUE;
    if (t == TASTE_ESC)
      vor(Feld::zeitlimit);
    else if (t == TASTE_BACKSPACE)
      zurueck(davor);
    else
      vor(naechstes(feld));
    return std::nullopt;
  }
};

// True for the keys that go on from a field (not Backspace, Esc or Ctrl-C).
bool geht_weiter(unsigned char t) {
  return t != TASTE_BACKSPACE && !ist_abbruchtaste(t);
}

// The answer of a yes/no field at (x, y); `geaendert` when it changed.
unsigned char ja_nein_feld(int x, int y, std::uint8_t& feld, bool& geaendert) {
  WXX = static_cast<std::uint16_t>(x);
  WYY = static_cast<std::uint16_t>(y);
  GOTOXY(x, y);
  unsigned char t;
  JA_NEIN(t, feld, geaendert);
  return t;
}

unsigned char ja_nein_feld(int x, int y, std::uint8_t& feld) {
  bool geaendert;
  return ja_nein_feld(x, y, feld, geaendert);
}

// One digit von..bis at the cursor, echoed and given to `nimm`; Enter keeps
// the value. Returns the key that ended the field.
template <class Nimm>
unsigned char ziffernfeld(char von, char bis, Nimm nimm) {
  for (;;) {
    const unsigned char t = warte_auf_taste();
    if (t == TASTE_ERWEITERT) {
      READKEY();
      continue;
    }
    if (t >= von && t <= bis) {
      WRITE(static_cast<char>(t));
      nimm(t - '0');
      return t;
    }
    if (t == TASTE_ENTER || t == TASTE_BACKSPACE || ist_abbruchtaste(t)) return t;
  }
}

// The time limit. Backspace leaves the walk here with consistent conditions.
std::optional<Weiter> feld_zeitlimit(Weg& w) {
  GOTOXY(DEUTSCH ? 71 : 69, 10);
  const unsigned char t =
      ziffernfeld('0', '9', [](int z) { X.zeitlimit = static_cast<std::uint8_t>(z); });
  if (ist_abbruchtaste(t)) return Weiter::MENUE;
  if (t == TASTE_BACKSPACE) {
    mache_stimmig();
    if (!mensch_gegen_mensch_fest()) return Weiter::AUSWAHL;
    w.vor(Feld::pc_kodiert);
    return std::nullopt;
  }
  zeitlimit_ableiten();
  w.vor(Feld::ton);
  return std::nullopt;
}

std::optional<Weiter> feld_ton(Weg& w) {
  return w.folge(ja_nein_feld(30, 12, X.ton), Feld::zeitlimit);
}

// The first or the last sign; a new last sign changes the capacity.
std::optional<Weiter> feld_zeichen(Weg& w) {
  const bool erstes = w.feld == Feld::kleinstes_zeichen;
  GOTOXY(30, erstes ? 13 : 14);
  LESE_ZEICHEN(erstes ? '*' : X.erstes_zeichen);
  if (!erstes && geht_weiter(A)) KORRIGIERE(MAXFARBE, 2, false, false, true, false);
  return w.folge(A, voriges(w.feld));
}

// The code length; the dots of the secret-code field follow it.
std::optional<Weiter> feld_laenge(Weg& w) {
  GOTOXY(30, 16);
  const unsigned char t = ziffernfeld('2', '9', [](int z) {
    X.laenge = static_cast<std::uint8_t>(z);
    punkte_ins_loesungsfeld();
  });
  if (geht_weiter(t)) KORRIGIERE(MAXFARBE, X.laenge, false, false, true, false);
  return w.folge(t, Feld::groesstes_zeichen);
}

// Repetition; forced on (and skipped backwards) when the code is longer than
// the sign set.
std::optional<Weiter> feld_wiederholung(Weg& w) {
  unsigned char t = TASTE_ENTER;
  if (X.laenge > MAXFARBE) {
    if (w.rueckwaerts) {
      w.ueberspringen();
      return std::nullopt;
    }
    X.wiederholung = 1;
    GOTOXY(30, 17);
    WRITE(ja_nein_formular(true));
  } else {
    t = ja_nein_feld(30, 17, X.wiederholung);
  }
  if (geht_weiter(t)) KORRIGIERE(MAXFARBE, X.laenge, X.wiederholung, false, true, false);
  return w.folge(t, Feld::laenge);
}

std::optional<Weiter> feld_leerzeichen(Weg& w) {
  const unsigned char t = ja_nein_feld(30, 18, X.leerzeichen);
  merke_leerzeichen = X.leerzeichen != 0;
  if (geht_weiter(t)) korrigiere_mit_anzeige();
  return w.folge(t, Feld::wiederholung);
}

// Fixed code and the computer guessing: only when the computer could take
// that part.
std::optional<Weiter> feld_rolle(Weg& w) {
  const bool raet = w.feld == Feld::pc_raet;
  if (!(raet ? KANN_RATEN : KANN_MOGELN)) {
    w.ueberspringen();
    return std::nullopt;
  }
  bool geaendert = false;
  const unsigned char t = raet ? ja_nein_feld(DEUTSCH ? 57 : 64, 13, X.pc_raet, geaendert)
                               : ja_nein_feld(30, 19, X.fest, geaendert);
  if (raet && geaendert) schreibe_slot(2);
  return w.folge(t, voriges(w.feld));
}

// A player's name, unless the computer plays that part (or player 1's name
// is already confirmed).
std::optional<Weiter> feld_name(Weg& w) {
  const bool zweiter = w.feld == Feld::name2;
  if (zweiter ? X.pc_raet : (X.pc_kodiert || name1_bestaetigt)) {
    w.ueberspringen();
    return std::nullopt;
  }
  unsigned char t;
  LESE_NAMEN(zweiter ? 2 : 1, zweiter ? X.name2 : X.name1, t);
  return w.folge(t == NAME_ABGEBROCHEN ? TASTE_ESC : t, voriges(w.feld));
}

// Whether the computer sets the code; backwards the conditions are made
// consistent first.
std::optional<Weiter> feld_pc_kodiert(Weg& w) {
  bool geaendert = false;
  const unsigned char t = ja_nein_feld(DEUTSCH ? 73 : 71, 17, X.pc_kodiert, geaendert);
  if (geaendert) schreibe_slot(1);
  if (t == TASTE_BACKSPACE) korrigiere_mit_anzeige();
  return w.folge(t, Feld::pc_raet);
}

// The secret code a human devises for a human.
std::optional<Weiter> feld_loesung(Weg& w) {
  if (!mensch_gegen_mensch_fest()) return Weiter::AUSWAHL;
  GOTOXY(46, 18);
  if (!w.lsg_zurueck) ZURUECK = false;
  w.lsg_zurueck = false;
  unsigned char t;
  LESE_LSG(LOESUNG, t);
  if (t == TASTE_BACKSPACE) {
    w.zurueck(Feld::pc_kodiert);
  } else if (ist_abbruchtaste(t)) {
    punkte_ins_loesungsfeld();
    w.vor(t == TASTE_ESC ? Feld::pc_kodiert : Feld::zeitlimit);
  } else {
    return Weiter::AUSWAHL;
  }
  return std::nullopt;
}

// The routine of every field of the walk, in the order of Feld.
using Feldroutine = std::optional<Weiter> (*)(Weg&);
constexpr Feldroutine FELDROUTINEN[] = {
    feld_zeitlimit,    feld_ton,         feld_zeichen, feld_zeichen, feld_laenge,
    feld_wiederholung, feld_leerzeichen, feld_rolle,   feld_rolle,   feld_name,
    feld_pc_kodiert,   feld_name,        feld_loesung};
static_assert(std::size(FELDROUTINEN) == static_cast<std::size_t>(Feld::fertig) - 1);

// The walk through the fields from `start` until it returns to the choice
// prompt or leaves to the menu; stepping back out of it, or past its end,
// returns to the choice prompt.
Weiter feldweg(Feld start, bool lsg_zurueck) {
  Weg w{start, false, lsg_zurueck};
  while (w.feld > Feld::vor_dem_ersten && w.feld < Feld::fertig)
    if (const auto ende = FELDROUTINEN[static_cast<int>(w.feld) - 1](w)) return *ende;
  return Weiter::AUSWAHL;
}

// The walk from `start`; whichever way it is left, the conditions are
// consistent afterwards.
Weiter feldweg_verlassen(Feld start, bool lsg_zurueck = false) {
  const Weiter w = feldweg(start, lsg_zurueck);
  mache_stimmig();
  return w;
}

// The choice prompt's key: Ctrl-C and Esc count as "4", Enter as "1".
unsigned char auswahltaste() {
  for (;;) {
    GOTOXY(DEUTSCH ? 74 : 73, 20);
    const unsigned char t = warte_auf_taste();
    if (t == TASTE_ERWEITERT) {
      READKEY();
      continue;
    }
    if (ist_abbruchtaste(t)) return '4';
    if (t == TASTE_ENTER) return '1';
    return t;
  }
}

// What the rematch leads to.
enum class Revanche { spielen, nichts, neuer_code };

// The roles change sides where that is possible.
Revanche revanche() {
  if (X.pc_raet && !X.pc_kodiert) {
    NAMEOK(true);
    X.pc_raet = 0;
    X.pc_kodiert = 1;
    return Revanche::spielen;
  }
  if (X.pc_raet) return Revanche::spielen;
  if (X.pc_kodiert) {
    if (!KANN_RATEN) return Revanche::nichts;
    NAMEOK(true);
    X.pc_raet = 1;
    X.pc_kodiert = 0;
    return Revanche::spielen;
  }
  if (!X.fest) {
    NAMEOK(true);
    return Revanche::spielen;
  }
  SCHREIBE_NAME(true, true, true);
  punkte_ins_loesungsfeld();
  return Revanche::neuer_code;
}

// Backspace at the choice prompt: back into the secret code, or to the
// question whether the computer sets the code.
Weiter zurueck_ins_formular() {
  if (mensch_gegen_mensch_fest()) {
    ZURUECK = true;
    return feldweg_verlassen(Feld::loesung, true);
  }
  punkte_ins_loesungsfeld();
  korrigiere_mit_anzeige();
  return feldweg_verlassen(Feld::pc_kodiert);
}

}  // namespace

bool bedingungen_formular() {
  if (mensch_gegen_mensch_fest() && feldweg_verlassen(Feld::pc_kodiert) == Weiter::MENUE)
    return false;
  for (;;) {
    name1_bestaetigt = false;
    Weiter w = Weiter::AUSWAHL;
    switch (auswahltaste()) {
      case '1':
        return true;
      case '4':
        return false;
      case '2':
        switch (revanche()) {
          case Revanche::spielen:
            return true;
          case Revanche::neuer_code:
            w = feldweg_verlassen(Feld::loesung);
            break;
          case Revanche::nichts:
            break;
        }
        break;
      case '3':
        KANN_RATEN = KANN_MOGELN = true;
        MAXFARBE = NRARRAY[static_cast<unsigned char>(X.letztes_zeichen)];
        if (mensch_gegen_mensch_fest()) punkte_ins_loesungsfeld();
        w = feldweg_verlassen(Feld::zeitlimit);
        break;
      case TASTE_BACKSPACE:
        w = zurueck_ins_formular();
        break;
      default:
        break;
    }
    if (w == Weiter::MENUE) return false;
  }
}
