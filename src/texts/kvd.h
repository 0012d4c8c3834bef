// KVD: the instructions in German: its pages, and its two routines (defined
// in texts/seite.cpp beside those of KVE, which page alike).
#pragma once

#include <cstdint>

#include "texts/seite.h"

extern const Seite KURZSEITE_D;                      // the short instructions
extern const Seite SPIELSEITEN_D[ANLEITUNGSSEITEN];  // the detailed instructions

void KURZANLEITUNGD(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe);
void SPIELANLEITUNGD(std::uint8_t standardfarbe, std::uint8_t hervorhebungsfarbe);
