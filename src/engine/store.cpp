// The codebreaker's candidate store.
#include "engine/kvspiel.h"

void INITFELD() {}

void raten_speicher_freigeben() {
  VERS = VERSLOE = 0;
}
