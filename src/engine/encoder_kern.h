// The variable-code list's classification in vector instructions, for the
// processors that have them (encoder.cpp chooses; the plain code there is the
// reference). The list is the encoder's pool of packed codes: position i of a
// code in bits 6(i-1)..6(i-1)+5, blocks of 2^block_bits codes.
#pragma once

#include <cstdint>

namespace mogel_kern {

struct Auftrag {
  std::uint64_t* const* bloecke = nullptr;
  std::uint32_t block_bits = 0;
  std::uint32_t zahl = 0;  // codes
  int laenge = 0;
  bool wdh = false;               // a code may hold a sign more than once
  int t_fest = -1;                // T of every code when all hold the same signs, else -1
  std::uint8_t zeichen[16] = {};  // the trial's sign at each position (0 = vacant)
  std::uint8_t anzahl[64] = {};   // the trial's copies of each sign of its groups, else 0
};

#if defined(__x86_64__)
// Adds the codes of every class (T x 16 + P) to zahl[256]. Lengths up to 9.
void klassiere_avx512(const Auftrag& a, std::uint32_t* zahl);
// Keeps the codes of class ziel, in order, at the front; returns how many.
std::uint32_t verenge_avx512(const Auftrag& a, std::uint8_t ziel);
#endif

}  // namespace mogel_kern
