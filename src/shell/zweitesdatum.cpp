// The day that follows the virtual game date.
#include "engine/kvspiel.h"
#include "extras/zuf.h"
#include "shell/kv.h"

void ZWEITESDATUM() {
  folgetag(VIRJ1, VIRM1, VIRT1, VIRWT1, VIRJ2, VIRM2, VIRT2, VIRWT2);
}
