// The game board: header, conditions panel, the two columns of trial rows,
// the clock panel and the status line, in both languages.
#include <string>

#include "console/console.h"
#include "engine/kvspiel.h"
#include "shell/kv.h"

namespace {

const char* const VERSUCHSZEILE = "|*|   |         | | |*|   |         | | |";
const char* const ERSTE_VERSUCHSZEILE = "|*|  1|         | | |*|   |         | | |";
const char* const TRENNER = "|_____________________________________";  // the panel's divider

std::string auf(std::string s, std::size_t breite) {
  if (s.size() < breite) s.append(breite - s.size(), ' ');
  return s.substr(0, breite);
}

std::string zweistellig(unsigned n) {
  return std::string(1, static_cast<char>('0' + n / 10 % 10)) + static_cast<char>('0' + n % 10);
}

std::string vierstellig(unsigned n) {
  return zweistellig(n / 100) + zweistellig(n % 100);
}

// A line of the left panel (38 columns) followed by a trial row.
void zeile(int y, const std::string& links, const char* versuche = VERSUCHSZEILE) {
  GOTOXY(1, y);
  WRITE(auf(links, 38));
  WRITE(versuche);
}

// "| " + a player's name up to its last non-blank character + ".".
std::string namenszeile(const namensfeld& name) {
  int ende = 31;
  while (ende >= 1 && name[ende] == ' ') --ende;
  return "| " + std::string(&name[1], static_cast<std::size_t>(ende)) + ".";
}

const char* const WOCHENTAGE_D[7] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                     "Donnerstag", "Freitag", "Samstag"};
const char* const WOCHENTAGE_E[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
const char* const MONATE_E[13] = {"",      "Jan. ", "Feb. ",  "March ", "April ", "May ", "June ",
                                  "July ", "Aug. ", "Sept. ", "Oct. ",  "Nov. ",  "Dec. "};

// Rows 1 to 3: the title, the credits line and the rule under them.
void zeichne_titel() {
  GOTOXY(1, 1);
  WRITE(std::string(6, '_') +
        "  ***  Korvando  ****  macOS - 32-Bit - Version  2025-06-21.  ***  " +
        std::string(6, '_'));
  const std::string dank = DEUTSCH ? "Ein Spiel fuer zwei Koepfe: Code ausdenken, Code knacken."
                                   : "A game for two minds: devise a code, crack a code.";
  const std::size_t links = (77 - dank.size()) / 2;
  GOTOXY(1, 2);
  WRITE("|" + std::string(links, ' ') + auf(dank, 77 - links) + "|");
  GOTOXY(1, 3);
  WRITE("|" + std::string(77, '_') + "|");
}

// The right box of rows 4 and 5: with how many trials the code can be cracked.
void versuche_box(std::string& box1, std::string& box2) {
  box1 = box2 = std::string(34, ' ');
  if (!max_versuche_bekannt) return;
  const std::string n = std::to_string(max_versuche);
  const bool maximal = X.fest && MAXFARBE > 1;
  if (DEUTSCH) {
    box1 =
        maximal ? "   Der Code kann mit maximal " + n : "   Der Code kann mit genau " + n + "    ";
    box2 = "   Versuchen geknackt werden.";
  } else {
    box1 = " It is possible to crack the code ";
    box2 = " with " + n + (maximal ? " trials or less." : " trials.");
  }
}

// Rows 4 to 6: the sign set, the code length with repetition and the
// opening pattern, and the box with the number of trials.
void zeichne_spielkopf() {
  std::string zeichen;
  for (int i = 1; i <= MAXFARBE; ++i) zeichen += FARBARRAY[i];
  std::string box1, box2;
  versuche_box(box1, box2);
  GOTOXY(1, 4);
  WRITE("| " + auf(zeichen, 41) + "|" + auf(box1, 34) + "|");
  std::string art;
  if (DEUTSCH)
    art = X.wiederholung ? " Zeichen mit Wiederholung " : " Zeichen ohne Wiederholung";
  else
    art = X.wiederholung ? " signs with repetition    " : " signs without repetition ";
  GOTOXY(1, 5);
  WRITE("| " + std::string(1, static_cast<char>('0' + X.laenge)) + art + "  " +
        auf(muster_text, 12) + "|" + auf(box2, 34) + "|");
  GOTOXY(1, 6);
  WRITE("|" + std::string(42, '_') + "|" + std::string(34, '_') + "|");
}

// Rows 7 to 11: the vacant sign (the user's own choice), the fixed code and
// the processor beside the head of the trial table and its first rows.
void zeichne_bedingungsfeld() {
  const bool d = DEUTSCH;
  const bool leer = merke_leerzeichen;
  GOTOXY(1, 7);
  WRITE(d ? "| Das Leerzeichen \" \"/\"*\" darf zum    "
          : (leer ? "| The vacant sign ' '/'*' may be used "
                  : "| The vacant sign ' '/'*' cannot be   "));
  WRITE(d ? "|*|Nr.|  Code   |P|Z|*|Nr.|  Code   |P|Z|"
          : "|*|No.|  Code   |P|S|*|No.|  Code   |P|S|");
  GOTOXY(1, 8);
  if (d)
    WRITE(leer ? "| Raten zuhilfegenommen werden.       "
               : "| Raten nicht zuhilfegenommen werden. ");
  else
    WRITE(leer ? "| for guessing.                       "
               : "| used for guessing.                  ");
  WRITE("|*|___|_________|_|_|*|___|_________|_|_|");
  if (d)
    zeile(9, X.fest ? "| Der zu ratende Code ist fest." : "| Der zu ratende Code ist nicht fest.",
          ERSTE_VERSUCHSZEILE);
  else
    zeile(9, X.fest ? "| The answercode is fixed." : "| The answercode is not fixed.",
          ERSTE_VERSUCHSZEILE);
  GOTOXY(1, 10);
  WRITE(d ? PROZESSORZEILE_D : PROZESSORZEILE_E);
  zeile(11, TRENNER);
}

// Rows y and y + 1: where the riddle or the solution comes from, the
// computer or a player.
void zeichne_herkunft(int y, bool computer, const namensfeld& name, const char* wer_d,
                      const char* wer_e) {
  const bool d = DEUTSCH;
  if (d)
    zeile(y, std::string("| ") + wer_d + (computer ? " stammt vom Computer." : " stammt von"));
  else
    zeile(y, std::string("| ") + wer_e + " comes from");
  if (computer)
    zeile(y + 1, d ? "|" : "| the computer.");
  else
    zeile(y + 1, namenszeile(name));
}

// Rows 17 to 24: the templates of the start and current date and time, the
// three clocks, and the bottom frame.
void zeichne_uhrenfeld() {
  const bool d = DEUTSCH;
  const char* uhrzeit =
      d ? "|                .   Uhr,    Sekunden." : "|               :    .m.,    seconds. ";
  zeile(17, d ? "| Spielbeginn:" : "| Game start:");
  zeile(18, uhrzeit);
  zeile(19, d ? "| Datum/Zeit :" : "| Date/time :");
  zeile(20, uhrzeit);
  zeile(21,
        d ? "| Spieldauer : 00 Std. 00 Min. 00 Sek." : "| Time total: 00 hours 00 min. 00 sec.");
  zeile(22,
        d ? "| Ratezeit   : 00 Std. 00 Min. 00 Sek." : "| to guess  : 00 hours 00 min. 00 sec.");
  zeile(23,
        d ? "| Antwortzeit: 00 Std. 00 Min. 00 Sek." : "| to answer : 00 hours 00 min. 00 sec.");
  GOTOXY(1, 24);
  WRITE("|_____________________________________|_|___|_________|_|_|_|___|_________|_|_|");
}

// Row 25: the guessing computer's times, the end line of a fixed code, or
// the encoder's preparation.
void zeichne_statuszeile() {
  const bool d = DEUTSCH;
  GOTOXY(1, 25);
  if (X.pc_raet) {
    WRITE(d ? "Aktueller Versuch: geratene Zeit: 00.00.00 .......... benoetigte Zeit: 00.00.00"
            : "This trial: time already guessed: 00.00.00 .......... time yet needed: 00.00.00");
  } else if (X.fest) {
    if (d) {
      WRITE("Loesung:");
      GOTOXY(24, 25);
      WRITE("Benoetigte Versuche:");
      GOTOXY(57, 25);
      WRITE("Neues Spiel? Ja.");
    } else {
      WRITE("Answer:                       Trials made:                 New Game? Yes.");
    }
  } else {
    WRITE(d ? "       Bereits verstrichene Zeit: 00.00.00 .......... benoetigte Zeit: 00.00.00"
            : "Initialisation:     time elapsed: 00.00.00 .......... time yet needed: 00.00.00");
  }
}

}  // namespace

std::string brett_datum(bool deutsch, unsigned jahr, unsigned monat, unsigned tag, unsigned wotag) {
  if (deutsch)
    return std::string(WOCHENTAGE_D[wotag % 7]) + ", " + std::to_string(tag) + "." +
           std::to_string(monat) + "." + vierstellig(jahr) + ",";
  const std::string monatsname = MONATE_E[monat >= 1 && monat <= 12 ? monat : 1];
  // The room the month name and the day leave for the weekday.
  int k = monatsname.size() == 6 ? 0 : monatsname.size() == 5 ? 1 : 2;
  if (tag < 10) ++k;
  std::string wt = WOCHENTAGE_E[wotag % 7];
  if (wt == "Tuesday" && k == 0) wt = "Tues.";
  if (wt == "Wednesday" && k <= 2) wt = "Weds.";
  if (wt == "Thursday" && k <= 1) wt = "Thurs.";
  if (wt == "Saturday" && k <= 1) wt = "Sat.";
  const unsigned e = tag % 10;
  const char* endung = (tag == 11 || tag == 12 || tag == 13) ? "th "
                       : e == 1                              ? "st "
                       : e == 2                              ? "nd "
                       : e == 3                              ? "rd "
                                                             : "th ";
  return wt + ", " + std::to_string(tag) + endung + monatsname + vierstellig(jahr) + ",";
}

void brett_zeit(bool deutsch, int y, unsigned stunde, unsigned minute, bool mit_sekunden,
                unsigned sekunde) {
  if (deutsch) {
    GOTOXY(16, y);
    WRITE(zweistellig(stunde % 24));
    GOTOXY(19, y);
    WRITE(zweistellig(minute));
  } else {
    const unsigned h = stunde % 24;
    const unsigned h12 = h == 0 ? 12 : h > 12 ? h - 12 : h;
    GOTOXY(15, y);
    WRITE(zweistellig(h12));
    GOTOXY(18, y);
    WRITE(zweistellig(minute));
    GOTOXY(21, y);
    WRITE(h < 12 ? 'a' : 'p');
  }
  if (mit_sekunden) {
    GOTOXY(27, y);
    WRITE(zweistellig(sekunde));
  }
}

void zeichne_brett() {
  CLRSCR();
  zeichne_titel();
  zeichne_spielkopf();
  zeichne_bedingungsfeld();
  zeichne_herkunft(12, X.pc_kodiert, X.name1, "Das Raetsel", "The riddle");
  zeichne_herkunft(14, X.pc_raet, X.name2, "Die Loesung", "The solution");
  zeile(16, TRENNER);
  zeichne_uhrenfeld();
  zeichne_statuszeile();
}

void schreibe_spielbeginn(unsigned jahr, unsigned monat, unsigned tag, unsigned wotag,
                          unsigned stunde, unsigned minute, unsigned sekunde) {
  const bool d = DEUTSCH;
  const std::string datum = brett_datum(d, jahr, monat, tag, wotag);
  for (int y : {17, 19}) {
    GOTOXY(d ? 16 : 15, y);
    WRITE(datum);
  }
  brett_zeit(d, 18, stunde, minute, true, sekunde);
  brett_zeit(d, 20, stunde, minute, false, 0);
}
