// KVE: the instructions in English.
#pragma once

#include <cstdint>

void KURZANLEITUNGE(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe);
void SPIELANLEITUNGE(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe);
