// The date-and-time page: a running clock whose digits can be overwritten;
// every accepted digit goes to the system clock at once.
#include "console/console.h"
#include "extras/zuf.h"

void KORRIGIERE_ZEIT(bool deutsch, std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe) {
  zuf_deutsch = deutsch;
  schreibe_seitentext(false, standardfarbe, hervorhebungsfarbe);

  zuf_datum& g = gezeigtes_datum;
  zuf_zeit& t = gezeigte_zeit;
  GETDATE(g.jahr, g.monat, g.tag, g.wotag);
  GETTIME(t.stunde, t.minute, t.sekunde, t.hundertstel);
  t.stunde24 = t.stunde % 24;
  g.schalt = schaltjahr_gregorianisch(g.jahr);
  gemerktes_datum = g;
  arbeitsdatum = g;
  arbeitszeit = t;

  schreibe_feldblock(true);
  ZEIGE_DATUM(true);
  feldeditor(true);
  TEXTATTR = standardfarbe;
}
