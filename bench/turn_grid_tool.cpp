// The computer codebreaker's turns on the real clock: it plays against its
// own fixed code over sampled secrets with a time limit (10 s unless told
// otherwise), no keys pressed, and reports per condition the median and the
// longest turn, the share of turns the limit cut, the part of the list
// searched in a cut turn and the trials needed.
//
// A turn runs from the answer to the next trial on the board: the narrowing
// and pruning after the answer of the previous trial, then the work before
// the search, the search and the trial. The moment a trial stands on the
// board is the first poll of the keyboard after it was written; the turn
// that plays the last candidate ends when RATE_CODE returns.
//
//   turn_grid_tool [SECRETS [LIMIT_TENS [CONDITION...]]]
//   CONDITION: LENGTH:LAST:REPETITION, e.g. 7:c:1 (length 7 over 0..c with
//   repetition); without conditions the whole grid.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "bench_hilfe.h"
#include "console/console.h"
#include "console/virtual_console.h"
#include "engine/kvspiel.h"

namespace {

using Uhr = std::chrono::steady_clock;

double sekunden(Uhr::time_point a, Uhr::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

// The virtual console with the real date and time and no keys.
class EchteUhr : public VirtualConsole {
 public:
  void stelle() {
    // Seconds and hundredths from one reading of the clock, so that the
    // time never steps back at a second's turn.
    const auto jetzt = std::chrono::system_clock::now().time_since_epoch();
    const auto hsek = std::chrono::duration_cast<std::chrono::milliseconds>(jetzt).count() / 10;
    const std::time_t t = static_cast<std::time_t>(hsek / 100);
    std::tm tm{};
    localtime_r(&t, &tm);
    DateTime d;
    d.year = tm.tm_year + 1900;
    d.month = tm.tm_mon + 1;
    d.day = tm.tm_mday;
    d.hour = tm.tm_hour;
    d.minute = tm.tm_min;
    d.second = tm.tm_sec;
    d.hundredths = static_cast<int>(hsek % 100);
    set_clock(d);
  }
  ClockReading read_clock() override {
    stelle();
    return VirtualConsole::read_clock();
  }
  void set_date(std::uint16_t, std::uint16_t, std::uint16_t) override {}
  void set_time(std::uint16_t, std::uint16_t, std::uint16_t, std::uint16_t) override {}
};

struct Lage {
  int l;
  char letztes;
  bool wdh;
};

struct Zug {
  double dauer;      // answer to the next trial on the board, seconds
  double davor;      // of it: the call's work before the trial was on the board
  bool gesucht;      // a search over the list (not the opening, not the last candidate)
  bool geschnitten;  // the limit ended the search early
  double anteil;     // part of the list searched
};

// Phases of one call seen from the keyboard polls.
Uhr::time_point aufruf_beginn, auf_dem_brett;
bool brett_gesehen = false;

void bedingungen(const Lage& lage, int limit) {
  ::bedingungen(lage.l, '0', lage.letztes, lage.wdh);
  X.zeitlimit = static_cast<std::uint8_t>(limit);
  ZEITLIMIT = static_cast<std::uint32_t>(limit) * 1000;
  ZEITLIMIT99 = ZEITLIMIT + 99;
  ZEITLIMIT_DIV_10 = static_cast<std::uint32_t>(limit) * 100;
}

double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// One game; the turns appended to zuege, the trials needed returned (0 = unsolved).
int spiele(const Lage& lage, const int* geheim, std::vector<Zug>& zuege, double& aufbau) {
  const int l = lage.l;
  spielbeginn(l, lage.wdh, geheim);
  bool ok = false;
  const auto a = Uhr::now();
  INIT_RATEN(ok);
  INITFELD();
  aufbau = sekunden(a, Uhr::now());
  if (!ok) return 0;
  double nachher = 0;  // the previous call's work after its trial was on the board
  for (;;) {
    ++NUMMER;
    WX = 48;
    WY = static_cast<std::uint16_t>(9 + (NUMMER - 1) % 15);
    GOTOXY(WX, WY);
    code c;
    std::uint8_t p = 0, z = 0;
    unsigned char taste = 0;
    const bool eroeffnung = AEQUI_KLASSE;
    const std::uint32_t liste = ZAHLGESAMTVERSUCHE, loesungen = raten_loes_zahl;
    brett_gesehen = false;
    aufruf_beginn = Uhr::now();
    RATE_CODE(c, p, z, taste);
    const auto ende = Uhr::now();
    if (!brett_gesehen) auf_dem_brett = ende;
    Zug zug;
    zug.davor = sekunden(aufruf_beginn, auf_dem_brett);
    zug.dauer = nachher + zug.davor;
    nachher = sekunden(auf_dem_brett, ende);
    zug.gesucht = !eroeffnung && liste > 2 && p != l;
    zug.geschnitten = zug.gesucht && GERATENE_VERSUCHE < ZAHL_DER_VERSUCHE;
    zug.anteil = ZAHL_DER_VERSUCHE ? static_cast<double>(GERATENE_VERSUCHE) / ZAHL_DER_VERSUCHE : 1;
    if (!eroeffnung) zuege.push_back(zug);
    std::fprintf(
        stderr,
        "  trial %d: list %u, solutions %u, turn %.2f s (%.2f before the board), %s %u of %u, "
        "scored %u, orbits %u (group of %llu)\n",
        NUMMER, liste, loesungen, zug.dauer, zug.davor, zug.geschnitten ? "cut" : "searched",
        GERATENE_VERSUCHE, ZAHL_DER_VERSUCHE, raten_bewertet, raten_bahnen_zahl,
        static_cast<unsigned long long>(raten_gruppe_ordnung));
    if (taste == 27) return 0;
    if (p == l) return NUMMER;
    if (NUMMER > 40) return 0;
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int geheimnisse = argc > 1 ? std::atoi(argv[1]) : 5;
  const int limit = argc > 2 ? std::atoi(argv[2]) : 1;
  std::vector<Lage> lagen;
  for (int i = 3; i < argc; ++i) {
    int l = 0, w = 0;
    char letztes = 0;
    if (std::sscanf(argv[i], "%d:%c:%d", &l, &letztes, &w) == 3)
      lagen.push_back({l, letztes, w != 0});
  }
  if (lagen.empty())
    lagen = {{4, '5', true},  {5, '9', true}, {5, 'j', true}, {6, '9', true},
             {6, 'b', false}, {6, 'h', true}, {7, '9', true}, {7, 'c', true}};

  EchteUhr vc;
  vc.eof_when_empty = false;
  vc.poll_step_us = 0;
  vc.kerne = system_cores();
  vc.on_wait = [](VirtualConsole&) {
    if (!RATENDRAN && !brett_gesehen) {
      brett_gesehen = true;
      auf_dem_brett = Uhr::now();
    }
  };
  console_use(vc);
  kvspiel_reset();
  // Pairs of trials and solutions per block of the search, to compare settings.
  if (const char* paare = std::getenv("RATEN_BLOCK_PAARE"))
    raten_block_paare = std::strtoull(paare, nullptr, 0);

  std::printf(
      "| conditions | trial list | build | turns | median turn | longest turn | cut | "
      "part searched in a cut turn (median) | trials needed (mean, most) |\n");
  std::printf("|---|---|---|---|---|---|---|---|---|\n");
  for (const Lage& lage : lagen) {
    std::vector<Zug> zuege;
    std::vector<double> aufbauten;
    int summe = 0, meiste = 0, geloest = 0;
    for (int s = 1; s <= geheimnisse; ++s) {
      RANDOMIZE(static_cast<std::uint64_t>(s) * 7919 + static_cast<std::uint64_t>(lage.l) * 31 +
                static_cast<std::uint64_t>(lage.letztes));
      bedingungen(lage, limit);
      int geheim[9];
      zufallsgeheim(lage.l, lage.wdh, geheim);
      std::fprintf(stderr, "%d over 0..%c, secret %d:\n", lage.l, lage.letztes, s);
      double aufbau = 0;
      const int n = spiele(lage, geheim, zuege, aufbau);
      aufbauten.push_back(aufbau);
      if (n) {
        summe += n;
        ++geloest;
        meiste = std::max(meiste, n);
      }
      SPEICHER_FREIGEBEN(true);
    }
    std::vector<double> dauer, anteile;
    double laengste = 0;
    int gesucht = 0, geschnitten = 0;
    for (const Zug& z : zuege) {
      dauer.push_back(z.dauer);
      laengste = std::max(laengste, z.dauer);
      if (z.gesucht) ++gesucht;
      if (z.geschnitten) {
        ++geschnitten;
        anteile.push_back(z.anteil);
      }
    }
    std::printf(
        "| length %d over %d, %s | %u | %.1f s | %zu | %.2f s | %.2f s | %d %% (%d of %d) | "
        "%s | %.2f, %d%s |\n",
        lage.l, MAXFARBE, lage.wdh ? "repetition" : "no repetition", MEMRATE, median(aufbauten),
        zuege.size(), median(dauer), laengste, gesucht ? 100 * geschnitten / gesucht : 0,
        geschnitten, gesucht,
        anteile.empty() ? "-" : (std::to_string(median(anteile) * 100).substr(0, 5) + " %").c_str(),
        geloest ? static_cast<double>(summe) / geloest : 0.0, meiste,
        geloest < geheimnisse ? " (unsolved games)" : "");
    std::fflush(stdout);
  }
  return 0;
}
