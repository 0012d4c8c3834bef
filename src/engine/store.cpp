// The codebreaker's candidate store: the build with its bucket shuffle, the
// packed codes of the nodes and of the solution records, and the release.
//
// Phases of a game. raten_spielbeginn sets the codebreaker's flags
// (AEQUI_KLASSE: the opening phase, which lasts while every answer is 0/0;
// F6_GEDR cleared; no sign played). INIT_RATEN builds the store once: the
// permutations and the opening trial, the enumeration of every code as a
// node, each node dropped into a bucket of MISCHFELD, the join of the
// buckets into the trial list, and the solution list. Its progress line
// (RATEN_ZEITANZEIGE, the stars) runs while it builds; Esc, Ctrl-C or a
// failed allocation leave nothing allocated and ok false. The caller empties
// the bucket table (INITFELD) after every build. The turns (RATE_CODE) then
// only shrink the trial and solution lists; SPEICHER_FREIGEBEN releases the
// store at the end of the game or on an abort.
//
// Invariants: the nodes fit 31 bits and every one of them is built and
// dropped once; the trial list holds at most raten_knoten entries, the
// solution list at most raten_loes_platz; the bucket table is all 0 outside
// a build.
#include <atomic>
#include <cassert>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {

// The upper 64 bits of the 96-bit product a * b (a division by a constant
// as a multiplication); without 128-bit integers from two 32 x 32 bit
// products, whose sum cannot overflow.
inline std::uint64_t hoch_mal(std::uint64_t a, std::uint32_t b) {
#ifdef __SIZEOF_INT128__
  return static_cast<std::uint64_t>((static_cast<unsigned __int128>(a) * b) >> 64);
#else
  return ((a >> 32) * b + ((a & 0xFFFFFFFFu) * b >> 32)) >> 32;
#endif
}

// Numbering of the nodes: node k is the number k (with the vacant sign) or
// k - 1 (without) written in base `basis`, position 1 lowest; digit r stands
// for sign r + `start`.
std::uint32_t basis;
std::uint32_t start;
bool mit_leer;
std::uint64_t dekod[9][37];  // digit r at enumeration position j -> its packed field
Indexed<std::uint8_t, 0, 36> farbe_zurueck;  // inverse of PERMFTM
int laenge;

// The code of a node from three-digit groups of its number: gruppe_pos[g][r]
// is the packed code of the digits r (base basis) at enumeration positions
// 3g..3g+2, gruppe_zeichen[g][r] their signs (bit c - 1 for sign c).
constexpr std::uint32_t GRUPPE_MAX = 37 * 37 * 37;
std::uint64_t gruppe_pos[3][GRUPPE_MAX];
std::uint64_t gruppe_zeichen[3][GRUPPE_MAX];
std::uint32_t gruppe_basis;  // basis^3
std::uint64_t gruppe_magie;  // 2^64 / basis^3, rounded up

void gruppen_fuellen(int l) {
  gruppe_basis = basis * basis * basis;
  gruppe_magie = ~std::uint64_t{0} / gruppe_basis + 1;
  for (int g = 0; g < 3; ++g) {
    for (std::uint32_t r = 0; r < gruppe_basis; ++r) {
      std::uint64_t pos = 0, zeichen = 0;
      std::uint32_t v = r;
      for (int j = 3 * g; j < 3 * g + 3; ++j) {
        const std::uint32_t ziffer = v % basis;
        v /= basis;
        if (j >= l) continue;
        pos |= dekod[j][ziffer];
        const std::uint32_t c = PERMFTM[static_cast<int>(ziffer + start)];
        if (c) zeichen |= std::uint64_t{1} << (c - 1);
      }
      gruppe_pos[g][r] = pos;
      gruppe_zeichen[g][r] = zeichen;
    }
  }
}

// The three groups of v = the node's number as digits.
inline void gruppen(std::uint32_t k, std::uint32_t (&r)[3]) {
  const std::uint32_t v = mit_leer ? k : k - 1;
  const auto q = static_cast<std::uint32_t>(hoch_mal(gruppe_magie, v));
  r[0] = v - q * gruppe_basis;
  const auto q2 = static_cast<std::uint32_t>(hoch_mal(gruppe_magie, q));
  r[1] = q - q2 * gruppe_basis;
  r[2] = q2;
}

void stelle_zahlung_ein(int l, int n, bool leer) {
  laenge = l;
  mit_leer = leer;
  basis = static_cast<std::uint32_t>(n + (leer ? 1 : 0));
  start = leer ? 0 : 1;
  for (int j = 0; j < l; ++j)
    for (std::uint32_t r = 0; r < basis; ++r)
      dekod[j][r] = static_cast<std::uint64_t>(PERMFTM[static_cast<int>(r + start)])
                    << (6 * (PERMZTM[j + 1] - 1));
  for (int c = 0; c <= 36; ++c) farbe_zurueck[c] = 0;
  for (int c = 0; c <= n; ++c) farbe_zurueck[PERMFTM[c]] = static_cast<std::uint8_t>(c);
  gruppen_fuellen(l);
}

// Large blocks are asked for in huge pages where the system has them: the
// build and the search touch them at random.
constexpr std::size_t GROSSE_SEITE = std::size_t{2} << 20;

template <class T>
T* hole(std::uint64_t anzahl, int nummer) {
  return static_cast<T*>(raten_hole(anzahl * sizeof(T), nummer));
}

// The build's two working arrays, one allocation of two words per node:
// `folge` (the first half) takes the nodes sorted by bucket and becomes the
// trial list, the halves' order letting it stay when the allocation
// shrinks; `wurf` (the second half) holds the draws of node k at k - 1, its
// bucket above its place in the bucket (WURF_BITS bits). During the build
// MISCHFELD counts the nodes of each bucket and then marks where its run in
// `folge` begins.
std::uint32_t* paare;
std::uint32_t* wurf_feld;
constexpr int WURF_BITS = 9;  // a place in a bucket: 0..256
constexpr std::uint32_t WURF_PLATZ = (1u << WURF_BITS) - 1;
static_assert(MISCHGROESSE <= (1u << (32 - WURF_BITS)));

// The size a bucket's counter stands for when it holds c nodes: the count
// itself up to 256, then 255 and 256 by turns (the byte counter saturates).
inline std::uint32_t eimer_n(std::uint32_t c) {
  return c <= 256 ? c : (c % 2 == 0 ? 256 : 255);
}

inline std::uint8_t eimer_zaehler(std::uint32_t c) {
  return static_cast<std::uint8_t>(eimer_n(c) - 1);
}

// Where the node drawn at place r of a bucket holding c nodes lands (0 =
// in front of the head, c = behind the tail). A bucket is a ring whose tail
// points to the middle node (n div 2 + 1), and the place is reached by a
// short walk from the head, the middle or the tail, as the counter n
// steers it. While the counter is exact every walk ends behind node r.
// Past its saturation n stays at 255 or 256 while the middle pointer keeps
// sitting on node c div 2 + 1 (it moves one node on every drop with an odd
// n), so a walk from the middle ends c div 2 - n div 2 nodes further on and
// a walk from the tail c - n nodes further on.
inline std::uint32_t eimer_stelle(std::uint32_t c, std::uint32_t r) {
  const std::uint32_t n = eimer_n(c);
  const std::uint32_t h = n / 2;
  if (r == 0) return 0;
  if (r == n) return c;
  if (r <= h) return r <= n / 4 || r < 3 ? r : r + (c / 2 - h);
  return r >= n - (n - 1) / 4 ? r + (c - n) : r + (c / 2 - h);
}

// The clock and the keys during the long passes of the build: every
// AUFBAU_TAKT nodes of the enumeration, every JOIN_TAKT nodes of the join. False on Esc
// or Ctrl-C.
constexpr std::uint32_t JOIN_TAKT = 1u << 16;
bool zwischenhalt() {
  SCHREIBE_ZEIT_ORB();
  return !abbruch_abfragen();
}

// Runs up to KURZ nodes are replayed backwards: the last drop's node stands
// at its place r among all of them, each earlier one at place r among the
// places the later ones left free (a mask of 64 bits).
constexpr std::uint32_t KURZ = 64;

// Per byte value: where its (j+1)-th set bit is.
struct Bitstellen {
  std::uint8_t stelle[256][8] = {};
  constexpr Bitstellen() {
    for (int v = 0; v < 256; ++v)
      for (int bit = 0, j = 0; bit < 8; ++bit)
        if (v >> bit & 1) stelle[v][j++] = static_cast<std::uint8_t>(bit);
  }
};
constexpr Bitstellen BITSTELLEN;

// Where the (r+1)-th set bit of m is (m holds more than r): the byte from
// the running counts of set bits per byte, the bit in it from the table.
inline std::uint32_t waehle(std::uint64_t m, std::uint32_t r) {
  constexpr std::uint64_t EINS = 0x0101010101010101ull;
  std::uint64_t s = m - ((m >> 1) & 0x5555555555555555ull);
  s = (s & 0x3333333333333333ull) + ((s >> 2) & 0x3333333333333333ull);
  s = ((s + (s >> 4)) & 0x0F0F0F0F0F0F0F0Full) * EINS;  // byte i: set bits in bytes 0..i
  const std::uint64_t ab = ((s | 0x80 * EINS) - (r + 1) * EINS) & 0x80 * EINS;  // count > r
  const std::uint32_t byte = 8 - static_cast<std::uint32_t>(((ab >> 7) * EINS) >> 56);
  const std::uint32_t davor = static_cast<std::uint32_t>((s << 8) >> (8 * byte)) & 0xFF;
  return 8 * byte + BITSTELLEN.stelle[(m >> (8 * byte)) & 0xFF][r - davor];
}

// In stores below 2^KNOTEN_BITS nodes a run's entry carries the node's
// place in its bucket above the node (cut to six bits: only runs up to
// KURZ nodes read it there).
constexpr int KNOTEN_BITS = 26;
static_assert(KURZ <= 64);

// Puts the run f[0..c) of one bucket (c >= 2), its nodes in creation order,
// in the order of their drops. `knoten` masks the node out of an entry.
void lauf_ordnen(std::uint32_t* f, std::uint32_t c, std::uint32_t knoten) {
  const std::uint32_t* const wurf = wurf_feld;
  if (c <= KURZ && knoten != ~0u) {
    std::uint32_t fertig[KURZ];
    std::uint64_t frei = c == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << c) - 1;
    for (std::uint32_t i = c; i-- > 0;) {
      const std::uint32_t stelle = waehle(frei, f[i] >> KNOTEN_BITS);
      frei &= ~(std::uint64_t{1} << stelle);
      fertig[stelle] = f[i] & knoten;
    }
    std::memcpy(f, fertig, c * sizeof f[0]);
  } else {
    for (std::uint32_t i = 0; i < c; ++i) f[i] &= knoten;
    for (std::uint32_t i = 1; i < c; ++i) {
      const std::uint32_t k = f[i];
      const std::uint32_t r = wurf[k - 1] & WURF_PLATZ;
      const std::uint32_t a = i <= 256 ? r : eimer_stelle(i, r);
      for (std::uint32_t j = i; j > a; --j) f[j] = f[j - 1];
      f[a] = k;
    }
  }
}

// Esc, Ctrl-C or a failed allocation stopped the build: nothing stays
// allocated, the progress line goes.
void abbrechen(bool& ok) {
  RATEN_ZEITANZEIGE = false;
  ok = false;
  OK = false;
  abbruch_aufraeumen(A);
}

void schreibe_sterne(std::uint32_t zahl) {
  GOTOXY(44, 25);
  for (std::uint32_t i = 0; i < zahl; ++i) WRITE('*');
  GOTOXY(WX, WY);
}

}  // namespace

void* raten_hole(std::uint64_t bytes, int nummer) {
  if (raten_fehler_bei == nummer) return nullptr;
  // What the store holds is not touched yet at the top of the build: the
  // machine must back it together with this block (which then fits size_t).
  if (!memory_fits(bytes + raten_belegt)) return nullptr;
  const auto platz = static_cast<std::size_t>(bytes + (bytes == 0 ? 1 : 0));
  void* p = nullptr;
  if (platz >= GROSSE_SEITE) {
    if (posix_memalign(&p, GROSSE_SEITE, platz) != 0) p = nullptr;
    if (p) advise_huge_pages(p, platz);
  } else {
    p = std::malloc(platz);
  }
  if (!p) return nullptr;
  raten_belegt += bytes;
  if (raten_belegt > raten_belegt_max) raten_belegt_max = raten_belegt;
  return p;
}

void raten_gib_frei(void* p, std::size_t bytes) {
  if (!p) return;
  std::free(p);
  raten_belegt -= bytes;
}

std::uint64_t raten_knoten_pos(std::uint32_t k) {
  std::uint32_t r[3];
  gruppen(k, r);
  return gruppe_pos[0][r[0]] | gruppe_pos[1][r[1]] | gruppe_pos[2][r[2]];
}

std::uint64_t raten_knoten_zeichen(std::uint32_t k) {
  std::uint32_t r[3];
  gruppen(k, r);
  return gruppe_zeichen[0][r[0]] | gruppe_zeichen[1][r[1]] | gruppe_zeichen[2][r[2]];
}

std::uint32_t raten_pos_knoten(std::uint64_t pos) {
  if (!raten_knoten) return 0;  // no store: the numbering is not drawn
  std::uint32_t v = 0, stelle = 1;
  for (int j = 0; j < laenge; ++j) {
    const int feld = static_cast<int>((pos >> (6 * (PERMZTM[j + 1] - 1))) & 63);
    v += (farbe_zurueck[feld] - start) * stelle;
    stelle *= basis;
  }
  return mit_leer ? v : v + 1;
}

code raten_pos_code(std::uint64_t pos) {
  code c;
  std::memset(c.z, ' ', sizeof c.z);
  for (int i = 1; i <= laenge && i <= 9; ++i)
    c[i] = FARBARRAY[static_cast<int>((pos >> (6 * (i - 1))) & 63)];
  return c;
}

std::uint64_t raten_fortschritt(std::uint64_t soll) {
  std::uint64_t q = static_cast<std::uint64_t>(GERATENE_VERSUCHE) * 10 / soll;
  if (q > 10) q = 10;
  QU_10_2 = static_cast<std::uint8_t>(q);
  if (QU_10_2 > ZAHL_DER_STERNE) {
    schreibe_sterne(QU_10_2);
    ZAHL_DER_STERNE = QU_10_2;
  }
  return q;
}

void raten_spielbeginn(bool wdh_wahl) {
  WX = static_cast<std::uint16_t>(WHEREX());  // the first code field of the board
  WY = static_cast<std::uint16_t>(WHEREY());
  AEQUI_KLASSE = true;
  FEHLZEICHEN = 0;
  UNTERBR = 0;
  GESPIELT = {};
  raten_gespielt_zahl = 0;
  FEHLZ_BENUTZT = ALLE_F_LOESCHEN = LEERZEICHEN;
  ALLESTERNEDRUCKEN = true;
  F6_GEDR = false;
  raten_zug_beginn = -1;
  ZAEHLE_VORH_FARBE = 0;
  MERKE_WDHG = wdh_wahl;
}

void INITFELD() {
  static bool beraten = false;
  if (!beraten) {
    advise_huge_pages(MISCHFELD, sizeof MISCHFELD);
    beraten = true;
  }
  const std::uint32_t n = raten_eimer < MISCHGROESSE ? raten_eimer : MISCHGROESSE;
  std::memset(MISCHFELD, 0, n * sizeof MISCHFELD[0]);
}

void raten_speicher_freigeben() {
  if (paare) raten_gib_frei(paare, static_cast<std::size_t>(raten_knoten) * 8);
  if (raten_folge) raten_gib_frei(raten_folge, static_cast<std::size_t>(raten_knoten) * 4);
  raten_loes_freigeben();
  raten_folge = nullptr;
  raten_anfang = 0;
  paare = wurf_feld = nullptr;
  raten_knoten = 0;
  VERS = VERSLOE = ERLAUBT = SCHLUSSLICHT = AKTUELL = 0;
  ZAHLGESAMTVERSUCHE = 0;
  NEUER_KANDIDAT = false;
}

namespace {

// The sign bounds of the build: the possible signs and the count bytes.
void setze_farbgrenzen(int l, int n, bool leer) {
  GENUGPLATZ = (l + n + 12 + (leer ? 1 : 0)) < SIZERATEN;
  ERL_FARBE = {};
  for (int c = 1; c <= n; ++c) ERL_FARBE[c] = true;
  FARBE0 = static_cast<std::uint8_t>(l + 1);
  FARBEPL = static_cast<std::uint8_t>(leer ? l + 1 : l);
  FARBE1 = static_cast<std::uint8_t>(FARBEPL + 1);
  FARBE2 = static_cast<std::uint8_t>(FARBEPL + 2);
  FARBE3 = static_cast<std::uint8_t>(FARBEPL + 3);
  ENDFARBE = static_cast<std::uint8_t>(FARBEPL + n);
  ENDFARBEPL1 = static_cast<std::uint8_t>(ENDFARBE + 1);
}

// Heads, progress and clock requests at the start of a build.
void setze_aufbau_zurueck() {
  VERS = VERSLOE = ERLAUBT = SCHLUSSLICHT = 0;
  ZAHL_DER_STERNE = 0;
  ZEITLIMIT_GR_0 = false;
  ZEIT_GERATEN_KL100 = true;
  NEUER_KANDIDAT = false;
  GERATENE_VERSUCHE = 0;
  ZAHLGESAMTVERSUCHE = ZAHL_DER_VERSUCHE = NUMMER_PLUS = MEMRATE;
  SETZE_RATE_ZEIT_AKT = true;
  SETZEZEITLETZTERVERSUCH = true;
  RATEN_ZEITANZEIGE = true;
}

// A packed code holds a sign number of six bits per position, and a sign
// mask one bit per sign: together at most 64 bits.
bool laenge_passt(int l, int n) {
  return l >= 1 && l <= 9 && n >= 1 && n <= 36 && 6 * l + n <= 64;
}

// The permutations of positions and signs: the first pair shapes the
// opening trial, the second the numbering of the nodes.
void ziehe_permutationen(int l, int n, bool leer) {
  ziehe_permutation(ZAHLENREIHENFOLGE, HILFZAHLREIHENFOLGE, l, nullptr, PERMZ);
  ziehe_permutation(FARBENREIHENFOLGE, HILFFARBREIHENFOLGE, n, nullptr, PERMF);
  PERMF[0] = 0;
  BESTIMME_ANFANG(static_cast<std::uint8_t>(l), static_cast<std::uint8_t>(n), MERKE_WDHG, leer,
                  true);
  ziehe_permutation(ZAHLENREIHENFOLGETM, HILFZAHLREIHENFOLGETM, l, nullptr, PERMZTM);
  ziehe_permutation(FARBENREIHENFOLGETM, HILFFARBREIHENFOLGETM, n, nullptr, PERMFTM);
  PERMFTM[0] = 0;
  stelle_zahlung_ein(l, n, leer);
}

// The number of nodes (every code, the vacant sign included when allowed,
// the all-vacant code not) and of solutions; false when the nodes do not
// fit 31 bits.
bool zaehle_knoten(int l, int n, bool leer, bool wdh, std::uint64_t& knoten,
                   std::uint64_t& loesungen) {
  knoten = 1;
  loesungen = 1;
  for (int i = 0; i < l; ++i) {
    knoten *= basis;
    loesungen *=
        wdh ? static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n > i ? n - i : 0);
    if (knoten > 0x7FFFFFFFu) break;
  }
  if (leer) --knoten;
  return knoten <= 0x7FFFFFFFu && knoten != 0;
}

// The build's working arrays and the solution list; false when the memory
// is not had.
bool hole_aufbauspeicher(std::uint64_t knoten, std::uint64_t loesungen) {
  paare = hole<std::uint32_t>(2 * knoten, 0);
  if (paare) {
    raten_knoten = static_cast<std::uint32_t>(knoten);
    wurf_feld = paare + knoten;
  }
  return paare && raten_loes_anlegen(loesungen);
}

// The enumeration as an odometer over the digits of a node's number,
// position 1 running fastest, with the packed code kept in step. It counts
// the digits in use, so that a solution (no vacant sign, no sign twice
// unless repetition is allowed) is known without looking at the code.
struct Zaehlwerk {
  int l, n, s;  // positions, signs, the lowest digit (0 = vacant sign)
  int d[10];
  int cnt[37] = {};
  int doppelt = 0;  // signs that occur twice or more
  std::uint64_t pos = 0;

  Zaehlwerk(int laenge_, int zeichen, bool leer) : l(laenge_), n(zeichen), s(leer ? 0 : 1) {
    for (int j = 0; j < l; ++j) {
      d[j] = s;
      pos |= static_cast<std::uint64_t>(PERMFTM[s]) << (6 * (PERMZTM[j + 1] - 1));
    }
    cnt[s] = l;
    if (s == 1 && l >= 2) doppelt = 1;
    if (leer) setze(0, 1);
  }

  // Set to node k.
  Zaehlwerk(int laenge_, int zeichen, bool leer, std::uint32_t k)
      : Zaehlwerk(laenge_, zeichen, leer) {
    std::uint32_t v = leer ? k : k - 1;
    for (int j = 0; j < l; ++j) {
      setze(j, static_cast<int>(v % basis) + s);
      v /= basis;
    }
  }

  // Position j (0-based) gets the digit wert.
  void setze(int j, int wert) {
    const int alt = d[j];
    if (cnt[alt]-- == 2 && alt != 0) --doppelt;
    d[j] = wert;
    if (++cnt[wert] == 2 && wert != 0) ++doppelt;
    const int schieb = 6 * (PERMZTM[j + 1] - 1);
    pos = (pos & ~(std::uint64_t{63} << schieb)) | static_cast<std::uint64_t>(PERMFTM[wert])
                                                       << schieb;
  }

  bool ist_loesung(bool leer, bool wdh) const {
    return (!leer || cnt[0] == 0) && (wdh || doppelt == 0);
  }

  // The next code; false after the last.
  bool weiter() {
    if (d[0] < n) {
      setze(0, d[0] + 1);
      return true;
    }
    int j = 1;
    while (j < l && d[j] >= n) ++j;
    if (j >= l) return false;
    setze(j, d[j] + 1);
    for (int i = 0; i < j; ++i) setze(i, s);
    return true;
  }
};

// The progress of the build in stars, a tenth of the nodes each.
struct Aufbaufortschritt {
  std::uint32_t soll = ZAHL_DER_VERSUCHE ? ZAHL_DER_VERSUCHE : 1;
  std::uint64_t naechster_stern = (static_cast<std::uint64_t>(soll) + 9) / 10;

  // The nodes up to k are drawn.
  void bis(std::uint32_t k) {
    GERATENE_VERSUCHE = k;
    SETZEZEITLETZTERVERSUCH = true;
    if (GERATENE_VERSUCHE >= naechster_stern) {
      const std::uint64_t q = raten_fortschritt(soll);
      naechster_stern = q >= 10 ? ~std::uint64_t{0} : ((q + 1) * soll + 9) / 10;
    }
  }
};

// ------------------------------------------------------------ the build on every core
//
// The draws of bucket and place are one stream of random numbers on this
// thread, in node order: node k's bucket b and its place r (drawn among the
// nodes b holds, as its counter steers) go to wurf[k - 1]. MISCHFELD counts
// the nodes of each bucket meanwhile, and at the start of each segment of the
// nodes its counts are kept (`stand`): where that segment's nodes of each
// bucket begin in the bucket's run. The rest is jobs, taken in order by the
// workers while the draws run and by this thread after them:
//   - the first touch of the draws' and the list's memory, and the solution
//     records, node range by node range (any time);
//   - each segment's nodes into their buckets' runs (after the draws);
//   - each bucket range's runs in the order of their drops (after every
//     segment is in).
// A run gets its nodes in creation order however the segments are shared
// out, so the list is the one a single thread builds.

// Nodes a store needs for its build to be shared out among the cores.
constexpr std::uint32_t AUFBAU_PARALLEL_AB = 1u << 16;
constexpr std::uint32_t ABSCHNITTE_MAX = 8;
constexpr std::uint32_t LOES_STUECK = 1u << 20;   // nodes of a job of solution records
constexpr std::size_t BERUEHR_STUECK = 8u << 20;  // bytes of a job of first touches
constexpr std::uint32_t LAUF_STUECK = 1u << 14;   // buckets of a job of replays

enum class Arbeit : std::uint8_t { beruehren, loesungen, verteilen, ordnen };

struct Aufbau {
  int l = 0, n = 0;
  bool leer = false, wdh = false;
  std::uint32_t zahl = 0, eimer = 0;
  std::uint32_t knoten = 0;  // the mask of a node in a run's entry
  bool gepackt = false;
  std::uint32_t abschnitte = 1;
  std::uint32_t grenze[ABSCHNITTE_MAX + 1] = {};  // segment s: nodes grenze[s] .. grenze[s + 1] - 1
  std::uint32_t* stand[ABSCHNITTE_MAX] = {};      // segment s >= 1 (0: MISCHFELD)
  std::uint32_t* stand_block = nullptr;
  // The jobs: [0, beruehr) first touches, then the solution records, the
  // segments and the replays.
  std::uint32_t beruehr = 0, loes = 0, ordnen = 0, jobs = 0;
  std::atomic<std::uint32_t> naechster{0};
  std::atomic<std::uint32_t> erledigt{0};
  std::atomic<std::uint32_t> verteilt{0};  // segments in their runs
  std::atomic<bool> gezogen{false};        // the draws are done, the segments' starts known
  std::atomic<bool> halt{false};
  std::atomic<std::uint64_t> zeichen{0};  // the signs of the solution records
  std::mutex sperre;
  std::condition_variable tor;

  Arbeit art(std::uint32_t i) const {
    if (i < beruehr) return Arbeit::beruehren;
    if (i < beruehr + loes) return Arbeit::loesungen;
    if (i < beruehr + loes + abschnitte) return Arbeit::verteilen;
    return Arbeit::ordnen;
  }
  bool offen(std::uint32_t i) const {
    switch (art(i)) {
      case Arbeit::verteilen:
        return gezogen.load();
      case Arbeit::ordnen:
        return verteilt.load() == abschnitte;
      default:
        return true;
    }
  }
  // Wakes the workers at a gate: the lock orders the change before their
  // look at it.
  void oeffne() {
    sperre.lock();
    sperre.unlock();
    tor.notify_all();
  }
};

// The solutions among the nodes before node k: the numbers below k's whose
// digits are signs (no vacant digit), none twice unless repetition is
// allowed, counted digit by digit from the highest.
std::uint64_t loesungen_vor(std::uint32_t k, int l, bool leer, bool wdh) {
  std::uint64_t v = leer ? k : k - 1;
  std::uint32_t ziffer[9];
  for (int j = 0; j < l; ++j) {
    ziffer[j] = static_cast<std::uint32_t>(v % basis);
    v /= basis;
  }
  const std::uint32_t erste = leer ? 1 : 0;
  const std::uint64_t zeichen = basis - erste;
  bool benutzt[37] = {};
  std::uint64_t summe = 0, gewaehlt = 0;
  for (int j = l - 1; j >= 0; --j) {
    std::uint64_t kleiner = 0;
    for (std::uint32_t x = erste; x < ziffer[j]; ++x) kleiner += wdh || !benutzt[x];
    std::uint64_t weiter = 1;  // ways to fill the j positions below
    for (int i = 0; i < j; ++i)
      weiter *= wdh ? zeichen : (zeichen > gewaehlt + 1 + i ? zeichen - gewaehlt - 1 - i : 0);
    summe += kleiner * weiter;
    if (ziffer[j] < erste || (!wdh && benutzt[ziffer[j]])) return summe;
    benutzt[ziffer[j]] = true;
    ++gewaehlt;
  }
  return summe;
}

// The solution records of the nodes von..bis (from the end of the list, the
// newest node first, as the creation chain runs).
void schreibe_loesungen(Aufbau& a, std::uint32_t von, std::uint32_t bis) {
  Zaehlwerk werk(a.l, a.n, a.leer, von);
  std::uint64_t fuellstand = raten_loes_zahl - loesungen_vor(von, a.l, a.leer, a.wdh);
  std::uint64_t zeichen = 0;
  for (std::uint32_t k = von;; ++k) {
    if (werk.ist_loesung(a.leer, a.wdh) && fuellstand > 0)
      zeichen |= raten_loes_schreibe(static_cast<std::uint32_t>(--fuellstand), werk.pos);
    if (k == bis) break;
    werk.weiter();
  }
  a.zeichen.fetch_or(zeichen);
}

// Segment s's nodes to their places in their buckets' runs, in creation
// order. On this thread the clocks and the keys every JOIN_TAKT nodes.
bool verteile(Aufbau& a, std::uint32_t s, bool hier) {
  const std::uint32_t* const wurf = wurf_feld;
  std::uint32_t* const folge = paare;
  std::uint32_t* const ziel = s == 0 ? MISCHFELD : a.stand[s];
  const std::uint32_t von = a.grenze[s], bis = a.grenze[s + 1];
  constexpr std::uint32_t WEIT = 32;
  for (std::uint32_t k = von; k < bis; ++k) {
    if (k + 2 * WEIT < bis) __builtin_prefetch(&ziel[wurf[k - 1 + 2 * WEIT] >> WURF_BITS]);
    if (k + WEIT < bis) __builtin_prefetch(&folge[ziel[wurf[k - 1 + WEIT] >> WURF_BITS]], 1);
    const std::uint32_t w = wurf[k - 1];
    folge[ziel[w >> WURF_BITS]++] = a.gepackt ? k | (w & 63) << KNOTEN_BITS : k;
    if (hier && k % JOIN_TAKT == 0 && !zwischenhalt()) return false;
  }
  return true;
}

// The runs of the buckets in job j's range, each in the order of its drops.
void ordne(const Aufbau& a, std::uint32_t j) {
  const std::uint32_t* const ende = a.abschnitte == 1 ? MISCHFELD : a.stand[a.abschnitte - 1];
  std::uint32_t* const folge = paare;
  const std::uint32_t von = j * LAUF_STUECK;
  const std::uint32_t bis = a.eimer - von > LAUF_STUECK ? von + LAUF_STUECK : a.eimer;
  std::uint32_t anfang = von ? ende[von - 1] : 0;
  for (std::uint32_t b = von; b < bis; ++b) {
    const std::uint32_t c = ende[b] - anfang;
    if (c >= 2) {
      lauf_ordnen(folge + anfang, c, a.knoten);
    } else if (c == 1) {
      folge[anfang] &= a.knoten;
    }
    anfang = ende[b];
  }
}

// Backs job j's part of the draws' and of the list's memory now; the
// draws may be writing there meanwhile (the system backs a page without a
// write, where it can).
void beruehre(const Aufbau& a, std::uint32_t j) {
  const std::size_t bytes = static_cast<std::size_t>(a.zahl) * 8;
  const std::size_t von = j * BERUEHR_STUECK;
  memory_prefault(reinterpret_cast<char*>(paare) + von,
                  bytes - von > BERUEHR_STUECK ? BERUEHR_STUECK : bytes - von);
}

// Job i; false when Esc or Ctrl-C stopped it (only on this thread).
bool erledige(Aufbau& a, std::uint32_t i, bool hier) {
  switch (a.art(i)) {
    case Arbeit::beruehren:
      beruehre(a, i);
      break;
    case Arbeit::loesungen: {
      const std::uint32_t von = (i - a.beruehr) * LOES_STUECK + 1;
      const std::uint32_t bis = a.zahl - (von - 1) > LOES_STUECK ? von - 1 + LOES_STUECK : a.zahl;
      schreibe_loesungen(a, von, bis);
      break;
    }
    case Arbeit::verteilen: {
      if (!verteile(a, i - a.beruehr - a.loes, hier)) return false;
      if (a.verteilt.fetch_add(1) + 1 == a.abschnitte) a.oeffne();
      break;
    }
    case Arbeit::ordnen:
      ordne(a, i - a.beruehr - a.loes - a.abschnitte);
      break;
  }
  a.erledigt.fetch_add(1);
  return true;
}

void aufbau_arbeiter(void* daten) {
  Aufbau& a = *static_cast<Aufbau*>(daten);
  for (;;) {
    const std::uint32_t i = a.naechster.fetch_add(1);
    if (i >= a.jobs) return;
    {
      std::unique_lock<std::mutex> l(a.sperre);
      a.tor.wait(l, [&] { return a.halt.load() || a.offen(i); });
    }
    if (a.halt.load()) return;
    erledige(a, i, false);
    arbeiter_melden();
  }
}

// This thread's share after the draws: the jobs left, the clocks and the
// keys between them and while it waits. False on Esc or Ctrl-C.
bool aufbau_mitarbeiten(Aufbau& a) {
  std::uint64_t gesehen = 0;
  for (;;) {
    const std::uint32_t i = a.naechster.fetch_add(1);
    if (i >= a.jobs) break;
    while (!a.offen(i)) {
      arbeiter_warten(gesehen, 10);
      if (!zwischenhalt()) return false;
    }
    if (!erledige(a, i, true) || !zwischenhalt()) return false;
  }
  while (a.erledigt.load() < a.jobs) {
    arbeiter_warten(gesehen, 10);
    if (!zwischenhalt()) return false;
  }
  return true;
}

// The segments and the jobs of a build on `faeden` threads (this one
// included); the segments' tables from the budget, else one segment.
void plane(Aufbau& a, std::uint32_t faeden) {
  a.knoten = a.gepackt ? (1u << KNOTEN_BITS) - 1 : ~0u;
  a.abschnitte = faeden > 1 ? (2 * faeden < ABSCHNITTE_MAX ? 2 * faeden : ABSCHNITTE_MAX) : 1;
  if (a.abschnitte > 1) {
    a.stand_block = hole<std::uint32_t>(static_cast<std::size_t>(a.abschnitte - 1) * a.eimer, 2);
    if (!a.stand_block) a.abschnitte = 1;
  }
  for (std::uint32_t s = 1; s < a.abschnitte; ++s)
    a.stand[s] = a.stand_block + static_cast<std::size_t>(s - 1) * a.eimer;
  // Segment borders at whole steps of the draws, where the counts are kept.
  for (std::uint32_t s = 0; s <= a.abschnitte; ++s) {
    const std::uint64_t k = static_cast<std::uint64_t>(a.zahl) * s / a.abschnitte;
    a.grenze[s] = s == a.abschnitte ? a.zahl + 1
                                    : static_cast<std::uint32_t>(k / AUFBAU_TAKT * AUFBAU_TAKT + 1);
  }
  a.beruehr =
      faeden > 1 ? static_cast<std::uint32_t>(
                       (static_cast<std::size_t>(a.zahl) * 8 + BERUEHR_STUECK - 1) / BERUEHR_STUECK)
                 : 0;
  a.loes = (a.zahl + LOES_STUECK - 1) / LOES_STUECK;
  a.ordnen = (a.eimer + LAUF_STUECK - 1) / LAUF_STUECK;
  a.jobs = a.beruehr + a.loes + a.abschnitte + a.ordnen;
}

// The draws, one stream in node order: the buckets VORAUS nodes ahead, so
// that their counters are on their way to the cache when they are needed,
// then the place among the nodes the bucket holds. The counts of the
// buckets are kept at each segment's start; the clocks, the keys and the
// progress every AUFBAU_TAKT nodes from the first on. False on Esc or
// Ctrl-C.
bool ziehe(Aufbau& a) {
  constexpr std::uint32_t VORAUS = 32;
  const std::uint32_t zahl = a.zahl, eimer = raten_eimer;
  std::uint32_t* const wurf = wurf_feld;
  Aufbaufortschritt fortschritt;
  Zufall z = zufall_holen();
  std::uint32_t vorrat[VORAUS];
  for (std::uint32_t i = 0; i < VORAUS && i < zahl; ++i) {
    vorrat[i] = z.unter(eimer);
    __builtin_prefetch(&MISCHFELD[vorrat[i]], 1);
  }
  std::uint32_t s = 1;
  for (std::uint32_t k = 1; k <= zahl;) {
    zufall_zurueck(z);
    if (!zwischenhalt()) return false;
    for (; s < a.abschnitte && a.grenze[s] == k; ++s)
      std::memcpy(a.stand[s], MISCHFELD, static_cast<std::size_t>(a.eimer) * 4);
    const std::uint32_t bis = zahl - k >= AUFBAU_TAKT ? k + AUFBAU_TAKT : zahl + 1;
    for (; k < bis; ++k) {
      const std::uint32_t platz = (k - 1) % VORAUS;
      const std::uint32_t b = vorrat[platz];
      if (k + VORAUS <= zahl) {
        const std::uint32_t neu = z.unter(eimer);
        vorrat[platz] = neu;
        __builtin_prefetch(&MISCHFELD[neu], 1);
      }
      const std::uint32_t im_eimer = MISCHFELD[b];
      const std::uint32_t r = im_eimer ? z.unter(eimer_n(im_eimer) + 1) : 0;
      MISCHFELD[b] = im_eimer + 1;
      wurf[k - 1] = b << WURF_BITS | r;
    }
    fortschritt.bis(bis - 1);
  }
  zufall_zurueck(z);
  VERSLOE = zahl;
  return true;
}

// Where each bucket's run begins, and each segment's part of it; the
// counters as the drops left them.
void runs_anlegen(Aufbau& a) {
  std::uint32_t summe = 0;
  for (std::uint32_t b = 0; b < a.eimer; ++b) {
    const std::uint32_t c = MISCHFELD[b];
    if (c) MISCHZ[b] = eimer_zaehler(c);
    MISCHFELD[b] = summe;
    for (std::uint32_t s = 1; s < a.abschnitte; ++s) a.stand[s][b] += summe;
    summe += c;
  }
}

// Every code once: the solutions into the solution list, every node dropped
// into a bucket, the buckets joined into the trial list, on the threads
// there are. False on Esc or Ctrl-C.
bool baue_liste(int l, int n, bool leer, bool wdh, std::uint32_t zahl) {
  Aufbau a;
  a.l = l;
  a.n = n;
  a.leer = leer;
  a.wdh = wdh;
  a.zahl = zahl;
  a.eimer = raten_eimer < MISCHGROESSE ? raten_eimer : MISCHGROESSE;
  a.gepackt = zahl < (1u << KNOTEN_BITS);
  // Threads asked for are used whatever the size.
  const std::uint32_t faeden =
      raten_faeden || zahl >= AUFBAU_PARALLEL_AB ? arbeiter_zahl_fuer_suche() : 1;
  plane(a, faeden);
  if (faeden > 1) arbeiter_starten(faeden - 1, aufbau_arbeiter, &a);
  bool ganz = ziehe(a);
  if (ganz) {
    runs_anlegen(a);
    a.gezogen = true;
    a.oeffne();
    ganz = aufbau_mitarbeiten(a);
  }
  a.halt = true;
  a.oeffne();
  arbeiter_beenden();
  if (a.stand_block)
    raten_gib_frei(a.stand_block, static_cast<std::size_t>(a.abschnitte - 1) * a.eimer * 4);
  raten_loes_zeichen |= a.zeichen.load();
  raten_loes_zeichen_genau = false;
  return ganz;
}

// Outside a build every bucket is empty.
[[maybe_unused]] bool eimer_leer() {
  const std::uint32_t n = raten_eimer < MISCHGROESSE ? raten_eimer : MISCHGROESSE;
  for (std::uint32_t b = 0; b < n; ++b)
    if (MISCHFELD[b] != 0) return false;
  return true;
}

// The first half of the working arrays, sorted by bucket, stays as the
// trial list; the draws go.
void behalte_versuchsliste(std::uint32_t zahl) {
  void* klein = std::realloc(paare, static_cast<std::size_t>(zahl) * 4);
  raten_folge = klein ? static_cast<std::uint32_t*>(klein) : paare;
  paare = wurf_feld = nullptr;
  raten_belegt -= static_cast<std::size_t>(zahl) * 4;
  raten_anfang = 0;
  assert(zahl == raten_knoten);
  ZAHLGESAMTVERSUCHE = zahl;
  raten_enden();
}

}  // namespace

void INIT_RATEN(bool& ok) {
  const int l = X.laenge;
  const int n = MAXFARBE;
  const bool leer = X.leerzeichen != 0;
  const bool wdh = X.wiederholung != 0;
  assert(eimer_leer());
  ok = true;
  OK = true;
  setze_farbgrenzen(l, n, leer);
  setze_aufbau_zurueck();
  if (!laenge_passt(l, n)) return abbrechen(ok);
  ziehe_permutationen(l, n, leer);

  std::uint64_t knoten = 0, loesungen = 0;
  if (!zaehle_knoten(l, n, leer, wdh, knoten, loesungen)) return abbrechen(ok);
  if (!hole_aufbauspeicher(knoten, loesungen)) return abbrechen(ok);
  const auto zahl = static_cast<std::uint32_t>(knoten);
  if (!baue_liste(l, n, leer, wdh, zahl)) return abbrechen(ok);
  behalte_versuchsliste(zahl);

  if (!zwischenhalt()) return abbrechen(ok);
  ERLAUBT = raten_loes_zahl ? raten_pos_knoten(raten_loes_pos(0)) : 0;
  if (!zwischenhalt()) return abbrechen(ok);
  ZEITLIMIT_GR_0 = ZEITLIMIT > 0;
  // The trial list holds every node built (the conditions' count leaves the
  // vacant sign out for a single sign).
  ZAHLGESAMTVERSUCHE = zahl;
  assert(raten_loes_zahl <= raten_loes_platz && raten_loes_zahl <= zahl);
}
