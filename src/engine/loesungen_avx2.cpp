// The scoring kernel for processors with AVX2: a block of 64 solutions in two
// registers per plane; the copies of a solution's sign in the trial looked up
// in tables of 16 signs, one, two or three as the list's signs need; two
// classes counted with one more lookup (nibble counters).
#if defined(__x86_64__)
#include <immintrin.h>

#include "engine/loesungen_kern.h"

namespace loes_kern {
namespace {

inline std::uint32_t summe_bytes(__m256i v) {
  const __m256i s = _mm256_sad_epu8(v, _mm256_setzero_si256());
  const __m128i h = _mm_add_epi64(_mm256_castsi256_si128(s), _mm256_extracti128_si256(s, 1));
  return static_cast<std::uint32_t>(_mm_cvtsi128_si64(h) + _mm_extract_epi64(h, 1));
}

inline __m256i lade(const std::uint8_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

inline __m256i tafel16(const std::uint8_t* t) {
  return _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t)));
}

// The classes 16 g + 2 erstes .. 16 g + 2 (erstes + M) - 1 over `bloecke`
// (at most 255) blocks: the numbers of group g brought to 0..15 (all others
// to 0x80 and more, which the lookup turns into 0), nibble counters over 7
// blocks (two halves each), byte counters over 126.
template <int M>
void zaehle_paare(const std::uint8_t* bytes, std::uint32_t bloecke, int g, int erstes,
                  std::uint32_t* z) {
  const __m256i nibble = _mm256_set1_epi8(0x0F),
                gruppe = _mm256_set1_epi8(static_cast<char>(16 * g));
  const __m256i hoch = _mm256_set1_epi8(0x70);
  __m256i t[M];
  for (int i = 0; i < M; ++i) t[i] = tafel16(PAARE.t[erstes + i]);
  for (std::uint32_t c0 = 0; c0 < bloecke; c0 += 126) {
    const std::uint32_t c1 = c0 + 126 < bloecke ? c0 + 126 : bloecke;
    __m256i unten[M], oben[M];
    for (int i = 0; i < M; ++i) unten[i] = oben[i] = _mm256_setzero_si256();
    for (std::uint32_t b0 = c0; b0 < c1; b0 += 7) {
      const std::uint32_t b1 = b0 + 7 < c1 ? b0 + 7 : c1;
      __m256i n[M];
      for (int i = 0; i < M; ++i) n[i] = _mm256_setzero_si256();
      for (std::uint32_t h = 2 * b0; h < 2 * b1; ++h) {
        const __m256i x = _mm256_adds_epu8(_mm256_xor_si256(lade(bytes + 32 * h), gruppe), hoch);
        for (int i = 0; i < M; ++i) n[i] = _mm256_add_epi8(n[i], _mm256_shuffle_epi8(t[i], x));
      }
      for (int i = 0; i < M; ++i) {
        unten[i] = _mm256_add_epi8(unten[i], _mm256_and_si256(n[i], nibble));
        oben[i] = _mm256_add_epi8(oben[i], _mm256_and_si256(_mm256_srli_epi16(n[i], 4), nibble));
      }
    }
    for (int i = 0; i < M; ++i) {
      z[16 * g + 2 * (erstes + i)] += summe_bytes(unten[i]);
      z[16 * g + 2 * (erstes + i) + 1] += summe_bytes(oben[i]);
    }
  }
}

using Paare = void (*)(const std::uint8_t*, std::uint32_t, int, int, std::uint32_t*);
constexpr int GRUPPE = 4;
constexpr Paare PAARWEISE[GRUPPE + 1] = {nullptr, zaehle_paare<1>, zaehle_paare<2>, zaehle_paare<3>,
                                         zaehle_paare<4>};

// G tables of 16 signs each (signs 0..16 G - 1).
template <int G>
struct Kern256 {
  __m256i tabelle[3], dreieck, zeichen[9];

  explicit Kern256(const Bild& b) {
    for (int g = 0; g < 3; ++g) tabelle[g] = tafel16(b.anzahl + 16 * g);
    dreieck = tafel16(DREIECK.t);
    for (int j = 0; j < 9; ++j)
      zeichen[j] = _mm256_set1_epi8(static_cast<char>(j < b.laenge ? b.zeichen[j] : 0));
  }

  // The trial's copies of each sign c: bit 4 of c picks the second table,
  // bit 5 the third (blendv reads the top bit of each byte).
  __m256i anzahl(__m256i c) const {
    const __m256i a0 = _mm256_shuffle_epi8(tabelle[0], c);
    if (G == 1) return a0;
    const __m256i a01 =
        _mm256_blendv_epi8(a0, _mm256_shuffle_epi8(tabelle[1], c), _mm256_slli_epi16(c, 3));
    if (G == 2) return a01;
    return _mm256_blendv_epi8(a01, _mm256_shuffle_epi8(tabelle[2], c), _mm256_slli_epi16(c, 2));
  }

  template <int L, bool FEST>
  void klassen(const std::uint8_t* blk, std::uint8_t* aus) const {
    for (int h = 0; h < 2; ++h) {
      __m256i p = _mm256_setzero_si256(), t = _mm256_setzero_si256();
      for (int j = 0; j < L; ++j) {
        const __m256i c = lade(blk + BLOCK * j + 32 * h);
        p = _mm256_sub_epi8(p, _mm256_cmpeq_epi8(c, zeichen[j]));
        if (!FEST)
          t = _mm256_sub_epi8(t,
                              _mm256_cmpgt_epi8(anzahl(c), lade(blk + BLOCK * (L + j) + 32 * h)));
      }
      const __m256i k = FEST ? p : _mm256_add_epi8(_mm256_shuffle_epi8(dreieck, t), p);
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(aus + 32 * h), k);
    }
  }

  static void zaehle(const std::uint8_t* bytes, std::uint32_t bloecke, int n, std::uint32_t* z) {
    if (bloecke <= 2) {
      // Few blocks: a compare per class and lane, and the lanes counted.
      for (std::uint32_t h = 0; h < 2 * bloecke; ++h) {
        const __m256i x = lade(bytes + 32 * h);
        for (int i = 0; i < n; ++i)
          z[i] += static_cast<std::uint32_t>(__builtin_popcount(static_cast<std::uint32_t>(
              _mm256_movemask_epi8(_mm256_cmpeq_epi8(x, _mm256_set1_epi8(static_cast<char>(i)))))));
      }
      return;
    }
    for (int g = 0; 16 * g < n; ++g) {
      const int in_gruppe = n - 16 * g < 16 ? n - 16 * g : 16;
      const int paare = (in_gruppe + 1) / 2;
      for (int i = 0; i < paare; i += GRUPPE) {
        const int m = paare - i < GRUPPE ? paare - i : GRUPPE;
        PAARWEISE[m](bytes, bloecke, g, i, z);
      }
    }
  }
};

// The kernel with as many tables as the list's signs need.
void zaehle_avx2(const Liste& li, const Bild* b, int zahl, std::uint32_t* z, std::int32_t best_max,
                 std::int64_t best_summe, bool* ganz) {
  const Zaehler k = li.zeichen_max < 16   ? kern_aus<Kern256<1>>.zaehle
                    : li.zeichen_max < 32 ? kern_aus<Kern256<2>>.zaehle
                                          : kern_aus<Kern256<3>>.zaehle;
  k(li, b, zahl, z, best_max, best_summe, ganz);
}

void klassen_avx2(const Liste& li, const Bild& b, std::uint32_t erster, std::uint32_t zahl,
                  std::uint8_t* aus) {
  const Klassierer k = li.zeichen_max < 16   ? kern_aus<Kern256<1>>.klassen
                       : li.zeichen_max < 32 ? kern_aus<Kern256<2>>.klassen
                                             : kern_aus<Kern256<3>>.klassen;
  k(li, b, erster, zahl, aus);
}

}  // namespace

const Kern AVX2 = {zaehle_avx2, klassen_avx2};

}  // namespace loes_kern
#endif
