// The side-by-side scoring for processors with AVX-512 (F, BW, VBMI): each
// of the 64 byte lanes of a register holds a trial. The lanes walk the
// solution list as a ring in stretches; after each stretch a lane whose
// largest class is above its bound, or that has counted the whole ring,
// gives its place to the next trial, which starts there. Per set of lanes,
// masks of the lanes whose trial has sign c at position j, and of those
// holding sign c more than o times; per solution, one masked add per
// position for p and one for t give (l + 1) t + p in each lane, a two-table
// permute its class number, and pair tables count two classes per nibble
// as the other kernel does, here lane by lane.
#if defined(__x86_64__)
#include "engine/kern_avx512.h"
#include "engine/quer_kern.h"

namespace quer_kern {
namespace {

using loes_kern::BLOCK;
using loes_kern::DREIECK;
using loes_kern::nachschlagen;

constexpr int STRECKE = 15;              // solutions a nibble counts
constexpr std::uint32_t ABSCHNITT = 64;  // solutions between two looks at the lanes (< 256)

// The class number of the index (l + 1) t + p, for every length l.
struct Nummern {
  alignas(64) std::uint8_t n[10][128];
};
constexpr Nummern nummern() {
  Nummern x{};
  for (int l = 1; l <= 9; ++l)
    for (int t = 0; t <= l; ++t)
      for (int p = 0; p <= t; ++p)
        x.n[l][(l + 1) * t + p] = static_cast<std::uint8_t>(DREIECK[t] + p);
  return x;
}
constexpr Nummern NUMMERN = nummern();

inline __m512i lade(const void* p) {
  return _mm512_loadu_si512(p);
}

// Adds the classes of the m class vectors k to the byte counters b8, two
// classes per pair table, pairs G .. G + M - 1.
template <int G, int M>
inline void zaehle_gruppe(const __m512i* k, int m, std::uint8_t (*b8)[BLOCK]) {
  const __m512i nibble = _mm512_set1_epi8(0x0F);
  __m512i n[M];
  for (int i = 0; i < M; ++i) n[i] = _mm512_setzero_si512();
  for (int e = 0; e < m; ++e)
    for (int i = 0; i < M; ++i)
      n[i] = _mm512_add_epi8(n[i], nachschlagen(k[e], lade(loes_kern::PAARE.t[G + i])));
  for (int i = 0; i < M; ++i) {
    std::uint8_t* unten = b8[2 * (G + i)];
    std::uint8_t* oben = b8[2 * (G + i) + 1];
    _mm512_storeu_si512(unten, _mm512_add_epi8(lade(unten), _mm512_and_si512(n[i], nibble)));
    _mm512_storeu_si512(
        oben, _mm512_add_epi8(lade(oben), _mm512_and_si512(_mm512_srli_epi16(n[i], 4), nibble)));
  }
}

template <int P, int G = 0>
inline void zaehle_strecke(const __m512i* k, int m, std::uint8_t (*b8)[BLOCK]) {
  constexpr int M = P - G < 8 ? P - G : 8;
  zaehle_gruppe<G, M>(k, m, b8);
  if constexpr (G + M < P) zaehle_strecke<P, G + M>(k, m, b8);
}

// The byte counters into the 16-bit counts, and cleared.
template <int KL>
inline void uebertrage(std::uint8_t (*b8)[BLOCK], std::uint16_t (*z)[BREITE]) {
  for (int k = 0; k < KL; ++k) {
    const __m512i b = lade(b8[k]);
    const __m512i unten =
        _mm512_maskz_cvtepu8_epi16(~__mmask32{0}, _mm512_maskz_extracti64x4_epi64(0xF, b, 0));
    const __m512i oben =
        _mm512_maskz_cvtepu8_epi16(~__mmask32{0}, _mm512_maskz_extracti64x4_epi64(0xF, b, 1));
    _mm512_storeu_si512(z[k], _mm512_add_epi16(lade(z[k]), unten));
    _mm512_storeu_si512(z[k] + 32, _mm512_add_epi16(lade(z[k] + 32), oben));
    _mm512_storeu_si512(b8[k], _mm512_setzero_si512());
  }
}

// The largest class of each lane.
template <int KL>
inline void groesste(const std::uint16_t (*z)[BREITE], std::uint16_t* max) {
  __m512i unten = _mm512_setzero_si512(), oben = _mm512_setzero_si512();
  for (int k = 0; k < KL; ++k) {
    unten = _mm512_max_epu16(unten, lade(z[k]));
    oben = _mm512_max_epu16(oben, lade(z[k] + 32));
  }
  _mm512_storeu_si512(max, unten);
  _mm512_storeu_si512(max + 32, oben);
}

// The lanes, the trials in them and their masks.
template <int L>
struct Bahnen {
  alignas(64) std::uint8_t ebene[L][BREITE] = {};  // the sign of each lane's trial at position j
  alignas(64) std::uint64_t gleich[L][64];         // lanes with sign c at position j
  alignas(64) std::uint64_t mehr[64][L <= 8 ? 8 : 16];  // lanes holding sign c more than o times
  int versuch[BREITE];                                  // the lane's trial, -1 for none
  std::uint32_t start[BREITE];                          // the stretch where it started
  std::int64_t b_max[BREITE], b_summe[BREITE];          // the bound it is counted against

  void masken(int cmax) {
    const __m512i eins = _mm512_set1_epi8(1);
    __m512i e[L];
    for (int j = 0; j < L; ++j) e[j] = lade(ebene[j]);
    for (int c = 0; c <= cmax; ++c) {
      __m512i a = _mm512_setzero_si512();
      for (int j = 0; j < L; ++j) {
        const __mmask64 m =
            c ? _mm512_cmpeq_epi8_mask(e[j], _mm512_set1_epi8(static_cast<char>(c))) : 0;
        gleich[j][c] = m;
        a = _mm512_mask_add_epi8(a, m, a, eins);
      }
      for (int o = 0; o < L; ++o)
        mehr[c][o] = _mm512_cmpgt_epu8_mask(a, _mm512_set1_epi8(static_cast<char>(o)));
    }
  }
};

// The class vectors of solutions von .. bis - 1 counted into b8.
template <int L, int KL>
void zaehle_abschnitt(const loes_kern::Liste& li, const Bahnen<L>& b, std::uint32_t von,
                      std::uint32_t bis, std::uint8_t (*b8)[BLOCK]) {
  const __m512i eins = _mm512_set1_epi8(1), t_schritt = _mm512_set1_epi8(L + 1);
  const __m512i nr_unten = lade(NUMMERN.n[L]), nr_oben = lade(NUMMERN.n[L] + 64);
  __m512i klasse[STRECKE];
  for (std::uint32_t e0 = von; e0 < bis; e0 += STRECKE) {
    const int m = bis - e0 < STRECKE ? static_cast<int>(bis - e0) : STRECKE;
    for (int e = 0; e < m; ++e) {
      const Loesung s = loesung(li, e0 + static_cast<std::uint32_t>(e));
      __m512i p = _mm512_setzero_si512(), t = _mm512_setzero_si512();
      for (int j = 0; j < L; ++j) {
        const std::uint8_t c = s.anfang[s.schritt * j], o = s.anfang[s.schritt * (L + j)];
        p = _mm512_mask_add_epi8(p, b.gleich[j][c], p, eins);
        t = _mm512_mask_add_epi8(t, b.mehr[c][o], t, t_schritt);
      }
      klasse[e] = _mm512_permutex2var_epi8(nr_unten, _mm512_add_epi8(p, t), nr_oben);
    }
    zaehle_strecke<(KL + 1) / 2>(klasse, m, b8);
  }
}

template <int L>
void zaehle_l(const loes_kern::Liste& li, const std::uint64_t* pos, int zahl, std::int32_t best_max,
              std::int64_t best_summe, Wertung* w, bool* ganz) {
  constexpr int KL = DREIECK.t[L] + L + 1;  // class numbers of length L
  const std::uint32_t n = li.zahl;
  const std::uint32_t abschnitte = (n + ABSCHNITT - 1) / ABSCHNITT;
  const auto grenze = [&](std::uint32_t a) {
    return static_cast<std::uint32_t>(std::uint64_t{n} * a / abschnitte);
  };
  Bahnen<L> b;
  alignas(64) std::uint16_t z[KL][BREITE];
  alignas(64) std::uint8_t b8[KL + 1][BLOCK] = {};
  alignas(64) std::uint16_t max[BREITE];
  std::int64_t g_max = best_max, g_summe = best_summe;  // the bound of a trial that enters now
  int naechster = 0, aktiv = 0;
  std::uint32_t a = 0;  // the stretch of the ring
  for (int i = 0; i < BREITE; ++i) b.versuch[i] = -1;

  // The next trials into the free lanes: true when one entered.
  const auto fuellen = [&] {
    bool neu = false;
    for (int i = 0; i < BREITE && naechster < zahl; ++i) {
      if (b.versuch[i] >= 0) continue;
      const int v = naechster++;
      b.versuch[i] = v;
      b.start[i] = a;
      b.b_max[i] = g_max;
      b.b_summe[i] = g_summe;
      for (int j = 0; j < L; ++j)
        b.ebene[j][i] = static_cast<std::uint8_t>((pos[v] >> (6 * j)) & 63);
      for (int k = 0; k < KL; ++k) z[k][i] = 0;
      ++aktiv;
      neu = true;
    }
    return neu;
  };
  // A trial scored in full and within its bound: the bound of every later one.
  const auto schranke = [&](int v) {
    if (besser(w[v].max, w[v].summe, g_max, g_summe)) {
      g_max = w[v].max;
      g_summe = w[v].summe;
    }
    for (int i = 0; i < BREITE; ++i)
      if (b.versuch[i] > v && besser(w[v].max, w[v].summe, b.b_max[i], b.b_summe[i])) {
        b.b_max[i] = w[v].max;
        b.b_summe[i] = w[v].summe;
      }
  };

  fuellen();
  b.masken(li.zeichen_max);
  while (aktiv > 0) {
    zaehle_abschnitt<L, KL>(li, b, grenze(a), grenze(a + 1), b8);
    uebertrage<KL>(b8, z);
    a = a + 1 == abschnitte ? 0 : a + 1;
    groesste<KL>(z, max);
    bool frei = false;
    for (int i = 0; i < BREITE; ++i) {
      const int v = b.versuch[i];
      if (v < 0) continue;
      if (b.start[i] == a) {  // the whole ring counted
        ganz[v] = werte(z, i, L, b.b_max[i], b.b_summe[i], w[v]);
        if (ganz[v]) schranke(v);
      } else if (max[i] > b.b_max[i]) {
        ganz[v] = false;
      } else {
        continue;
      }
      b.versuch[i] = -1;
      --aktiv;
      frei = true;
    }
    if (frei && fuellen()) b.masken(li.zeichen_max);
  }
}

template <int... L>
constexpr Zaehler zaehler(int l, std::integer_sequence<int, L...>) {
  constexpr Zaehler tafel[] = {nullptr, zaehle_l<L + 1>...};
  return tafel[l];
}

}  // namespace

void zaehle_avx512(const loes_kern::Liste& li, const std::uint64_t* pos, int zahl,
                   std::int32_t best_max, std::int64_t best_summe, Wertung* w, bool* ganz) {
  if (li.zahl == 0) return zaehle_skalar(li, pos, zahl, best_max, best_summe, w, ganz);
  if (zahl > 0)
    zaehler(li.laenge, std::make_integer_sequence<int, 9>{})(li, pos, zahl, best_max, best_summe, w,
                                                             ganz);
}

}  // namespace quer_kern
#endif
