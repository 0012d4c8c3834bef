// Placeholders until the extras pages are in.
#include "extras/zuf.h"

void KORRIGIERE_ZEIT(bool, std::uint8_t, std::uint8_t) {}
void KALENDER(bool, std::uint8_t, std::uint8_t, bool&, std::uint16_t&, std::uint16_t&,
              std::uint16_t&, std::uint16_t&) {}
void TEXTFARBE(bool, bool, std::uint8_t&, std::uint8_t&) {}
