#include "texts/seite.h"

#include "console/console.h"
#include "texts/kvd.h"
#include "texts/kve.h"

namespace {

// Writes one row at the cursor; returns the number of characters written.
int schreibe_zeile(const char* text, std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe) {
  int laenge = 0;
  for (const char* c = text; *c; ++c) {
    if (*c == '{') {
      TEXTATTR = hervorhebungsfarbe;
    } else if (*c == '}') {
      TEXTATTR = standardfarbe;
    } else {
      WRITE(*c);
      ++laenge;
    }
  }
  TEXTATTR = standardfarbe;
  return laenge;
}

}  // namespace

void schreibe_seite(const Seite& seite, std::uint8_t standardfarbe,
                    std::uint8_t hervorhebungsfarbe) {
  TEXTATTR = standardfarbe;
  CLRSCR();
  for (int i = 0; i < SEITENZEILEN - 1; ++i) {
    schreibe_zeile(seite.zeilen[i], standardfarbe, hervorhebungsfarbe);
    WRITELN();
  }
  // The last row is filled with blanks to 78 characters and has no line end.
  for (int n = schreibe_zeile(seite.zeilen[SEITENZEILEN - 1], standardfarbe, hervorhebungsfarbe);
       n < 78; ++n)
    WRITE(' ');
}

void zeige_kurzanleitung(const Seite& seite, std::uint8_t standardfarbe,
                         std::uint8_t hervorhebungsfarbe) {
  schreibe_seite(seite, standardfarbe, hervorhebungsfarbe);
  for (;;) {
    const unsigned char taste = READKEY();
    if (taste == TASTE_BACKSPACE) continue;
    if (taste != TASTE_ERWEITERT) return;
    if (ist_eine_von(READKEY(), FORMEN_PGDN)) return;
  }
}

void zeige_spielanleitung(const Seite (&seiten)[ANLEITUNGSSEITEN], std::uint8_t standardfarbe,
                          std::uint8_t hervorhebungsfarbe) {
  int nummer = 1;
  for (;;) {
    schreibe_seite(seiten[nummer - 1], standardfarbe, hervorhebungsfarbe);
    int schritt = 0;  // -1 back, +1 forward
    while (schritt == 0) {
      const unsigned char taste = READKEY();
      if (ist_abbruchtaste(taste)) return;
      if (taste == TASTE_BACKSPACE) {
        schritt = -1;
      } else if (taste == TASTE_ERWEITERT) {
        const unsigned char code = READKEY();
        if (ist_eine_von(code, FORMEN_PGUP))
          schritt = -1;
        else if (ist_eine_von(code, FORMEN_PGDN))
          schritt = 1;
      } else {
        schritt = 1;
      }
      if (schritt < 0 && nummer == 1) schritt = 0;  // nothing before the first page
    }
    if (schritt > 0 && nummer == ANLEITUNGSSEITEN) return;
    nummer += schritt;
  }
}

void KURZANLEITUNGD(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe) {
  zeige_kurzanleitung(KURZSEITE_D, standardfarbe, hervorhebungsfarbe);
}

void SPIELANLEITUNGD(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe) {
  zeige_spielanleitung(SPIELSEITEN_D, standardfarbe, hervorhebungsfarbe);
}

void KURZANLEITUNGE(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe) {
  zeige_kurzanleitung(KURZSEITE_E, standardfarbe, hervorhebungsfarbe);
}

void SPIELANLEITUNGE(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe) {
  zeige_spielanleitung(SPIELSEITEN_E, standardfarbe, hervorhebungsfarbe);
}
