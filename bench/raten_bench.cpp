// The computer codebreaker's speed: scoring (trial, solution) pairs, building
// the candidate store with its shuffle, and a whole turn after the opening.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "bench_hilfe.h"
#include "console/console.h"
#include "console/virtual_console.h"
#include "engine/kvspiel.h"

namespace {

std::uint64_t zufallscode(int l, int n) {
  std::uint64_t pos = 0;
  for (int i = 0; i < l; ++i) pos |= static_cast<std::uint64_t>(Random(n) + 1) << (6 * i);
  return pos;
}

// Pairs per second: trials against up to a million solutions, counted in
// full (no early rejection), in the instruction set of the third argument
// (1 scalar, 2 AVX2, 3 AVX-512), the trials split over as many threads as the
// fourth says (wall-clock time then); the fifth: 1 = one trial after the
// other (raten_zaehle), 16 = all of a thread's trials over each superblock
// (raten_zaehle_stapel).
void BM_Bewertung(benchmark::State& state) {
  konsole();
  kvspiel_reset();
  const auto kern = static_cast<RatenKern>(state.range(2));
  const int faeden = static_cast<int>(state.range(3));
  const bool stapel = state.range(4) > 1;
  state.SetLabel(std::string(kern == RatenKern::skalar ? "scalar"
                             : kern == RatenKern::avx2 ? "AVX2"
                                                       : "AVX-512") +
                 (stapel ? " batch" : ""));
  if (!raten_kern_erzwingen(kern)) {
    state.SkipWithError("not on this processor");
    return;
  }
  RANDOMIZE(1);
  const int l = static_cast<int>(state.range(0));
  const int n = static_cast<int>(state.range(1));
  X.laenge = static_cast<std::uint8_t>(l);
  MAXFARBE = static_cast<std::uint8_t>(n);
  KENNEALLEFARBEN = false;
  std::uint64_t alle = 1;
  for (int i = 0; i < l; ++i) alle *= static_cast<std::uint64_t>(n);
  const std::uint32_t zahl = alle < 1000000 ? static_cast<std::uint32_t>(alle) : 1000000u;
  if (!raten_loes_anlegen(zahl)) {
    state.SkipWithError("no memory for the solutions");
    return;
  }
  for (std::uint32_t i = 0; i < zahl; ++i) raten_loes_setze(i, zufallscode(l, n));
  // At least 16 trials and 16 million pairs an iteration (the threads'
  // start is then small against their work).
  const int VERSUCHE = static_cast<int>(16 * (zahl < 1000000 ? (1000000 + zahl - 1) / zahl : 1));
  std::vector<Versuchsbild> versuche(VERSUCHE);
  for (auto& v : versuche) raten_bild(zufallscode(l, n), v);
  auto bewerte = [&](int faden) {
    const int von = VERSUCHE * faden / faeden, bis = VERSUCHE * (faden + 1) / faeden;
    std::vector<std::int32_t> cnt(100 * VERSUCHE);
    std::vector<Wertung> w(VERSUCHE);
    std::unique_ptr<bool[]> ganz(new bool[VERSUCHE]);
    if (stapel) {
      raten_zaehle_stapel(&versuche[von], bis - von, cnt.data(), INT32_MAX, OBERGRENZE, w.data(),
                          ganz.get());
    } else {
      for (int i = von; i < bis; ++i)
        ganz[i - von] = raten_zaehle(versuche[i], cnt.data(), INT32_MAX, OBERGRENZE, w[i - von]);
    }
    benchmark::DoNotOptimize(ganz.get());
    benchmark::DoNotOptimize(w.data());
  };
  for (auto _ : state) {
    if (faeden == 1) {
      bewerte(0);
    } else {
      std::vector<std::thread> f;
      for (int t = 0; t < faeden; ++t) f.emplace_back(bewerte, t);
      for (auto& t : f) t.join();
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * VERSUCHE * zahl);
  state.counters["solutions"] = zahl;
  raten_loes_freigeben();
  raten_kern_erzwingen(RatenKern::automatisch);
}

void bewertung_faelle(benchmark::internal::Benchmark* b) {
  for (int l : {4, 5, 6, 7})
    for (int n : {10, 20})
      for (int stapel : {1, 16})
        for (int kern = 1; kern <= 3; ++kern)
          if (kern > 1 || stapel == 1) b->Args({l, n, kern, 1, stapel});
}

void bewertung_faeden(benchmark::internal::Benchmark* b) {
  const int faeden = static_cast<int>(std::thread::hardware_concurrency());
  for (int l : {4, 5, 6, 7})
    for (int n : {10, 20})
      for (int kern = 2; kern <= 3; ++kern) b->Args({l, n, kern, faeden > 1 ? faeden : 2, 16});
}
BENCHMARK(BM_Bewertung)->Apply(bewertung_faelle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bewertung)->Apply(bewertung_faeden)->Unit(benchmark::kMillisecond)->UseRealTime();

// A whole turn after the answer to the opening trial, without a time limit:
// length 5 with repetition over ten signs (and over twenty), on one thread
// and on every core.
void BM_Zug(benchmark::State& state) {
  const char letztes = static_cast<char>(state.range(0));
  konsole().kerne = system_cores();
  kvspiel_reset();
  raten_faeden = static_cast<std::uint32_t>(state.range(1));  // 0 = every core
  std::uint64_t saat = 3;
  double loesungen_summe = 0, versuche_summe = 0, bewertet_summe = 0, bahnen_summe = 0;
  for (auto _ : state) {
    state.PauseTiming();
    RANDOMIZE(saat++);
    bedingungen(5, '0', letztes, true);
    LEERZEICHEN = false;
    KENNEALLEFARBEN = false;
    NUMMER = 0;
    raten_spielbeginn(true);
    std::memcpy(LOESUNG.z, "31415    ", 9);
    LOESUNGSFARBEN = {};
    for (int i = 1; i <= 5; ++i) ++LOESUNGSFARBEN[NRARRAY[static_cast<unsigned char>(LOESUNG[i])]];
    WX = 48;
    WY = 9;
    bool ok = false;
    INIT_RATEN(ok);
    INITFELD();
    code c;
    std::uint8_t p = 0, z = 0;
    unsigned char taste = 0;
    while (AEQUI_KLASSE && p != 5) {
      ++NUMMER;
      WX = 48;
      RATE_CODE(c, p, z, taste);
    }
    const std::uint32_t loesungen = raten_loes_zahl;
    ++NUMMER;
    WX = 48;
    WY = 10;
    state.ResumeTiming();
    RATE_CODE(c, p, z, taste);
    state.PauseTiming();
    loesungen_summe += loesungen;
    versuche_summe += GERATENE_VERSUCHE;
    bewertet_summe += raten_bewertet;
    bahnen_summe += raten_bahnen_zahl;
    SPEICHER_FREIGEBEN(true);
    state.ResumeTiming();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["solutions"] = loesungen_summe / n;  // averages over the turns
  state.counters["trials"] = versuche_summe / n;
  state.counters["scored"] = bewertet_summe / n;  // the others decided by their orbits
  state.counters["orbits"] = bahnen_summe / n;
}
BENCHMARK(BM_Zug)->Args({'9', 1})->Args({'9', 0})->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Zug)->Args({'j', 1})->Args({'j', 0})->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
