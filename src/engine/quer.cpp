// Many trials against a short solution list at once, the trials side by
// side (quer_kern.h): the plain kernel, which is also the reference of the
// vector one, and the entry of the search.
#include "engine/kvspiel.h"
#include "engine/quer_kern.h"

namespace quer_kern {

// One trial after the other, each against the best before it.
void zaehle_skalar(const loes_kern::Liste& li, const std::uint64_t* pos, int zahl,
                   std::int32_t best_max, std::int64_t best_summe, Wertung* w, bool* ganz) {
  const int l = li.laenge;
  std::int64_t g_max = best_max, g_summe = best_summe;
  std::uint16_t z[KLASSEN][BREITE];
  for (int v = 0; v < zahl; ++v) {
    std::uint8_t zeichen[9], anzahl[64] = {};
    for (int j = 0; j < l; ++j) {
      zeichen[j] = static_cast<std::uint8_t>((pos[v] >> (6 * j)) & 63);
      if (zeichen[j]) ++anzahl[zeichen[j]];
    }
    for (int k = 0; k < KLASSEN; ++k) z[k][0] = 0;
    for (std::uint32_t i = 0; i < li.zahl; ++i) {
      const Loesung s = loesung(li, i);
      int t = 0, p = 0;
      for (int j = 0; j < l; ++j) {
        const std::uint8_t c = s.anfang[s.schritt * j];
        p += c == zeichen[j];
        t += s.anfang[s.schritt * (l + j)] < anzahl[c & 63];
      }
      ++z[loes_kern::DREIECK[t] + p][0];
    }
    ganz[v] = werte(z, 0, l, g_max, g_summe, w[v]);
    if (ganz[v] && besser(w[v].max, w[v].summe, g_max, g_summe)) {
      g_max = w[v].max;
      g_summe = w[v].summe;
    }
  }
}

}  // namespace quer_kern

static_assert(RATEN_QUER_BIS <= quer_kern::MAX_LOESUNGEN);

bool raten_quer_lohnt() {
  return raten_loes_zahl >= 3 && raten_loes_zahl <= raten_quer_bis &&
         raten_loes_zahl <= quer_kern::MAX_LOESUNGEN && raten_kern() == RatenKern::avx512;
}

void raten_zaehle_quer(const std::uint64_t* pos, int zahl, std::int32_t best_max,
                       std::int64_t best_summe, Wertung* w, bool* ganz) {
  quer_kern::Zaehler z = quer_kern::zaehle_skalar;
#if defined(__x86_64__)
  if (raten_kern() == RatenKern::avx512) z = quer_kern::zaehle_avx512;
#endif
  z(loes_kern::aktuelle_liste(), pos, zahl, best_max, best_summe, w, ganz);
}
