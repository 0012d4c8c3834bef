// The build of the encoder's list of codes: every code once, in a fixed order,
// written into the blocks of the pool by the worker threads while the main
// thread keeps the clocks, reads the keys and draws the stars.
//
// The order: with repetition an odometer, position 1 running fastest, from
// (1, ..., 1) to (n, ..., n); without repetition every arrangement of distinct
// signs, position L slowest and the signs of each position falling from n. The
// list is cut into runs, the codes that share their high positions m+1..L
// while the low positions 1..m cycle; every run has the same length, and the
// high positions of run r follow from r alone. So any stretch of whole runs
// can be written on its own, on any thread, into its place in the pool.
#include <cstdlib>
#include <cstring>

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {

constexpr int FELD = 6;                     // bits per position of a packed code
constexpr std::uint32_t LAUF_MAX = 4096;    // codes of a run at most
constexpr std::uint32_t STUECK = 1u << 16;  // codes of a piece of work, about
constexpr std::uint64_t RUNDEN = 10;        // one round per tenth: the stars between them

struct Aufbau {
  int l = 0, n = 0;  // positions and signs
  bool wdh = true;
  int m = 1;                       // low positions that cycle within a run
  std::uint32_t ziel = 0;          // codes to build
  std::uint32_t lauf = 1;          // codes of a run
  std::uint32_t stueck = 1;        // codes of a piece, whole runs
  std::uint32_t von = 0, bis = 0;  // the codes of the current round
  std::uint64_t tief[LAUF_MAX];    // with repetition: the low positions of each code of a run

  // The next block of the pool, with the memory accounting; false when the
  // allocator or the machine has no room for it.
  bool neuer_block() {
    const std::uint32_t b = mogel_zahl_bloecke;
    if (b >= MOGEL_MAX_BLOECKE) return false;
    if (mogel_fehler_bei_block >= 0 && static_cast<std::int64_t>(b) == mogel_fehler_bei_block)
      return false;
    const std::uint64_t rest =
        static_cast<std::uint64_t>(ziel) - static_cast<std::uint64_t>(b) * MOGEL_BLOCK;
    // The rest of the list must fit in what the machine can back: asked at
    // the first block and every 16 MiB (the question reads system files).
    if (b % 32 == 0 && !memory_fits(rest * sizeof(std::uint64_t))) return false;
    const std::uint64_t n = rest < MOGEL_BLOCK ? rest : MOGEL_BLOCK;
    void* block = std::malloc(n * sizeof(std::uint64_t));
    if (!block) return false;
    mogel_bloecke[b] = static_cast<std::uint64_t*>(block);
    mogel_zahl_bloecke = b + 1;
    mogel_belegt += n * sizeof(std::uint64_t);
    if (mogel_belegt > mogel_belegt_max) mogel_belegt_max = mogel_belegt;
    return true;
  }

  // Choices of position p (1..L) once the positions above it are set.
  std::uint32_t wahl(int p) const { return static_cast<std::uint32_t>(wdh ? n : n - (l - p)); }

  // The run: as many low positions as keep it within a 128th of the list
  // (so that the tenths fall near run borders) and within LAUF_MAX codes.
  // Without repetition positions 2 and 1 always cycle together.
  void waehle_lauf() {
    std::uint64_t grenze = ziel / 128;
    if (grenze > LAUF_MAX) grenze = LAUF_MAX;
    m = wdh ? 1 : 2;
    lauf = 1;
    for (int p = 1; p <= m; ++p) lauf *= wahl(p);
    while (m < l && static_cast<std::uint64_t>(lauf) * wahl(m + 1) <= grenze) lauf *= wahl(++m);
    stueck = (STUECK / lauf > 0 ? STUECK / lauf : 1) * lauf;
    if (!wdh) return;
    for (std::uint32_t j = 0; j < lauf; ++j) {
      std::uint64_t x = 0;
      for (std::uint32_t p = 0, q = j; p < static_cast<std::uint32_t>(m); ++p, q /= n)
        x |= static_cast<std::uint64_t>(q % n + 1) << (FELD * p);
      tief[j] = x;
    }
  }

  // The high positions m+1..L of run r; benutzt gets their signs (bit s).
  std::uint64_t hoch(std::uint32_t r, std::uint64_t& benutzt) const {
    std::uint32_t ziffer[10];
    for (int p = m + 1; p <= l; ++p) {
      ziffer[p] = r % wahl(p);
      r /= wahl(p);
    }
    std::uint64_t x = 0;
    benutzt = 0;
    for (int p = l; p > m; --p) {
      std::uint32_t s = ziffer[p] + 1;
      if (!wdh) {  // the ziffer-th largest sign still free
        s = static_cast<std::uint32_t>(n);
        for (std::uint32_t d = ziffer[p];; --s)
          if (!(benutzt >> s & 1) && d-- == 0) break;
      }
      x |= static_cast<std::uint64_t>(s) << (FELD * (p - 1));
      benutzt |= std::uint64_t{1} << s;
    }
    return x;
  }

  // The codes of run r into aus (lauf of them).
  void schreibe_lauf(std::uint32_t r, std::uint64_t* aus) const {
    std::uint64_t benutzt;
    const std::uint64_t x = hoch(r, benutzt);
    if (wdh) {
      for (std::uint32_t j = 0; j < lauf; ++j) aus[j] = x | tief[j];
    } else {
      ohne_wiederholung(m, x, benutzt, aus);
    }
  }

  // The arrangements of the free signs on positions pos..1 after x, in order;
  // the last two positions from the list of the free signs.
  std::uint64_t* ohne_wiederholung(int pos, std::uint64_t x, std::uint64_t benutzt,
                                   std::uint64_t* aus) const {
    if (pos > 2) {
      for (int s = n; s >= 1; --s)
        if (!(benutzt >> s & 1))
          aus = ohne_wiederholung(pos - 1, x | static_cast<std::uint64_t>(s) << (FELD * (pos - 1)),
                                  benutzt | std::uint64_t{1} << s, aus);
      return aus;
    }
    std::uint64_t frei[36];
    int k = 0;
    for (int s = n; s >= 1; --s)
      if (!(benutzt >> s & 1)) frei[k++] = static_cast<std::uint64_t>(s);
    for (int i = 0; i < k; ++i) {
      const std::uint64_t y = x | frei[i] << FELD;
      for (int j = 0; j < i; ++j) *aus++ = y | frei[j];
      for (int j = i + 1; j < k; ++j) *aus++ = y | frei[j];
    }
    return aus;
  }
};

// The pool's stretch of codes i..ende-1, block by block: f(first word, words).
template <class F>
void je_block(std::uint32_t i, std::uint32_t ende, F f) {
  while (i < ende) {
    std::uint64_t* z = mogel_bloecke[i >> MOGEL_BLOCK_BITS] + (i & (MOGEL_BLOCK - 1));
    const std::uint32_t platz = MOGEL_BLOCK - (i & (MOGEL_BLOCK - 1));
    const std::uint32_t k = ende - i < platz ? ende - i : platz;
    f(z, k);
    i += k;
  }
}

// Piece s of the current round, on whichever thread takes it.
void fuelle_stueck(std::uint32_t s, void* daten) {
  const Aufbau& a = *static_cast<const Aufbau*>(daten);
  const std::uint32_t anfang = a.von + s * a.stueck;
  const std::uint32_t ende = a.bis - anfang < a.stueck ? a.bis : anfang + a.stueck;
  // The fresh pages in one call each block: cheaper than a fault per page.
  je_block(anfang, ende, [](std::uint64_t* z, std::uint32_t k) {
    memory_prefault(z, k * sizeof(std::uint64_t));
  });
  std::uint64_t puffer[LAUF_MAX];
  std::uint32_t drin = 0, i = anfang;
  const auto ablegen = [&] {
    const std::uint64_t* q = puffer;
    je_block(i, i + drin, [&q](std::uint64_t* z, std::uint32_t k) {
      std::memcpy(z, q, k * sizeof(std::uint64_t));
      q += k;
    });
    i += drin;
    drin = 0;
  };
  for (std::uint32_t r = anfang / a.lauf; r < ende / a.lauf; ++r) {
    if (drin + a.lauf > LAUF_MAX) ablegen();
    a.schreibe_lauf(r, puffer + drin);
    drin += a.lauf;
  }
  ablegen();
}

// The rounds: before each the clocks, the keys and the blocks it needs; the
// pieces on the workers; after it the count and the stars. False when a key
// or the memory stopped the build.
bool baue(Aufbau& a, int cx, int cy) {
  const std::uint32_t faeden = arbeiter_zahl_fuer_suche();
  std::uint32_t fertig = 0;
  for (std::uint64_t r = 1; r <= RUNDEN; ++r) {
    const std::uint64_t zehntel = (a.ziel * r + RUNDEN - 1) / RUNDEN;
    const auto bis = static_cast<std::uint32_t>((zehntel + a.lauf - 1) / a.lauf * a.lauf);
    if (bis <= fertig) continue;
    SCHREIBE_ZEIT_ORB();
    if (abbruch_abfragen()) return false;
    while (static_cast<std::uint64_t>(mogel_zahl_bloecke) * MOGEL_BLOCK < bis)
      if (!a.neuer_block()) return false;
    a.von = fertig;
    a.bis = bis;
    const std::uint32_t stuecke = (bis - fertig + a.stueck - 1) / a.stueck;
    if (!arbeiter_teilen(stuecke, fuelle_stueck, &a, faeden < stuecke ? faeden : stuecke))
      return false;
    fertig = bis;
    ERLLOE = ERL = GERATENE_VERSUCHE = fertig;
    raten_fortschritt(ZAHL_DER_VERSUCHE);
    GOTOXY(cx, cy);
  }
  return true;
}

}  // namespace

void INIT_NICHT_FEST(bool& ok) {
  ok = true;
  const int l = X.laenge;
  const int n = MAXFARBE;
  ENDFARBEPL1 = static_cast<std::uint8_t>(l + 1);
  ERL_FARBE[0] = false;
  for (int s = 1; s <= 36; ++s) ERL_FARBE[s] = s <= n;
  mogeln_speicher_freigeben();
  ZAHL_DER_STERNE = 0;
  GERATENE_VERSUCHE = 0;
  ZAHLGESAMTVERSUCHE = ZAHL_DER_VERSUCHE = NUMMER_PLUS = static_cast<std::uint32_t>(MEMLOES);
  ZEITLIMIT_GR_0 = false;
  ZEIT_GERATEN_KL100 = true;
  NEUER_KANDIDAT = false;
  SETZE_RATE_ZEIT_AKT = true;
  SETZEZEITLETZTERVERSUCH = true;
  NOTINVERS = false;
  RATEN_ZEITANZEIGE = true;

  Aufbau a;
  a.l = l;
  a.n = n;
  a.wdh = X.wiederholung;
  mogel_ohne_wdh = !X.wiederholung;
  std::uint64_t zahl = 1;
  for (int i = 0; i < l; ++i)
    zahl *= X.wiederholung ? n : static_cast<std::uint64_t>(n > i ? n - i : 0);
  a.ziel = zahl > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(zahl);
  if (ZAHL_DER_VERSUCHE == 0) ZAHL_DER_VERSUCHE = a.ziel;

  const bool moeglich = l >= 2 && l <= 9 && n >= 1 && n <= 36 && zahl > 0 &&
                        zahl <= static_cast<std::uint64_t>(MOGEL_BLOCK) * MOGEL_MAX_BLOECKE;
  if (moeglich) a.waehle_lauf();
  if (!moeglich || !baue(a, WHEREX(), WHEREY()) || ERLLOE == 0) {
    ok = false;
    abbruch_aufraeumen(A);
    return;
  }
  RATEN_ZEITANZEIGE = false;
  NOTINVERS = true;
  const int wx = WHEREX(), wy = WHEREY();
  GOTOXY(1, 25);
  WRITE(SP_D ? "Loesung:                Benoetigte Versuche:            Neues Spiel? Ja.       "
             : "Answer:                       Trials made:                 New Game? Yes.      ");
  GOTOXY(wx, wy);
}
