// The symmetry of the played trials: the group of the maps that keep every
// trial played in this game, the orbits it makes of the trials a search
// looks at, and per orbit the record of what the search learnt about its
// members.
//
// The group. An element is a permutation pi of the positions with a
// permutation sigma of the signs (the vacant sign and the unplayed signs
// fixed), acting as (g X)[k] = sigma(X[pi(k)]), such that every played
// trial T stays: sigma(T[pi(k)]) = T[k]. Every played sign stands in a
// played trial, so pi fixes sigma: the elements are found by placing the
// positions one after the other, the signs each placement ties checked
// against those tied before.
//
// The orbits. Two trials lie in one orbit when an element maps one onto the
// other up to an exchange of unplayed signs (which the pre-pass already
// reduces to the canonical trials). The key of an orbit is the least of the
// canonical forms (unplayed signs renamed in first-met order, as the
// pre-pass orders them) of a trial's images under the group; the search
// computes it for each trial it meets and finds the orbit's record by it in
// a hash table, so nothing is prepared over the whole list. Where the group
// is large against the work of scoring a trial, only some of its elements
// are used: keys then split an orbit at times but never join two.
//
// The table lives from the set-up before a search to its end
// (raten_bahnen_freigeben); the workers take slots in it without locks and
// lock a record to read or write it.
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/kvspiel.h"

namespace {

constexpr std::uint8_t OFFEN = 255;
// The most elements used for the keys, and the solutions a search needs per
// element used (a key's work per element is about that of scoring a trial
// against a few hundred solutions).
constexpr std::size_t ELEMENTE_MAX = 40320;
constexpr std::uint32_t ELEMENTE_JE_LOESUNG = 256;
// Room for at most this many orbits (2 to 4 slots of 32 bytes an orbit);
// orbits met beyond it go without a record.
constexpr std::uint32_t BAHNEN_MAX = 1u << 19;

struct Element {
  std::uint8_t pi[9];
  std::uint8_t sigma[64];
};

int laenge;
std::vector<Element> elemente;  // the elements used for the keys, the identity first
bool umbenennen;                // the unplayed signs are renamed (the search reduces)
std::uint8_t rang_zeichen[64];  // the sign of each rank of the reduction

// The search for an element with positions 0..j-1 placed: pi so far, and
// sigma and its inverse as far as the played trials tie them (OFFEN: open).
struct Abbildung {
  int l = 0, m = 0;
  std::uint8_t t[RATEN_GESPIELT_MAX][9];
  std::uint8_t pi[9];
  bool belegt[9] = {};
  std::uint8_t sigma[64], invers[64];

  Abbildung() {
    l = X.laenge;
    m = static_cast<int>(raten_gespielt_zahl);
    for (int i = 0; i < m; ++i)
      for (int k = 0; k < l; ++k) t[i][k] = (raten_gespielt[i] >> (6 * k)) & 63;
    for (int c = 0; c < 64; ++c) sigma[c] = invers[c] = OFFEN;
    sigma[0] = invers[0] = 0;
  }

  void loese_zeichen(const std::uint8_t* neu, int zahl) {
    for (int i = 0; i < zahl; ++i) {
      invers[sigma[neu[i]]] = OFFEN;
      sigma[neu[i]] = OFFEN;
    }
  }

  // pi(j) := v when every played trial allows it; the signs tied by it in neu.
  bool setze(int j, int v, std::uint8_t* neu, int& zahl) {
    zahl = 0;
    for (int i = 0; i < m; ++i) {
      const std::uint8_t a = t[i][v], b = t[i][j];
      if (sigma[a] == b) continue;
      if (sigma[a] != OFFEN || invers[b] != OFFEN) {
        loese_zeichen(neu, zahl);
        return false;
      }
      sigma[a] = b;
      invers[b] = a;
      neu[zahl++] = a;
    }
    pi[j] = static_cast<std::uint8_t>(v);
    belegt[v] = true;
    return true;
  }
};

// Every element of the group, up to `hoechstens` of them kept (the identity
// first); returns the group's order.
std::uint64_t alle(Abbildung& a, int j, std::vector<Element>& aus, std::size_t hoechstens) {
  if (j == a.l) {
    if (aus.size() < hoechstens) {
      aus.emplace_back();
      Element& e = aus.back();
      for (int k = 0; k < a.l; ++k) e.pi[k] = a.pi[k];
      for (int c = 0; c < 64; ++c)
        e.sigma[c] = a.sigma[c] == OFFEN ? static_cast<std::uint8_t>(c) : a.sigma[c];
    }
    return 1;
  }
  std::uint64_t zahl = 0;
  for (int v = 0; v < a.l; ++v) {
    std::uint8_t neu[RATEN_GESPIELT_MAX];
    int n;
    if (a.belegt[v] || !a.setze(j, v, neu, n)) continue;
    zahl += alle(a, j + 1, aus, hoechstens);
    a.belegt[v] = false;
    a.loese_zeichen(neu, n);
  }
  return zahl;
}

// The key of a trial's orbit: the least canonical form of its images under
// the elements kept, compared field by field. Any set of elements gives
// keys that only members of one orbit share; the whole group gives each
// orbit one key.
std::uint64_t schluessel_von(std::uint64_t pos) {
  const int l = laenge;
  std::uint8_t x[9], best[9], bild[9];
  for (int k = 0; k < l; ++k) x[k] = (pos >> (6 * k)) & 63;
  bool erstes = true;
  for (const Element& e : elemente) {
    std::uint8_t alt[9], neu[9];
    int gesehen = 0, k = 0;
    bool kleiner = erstes;
    for (; k < l; ++k) {
      std::uint8_t c = e.sigma[x[e.pi[k]]];
      if (umbenennen && raten_rang[c]) {
        int i = 0;
        while (i < gesehen && alt[i] != c) ++i;
        if (i == gesehen) {
          alt[gesehen] = c;
          neu[gesehen++] = rang_zeichen[i + 1];
        }
        c = neu[i];
      }
      if (!kleiner) {
        if (c > best[k]) break;
        kleiner = c < best[k];
      }
      bild[k] = c;
    }
    if (k < l || !kleiner) continue;
    for (int i = 0; i < l; ++i) best[i] = bild[i];
    erstes = false;
  }
  std::uint64_t aus = 0;
  for (int k = 0; k < l; ++k) aus |= static_cast<std::uint64_t>(best[k]) << (6 * k);
  return aus;
}

// ---- the orbits of one search: a hash table from the key of an orbit to
// its slot, filled as the search meets the orbits (a key is never 0: no
// code is all vacant).

// What the search learnt about an orbit: its exact Wertung, or that a member
// was rejected against a bound, so that every member is worse than it: the
// largest such bound, and the first place a bound of that kind came from.
constexpr std::uint8_t VERWORFEN = 1, BEKANNT = 2;
struct Satz {
  std::int64_t summe = 0;  // BEKANNT: the Wertung's; VERWORFEN: the largest bound's
  std::int32_t max = 0;
  std::int32_t klassen = 0;
  std::uint32_t platz = ~0u;  // VERWORFEN: the first place a bound came from
  std::uint8_t zustand = 0;   // 0: nothing known yet
  bool loesung = false;
};

std::unique_ptr<std::atomic<std::uint64_t>[]> schluessel;
std::vector<Satz> saetze;
int tafel_bits = 0;
std::uint32_t tafel_voll = 0;          // the most orbits the table takes
std::atomic<std::uint32_t> belegt{0};  // orbits met
bool bereit = false;                   // the table stands
constexpr std::uint32_t STREIFEN = 64;
std::mutex streifen[STREIFEN];  // the records' locks, by slot

inline std::uint32_t streue(std::uint64_t pos) {
  return static_cast<std::uint32_t>((pos * 0x9E3779B97F4A7C15ull) >> (64 - tafel_bits));
}

// The slot of an orbit's key, taken when it is new; RATEN_KEINE_BAHN when
// the table is full.
std::uint32_t slot_von(std::uint64_t s) {
  const std::uint32_t maske = (1u << tafel_bits) - 1;
  for (std::uint32_t i = streue(s);; i = (i + 1) & maske) {
    std::uint64_t da = schluessel[i].load(std::memory_order_acquire);
    if (da == s) return i;
    if (da != 0) continue;
    if (belegt.load(std::memory_order_relaxed) >= tafel_voll) return RATEN_KEINE_BAHN;
    if (schluessel[i].compare_exchange_strong(da, s, std::memory_order_acq_rel)) {
      belegt.fetch_add(1, std::memory_order_relaxed);
      return i;
    }
    if (da == s) return i;  // another thread took it for the same key
  }
}

// The elements (at most `hoechstens`), the renaming of the unplayed signs
// and the table for the orbits of `zahl` trials (the group's elements used
// make them fewer, `genau`: the table takes every orbit). False when the
// group is trivial.
bool vorbereiten(std::uint32_t zahl, bool reduzieren, std::size_t hoechstens, bool genau) {
  laenge = X.laenge;
  elemente.clear();
  Abbildung a;
  raten_gruppe_ordnung = alle(a, 0, elemente, hoechstens);
  if (raten_gruppe_ordnung == 1 || elemente.size() < 2) return false;
  umbenennen = reduzieren;
  for (int c = 0; c < 64; ++c)
    if (raten_rang[c] && raten_rang[c] < 64)
      rang_zeichen[raten_rang[c]] = static_cast<std::uint8_t>(c);
  // Most orbits have about as many members as elements are used, some
  // fewer: room for four orbits per that many trials, and a few more.
  const std::uint64_t raum = genau ? zahl : 4 * std::uint64_t{zahl} / elemente.size() + 1024;
  const std::uint32_t n = raum < BAHNEN_MAX ? static_cast<std::uint32_t>(raum) : BAHNEN_MAX;
  tafel_bits = 4;
  while ((1u << tafel_bits) < 2 * n) ++tafel_bits;
  tafel_voll = (1u << tafel_bits) / 4 * 3;
  schluessel.reset(new std::atomic<std::uint64_t>[std::size_t{1} << tafel_bits]);
  for (std::size_t i = 0; i < (std::size_t{1} << tafel_bits); ++i) schluessel[i].store(0);
  saetze.assign(std::size_t{1} << tafel_bits, Satz{});
  belegt = 0;
  bereit = true;
  return true;
}

}  // namespace

void raten_gespielt_merken(std::uint64_t pos) {
  if (raten_gespielt_zahl < RATEN_GESPIELT_MAX) raten_gespielt[raten_gespielt_zahl] = pos;
  if (raten_gespielt_zahl <= RATEN_GESPIELT_MAX) ++raten_gespielt_zahl;
}

void raten_bahnen_bilden(bool reduzieren) {
  raten_bahnen_freigeben();
  raten_bahnen_zahl = 0;
  raten_gruppe_ordnung = 1;
  if (!raten_symmetrie || raten_gespielt_zahl == 0 || raten_gespielt_zahl > RATEN_GESPIELT_MAX)
    return;
  const std::uint32_t zahl = reduzieren ? ZAHL_DER_VERSUCHE : ZAHLGESAMTVERSUCHE;
  if (std::uint64_t{zahl} * raten_loes_zahl < raten_parallel_ab) return;
  // The key of a trial costs about as much as scoring it against
  // ELEMENTE_JE_LOESUNG solutions per element.
  const std::uint32_t hoechstens = raten_loes_zahl / ELEMENTE_JE_LOESUNG;
  vorbereiten(zahl, reduzieren,
              hoechstens < ELEMENTE_MAX ? (hoechstens > 2 ? hoechstens : 2) : ELEMENTE_MAX, false);
}

void raten_bahnen_aus(const std::uint64_t* pos, std::uint32_t zahl, bool reduzieren) {
  raten_bahnen_freigeben();
  if (!vorbereiten(zahl, reduzieren, ELEMENTE_MAX, true)) return;
  for (std::uint32_t i = 0; i < zahl; ++i) raten_bahn(pos[i]);
  raten_bahnen_zahl = belegt;
}

void raten_bahnen_freigeben() {
  raten_bahnen_zahl = bereit ? belegt.load() : 0;
  if (!bereit) raten_gruppe_ordnung = 1;
  bereit = false;
  elemente.clear();
  schluessel.reset();
  std::vector<Satz>().swap(saetze);
}

bool raten_mit_bahnen() {
  return bereit;
}

std::uint32_t raten_bahn(std::uint64_t pos) {
  return bereit ? slot_von(schluessel_von(pos)) : RATEN_KEINE_BAHN;
}

Bahnurteil raten_bahn_urteil(std::uint32_t bahn, std::uint32_t platz, const Schranke& g,
                             Wertung& w) {
  const std::lock_guard<std::mutex> l(streifen[bahn % STREIFEN]);
  const Satz& s = saetze[bahn];
  if (s.zustand == BEKANNT) {
    w = {s.max, s.summe, s.klassen, s.loesung};
    return Bahnurteil::bekannt;
  }
  // Worse than a bound from a trial before this place, or than one no
  // better than this search's own bound.
  if (s.zustand == VERWORFEN && (s.platz < platz || !raten_vorher(s.max, s.summe, g.max, g.summe)))
    return Bahnurteil::verworfen;
  return Bahnurteil::bewerten;
}

void raten_bahn_merken(std::uint32_t bahn, bool ganz, const Wertung& w, const Schranke& g) {
  const std::lock_guard<std::mutex> l(streifen[bahn % STREIFEN]);
  Satz& s = saetze[bahn];
  if (s.zustand == BEKANNT) return;
  if (ganz) {
    s = {w.summe, w.max, w.klassen, ~0u, BEKANNT, w.loesung};
    return;
  }
  if (s.zustand == 0 || raten_vorher(s.max, s.summe, g.max, g.summe)) {
    s.max = g.max;
    s.summe = g.summe;
  }
  s.zustand = VERWORFEN;
  if (g.platz < s.platz) s.platz = g.platz;
}
