// Test support for the computer codebreaker: the conditions and the engine
// preparation the play loop makes for a game, and one turn at a board row.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "console/console.h"
#include "engine/kvspiel.h"
#include "support/harness.h"

namespace raten_test {

// A harness whose key reads wait on an empty queue rather than end the input.
struct HarnessOhneEingabeende : Harness {
  HarnessOhneEingabeende() { vc.eof_when_empty = false; }
};

inline void bedingungen(int l, char erstes, char letztes, bool wdh, bool leer = false,
                        bool pc_kodiert = true, bool fest = true) {
  X.laenge = static_cast<std::uint8_t>(l);
  X.erstes_zeichen = erstes;
  X.letztes_zeichen = letztes;
  X.wiederholung = wdh;
  X.leerzeichen = leer;
  X.pc_kodiert = pc_kodiert;
  X.pc_raet = 1;
  X.fest = fest;
  X.zeitlimit = 0;
  X.ton = 0;
  setze_zeichensatz();
  REIHENFOLGE();
  KORRIGIERE(MAXFARBE, static_cast<std::uint8_t>(l), wdh, leer, false, true);
}

// The engine flags of a new game, the secret (sign characters) when the
// computer knows it, and the build of the store. Returns the build's ok.
inline bool beginne(const std::string& geheim = {}) {
  const int l = X.laenge;
  const bool wdh = X.wiederholung;
  LEERZEICHEN = X.leerzeichen;
  KENNEALLEFARBEN = !wdh && l == MAXFARBE;
  NUMMER = 0;
  raten_spielbeginn(wdh);
  std::memset(&LOESUNG, ' ', sizeof LOESUNG);
  for (std::size_t i = 0; i < geheim.size(); ++i) LOESUNG[static_cast<int>(i) + 1] = geheim[i];
  zaehle_loesungsfarben();
  ZEITEIN = true;
  WX = X2[1] = static_cast<std::uint16_t>((101 - l) / 2);
  WY = 9;
  GOTOXY(WX, WY);
  bool ok = false;
  INIT_RATEN(ok);
  INITFELD();
  return ok;
}

struct Zug {
  std::string code;
  int p = 0, z = 0;
  unsigned char taste = 0;
};

// One turn of the computer on board row 9 + (trial - 1) mod 15.
inline Zug zug() {
  ++NUMMER;
  F6_GEDR = false;
  WX = static_cast<std::uint16_t>((101 - X.laenge) / 2);
  WY = static_cast<std::uint16_t>(9 + (NUMMER - 1) % 15);
  GOTOXY(WX, WY);
  code c;
  std::memset(c.z, ' ', sizeof c.z);
  std::uint8_t p = 0, z = 0;
  unsigned char taste = 0;
  RATE_CODE(c, p, z, taste);
  return {std::string(c.z, static_cast<std::size_t>(X.laenge)), p, z, taste};
}

// Plays until solved, aborted or 40 trials; the trials in order.
inline std::vector<Zug> partie() {
  std::vector<Zug> zuege;
  for (int i = 0; i < 40; ++i) {
    zuege.push_back(zug());
    if (zuege.back().taste == 27 || zuege.back().p == X.laenge) break;
  }
  return zuege;
}

// The remaining solutions as sign characters, in list order.
inline std::vector<std::string> loesungen() {
  std::vector<std::string> v;
  for (std::uint32_t i = 0; i < raten_loes_zahl; ++i)
    v.push_back(std::string(raten_pos_code(raten_loes_pos(i)).z, X.laenge));
  return v;
}

// The trial list as sign characters, in list order.
inline std::vector<std::string> versuche() {
  std::vector<std::string> v;
  for (std::uint32_t i = 0; i < ZAHLGESAMTVERSUCHE && raten_folge; ++i)
    v.push_back(std::string(raten_pos_code(raten_knoten_pos(raten_versuch(i))).z, X.laenge));
  return v;
}

inline code als_code(const std::string& s) {
  code c;
  std::memset(c.z, ' ', sizeof c.z);
  for (std::size_t i = 0; i < s.size() && i < 9; ++i) c.z[i] = s[i];
  return c;
}

// P and T of trial v against code c by the scoring rule.
inline void wertung(const std::string& v, const std::string& c, int& p, int& t) {
  std::uint8_t pp, tt;
  bewerte(als_code(v), als_code(c), static_cast<int>(v.size()), pp, tt);
  p = pp;
  t = tt;
}

}  // namespace raten_test
