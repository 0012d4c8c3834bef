// The pages of the instructions, shared by KVD and KVE: a page is 25 rows of
// text, passages in braces are written in the emphasis attribute. The key
// rules of the short and of the detailed instructions live here too, and the
// routines of both modules show their pages through them, so that both
// languages page alike.
#pragma once

#include <cstdint>

constexpr int SEITENZEILEN = 25;
constexpr int ANLEITUNGSSEITEN = 4;

// One screen page: rows 1..25, each at most 79 characters without the braces
// (the last at most 78), so that no write reaches column 80.
struct Seite {
  const char* zeilen[SEITENZEILEN];
};

// Clears the screen and writes the page from row 1; the last row gets no line
// end, so the screen never scrolls.
void schreibe_seite(const Seite& seite, std::uint8_t standardfarbe,
                    std::uint8_t hervorhebungsfarbe);

// Shows one page and waits for a key that ends it.
void zeige_kurzanleitung(const Seite& seite, std::uint8_t standardfarbe,
                         std::uint8_t hervorhebungsfarbe);

// Shows pages 1..4 and pages back and forward until the reader leaves.
void zeige_spielanleitung(const Seite (&seiten)[ANLEITUNGSSEITEN], std::uint8_t standardfarbe,
                          std::uint8_t hervorhebungsfarbe);
