// Definitions of the engine's module-level state and its reset, both from
// the list in kvspiel.h.
#include <algorithm>
#include <type_traits>

#include "engine/kvspiel.h"

const std::uint32_t SPEICHERBUDGET[9] = {0,         673280,    5386240,   43089920,   86179840,
                                         172359680, 344719360, 689438720, 2007952544u};
const char* const SPEICHERTEXT[9] = {"",        "  1 MiB", "  8 MiB", " 64 MiB", "128 MiB",
                                     "256 MiB", "512 MiB", "  1 GiB", "  2 GiB"};

namespace {

// The bucket table lies on huge-page boundaries: the build touches it at
// random.
template <class T>
constexpr std::size_t ausrichtung = alignof(T);
template <>
constexpr std::size_t ausrichtung<TMischMasch> = 2097152;

template <class T>
void startwert(T& x, const T& wert) {
  x = wert;
}
template <class T>
void startwert(T& x) {
  x = T{};
}
template <class T, std::size_t N>
void startwert(T (&x)[N]) {
  std::fill(x, x + N, T{});
}

}  // namespace

#define KVSPIEL_DEFINITION(typ, name, ...) alignas(ausrichtung<typ>) typ name{__VA_ARGS__};
KVSPIEL_VARIABLEN(KVSPIEL_DEFINITION)
#undef KVSPIEL_DEFINITION

void kvspiel_reset() {
  raten_speicher_freigeben();
  mogeln_speicher_freigeben();
#define KVSPIEL_STARTWERT(typ, name, ...) \
  startwert(name __VA_OPT__(, std::type_identity_t<typ>{__VA_ARGS__}));
  KVSPIEL_VARIABLEN(KVSPIEL_STARTWERT)
#undef KVSPIEL_STARTWERT
  INITFELD();  // the bucket table's pages
}
