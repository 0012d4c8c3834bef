// The weekday calendar from 0000 to 9999, whose displayed date becomes the
// virtual game date.
#include "console/console.h"
#include "extras/zuf.h"

void UEBERNIMM_SPIELDATUM() {
  if (!spieldatum_ein) return;
  const zuf_datum& d = arbeitsdatum;
  const zuf_datum& r = reales_datum;
  const bool virtuell = d.jahr != r.jahr || d.monat != r.monat || d.tag != r.tag;
  const zuf_datum& q = virtuell ? d : r;
  *spieldatum_jahr = q.jahr;
  *spieldatum_monat = q.monat;
  *spieldatum_tag = q.tag;
  *spieldatum_wotag = q.wotag;
  *spieldatum_ein = virtuell;
}

void KALENDER(bool deutsch, std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe,
              bool& virtualdate, std::uint16_t& jahr, std::uint16_t& monat, std::uint16_t& tag,
              std::uint16_t& wochentag) {
  zuf_deutsch = deutsch;
  schreibe_seitentext(true, standardfarbe, hervorhebungsfarbe);

  zuf_datum& g = gezeigtes_datum;
  GETDATE(g.jahr, g.monat, g.tag, g.wotag);
  g.schalt = schaltjahr_gregorianisch(g.jahr);
  gemerktes_datum = arbeitsdatum = reales_datum = g;
  jahr = g.jahr;
  monat = g.monat;
  tag = g.tag;
  wochentag = g.wotag;
  virtualdate = false;
  spieldatum_ein = &virtualdate;
  spieldatum_jahr = &jahr;
  spieldatum_monat = &monat;
  spieldatum_tag = &tag;
  spieldatum_wotag = &wochentag;

  schreibe_feldblock(false);
  if (deutsch) {
    GOTOXY(1, 23);
    WRITE("   Auf Donnerstag, den 4. Oktober 1582 folgt Freitag, der 15. Oktober 1582.");
    GOTOXY(1, 24);
    WRITE("   Zu dieser Zeit wurde der damals gueltige Julianische Kalender auf den");
    GOTOXY(1, 25);
    WRITE("   heute gueltigen Gregorianischen Kalender umgestellt.");
  } else {
    GOTOXY(1, 23);
    WRITE("    Thursday, 4th October 1582 is followed by Friday, 15th October 1582.");
    GOTOXY(1, 24);
    WRITE("    At this time the Gregorian Calendar replaced the Julian Calendar.");
  }
  ZEIGE_DATUM(false);
  feldeditor(false);

  spieldatum_ein = nullptr;
  spieldatum_jahr = spieldatum_monat = spieldatum_tag = spieldatum_wotag = nullptr;
  TEXTATTR = standardfarbe;
}
