// The conditions form: its screen, the entry of the players' names, the
// choice prompt with the rematch, and the walk through the editable fields.
// Every edit goes straight into X and is shown at once.
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

// Typing a name from position pos on (the next free element). Returns the
// key that ended it: Enter, Esc, Backspace at the first position, or 2 for
// Ctrl-C.
unsigned char tippe_namen(namensfeld& name, int y, int& pos) {
  const auto setze = [&](char c) {
    if (pos > 31) return;
    name[pos] = c;
    GOTOXY(37 + pos, y);
    WRITE(c);
    ++pos;
  };
  // PUNKT: a word of a single letter gets its dot when the word ends.
  const auto punkt = [&]() {
    if (pos >= 2 && ist_buchstabe(name[pos - 1]) && (pos == 2 || ist_trenner(name[pos - 2])))
      setze('.');
  };
  for (;;) {
    GOTOXY(37 + pos, y);
    const unsigned char t = warte_auf_taste();
    if (t == TASTE_ERWEITERT) {
      READKEY();
      continue;
    }
    if (t == TASTE_ENTER || ist_abbruchtaste(t)) {
      if (pos > 1 && name[pos - 1] == '-') {
        --pos;
        setze(' ');
        --pos;
      }
      return t == TASTE_CTRL_C ? 2 : t;
    }
    if (t == TASTE_BACKSPACE) {
      if (pos == 1) return TASTE_BACKSPACE;
      --pos;
      setze(' ');
      --pos;
      continue;
    }
    char c = static_cast<char>(t);
    if (c == '_') c = '-';
    if (c == ':') c = '.';
    const char vorher = pos > 1 ? name[pos - 1] : ' ';
    const bool wortanfang = pos == 1 || ist_trenner(vorher);
    if (ist_buchstabe(c)) {
      setze(wortanfang ? gross(c) : klein(c));
    } else if (ist_trenner(c)) {
      if (pos == 1) continue;
      if (ist_trenner(vorher)) {  // a second separator replaces the first
        --pos;
        setze(c);
        continue;
      }
      punkt();
      setze(c);
    } else if (c == '.' && ist_buchstabe(vorher) && !wortanfang) {
      setze('.');
      setze(' ');
    } else {
      continue;
    }
    if (pos > 31) return TASTE_ENTER;  // the name is full
  }
}

}  // namespace

void BILDSCHIRM() {
  const bool d = DEUTSCH;
  TEXTATTR = STANDARDFARBE;
  CLRSCR();
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
      if (taste == TASTE_BACKSPACE || taste == 2) return;
    }
    GOTOXY(76, y);
    for (;;) {
      unsigned char t = warte_auf_taste();
      if (t == TASTE_ERWEITERT) {
        READKEY();
        continue;
      }
      if (t == 'y' || t == 'Y' || t == 'j' || t == 'J' || t == 'z' || t == 'Z' ||
          t == TASTE_ENTER) {
        taste = 'j';
        return;
      }
      if (t == 'n' || t == 'N') {
        for (int i = 1; i <= 31; ++i) name[i] = ' ';
        GOTOXY(38, y);
        WRITE(std::string(31, ' '));
        pos = 1;
        break;
      }
      if (t == TASTE_BACKSPACE) {
        // The name is opened again behind its last character.
        int e = 31;
        while (e >= 1 && name[e] == ' ') --e;
        if (e >= 2 && name[e] == '.' && ist_buchstabe(name[e - 1]) &&
            (e == 2 || ist_trenner(name[e - 2]))) {
          name[e] = ' ';
          GOTOXY(37 + e, y);
          WRITE(' ');
          --e;
        }
        pos = e + 1;
        if (e >= 1 && e < 31 && name[e] == '.') ++pos;  // the word ended with its dot
        break;
      }
      if (t == TASTE_ESC) {
        taste = TASTE_BACKSPACE;
        return;
      }
      if (t == TASTE_CTRL_C) {
        taste = TASTE_ESC;
        return;
      }
    }
    tippen = true;
  }
}

namespace {

enum class Weiter { AUSWAHL, MENUE };

// The walk through the fields from `schritt` until it returns to the choice
// prompt or leaves to the menu. `lsg_zurueck`: the secret code is entered
// backwards from the choice prompt.
Weiter feldweg(int schritt, bool lsg_zurueck = false) {
  const bool d = DEUTSCH;
  bool rueckwaerts = false;
  const auto vor = [&](int s) {
    schritt = s;
    rueckwaerts = false;
  };
  const auto zurueck = [&](int s) {
    schritt = s;
    rueckwaerts = true;
  };
  const auto ueberspringen = [&]() { schritt += rueckwaerts ? -1 : 1; };
  // The answer of a yes/no field at (x, y).
  const auto ja_nein = [&](int x, int y, std::uint8_t& feld, bool& geaendert) {
    WXX = static_cast<std::uint16_t>(x);
    WYY = static_cast<std::uint16_t>(y);
    GOTOXY(x, y);
    unsigned char t;
    JA_NEIN(t, feld, geaendert);
    return t;
  };
  bool geaendert = false;

  for (;;) {
    if (schritt > 13) return Weiter::AUSWAHL;
    unsigned char t = 0;
    switch (schritt) {
      case 1: {
        GOTOXY(d ? 71 : 69, 10);
        for (;;) {
          t = warte_auf_taste();
          if (t == TASTE_ERWEITERT) {
            READKEY();
            continue;
          }
          if (t >= '0' && t <= '9') {
            X.zeitlimit = static_cast<std::uint8_t>(t - '0');
            WRITE(static_cast<char>(t));
          }
          if ((t >= '0' && t <= '9') || t == TASTE_ENTER || t == TASTE_BACKSPACE ||
              ist_abbruchtaste(t))
            break;
        }
        if (ist_abbruchtaste(t)) return Weiter::MENUE;
        if (t == TASTE_BACKSPACE) {
          mache_stimmig();
          if (!mensch_gegen_mensch_fest()) return Weiter::AUSWAHL;
          vor(11);
          break;
        }
        zeitlimit_ableiten();
        vor(2);
        break;
      }
      case 2:
        t = ja_nein(30, 12, X.ton, geaendert);
        if (t == TASTE_CTRL_C) return Weiter::MENUE;
        if (t == TASTE_BACKSPACE || t == TASTE_ESC)
          zurueck(1);
        else
          vor(3);
        break;
      case 3:
      case 4:
        GOTOXY(30, schritt == 3 ? 13 : 14);
        LESE_ZEICHEN(schritt == 3 ? '*' : X.erstes_zeichen);
        if (A == TASTE_CTRL_C) return Weiter::MENUE;
        if (A == TASTE_ESC) {
          vor(1);
        } else if (A == TASTE_BACKSPACE) {
          zurueck(schritt - 1);
        } else {
          if (schritt == 4) KORRIGIERE(MAXFARBE, 2, false, false, true, false);
          vor(schritt + 1);
        }
        break;
      case 5: {
        GOTOXY(30, 16);
        for (;;) {
          t = warte_auf_taste();
          if (t == TASTE_ERWEITERT) {
            READKEY();
            continue;
          }
          if (t >= '2' && t <= '9') {
            X.laenge = static_cast<std::uint8_t>(t - '0');
            WRITE(static_cast<char>(t));
            punkte_ins_loesungsfeld();
          }
          if ((t >= '2' && t <= '9') || t == TASTE_ENTER || t == TASTE_BACKSPACE ||
              ist_abbruchtaste(t))
            break;
        }
        if (t == TASTE_CTRL_C) return Weiter::MENUE;
        if (t == TASTE_ESC) {
          vor(1);
        } else if (t == TASTE_BACKSPACE) {
          zurueck(4);
        } else {
          KORRIGIERE(MAXFARBE, X.laenge, false, false, true, false);
          vor(6);
        }
        break;
      }
      case 6:
        if (X.laenge > MAXFARBE) {  // only codes with repeated signs are possible
          if (rueckwaerts) {
            ueberspringen();
            break;
          }
          X.wiederholung = 1;
          GOTOXY(30, 17);
          WRITE(ja_nein_formular(true));
        } else {
          t = ja_nein(30, 17, X.wiederholung, geaendert);
          if (t == TASTE_CTRL_C) return Weiter::MENUE;
          if (t == TASTE_ESC) {
            vor(1);
            break;
          }
          if (t == TASTE_BACKSPACE) {
            zurueck(5);
            break;
          }
        }
        KORRIGIERE(MAXFARBE, X.laenge, X.wiederholung, false, true, false);
        vor(7);
        break;
      case 7:
        t = ja_nein(30, 18, X.leerzeichen, geaendert);
        merke_leerzeichen = X.leerzeichen != 0;
        if (t == TASTE_CTRL_C) return Weiter::MENUE;
        if (t == TASTE_ESC) {
          vor(1);
        } else if (t == TASTE_BACKSPACE) {
          zurueck(6);
        } else {
          korrigiere_mit_anzeige();
          vor(8);
        }
        break;
      case 8:
      case 9: {
        if (schritt == 8 ? !KANN_MOGELN : !KANN_RATEN) {
          ueberspringen();
          break;
        }
        if (schritt == 8) {
          t = ja_nein(30, 19, X.fest, geaendert);
        } else {
          t = ja_nein(d ? 57 : 64, 13, X.pc_raet, geaendert);
          if (geaendert) schreibe_slot(2);
        }
        if (t == TASTE_CTRL_C) return Weiter::MENUE;
        if (t == TASTE_ESC)
          vor(1);
        else if (t == TASTE_BACKSPACE)
          zurueck(schritt - 1);
        else
          vor(schritt + 1);
        break;
      }
      case 10:
      case 12: {
        const int welcher = schritt == 10 ? 2 : 1;
        if (schritt == 10 ? X.pc_raet : (X.pc_kodiert || name1_bestaetigt)) {
          ueberspringen();
          break;
        }
        LESE_NAMEN(static_cast<std::uint8_t>(welcher), welcher == 1 ? X.name1 : X.name2, t);
        if (t == TASTE_BACKSPACE)
          zurueck(schritt - 1);
        else if (t == TASTE_ESC || t == 2)
          vor(1);
        else
          vor(schritt + 1);
        break;
      }
      case 11:
        t = ja_nein(d ? 73 : 71, 17, X.pc_kodiert, geaendert);
        if (geaendert) schreibe_slot(1);
        if (t == TASTE_CTRL_C) return Weiter::MENUE;
        if (t == TASTE_ESC) {
          vor(1);
        } else if (t == TASTE_BACKSPACE) {
          korrigiere_mit_anzeige();
          zurueck(9);
        } else {
          vor(12);
        }
        break;
      case 13:
        if (!mensch_gegen_mensch_fest()) return Weiter::AUSWAHL;
        GOTOXY(46, 18);
        if (!lsg_zurueck) ZURUECK = false;
        lsg_zurueck = false;
        LESE_LSG(LOESUNG, t);
        if (t == TASTE_BACKSPACE) {
          zurueck(11);
        } else if (ist_abbruchtaste(t)) {
          punkte_ins_loesungsfeld();
          vor(t == TASTE_ESC ? 11 : 1);
        } else {
          return Weiter::AUSWAHL;
        }
        break;
      default:  // stepped back out of the walk
        return Weiter::AUSWAHL;
    }
  }
}

// The walk from `schritt`; whichever way it is left, the conditions are
// consistent afterwards.
Weiter feldweg_verlassen(int schritt, bool lsg_zurueck = false) {
  const Weiter w = feldweg(schritt, lsg_zurueck);
  mache_stimmig();
  return w;
}

}  // namespace

bool bedingungen_formular() {
  if (mensch_gegen_mensch_fest() && feldweg_verlassen(11) == Weiter::MENUE) return false;
  for (;;) {
    name1_bestaetigt = false;
    GOTOXY(DEUTSCH ? 74 : 73, 20);
    unsigned char t = warte_auf_taste();
    if (t == TASTE_ERWEITERT) {
      READKEY();
      continue;
    }
    if (ist_abbruchtaste(t)) t = '4';
    if (t == TASTE_ENTER) t = '1';
    Weiter w = Weiter::AUSWAHL;
    switch (t) {
      case '1':
        return true;
      case '4':
        return false;
      case '2':  // rematch: the roles change sides where that is possible
        if (X.pc_raet && !X.pc_kodiert) {
          NAMEOK(true);
          X.pc_raet = 0;
          X.pc_kodiert = 1;
          return true;
        }
        if (X.pc_raet) return true;
        if (X.pc_kodiert) {
          if (!KANN_RATEN) break;
          NAMEOK(true);
          X.pc_raet = 1;
          X.pc_kodiert = 0;
          return true;
        }
        if (!X.fest) {
          NAMEOK(true);
          return true;
        }
        SCHREIBE_NAME(true, true, true);
        punkte_ins_loesungsfeld();
        w = feldweg_verlassen(13);
        break;
      case '3':
        KANN_RATEN = KANN_MOGELN = true;
        MAXFARBE = NRARRAY[static_cast<unsigned char>(X.letztes_zeichen)];
        if (mensch_gegen_mensch_fest()) punkte_ins_loesungsfeld();
        w = feldweg_verlassen(1);
        break;
      case TASTE_BACKSPACE:
        if (mensch_gegen_mensch_fest()) {
          ZURUECK = true;
          w = feldweg_verlassen(13, true);
        } else {
          punkte_ins_loesungsfeld();
          korrigiere_mit_anzeige();
          w = feldweg_verlassen(11);
        }
        break;
      default:
        break;
    }
    if (w == Weiter::MENUE) return false;
  }
}
