// Definitions of the extras' module-level state and its reset.
#include "extras/zuf.h"

zuf_datum arbeitsdatum;
zuf_zeit arbeitszeit;
zuf_datum gezeigtes_datum;
zuf_zeit gezeigte_zeit;
zuf_datum gemerktes_datum;

zuf_datum reales_datum;
bool* spieldatum_ein;
std::uint16_t *spieldatum_jahr, *spieldatum_monat, *spieldatum_tag, *spieldatum_wotag;

bool zuf_deutsch;
zuf_taste zuf_letzte_taste;
std::uint8_t zuf_ziffer;

void zuf_reset() {
  arbeitsdatum = gezeigtes_datum = gemerktes_datum = reales_datum = zuf_datum{};
  arbeitszeit = gezeigte_zeit = zuf_zeit{};
  spieldatum_ein = nullptr;
  spieldatum_jahr = spieldatum_monat = spieldatum_tag = spieldatum_wotag = nullptr;
  zuf_deutsch = true;
  zuf_letzte_taste = zuf_taste::ende;
  zuf_ziffer = 0;
}
