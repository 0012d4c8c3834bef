// The day that follows the virtual game date.
#include "engine/kvspiel.h"
#include "shell/kv.h"

void ZWEITESDATUM() {
  VIRJ2 = VIRJ1;
  VIRM2 = VIRM1;
  VIRT2 = VIRT1;
  VIRWT2 = VIRWT1;
}
