// The encoder with a variable answer code.
#include "engine/kvspiel.h"

void mogeln_speicher_freigeben() {
  ERL = ERLLOE = 0;
}
