// The scoring of many trials against a short solution list, the trials side
// by side: up to 64 trials lie in the lanes of the vector registers, one
// byte each, and each solution is read once for all of them. The plain
// version is the reference and the kernel of processors without AVX-512;
// each kernel file includes this header and compiles it with its own
// instruction set.
#pragma once

#include <cstdint>

#include "engine/kvspiel.h"
#include "engine/loesungen_kern.h"

namespace quer_kern {

constexpr int BREITE = 64;                      // lanes
constexpr int KLASSEN = 55;                     // class numbers 0..54 (length 9)
constexpr std::uint32_t MAX_LOESUNGEN = 65535;  // counts fit 16 bits, their squares' sum 32

// Trials pos[0..zahl) in list order, each as raten_zaehle would score it
// against the bound: ganz[i] and its exact figures w[i], or rejected. A
// trial is rejected only when it is worse than (best_max, best_summe) or
// than a trial before it that the kernel scored in full; so every trial at
// least as good as the bound and every trial before it is scored in full.
using Zaehler = void (*)(const loes_kern::Liste&, const std::uint64_t* pos, int zahl,
                         std::int32_t best_max, std::int64_t best_summe, Wertung* w, bool* ganz);

void zaehle_skalar(const loes_kern::Liste& li, const std::uint64_t* pos, int zahl,
                   std::int32_t best_max, std::int64_t best_summe, Wertung* w, bool* ganz);
#if defined(__x86_64__)
void zaehle_avx512(const loes_kern::Liste& li, const std::uint64_t* pos, int zahl,
                   std::int32_t best_max, std::int64_t best_summe, Wertung* w, bool* ganz);
#endif

namespace {

// Solution i of the list: its sign and occurrence index at position j are
// at anfang[schritt * j] and anfang[schritt * (l + j)].
struct Loesung {
  const std::uint8_t* anfang;
  std::uint32_t schritt;
};

inline Loesung loesung(const loes_kern::Liste& li, std::uint32_t i) {
  const std::uint32_t b = i / loes_kern::BLOCK;
  const std::uint32_t rest = li.zahl - b * loes_kern::BLOCK;
  return {li.daten + loes_kern::block_bytes(li.laenge) * b + i % loes_kern::BLOCK,
          li.ganz || rest >= loes_kern::BLOCK ? loes_kern::BLOCK : rest};
}

// (max, summe) of a before that of b.
inline bool besser(std::int64_t a_max, std::int64_t a_summe, std::int64_t b_max,
                   std::int64_t b_summe) {
  return a_max < b_max || (a_max == b_max && a_summe < b_summe);
}

// The figures of lane i from its class counts z[k][i] (k < klassen), and
// whether they stay within (best_max, best_summe).
inline bool werte(const std::uint16_t (*z)[BREITE], int i, int l, std::int64_t best_max,
                  std::int64_t best_summe, Wertung& w) {
  w = Wertung{};
  const int klassen = loes_kern::DREIECK[l] + l + 1;
  for (int k = 0; k < klassen; ++k) {
    const std::int32_t m = z[k][i];
    if (!m) continue;
    ++w.klassen;
    w.max = m > w.max ? m : w.max;
    w.summe += std::int64_t{m} * m;
  }
  w.loesung = z[klassen - 1][i] == 1;
  return !besser(best_max, best_summe, w.max, w.summe);
}

}  // namespace
}  // namespace quer_kern
