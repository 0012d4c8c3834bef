// The encoder with a variable answer code: the list of every code still
// consistent with the answers given (built in encoder_aufbau.cpp), the
// classification of a trial, the narrowing and the answer step (the
// computer's answer or the human's, checked).
#include <cassert>
#include <cstdlib>
#include <cstring>

#include "console/console.h"
#include "engine/encoder_kern.h"
#include "engine/kvspiel.h"

namespace {

constexpr int FELD = 6;  // bits per position of a packed code
constexpr std::uint64_t FELDMASKE = 63;
constexpr int P_BIT = 54;  // where the general class word counts the position matches

std::uint64_t& eintrag(std::uint32_t i) {
  return mogel_bloecke[i >> MOGEL_BLOCK_BITS][i & (MOGEL_BLOCK - 1)];
}

std::uint8_t zeichen_an(std::uint64_t x, int i) {  // position i = 1..L
  return static_cast<std::uint8_t>((x >> (FELD * (i - 1))) & FELDMASKE);
}

// ----------------------------------------------------------- classification

// The class word of a trial for every code: either additive (a byte per
// position and sign, summed to T x 16 + P), valid when no code repeats a sign
// or when every code has the same signs; or general, where six-bit lanes count
// the trial's sign groups in the code and are cut to the group's count in the
// trial.
struct Klassierer {
  int l = 0;
  bool additiv = false;
  std::uint8_t basis = 0;
  std::uint8_t tab8[9][64];
  std::uint64_t tab[9][64];
  std::uint64_t grenze = 0;  // the trial's count of each group, one per lane
};

constexpr std::uint64_t LANES_H = 0x20820820820820ull;      // bit 5 of lanes 0..8
constexpr std::uint64_t LANES_SUMME = 0x41041041041041ull;  // 1 in each of lanes 0..8

inline std::uint8_t klasse_allgemein(const Klassierer& k, std::uint64_t v) {
  const std::uint64_t lanes = v & ((std::uint64_t{1} << P_BIT) - 1);
  const std::uint64_t d = (lanes | LANES_H) - k.grenze;
  const std::uint64_t m = ((d & LANES_H) >> 5) * 31;
  const std::uint64_t mn = (k.grenze & m) | (lanes & ~m);
  const std::uint64_t t = ((mn * LANES_SUMME) >> 48) & 63;
  return static_cast<std::uint8_t>(t * 16 + (v >> P_BIT));
}

template <int L>
inline std::uint8_t klasse(const Klassierer& k, std::uint64_t x) {
  if (k.additiv) {
    unsigned s = k.basis;
    for (int i = 0; i < L; ++i) s += k.tab8[i][(x >> (FELD * i)) & FELDMASKE];
    return static_cast<std::uint8_t>(s);
  }
  std::uint64_t v = 0;
  for (int i = 0; i < L; ++i) v += k.tab[i][(x >> (FELD * i)) & FELDMASKE];
  return klasse_allgemein(k, v);
}

template <int L, bool ADD>
void zaehle_block(const Klassierer& k, const std::uint64_t* b, std::uint32_t n,
                  std::uint32_t (&z)[4][256]) {
  Klassierer kk = k;
  kk.additiv = ADD;
  std::uint32_t i = 0;
  for (; i + 4 <= n; i += 4) {
    ++z[0][klasse<L>(kk, b[i])];
    ++z[1][klasse<L>(kk, b[i + 1])];
    ++z[2][klasse<L>(kk, b[i + 2])];
    ++z[3][klasse<L>(kk, b[i + 3])];
  }
  for (; i < n; ++i) ++z[0][klasse<L>(kk, b[i])];
}

template <int L>
void zaehle(const Klassierer& k, std::uint32_t (&z)[4][256]) {
  for (std::uint32_t start = 0; start < ERL; start += MOGEL_BLOCK) {
    const std::uint32_t n = ERL - start < MOGEL_BLOCK ? ERL - start : MOGEL_BLOCK;
    const std::uint64_t* b = mogel_bloecke[start >> MOGEL_BLOCK_BITS];
    if (k.additiv)
      zaehle_block<L, true>(k, b, n, z);
    else
      zaehle_block<L, false>(k, b, n, z);
  }
}

template <int L>
std::uint32_t verenge(const Klassierer& k, std::uint8_t ziel) {
  std::uint32_t w = 0;
  for (std::uint32_t i = 0; i < ERL; ++i) {
    const std::uint64_t x = eintrag(i);
    if (klasse<L>(k, x) == ziel) eintrag(w++) = x;
  }
  return w;
}

using ZaehleFn = void (*)(const Klassierer&, std::uint32_t (&)[4][256]);
using VerengeFn = std::uint32_t (*)(const Klassierer&, std::uint8_t);
const ZaehleFn ZAEHLE[10] = {nullptr,   nullptr,   zaehle<2>, zaehle<3>, zaehle<4>,
                             zaehle<5>, zaehle<6>, zaehle<7>, zaehle<8>, zaehle<9>};
const VerengeFn VERENGE[10] = {nullptr,    nullptr,    verenge<2>, verenge<3>, verenge<4>,
                               verenge<5>, verenge<6>, verenge<7>, verenge<8>, verenge<9>};

Klassierer bereite_vor(const zahlenfeld& nr) {
  Klassierer k;
  const int l = X.laenge;
  k.l = l;
  int gruppe[37];
  for (int s = 0; s <= 36; ++s) gruppe[s] = -1;
  int anzahl_in_versuch[37] = {};
  for (int i = 1; i <= l; ++i) ++anzahl_in_versuch[nr[i]];
  int g = 0;
  for (int s = 1; s <= 36; ++s)
    if (anzahl_in_versuch[s] > 0 && ERL_FARBE[s]) {
      k.grenze |= static_cast<std::uint64_t>(anzahl_in_versuch[s]) << (FELD * g);
      gruppe[s] = g++;
    }
  for (int i = 0; i < l; ++i)
    for (int s = 0; s < 64; ++s) {
      const bool gleich = s != 0 && s == nr[i + 1];
      const bool in_gruppe = s <= 36 && gruppe[s] >= 0;
      k.tab[i][s] = (in_gruppe ? std::uint64_t{1} << (FELD * gruppe[s]) : 0) +
                    (gleich ? std::uint64_t{1} << P_BIT : 0);
      k.tab8[i][s] = static_cast<std::uint8_t>((in_gruppe ? 16 : 0) + (gleich ? 1 : 0));
    }
  if (mogel_ohne_wdh) {
    k.additiv = true;
  } else if (KENNEALLEFARBEN && ERL > 0) {
    // Every code holds the same signs: T is that of any of them.
    std::uint64_t v = 0;
    const std::uint64_t x = eintrag(0);
    for (int i = 0; i < l; ++i) v += k.tab[i][(x >> (FELD * i)) & FELDMASKE];
    k.basis = static_cast<std::uint8_t>(klasse_allgemein(k, v) & 0xF0);
    for (int i = 0; i < l; ++i)
      for (int s = 0; s < 64; ++s) k.tab8[i][s] &= 0x0F;
    k.additiv = true;
  }
  return k;
}

// The classification and the narrowing in vector instructions, where the
// processor has them: false when they are left to the plain code.
#if defined(__x86_64__)
bool vektor(const Klassierer& k, const zahlenfeld& nr, mogel_kern::Auftrag& a) {
  if (raten_kern() != RatenKern::avx512 || k.l < 2 || k.l > 9) return false;
  a.bloecke = mogel_bloecke;
  a.block_bits = MOGEL_BLOCK_BITS;
  a.zahl = ERL;
  a.laenge = k.l;
  a.wdh = !mogel_ohne_wdh;
  a.t_fest = k.additiv && !mogel_ohne_wdh ? k.basis >> 4 : -1;
  for (int i = 1; i <= k.l; ++i) {
    a.zeichen[i - 1] = nr[i];
    if (nr[i] != 0 && ERL_FARBE[nr[i]]) ++a.anzahl[nr[i]];
  }
  return true;
}

bool klassiere_vektor(const Klassierer& k, const zahlenfeld& nr) {
  mogel_kern::Auftrag a;
  if (!vektor(k, nr, a)) return false;
  std::memset(KLASSEN_ZAHL, 0, sizeof KLASSEN_ZAHL);
  mogel_kern::klassiere_avx512(a, KLASSEN_ZAHL);
  return true;
}

bool verenge_vektor(const Klassierer& k, const zahlenfeld& nr, std::uint8_t ziel) {
  mogel_kern::Auftrag a;
  if (!vektor(k, nr, a)) return false;
  ERL = mogel_kern::verenge_avx512(a, ziel);
  return true;
}
#else
bool klassiere_vektor(const Klassierer&, const zahlenfeld&) {
  return false;
}
bool verenge_vektor(const Klassierer&, const zahlenfeld&, std::uint8_t) {
  return false;
}
#endif

std::uint32_t anzahl(int t, int p) {
  return KLASSEN_ZAHL[t * 16 + p];
}

// ------------------------------------------------------------ the answer step

// The trial broken: the list is not needed any more.
void geknackt(const code& versuch_code) {
  LOESUNG = versuch_code;
  SPEICHER_FREIGEBEN(true);
  ZEITEIN = false;
}

void schreibe_antwort(int x4, int k, std::uint8_t p, std::uint8_t z) {
  WRITE(static_cast<char>('0' + p));
  GOTOXY(x4, k);
  WRITE(static_cast<char>('0' + z));
}

bool menschliche_antwort(int x3, int x4, int k, std::uint8_t& p, std::uint8_t& t,
                         unsigned char& taste) {
  const int l = X.laenge;
  signalton();
  bool moeglich[10][10] = {};
  for (int tt = 0; tt <= l; ++tt)
    for (int pp = 0; pp <= tt; ++pp) moeglich[tt][pp] = anzahl(tt, pp) > 0;
  if (lies_menschliche_antwort(moeglich, x3, x4, k, p, t)) return true;
  abbruch_aufraeumen(taste);
  return false;
}

// No sign of the trial can occur: nothing to learn.
bool kein_zeichen_moeglich(const zahlenfeld& nr) {
  for (int i = 1; i <= X.laenge; ++i)
    if (ERL_FARBE[nr[i]]) return false;
  return true;
}

// A trial made before gets its answer again.
bool fruehere_antwort(const code& versuch_code, std::uint8_t& p, std::uint8_t& z) {
  const int frueher = NUMMER - 1 < 30 ? NUMMER - 1 : 30;
  for (int v = 1; v <= frueher; ++v)
    if (std::memcmp(&V30[v].c[1], &versuch_code[1], static_cast<std::size_t>(X.laenge)) == 0) {
      p = V30[v].p;
      z = V30[v].z;
      return true;
    }
  return false;
}

// One code left: it is the secret shown at the end.
void merke_letzten_code() {
  zahlenfeld rest;
  liste_code(0, rest);
  for (int i = 1; i <= X.laenge; ++i) LOESUNG[i] = FARBARRAY[rest[i]];
}

// What the answer (t, p) tells about the signs of the remaining codes.
void lerne_zeichen(const zahlenfeld& nr, std::uint8_t t, std::uint8_t p) {
  const int l = X.laenge;
  if (t == l) {
    KENNEALLEFARBEN = true;
    for (int s = 0; s <= 36; ++s) ERL_FARBE[s] = false;
    for (int i = 1; i <= l; ++i)
      if (nr[i] != 0) ERL_FARBE[nr[i]] = true;
  } else if (t == 0 && p == 0) {
    for (int i = 1; i <= l; ++i) ERL_FARBE[nr[i]] = false;
    if (!X.wiederholung) {
      ZAEHLE_VORH_FARBE = 0;
      for (int s = 1; s <= MAXFARBE; ++s)
        if (ERL_FARBE[s]) ++ZAEHLE_VORH_FARBE;
      if (ZAEHLE_VORH_FARBE <= l) KENNEALLEFARBEN = true;
    }
  }
}

}  // namespace

// ------------------------------------------------------------------ routines

void mogeln_speicher_freigeben() {
  for (std::uint32_t b = 0; b < mogel_zahl_bloecke; ++b) {
    std::free(mogel_bloecke[b]);
    mogel_bloecke[b] = nullptr;
  }
  mogel_zahl_bloecke = 0;
  mogel_belegt = 0;
  ERL = ERLLOE = 0;
}

void klassiere_liste(const zahlenfeld& nr) {
  static std::uint32_t z[4][256];
  std::memset(z, 0, sizeof z);
  const Klassierer k = bereite_vor(nr);
  if (klassiere_vektor(k, nr)) return;
  if (k.l >= 2 && k.l <= 9) ZAEHLE[k.l](k, z);
  for (int i = 0; i < 256; ++i) KLASSEN_ZAHL[i] = z[0][i] + z[1][i] + z[2][i] + z[3][i];
}

std::uint32_t verenge_liste(const zahlenfeld& nr, std::uint8_t t, std::uint8_t p) {
  const Klassierer k = bereite_vor(nr);
  if (k.l < 2 || k.l > 9) return ERL;
  if (verenge_vektor(k, nr, static_cast<std::uint8_t>(t * 16 + p))) return ERL;
  ERL = VERENGE[k.l](k, static_cast<std::uint8_t>(t * 16 + p));
  assert(ERL <= ERLLOE);
  return ERL;
}

void liste_code(std::uint32_t i, zahlenfeld& nr) {
  const std::uint64_t x = eintrag(i);
  for (int j = 1; j <= 9; ++j) nr[j] = j <= X.laenge ? zeichen_an(x, j) : 0;
}

bool antwort_nicht_fest(const code& versuch_code, const zahlenfeld& nr, int x3, int x4, int k,
                        std::uint8_t& p, std::uint8_t& z, unsigned char& taste) {
  const int l = X.laenge;
  if (kein_zeichen_moeglich(nr)) {
    p = z = 0;
    schreibe_antwort(x4, k, 0, 0);
    return true;
  }
  if (fruehere_antwort(versuch_code, p, z)) {
    schreibe_antwort(x4, k, p, z);
    return true;
  }

  klassiere_liste(nr);
  std::uint8_t t = 0;
  if (X.pc_kodiert) {
    const int beste = groesste_klasse([](int kt, int kp) { return anzahl(kt, kp); });
    t = ZEI_ORD[beste];
    p = POS_ORD[beste];
    if (p == l) schreibe_antwort(x4, k, p, 0);
  } else if (!menschliche_antwort(x3, x4, k, p, t, taste)) {
    return true;
  }
  if (p == l) {
    z = 0;
    geknackt(versuch_code);
    return true;
  }
  if (abbruch_abfragen()) {
    abbruch_aufraeumen(taste);
    z = static_cast<std::uint8_t>(t - p);
    return true;
  }
  if (verenge_liste(nr, t, p) == 1) merke_letzten_code();
  if (!KENNEALLEFARBEN) lerne_zeichen(nr, t, p);
  z = static_cast<std::uint8_t>(t - p);
  return !X.pc_kodiert;  // the human's answer is on the board already
}
