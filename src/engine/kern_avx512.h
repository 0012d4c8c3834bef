// The AVX-512 pieces that the scoring kernel and the variable-code list's
// classification share: lookups, sums, and the count of class numbers
// (below 64) with nibble counters. Included only by files compiled for
// AVX-512 (F, BW, VBMI); nothing here has external linkage.
#pragma once
#if defined(__x86_64__)
#include <immintrin.h>

#include "engine/loesungen_kern.h"

namespace loes_kern {
namespace {

// (The intrinsics that leave lanes undefined are avoided: they warn.)
inline std::uint32_t summe_bytes(__m512i v) {
  const __m512i s = _mm512_sad_epu8(v, _mm512_setzero_si512());
  const __m256i h = _mm256_add_epi64(_mm512_maskz_extracti64x4_epi64(0xF, s, 0),
                                     _mm512_maskz_extracti64x4_epi64(0xF, s, 1));
  const __m128i q = _mm_add_epi64(_mm256_castsi256_si128(h), _mm256_extracti128_si256(h, 1));
  return static_cast<std::uint32_t>(_mm_cvtsi128_si64(q) + _mm_extract_epi64(q, 1));
}

inline __m512i tafel(const std::uint8_t* t) {
  return _mm512_loadu_si512(t);
}

inline __m512i nachschlagen(__m512i index, __m512i t) {
  return _mm512_maskz_permutexvar_epi8(~std::uint64_t{0}, index, t);
}

// The classes 2 erstes .. 2 (erstes + M) - 1 over `bloecke` (at most 255)
// blocks: nibble counters over 15 blocks, then byte counters.
template <int M>
void zaehle_paare(const std::uint8_t* bytes, std::uint32_t bloecke, int erstes, std::uint32_t* z) {
  const __m512i nibble = _mm512_set1_epi8(0x0F);
  __m512i unten[M], oben[M];
  for (int i = 0; i < M; ++i) unten[i] = oben[i] = _mm512_setzero_si512();
  for (std::uint32_t b0 = 0; b0 < bloecke; b0 += 15) {
    const std::uint32_t b1 = b0 + 15 < bloecke ? b0 + 15 : bloecke;
    __m512i n[M];
    for (int i = 0; i < M; ++i) n[i] = _mm512_setzero_si512();
    for (std::uint32_t b = b0; b < b1; ++b) {
      const __m512i x = _mm512_loadu_si512(bytes + BLOCK * b);
      for (int i = 0; i < M; ++i)
        n[i] = _mm512_add_epi8(n[i], nachschlagen(x, tafel(PAARE.t[erstes + i])));
    }
    for (int i = 0; i < M; ++i) {
      unten[i] = _mm512_add_epi8(unten[i], _mm512_and_si512(n[i], nibble));
      oben[i] = _mm512_add_epi8(oben[i], _mm512_and_si512(_mm512_srli_epi16(n[i], 4), nibble));
    }
  }
  for (int i = 0; i < M; ++i) {
    z[2 * (erstes + i)] += summe_bytes(unten[i]);
    z[2 * (erstes + i) + 1] += summe_bytes(oben[i]);
  }
}

using Paare = void (*)(const std::uint8_t*, std::uint32_t, int, std::uint32_t*);
constexpr int GRUPPE = 8;
constexpr Paare PAARWEISE[GRUPPE + 1] = {nullptr,         zaehle_paare<1>, zaehle_paare<2>,
                                         zaehle_paare<3>, zaehle_paare<4>, zaehle_paare<5>,
                                         zaehle_paare<6>, zaehle_paare<7>, zaehle_paare<8>};

// Adds the class numbers 0..n-1 of `bloecke` (at most 255) blocks of 64
// bytes to z.
inline void zaehle_klassen(const std::uint8_t* bytes, std::uint32_t bloecke, int n,
                           std::uint32_t* z) {
  if (bloecke <= 2) {
    // Few blocks: a compare per class and lane, and the lanes counted.
    for (std::uint32_t b = 0; b < bloecke; ++b) {
      const __m512i x = _mm512_loadu_si512(bytes + BLOCK * b);
      for (int i = 0; i < n; ++i)
        z[i] += static_cast<std::uint32_t>(__builtin_popcountll(
            _mm512_cmpeq_epi8_mask(x, _mm512_set1_epi8(static_cast<char>(i)))));
    }
    return;
  }
  const int paare = (n + 1) / 2;
  for (int i = 0; i < paare; i += GRUPPE) {
    const int m = paare - i < GRUPPE ? paare - i : GRUPPE;
    PAARWEISE[m](bytes, bloecke, i, z);
  }
}

}  // namespace
}  // namespace loes_kern
#endif
