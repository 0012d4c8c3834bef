// Worker threads of the codebreaker's search: started for one search and
// joined before it returns. They only score; the main thread alone reads
// keys, draws random numbers and keeps the clocks, and waits here between
// its looks at them.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {

std::vector<std::thread> faeden;
std::mutex sperre;
std::condition_variable meldung;
std::uint64_t meldungen = 0;  // reports of finished work since the start

}  // namespace

std::uint32_t arbeiter_zahl_fuer_suche() {
  if (raten_faeden) return raten_faeden;
  const unsigned n = usable_cores();
  return n < ARBEITER_MAX ? n : ARBEITER_MAX;
}

std::uint32_t arbeiter_starten(std::uint32_t zahl, void (*arbeit)(void*), void* daten) {
  std::uint32_t gestartet = 0;
  for (; gestartet < zahl; ++gestartet) {
    std::thread t = start_thread(arbeit, daten);
    if (!t.joinable()) break;  // the system gives no more: go on with those there are
    faeden.push_back(std::move(t));
  }
  return gestartet;
}

void arbeiter_melden() {
  {
    const std::lock_guard<std::mutex> l(sperre);
    ++meldungen;
  }
  meldung.notify_one();
}

void arbeiter_warten(std::uint64_t& gesehen, unsigned ms) {
  std::unique_lock<std::mutex> l(sperre);
  meldung.wait_for(l, std::chrono::milliseconds(ms), [&] { return meldungen != gesehen; });
  gesehen = meldungen;
}

void arbeiter_beenden() {
  for (std::thread& t : faeden) t.join();
  faeden.clear();
}

std::uint32_t arbeiter_laufend() {
  return static_cast<std::uint32_t>(faeden.size());
}

namespace {

// A pass in pieces: the workers take the pieces in order.
struct Teilung {
  std::uint32_t stuecke;
  void (*arbeit)(std::uint32_t, void*);
  void* daten;
  std::atomic<std::uint32_t> naechstes{0};
  std::atomic<std::uint32_t> fertig{0};
  std::atomic<bool> halt{false};
};

void teile_ab(void* daten) {
  Teilung& t = *static_cast<Teilung*>(daten);
  for (;;) {
    const std::uint32_t s = t.naechstes.fetch_add(1);
    if (s >= t.stuecke || t.halt.load()) return;
    t.arbeit(s, t.daten);
    t.fertig.fetch_add(1);
    arbeiter_melden();
  }
}

}  // namespace

namespace {

// The pieces on this thread, the clocks and the keys between them.
bool allein_teilen(std::uint32_t stuecke, void (*arbeit)(std::uint32_t, void*), void* daten) {
  for (std::uint32_t s = 0; s < stuecke; ++s) {
    if (s > 0 && raten_zwischenhalt(false)) return false;
    arbeit(s, daten);
  }
  return true;
}

}  // namespace

bool arbeiter_teilen(std::uint32_t stuecke, void (*arbeit)(std::uint32_t, void*), void* daten,
                     std::uint32_t faeden) {
  if (faeden < 2) return allein_teilen(stuecke, arbeit, daten);
  Teilung t{stuecke, arbeit, daten};
  if (arbeiter_starten(faeden, teile_ab, &t) == 0) return allein_teilen(stuecke, arbeit, daten);
  std::uint64_t gesehen = 0;
  bool ganz = true;
  while (t.fertig.load() < stuecke) {
    arbeiter_warten(gesehen, 10);
    if (raten_zwischenhalt(false)) {
      ganz = false;
      t.halt = true;
      break;
    }
  }
  arbeiter_beenden();
  return ganz;
}
