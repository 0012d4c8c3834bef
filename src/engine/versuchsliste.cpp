// The codebreaker's trial list: an array of node numbers in trial order,
// read as a ring from raten_anfang. Moving a trial to the front and pruning
// are passes over the array in memory order.
#include <cstring>

#include "engine/kvspiel.h"

namespace {

// Entries between two looks at the clock and the keys in a long pass.
constexpr std::uint32_t TAKT = 1u << 16;

}  // namespace

void raten_enden() {
  if (ZAHLGESAMTVERSUCHE == 0 || !raten_folge) {
    VERS = SCHLUSSLICHT = 0;
    return;
  }
  VERS = raten_versuch(0);
  SCHLUSSLICHT = raten_versuch(ZAHLGESAMTVERSUCHE - 1);
}

void raten_nach_vorn(std::uint32_t i) {
  std::uint32_t* const f = raten_folge;
  const std::uint32_t n = ZAHLGESAMTVERSUCHE, s = raten_anfang, p = raten_stelle(i);
  const std::uint32_t v = f[p];
  if (p >= s) {
    std::memmove(f + s + 1, f + s, (p - s) * sizeof *f);
  } else {
    // Places 0..i run over the end of the array: both pieces move by one.
    std::memmove(f + 1, f, p * sizeof *f);
    f[0] = f[n - 1];
    std::memmove(f + s + 1, f + s, (n - 1 - s) * sizeof *f);
  }
  f[s] = v;
  raten_enden();
}

bool raten_folge_filtern(std::uint32_t weg, std::uint64_t zeichen) {
  std::uint32_t* const f = raten_folge;
  const std::uint32_t n = ZAHLGESAMTVERSUCHE, s = raten_anfang;
  bool ganz = true;
  std::uint32_t w = 0, neu_anfang = 0, r = 0;
  if (zeichen == 0) {
    w = r = weg < n ? weg : n;  // the entries before it stay where they are
    neu_anfang = s;
  } else {
    for (; r < n; ++r) {
      if (r == s) neu_anfang = w;
      if ((r + 1) % TAKT == 0 && raten_zwischenhalt(false)) {
        ganz = false;
        break;
      }
      const std::uint32_t e = f[r];
      if (r == weg || (raten_knoten_zeichen(e & ~RATEN_MARKE) & zeichen)) continue;
      f[w++] = e;
    }
  }
  // The entries not looked at close up behind the kept ones.
  if (r < n && r == weg && ganz) ++r;
  if (s >= r) neu_anfang = w + (s - r);
  std::memmove(f + w, f + r, (n - r) * sizeof *f);
  ZAHLGESAMTVERSUCHE = w + (n - r);
  raten_anfang = neu_anfang < ZAHLGESAMTVERSUCHE ? neu_anfang : 0;
  raten_enden();
  return ganz;
}
