// The field editor of the date-and-time page and of the calendar: the field
// block, its drawer, the key reader, the date and time correctors and the
// cursor loop over the digit positions.
#include <cstdio>

#include "console/console.h"
#include "extras/zuf.h"

namespace {

const char* const MONATSNAMEN[2][12] = {
    {"Januar)   ", "Februar)  ", "Maerz)    ", "April)    ", "Mai)      ", "Juni)     ",
     "Juli)     ", "August)   ", "September)", "Oktober)  ", "November) ", "Dezember) "},
    {"January)  ", "February) ", "March)    ", "April)    ", "May)      ", "June)     ",
     "July)     ", "August)   ", "September)", "October)  ", "November) ", "December) "}};

// Weekday names with their full stop, filled to the width of the field.
const char* const WOCHENTAGE[2][7] = {{"Sonntag.   ", "Montag.    ", "Dienstag.  ", "Mittwoch.  ",
                                       "Donnerstag.", "Freitag.   ", "Samstag.   "},
                                      {"Sunday.   ", "Monday.   ", "Tuesday.  ", "Wednesday.",
                                       "Thursday. ", "Friday.   ", "Saturday. "}};

const char* monatsname(std::uint16_t monat) {
  return MONATSNAMEN[zuf_deutsch ? 0 : 1][(monat >= 1 && monat <= 12 ? monat : 1) - 1];
}
const char* wochentagsname(std::uint16_t wotag) {
  return WOCHENTAGE[zuf_deutsch ? 0 : 1][wotag % 7];
}

void zwei_ziffern(unsigned n) {
  WRITE(static_cast<char>('0' + n / 10 % 10));
  WRITE(static_cast<char>('0' + n % 10));
}
void vier_ziffern(unsigned n) {
  char s[8];
  std::snprintf(s, sizeof s, "%04u", n % 10000);
  WRITE(s);
}

// The 12-hour form from column 43 of the English hour line: "12 a" for hour
// 0, else the hour (minus 12 above 12), a blank and "a" or "p".
void zwoelf_stunden(std::uint16_t stunde) {
  if (stunde == 0) {
    WRITE("12 a");
    return;
  }
  zwei_ziffern(stunde > 12 ? stunde - 12u : stunde);
  WRITE(stunde < 12 ? " a" : " p");
}

// A two-digit field at column 37: both digits when the tens changed, else
// only the units digit at column 38.
void zweistellig(int zeile, std::uint16_t neu, std::uint16_t alt) {
  if (neu / 10 != alt / 10) {
    GOTOXY(37, zeile);
    zwei_ziffern(neu);
  } else {
    GOTOXY(38, zeile);
    WRITE(static_cast<char>('0' + neu % 10));
  }
}

const char* schaltjahr_rest(bool schalt) {
  if (zuf_deutsch) return schalt ? "ein Schaltjahr.) " : "kein Schaltjahr.)";
  return schalt ? "a leap-year.) " : "no leap-year.)";
}

// ---------------------------------------------------------------- drawing

// Live: the working date and time from the system clock.
void lies_systemuhr() {
  zuf_datum& d = arbeitsdatum;
  zuf_zeit& t = arbeitszeit;
  GETDATE(d.jahr, d.monat, d.tag, d.wotag);
  GETTIME(t.stunde, t.minute, t.sekunde, t.hundertstel);
  d.schalt = schaltjahr_gregorianisch(d.jahr);
  t.stunde24 = t.stunde % 24;
}

// Calendar: leap year and weekday of the working date.
void berechne_kalenderdatum() {
  zuf_datum& d = arbeitsdatum;
  d.schalt = schaltjahr(d.jahr);
  d.wotag = wochentag(d.jahr, d.monat, d.tag);
}

// A two-digit field at column 37 of a row, redrawn when its value changed.
void zeige_zweistellig(int zeile, std::uint16_t neu, std::uint16_t& gezeigt) {
  if (neu == gezeigt) return;
  zweistellig(zeile, neu, gezeigt);
  gezeigt = neu;
}

// The year with its leap-year remark (and February's length).
void zeige_geaendertes_jahr(const zuf_datum& d, zuf_datum& g) {
  if (d.jahr != g.jahr) {
    GOTOXY(37, 18);
    vier_ziffern(d.jahr);
    g.jahr = d.jahr;
  }
  if (d.schalt == g.schalt) return;
  GOTOXY(zuf_deutsch ? 47 : 46, 18);
  WRITE(schaltjahr_rest(d.schalt));
  if (d.monat == 2) {
    GOTOXY(33, 20);
    WRITE(d.schalt ? '9' : '8');
  }
  g.schalt = d.schalt;
}

// The month with its name and its number of days.
void zeige_geaenderten_monat(const zuf_datum& d, zuf_datum& g) {
  if (d.monat == g.monat) return;
  zweistellig(19, d.monat, g.monat);
  GOTOXY(43, 19);
  WRITE(monatsname(d.monat));
  GOTOXY(32, 20);
  zwei_ziffern(monatslaenge(d.monat, d.schalt));
  g.monat = d.monat;
}

void zeige_geaendertes_datum() {
  const zuf_datum& d = arbeitsdatum;
  zuf_datum& g = gezeigtes_datum;
  zeige_geaendertes_jahr(d, g);
  zeige_geaenderten_monat(d, g);
  zeige_zweistellig(20, d.tag, g.tag);
  if (d.wotag != g.wotag) {
    GOTOXY(37, 21);
    WRITE(wochentagsname(d.wotag));
    g.wotag = d.wotag;
  }
}

void zeige_geaenderte_zeit() {
  const zuf_zeit& t = arbeitszeit;
  zuf_zeit& g = gezeigte_zeit;
  if (t.stunde24 != g.stunde24) {
    GOTOXY(37, 23);
    zwei_ziffern(t.stunde24);
    if (!zuf_deutsch) {
      GOTOXY(43, 23);
      zwoelf_stunden(t.stunde24);
    }
    g.stunde24 = t.stunde24;
  }
  g.stunde = t.stunde;
  zeige_zweistellig(24, t.minute, g.minute);
  zeige_zweistellig(25, t.sekunde, g.sekunde);
}

// One row of the field block: the margin and the label.
void feldzeile(int y, const char* label) {
  GOTOXY(1, y);
  WRITE("                ");
  WRITE(label);
}

// Rows 18 to 21 with the shown date.
void schreibe_datumsfelder(bool live) {
  const bool de = zuf_deutsch;
  const zuf_datum& g = gezeigtes_datum;
  if (live)
    feldzeile(18, de ? "Jahr (1980 - ???"
                       "?): "
                     : "Year (1980 - ???"
                       "?): ");
  else
    feldzeile(18, de ? "Jahr (0000 - 9999): " : "Year (0000 - 9999): ");
  vier_ziffern(g.jahr);
  if (de)
    WRITE(g.schalt ? " (ist ein Schaltjahr.) " : " (ist kein Schaltjahr.)");
  else
    WRITE(g.schalt ? " (is a leap-year.) " : " (is no leap-year.)");
  feldzeile(19, de ? "Monat    (01 - 12): " : "Month    (01 - 12): ");
  zwei_ziffern(g.monat);
  WRITE(de ? ".  (" : "   (");
  WRITE(monatsname(g.monat));
  feldzeile(20, de ? "Tag      (01 - " : "Day      (01 - ");
  zwei_ziffern(monatslaenge(g.monat, g.schalt));
  WRITE("): ");
  zwei_ziffern(g.tag);
  if (de) WRITE('.');
  feldzeile(21, de ? "Wochentag         : " : "Day of the week   : ");
  WRITE(wochentagsname(g.wotag));
}

// Rows 23 to 25 with the shown time (live mode only).
void schreibe_zeitfelder() {
  const bool de = zuf_deutsch;
  const zuf_zeit& t = gezeigte_zeit;
  feldzeile(23, de ? "Stunde   (00 - 23): " : "Hour     (00 - 23): ");
  zwei_ziffern(t.stunde24);
  if (de) {
    WRITE(" Uhr,");
  } else {
    WRITE(" (= ");
    zwoelf_stunden(t.stunde24);
    WRITE(".m.)");
  }
  feldzeile(24, de ? "Minute   (00 - 59): " : "Minute   (00 - 59): ");
  zwei_ziffern(t.minute);
  WRITE(de ? " Minuten und" : " minutes and");
  feldzeile(25, de ? "Sekunde  (00 - 59): " : "Second   (00 - 59): ");
  zwei_ziffern(t.sekunde);
  WRITE(de ? " Sekunden." : " seconds.");
}

// ---------------------------------------------------------------- positions

enum stelle : std::uint8_t { Y1, Y2, Y3, Y4, M1, M2, D1, D2, H1, H2, N1, N2, S1, S2 };

struct stellenangabe {
  int x, y;
  stelle hoch_live, runter_live, hoch_kalender, runter_kalender, links, rechts;
};

const stellenangabe STELLEN[14] = {
    {37, 18, S1, M1, D1, M1, Y4, Y2},  // Y1
    {38, 18, S2, M2, D2, M2, Y1, Y3},  // Y2
    {39, 18, S2, M2, D2, M2, Y2, Y4},  // Y3
    {40, 18, S2, M2, D2, M2, Y3, Y1},  // Y4
    {37, 19, Y1, D1, Y1, D1, M2, M2},  // M1
    {38, 19, Y2, D2, Y2, D2, M1, M1},  // M2
    {37, 20, M1, H1, M1, Y1, D2, D2},  // D1
    {38, 20, M2, H2, M2, Y2, D1, D1},  // D2
    {37, 23, D1, N1, D1, N1, H2, H2},  // H1
    {38, 23, D2, N2, D2, N2, H1, H1},  // H2
    {37, 24, H1, S1, H1, S1, N2, N2},  // N1
    {38, 24, H2, S2, H2, S2, N1, N1},  // N2
    {37, 25, N1, Y1, N1, Y1, S2, S2},  // S1
    {38, 25, N2, Y2, N2, Y2, S1, S1},  // S2
};

std::uint8_t hoechste_ziffer(stelle s) {
  const zuf_datum& d = arbeitsdatum;
  switch (s) {
    case M1:
      return 1;
    case D1:
      return d.monat == 2 ? 2 : 3;
    case D2:
      if (d.tag >= 30) return 1;
      if (d.monat == 2 && !d.schalt && d.tag >= 20) return 8;
      return 9;
    case H1:
      return 2;
    case H2:
      return arbeitszeit.stunde >= 20 ? 3 : 9;
    case N1:
    case S1:
      return 5;
    default:
      return 9;
  }
}

// Replaces one decimal place: the tens (or units) digit of a two-digit field.
std::uint16_t zehner(std::uint16_t wert, std::uint8_t ziffer) {
  return static_cast<std::uint16_t>(ziffer * 10 + wert % 10);
}
std::uint16_t einer(std::uint16_t wert, std::uint8_t ziffer) {
  return static_cast<std::uint16_t>(wert / 10 * 10 + ziffer);
}

void setze_ziffer(stelle s, std::uint8_t z) {
  zuf_datum& d = arbeitsdatum;
  zuf_zeit& t = arbeitszeit;
  switch (s) {
    case Y1:
      d.jahr = static_cast<std::uint16_t>(z * 1000 + d.jahr % 1000);
      break;
    case Y2:
      d.jahr = static_cast<std::uint16_t>(d.jahr / 1000 * 1000 + z * 100 + d.jahr % 100);
      break;
    case Y3:
      d.jahr = static_cast<std::uint16_t>(d.jahr / 100 * 100 + z * 10 + d.jahr % 10);
      break;
    case Y4:
      d.jahr = einer(d.jahr, z);
      break;
    case M1:
      d.monat = zehner(d.monat, z);
      break;
    case M2:
      d.monat = einer(d.monat, z);
      break;
    case D1:
      d.tag = zehner(d.tag, z);
      break;
    case D2:
      d.tag = einer(d.tag, z);
      break;
    case H1:
      t.stunde = zehner(t.stunde, z);
      break;
    case H2:
      t.stunde = einer(t.stunde, z);
      break;
    case N1:
      t.minute = zehner(t.minute, z);
      break;
    case N2:
      t.minute = einer(t.minute, z);
      break;
    case S1:
      t.sekunde = zehner(t.sekunde, z);
      break;
    case S2:
      t.sekunde = einer(t.sekunde, z);
      break;
  }
}

// The position the cursor lands on when it moves to s: the month's tens are
// skipped while its units digit is above 2, the day's units on the 30th of
// a 30-day month.
stelle betrete(stelle s) {
  const zuf_datum& d = arbeitsdatum;
  if (s == M1 && d.monat % 10 > 2) return M2;
  if (s == D2 && d.tag == 30 && monatslaenge(d.monat, d.schalt) == 30) return D1;
  return s;
}

stelle naechste(stelle s, zuf_taste t, bool live) {
  const stellenangabe& a = STELLEN[s];
  switch (t) {
    case zuf_taste::hoch:
      return live ? a.hoch_live : a.hoch_kalender;
    case zuf_taste::runter:
      return live ? a.runter_live : a.runter_kalender;
    case zuf_taste::links:
      return a.links;
    default:
      return a.rechts;
  }
}

// F1: back to the remembered date, unless it is shown already.
void zuruecksetzen(bool live) {
  zuf_datum& d = arbeitsdatum;
  const zuf_datum& m = gemerktes_datum;
  if (d.tag == m.tag && d.monat == m.monat && d.jahr == m.jahr) return;
  d = m;
  if (live) SETDATE(d.jahr, d.monat, d.tag);
  ZEIGE_DATUM(live);
  if (!live) UEBERNIMM_SPIELDATUM();
}

}  // namespace

void ZEIGE_DATUM(bool live) {
  const int x = WHEREX(), y = WHEREY();
  if (live)
    lies_systemuhr();
  else
    berechne_kalenderdatum();
  zeige_geaendertes_datum();
  if (live) zeige_geaenderte_zeit();
  GOTOXY(x, y);
}

zuf_taste LIES_ZIFFER(bool live, std::uint8_t niedrigste, std::uint8_t hoechste) {
  for (;;) {
    if (live) {
      while (!KEYPRESSED()) {
        ZEIGE_DATUM(true);
        DELAY(ABFRAGE_PAUSE_MS);
      }
    } else {
      ZEIGE_DATUM(false);
    }
    const unsigned char c = READKEY();
    zuf_taste t;
    if (c >= '0' && c <= '9') {
      const std::uint8_t z = static_cast<std::uint8_t>(c - '0');
      if (z < niedrigste || z > hoechste) continue;
      zuf_ziffer = z;
      t = zuf_taste::ziffer;
    } else if (c == TASTE_ENTER || ist_abbruchtaste(c)) {
      t = zuf_taste::ende;
    } else if (c == TASTE_ERWEITERT) {
      const unsigned char z = READKEY();
      if (ist_eine_von(z, FORMEN_UP)) {
        t = zuf_taste::hoch;
      } else if (ist_eine_von(z, FORMEN_DOWN)) {
        t = zuf_taste::runter;
      } else if (ist_eine_von(z, FORMEN_LEFT)) {
        t = zuf_taste::links;
      } else if (ist_eine_von(z, FORMEN_RIGHT)) {
        t = zuf_taste::rechts;
      } else {
        if (ist_eine_von(z, FORMEN_F1)) zuruecksetzen(live);
        continue;
      }
    } else {
      continue;
    }
    zuf_letzte_taste = t;
    return t;
  }
}

void PRUEFE_DATUM(bool live) {
  zuf_datum& d = arbeitsdatum;
  if (d.monat > 12) d.monat = static_cast<std::uint16_t>(d.monat - 10);
  if (d.monat == 0) d.monat = 10;
  if (d.tag == 0) d.tag = 10;
  if (d.tag > 31) d.tag = 30;
  if (d.tag == 31 && monatslaenge(d.monat, false) == 30) d.tag = 30;
  d.schalt = schaltjahr(d.jahr);
  if (d.monat == 2 && d.tag > 28) d.tag = d.schalt ? 29 : 28;
  if (d.jahr == 1582 && d.monat == 10 && d.tag >= 5 && d.tag <= 14)
    d.tag = static_cast<std::uint16_t>(d.tag + 10);
  const zuf_datum& g = gezeigtes_datum;
  if (live && (d.tag != g.tag || d.monat != g.monat || d.jahr != g.jahr))
    SETDATE(d.jahr, d.monat, d.tag);
}

void SETZE_ZEIT() {
  zuf_zeit& t = arbeitszeit;
  if (t.stunde > 23) t.stunde = 20;
  const zuf_zeit& g = gezeigte_zeit;
  if (t.stunde != g.stunde || t.minute != g.minute || t.sekunde != g.sekunde)
    SETTIME(t.stunde, t.minute, t.sekunde, t.hundertstel);
}

void schreibe_feldblock(bool live) {
  schreibe_datumsfelder(live);
  if (live) schreibe_zeitfelder();
}

void feldeditor(bool live) {
  stelle s = Y1;
  for (;;) {
    GOTOXY(STELLEN[s].x, STELLEN[s].y);
    const zuf_taste t = LIES_ZIFFER(live, 0, hoechste_ziffer(s));
    if (t == zuf_taste::ende) return;
    if (t == zuf_taste::ziffer) {
      setze_ziffer(s, zuf_ziffer);
      if (s <= D2)
        PRUEFE_DATUM(live);
      else
        SETZE_ZEIT();
    }
    ZEIGE_DATUM(live);
    if (!live) UEBERNIMM_SPIELDATUM();
    s = betrete(naechste(s, t, live));
  }
}

void schreibe_markiert(const char* text, std::uint8_t standardfarbe,
                       std::uint8_t hervorhebungsfarbe) {
  for (const char* c = text; *c; ++c) {
    if (*c == '{')
      TEXTATTR = hervorhebungsfarbe;
    else if (*c == '}')
      TEXTATTR = standardfarbe;
    else
      WRITE(*c);
  }
  TEXTATTR = standardfarbe;
}
