// The variable-code list at the largest sizes the 2 GiB budget admits: codes
// built per second of real time on one thread and on two (the CPU time counts
// every thread), codes classified per second for one answer step with the
// plain code and with the AVX-512 kernel, and the memory the list held against
// the budget the conditions form computed for it.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {

// A console without a terminal: no key ever waits.
class StillConsole : public Backend {
 public:
  void present(const Screen&, bool) override {}
  bool key_waiting() override { return false; }
  unsigned char read_key() override { return 27; }
  void delay(unsigned) override {}
  void sound(unsigned) override {}
  void nosound() override {}
  ClockReading read_clock() override { return {2026, 1, 1, 4, 12, 0, 0, 0}; }
  void set_date(std::uint16_t, std::uint16_t, std::uint16_t) override {}
  void set_time(std::uint16_t, std::uint16_t, std::uint16_t, std::uint16_t) override {}
  std::string program_path() override { return "/tmp/korvando"; }
};

StillConsole konsole;

void bedingungen(char letztes, int laenge, bool wdh) {
  kvspiel_reset();
  console_use(konsole);
  INITIALISIERE();
  X.letztes_zeichen = letztes;
  X.laenge = static_cast<std::uint8_t>(laenge);
  X.wiederholung = wdh;
  X.fest = 0;
  setze_zeichensatz();
  REIHENFOLGE();
  MEMAVAIL_ORB = SPEICHERBUDGET[8];
  KORRIGIERE(MAXFARBE, X.laenge, wdh, false, false, true);
}

long rss_kib() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_maxrss;
}

void setze_speicher(benchmark::State& state) {
  const double budget = static_cast<double>(SIZEMOGELN) * static_cast<double>(MEMLOES);
  state.counters["codes"] = static_cast<double>(MEMLOES);
  state.counters["budget_MiB"] = budget / (1 << 20);
  state.counters["peak_MiB"] = static_cast<double>(mogel_belegt_max) / (1 << 20);
  state.counters["peak_share"] = static_cast<double>(mogel_belegt_max) / budget;
  state.counters["maxrss_MiB"] = static_cast<double>(rss_kib()) / 1024;
}

void BM_Aufbau(benchmark::State& state, char letztes, int laenge, bool wdh) {
  bedingungen(letztes, laenge, wdh);
  raten_faeden = static_cast<std::uint32_t>(state.range(0));
  if (!KANN_MOGELN) {
    state.SkipWithError("not admissible");
    return;
  }
  double codes = 0;
  for (auto _ : state) {
    bool ok = false;
    INIT_NICHT_FEST(ok);
    if (!ok) state.SkipWithError("build failed");
    codes += ERLLOE;
    state.PauseTiming();
    SPEICHER_FREIGEBEN(true);
    state.ResumeTiming();
  }
  state.counters["built_per_s"] = benchmark::Counter(codes, benchmark::Counter::kIsRate);
  setze_speicher(state);
}

void BM_Klassieren(benchmark::State& state, char letztes, int laenge, bool wdh,
                   const char* versuch) {
  bedingungen(letztes, laenge, wdh);
  if (!raten_kern_erzwingen(state.range(0) ? RatenKern::avx512 : RatenKern::skalar)) {
    state.SkipWithError("no such kernel on this processor");
    return;
  }
  bool ok = false;
  INIT_NICHT_FEST(ok);
  if (!ok) {
    state.SkipWithError("build failed");
    return;
  }
  zahlenfeld nr{};
  for (int i = 1; i <= laenge; ++i) nr[i] = NRARRAY[static_cast<unsigned char>(versuch[i - 1])];
  double codes = 0;
  for (auto _ : state) {
    klassiere_liste(nr);
    benchmark::DoNotOptimize(KLASSEN_ZAHL);
    codes += ERL;
  }
  state.counters["classified_per_s"] = benchmark::Counter(codes, benchmark::Counter::kIsRate);
  setze_speicher(state);
  SPEICHER_FREIGEBEN(true);
}

// Length 4 over 36 signs with repetition, 5 over 36 with repetition, 6 over
// 24 without (the largest list: about 97 million codes), 7 over 14 with, 9
// over 7 with repetition.
// One and two threads, timed in real time.
void threads(benchmark::internal::Benchmark* b) {
  b->Arg(1)->Arg(2)->UseRealTime()->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
}
BENCHMARK_CAPTURE(BM_Aufbau, L4_n36_rep, 'z', 4, true)->Apply(threads);
BENCHMARK_CAPTURE(BM_Aufbau, L5_n36_rep, 'z', 5, true)->Apply(threads)->Iterations(3);
BENCHMARK_CAPTURE(BM_Aufbau, L6_n24_norep, 'n', 6, false)->Apply(threads)->Iterations(3);
BENCHMARK_CAPTURE(BM_Aufbau, L7_n14_rep, 'd', 7, true)->Apply(threads)->Iterations(3);
BENCHMARK_CAPTURE(BM_Aufbau, L9_n7_rep, '6', 9, true)->Apply(threads)->Iterations(3);

// The plain code (0) and the AVX-512 kernel (1).
void kerne(benchmark::internal::Benchmark* b) {
  b->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
}
BENCHMARK_CAPTURE(BM_Klassieren, L4_n36_rep, 'z', 4, true, "0123")->Apply(kerne);
BENCHMARK_CAPTURE(BM_Klassieren, L5_n36_rep, 'z', 5, true, "01123")->Apply(kerne)->Iterations(5);
BENCHMARK_CAPTURE(BM_Klassieren, L6_n24_norep, 'n', 6, false, "012345")
    ->Apply(kerne)
    ->Iterations(5);
BENCHMARK_CAPTURE(BM_Klassieren, L7_n14_rep, 'd', 7, true, "0011234")->Apply(kerne)->Iterations(5);
BENCHMARK_CAPTURE(BM_Klassieren, L9_n7_rep, '6', 9, true, "000112233")->Apply(kerne)->Iterations(5);

}  // namespace
