// ZUF, the extras: setting date and time, the weekday calendar with the
// virtual game date, and the colour scheme editor.
#pragma once

#include <cstdint>

// ================================================================ pages

void KORRIGIERE_ZEIT(bool deutsch, std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe);
void KALENDER(bool deutsch, std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe,
              bool& virtualdate, std::uint16_t& jahr, std::uint16_t& monat, std::uint16_t& tag,
              std::uint16_t& wochentag);
void TEXTFARBE(bool deutsch, bool farbbildschirm, std::uint8_t& standardfarbe,
               std::uint8_t& hervorhebungsfarbe);

// ================================================================ calendar rules
// Julian calendar up to Thursday 4 October 1582, Gregorian from Friday
// 15 October 1582 on; weekdays 0 = Sunday .. 6 = Saturday.

// Leap year of the calendar: up to 1582 every fourth year (0 included), from
// 1583 on centuries only when divisible by 400.
bool schaltjahr(std::uint16_t jahr);
// Leap year by the Gregorian rule alone (the system clock's rule).
bool schaltjahr_gregorianisch(std::uint16_t jahr);
// Days of the month (1..12) in a year with or without a leap day.
std::uint16_t monatslaenge(std::uint16_t monat, bool schalt);
// Weekday of a date of the calendar, 1 January 0000 .. 31 December 9999
// (the days 5 to 14 October 1582 do not exist).
std::uint16_t wochentag(std::uint16_t jahr, std::uint16_t monat, std::uint16_t tag);
// The day after a date of the calendar, with its weekday: 4 October 1582 is
// followed by 15 October 1582, 31 December 9999 by 1 January 10000.
void folgetag(std::uint16_t jahr, std::uint16_t monat, std::uint16_t tag, std::uint16_t wotag,
              std::uint16_t& jahr2, std::uint16_t& monat2, std::uint16_t& tag2,
              std::uint16_t& wotag2);

// ================================================================ the field editor
// Shared by the date-and-time page (live: every change goes to the system
// clock) and the calendar (no system call; weekday and leap year computed).

// A date with its weekday (0 = Sunday) and leap flag.
struct zuf_datum {
  std::uint16_t jahr, monat, tag, wotag;
  bool schalt;
};
// A time of day; stunde24 is the hour mod 24 that is shown.
struct zuf_zeit {
  std::uint16_t stunde, minute, sekunde, hundertstel, stunde24;
};

// What LIES_ZIFFER made of a key.
enum class zuf_taste : std::uint8_t { ziffer, ende, hoch, runter, links, rechts };

// ---- the module's variables
// Every variable of ZUF stands once in this list, with its start value and
// its meaning: the declarations here, the definitions in zuf_state.cpp and
// zuf_reset() all come from it, so a new variable cannot miss the reset. An
// entry is V(type, name, start value...): the start value may be left out
// (zero, false, null or empty then); a type with a comma gets a `using` name
// first; an array is a std::array, so that the reset can assign it. The
// variables keep their plain names.
#define ZUF_VARIABLEN(V)                                                                   \
  /* ---- working values: the date and time being shown and edited */                      \
  V(zuf_datum, arbeitsdatum)                                                               \
  V(zuf_zeit, arbeitszeit)                                                                 \
  /* ---- what is on the screen now (only changed fields are redrawn, and only changes are \
     sent to the system clock) */                                                          \
  V(zuf_datum, gezeigtes_datum)                                                            \
  V(zuf_zeit, gezeigte_zeit)                                                               \
  /* ---- the date taken when the page was opened: target of F1 */                         \
  V(zuf_datum, gemerktes_datum)                                                            \
  /* ---- the calendar: the real date at page entry, and while the page runs the           \
     virtual-date parameters of KALENDER (null outside the page) */                        \
  V(zuf_datum, reales_datum)                                                               \
  V(bool*, spieldatum_ein)                                                                 \
  V(std::uint16_t*, spieldatum_jahr)                                                       \
  V(std::uint16_t*, spieldatum_monat)                                                      \
  V(std::uint16_t*, spieldatum_tag)                                                        \
  V(std::uint16_t*, spieldatum_wotag)                                                      \
  /* ---- language of the field drawer, last key and digit */                              \
  V(bool, zuf_deutsch, true)                                                               \
  V(zuf_taste, zuf_letzte_taste, zuf_taste::ende)                                          \
  V(std::uint8_t, zuf_ziffer)

#define ZUF_DEKLARATION(typ, name, ...) extern typ name;
ZUF_VARIABLEN(ZUF_DEKLARATION)
#undef ZUF_DEKLARATION

// Every variable back to its start value (for the tests).
void zuf_reset();

// Redraws the fields that differ from what is shown. Live: reads the system
// date and time first; calendar: computes leap year and weekday.
void ZEIGE_DATUM(bool live);
// Reads keys until one classifies (digits only within niedrigste..hoechste);
// F1 in any shift state resets the date to the remembered one. Leaves the
// result in zuf_letzte_taste and zuf_ziffer, and returns it.
zuf_taste LIES_ZIFFER(bool live, std::uint8_t niedrigste, std::uint8_t hoechste);
// Corrects the working date; live: sets the system date when it changed.
void PRUEFE_DATUM(bool live);
// Corrects the working hour; sets the system time when it changed.
void SETZE_ZEIT();
// The calendar: the displayed date becomes the virtual game date, or the
// virtual date is switched off when the real date is displayed.
void UEBERNIMM_SPIELDATUM();

// The field block (rows 18..21, and 23..25 in live mode) with the shown values.
void schreibe_feldblock(bool live);
// The cursor loop over the digit positions from the first year digit until an
// end key.
void feldeditor(bool live);
// Clears the screen in the standard colour and writes the instructions of the
// date-and-time page or of the calendar in rows 1 to 17 (language: zuf_deutsch).
void schreibe_seitentext(bool kalender, std::uint8_t standardfarbe,
                         std::uint8_t hervorhebungsfarbe);
// Writes text with passages in braces {..} in the emphasis attribute.
void schreibe_markiert(const char* text, std::uint8_t standardfarbe,
                       std::uint8_t hervorhebungsfarbe);
