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
  if (start_jahr < 1980) {
    start_jahr = static_cast<std::uint16_t>(2000 + start_jahr % 100);
    SETDATE(start_jahr, start_monat, start_tag);
  } else if (start_jahr > 9999) {
    start_jahr = 9999;
    SETDATE(start_jahr, start_monat, start_tag);
  }
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

}  // namespace

void ANFANGEN() {
  alt_checkbreak = CHECKBREAK;
  alt_systembreak = GETCBREAK();
  CHECKBREAK = false;
  SETCBREAK(false);
  alt_verify = GETVERIFY();
  SETVERIFY(true);
  alt_textattr = TEXTATTR;
  SCHIRMANFANG = 0;
  FARBBILDSCHIRM = true;

  GETDATE(start_jahr, start_monat, start_tag, start_wotag);
  GETTIME(start_std, start_min, start_sek, start_hsek);
  bringe_datum_in_bereich();

  alt_directvideo = DIRECTVIDEO;
  alt_checksnow = CHECKSNOW;
  alt_lastmode = LASTMODE;

  PROZESSORZEILE_D = std::string("| Vorhandene CPU") + CPU_TEXT + "    " + LEERE_VERSUCHSZEILE;
  PROZESSORZEILE_E = std::string("| Available CPU") + CPU_TEXT + "     " + LEERE_VERSUCHSZEILE;

  JAHR = start_jahr;
  MONAT = start_monat;
  TAG = start_tag;
  WOTAG = start_wotag;
  ende_jahr = start_jahr;
  ende_monat = start_monat;
  ende_tag = start_tag;
  ende_wotag = start_wotag;
  STD = start_std;
  MIN = start_min;
  SEK = start_sek;
  HSEK = start_hsek;
  TAGES_WECHSEL = static_cast<std::uint16_t>(STD / 24);

  JA_NEIN_TEXTE[0][0] = "Nein.";
  JA_NEIN_TEXTE[0][1] = "Ja.  ";
  JA_NEIN_TEXTE[1][0] = "No.  ";
  JA_NEIN_TEXTE[1][1] = "Yes. ";

  ZEITEIN = false;
  INITFELD();
  VIRTUALDATE = false;
  VIRTUALOLDDATE = true;
  GETDATE(VIRJ1, VIRM1, VIRT1, VIRWT1);
  ZWEITESDATUM();

  const std::string pfad = program_path();
  const auto strich = pfad.rfind('/');
  PROGRAMMVERZEICHNIS = strich == std::string::npos ? std::string() : pfad.substr(0, strich + 1);
  waehle_bedingungsdatei();

  RANDOMIZE((static_cast<std::uint64_t>(start_jahr) << 40) ^
            (static_cast<std::uint64_t>(start_monat * 31 + start_tag) << 32) ^
            (start_std * 360000u + start_min * 6000u + start_sek * 100u + start_hsek));
  INITIALISIERE();
  ton_dauer = 500;
  ton_hoehe = 440;

  LETZTEZAHL = 0;
  X1 = {{42, 62}};
  X3 = {{56, 76}};
  X4 = {{58, 78}};
  VERS = ERL = VERSLOE = ERLLOE = 0;
  MERKEMEMAVAIL = -5;
  NOTINVERS = true;
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
  WRITELN("Einstellungen / settings: " + ALT);
  WRITELN();
  WRITELN("Bye-bye!");
  WRITELN();
}

void KORVANDO() {
  ANFANGEN();
  merke_leerzeichen = X.leerzeichen != 0;
  WAEHLE_SPRACHE();
  if (SPRACHTASTE != TASTE_ESC) {
    bool ende = false;
    while (!ende) {
      // The menu entry point: the user's vacant-sign choice back, then save.
      X.leerzeichen = merke_leerzeichen ? 1 : 0;
      BEDINGUNGENSPEICHERN();
      bool zurueck_zum_eintritt = false;
      while (!ende && !zurueck_zum_eintritt) {
        TEXTATTR = STANDARDFARBE;
        CLRSCR();
        if (DEUTSCH)
          TITELD();
        else
          TITELE();
        switch (menuetaste()) {
          case '1':
            WAEHLE_SPRACHE();
            if (SPRACHTASTE == TASTE_ESC) ende = true;
            break;
          case '2':
            VIRTUALDATE = false;
            SCHREIBE_ZEIT_ORB();
            KORRIGIERE_ZEIT(DEUTSCH, STANDARDFARBE, HERVORHEBUNGSFARBE);
            break;
          case '3':
            SCHREIBE_ZEIT_ORB();
            KALENDER(DEUTSCH, STANDARDFARBE, HERVORHEBUNGSFARBE, VIRTUALDATE, VIRJ1, VIRM1, VIRT1,
                     VIRWT1);
            break;
          case '4':
            TEXTFARBE(DEUTSCH, FARBBILDSCHIRM, STANDARDFARBE, HERVORHEBUNGSFARBE);
            BEDINGUNGENSPEICHERN();
            break;
          case '5':
            X.leerzeichen = merke_leerzeichen ? 1 : 0;
            SP_D = DEUTSCH;
            OK = true;
            if (VIRTUALDATE) {
              ZWEITESDATUM();
              VIRTUALOLDDATE = true;
            }
            MEMAVAIL_ORB = SPEICHERBUDGET[SPEICHERWAHL];
            spielserie();
            zurueck_zum_eintritt = true;
            break;
          case '6':
            if (DEUTSCH)
              KURZANLEITUNGD(STANDARDFARBE, HERVORHEBUNGSFARBE);
            else
              KURZANLEITUNGE(STANDARDFARBE, HERVORHEBUNGSFARBE);
            break;
          case '7':
            if (DEUTSCH)
              SPIELANLEITUNGD(STANDARDFARBE, HERVORHEBUNGSFARBE);
            else
              SPIELANLEITUNGE(STANDARDFARBE, HERVORHEBUNGSFARBE);
            break;
          case '8':
            KONFIGURATION();
            BEDINGUNGENSPEICHERN();
            break;
          default:
            ende = true;
            break;
        }
      }
    }
  }
  BEDINGUNGENSPEICHERN();
  NOTEXIT();
}
