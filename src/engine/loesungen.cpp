// The codebreaker's solution list: the codes that can still be the secret, in
// blocks of byte planes (loesungen_kern.h); scoring a trial against them with
// its early rejections, in the best instruction set the processor has, and
// narrowing them to one answer class.
#include <cstring>

#include "engine/kvspiel.h"
#include "engine/loesungen_kern.h"

using loes_kern::BLOCK;

namespace {

// ------------------------------------------------------------ the layout

// Where solution i stands: its place in plane 0 and the stride of the planes
// of its block (64, or for the last block of a small list its count).
struct Platz {
  std::uint8_t* anfang;
  std::size_t schritt;
};

std::uint32_t im_block(std::uint32_t zahl, std::uint32_t b) {
  return zahl - b * BLOCK < BLOCK ? zahl - b * BLOCK : BLOCK;
}

Platz platz(std::uint8_t* daten, std::uint32_t zahl, int l, std::uint32_t i) {
  const std::uint32_t b = i / BLOCK;
  return {daten + loes_kern::block_bytes(l) * b + i % BLOCK,
          raten_loes_ganz ? BLOCK : im_block(zahl, b)};
}

// Writes the packed code pos to its place; returns its signs (bit c for sign c).
std::uint64_t schreibe(Platz z, int l, std::uint64_t pos) {
  std::uint8_t zaehler[64] = {};
  std::uint64_t zeichen = 0;
  for (int j = 0; j < l; ++j) {
    const auto c = static_cast<std::uint8_t>((pos >> (6 * j)) & 63);
    z.anfang[z.schritt * j] = c;
    z.anfang[z.schritt * (l + j)] = zaehler[c]++;
    zeichen |= std::uint64_t{1} << c;
  }
  return zeichen;
}

std::uint64_t lies(Platz z, int l) {
  std::uint64_t pos = 0;
  for (int j = 0; j < l; ++j) pos |= static_cast<std::uint64_t>(z.anfang[z.schritt * j]) << (6 * j);
  return pos;
}

// ------------------------------------------------------------ the scalar kernel

// The reference of the vector kernels, and the kernel of processors without
// them: plain loops over the 64 lanes of a block, which a compiler may turn
// into whatever vector instructions every processor of the kind has. A
// solution's copies of its sign in the trial are gathered sign by sign
// over the trial's signs.
struct KernSkalar {
  const loes_kern::Bild& b;
  int zeichen_zahl = 0;
  std::uint8_t zeichen[9], anzahl[9];  // the trial's different signs and their copies

  explicit KernSkalar(const loes_kern::Bild& bild) : b(bild) {
    for (int c = 1; c < 64; ++c)
      if (b.anzahl[c]) {
        zeichen[zeichen_zahl] = static_cast<std::uint8_t>(c);
        anzahl[zeichen_zahl++] = b.anzahl[c];
      }
  }

  template <int L, bool FEST>
  void klassen(const std::uint8_t* blk, std::uint8_t* aus) const {
    std::uint8_t p[BLOCK] = {}, t[BLOCK] = {};
    for (int j = 0; j < L; ++j) {
      const std::uint8_t* c = blk + BLOCK * j;
      const std::uint8_t s = b.zeichen[j];
      for (std::uint32_t i = 0; i < BLOCK; ++i)
        p[i] = static_cast<std::uint8_t>(p[i] + (c[i] == s));
      if (FEST) continue;
      const std::uint8_t* o = blk + BLOCK * (L + j);
      std::uint8_t a[BLOCK] = {};
      for (int k = 0; k < zeichen_zahl; ++k) {
        const std::uint8_t z = zeichen[k], n = anzahl[k];
        for (std::uint32_t i = 0; i < BLOCK; ++i)
          a[i] = static_cast<std::uint8_t>(a[i] | (-(c[i] == z) & n));
      }
      for (std::uint32_t i = 0; i < BLOCK; ++i)
        t[i] = static_cast<std::uint8_t>(t[i] + (o[i] < a[i]));
    }
    for (std::uint32_t i = 0; i < BLOCK; ++i)
      aus[i] = static_cast<std::uint8_t>(FEST ? p[i] : loes_kern::DREIECK[t[i]] + p[i]);
  }

  // (LEER_KLASSE lands in z[63], which is no class.)
  static void zaehle(const std::uint8_t* bytes, std::uint32_t bloecke, int, std::uint32_t* z) {
    for (std::uint32_t i = 0; i < bloecke * BLOCK; ++i) ++z[bytes[i] & 63];
  }
};

// ------------------------------------------------------------ the kernels

bool vorhanden(RatenKern k) {
  switch (k) {
    case RatenKern::automatisch:
    case RatenKern::skalar:
      return true;
#if defined(__x86_64__)
    case RatenKern::avx2:
      return __builtin_cpu_supports("avx2");
    case RatenKern::avx512:
      return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
             __builtin_cpu_supports("avx512vbmi");
#endif
    default:
      return false;
  }
}

RatenKern bester() {
  static const RatenKern b = vorhanden(RatenKern::avx512) ? RatenKern::avx512
                             : vorhanden(RatenKern::avx2) ? RatenKern::avx2
                                                          : RatenKern::skalar;
  return b;
}

const loes_kern::Kern& kern() {
  switch (raten_kern()) {
#if defined(__x86_64__)
    case RatenKern::avx512:
      return loes_kern::AVX512;
    case RatenKern::avx2:
      return loes_kern::AVX2;
#endif
    default:
      return loes_kern::SKALAR;
  }
}

loes_kern::Bild bild(const Versuchsbild& v, int t_fest) {
  loes_kern::Bild b;
  b.anzahl = v.anzahl;
  b.zeichen = v.zeichen;
  b.laenge = v.laenge;
  b.t_fest = t_fest;
  return b;
}

// t of every solution when every solution holds the same signs (that of the
// first), else -1.
int t_fest(const Versuchsbild& v) {
  if (!KENNEALLEFARBEN || raten_loes_zahl == 0) return -1;
  int t, p;
  raten_antwort(v, 0, t, p);
  return t;
}

// The classes of a trial (by class number) as cnt[t * 10 + p], and its figures.
void wertung(const loes_kern::Bild& b, const std::uint32_t* z, bool ganz, std::int32_t* cnt,
             Wertung& w) {
  std::memset(cnt, 0, 100 * sizeof(std::int32_t));
  if (!ganz) return;
  const int l = b.laenge;
  w = Wertung{};
  for (int t = 0; t <= l; ++t)
    for (int p = 0; p <= l; ++p) {
      if (b.t_fest >= 0 ? t != b.t_fest : p > t) continue;
      const auto m = static_cast<std::int32_t>(z[b.t_fest >= 0 ? p : loes_kern::DREIECK[t] + p]);
      cnt[t * 10 + p] = m;
      if (!m) continue;
      if (m > w.max) w.max = m;
      ++w.klassen;
      w.summe += static_cast<std::int64_t>(m) * m;
    }
  w.loesung = cnt[l * 10 + l] == 1;
}

// ------------------------------------------------------------ narrowing

// The bytes of eight that equal z: the top bit of each such byte.
std::uint64_t treffer(const std::uint8_t* acht, std::uint8_t z) {
  constexpr std::uint64_t SIEBEN = 0x7F7F7F7F7F7F7F7Full;
  std::uint64_t x;
  std::memcpy(&x, acht, 8);
  x ^= 0x0101010101010101ull * z;
  return ~(((x & SIEBEN) + SIEBEN) | x | SIEBEN);
}

// Collects the solutions kept by a narrowing pass: they gather in planes of
// STAPEL_BREITE lanes and fill the list from its start, a whole block at
// once, the last one at the end. A block is written only when every
// solution up to the last one gathered has been read, so the pass works in
// place.
struct Sammler {
  Sammler(int laenge, loes_kern::Sammelnd art, std::uint64_t zeichen_vorher)
      : l(laenge), sammle(art), moeglich(zeichen_vorher) {}

  int l;
  loes_kern::Sammelnd sammle;
  std::uint64_t moeglich;  // the signs the list may hold
  std::uint32_t zahl = 0;  // solutions kept, those gathered but not yet written among them
  std::uint64_t zeichen = 0;
  alignas(64) std::uint8_t stapel[2 * 9 * loes_kern::STAPEL_BREITE];

  // The signs of the first n gathered lanes, while one may still be missing.
  void merke_zeichen(std::uint32_t n) {
    if (!(moeglich & ~zeichen)) return;
    for (int j = 0; j < l; ++j)
      for (std::uint32_t i = 0; i < n; ++i)
        zeichen |= std::uint64_t{1} << (stapel[loes_kern::STAPEL_BREITE * j + i] & 63);
  }

  void nimm(const std::uint8_t* klassen, std::uint8_t ziel, const std::uint8_t* blk) {
    const std::uint32_t n = zahl % BLOCK;
    const std::uint32_t neu = sammle(klassen, ziel, blk, l, stapel, n);
    zahl += neu;
    if (n + neu < BLOCK) return;
    merke_zeichen(BLOCK);
    std::uint8_t* ziel_block = raten_loes + loes_kern::block_bytes(l) * (zahl / BLOCK - 1);
    for (int e = 0; e < 2 * l; ++e) {
      std::uint8_t* ebene = stapel + loes_kern::STAPEL_BREITE * e;
      std::memcpy(ziel_block + BLOCK * e, ebene, BLOCK);
      std::memcpy(ebene, ebene + BLOCK, BLOCK);
    }
  }

  void schliesse() {
    const std::uint32_t n = zahl % BLOCK;
    if (n == 0) return;
    merke_zeichen(n);
    std::uint8_t* ziel = raten_loes + loes_kern::block_bytes(l) * (zahl / BLOCK);
    const std::size_t schritt = raten_loes_ganz ? BLOCK : n;
    for (int e = 0; e < 2 * l; ++e)
      std::memcpy(ziel + schritt * e, stapel + loes_kern::STAPEL_BREITE * e, n);
  }
};

// The gathering for the kernel in use.
loes_kern::Sammelnd sammler() {
#if defined(__x86_64__)
  static const bool vbmi2 = __builtin_cpu_supports("avx512vbmi2");
  if (raten_kern() == RatenKern::avx512 && vbmi2) return loes_kern::sammle_vbmi2;
#endif
  return loes_kern::sammle_skalar;
}

// Blocks between two looks at the clocks and the keys in a narrowing.
constexpr std::uint32_t VERENGEN_TAKT = 1024;

}  // namespace

// ------------------------------------------------------------ the scalar kernel's entries

namespace loes_kern {
const Kern SKALAR = kern_aus<KernSkalar>;

Liste aktuelle_liste() {
  Liste li;
  li.daten = raten_loes;
  li.zahl = raten_loes_zahl;
  li.laenge = raten_loes_laenge;
  li.ganz = raten_loes_ganz;
  li.zeichen_max = 63 - __builtin_clzll(raten_loes_zeichen | 1);
  return li;
}

std::uint32_t sammle_skalar(const std::uint8_t* klassen, std::uint8_t ziel, const std::uint8_t* blk,
                            int l, std::uint8_t* stapel, std::uint32_t n) {
  std::uint64_t m = 0;
  for (int w = 0; w < 8; ++w) {
    const std::uint64_t oben = treffer(klassen + 8 * w, ziel) >> 7;  // bit 0 of each byte
    m |= ((oben * 0x0102040810204080ull) >> 56) << (8 * w);
  }
  if (!m) return 0;
  for (int e = 0; e < 2 * l; ++e) {
    std::uint8_t* aus = stapel + STAPEL_BREITE * e + n;
    const std::uint8_t* ein = blk + BLOCK * e;
    for (std::uint64_t r = m; r; r &= r - 1) *aus++ = ein[__builtin_ctzll(r)];
  }
  return static_cast<std::uint32_t>(__builtin_popcountll(m));
}
}  // namespace loes_kern

// ------------------------------------------------------------ routines

bool raten_loes_anlegen(std::uint64_t zahl) {
  raten_loes_freigeben();
  if (zahl > 0xFFFFFFFFu - BLOCK) return false;
  const bool ganz = zahl >= loes_kern::GANZ_AB;
  const std::uint64_t platz = ganz ? (zahl + BLOCK - 1) / BLOCK * BLOCK : zahl;
  void* p = raten_hole(platz * 2 * X.laenge, 1);
  if (!p) return false;
  raten_loes = static_cast<std::uint8_t*>(p);
  raten_loes_laenge = X.laenge;
  raten_loes_ganz = ganz;
  raten_loes_zahl = static_cast<std::uint32_t>(zahl);
  raten_loes_platz = static_cast<std::uint32_t>(platz);
  raten_loes_zeichen = 0;
  raten_loes_zeichen_genau = false;
  // The unused lanes of the last block: defined, never counted.
  if (platz > zahl)
    std::memset(raten_loes + (platz - BLOCK) * 2 * X.laenge, 0, BLOCK * 2 * X.laenge);
  return true;
}

void raten_loes_setze(std::uint32_t i, std::uint64_t pos) {
  raten_loes_zeichen |= raten_loes_schreibe(i, pos);
  raten_loes_zeichen_genau = false;
}

std::uint64_t raten_loes_schreibe(std::uint32_t i, std::uint64_t pos) {
  const int l = raten_loes_laenge;
  return schreibe(platz(raten_loes, raten_loes_zahl, l, i), l, pos);
}

void raten_loes_freigeben() {
  if (raten_loes)
    raten_gib_frei(raten_loes, static_cast<std::size_t>(raten_loes_platz) * 2 * raten_loes_laenge);
  raten_loes = nullptr;
  raten_loes_zahl = raten_loes_platz = 0;
  raten_loes_zeichen = 0;
  raten_loes_zeichen_genau = false;
}

std::uint64_t raten_loes_pos(std::uint32_t i) {
  const int l = raten_loes_laenge;
  return lies(platz(raten_loes, raten_loes_zahl, l, i), l);
}

std::uint64_t raten_vorhandene_zeichen() {
  if (raten_loes_zeichen_genau) return raten_loes_zeichen >> 1;
  const int l = raten_loes_laenge;
  const std::uint32_t n = raten_loes_zahl;
  std::uint64_t vorhanden = 0;
  for (std::uint32_t b = 0; b * BLOCK < n; ++b) {
    const Platz z = platz(raten_loes, n, l, b * BLOCK);
    const std::uint32_t zahl = im_block(n, b);
    for (int j = 0; j < l; ++j)
      for (std::uint32_t i = 0; i < zahl; ++i)
        vorhanden |= std::uint64_t{1} << (z.anfang[z.schritt * j + i] & 63);
  }
  return vorhanden >> 1;
}

void raten_bild(std::uint64_t pos, Versuchsbild& v) {
  v = Versuchsbild{};
  v.pos = pos;
  v.laenge = X.laenge;
  for (int j = 0; j < v.laenge; ++j) {
    const int c = static_cast<int>((pos >> (6 * j)) & 63);
    v.zeichen[j] = static_cast<std::uint8_t>(c);
    if (c) ++v.anzahl[c];
  }
}

void raten_antwort(const Versuchsbild& v, std::uint32_t i, int& t, int& p) {
  const int l = raten_loes_laenge;
  const Platz z = platz(raten_loes, raten_loes_zahl, l, i);
  t = p = 0;
  for (int j = 0; j < l; ++j) {
    const std::uint8_t c = z.anfang[z.schritt * j];
    p += c == v.zeichen[j];
    t += z.anfang[z.schritt * (l + j)] < v.anzahl[c & 63];
  }
}

bool raten_zaehle(const Versuchsbild& v, std::int32_t* cnt, std::int32_t best_max,
                  std::int64_t best_summe, Wertung& w) {
  const loes_kern::Bild b = bild(v, t_fest(v));
  std::uint32_t z[64];
  bool ganz;
  kern().zaehle(loes_kern::aktuelle_liste(), &b, 1, z, best_max, best_summe, &ganz);
  wertung(b, z, ganz, cnt, w);
  return ganz;
}

void raten_zaehle_stapel(const Versuchsbild* v, int zahl, std::int32_t* cnt, std::int32_t best_max,
                         std::int64_t best_summe, Wertung* w, bool* ganz) {
  constexpr int STAPEL = 64;
  const loes_kern::Liste li = loes_kern::aktuelle_liste();
  for (int v0 = 0; v0 < zahl; v0 += STAPEL) {
    const int k = zahl - v0 < STAPEL ? zahl - v0 : STAPEL;
    loes_kern::Bild b[STAPEL];
    for (int i = 0; i < k; ++i) b[i] = bild(v[v0 + i], t_fest(v[v0 + i]));
    std::uint32_t z[64 * STAPEL];
    kern().zaehle(li, b, k, z, best_max, best_summe, ganz + v0);
    for (int i = 0; i < k; ++i)
      wertung(b[i], z + 64 * i, ganz[v0 + i], cnt + 100 * (v0 + i), w[v0 + i]);
  }
}

bool raten_verenge(const Versuchsbild& v, int t, int p) {
  const loes_kern::Liste li = loes_kern::aktuelle_liste();
  const loes_kern::Bild b = bild(v, t < 0 ? 0 : -1);
  const bool moeglich = p >= 0 && p <= li.laenge && t <= li.laenge && (t < 0 || p <= t);
  const std::uint8_t ziel =
      moeglich ? static_cast<std::uint8_t>(t < 0 ? p : loes_kern::DREIECK[t] + p) : 0xFE;
  const std::uint32_t alle = loes_kern::bloecke(li);
  Sammler s(li.laenge, sammler(), raten_loes_zeichen);
  alignas(64) std::uint8_t bytes[32 * BLOCK];
  alignas(64) std::uint8_t puffer[2 * BLOCK * 9];
  bool ganz = true;
  for (std::uint32_t b0 = 0; b0 < alle; b0 += 32) {
    if (b0 % VERENGEN_TAKT == 0 && b0 > 0 && raten_zwischenhalt(false)) {
      ganz = false;  // the solutions kept so far stay
      break;
    }
    const std::uint32_t zahl = alle - b0 < 32 ? alle - b0 : 32;
    kern().klassen(li, b, b0, zahl, bytes);
    for (std::uint32_t k = 0; k < zahl; ++k)
      s.nimm(bytes + BLOCK * k, ziel, loes_kern::block(li, b0 + k, puffer));
  }
  s.schliesse();
  raten_loes_zahl = s.zahl;
  raten_loes_zeichen = s.zeichen;
  raten_loes_zeichen_genau = ganz;
  // The first solution as a node of the store (none without a store).
  ERLAUBT = s.zahl && raten_knoten ? raten_pos_knoten(raten_loes_pos(0)) : 0;
  return ganz;
}

bool raten_kern_erzwingen(RatenKern k) {
  if (!vorhanden(k)) return false;
  raten_kern_wahl = k;
  return true;
}

RatenKern raten_kern() {
  return raten_kern_wahl == RatenKern::automatisch ? bester() : raten_kern_wahl;
}
