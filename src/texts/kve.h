// KVE: the instructions in English: its pages, and its two routines (defined
// in texts/seite.cpp beside those of KVD, which page alike).
#pragma once

#include <cstdint>

#include "texts/seite.h"

extern const Seite KURZSEITE_E;                      // the short instructions
extern const Seite SPIELSEITEN_E[ANLEITUNGSSEITEN];  // the detailed instructions

void KURZANLEITUNGE(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe);
void SPIELANLEITUNGE(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe);
