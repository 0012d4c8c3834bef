// The passes over the codebreaker's store at 1 M, 10 M and 62.7 M nodes
// (length 6 over ten signs, length 7 over ten and over thirteen, with
// repetition): the build with the join of its buckets, the count of the
// canonical trials before a search, the pruning of the trial list after an
// answer and the narrowing of the solutions.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench_hilfe.h"
#include "console/console.h"
#include "console/virtual_console.h"
#include "engine/kvspiel.h"

namespace {

// The store of the conditions, built once and kept for the following passes.
int gebaut_l = 0;
char gebaut_letztes = 0;

bool baue(int l, char letztes) {
  konsole();
  if (gebaut_l == l && gebaut_letztes == letztes && raten_knoten) return true;
  kvspiel_reset();
  RANDOMIZE(5);
  bedingungen(l, '0', letztes, true);
  LEERZEICHEN = false;
  KENNEALLEFARBEN = false;
  NUMMER = 0;
  raten_spielbeginn(true);
  WX = 48;
  WY = 9;
  bool ok = false;
  INIT_RATEN(ok);
  INITFELD();
  gebaut_l = l;
  gebaut_letztes = letztes;
  return ok;
}

void fertig(benchmark::State& state, std::uint64_t knoten) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * knoten));
  state.counters["nodes"] = static_cast<double>(knoten);
}

// The build: the enumeration with its draws, the join of the buckets and the
// solution records; on one thread, or on every core.
void BM_Aufbau(benchmark::State& state) {
  const int l = static_cast<int>(state.range(0));
  const char letztes = static_cast<char>(state.range(1));
  konsole().kerne = system_cores();
  kvspiel_reset();
  raten_faeden = static_cast<std::uint32_t>(state.range(2));
  RANDOMIZE(2);
  bedingungen(l, '0', letztes, true);
  for (auto _ : state) {
    bool ok = false;
    INIT_RATEN(ok);
    state.PauseTiming();
    if (!ok) state.SkipWithError("build failed");
    INITFELD();
    SPEICHER_FREIGEBEN(true);
    state.ResumeTiming();
  }
  gebaut_l = 0;
  fertig(state, MEMRATE);
}

// The count of the canonical trials: three signs played, the others ordered;
// on one thread, or on every core.
void BM_Vorpass(benchmark::State& state) {
  if (!baue(static_cast<int>(state.range(0)), static_cast<char>(state.range(1)))) {
    state.SkipWithError("build failed");
    return;
  }
  konsole().kerne = system_cores();
  raten_faeden = static_cast<std::uint32_t>(state.range(2));
  GESPIELT = {};
  for (int c = 1; c <= 3; ++c) GESPIELT[c] = true;
  for (auto _ : state) {
    bool reduzieren = true;
    benchmark::DoNotOptimize(raten_vorpass(reduzieren));
    benchmark::DoNotOptimize(ZAHL_DER_VERSUCHE);
  }
  fertig(state, ZAHLGESAMTVERSUCHE);
}

// A pass of the pruning that looks at every trial: the sign it removes is
// not in the set, so the list stays whole for the next round.
void BM_Beschneiden(benchmark::State& state) {
  if (!baue(static_cast<int>(state.range(0)), static_cast<char>(state.range(1)))) {
    state.SkipWithError("build failed");
    return;
  }
  const std::uint64_t fremd = std::uint64_t{1} << 35;
  for (auto _ : state) benchmark::DoNotOptimize(raten_folge_filtern(~0u, fremd));
  fertig(state, ZAHLGESAMTVERSUCHE);
}

// The narrowing of every solution to the class of one secret.
void BM_Verengen(benchmark::State& state) {
  if (!baue(static_cast<int>(state.range(0)), static_cast<char>(state.range(1)))) {
    state.SkipWithError("build failed");
    return;
  }
  const std::uint32_t alle = raten_loes_zahl;
  std::vector<std::uint64_t> kopie(alle);
  for (std::uint32_t i = 0; i < alle; ++i) kopie[i] = raten_loes_pos(i);
  Versuchsbild bild;
  raten_bild(kopie[alle / 3], bild);
  int t = 0, p = 0;
  raten_antwort(bild, alle / 2, t, p);
  for (auto _ : state) {
    benchmark::DoNotOptimize(raten_verenge(bild, t, p));
    state.PauseTiming();
    if (!raten_loes_anlegen(alle)) state.SkipWithError("no memory");
    for (std::uint32_t i = 0; i < alle; ++i) raten_loes_setze(i, kopie[i]);
    state.ResumeTiming();
  }
  fertig(state, alle);
}

BENCHMARK(BM_Aufbau)
    ->Args({6, '9', 1})
    ->Args({6, '9', 0})
    ->Args({7, '9', 1})
    ->Args({7, '9', 0})
    ->Args({7, 'c', 1})
    ->Args({7, 'c', 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2);
// The three passes of one store one after the other, so that it is built once.
bool durchgaenge(int l, char letztes, int laeufe) {
  const auto je = [&](const char* name, void (*f)(benchmark::State&)) {
    return benchmark::RegisterBenchmark(name, f)->Unit(benchmark::kMillisecond)->Iterations(laeufe);
  };
  je("BM_Vorpass", BM_Vorpass)->Args({l, letztes, 1})->Args({l, letztes, 0});
  je("BM_Beschneiden", BM_Beschneiden)->Args({l, letztes});
  je("BM_Verengen", BM_Verengen)->Args({l, letztes});
  return true;
}
const bool registriert = durchgaenge(6, '9', 5) && durchgaenge(7, '9', 5) && durchgaenge(7, 'c', 3);

}  // namespace
