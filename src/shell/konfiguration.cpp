// The memory configuration page: terminal advice and the choice of the
// memory budget for the computer's search.
#include <string>

#include "console/console.h"
#include "engine/kvspiel.h"
#include "shell/kv.h"

namespace {

const char* const RAT_D[6] = {
    "Nach dem Start des Terminals waehlen Sie bitte \"Terminal\" -> \"Einstellungen ..\"",
    "und dort unter \"Codierung\" die Codierung \"Westeuropaeisch (DOS Latin 1)\", unter",
    "\"Allgemein\" Ihr Profil, unter \"Profile\" -> \"Text\" -> \"Schrift\" eine",
    "Schriftgroesse, bei der 80 Spalten und 25 Zeilen in das Fenster passen. Unter",
    "\"Profile\" -> \"Erweitert\" -> \"International\" stellen Sie bei \"Textcodierung\"",
    "ebenfalls \"Westeuropaeisch (DOS Latin 1)\" ein.",
};

const char* const RAT_E[6] = {
    "  After starting the terminal please choose 'Terminal' -> 'Preferences ...'",
    "  and there under 'Encodings' the encoding 'Western (DOS Latin 1)', under",
    "  'General' your profile, and under 'Profile' -> 'Text' -> 'Font' a font size",
    "  with which 80 columns and 25 rows fit into the window. Under 'Profile' ->",
    "  'Advanced' -> 'International' please set the 'Text encoding' to",
    "  'Western (DOS Latin 1)' as well.",
};

const char* const AUSWAHL_D[3] = {
    "Geben Sie unten ein,wieviel Speicherplatz dem Spiel zur Verfuegung stehen soll.",
    "Mit dem Speicherplatz begrenzen Sie gleichzeitig die Zeit, die der Computer zum",
    "Raten benoetigt. Bestaetigen Sie anschliessend die Auswahl mit \"CR\"/\"Enter\".",
};

const char* const AUSWAHL_E[3] = {
    "  Please choose now, how much memory (RAM) the game should be able to use.",
    "  The memory limits also the time, that the computer needs to guess.",
    "  Please confirm your choice by pressing the 'CR'/'Enter'-key.",
};

// The remark behind each budget, German and English ("" = none).
const char* const BEMERKUNG_D[9] = {
    "",
    "",
    "",
    "",
    "   Entspricht ungefaehr dem DOS-Protected-Mode.",
    "",
    "   Je mehr Speicher im Spiel genutzt wird, umso hoeher ist der",
    "   Ressourcenverbrauch (Zeit und Hauptspeicher RAM).",
    "   Auch ungewollte Spielabbrueche sind dann moeglich.",
};

const char* const BEMERKUNG_E[9] = {
    "",
    "",
    "",
    "",
    "   Corresponds approximately to DOS-Protected-Mode.",
    "",
    "   Versions which uses much memory (RAM) also need more time.",
    "   Even unintentional break-offs are possible.",
    "",
};

// The digit, the mark and the label of choice n at column 3 of its row.
void zeige_wahl(int n, bool markiert) {
  GOTOXY(3, 16 + n);
  TEXTATTR = markiert ? HERVORHEBUNGSFARBE : STANDARDFARBE;
  WRITE(std::string(1, static_cast<char>('0' + n)) + (markiert ? " (*): " : " ( ): ") +
        SPEICHERTEXT[n]);
  TEXTATTR = STANDARDFARBE;
  GOTOXY(3, 16 + n);
}

}  // namespace

void KONFIGURATION() {
  const bool d = DEUTSCH;
  leere_seite();
  GOTOXY(1, 2);
  WRITE(d ? "                            ***  Konfiguration  ***"
          : "                            ***  Configuration  ***");
  for (int i = 0; i < 6; ++i) {
    GOTOXY(1, 4 + i);
    WRITE(d ? RAT_D[i] : RAT_E[i]);
  }
  GOTOXY(1, 11);
  WRITE(" " + std::string(78, '_'));
  for (int i = 0; i < 3; ++i) {
    GOTOXY(1, 13 + i);
    WRITE(d ? AUSWAHL_D[i] : AUSWAHL_E[i]);
  }
  for (int n = 1; n <= 8; ++n) {
    GOTOXY(1, 16 + n);
    WRITE("  " + std::string(1, static_cast<char>('0' + n)) + " ( ): " + SPEICHERTEXT[n]);
    if (n == 1) {
      WRITE("   ");
      TEXTATTR = HERVORHEBUNGSFARBE;
      WRITE(d ? "Fuer kleine Geraete" : "For small devices");
      TEXTATTR = STANDARDFARBE;
      WRITE(d ? ", entspricht ungefaehr dem DOS-Real-Mode."
              : ", corresponds nearly to DOS-Real-Mode.");
    } else {
      WRITE(d ? BEMERKUNG_D[n] : BEMERKUNG_E[n]);
    }
  }
  if (SPEICHERWAHL < 1 || SPEICHERWAHL > 8) SPEICHERWAHL = 8;
  int gezeigt = SPEICHERWAHL;
  zeige_wahl(gezeigt, true);

  for (;;) {
    const unsigned char t = warte_auf_taste();
    int neu = gezeigt;
    if (t == TASTE_ERWEITERT) {
      const unsigned char t2 = READKEY();
      if (ist_eine_von(t2, FORMEN_UP))
        neu = gezeigt == 1 ? 8 : gezeigt - 1;
      else if (ist_eine_von(t2, FORMEN_DOWN))
        neu = gezeigt == 8 ? 1 : gezeigt + 1;
    } else if (t >= '1' && t <= '8') {
      neu = t - '0';
    } else if (t == TASTE_ENTER || ist_abbruchtaste(t)) {
      break;
    }
    if (neu != gezeigt) {
      zeige_wahl(gezeigt, false);
      zeige_wahl(neu, true);
      gezeigt = neu;
      SPEICHERWAHL = static_cast<std::uint8_t>(neu);
    }
  }
  TEXTATTR = STANDARDFARBE;
}
