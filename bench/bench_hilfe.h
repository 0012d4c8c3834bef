// Shared by the benchmarks and tools: the virtual console they run on and a
// secret drawn with the engine's random numbers.
#pragma once

#include "console/console.h"
#include "console/virtual_console.h"
#include "engine/kvspiel.h"

// The virtual console, without keys and without time passing at a poll.
inline VirtualConsole& konsole() {
  static VirtualConsole vc;
  static bool bereit = false;
  if (!bereit) {
    vc.eof_when_empty = false;
    vc.poll_step_us = 0;
    console_use(vc);
    bereit = true;
  }
  return vc;
}

// A secret of l sign numbers out of MAXFARBE, repeated signs only with wdh.
inline void zufallsgeheim(int l, bool wdh, int* geheim) {
  for (int i = 0; i < l; ++i) {
    bool doppelt;
    do {
      geheim[i] = static_cast<int>(Random(MAXFARBE)) + 1;
      doppelt = false;
      for (int j = 0; j < i && !wdh; ++j) doppelt = doppelt || geheim[j] == geheim[i];
    } while (doppelt);
  }
}
