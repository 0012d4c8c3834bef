// ZUF, the extras: setting date and time, the weekday calendar with the
// virtual game date, and the colour scheme editor.
#pragma once

#include <cstdint>

void KORRIGIERE_ZEIT(bool deutsch, std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe);
void KALENDER(bool deutsch, std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe,
              bool& virtualdate, std::uint16_t& jahr, std::uint16_t& monat, std::uint16_t& tag,
              std::uint16_t& wochentag);
void TEXTFARBE(bool deutsch, bool farbbildschirm, std::uint8_t& standardfarbe,
               std::uint8_t& hervorhebungsfarbe);
