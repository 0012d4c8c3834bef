// Worker threads of the codebreaker's search: started for one search and
// joined before it returns. They only score; the main thread alone reads
// keys, draws random numbers and keeps the clocks, and waits here between
// its looks at them.
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

void arbeiter_starten(std::uint32_t zahl, void (*arbeit)(void*), void* daten) {
  for (std::uint32_t i = 0; i < zahl; ++i) faeden.emplace_back(arbeit, daten);
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
