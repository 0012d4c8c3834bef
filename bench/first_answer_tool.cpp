// The wait before the computer codebreaker's game can go on, on the real
// clock: from the start of the game (the clocks started, the store about to
// be built) to the moment the answer to its first trial stands on the board,
// the computer answering against its own fixed code. Per condition the
// times of each game and their median; the store's build alone beside them.
//
//   first_answer_tool [GAMES [CONDITION...]]
//   CONDITION: LENGTH:LAST:REPETITION, e.g. 7:c:1; without conditions 7:c:1
//   and 6:h:1. Uses every core the process may run on.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench_hilfe.h"
#include "console/console.h"
#include "console/virtual_console.h"
#include "engine/kvspiel.h"

namespace {

using Uhr = std::chrono::steady_clock;

Uhr::time_point antwort;
bool antwort_gesehen = false;

double sekunden(Uhr::time_point a, Uhr::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int spiele = argc > 1 ? std::atoi(argv[1]) : 3;
  struct Lage {
    int l;
    char letztes;
    int wdh;
  };
  std::vector<Lage> lagen;
  for (int i = 2; i < argc; ++i) {
    Lage g{};
    if (std::sscanf(argv[i], "%d:%c:%d", &g.l, &g.letztes, &g.wdh) == 3) lagen.push_back(g);
  }
  if (lagen.empty()) lagen = {{7, 'c', 1}, {6, 'h', 1}};
  VirtualConsole& vc = konsole();
  vc.kerne = system_cores();
  // The first look at the keys after the answer was written.
  vc.on_wait = [](VirtualConsole&) {
    if (!antwort_gesehen && raten_zug_beginn >= 0) {
      antwort_gesehen = true;
      antwort = Uhr::now();
    }
  };
  kvspiel_reset();
  for (const Lage& g : lagen) {
    std::vector<double> zeiten, aufbauten;
    for (int s = 1; s <= spiele; ++s) {
      RANDOMIZE(static_cast<std::uint64_t>(s) * 7919 + static_cast<std::uint64_t>(g.l));
      bedingungen(g.l, '0', g.letztes, g.wdh != 0);
      int geheim[9];
      zufallsgeheim(g.l, g.wdh != 0, geheim);
      spielbeginn(g.l, g.wdh != 0, geheim);
      antwort_gesehen = false;
      const auto start = Uhr::now();
      bool ok = false;
      INIT_RATEN(ok);
      INITFELD();
      const auto gebaut = Uhr::now();
      if (!ok) {
        std::fprintf(stderr, "build failed\n");
        return 1;
      }
      NUMMER = 1;
      code c;
      std::uint8_t p = 0, z = 0;
      unsigned char taste = 0;
      RATE_CODE(c, p, z, taste);
      if (!antwort_gesehen) antwort = Uhr::now();
      zeiten.push_back(sekunden(start, antwort));
      aufbauten.push_back(sekunden(start, gebaut));
      std::printf("length %d over %d: game %d: answer after %.2f s (build %.2f s)\n", g.l, MAXFARBE,
                  s, zeiten.back(), aufbauten.back());
      std::fflush(stdout);
      SPEICHER_FREIGEBEN(true);
    }
    std::printf(
        "length %d over %d, %u nodes: answer to the first trial after %.2f s (median of %d), build "
        "%.2f s\n",
        g.l, MAXFARBE, MEMRATE, median(zeiten), spiele, median(aufbauten));
  }
  return 0;
}
