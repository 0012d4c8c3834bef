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
#include <sys/mman.h>

#include <cassert>
#include <cstdlib>
#include <cstring>

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

void grosse_seiten(void* p, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  if (bytes >= GROSSE_SEITE) madvise(p, bytes, MADV_HUGEPAGE);
#else
  (void)p;
  (void)bytes;
#endif
}

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
// `folge` ends.
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

// Runs up to KURZ nodes are replayed without branches on the places: each
// drop rebuilds the run from one half of `puffer` into the other (slot 0 of
// a half stays unused), over whole groups of four slots.
constexpr std::uint32_t KURZ = 64;
using Puffer = std::int32_t[2][KURZ + 8];

// Node k goes to slot r + 1 of `neu`; the slots below keep their node, the
// slots above take the node below them in `alt`. Four slots at a time.
using Vier = std::int32_t __attribute__((vector_size(16)));
inline void einfuegen(const std::int32_t* alt, std::int32_t* neu, std::int32_t bis, std::int32_t r,
                      std::int32_t k) {
  Vier j = {0, 1, 2, 3};
  for (std::int32_t q = 0; q < bis; q += 4) {
    Vier hier, unten;
    std::memcpy(&hier, alt + q + 1, sizeof hier);
    std::memcpy(&unten, alt + q, sizeof unten);
    const Vier davor = j < r;
    const Vier gleich = j == r;
    const Vier v = (hier & davor) | (k & gleich) | (unten & ~(davor | gleich));
    std::memcpy(neu + q + 1, &v, sizeof v);
    j += 4;
  }
}

// In stores below 2^KNOTEN_BITS nodes a run's entry carries the node's
// place in its bucket above the node (cut to six bits: only runs up to
// KURZ nodes read it there).
constexpr int KNOTEN_BITS = 26;
static_assert(KURZ <= 64);

// Puts the run f[0..c) of one bucket (c >= 2), its nodes in creation order,
// in the order of their drops. `knoten` masks the node out of an entry.
void lauf_ordnen(std::uint32_t* f, std::uint32_t c, std::uint32_t knoten, Puffer& puffer) {
  const std::uint32_t* const wurf = wurf_feld;
  if (c <= KURZ && knoten != ~0u) {
    puffer[0][1] = static_cast<std::int32_t>(f[0] & knoten);
    for (std::uint32_t i = 1; i < c; ++i) {
      const std::uint32_t k = f[i] & knoten, r = f[i] >> KNOTEN_BITS;
      einfuegen(puffer[(i - 1) % 2], puffer[i % 2], static_cast<std::int32_t>((i + 4) & ~3u),
                static_cast<std::int32_t>(r), static_cast<std::int32_t>(k));
    }
    const std::int32_t* const fertig = puffer[(c - 1) % 2] + 1;
    for (std::uint32_t i = 0; i < c; ++i) f[i] = static_cast<std::uint32_t>(fertig[i]);
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

// Sorts the nodes 1..zahl by bucket and replays each bucket's drops in its
// own run: the runs in bucket order are the trial list. False on Esc or
// Ctrl-C.
bool eimer_verbinden(std::uint32_t zahl) {
  const std::uint32_t* const wurf = wurf_feld;
  std::uint32_t* const folge = paare;
  const std::uint32_t eimer = raten_eimer < MISCHGROESSE ? raten_eimer : MISCHGROESSE;
  const bool gepackt = zahl < (1u << KNOTEN_BITS);
  const std::uint32_t knoten = gepackt ? (1u << KNOTEN_BITS) - 1 : ~0u;
  constexpr std::uint32_t WEIT = 32;

  // Where each bucket's run begins; the counters as the drops left them.
  std::uint32_t summe = 0;
  for (std::uint32_t b = 0; b < eimer; ++b) {
    const std::uint32_t c = MISCHFELD[b];
    if (c) MISCHZ[b] = eimer_zaehler(c);
    MISCHFELD[b] = summe;
    summe += c;
  }

  // Every node into its bucket's run, in creation order.
  for (std::uint32_t k = 1; k <= zahl; ++k) {
    if (k + 2 * WEIT <= zahl) __builtin_prefetch(&MISCHFELD[wurf[k - 1 + 2 * WEIT] >> WURF_BITS]);
    if (k + WEIT <= zahl) __builtin_prefetch(&folge[MISCHFELD[wurf[k - 1 + WEIT] >> WURF_BITS]], 1);
    const std::uint32_t w = wurf[k - 1];
    folge[MISCHFELD[w >> WURF_BITS]++] = gepackt ? k | (w & 63) << KNOTEN_BITS : k;
    if (k % JOIN_TAKT == 0 && !zwischenhalt()) return false;
  }

  // Each run in the order of its drops.
  std::uint32_t anfang = 0;
  Puffer puffer = {};
  for (std::uint32_t b = 0; b < eimer; ++b) {
    const std::uint32_t ende = MISCHFELD[b];
    if (ende - anfang >= 2) {
      lauf_ordnen(folge + anfang, ende - anfang, knoten, puffer);
    } else if (ende != anfang) {
      folge[anfang] &= knoten;
    }
    if (anfang / JOIN_TAKT != ende / JOIN_TAKT && !zwischenhalt()) return false;
    anfang = ende;
  }

  return true;
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
    if (p) grosse_seiten(p, platz);
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
    grosse_seiten(MISCHFELD, sizeof MISCHFELD);
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

// The buckets are drawn ahead, so that their counters are on their way to
// the cache when they are needed.
struct Eimervorrat {
  static constexpr std::uint32_t VORAUS = 32;
  std::uint32_t vorrat[VORAUS];
  std::uint32_t zahl;

  explicit Eimervorrat(std::uint32_t knoten) : zahl(knoten) {
    for (std::uint32_t i = 0; i < VORAUS && i < zahl; ++i) {
      vorrat[i] = Random(raten_eimer);
      __builtin_prefetch(&MISCHFELD[vorrat[i]], 1);
    }
  }

  // The bucket of node k; the draw for node k + VORAUS takes its slot.
  std::uint32_t eimer_fuer(std::uint32_t k) {
    const std::uint32_t platz = (k - 1) % VORAUS;
    const std::uint32_t b = vorrat[platz];
    if (k + VORAUS <= zahl) {
      const std::uint32_t neu = Random(raten_eimer);
      vorrat[platz] = neu;
      __builtin_prefetch(&MISCHFELD[neu], 1);
    }
    return b;
  }
};

// Node k into bucket b at a place drawn among the nodes already there; the
// drops are replayed when the buckets are joined.
inline void werfe(std::uint32_t k, std::uint32_t b) {
  const std::uint32_t im_eimer = MISCHFELD[b];
  const std::uint32_t r = im_eimer ? Random(eimer_n(im_eimer) + 1) : 0;
  MISCHFELD[b] = im_eimer + 1;
  wurf_feld[k - 1] = b << WURF_BITS | r;
}

// The progress of the build in stars, a tenth of the nodes each.
struct Aufbaufortschritt {
  std::uint32_t soll = ZAHL_DER_VERSUCHE ? ZAHL_DER_VERSUCHE : 1;
  std::uint64_t naechster_stern = (static_cast<std::uint64_t>(soll) + 9) / 10;

  void knoten_fertig() {
    ++GERATENE_VERSUCHE;
    SETZEZEITLETZTERVERSUCH = true;
    if (GERATENE_VERSUCHE >= naechster_stern) {
      const std::uint64_t q = raten_fortschritt(soll);
      naechster_stern = q >= 10 ? ~std::uint64_t{0} : ((q + 1) * soll + 9) / 10;
    }
  }
};

// Every code once: the solutions into the solution list (from its end), and
// every node dropped into a bucket, the clock and the keys every
// AUFBAU_TAKT nodes from the first on.
// gezogen: the nodes dropped. False on Esc or Ctrl-C.
bool zaehle_auf(int l, int n, bool leer, bool wdh, std::uint32_t zahl, std::uint32_t& gezogen) {
  Zaehlwerk werk(l, n, leer);
  Eimervorrat eimer(zahl);
  Aufbaufortschritt fortschritt;
  std::uint32_t fuellstand = raten_loes_zahl;
  for (std::uint32_t k = 1; k <= zahl; ++k) {
    if ((k - 1) % AUFBAU_TAKT == 0 && !zwischenhalt()) return false;
    if (werk.ist_loesung(leer, wdh) && fuellstand > 0) raten_loes_setze(--fuellstand, werk.pos);
    VERSLOE = k;
    werfe(k, eimer.eimer_fuer(k));
    gezogen = k;
    fortschritt.knoten_fertig();
    if (k == zahl || !werk.weiter()) break;
  }
  return true;
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
void behalte_versuchsliste(std::uint32_t zahl, std::uint32_t gezogen) {
  void* klein = std::realloc(paare, static_cast<std::size_t>(zahl) * 4);
  raten_folge = klein ? static_cast<std::uint32_t*>(klein) : paare;
  paare = wurf_feld = nullptr;
  raten_belegt -= static_cast<std::size_t>(zahl) * 4;
  raten_anfang = 0;
  assert(gezogen == zahl && zahl == raten_knoten);
  ZAHLGESAMTVERSUCHE = gezogen;
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
  std::uint32_t gezogen = 0;
  if (!zaehle_auf(l, n, leer, wdh, zahl, gezogen)) return abbrechen(ok);
  if (!eimer_verbinden(gezogen)) return abbrechen(ok);
  behalte_versuchsliste(zahl, gezogen);

  if (!zwischenhalt()) return abbrechen(ok);
  ERLAUBT = raten_loes_zahl ? raten_pos_knoten(raten_loes_pos(0)) : 0;
  if (!zwischenhalt()) return abbrechen(ok);
  ZEITLIMIT_GR_0 = ZEITLIMIT > 0;
  // The trial list holds every node built (the conditions' count leaves the
  // vacant sign out for a single sign).
  ZAHLGESAMTVERSUCHE = zahl;
  assert(raten_loes_zahl <= raten_loes_platz && raten_loes_zahl <= zahl);
}
