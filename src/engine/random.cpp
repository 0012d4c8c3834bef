// The random generator: xoshiro256**, seeded from the clock at start-up.
#include "engine/kvspiel.h"

namespace {

std::uint64_t zustand[4] = {1, 2, 3, 4};

std::uint64_t drehe(std::uint64_t x, int k) {
  return (x << k) | (x >> (64 - k));
}

std::uint64_t naechste() {
  const std::uint64_t ergebnis = drehe(zustand[1] * 5, 7) * 9;
  const std::uint64_t t = zustand[1] << 17;
  zustand[2] ^= zustand[0];
  zustand[3] ^= zustand[1];
  zustand[1] ^= zustand[2];
  zustand[0] ^= zustand[3];
  zustand[2] ^= t;
  zustand[3] = drehe(zustand[3], 45);
  return ergebnis;
}

}  // namespace

void RANDOMIZE(std::uint64_t saat) {
  for (auto& s : zustand) {  // splitmix64 spreads the seed over the state
    saat += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = saat;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    s = z ^ (z >> 31);
  }
}

std::uint32_t Random(std::uint32_t n) {
  if (n == 0) return 0;
  // Lemire's multiply-shift with rejection: uniform over 0..n-1.
  std::uint64_t m = (naechste() >> 32) * n;
  auto rest = static_cast<std::uint32_t>(m);
  if (rest < n) {
    const std::uint32_t schwelle = static_cast<std::uint32_t>(-n) % n;
    while (rest < schwelle) {
      m = (naechste() >> 32) * n;
      rest = static_cast<std::uint32_t>(m);
    }
  }
  return static_cast<std::uint32_t>(m >> 32);
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
