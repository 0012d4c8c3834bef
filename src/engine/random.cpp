// The random generator: xoshiro256**, seeded from the clock at start-up.
#include "engine/kvspiel.h"

namespace {

Zufall zustand = {{1, 2, 3, 4}};

}  // namespace

void RANDOMIZE(std::uint64_t saat) {
  for (auto& s : zustand.s) {  // splitmix64 spreads the seed over the state
    saat += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = saat;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    s = z ^ (z >> 31);
  }
}

std::uint32_t Random(std::uint32_t n) {
  return zustand.unter(n);
}

Zufall zufall_holen() {
  return zustand;
}

void zufall_zurueck(const Zufall& z) {
  zustand = z;
}

void ziehe_permutation(farbfeld& urne, std::uint8_t& hilf, int n, const int* werte,
                       farbfeld& perm) {
  for (int i = 1; i <= n; ++i) urne[i] = static_cast<std::uint8_t>(werte ? werte[i] : i);
  for (int i = 1; i <= n; ++i) {
    const int r = static_cast<int>(Random(static_cast<std::uint32_t>(n + 1 - i))) + 1;
    hilf = static_cast<std::uint8_t>(r);
    perm[i] = urne[r];
    for (int j = r; j <= n - i; ++j) urne[j] = urne[j + 1];
  }
}
