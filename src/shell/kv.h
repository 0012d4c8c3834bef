// KV, the main program: start-up, the main menu, the conditions file, the
// conditions form, the board, the play loop and the configuration page.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/kvspiel.h"

// ---- types of the module's variables
struct kv_datum {
  std::uint16_t jahr, monat, tag, wotag;  // weekday 0 = Sunday
};
struct kv_uhrzeit {
  std::uint16_t stunde, minute, sekunde, hundertstel;
};
using ja_nein_tabelle = std::array<std::array<const char*, 2>, 2>;

// ---- the module's variables
// Every variable of KV stands once in this list, with its start value and
// its meaning: the declarations here, the definitions in kv_state.cpp and
// kv_reset() all come from it, so a new variable cannot miss the reset. An
// entry is V(type, name, start value...): the start value may be left out
// (zero, false, null or empty then); a type with a comma gets a `using` name
// first; an array is a std::array, so that the reset can assign it. The
// variables keep their plain names.
#define KV_VARIABLEN(V)                                                                       \
  /* ---- language and colours */                                                             \
  V(bool, DEUTSCH, true)                  /* German screens */                                \
  V(unsigned char, SPRACHTASTE, 'd')      /* key that ended the language page: 'd', 'e' or    \
                                             TASTE_ESC */                                     \
  V(bool, FARBBILDSCHIRM, true)           /* the console runs in the colour text mode */      \
  V(std::uint8_t, STANDARDFARBE, 31)      /* attribute of standard text */                    \
  V(std::uint8_t, HERVORHEBUNGSFARBE, 30) /* attribute of emphasised text */                  \
  /* ---- memory budget choice */                                                             \
  V(std::uint8_t, SPEICHERWAHL, 8) /* 1..8, field 4 of the conditions */                      \
  /* ---- the user's own vacant-sign choice (a game may change field 10 for itself) */        \
  V(bool, merke_leerzeichen)                                                                  \
  /* ---- console and system settings saved at start-up, restored at the end */               \
  V(bool, alt_checkbreak)                                                                     \
  V(bool, alt_systembreak)                                                                    \
  V(bool, alt_verify)                                                                         \
  V(std::uint8_t, alt_textattr, 7)                                                            \
  V(std::uint8_t, alt_lastmode, 3)                                                            \
  V(bool, alt_directvideo)                                                                    \
  V(bool, alt_checksnow)                                                                      \
  /* ---- start date and time, and the copy of the date kept for the end */                   \
  V(kv_datum, startdatum)                                                                     \
  V(kv_uhrzeit, startzeit)                                                                    \
  V(kv_datum, endedatum)                                                                      \
  /* ---- texts */                                                                            \
  V(ja_nein_tabelle, JA_NEIN_TEXTE, {{"", ""}, {"", ""}}) /* [English][yes]: "Ja.  ",         \
                                                               "Nein.", "Yes. ", "No.  " */   \
  V(std::string, PROZESSORZEILE_D) /* processor line of the board, German */                  \
  V(std::string, PROZESSORZEILE_E) /* and English */                                          \
  /* ---- the conditions file */                                                              \
  V(std::string, PROGRAMMVERZEICHNIS) /* directory of the program, ending in "/" */           \
  V(bool, IM_BAUORDNER)               /* the program runs in its build folder (the build's    \
                                         marker lies beside it), not installed */             \
  V(std::string, ALT)                 /* path of BEDINGUN.DAT; empty when there is none (an   \
                                         installed program without a settings folder) */      \
  V(std::string, EINSTELLUNGSORDNER)  /* the player's settings folder that holds ALT, made at \
                                         the first save; empty when ALT lies beside the       \
                                         program */                                           \
  V(bool, KANN_LESEN)                 /* a record could be read at start-up */                \
  V(std::string, SPEICHERFEHLER)      /* why the last save failed; empty after a save that    \
                                         succeeded */                                         \
  V(int, SCHIRMANFANG)                                                                        \
  /* ---- the conditions form */                                                              \
  V(bool, name1_bestaetigt, true) /* true from the entry into the form (menu or new game)     \
                                     until the choice prompt has been shown: while it holds,  \
                                     the name of player 1 is not asked */                     \
  /* ---- the board and the play loop */                                                      \
  V(std::uint8_t, max_versuche) /* N: trials that always crack the code, 0 = no count */      \
  V(bool, max_versuche_bekannt) /* N > 0 */                                                   \
  V(std::string, muster_text, std::string(12, ' ')) /* the 12 characters of the opening       \
                                                         pattern for row 5 */                 \
  V(bool, abbruch)   /* the game was ended by Esc or Ctrl-C, or could not start */            \
  V(bool, WEITER)    /* the game goes on */                                                   \
  V(std::uint8_t, L) /* ring slot 1..30 of the newest trial after the thirtieth */

#define KV_DEKLARATION(typ, name, ...) extern typ name;
KV_VARIABLEN(KV_DEKLARATION)
#undef KV_DEKLARATION

// Every variable back to its start value (for the tests).
void kv_reset();

// ---- start-up, menu and end
void KORVANDO();
void ANFANGEN();
void NOTEXIT();

// ---- the conditions file
// Where the conditions are kept (IM_BAUORDNER, ALT, EINSTELLUNGSORDNER): a
// program in its build folder keeps them beside itself when this user may
// save there, else in the player's settings folder; an installed program
// always in the settings folder, never under its prefix.
void waehle_bedingungsdatei();
void lade_bedingungen();  // read, check and correct at start-up
void pruefe_farben();     // colour rules of fields 0 and 1 for the chosen text mode
void BEDINGUNGENSPEICHERN();
// The farewell's line on the settings: the file saved, or why it was not.
std::string einstellungszeile();

// ---- the command line, before the console starts
// True when the arguments end the program at once (--help, --version, or an
// argument it does not take), with the exit status; false for none.
bool behandle_argumente(int argc, const char* const* argv, int& status);

// ---- the virtual game date: its following day into VIRJ2.. from VIRJ1..
void ZWEITESDATUM();

// ---- pages
void leere_seite();  // clears the screen in the standard colour
void WAEHLE_SPRACHE();
void TITELD();
void TITELE();

// ---- a series of games: the conditions form and the play loop; returns to the menu
void spielserie();

// ---- the conditions form
// Draws the whole form from X, SPEICHERWAHL, DEUTSCH and the capacity table.
void BILDSCHIRM();
// Entry of one name in its slot (row 22 + welcher, column 38); the key that
// ended it: 'j' (confirmed), 8 (back one field), 2 or 27 (restart the walk).
void LESE_NAMEN(std::uint8_t welcher, namensfeld& name, unsigned char& taste);
// The form from its entry to the choice: true = play, false = back to the menu.
bool bedingungen_formular();

// ---- the board and the play loop
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
