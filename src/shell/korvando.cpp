// Start-up, the main menu and its dispatch, and the orderly end.
#include "console/console.h"
#include "engine/kvspiel.h"
#include "extras/zuf.h"
#include "shell/kv.h"
#include "texts/kvd.h"
#include "texts/kve.h"

namespace {

const char* const LEERE_VERSUCHSZEILE = "|*|   |         | | |*|   |         | | |";
const char* const CPU_TEXT = " >= 80386 + 80387.";

void bringe_datum_in_bereich() {
  std::uint16_t& jahr = startdatum.jahr;
  if (jahr >= 1980 && jahr <= 9999) return;
  jahr = jahr < 1980 ? static_cast<std::uint16_t>(2000 + jahr % 100) : 9999;
  SETDATE(jahr, startdatum.monat, startdatum.tag);
}

void waehle_textmodus() {
  if (alt_lastmode == 0 || alt_lastmode == 2) {
    TEXTMODE(2);
    FARBBILDSCHIRM = false;
  } else if (alt_lastmode == 7) {
    TEXTMODE(7);
    FARBBILDSCHIRM = false;
  } else {
    TEXTMODE(3);
    FARBBILDSCHIRM = true;
  }
  DIRECTVIDEO = true;
  CHECKSNOW = false;
}

// Break checking off (Ctrl-C arrives as a key), disk verify on; the text
// attribute as it was.
void sichere_konsole() {
  alt_checkbreak = CHECKBREAK;
  alt_systembreak = GETCBREAK();
  CHECKBREAK = false;
  SETCBREAK(false);
  alt_verify = GETVERIFY();
  SETVERIFY(true);
  alt_textattr = TEXTATTR;
  SCHIRMANFANG = 0;
  FARBBILDSCHIRM = true;
}

void lies_startzeit() {
  GETDATE(startdatum.jahr, startdatum.monat, startdatum.tag, startdatum.wotag);
  GETTIME(startzeit.stunde, startzeit.minute, startzeit.sekunde, startzeit.hundertstel);
  bringe_datum_in_bereich();
}

void sichere_bildmodus() {
  alt_directvideo = DIRECTVIDEO;
  alt_checksnow = CHECKSNOW;
  alt_lastmode = LASTMODE;
}

void baue_prozessorzeilen() {
  PROZESSORZEILE_D = std::string("| Vorhandene CPU") + CPU_TEXT + "    " + LEERE_VERSUCHSZEILE;
  PROZESSORZEILE_E = std::string("| Available CPU") + CPU_TEXT + "     " + LEERE_VERSUCHSZEILE;
}

// The start date and time become the engine's date and clock words.
void uebernimm_startzeit() {
  JAHR = startdatum.jahr;
  MONAT = startdatum.monat;
  TAG = startdatum.tag;
  WOTAG = startdatum.wotag;
  endedatum = startdatum;
  STD = startzeit.stunde;
  MIN = startzeit.minute;
  SEK = startzeit.sekunde;
  HSEK = startzeit.hundertstel;
  TAGES_WECHSEL = static_cast<std::uint16_t>(STD / 24);
}

void fuelle_ja_nein_texte() {
  JA_NEIN_TEXTE[0][0] = "Nein.";
  JA_NEIN_TEXTE[0][1] = "Ja.  ";
  JA_NEIN_TEXTE[1][0] = "No.  ";
  JA_NEIN_TEXTE[1][1] = "Yes. ";
}

// The clocks stand, the bucket table is empty, and the virtual game date is
// off, starting from today.
void setze_uhren_und_spieldatum() {
  ZEITEIN = false;
  INITFELD();
  VIRTUALDATE = false;
  VIRTUALOLDDATE = true;
  GETDATE(VIRJ1, VIRM1, VIRT1, VIRWT1);
  ZWEITESDATUM();
}

// The directory part of the program's own path, ending in "/".
void finde_programmverzeichnis() {
  const std::string pfad = program_path();
  const auto strich = pfad.rfind('/');
  PROGRAMMVERZEICHNIS = strich == std::string::npos ? std::string() : pfad.substr(0, strich + 1);
}

// The generator seeded from the start time, the default conditions, the tone.
void starte_zufall_und_vorgaben() {
  RANDOMIZE((static_cast<std::uint64_t>(startdatum.jahr) << 40) ^
            (static_cast<std::uint64_t>(startdatum.monat * 31 + startdatum.tag) << 32) ^
            (startzeit.stunde * 360000u + startzeit.minute * 6000u + startzeit.sekunde * 100u +
             startzeit.hundertstel));
  INITIALISIERE();
  ton_dauer = 500;
  ton_hoehe = 440;
}

// The counters of a run and the board's column pairs.
void setze_laufzaehler_zurueck() {
  LETZTEZAHL = 0;
  X1 = {{42, 62}};
  X3 = {{56, 76}};
  X4 = {{58, 78}};
  VERS = ERL = VERSLOE = ERLLOE = 0;
  MERKEMEMAVAIL = -5;
  NOTINVERS = true;
}

// Reads menu keys until one of "1".."9"; Ctrl-C counts as "9".
unsigned char menuetaste() {
  for (;;) {
    unsigned char t = READKEY();
    if (t == TASTE_ERWEITERT) {
      READKEY();
      continue;
    }
    if (t == TASTE_CTRL_C) return '9';
    if (t >= '1' && t <= '9') return t;
  }
}

// Where the menu goes after an item: on in the menu, back to its entry
// point (after a game), or to the end.
enum class Menue { bleiben, eintritt, ende };

// The menu entry point: the user's vacant-sign choice back, then save.
void speichere_beim_eintritt() {
  X.leerzeichen = merke_leerzeichen ? 1 : 0;
  BEDINGUNGENSPEICHERN();
}

void zeige_menue() {
  leere_seite();
  if (DEUTSCH)
    TITELD();
  else
    TITELE();
}

// Item 5: the game's conditions from the menu, then a series of games.
void starte_spiele() {
  X.leerzeichen = merke_leerzeichen ? 1 : 0;
  SP_D = DEUTSCH;
  OK = true;
  if (VIRTUALDATE) {
    ZWEITESDATUM();
    VIRTUALOLDDATE = true;
  }
  MEMAVAIL_ORB = SPEICHERBUDGET[SPEICHERWAHL];
  spielserie();
}

Menue fuehre_aus(unsigned char punkt) {
  switch (punkt) {
    case '1':
      WAEHLE_SPRACHE();
      return SPRACHTASTE == TASTE_ESC ? Menue::ende : Menue::bleiben;
    case '2':
      VIRTUALDATE = false;
      SCHREIBE_ZEIT_ORB();
      KORRIGIERE_ZEIT(DEUTSCH, STANDARDFARBE, HERVORHEBUNGSFARBE);
      return Menue::bleiben;
    case '3':
      SCHREIBE_ZEIT_ORB();
      KALENDER(DEUTSCH, STANDARDFARBE, HERVORHEBUNGSFARBE, VIRTUALDATE, VIRJ1, VIRM1, VIRT1,
               VIRWT1);
      return Menue::bleiben;
    case '4':
      TEXTFARBE(DEUTSCH, FARBBILDSCHIRM, STANDARDFARBE, HERVORHEBUNGSFARBE);
      BEDINGUNGENSPEICHERN();
      return Menue::bleiben;
    case '5':
      starte_spiele();
      return Menue::eintritt;
    case '6':
      (DEUTSCH ? KURZANLEITUNGD : KURZANLEITUNGE)(STANDARDFARBE, HERVORHEBUNGSFARBE);
      return Menue::bleiben;
    case '7':
      (DEUTSCH ? SPIELANLEITUNGD : SPIELANLEITUNGE)(STANDARDFARBE, HERVORHEBUNGSFARBE);
      return Menue::bleiben;
    case '8':
      KONFIGURATION();
      BEDINGUNGENSPEICHERN();
      return Menue::bleiben;
    default:
      return Menue::ende;
  }
}

}  // namespace

void ANFANGEN() {
  sichere_konsole();
  lies_startzeit();
  sichere_bildmodus();
  baue_prozessorzeilen();
  uebernimm_startzeit();
  fuelle_ja_nein_texte();
  setze_uhren_und_spieldatum();
  finde_programmverzeichnis();
  waehle_bedingungsdatei();
  starte_zufall_und_vorgaben();
  setze_laufzaehler_zurueck();
  lade_bedingungen();
  SCHIRMANFANG = 0;
  waehle_textmodus();
  pruefe_farben();
  TEXTATTR = STANDARDFARBE;
  WINDOW(1, 1, 80, 25);
  SCHREIBE_ZEIT_ORB();
}

void NOTEXIT() {
  SETVERIFY(alt_verify);
  TEXTMODE(alt_lastmode);
  DIRECTVIDEO = alt_directvideo;
  CHECKSNOW = alt_checksnow;
  SETCBREAK(alt_systembreak);
  CHECKBREAK = alt_checkbreak;
  TEXTATTR = alt_textattr;
  CLRSCR();
  WRITELN(program_path());
  WRITELN();
  WRITELN("Korvando  ***  macOS - 32-Bit - Version  2025-06-21,");
  WRITELN("Version ohne Grafik- und Sonderzeichen / version without graphics characters.");
  WRITELN();
  WRITELN("Ein Spiel fuer zwei Koepfe: Code ausdenken, Code knacken.");
  WRITELN("A game for two minds: devise a code, crack a code.");
  WRITELN(einstellungszeile());
  WRITELN();
  WRITELN("Bye-bye!");
  WRITELN();
}

void KORVANDO() {
  ANFANGEN();
  merke_leerzeichen = X.leerzeichen != 0;
  WAEHLE_SPRACHE();
  if (SPRACHTASTE != TASTE_ESC) {
    Menue weiter = Menue::eintritt;
    while (weiter == Menue::eintritt) {
      speichere_beim_eintritt();
      do {
        zeige_menue();
        weiter = fuehre_aus(menuetaste());
      } while (weiter == Menue::bleiben);
    }
  }
  BEDINGUNGENSPEICHERN();
  NOTEXIT();
}
