// KV, the main program: start-up, the main menu, the conditions file, the
// conditions form, the board, the play loop and the configuration page.
// Every variable of the module is declared here; kv_reset() puts them back to
// their start values (for the tests).
#pragma once

#include <cstdint>
#include <string>

#include "engine/kvspiel.h"

// ---- language and colours
extern bool DEUTSCH;                     // German screens
extern unsigned char SPRACHTASTE;        // key that ended the language page: 'd', 'e' or 27
extern bool FARBBILDSCHIRM;              // the console runs in the colour text mode
extern std::uint8_t STANDARDFARBE;       // attribute of standard text
extern std::uint8_t HERVORHEBUNGSFARBE;  // attribute of emphasised text

// ---- memory budget choice
extern std::uint8_t SPEICHERWAHL;  // 1..8, field 4 of the conditions

// ---- the user's own vacant-sign choice (a game may change field 10 for itself)
extern bool merke_leerzeichen;

// ---- console and system settings saved at start-up, restored at the end
extern bool alt_checkbreak, alt_systembreak, alt_verify;
extern std::uint8_t alt_textattr, alt_lastmode;
extern bool alt_directvideo, alt_checksnow;

// ---- start date and time, and the copy of the date kept for the end
extern std::uint16_t start_jahr, start_monat, start_tag, start_wotag;
extern std::uint16_t start_std, start_min, start_sek, start_hsek;
extern std::uint16_t ende_jahr, ende_monat, ende_tag, ende_wotag;

// ---- texts
extern const char* JA_NEIN_TEXTE[2][2];  // [English][yes]: "Ja.  ", "Nein.", "Yes. ", "No.  "
extern std::string PROZESSORZEILE_D;     // processor line of the board, German
extern std::string PROZESSORZEILE_E;     // and English

// ---- the conditions file
extern std::string PROGRAMMVERZEICHNIS;  // directory of the program, ending in "/"
extern std::string ALT;                  // path of BEDINGUN.DAT
// The player's settings folder that holds ALT, made at the first save; empty
// when ALT lies beside the program.
extern std::string EINSTELLUNGSORDNER;
extern bool KANN_LESEN;  // a record could be read at start-up
extern int SCHIRMANFANG;

void kv_reset();

// ---- start-up, menu and end
void KORVANDO();
void ANFANGEN();
void NOTEXIT();

// ---- the conditions file
// Where the conditions are kept (ALT, EINSTELLUNGSORDNER): beside the
// program when this user may save there, else in the player's settings folder.
void waehle_bedingungsdatei();
void lade_bedingungen();  // read, check and correct at start-up
void pruefe_farben();     // colour rules of fields 0 and 1 for the chosen text mode
void BEDINGUNGENSPEICHERN();

// ---- the virtual game date: its following day into VIRJ2.. from VIRJ1..
void ZWEITESDATUM();

// ---- pages
void WAEHLE_SPRACHE();
void TITELD();
void TITELE();

// ---- a series of games: the conditions form and the play loop; returns to the menu
void spielserie();

// ---- the conditions form
// True from the entry into the form (menu or new game) until the choice
// prompt has been shown: while it holds, the name of player 1 is not asked.
extern bool name1_bestaetigt;
// Draws the whole form from X, SPEICHERWAHL, DEUTSCH and the capacity table.
void BILDSCHIRM();
// Entry of one name in its slot (row 22 + welcher, column 38); the key that
// ended it: 'j' (confirmed), 8 (back one field), 2 or 27 (restart the walk).
void LESE_NAMEN(std::uint8_t welcher, namensfeld& name, unsigned char& taste);
// The form from its entry to the choice: true = play, false = back to the menu.
bool bedingungen_formular();

// ---- the board and the play loop
extern std::uint8_t max_versuche;  // N: trials that always crack the code, 0 = no count
extern bool max_versuche_bekannt;  // N > 0
extern std::string muster_text;    // the 12 characters of the opening pattern for row 5
extern bool abbruch;               // the game was ended by Esc or Ctrl-C, or could not start
extern bool WEITER;                // the game goes on
extern std::uint8_t L;             // ring slot 1..30 of the newest trial after the thirtieth

// The computer's fixed secret code into LOESUNG: independent positions, or
// distinct signs drawn from an urn.
void ziehe_geheimcode();
// Draws the whole board for the conditions of X (before the clocks start).
void zeichne_brett();
// Writes the game start into the clock panel: the date and time as the start
// (rows 17, 18) and as the current value (rows 19, 20; no seconds there).
void schreibe_spielbeginn(unsigned jahr, unsigned monat, unsigned tag, unsigned wotag,
                          unsigned stunde, unsigned minute, unsigned sekunde);
// The date of the clock panel, e.g. "Montag, 5.1.2026," or "Weds., 23rd March 2025,".
std::string brett_datum(bool deutsch, unsigned jahr, unsigned monat, unsigned tag, unsigned wotag);
// Hour and minutes (and the seconds when asked) into a time row of the clock panel.
void brett_zeit(bool deutsch, int y, unsigned stunde, unsigned minute, bool mit_sekunden,
                unsigned sekunde);
// Plays one game under the conditions of X and asks the new-game question:
// true = another game (back to the form), false = back to the menu.
bool spiele_partie();

// ---- configuration page
void KONFIGURATION();
