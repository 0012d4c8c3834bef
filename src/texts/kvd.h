// KVD: the instructions in German.
#pragma once

#include <cstdint>

void KURZANLEITUNGD(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe);
void SPIELANLEITUNGD(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe);
