// Plays the computer codebreaker against every secret of the given conditions
// (its own fixed code), and against its own variable code for a number of
// seeds, without a time limit; prints the largest and the average number of
// trials against the promised bound.
//
//   selfplay_tool LENGTH FIRST LAST REPETITION [SEEDS [VACANT]]
//   e.g. selfplay_tool 4 0 5 1 20    (length 4 over 0..5 with repetition)
//        selfplay_tool 6 0 1 1 5 1   (length 6 over two signs, vacant sign in trials)
//
//   selfplay_tool --fingerprint [THREADS [BLOCK_PAIRS]]
// plays a fixed set of seeded games (fixed and variable code, with and
// without repetition, the vacant sign) and prints one hash of all their
// trials and answers: the engine's play in one number, which must not move
// when the engine only gets faster. The search uses the machine's cores, or
// THREADS (1 = the main thread alone); BLOCK_PAIRS sends every search to the
// workers in blocks of about that many pairs.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "bench_hilfe.h"
#include "console/console.h"
#include "console/virtual_console.h"
#include "engine/kvspiel.h"

namespace {

struct Partie {
  int versuche = 0;
  bool geloest = false;
  std::vector<code> folge;
  std::vector<std::pair<unsigned char, unsigned char>> antworten;  // P and Z of each trial
};

bool mit_leer = false;

// One game as the play loop runs it; secret = sign numbers (fixed code) or null.
Partie spiele(const int* geheim) {
  const int l = X.laenge;
  const bool wdh = X.wiederholung;
  Partie ergebnis;
  LEERZEICHEN = X.leerzeichen;
  KENNEALLEFARBEN = !wdh && l == MAXFARBE;
  NUMMER = 0;
  raten_spielbeginn(wdh);
  std::memset(&LOESUNG, ' ', sizeof LOESUNG);
  if (geheim)
    for (int i = 1; i <= l; ++i) LOESUNG[i] = FARBARRAY[geheim[i - 1]];
  zaehle_loesungsfarben();
  WX = 48;
  WY = 9;
  GOTOXY(WX, WY);
  bool ok;
  INIT_RATEN(ok);
  INITFELD();
  if (!ok) return ergebnis;
  for (;;) {
    ++NUMMER;
    WX = 48;
    WY = 9;
    GOTOXY(WX, WY);
    code c;
    std::uint8_t p = 0, z = 0;
    unsigned char taste = 0;
    RATE_CODE(c, p, z, taste);
    ergebnis.folge.push_back(c);
    ergebnis.antworten.emplace_back(p, z);
    ergebnis.versuche = NUMMER;
    if (taste == 27) return ergebnis;
    if (p == l) {
      ergebnis.geloest = true;
      return ergebnis;
    }
    if (NUMMER > 60) return ergebnis;
  }
}

// FNV-1a over the bytes of every game.
struct Fingerabdruck {
  std::uint64_t h = 1469598103934665603ull;
  void nimm(unsigned char b) {
    h ^= b;
    h *= 1099511628211ull;
  }
};

int fingerabdruck() {
  struct Lage {
    int l;
    char letztes;
    bool wdh, leer;
  };
  static const Lage LAGEN[] = {
      {4, '5', true, false}, {4, '7', false, false}, {5, '9', true, false}, {5, '7', false, false},
      {6, '1', true, true},  {3, 'f', true, false},  {6, '5', true, false}, {5, 'a', false, false}};
  Fingerabdruck f;
  int partien = 0;
  for (const Lage& lage : LAGEN) {
    mit_leer = lage.leer;
    for (int saat = 1; saat <= 4; ++saat) {
      const bool fest = saat <= 3;
      RANDOMIZE(static_cast<std::uint64_t>(saat) * 104729 + static_cast<std::uint64_t>(lage.l));
      bedingungen(lage.l, '0', lage.letztes, lage.wdh, mit_leer, fest);
      int geheim[9] = {};
      zufallsgeheim(lage.l, lage.wdh, geheim);
      const Partie partie = spiele(fest ? geheim : nullptr);
      for (const code& c : partie.folge)
        for (int i = 0; i < lage.l; ++i) f.nimm(static_cast<unsigned char>(c.z[i]));
      for (const auto& a : partie.antworten) {
        f.nimm(a.first);
        f.nimm(a.second);
      }
      f.nimm(partie.geloest ? 1 : 0);
      f.nimm(static_cast<unsigned char>(partie.versuche));
      ++partien;
    }
  }
  mit_leer = false;
  std::printf("fingerprint of %d games: %016llx\n", partien, static_cast<unsigned long long>(f.h));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--fingerprint") == 0) {
    VirtualConsole vc;
    vc.eof_when_empty = false;
    vc.kerne = system_cores();
    console_use(vc);
    kvspiel_reset();
    if (argc > 2) raten_faeden = static_cast<std::uint32_t>(std::atoi(argv[2]));
    if (argc > 3) {
      raten_block_paare = static_cast<std::uint64_t>(std::atoll(argv[3]));
      raten_parallel_ab = 0;
    }
    return fingerabdruck();
  }
  if (argc < 5) {
    std::fprintf(stderr, "usage: %s LENGTH FIRST LAST REPETITION [SEEDS]\n", argv[0]);
    return 2;
  }
  const int l = std::atoi(argv[1]);
  const char erstes = argv[2][0], letztes = argv[3][0];
  const bool wdh = std::atoi(argv[4]) != 0;
  const int saaten = argc > 5 ? std::atoi(argv[5]) : 20;
  mit_leer = argc > 6 && std::atoi(argv[6]) != 0;

  VirtualConsole vc;
  vc.eof_when_empty = false;
  console_use(vc);
  kvspiel_reset();
  RANDOMIZE(1);
  bedingungen(l, erstes, letztes, wdh, mit_leer, true);
  const int n = MAXFARBE;
  const int schranke =
      WIEVIELE(static_cast<std::uint8_t>(l), static_cast<std::uint8_t>(n), wdh, mit_leer);

  // Every secret against the fixed code.
  int geheim[9] = {};
  for (int i = 0; i < l; ++i) geheim[i] = 1;
  long long summe = 0, zahl = 0, ungeloest = 0;
  int groesste = 0;
  std::vector<int> verteilung(64, 0);
  Partie schlechteste;
  std::vector<int> schlechtestes_geheim;
  for (;;) {
    bool erlaubt = true;
    if (!wdh)
      for (int i = 0; i < l && erlaubt; ++i)
        for (int j = i + 1; j < l; ++j)
          if (geheim[i] == geheim[j]) erlaubt = false;
    if (erlaubt) {
      bedingungen(l, erstes, letztes, wdh, mit_leer, true);
      Partie partie = spiele(geheim);
      if (!partie.geloest) ++ungeloest;
      summe += partie.versuche;
      ++zahl;
      ++verteilung[partie.versuche < 63 ? partie.versuche : 63];
      if (partie.versuche > groesste) {
        groesste = partie.versuche;
        schlechteste = partie;
        schlechtestes_geheim.assign(geheim, geheim + l);
      }
    }
    int j = 0;
    while (j < l && geheim[j] == n) geheim[j++] = 1;
    if (j == l) break;
    ++geheim[j];
  }
  std::printf("length %d over %c..%c (%d signs), repetition %s%s: N = %d\n", l, erstes, letztes, n,
              wdh ? "allowed" : "barred", mit_leer ? ", vacant sign" : "", schranke);
  std::printf("fixed code, every secret: games %lld, largest %d, average %.4f, unsolved %lld\n",
              zahl, groesste, zahl ? static_cast<double>(summe) / zahl : 0.0, ungeloest);
  std::printf("  distribution:");
  for (int i = 1; i < 64; ++i)
    if (verteilung[i]) std::printf(" %d:%d", i, verteilung[i]);
  std::printf("\n");
  if (groesste > schranke && schranke > 0) {
    std::printf("  largest above N: secret ");
    for (int c : schlechtestes_geheim) std::printf("%c", FARBARRAY[c]);
    std::printf(", trials");
    for (const code& c : schlechteste.folge) std::printf(" %.*s", l, c.z);
    std::printf("\n");
  }

  // The variable code, several seeds.
  std::printf("variable code, %d seeds:", saaten);
  int v_groesste = 0;
  long long v_summe = 0;
  for (int s = 1; s <= saaten; ++s) {
    RANDOMIZE(static_cast<std::uint64_t>(s) * 7919);
    bedingungen(l, erstes, letztes, wdh, mit_leer, false);
    Partie partie = spiele(nullptr);
    std::printf(" %d%s", partie.versuche, partie.geloest ? "" : "!");
    v_summe += partie.versuche;
    if (partie.versuche > v_groesste) v_groesste = partie.versuche;
  }
  std::printf("\n  largest %d, average %.4f\n", v_groesste,
              saaten ? static_cast<double>(v_summe) / saaten : 0.0);
  return 0;
}
