// The clock panel of the game board: date and time of day, game duration,
// thinking and answering time, and the progress line of a search. The routine
// is called between key polls and inside long computations; it reads the
// clock, and redraws at most once a second only what changed.
//
// The flags. ZEITEIN: the clocks run; the play driver sets it when a game
// starts, and the end of the game, an abort (abbruch_aufraeumen), a solved
// code or a failed store build clear it; while it is false the routine only
// follows the change of day. RATENDRAN: the codebreaker is on the move (the
// computer searching, a person typing a trial), set and cleared by the
// turns; thinking time accrues exactly while it holds, the rest of the game
// is answering time. The first call after a change (RATENDRAN_ALT) opens or
// closes the thinking period. SETZE_RATE_ZEIT_AKT and
// SETZEZEITLETZTERVERSUCH are requests of the builds and the search: the
// next call stamps the start of the search and the time of its last item,
// and clears them. RATEN_ZEITANZEIGE: row 25 shows the progress of a build
// or a search (stars, time on the trial, time still needed), set by the
// builds and the search and cleared when they end. NEUER_KANDIDAT: the
// search put a new candidate into kandidat_anzeige; the next redraw writes
// it and clears the flag.
//
// Invariants: stamps are hundredths since midnight, and a span that comes
// out negative has passed midnight and gets a day; a clock that reached 100
// hours stands at 99.59.59 (its KL100 flag false) until uhren_nullstellen.
#include <cstdint>
#include <cstring>
#include <string>

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {

constexpr std::int32_t TAG_IN_HSEK = 8640000;       // hundredths in a day
constexpr std::int32_t HUNDERT_STUNDEN = 36000000;  // hundredths in 100 hours
constexpr std::int64_t GROESSTE_ZEIT = 2147483647;

std::int32_t jetzt() {
  return STD * 360000 + MIN * 6000 + SEK * 100 + HSEK;
}

// A difference of two stamps; a negative one has passed midnight.
std::int32_t spanne(std::int32_t spaeter, std::int32_t frueher) {
  std::int32_t d = spaeter - frueher;
  if (d < 0) d += TAG_IN_HSEK;
  return d;
}

std::string zwei(unsigned n) {
  return {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10)};
}

// A year in four digits at least: the day after 31 December 9999 is in 10000.
std::string vier(unsigned n) {
  return n >= 10000 ? std::to_string(n) : zwei(n / 100) + zwei(n % 100);
}

bool schaltjahr(unsigned j) {
  return (j % 4 == 0 && j % 100 != 0) || j % 400 == 0;
}

// Sets the system date to the day after the one it shows.
void naechster_tag() {
  std::uint16_t j, m, t, wt;
  GETDATE(j, m, t, wt);
  SCHALT_J = schaltjahr(j);
  static const std::uint8_t LAENGE[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const unsigned letzter = (m == 2 && SCHALT_J) ? 29 : (m >= 1 && m <= 12 ? LAENGE[m] : 31);
  if (t < letzter) {
    ++t;
  } else if (m < 12) {
    t = 1;
    ++m;
  } else {
    if (j >= 9999) return;
    t = 1;
    m = 1;
    ++j;
  }
  SETDATE(j, m, t);
}

std::string datum_deutsch() {
  static const char* const WOCHENTAG[7] = {"Sonntag, ",    "Montag, ",  "Dienstag, ", "Mittwoch, ",
                                           "Donnerstag, ", "Freitag, ", "Samstag, "};
  std::string s = WOCHENTAG[WOTAG % 7] + std::to_string(TAG) + "." + std::to_string(MONAT) + "." +
                  vier(JAHR) + ",";
  s.resize(23, ' ');
  return s;
}

std::string datum_englisch() {
  static const char* const VOLL[7] = {"Sunday, ",   "Monday, ", "Tuesday, ", "Wednesday, ",
                                      "Thursday, ", "Friday, ", "Saturday, "};
  static const char* const KURZ[7] = {"Sunday, ", "Monday, ", "Tues., ", "Weds., ",
                                      "Thurs., ", "Friday, ", "Sat., "};
  static const char* const MONATE[13] = {"",      "Jan. ", "Feb. ", "March ", "April ",
                                         "May ",  "June ", "July ", "Aug. ",  "Sept. ",
                                         "Oct. ", "Nov. ", "Dec. "};
  const char* endung = "th ";
  if (TAG == 1 || TAG == 21 || TAG == 31)
    endung = "st ";
  else if (TAG == 2 || TAG == 22)
    endung = "nd ";
  else if (TAG == 3 || TAG == 23)
    endung = "rd ";
  const std::string rest = std::to_string(TAG) + endung +
                           MONATE[MONAT >= 1 && MONAT <= 12 ? MONAT : 0] + vier(JAHR) + ",";
  std::string s = VOLL[WOTAG % 7] + rest;
  if (s.size() > 24) s = KURZ[WOTAG % 7] + rest;
  s.resize(24, ' ');
  return s;
}

// The last drawn hours, minutes and seconds of one display.
struct Stand {
  std::uint16_t& std;
  std::uint16_t& min;
  std::uint16_t& sek;
};

// Draws hh t1 mm t2 ss from column x of row y: everything on a new hour, from
// the minutes on a new minute, otherwise the seconds (the units alone while
// the tens stay). h is the hour as compared, h_text the hour as shown.
void zeichne(int x, int y, unsigned h, unsigned h_text, const char* t1, unsigned m, const char* t2,
             unsigned s, Stand alt) {
  const int x_min = x + 2 + static_cast<int>(std::strlen(t1));
  const int x_sek = x_min + 2 + static_cast<int>(std::strlen(t2));
  if (h != alt.std) {
    GOTOXY(x, y);
    WRITE(zwei(h_text) + t1 + zwei(m) + t2 + zwei(s));
  } else if (m != alt.min) {
    GOTOXY(x_min, y);
    WRITE(zwei(m) + t2 + zwei(s));
  } else if (s != alt.sek) {
    if (s / 10 != alt.sek / 10u) {
      GOTOXY(x_sek, y);
      WRITE(zwei(s));
    } else {
      GOTOXY(x_sek + 1, y);
      WRITE(static_cast<char>('0' + s % 10));
    }
  }
  alt.std = static_cast<std::uint16_t>(h);
  alt.min = static_cast<std::uint16_t>(m);
  alt.sek = static_cast<std::uint16_t>(s);
}

// One clock of hundredths, frozen at 99.59.59 from 100 hours on.
void zeige_uhr(std::int64_t wert, int x, int y, const char* t1, const char* t2, std::uint16_t& h,
               std::uint16_t& m, std::uint16_t& s, Stand alt, bool* unter_100) {
  if (unter_100 && !*unter_100) return;
  if (wert >= HUNDERT_STUNDEN) {
    h = 99;
    m = 59;
    s = 59;
    if (unter_100) *unter_100 = false;
  } else {
    h = static_cast<std::uint16_t>(wert / 360000);
    m = static_cast<std::uint16_t>(wert % 360000 / 6000);
    s = static_cast<std::uint16_t>(wert % 6000 / 100);
  }
  zeichne(x, y, h, h, t1, m, t2, s, alt);
}

void zeige_tageszeit() {
  if (SP_D) {
    zeichne(16, 20, STD, STD % 24, ".", MIN, " Uhr, ", SEK, {STD_ALT, MIN_ALT, SEK_ALT});
    return;
  }
  const unsigned h24 = STD % 24;
  const unsigned h12 = (h24 == 0 || h24 == 12) ? 12 : h24 % 12;
  zeichne(15, 20, STD, h12, ":", MIN, h24 < 12 ? " a.m., " : " p.m., ", SEK,
          {STD_ALT, MIN_ALT, SEK_ALT});
}

// t x rest div done - min(s, p), in 64 bits, capped at the largest 32-bit value.
std::int32_t schaetzung(std::int64_t t, std::int64_t rest, std::int64_t erledigt, std::int64_t s,
                        std::int64_t p) {
  std::int64_t r = t * rest / erledigt - (s < p ? s : p);
  if (r > GROESSTE_ZEIT) r = GROESSTE_ZEIT;
  return static_cast<std::int32_t>(r);
}

void schreibe_sterne(std::uint32_t n) {
  GOTOXY(44, 25);
  WRITE(std::string(n, '*'));
}

void zeige_suche(int wx, int wy, std::int32_t nun) {
  if (NEUER_KANDIDAT) {
    NEUER_KANDIDAT = false;
    GOTOXY(wx, wy);
    const int l = X.laenge >= 1 && X.laenge <= 9 ? X.laenge : 9;
    WRITE(std::string_view(kandidat_anzeige.z, static_cast<std::size_t>(l)));
  }
  const std::int32_t t = spanne(MERKEZEITLETZTERVERSUCH, MERKE_RATE_ZEIT_AKT);
  if (t <= 0 || GERATENE_VERSUCHE == 0 || GERATENE_VERSUCHE >= ZAHL_DER_VERSUCHE) {
    RESTZEIT = 0;
    if (GERATENE_VERSUCHE >= ZAHL_DER_VERSUCHE) {
      ZAHL_DER_STERNE = 10;
      schreibe_sterne(10);
    }
  } else {
    const std::int64_t g = GERATENE_VERSUCHE;
    const std::int32_t s = spanne(nun, MERKEZEITLETZTERVERSUCH);
    const std::int32_t p = static_cast<std::int32_t>(t / g);
    RESTZEIT = schaetzung(t, static_cast<std::int64_t>(ZAHL_DER_VERSUCHE) - g, g, s, p);
    if (ZEITLIMIT_GR_0) {
      const std::int64_t bis_limit = static_cast<std::int64_t>(ZEITLIMIT99) - t;
      if (bis_limit < RESTZEIT) RESTZEIT = static_cast<std::int32_t>(bis_limit < 0 ? 0 : bis_limit);
      if (g <= NUMMER_PLUS) {
        RESTZEIT2 = schaetzung(t, static_cast<std::int64_t>(NUMMER_PLUS) - g, g, s, p);
        if (RESTZEIT2 > RESTZEIT) RESTZEIT = RESTZEIT2;
      }
      std::uint32_t nach_zeit =
          ZEITLIMIT_DIV_10 ? static_cast<std::uint32_t>(t) / ZEITLIMIT_DIV_10 : 10;
      if (nach_zeit > 10) nach_zeit = 10;
      const std::uint64_t nach_menge =
          NUMMER_PLUS ? 10 * static_cast<std::uint64_t>(g) / NUMMER_PLUS : 10;
      const std::uint32_t sterne =
          nach_menge < nach_zeit ? static_cast<std::uint32_t>(nach_menge) : nach_zeit;
      if (sterne > ZAHL_DER_STERNE) {
        schreibe_sterne(sterne);
        ZAHL_DER_STERNE = sterne;
      }
    }
  }
  SPIELZEIT = spanne(nun, MERKE_RATE_ZEIT_AKT);
  zeige_uhr(SPIELZEIT, 35, 25, ".", ".", STD_GERATEN, MIN_GERATEN, SEK_GERATEN,
            {STD_GERATEN_ALT, MIN_GERATEN_ALT, SEK_GERATEN_ALT}, &ZEIT_GERATEN_KL100);
  if (RESTZEIT >= 0)
    zeige_uhr(RESTZEIT, 72, 25, ".", ".", STD_REST, MIN_REST, SEK_REST,
              {STD_REST_ALT, MIN_REST_ALT, SEK_REST_ALT}, nullptr);
}

}  // namespace

std::int32_t uhr_jetzt() {
  GETTIME(STD, MIN, SEK, HSEK);
  return jetzt();
}

std::int32_t uhr_spanne(std::int32_t spaeter, std::int32_t frueher) {
  return spanne(spaeter, frueher);
}

void uhren_nullstellen() {
  STD_SPIEL = MIN_SPIEL = SEK_SPIEL = 0;
  STD_RATEN = MIN_RATEN = SEK_RATEN = 0;
  STD_ANTW = MIN_ANTW = SEK_ANTW = 0;
  STD_GERATEN = MIN_GERATEN = SEK_GERATEN = 0;
  STD_REST = MIN_REST = SEK_REST = 0;
  STD_ALT_SPIEL = MIN_ALT_SPIEL = SEK_ALT_SPIEL = 0;
  STD_ALT_RATEN = MIN_ALT_RATEN = SEK_ALT_RATEN = 0;
  STD_ALT_ANTW = MIN_ALT_ANTW = SEK_ALT_ANTW = 0;
  STD_GERATEN_ALT = MIN_GERATEN_ALT = SEK_GERATEN_ALT = 0;
  STD_REST_ALT = MIN_REST_ALT = SEK_REST_ALT = 0;
  STD_SPIEL_KL100 = STD_RATEN_KL100 = STD_ANTW_KL100 = ZEIT_GERATEN_KL100 = true;
}

void uhren_starten() {
  GETTIME(STD, MIN, SEK, HSEK);
  STD_MOD24 = static_cast<std::uint16_t>(STD % 24);
  if (VIRTUALDATE) {
    JAHR = VIRJ1;
    MONAT = VIRM1;
    TAG = VIRT1;
    WOTAG = VIRWT1;
    VIRTUALOLDDATE = true;
  } else {
    GETDATE(JAHR, MONAT, TAG, WOTAG);
  }
  ANFANGSZEIT = jetzt() - HSEK;
  AKTUELLEZEIT = ANFANGSZEIT;
  HILFSZEIT = 0;
  RATE_ZEIT = 0;
  MERKE_RATE_ZEIT = jetzt();
  uhren_nullstellen();
  TAG_ALT = TAG;
  STD_ALT = STD;
  MIN_ALT = MIN;
  // The board shows no seconds yet: an impossible last second has both
  // digits written at the first call.
  SEK_ALT = 60;
}

namespace {

// The stamps taken at this call: the start of a thinking period (its end
// adds it to HILFSZEIT), and the stamps the search and the builds ask for.
void setze_stempel(std::int32_t nun) {
  if (RATENDRAN != RATENDRAN_ALT) {
    RATENDRAN_ALT = RATENDRAN;
    if (RATENDRAN)
      MERKE_RATE_ZEIT = nun;
    else
      HILFSZEIT += spanne(nun, MERKE_RATE_ZEIT);
  }
  if (SETZE_RATE_ZEIT_AKT) {
    MERKE_RATE_ZEIT_AKT = nun;
    SETZE_RATE_ZEIT_AKT = false;
  }
  if (SETZEZEITLETZTERVERSUCH) {
    MERKEZEITLETZTERVERSUCH = nun;
    SETZEZEITLETZTERVERSUCH = false;
  }
}

// The date to show: the virtual game date and its following day once the
// game has passed midnight, else the system's.
void lies_datum() {
  if (!VIRTUALDATE) {
    GETDATE(JAHR, MONAT, TAG, WOTAG);
    return;
  }
  const bool alter_tag = AKTUELLEZEIT >= ANFANGSZEIT;
  if (alter_tag == VIRTUALOLDDATE) return;
  VIRTUALOLDDATE = alter_tag;
  JAHR = alter_tag ? VIRJ1 : VIRJ2;
  MONAT = alter_tag ? VIRM1 : VIRM2;
  TAG = alter_tag ? VIRT1 : VIRT2;
  WOTAG = alter_tag ? VIRWT1 : VIRWT2;
}

void zeige_datum() {
  if (TAG == TAG_ALT) return;
  TAG_ALT = TAG;
  GOTOXY(SP_D ? 16 : 15, 19);
  WRITE(SP_D ? datum_deutsch() : datum_englisch());
}

// Game duration, thinking time and answering time (the game duration less
// the whole seconds of thinking).
void zeige_spieluhren(std::int32_t nun, std::int32_t dauer) {
  RATE_ZEIT = RATENDRAN ? HILFSZEIT + spanne(nun, MERKE_RATE_ZEIT) : HILFSZEIT;
  std::int64_t antwort = static_cast<std::int64_t>(dauer) - RATE_ZEIT / 100 * 100;
  if (antwort < 0) antwort = 0;
  const int x = SP_D ? 16 : 15;
  const char* t1 = SP_D ? " Std. " : " hours ";
  const char* t2 = SP_D ? " Min. " : " min. ";
  zeige_uhr(dauer, x, 21, t1, t2, STD_SPIEL, MIN_SPIEL, SEK_SPIEL,
            {STD_ALT_SPIEL, MIN_ALT_SPIEL, SEK_ALT_SPIEL}, &STD_SPIEL_KL100);
  zeige_uhr(RATE_ZEIT, x, 22, t1, t2, STD_RATEN, MIN_RATEN, SEK_RATEN,
            {STD_ALT_RATEN, MIN_ALT_RATEN, SEK_ALT_RATEN}, &STD_RATEN_KL100);
  zeige_uhr(antwort, x, 23, t1, t2, STD_ANTW, MIN_ANTW, SEK_ANTW,
            {STD_ALT_ANTW, MIN_ALT_ANTW, SEK_ALT_ANTW}, &STD_ANTW_KL100);
}

}  // namespace

void SCHREIBE_ZEIT_ORB() {
  const int wx = WHEREX(), wy = WHEREY();
  GETTIME(STD, MIN, SEK, HSEK);
  STD_MOD24 = static_cast<std::uint16_t>(STD % 24);
  if (STD / 24 > TAGES_WECHSEL) {
    ++TAGES_WECHSEL;
    naechster_tag();
  }
  if (!ZEITEIN) return GOTOXY(wx, wy);

  const std::int32_t nun = jetzt();
  setze_stempel(nun);
  // The time on the trial to the hundredth at every call: the time limit
  // is checked against it; the line shows it once a second.
  if (RATEN_ZEITANZEIGE) SPIELZEIT = spanne(nun, MERKE_RATE_ZEIT_AKT);
  if (SEK == SEK_ALT) return GOTOXY(wx, wy);

  AKTUELLEZEIT = nun - HSEK;
  const std::int32_t dauer = spanne(AKTUELLEZEIT, ANFANGSZEIT);
  lies_datum();
  zeige_datum();
  zeige_tageszeit();
  zeige_spieluhren(nun, dauer);
  if (RATEN_ZEITANZEIGE) zeige_suche(wx, wy, nun);
  GOTOXY(wx, wy);
}
