// The codebreaker's solution list: the codes that can still be the secret,
// as packed records read one after another; scoring a trial against them
// with its early rejections, and narrowing them to one answer class.
#include <bit>
#include <cstring>

#include "engine/kvspiel.h"

namespace {

// Number of fields of x (restricted to the code fields) that are not zero.
inline int besetzt(std::uint64_t x, const Versuchsbild& v) {
  return std::popcount((((x & v.niedrig) + v.niedrig) | x) & v.hoch);
}

template <int W, bool DREI>
inline int gemeinsam(const Versuchsbild& v, const std::uint64_t* s) {
  int t = std::popcount(s[0] & v.maske0);
  if constexpr (W == 2) t += std::popcount(s[1] & v.maske1);
  if constexpr (DREI) {
    for (int j = 0; j < v.dreifach; ++j) {
      const int im_code = v.laenge - besetzt(s[0] ^ v.dreifach_feld[j], v);
      const int m = im_code < v.dreifach_anzahl[j] ? im_code : v.dreifach_anzahl[j];
      if (m > 2) t += m - 2;
    }
  }
  return t;
}

template <int W, bool DREI>
inline void antwort(const Versuchsbild& v, const std::uint64_t* s, int& t, int& p) {
  p = v.laenge - besetzt(s[0] ^ v.pos, v);
  t = gemeinsam<W, DREI>(v, s);
}

std::int64_t quadratsumme(const std::int32_t* cnt) {
  std::int64_t s = 0;
  for (int i = 0; i < 100; ++i) s += static_cast<std::int64_t>(cnt[i]) * cnt[i];
  return s;
}

template <int W, bool DREI, bool TFEST>
bool zaehle(const Versuchsbild& v, std::int32_t* cnt, std::int32_t best_max,
            std::int64_t best_summe, Wertung& w) {
  std::memset(cnt, 0, 100 * sizeof(std::int32_t));
  const std::uint64_t* s = raten_loes;
  const std::uint32_t n = raten_loes_zahl;
  int t_fest = 0;
  if (TFEST && n > 0) t_fest = gemeinsam<W, true>(v, s);
  const int basis = v.laenge;
  std::int64_t summe = 0;
  bool summieren = false;
  for (std::uint32_t i = 0; i < n; ++i, s += W) {
    const int p = basis - besetzt(s[0] ^ v.pos, v);
    const int t = TFEST ? t_fest : gemeinsam<W, DREI>(v, s);
    const std::int32_t m = ++cnt[t * 10 + p];
    if (m >= best_max || summieren) [[unlikely]] {
      if (m > best_max) return false;
      if (!summieren) {
        summe = quadratsumme(cnt);
        summieren = true;
      } else {
        summe += 2 * static_cast<std::int64_t>(m) - 1;
      }
      if (summe > best_summe || (summe == best_summe && i + 1 != n)) return false;
    }
  }
  w.max = 0;
  w.klassen = 0;
  for (int i = 0; i < 100; ++i) {
    if (cnt[i] > w.max) w.max = cnt[i];
    if (cnt[i]) ++w.klassen;
  }
  w.summe = quadratsumme(cnt);
  w.loesung = cnt[v.laenge * 10 + v.laenge] == 1;
  return true;
}

using Zaehler = bool (*)(const Versuchsbild&, std::int32_t*, std::int32_t, std::int64_t, Wertung&);

Zaehler waehle(const Versuchsbild& v) {
  const bool drei = v.dreifach > 0;
  if (raten_loes_worte == 2) {
    if (KENNEALLEFARBEN) return zaehle<2, true, true>;
    return drei ? zaehle<2, true, false> : zaehle<2, false, false>;
  }
  if (KENNEALLEFARBEN) return zaehle<1, true, true>;
  return drei ? zaehle<1, true, false> : zaehle<1, false, false>;
}

}  // namespace

bool raten_loes_anlegen(std::uint64_t zahl) {
  raten_loes_freigeben();
  raten_loes_worte = 6 * X.laenge + 2 * MAXFARBE <= 64 ? 1 : 2;
  if (zahl > 0xFFFFFFFFu) return false;
  void* p = raten_hole(static_cast<std::size_t>(zahl) * 8 * raten_loes_worte, 1);
  if (!p) return false;
  raten_loes = static_cast<std::uint64_t*>(p);
  raten_loes_zahl = raten_loes_platz = static_cast<std::uint32_t>(zahl);
  return true;
}

void raten_loes_setze(std::uint32_t i, std::uint64_t pos) {
  raten_satz(pos, raten_loes + static_cast<std::size_t>(i) * raten_loes_worte);
}

void raten_loes_freigeben() {
  if (raten_loes)
    raten_gib_frei(raten_loes, static_cast<std::size_t>(raten_loes_platz) * 8 * raten_loes_worte);
  raten_loes = nullptr;
  raten_loes_zahl = raten_loes_platz = 0;
}

std::uint64_t raten_vorhandene_zeichen() {
  std::uint64_t vorhanden = 0;
  for (std::uint32_t i = 0; i < raten_loes_zahl; ++i)
    vorhanden |= raten_loes[static_cast<std::size_t>(i) * raten_loes_worte + raten_loes_worte - 1];
  if (raten_loes_worte == 1) vorhanden >>= 6 * X.laenge + MAXFARBE;
  return vorhanden;
}

std::uint64_t raten_loes_pos(std::uint32_t i) {
  const int l = X.laenge;
  const std::uint64_t maske = l >= 10 ? ~std::uint64_t{0} : (std::uint64_t{1} << (6 * l)) - 1;
  return raten_loes[static_cast<std::size_t>(i) * raten_loes_worte] & maske;
}

void raten_zeichenebenen(std::uint64_t pos, int l, std::uint8_t (&anzahl)[37], std::uint64_t& eins,
                         std::uint64_t& zwei) {
  eins = zwei = 0;
  for (int i = 0; i < l; ++i) {
    const int c = static_cast<int>((pos >> (6 * i)) & 63);
    if (c == 0) continue;
    if (++anzahl[c] == 1)
      eins |= std::uint64_t{1} << (c - 1);
    else
      zwei |= std::uint64_t{1} << (c - 1);
  }
}

void raten_satz(std::uint64_t pos, std::uint64_t* ziel) {
  const int laenge = X.laenge;
  std::uint8_t anzahl[37] = {};
  std::uint64_t eins, zwei;
  raten_zeichenebenen(pos, laenge, anzahl, eins, zwei);
  const int ab = 6 * laenge;
  if (raten_loes_worte == 1) {
    ziel[0] = pos | zwei << ab | eins << (ab + MAXFARBE);
  } else {
    ziel[0] = pos | zwei << ab;
    ziel[1] = eins;
  }
}

void raten_bild(std::uint64_t pos, Versuchsbild& v) {
  const int l = X.laenge;
  v = Versuchsbild{};
  v.pos = pos;
  v.laenge = l;
  for (int i = 0; i < l; ++i) {
    v.niedrig |= std::uint64_t{31} << (6 * i);
    v.hoch |= std::uint64_t{32} << (6 * i);
  }
  std::uint8_t anzahl[37] = {};
  std::uint64_t eins, zwei;
  raten_zeichenebenen(pos, l, anzahl, eins, zwei);
  for (int i = 0; i < l; ++i) {
    const int c = static_cast<int>((pos >> (6 * i)) & 63);
    if (c == 0 || anzahl[c] < 3 || v.dreifach >= 4) continue;
    std::uint64_t feld = 0;
    for (int j = 0; j < l; ++j) feld |= static_cast<std::uint64_t>(c) << (6 * j);
    v.dreifach_feld[v.dreifach] = feld;
    v.dreifach_anzahl[v.dreifach] = anzahl[c];
    ++v.dreifach;
    anzahl[c] = 0;  // once per sign
  }
  const int ab = 6 * l;
  if (raten_loes_worte == 2) {
    v.maske0 = zwei << ab;
    v.maske1 = eins;
  } else {
    v.maske0 = zwei << ab | eins << (ab + MAXFARBE);
  }
}

void raten_antwort(const Versuchsbild& v, std::uint32_t i, int& t, int& p) {
  const std::uint64_t* s = raten_loes + static_cast<std::size_t>(i) * raten_loes_worte;
  if (raten_loes_worte == 2) {
    antwort<2, true>(v, s, t, p);
  } else {
    antwort<1, true>(v, s, t, p);
  }
}

bool raten_zaehle(const Versuchsbild& v, std::int32_t* cnt, std::int32_t best_max,
                  std::int64_t best_summe, Wertung& w) {
  return waehle(v)(v, cnt, best_max, best_summe, w);
}

std::uint32_t raten_verenge(const Versuchsbild& v, int t, int p) {
  const int worte = raten_loes_worte;
  std::uint32_t behalten = 0;
  for (std::uint32_t i = 0; i < raten_loes_zahl; ++i) {
    int ti, pi;
    raten_antwort(v, i, ti, pi);
    if (pi != p || (t >= 0 && ti != t)) continue;
    if (behalten != i)
      std::memcpy(raten_loes + static_cast<std::size_t>(behalten) * worte,
                  raten_loes + static_cast<std::size_t>(i) * worte, 8 * worte);
    ++behalten;
  }
  raten_loes_zahl = behalten;
  ERLAUBT = behalten ? raten_pos_knoten(raten_loes_pos(0)) : 0;
  return behalten;
}
