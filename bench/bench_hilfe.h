// Shared by the benchmarks and tools: the virtual console they run on, a
// secret drawn with the engine's random numbers and the start of a game.
#pragma once

#include <cstring>

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

// The conditions of a game of the computer against itself: length l over the
// signs erstes..letztes, no time limit, no sound, corrected as the form does.
inline void bedingungen(int l, char erstes, char letztes, bool wdh, bool leer = false,
                        bool fest = true) {
  X.laenge = static_cast<std::uint8_t>(l);
  X.erstes_zeichen = erstes;
  X.letztes_zeichen = letztes;
  X.wiederholung = wdh;
  X.leerzeichen = leer;
  X.pc_kodiert = 1;
  X.pc_raet = 1;
  X.fest = fest;
  X.zeitlimit = 0;
  X.ton = 0;
  setze_zeichensatz();
  REIHENFOLGE();
  KORRIGIERE(MAXFARBE, static_cast<std::uint8_t>(l), wdh, leer, false, true);
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

// The engine at the start of a game of the computer against its own fixed
// code (sign numbers in geheim): the codebreaker's flags, the secret, the
// clocks started, the cursor on the first board row. The store is built next.
inline void spielbeginn(int l, bool wdh, const int* geheim) {
  LEERZEICHEN = false;
  KENNEALLEFARBEN = !wdh && l == MAXFARBE;
  NUMMER = 0;
  raten_spielbeginn(wdh);
  std::memset(&LOESUNG, ' ', sizeof LOESUNG);
  for (int i = 1; i <= l; ++i) LOESUNG[i] = FARBARRAY[geheim[i - 1]];
  zaehle_loesungsfarben();
  ZEITEIN = true;
  uhren_starten();
  WX = 48;
  WY = 9;
  GOTOXY(WX, WY);
}
