// The solution list's layout and the scoring loop that the scalar and the
// vector kernels share. Each kernel file includes this header and compiles the
// loop with its own instruction set; nothing here has external linkage, so no
// instruction of one kernel reaches code compiled for another processor.
//
// Layout: solutions stand in blocks of 64. A block holds 2L byte planes of
// 64 bytes: planes 0..L-1 the sign at each position, planes L..2L-1 its
// occurrence index (how often that sign stood at the positions before). A
// list of at least GANZ_AB solutions is given whole blocks (the lanes behind
// the last solution unused); a smaller one keeps the planes of its last
// block at the stride of that block's count, so that it takes exactly 2L
// bytes a solution.
//
// For a trial holding a_c copies of sign c, a solution's class is (t, p) with
// p = the positions j where the solution's sign equals the trial's and
// t = the positions j whose occurrence index is below a of their sign (the sum
// over the signs of the smaller count). The kernels count a class by its
// number t (t + 1) / 2 + p (0..54, p <= t), or by p alone when every solution
// has the same t.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

namespace loes_kern {

constexpr std::uint32_t BLOCK = 64;
constexpr std::uint32_t GANZ_AB = 16 * BLOCK;  // lists from this size on take whole blocks
constexpr std::uint8_t LEER_KLASSE = 0xFF;     // the class number of an empty lane: never counted
constexpr std::uint32_t MAX_STRECKE = 255;     // blocks between two exact counts

struct Liste {
  const std::uint8_t* daten = nullptr;
  std::uint32_t zahl = 0;  // solutions
  int laenge = 0;
  bool ganz = false;    // whole blocks (else the last block at the stride of its count)
  int zeichen_max = 0;  // the largest sign number in the list
};

struct Bild {
  const std::uint8_t* anzahl = nullptr;   // 64 entries: copies of each sign in the trial
  const std::uint8_t* zeichen = nullptr;  // the trial's sign at each position
  int laenge = 0;
  int t_fest = -1;  // t of every solution when every solution holds the same signs, else -1
};

// The variants, one per instruction set: for each of `zahl` trials the
// classes over the whole list into klassen[64 v .. 64 v + 54] (by class
// number) and ganz[v] true, or ganz[v] false as soon as the trial cannot beat
// (best_max, best_summe) (every trial fixes t, or none); and the class
// numbers of `zahl` blocks from block `erster` on (empty lanes of the last
// block LEER_KLASSE).
using Zaehler = void (*)(const Liste&, const Bild*, int zahl, std::uint32_t* klassen,
                         std::int32_t best_max, std::int64_t best_summe, bool* ganz);
using Klassierer = void (*)(const Liste&, const Bild&, std::uint32_t erster, std::uint32_t zahl,
                            std::uint8_t* aus);

struct Kern {
  Zaehler zaehle;
  Klassierer klassen;
};
extern const Kern SKALAR;
// The codebreaker's solution list as it stands.
Liste aktuelle_liste();
#if defined(__x86_64__)
extern const Kern AVX2, AVX512;
#endif

// The narrowing's gathering: appends the lanes of block `blk` (2 l planes of
// 64) whose class number in `klassen` (64 bytes) is `ziel` to the 2 l planes
// of `stapel`, STAPEL_BREITE bytes apart, from lane n (below 64) on; returns
// how many. The plain version, and one for AVX-512 with VBMI2 (the caller
// checks the processor).
constexpr std::uint32_t STAPEL_BREITE = 2 * BLOCK;
using Sammelnd = std::uint32_t (*)(const std::uint8_t* klassen, std::uint8_t ziel,
                                   const std::uint8_t* blk, int l, std::uint8_t* stapel,
                                   std::uint32_t n);
std::uint32_t sammle_skalar(const std::uint8_t* klassen, std::uint8_t ziel, const std::uint8_t* blk,
                            int l, std::uint8_t* stapel, std::uint32_t n);
#if defined(__x86_64__)
std::uint32_t sammle_vbmi2(const std::uint8_t* klassen, std::uint8_t ziel, const std::uint8_t* blk,
                           int l, std::uint8_t* stapel, std::uint32_t n);
#endif

namespace {

// The number of the first class of each t: t (t + 1) / 2 (64 entries, a table
// for one byte permutation).
struct Dreieck {
  alignas(64) std::uint8_t t[64];
  constexpr std::uint8_t operator[](int i) const { return t[i]; }
};
constexpr Dreieck dreieck() {
  Dreieck d{};
  for (int t = 0; t <= 10; ++t) d.t[t] = static_cast<std::uint8_t>(t * (t + 1) / 2);
  return d;
}
constexpr Dreieck DREIECK = dreieck();

inline std::size_t block_bytes(int l) {
  return std::size_t{2} * BLOCK * static_cast<std::size_t>(l);
}

inline std::uint32_t bloecke(const Liste& li) {
  return (li.zahl + BLOCK - 1) / BLOCK;
}

// Block b of the list as full planes of 64: the list's own memory, or for the
// last block of a small list its planes copied into `puffer`.
inline const std::uint8_t* block(const Liste& li, std::uint32_t b, std::uint8_t* puffer) {
  const std::uint8_t* anfang = li.daten + block_bytes(li.laenge) * b;
  const std::uint32_t n = li.zahl - b * BLOCK;
  if (li.ganz || n >= BLOCK) return anfang;
  std::memset(puffer, 0, block_bytes(li.laenge));
  for (int e = 0; e < 2 * li.laenge; ++e)
    std::memcpy(puffer + BLOCK * static_cast<std::size_t>(e),
                anfang + n * static_cast<std::size_t>(e), n);
  return puffer;
}

// The lanes of the last block behind the last solution: never counted.
inline void leere_lanes(const Liste& li, std::uint32_t b, std::uint8_t* klassen) {
  const std::uint32_t n = li.zahl - b * BLOCK;
  if (n < BLOCK) std::memset(klassen + n, LEER_KLASSE, BLOCK - n);
}

// The nibble tables of the vector histograms: table i turns class number
// 2 i into 1 and 2 i + 1 into 16, every other number (LEER_KLASSE too) into
// 0; summed over up to 15 blocks a byte counts two classes.
struct Paartafeln {
  alignas(64) std::uint8_t t[28][64];
};
constexpr Paartafeln paartafeln() {
  Paartafeln p{};
  for (int i = 0; i < 28; ++i) {
    p.t[i][2 * i] = 1;
    p.t[i][2 * i + 1] = 16;
  }
  return p;
}
constexpr Paartafeln PAARE = paartafeln();

// The class numbers a trial can give: 0 up to that of (t, t) for t = the
// trial's non-vacant positions; with a fixed t the p of 0..L.
inline int klassenzahl(const Bild& b) {
  if (b.t_fest >= 0) return b.laenge + 1;
  int t_max = 0;
  for (int j = 0; j < b.laenge; ++j) t_max += b.zeichen[j] != 0;
  return DREIECK[t_max] + t_max + 1;
}

// The early rejection: the trial cannot beat (best_max, best_summe) once a
// class is larger than best_max, or the largest equals it and the sum of
// squares is above best_summe (or equal to it before the last solution).
inline bool verworfen(const std::uint32_t* z, int n, std::int32_t best_max, std::int64_t best_summe,
                      bool ende, std::uint32_t& max) {
  max = 0;
  for (int i = 0; i < n; ++i)
    if (z[i] > max) max = z[i];
  if (static_cast<std::int64_t>(max) < best_max) return false;
  if (static_cast<std::int64_t>(max) > best_max) return true;
  std::int64_t s = 0;
  for (int i = 0; i < n; ++i) s += static_cast<std::int64_t>(z[i]) * z[i];
  return s > best_summe || (s == best_summe && !ende);
}

// The scoring loop. K is a kernel: K(bild) prepares a trial,
// k.klassen<L, FEST>(block, aus) writes the 64 class numbers of a block of
// full planes (FEST: p alone), and K::zaehle(bytes, blocks, n, z) adds up to
// MAX_STRECKE blocks of class numbers to the counts of the classes 0..n-1.
//
// A batch of trials walks the list in superblocks that stay in the cache,
// every trial over one superblock before the next. Between two exact counts
// a trial runs only as many blocks as cannot lift a class of it to best_max,
// so that its rejection is checked after every block where it may strike.
struct Lauf {
  std::uint32_t* z;  // the counts, 64 entries
  int n;             // classes 0..n-1
  std::uint32_t max;
  bool verworfen;
};

// The class numbers of `zahl` blocks from block `erster` on.
template <class K, int L, bool FEST>
void klassen_von(const Liste& li, const K& kern, std::uint32_t erster, std::uint32_t zahl,
                 std::uint8_t* aus, std::uint8_t* puffer) {
  const std::uint32_t alle = bloecke(li);
  const std::uint32_t direkt = li.ganz || li.zahl % BLOCK == 0 ? alle : alle - 1;
  const std::uint32_t bis = erster + zahl < direkt ? erster + zahl : direkt;
  const std::uint8_t* blk = li.daten + block_bytes(L) * erster;
  for (std::uint32_t b = erster; b < bis; ++b, blk += block_bytes(L))
    kern.template klassen<L, FEST>(blk, aus + BLOCK * (b - erster));
  if (bis < erster + zahl)
    kern.template klassen<L, FEST>(block(li, bis, puffer), aus + BLOCK * (bis - erster));
  if (erster + zahl == alle) leere_lanes(li, alle - 1, aus + BLOCK * (zahl - 1));
}

template <class K, int L, bool FEST>
void laufe(const Liste& li, const K& kern, Lauf& r, std::uint32_t von, std::uint32_t bis,
           std::int32_t best_max, std::int64_t best_summe, std::uint8_t* bytes,
           std::uint8_t* puffer) {
  const std::uint32_t alle = bloecke(li);
  for (std::uint32_t b0 = von; b0 < bis && !r.verworfen;) {
    const std::int64_t luft = static_cast<std::int64_t>(best_max) - 1 - r.max;
    std::uint32_t strecke = luft >= static_cast<std::int64_t>(MAX_STRECKE * BLOCK)
                                ? MAX_STRECKE
                                : (luft >= BLOCK ? static_cast<std::uint32_t>(luft / BLOCK) : 1);
    if (strecke > bis - b0) strecke = bis - b0;
    klassen_von<K, L, FEST>(li, kern, b0, strecke, bytes, puffer);
    b0 += strecke;
    K::zaehle(bytes, strecke, r.n, r.z);
    r.verworfen = verworfen(r.z, r.n, best_max, best_summe, b0 == alle, r.max);
  }
}

// Superblocks of about a third of the second-level cache of current processors.
inline std::uint32_t superblock(int l) {
  const std::uint32_t b = (std::uint32_t{384} << 10) / static_cast<std::uint32_t>(block_bytes(l));
  return b < MAX_STRECKE ? MAX_STRECKE : b;
}

template <class K, int L, bool FEST>
void zaehle_liste(const Liste& li, const Bild* b, int zahl, std::uint32_t* z, std::int32_t best_max,
                  std::int64_t best_summe, bool* ganz) {
  constexpr int STAPEL = 64;
  alignas(64) std::uint8_t bytes[MAX_STRECKE * BLOCK];
  alignas(64) std::uint8_t puffer[2 * BLOCK * 9];
  const std::uint32_t alle = bloecke(li);
  const std::uint32_t schritt = superblock(L);
  for (int v0 = 0; v0 < zahl; v0 += STAPEL) {
    const int v1 = v0 + STAPEL < zahl ? v0 + STAPEL : zahl;
    Lauf lauf[STAPEL];
    for (int v = v0; v < v1; ++v) {
      lauf[v - v0] = {z + 64 * v, klassenzahl(b[v]), 0, false};
      std::memset(lauf[v - v0].z, 0, 64 * sizeof z[0]);
    }
    for (std::uint32_t s0 = 0; s0 < alle; s0 += schritt) {
      const std::uint32_t s1 = s0 + schritt < alle ? s0 + schritt : alle;
      for (int v = v0; v < v1; ++v)
        if (!lauf[v - v0].verworfen)
          laufe<K, L, FEST>(li, K(b[v]), lauf[v - v0], s0, s1, best_max, best_summe, bytes, puffer);
    }
    for (int v = v0; v < v1; ++v) ganz[v] = !lauf[v - v0].verworfen;
  }
}

// The class numbers of blocks [erster, erster + zahl).
template <class K, int L, bool FEST>
void klassen_liste(const Liste& li, const Bild& b, std::uint32_t erster, std::uint32_t zahl,
                   std::uint8_t* aus) {
  alignas(64) std::uint8_t puffer[2 * BLOCK * 9];
  if (zahl) klassen_von<K, L, FEST>(li, K(b), erster, zahl, aus, puffer);
}

// The instance for the list's length (1..9) and for a fixed or a counted t.
template <class K, bool FEST, int... L>
constexpr Zaehler zaehler(int l, std::integer_sequence<int, L...>) {
  constexpr Zaehler tafel[] = {nullptr, zaehle_liste<K, L + 1, FEST>...};
  return tafel[l];
}

template <class K, bool FEST, int... L>
constexpr Klassierer klassierer(int l, std::integer_sequence<int, L...>) {
  constexpr Klassierer tafel[] = {nullptr, klassen_liste<K, L + 1, FEST>...};
  return tafel[l];
}

template <class K>
void zaehle_mit(const Liste& li, const Bild* b, int zahl, std::uint32_t* z, std::int32_t best_max,
                std::int64_t best_summe, bool* ganz) {
  constexpr auto laengen = std::make_integer_sequence<int, 9>{};
  if (zahl == 0) return;
  (b[0].t_fest >= 0 ? zaehler<K, true>(li.laenge, laengen) : zaehler<K, false>(li.laenge, laengen))(
      li, b, zahl, z, best_max, best_summe, ganz);
}

template <class K>
void klassen_mit(const Liste& li, const Bild& b, std::uint32_t erster, std::uint32_t zahl,
                 std::uint8_t* aus) {
  constexpr auto laengen = std::make_integer_sequence<int, 9>{};
  (b.t_fest >= 0 ? klassierer<K, true>(li.laenge, laengen)
                 : klassierer<K, false>(li.laenge, laengen))(li, b, erster, zahl, aus);
}

// A kernel's entries.
template <class K>
constexpr Kern kern_aus = {zaehle_mit<K>, klassen_mit<K>};

}  // namespace
}  // namespace loes_kern
