// The variable-code list's classification for processors with AVX-512 (F, BW,
// VBMI): eight packed codes in a register, their fields spread to bytes with
// one multishift; a code's class is the sum over its positions of 16 for a
// common sign (its occurrence index in the code below the trial's copies)
// and 1 for a sign in place. Narrowing keeps the codes of one class with a
// compressing store.
#if defined(__x86_64__)
#include "engine/encoder_kern.h"
#include "engine/kern_avx512.h"

namespace mogel_kern {
namespace {

using loes_kern::BLOCK;
using loes_kern::DREIECK;
using loes_kern::LEER_KLASSE;
using loes_kern::nachschlagen;

__m512i bytes_je_wort(const std::uint8_t (&b)[8]) {
  std::uint64_t w = 0;
  for (int i = 0; i < 8; ++i) w |= static_cast<std::uint64_t>(b[i]) << (8 * i);
  return _mm512_set1_epi64(static_cast<long long>(w));
}

// The classes T x 16 + P of eight codes, one per 64-bit lane.
struct Klassen8 {
  __m512i felder, feld9, zeichen, zeichen9, anzahl, basis, erstes_byte;

  explicit Klassen8(const Auftrag& a) {
    std::uint8_t f[8], f9[8], z[8], z9[8];
    for (int i = 0; i < 8; ++i) {
      f[i] = static_cast<std::uint8_t>(6 * i);  // field i from bit 6 i
      f9[i] = i == 0 ? 48 : 56;                 // field 8 alone, then the empty top bits
      z[i] = i < a.laenge ? a.zeichen[i] : 0xFF;
      z9[i] = i == 0 && a.laenge == 9 ? a.zeichen[8] : 0xFF;
    }
    felder = bytes_je_wort(f);
    feld9 = bytes_je_wort(f9);
    zeichen = bytes_je_wort(z);
    zeichen9 = bytes_je_wort(z9);
    anzahl = _mm512_loadu_si512(a.anzahl);
    basis = _mm512_set1_epi64(a.t_fest >= 0 ? 16 * a.t_fest : 0);
    erstes_byte = _mm512_set_epi64(0x0808080808080808ll, 0, 0x0808080808080808ll, 0,
                                   0x0808080808080808ll, 0, 0x0808080808080808ll, 0);
  }

  static __m512i feld(__m512i steuer, __m512i x) {
    return _mm512_and_si512(_mm512_maskz_multishift_epi64_epi8(~std::uint64_t{0}, steuer, x),
                            _mm512_set1_epi8(63));
  }

  template <int L, bool WDH, bool FEST>
  __m512i klassen(__m512i x) const {
    const __m512i eins = _mm512_set1_epi8(1), sechzehn = _mm512_set1_epi8(16);
    const __m512i f = feld(felder, x);
    __m512i v = _mm512_maskz_mov_epi8(_mm512_cmpeq_epi8_mask(f, zeichen), eins);
    if (!FEST) {
      const __m512i a = nachschlagen(f, anzahl);
      __mmask64 t;
      if (WDH) {
        __m512i o = _mm512_setzero_si512();
        for (int s = 1; s < (L < 8 ? L : 8); ++s)
          o = _mm512_mask_add_epi8(
              o, _mm512_cmpeq_epi8_mask(f, _mm512_maskz_slli_epi64(0xFF, f, 8 * s)), o, eins);
        t = _mm512_cmplt_epu8_mask(o, a);
      } else {
        t = _mm512_test_epi8_mask(a, a);
      }
      v = _mm512_mask_add_epi8(v, t, v, sechzehn);
    }
    if (L == 9) {
      const __m512i g = feld(feld9, x);  // field 8 in the lane's first byte
      __m512i w = _mm512_maskz_mov_epi8(_mm512_cmpeq_epi8_mask(g, zeichen9), eins);
      if (!FEST) {
        const __m512i a = nachschlagen(g, anzahl);
        __mmask64 t;
        if (WDH) {
          // Its occurrence index: field 8 against fields 0..7.
          const __m512i neben = _mm512_shuffle_epi8(g, erstes_byte);
          const __m512i o =
              _mm512_sad_epu8(_mm512_maskz_mov_epi8(_mm512_cmpeq_epi8_mask(f, neben), eins),
                              _mm512_setzero_si512());
          t = _mm512_cmplt_epu8_mask(o, a);
        } else {
          t = _mm512_test_epi8_mask(a, a);
        }
        w = _mm512_mask_add_epi8(w, t, w, sechzehn);
      }
      v = _mm512_add_epi8(v, w);
    }
    return _mm512_add_epi64(_mm512_sad_epu8(v, _mm512_setzero_si512()), basis);
  }
};

// The low bytes of eight registers of eight lanes, in order: sixteen of two
// registers, then 32 of two such, then all 64.
struct Packtafeln {
  alignas(64) std::uint8_t t[3][64];
};
constexpr Packtafeln packtafeln() {
  Packtafeln p{};
  for (int b = 0; b < 64; ++b) {
    p.t[0][b] = static_cast<std::uint8_t>(b < 8 ? 8 * b : b < 16 ? 64 + 8 * (b - 8) : 0);
    p.t[1][b] = static_cast<std::uint8_t>(b < 16 ? b : b < 32 ? 64 + b - 16 : 0);
    p.t[2][b] = static_cast<std::uint8_t>(b < 32 ? b : 64 + b - 32);
  }
  return p;
}
constexpr Packtafeln PACK = packtafeln();

__m512i packe(const __m512i (&k)[8]) {
  const __m512i x1 = _mm512_loadu_si512(PACK.t[0]), x2 = _mm512_loadu_si512(PACK.t[1]),
                x3 = _mm512_loadu_si512(PACK.t[2]);
  __m512i a[4], b[2];
  for (int i = 0; i < 4; ++i) a[i] = _mm512_permutex2var_epi8(k[2 * i], x1, k[2 * i + 1]);
  for (int i = 0; i < 2; ++i) b[i] = _mm512_permutex2var_epi8(a[2 * i], x2, a[2 * i + 1]);
  return _mm512_permutex2var_epi8(b[0], x3, b[1]);
}

std::uint64_t* eintrag(const Auftrag& a, std::uint32_t i) {
  return a.bloecke[i >> a.block_bits] + (i & ((1u << a.block_bits) - 1));
}

// The classes of 64 codes from i on (those past the end LEER_KLASSE).
template <int L, bool WDH, bool FEST>
__m512i klassen64(const Auftrag& a, const Klassen8& k, std::uint32_t i) {
  __m512i w[8];
  const std::uint64_t* q = eintrag(a, i);
  const std::uint32_t da = a.zahl - i;
  if (da >= 64) {
    for (int j = 0; j < 8; ++j) w[j] = k.klassen<L, WDH, FEST>(_mm512_loadu_si512(q + 8 * j));
    return packe(w);
  }
  for (std::uint32_t j = 0; j < 8; ++j) {
    const std::uint32_t hier = da > 8 * j ? da - 8 * j : 0;
    const __mmask8 m = hier >= 8 ? 0xFF : static_cast<__mmask8>((1u << hier) - 1);
    w[j] = k.klassen<L, WDH, FEST>(_mm512_maskz_loadu_epi64(m, q + 8 * j));
  }
  const __m512i c = packe(w);
  const __mmask64 leer = da >= 64 ? 0 : ~std::uint64_t{0} << da;
  return _mm512_mask_mov_epi8(c, leer, _mm512_set1_epi8(static_cast<char>(LEER_KLASSE)));
}

template <int L, bool WDH, bool FEST>
void klassiere(const Auftrag& a, std::uint32_t* zahl) {
  const Klassen8 k(a);
  constexpr std::uint32_t STRECKE = 128;  // blocks of 64 codes between two sums
  alignas(64) std::uint8_t bytes[STRECKE * BLOCK];
  std::uint32_t z[64] = {};
  const int n = FEST ? L + 1 : DREIECK[L] + L + 1;
  const __m512i d = _mm512_loadu_si512(DREIECK.t), nibble = _mm512_set1_epi8(15);
  for (std::uint32_t i0 = 0; i0 < a.zahl; i0 += STRECKE * BLOCK) {
    std::uint32_t bloecke = 0;
    for (std::uint32_t i = i0; i < a.zahl && i < i0 + STRECKE * BLOCK; i += BLOCK) {
      const __m512i c = klassen64<L, WDH, FEST>(a, k, i);
      const __mmask64 echt = _mm512_cmpneq_epi8_mask(c, _mm512_set1_epi8(-1));
      const __m512i p = _mm512_and_si512(c, nibble);
      __m512i nummer = p;
      if (!FEST) {
        // The class number of (T, P) with P <= T; a code with P above T (a
        // sign in place that counts for no group) is counted here at once.
        const __m512i t = _mm512_and_si512(_mm512_srli_epi16(c, 4), nibble);
        const __mmask64 schief = _mm512_mask_cmpgt_epu8_mask(echt, p, t);
        nummer = _mm512_add_epi8(nachschlagen(t, d), p);
        if (schief) {
          alignas(64) std::uint8_t roh[64];
          _mm512_storeu_si512(roh, c);
          for (int b = 0; b < 64; ++b)
            if ((schief >> b) & 1) ++zahl[roh[b]];
          nummer = _mm512_mask_mov_epi8(nummer, schief, _mm512_set1_epi8(-1));
        }
      }
      nummer = _mm512_mask_mov_epi8(_mm512_set1_epi8(-1), echt, nummer);
      _mm512_storeu_si512(bytes + BLOCK * bloecke++, nummer);
    }
    loes_kern::zaehle_klassen(bytes, bloecke, n, z);
  }
  if (FEST) {
    for (int p = 0; p <= L; ++p) zahl[16 * a.t_fest + p] += z[p];
  } else {
    for (int t = 0; t <= L; ++t)
      for (int p = 0; p <= t; ++p) zahl[16 * t + p] += z[DREIECK[t] + p];
  }
}

template <int L, bool WDH, bool FEST>
std::uint32_t verenge(const Auftrag& a, std::uint8_t ziel) {
  const Klassen8 k(a);
  const __m512i z = _mm512_set1_epi64(ziel);
  const std::uint32_t block = 1u << a.block_bits;
  std::uint32_t w = 0;
  for (std::uint32_t i = 0; i < a.zahl; i += 8) {
    const std::uint32_t da = a.zahl - i;
    const __mmask8 gueltig = da >= 8 ? 0xFF : static_cast<__mmask8>((1u << da) - 1);
    const __m512i x = _mm512_maskz_loadu_epi64(gueltig, eintrag(a, i));
    const __m512i klasse =
        k.klassen<L, WDH, FEST>(x);  // (outside the intrinsic: a macro in places)
    const __mmask8 bleibt = _mm512_mask_cmpeq_epi64_mask(gueltig, klasse, z);
    if ((w & (block - 1)) + 8 <= block) {
      _mm512_mask_compressstoreu_epi64(eintrag(a, w), bleibt, x);
      w += static_cast<std::uint32_t>(__builtin_popcount(bleibt));
    } else {
      alignas(64) std::uint64_t q[8];
      _mm512_storeu_si512(q, x);
      for (int j = 0; j < 8; ++j)
        if ((bleibt >> j) & 1) *eintrag(a, w++) = q[j];
    }
  }
  return w;
}

// The instance for the code length (L up to 9), repetition and a fixed T.
template <int L = 2, class F>
auto waehle(const Auftrag& a, F f) {
  if constexpr (L < 9) {
    if (a.laenge > L) return waehle<L + 1>(a, f);
  }
  if (a.t_fest >= 0) return f.template operator()<L, true, true>();
  return a.wdh ? f.template operator()<L, true, false>() : f.template operator()<L, false, false>();
}

}  // namespace

void klassiere_avx512(const Auftrag& a, std::uint32_t* zahl) {
  waehle(a, [&]<int L, bool WDH, bool FEST>() { klassiere<L, WDH, FEST>(a, zahl); });
}

std::uint32_t verenge_avx512(const Auftrag& a, std::uint8_t ziel) {
  return waehle(a, [&]<int L, bool WDH, bool FEST>() { return verenge<L, WDH, FEST>(a, ziel); });
}

}  // namespace mogel_kern
#endif
