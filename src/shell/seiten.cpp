// The title and language page, and the main menu page in both languages.
#include <string>

#include "console/console.h"
#include "shell/kv.h"

namespace {

const char* const TITEL = "Korvando";
const char* const PLATTFORM = "macOS";
const char* const WORTBREITE = "32";
const char* const VERSIONSDATUM = "2025-06-21";

// Writes a row at column 1; passages in braces are written emphasised.
void zeile(int y, std::string_view text) {
  GOTOXY(1, y);
  TEXTATTR = STANDARDFARBE;
  for (char c : text) {
    if (c == '{')
      TEXTATTR = HERVORHEBUNGSFARBE;
    else if (c == '}')
      TEXTATTR = STANDARDFARBE;
    else
      WRITE(c);
  }
  TEXTATTR = STANDARDFARBE;
}

// The last row: filled with blanks to 78 characters, no line end.
void letzte_zeile(std::string_view text) {
  std::string s(text);
  if (s.size() < 78) s.resize(78, ' ');
  zeile(25, s);
}

const char* const CREDITS[15] = {
    " Ein Spiel ums Ausdenken und Knacken geheimer Codes / a game of secret codes.",
    "",
    " Der Computer denkt sich den Code aus, raet ihn, tut beides oder leitet nur",
    " das Spiel zweier Menschen. Als Ratender sucht er nahezu optimal.",
    " The computer devises the code, breaks it, does both, or only leads a game",
    " of two people. As codebreaker it searches almost optimally.",
    "",
    " 2 bis 9 Stellen aus dem Ring der Zeichen 0..9, a..z, mit oder ohne",
    " Wiederholung, feste oder veraenderliche Loesung.",
    "",
    " 2 to 9 positions over the ring of signs 0..9, a..z, with or without",
    " repetition, a fixed or a variable answer code.",
    "",
    " Freie Software ohne Gewaehr / free software without warranty.",
    "",
};

}  // namespace

void leere_seite() {
  TEXTATTR = STANDARDFARBE;
  CLRSCR();
}

void WAEHLE_SPRACHE() {
  leere_seite();
  zeile(1, std::string("{ ********  ") + TITEL + "  ***  " + PLATTFORM + " - " + WORTBREITE +
               "-Bit - Version  " + VERSIONSDATUM + ".  ********}");
  for (int i = 0; i < 15; ++i) zeile(3 + i, CREDITS[i]);
  zeile(19, "{ Deutsch:}");
  zeile(20, " Wollen Sie \"Deutsch\" als Sprache waehlen, So druecken Sie bitte \"d\" oder \"D\".");
  zeile(21, " Wollen Sie das Programm beenden, So druecken Sie bitte \"Esc\"/\"Escape\".");
  zeile(23, "{ English:}");
  zeile(24, " To choose 'English' as language, please press 'e' or 'E'.");
  letzte_zeile(" To leave the program, please press 'Esc'/'Escape'.");

  SPRACHTASTE = 0;
  while (SPRACHTASTE == 0) {
    const unsigned char t = READKEY();
    if (t == 'd' || t == 'D')
      SPRACHTASTE = 'd';
    else if (t == 'e' || t == 'E')
      SPRACHTASTE = 'e';
    else if (ist_abbruchtaste(t))
      SPRACHTASTE = TASTE_ESC;
    else if (t == TASTE_ERWEITERT)
      READKEY();
  }
  DEUTSCH = SPRACHTASTE != 'e';
}

void TITELD() {
  zeile(1, "                              {Bedienungsanleitung:}");
  zeile(3, "  Die Bedienung erfolgt ausschliesslich ueber die Tastatur. Jeder widerspruchs-");
  zeile(4, " freie Befehl wird sofort ohne Bestaetigung durch {\"CR\"}/{\"Enter\"} ausgefuehrt:");
  zeile(6, " - Mit {\"Esc\"}/{\"Escape\"} koennen Sie immer aus dem Programm fluechten, wenn Sie");
  zeile(7, "   einmal nicht mehr weiter wissen.");
  zeile(8,
        " - {\"Backspace\"}/{\"<--\"}/{\"Ctrl H\"}/{\"Strg H\"} und {\"PgUp\"} blaettern Texte "
        "zurueck.");
  zeile(9, " - {Jeder andere Tastendruck} blaettert hingegen vorwaerts.");
  zeile(10, " - Die {Ziffern- und Buchstabentasten} dienen der Auswahl, Eingabe und Aenderung.");
  zeile(11, "   (Falls der Ziffernblock nicht aktiv ist, bitte die Taste {\"Num\"} druecken oder");
  zeile(12, "   die Tasten oberhalb des Buchstaben-Blockes verwenden.)");
  zeile(13,
        " - {\"CR\"}/{\"Enter\"} uebernimmt einen vorgegebenen Wert und setzt das Programm fort.");
  zeile(14,
        " - {\"Backspace\"}/{\"<--\"}/{\"Ctrl H\"}/{\"Strg H\"} und beim Raten {\"del\"} sind zur "
        "Korrektur.");
  zeile(15, " - Die Funktionstaste {\"F4\"} erzwingt eine baldige Beendigung des Ratevorganges.");
  zeile(16, " - Mit den Cursortasten {<-} und {->} koennen Sie sich beim Raten im Code bewegen.");
  zeile(17,
        " - {\" \"} bzw. {\"*\"} stehen fuer das Leerzeichen, falls es beim Raten erlaubt ist.");
  zeile(19, "                                {Bitte waehlen Sie:}");
  zeile(21, " 1 - Sprache aendern.                     5 - Das Spiel beginnt.");
  zeile(22, " 2 - Datum/Uhrzeit anzeigen/einstellen.   6 - Kurze Spielanleitung.  (1 Seite)");
  zeile(23, " 3 - Wochentagskalender von 0000 - 9999/  7 - Genaue Spielanleitung. (4 Seiten)");
  zeile(24, "     Virtuelles Spieldatum.               8 - Konfiguration.         (1 Seite)");
  letzte_zeile(" 4 - Bringen Sie Farbe ins Spiel.         9 - Programm beenden.");
}

void TITELE() {
  zeile(1, "                             {Operating instructions:}");
  zeile(3, " Korvando expects an input exclusively with the keyboard. Each consistent");
  zeile(4, " command will be realized immediately without pressing the {'CR'}/{'Enter'}-key:");
  zeile(6, " - With {'Esc'}/{'Escape'} you always can escape from the program, if you do not");
  zeile(7, "   know, what to do.");
  zeile(8, " - {'Backspace'}/{'<--'}/{'Ctrl H'}/{'Strg H'} and {'PgUp'} show the previous page.");
  zeile(9, " - Pressing {any other key} shows the next page of a text.");
  zeile(10, " - Use the {number- and characterkeys} for inputs, to select or to change");
  zeile(11, "   something. (If the numbers are not activ, please press the {'Num'}-key or use");
  zeile(12, "   the keys above the characters.)");
  zeile(13, " - {'CR'}/{'Enter'} accepts the proposition from the pc or continues the program.");
  zeile(14,
        " - Use {'Backspace'}/{'<--'}/{'Ctrl H'}/{'Strg H'} and while guessing {'del'} to "
        "correct.");
  zeile(15, " - The functionkey {'F4'} terminates soon the guessing of the computer.");
  zeile(16, " - Use the cursorkeys {'<-'} and {'->'}, to move the cursor while guessing.");
  zeile(17, " - While guessing use {' '} respectively {'*'} for the vacant sign when allowed.");
  zeile(19, "                               {Please choose now:}");
  zeile(21, " 1 - Change the language.        5 - The game starts.");
  zeile(22, " 2 - Show/change date/time.      6 - Short instruction of the game.   (1 page)");
  zeile(23, " 3 - Calendar from 0000 to 9999/ 7 - Detailed instruction of the game.(4 pages)");
  zeile(24, "     Virtual date of the game.   8 - Configuration.                   (1 page)");
  letzte_zeile(" 4 - Lend colour to the game.    9 - End of the game.");
}
