// The scoring kernel for processors with AVX-512 (F, BW, VBMI): a block of 64
// solutions in one register per plane; the copies of a solution's sign in
// the trial looked up with one byte permutation, and two classes counted
// with one more (nibble counters).
#if defined(__x86_64__)
#include "engine/kern_avx512.h"

namespace loes_kern {
namespace {

struct Kern512 {
  __m512i anzahl, dreieck, zeichen[9];

  explicit Kern512(const Bild& b) {
    anzahl = _mm512_loadu_si512(b.anzahl);
    dreieck = _mm512_loadu_si512(DREIECK.t);
    for (int j = 0; j < 9; ++j)
      zeichen[j] = _mm512_set1_epi8(static_cast<char>(j < b.laenge ? b.zeichen[j] : 0));
  }

  template <int L, bool FEST>
  void klassen(const std::uint8_t* blk, std::uint8_t* aus) const {
    const __m512i eins = _mm512_set1_epi8(1);
    __m512i p = _mm512_setzero_si512(), t = _mm512_setzero_si512();
    for (int j = 0; j < L; ++j) {
      const __m512i c = _mm512_loadu_si512(blk + BLOCK * j);
      p = _mm512_mask_add_epi8(p, _mm512_cmpeq_epi8_mask(c, zeichen[j]), p, eins);
      if (!FEST) {
        const __m512i o = _mm512_loadu_si512(blk + BLOCK * (L + j));
        t = _mm512_mask_add_epi8(t, _mm512_cmplt_epu8_mask(o, nachschlagen(c, anzahl)), t, eins);
      }
    }
    _mm512_storeu_si512(aus, FEST ? p : _mm512_add_epi8(nachschlagen(t, dreieck), p));
  }

  static void zaehle(const std::uint8_t* bytes, std::uint32_t bloecke, int n, std::uint32_t* z) {
    zaehle_klassen(bytes, bloecke, n, z);
  }
};

}  // namespace

const Kern AVX512 = kern_aus<Kern512>;

// Each plane's kept lanes packed to the front of a register with one
// compress, and stored whole: the bytes behind them are overwritten later.
__attribute__((target("avx512f,avx512bw,avx512vbmi2"))) std::uint32_t sammle_vbmi2(
    const std::uint8_t* klassen, std::uint8_t ziel, const std::uint8_t* blk, int l,
    std::uint8_t* stapel, std::uint32_t n) {
  const __mmask64 m = _mm512_cmpeq_epi8_mask(_mm512_loadu_si512(klassen),
                                             _mm512_set1_epi8(static_cast<char>(ziel)));
  if (!m) return 0;
  for (int e = 0; e < 2 * l; ++e)
    _mm512_storeu_si512(stapel + STAPEL_BREITE * e + n,
                        _mm512_maskz_compress_epi8(m, _mm512_loadu_si512(blk + BLOCK * e)));
  return static_cast<std::uint32_t>(__builtin_popcountll(m));
}

}  // namespace loes_kern
#endif
