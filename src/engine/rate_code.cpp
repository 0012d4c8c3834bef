// The computer's trial choice: the search over the trial list (each trial
// scored against the solution list), the reduction to one trial per exchange
// class of unplayed signs, the forced decision and the time limit.
//
// Phases of a turn. RATE_CODE sets RATENDRAN and clears F6_GEDR; one or two
// trials left are played at once. Otherwise, outside the opening
// (AEQUI_KLASSE), the pre-pass marks one trial per exchange class; then the
// search runs with RATEN_ZEITANZEIGE set: on this thread, or on workers that
// only score blocks of the list while this thread replays the finished
// blocks in list order, keeps the clocks and reads the keys. F4/F6 (F6_GEDR)
// or the time limit decide early; Esc or Ctrl-C end the game
// (abbruch_aufraeumen). The trial goes on the board, RATENDRAN is cleared,
// and the answer narrows the lists (raten_antwort_und_verengung).
//
// Invariants: the chosen trial, its tie draws and the random numbers used
// are those of the search on one thread; no worker outlives its search; a
// search stopped early leaves the trials not looked at at the list's start.
#include <atomic>
#include <cassert>
#include <climits>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {
void schreibe_pos(std::uint64_t pos) {
  const code c = raten_pos_code(pos);
  for (int i = 1; i <= X.laenge; ++i) WRITE(c[i]);
}

void abbrechen(unsigned char& taste) {
  RATEN_ZEITANZEIGE = false;
  abbruch_aufraeumen(taste);
}

// The rank of each sign in the reduction: 0 = free (played, or the vacant
// sign), AUS = excluded, 1.. = its place among the ordered unplayed signs.
constexpr std::uint8_t AUS = 255;
using Raenge = std::uint8_t[64];

// A trial is canonical when it holds no excluded sign and the ordered signs
// it holds are the first ones of their order, first met in that order.
bool kanonisch(std::uint64_t pos, int l, const Raenge& rang) {
  unsigned erwartet = 1;
  bool ja = true;
  for (int i = 0; i < l; ++i) {  // without branches: the outcome is hard to foresee
    const unsigned r = rang[(pos >> (6 * i)) & 63];
    ja &= r <= erwartet;  // a later sign of the order (or an excluded one) too early
    erwartet += r == erwartet;
  }
  return ja;
}

#if defined(__x86_64__)
// The same test for eight trials of length up to 8 at once (AVX-512 BW and
// VBMI), bit j for pos[j]: each code's fields spread to the bytes of its
// word and their ranks looked up with one byte permutation. A trial is
// canonical when no rank is more than one above the largest before it (an
// excluded sign's 255 always is).
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) unsigned kanonisch_acht(
    const std::uint64_t* pos, int l, const Raenge& rang) {
  // (The intrinsics that leave lanes undefined are avoided: they warn.)
  constexpr __mmask8 ALLE = 0xFF;
  const __m512i felder = _mm512_maskz_multishift_epi64_epi8(
      ~__mmask64{0}, _mm512_set1_epi64(0x2A241E18120C0600), _mm512_loadu_si512(pos));
  const __mmask64 gueltig = 0x0101010101010101ull * ((1u << l) - 1);
  const __m512i r = _mm512_maskz_permutexvar_epi8(gueltig, felder, _mm512_loadu_si512(rang));
  __m512i m = _mm512_max_epu8(r, _mm512_maskz_slli_epi64(ALLE, r, 8));
  m = _mm512_max_epu8(m, _mm512_maskz_slli_epi64(ALLE, m, 16));
  m = _mm512_max_epu8(m, _mm512_maskz_slli_epi64(ALLE, m, 32));
  const __m512i erlaubt =
      _mm512_adds_epu8(_mm512_maskz_slli_epi64(ALLE, m, 8), _mm512_set1_epi8(1));
  const __m512i zu_gross = _mm512_subs_epu8(r, erlaubt);
  return ~static_cast<unsigned>(_mm512_test_epi64_mask(zu_gross, zu_gross)) & 0xFFu;
}
#endif

// The count of the canonical trials, in pieces of the list that the
// workers may share: each piece marks its entries and counts for itself.
constexpr std::uint32_t VORPASS_STUECK = 1u << 14;
struct VorpassTeil {
  std::uint32_t zahl = 0;
  std::uint32_t erster = 0;     // the first canonical node of the piece
  std::uint32_t v_platz = ~0u;  // where the trial of the drawn order stands
};
struct Vorpass {
  const Raenge* rang;
  int l;
  bool mit_v;
  std::uint64_t v_pos;
  bool acht;  // eight trials at once (kanonisch_acht)
  std::vector<VorpassTeil> teile;
};

// Bit j: pos[j] is canonical (j < zahl).
unsigned kanonische(const Vorpass& d, const std::uint64_t* pos, std::uint32_t zahl) {
#if defined(__x86_64__)
  if (d.acht && zahl == 8) return kanonisch_acht(pos, d.l, *d.rang);
#endif
  unsigned ja = 0;
  for (std::uint32_t j = 0; j < zahl; ++j) ja |= unsigned{kanonisch(pos[j], d.l, *d.rang)} << j;
  return ja;
}

void vorpass_stueck(std::uint32_t stueck, void* daten) {
  Vorpass& d = *static_cast<Vorpass*>(daten);
  VorpassTeil& t = d.teile[stueck];
  const std::uint32_t von = stueck * VORPASS_STUECK;
  const std::uint32_t bis =
      ZAHLGESAMTVERSUCHE - von > VORPASS_STUECK ? von + VORPASS_STUECK : ZAHLGESAMTVERSUCHE;
  std::uint32_t k[8];
  alignas(64) std::uint64_t pos[8];
  for (std::uint32_t i0 = von; i0 < bis; i0 += 8) {
    const std::uint32_t zahl = bis - i0 < 8 ? bis - i0 : 8;
    for (std::uint32_t j = 0; j < zahl; ++j) {
      k[j] = raten_folge[raten_stelle(i0 + j)] & ~RATEN_MARKE;
      pos[j] = raten_knoten_pos(k[j]);
    }
    const unsigned ja = kanonische(d, pos, zahl);
    for (std::uint32_t j = 0; j < zahl; ++j) {
      const bool kan = (ja >> j) & 1;
      raten_folge[raten_stelle(i0 + j)] = kan ? k[j] | RATEN_MARKE : k[j];
      if (!kan) continue;
      if (t.zahl++ == 0) t.erster = k[j];
      if (d.mit_v && pos[j] == d.v_pos) t.v_platz = i0 + j;
    }
  }
}

}  // namespace

bool raten_vorpass(bool& reduzieren) {
  const int l = X.laenge;
  reduzieren = false;
  int u[37], anzahl_u = 0;
  for (int c = 1; c <= MAXFARBE; ++c)
    if (!GESPIELT[c]) u[++anzahl_u] = c;
  if (anzahl_u < 2) return true;
  int w[37];
  for (int i = 1; i <= anzahl_u; ++i) FARBENREIHENFOLGE[i] = static_cast<std::uint8_t>(u[i]);
  for (int i = 1; i <= anzahl_u; ++i) {
    const int r = static_cast<int>(Random(static_cast<std::uint32_t>(anzahl_u + 1 - i))) + 1;
    HILFFARBREIHENFOLGE = static_cast<std::uint8_t>(r);
    w[i] = FARBENREIHENFOLGE[r];
    for (int j = r; j <= anzahl_u - i; ++j) FARBENREIHENFOLGE[j] = FARBENREIHENFOLGE[j + 1];
  }
  Raenge rang = {};
  const int ab = anzahl_u > l ? anzahl_u - l : 0;
  for (int i = 1; i <= ab; ++i) rang[w[i]] = AUS;
  std::uint64_t v_pos = 0;
  for (int i = ab + 1; i <= anzahl_u; ++i) {
    rang[w[i]] = static_cast<std::uint8_t>(i - ab);
    if (i - ab <= l) v_pos |= static_cast<std::uint64_t>(w[i]) << (6 * (i - ab - 1));
  }
  const bool mit_v = anzahl_u >= l;

  // The pass over the list in trial order, in pieces.
  const std::uint32_t n = ZAHLGESAMTVERSUCHE;
  Vorpass d{&rang, l, mit_v, v_pos, l <= 8 && raten_kern() == RatenKern::avx512, {}};
  d.teile.resize((n + VORPASS_STUECK - 1) / VORPASS_STUECK);
  const std::uint32_t faeden = n > 4 * VORPASS_STUECK ? arbeiter_zahl_fuer_suche() : 1;
  if (!arbeiter_teilen(static_cast<std::uint32_t>(d.teile.size()), vorpass_stueck, &d, faeden))
    return false;
  std::uint32_t zahl = 0, erster_kanonisch = 0, v_platz = n;
  for (const VorpassTeil& t : d.teile) {
    if (zahl == 0 && t.zahl) erster_kanonisch = t.erster;
    if (t.v_platz < v_platz) v_platz = t.v_platz;
    zahl += t.zahl;
  }
  if (zahl == 0) return true;  // nothing canonical is left: the whole list is searched
  ZAHL_DER_VERSUCHE = zahl;
  GOTOXY(WX, WY);
  schreibe_pos(mit_v ? v_pos : raten_knoten_pos(erster_kanonisch));
  GOTOXY(WX, WY);
  if (mit_v && v_platz < n && v_platz > 0) raten_nach_vorn(v_platz);
  if (NUMMER_PLUS > ZAHL_DER_VERSUCHE) NUMMER_PLUS = ZAHL_DER_VERSUCHE;
  std::memcpy(raten_rang, rang, sizeof rang);
  reduzieren = true;
  return true;
}

std::uint64_t raten_anfang_pos() {
  std::uint64_t pos = 0;
  for (int i = 1; i <= X.laenge; ++i)
    pos |= static_cast<std::uint64_t>(ANFANG.payload[i]) << (6 * (i - 1));
  return pos;
}

bool raten_zwischenhalt(bool eroeffnung) {
  SCHREIBE_ZEIT_ORB();
  if (!KEYPRESSED()) return false;
  const unsigned char t = READKEY();
  if (ist_abbruchtaste(t)) return true;
  if (t == TASTE_ERWEITERT) {
    const unsigned char e = READKEY();
    if ((ist_eine_von(e, FORMEN_F4) || ist_eine_von(e, FORMEN_F6)) && !eroeffnung) F6_GEDR = true;
  }
  return false;
}

namespace {

// The best trial so far and the tie counter of the search.
struct Beste {
  std::int32_t max = INT32_MAX;
  std::int64_t summe = OBERGRENZE;
  std::int32_t klassen = 0;
  bool loesung = false;
  std::uint32_t gleich = 2;
  std::uint32_t platz = 0;  // its place in the trial list
  std::uint64_t pos = 0;
  bool gefunden = false;
};

// A trial whose counts are complete against the best so far: true when it
// becomes the best (a full tie draws).
bool uebernehmen(Beste& b, const Wertung& w) {
  bool ersetzen = false;
  if (w.max == b.max && w.summe == b.summe && w.klassen == b.klassen && w.loesung == b.loesung) {
    ersetzen = Random(b.gleich) == 0;
    ++b.gleich;
  } else if (w.max < b.max || (w.max == b.max && w.summe < b.summe) ||
             (w.max == b.max && w.summe == b.summe &&
              (w.klassen > b.klassen || (w.klassen == b.klassen && w.loesung && !b.loesung)))) {
    ersetzen = true;
    b.gleich = 2;
  }
  if (ersetzen) {
    b.max = w.max;
    b.summe = w.summe;
    b.klassen = w.klassen;
    b.loesung = w.loesung;
  }
  return ersetzen;
}

void neuer_kandidat(Beste& b, std::uint32_t platz, std::uint32_t knoten, std::uint64_t pos) {
  b.platz = platz;
  b.pos = pos;
  b.gefunden = true;
  AKTUELL = knoten;
  kandidat_anzeige = raten_pos_code(pos);
  NEUER_KANDIDAT = true;
}

// After an evaluated trial: true when the search ends here.
bool entscheiden() {
  bool ende = false;
  if (F6_GEDR && GERATENE_VERSUCHE > NUMMER_PLUS && SPIELZEIT > 500 &&
      (RESTZEIT > 500 || RESTZEIT < 0) &&
      (static_cast<std::int64_t>(SPIELZEIT) + RESTZEIT > 1300 ||
       static_cast<std::int32_t>(static_cast<std::uint32_t>(SPIELZEIT) +
                                 static_cast<std::uint32_t>(RESTZEIT)) < 0 ||
       RESTZEIT < 0)) {
    ende = true;
    if (UNTERBR < 999) {
      ++UNTERBR;
      if (UNTERBR == 1) {
        GOTOXY(3, 15);
        WRITE(SP_D ? "Zahl der Unterbrechungen: 1." : "Number of breaks: 1.");
      } else {
        GOTOXY(SP_D ? 29 : 21, 15);
        WRITE(UNTERBR);
        WRITE('.');
      }
      GOTOXY(WX, WY);
    }
  }
  // The limit holds for the whole turn: the time before the search counts.
  const std::int64_t vorlauf =
      raten_zug_beginn >= 0 ? uhr_spanne(MERKE_RATE_ZEIT_AKT, raten_zug_beginn) : 0;
  if (ZEITLIMIT_GR_0 && SPIELZEIT + vorlauf >= static_cast<std::int64_t>(ZEITLIMIT) &&
      GERATENE_VERSUCHE > NUMMER_PLUS) {
    ende = true;
    if (ALLESTERNEDRUCKEN) {
      ALLESTERNEDRUCKEN = false;
      GOTOXY(1, 11);
      WRITE('|');
      WRITE(SP_D ? " Zeit begrenzt auf " : " The timelimit is ");
      WRITE(X.zeitlimit);
      WRITE(SP_D ? "0 Sek./Versuch.  " : "0 seconds/trial.  ");
      WRITE('|');
      GOTOXY(WX, WY);
    }
  }
  return ende;
}

// How a search ended.
struct Ergebnis {
  bool esc = false;
  bool abgebrochen = false;  // by F4 or the time limit
  std::uint32_t bis = 0;     // the places before it were looked at
};

// The orbits of the played trials' symmetry (raten_bahn) let a search
// decide a trial from what it learnt about another member of its orbit:
// the members have the same Wertung. The replay in list order (uebernehmen)
// must see exactly the Wertungen it would see without them for every trial
// that could become the best or tie with it, so that it chooses the same
// trial and draws the same random numbers; a trial strictly worse than the
// best before its place changes nothing there, handed on or not.
// - An exact Wertung of the orbit is the member's own: handed on as if
//   scored.
// - A member rejected against a bound B is worse than B, so is every other
//   member. It is rejected again where B comes from a trial before its
//   place (the best there is at least as good as B), or where B is no
//   better than the bound the search holds there (which is a best of trials
//   before the place, so scoring would reject it too).
// - Otherwise it is scored, and the result recorded for the orbit.
// Which member gets scored may vary with the timing of the workers; what
// the replay sees of the trials that matter does not.
//
// A trial at place platz against the bound g: its Wertung from the record
// of its orbit when that decides it, else scored (gezaehlt: cnt then holds
// its classes). True when the Wertung is complete, false when the trial
// cannot beat the best before its place.
bool werte(std::uint64_t pos, std::uint32_t platz, const Schranke& g, std::int32_t* cnt, Wertung& w,
           bool& gezaehlt) {
  gezaehlt = false;
  const std::uint32_t bahn = raten_bahn(pos);
  if (bahn != RATEN_KEINE_BAHN) {
    const Bahnurteil u = raten_bahn_urteil(bahn, platz, g, w);
    if (u != Bahnurteil::bewerten) return u == Bahnurteil::bekannt;
  }
  Versuchsbild bild;
  raten_bild(pos, bild);
  const bool ganz = raten_zaehle(bild, cnt, g.max, g.summe, w);
  ++raten_bewertet;
  gezaehlt = true;
  if (bahn != RATEN_KEINE_BAHN) raten_bahn_merken(bahn, ganz, w, g);
  return ganz;
}

// With few solutions the search is scored side by side (raten_zaehle_quer):
// that costs less than finding each trial's orbit, so such a search decides
// no trial by its orbit. The class table of the best trial is then counted
// after the search.
bool quer_suche(bool eroeffnung) {
  return !eroeffnung && raten_quer_lohnt();
}

// The places of the list from von on before bis (only the canonical ones
// when reducing), at most hoechstens, with their trials: their count.
std::uint32_t sammle_plaetze(std::uint32_t von, std::uint32_t bis, bool reduzieren,
                             std::uint32_t hoechstens, std::uint32_t* platz, std::uint64_t* pos) {
  std::uint32_t zahl = 0;
  for (std::uint32_t j = von; j < bis && zahl < hoechstens; ++j) {
    const std::uint32_t eintrag = raten_folge[raten_stelle(j)];
    if (reduzieren && !(eintrag & RATEN_MARKE)) continue;
    platz[zahl] = j;
    pos[zahl++] = raten_knoten_pos(eintrag & ~RATEN_MARKE);
  }
  return zahl;
}

// Trials of the list scored ahead, side by side: the next canonical places
// from a place on, against the best at that moment. A trial is rejected
// there only when it is worse than that best or a trial before it, which
// the best it meets in the search is not, and one not rejected has its
// exact figures: so the search takes them in order as if scored then.
struct Vorschau {
  std::uint32_t platz[QUER_BREITE];
  std::uint64_t pos[QUER_BREITE];
  Wertung w[QUER_BREITE];
  bool ganz[QUER_BREITE];
  std::uint32_t zahl = 0, naechster = 0;

  // Place i's verdict (i canonical when reducing): true and w when it
  // stays within the best.
  bool nimm(std::uint32_t i, std::uint32_t n, bool reduzieren, const Beste& b, Wertung& aus) {
    if (naechster == zahl || platz[naechster] != i) {
      naechster = 0;
      zahl = sammle_plaetze(i, n, reduzieren, QUER_BREITE, platz, pos);
      raten_zaehle_quer(pos, static_cast<int>(zahl), b.max, b.summe, w, ganz);
    }
    aus = w[naechster];
    return ganz[naechster++];
  }
};

// The search on this thread: the places of the list in order (only ANFANG in the
// opening), each scored against every solution or decided by its orbit.
// beste_gezaehlt: beste holds the classes of the best trial.
Ergebnis suche_einzeln(bool eroeffnung, bool reduzieren, Beste& b, std::int32_t* beste,
                       bool& beste_gezaehlt) {
  Ergebnis e;
  const std::uint32_t n = eroeffnung ? 1 : ZAHLGESAMTVERSUCHE;
  const std::uint32_t soll = ZAHL_DER_VERSUCHE ? ZAHL_DER_VERSUCHE : 1;
  std::int32_t cnt[100];
  const bool quer = quer_suche(eroeffnung);
  Vorschau vorschau;
  for (std::uint32_t i = 0; i < n; ++i) {
    const std::uint32_t eintrag = eroeffnung ? 0 : raten_folge[raten_stelle(i)];
    if (reduzieren && !(eintrag & RATEN_MARKE)) continue;
    const std::uint32_t k = eintrag & ~RATEN_MARKE;
    const std::uint64_t pos = eroeffnung ? raten_anfang_pos() : raten_knoten_pos(k);
    Wertung w;
    bool ganz, gezaehlt = false;
    if (quer) {
      ganz = vorschau.nimm(i, n, reduzieren, b, w);
      ++raten_bewertet;
    } else {
      const Schranke g{b.max, b.summe, b.gefunden ? b.platz : ~0u};
      ganz = werte(pos, i, g, cnt, w, gezaehlt);
    }
    if (ganz && uebernehmen(b, w)) {
      if (gezaehlt) std::memcpy(beste, cnt, sizeof cnt);
      beste_gezaehlt = gezaehlt;
      neuer_kandidat(b, i, k, pos);
    }
    e.bis = i + 1;
    ++GERATENE_VERSUCHE;
    SETZEZEITLETZTERVERSUCH = true;
    raten_fortschritt(soll);
    if (raten_zwischenhalt(eroeffnung)) {
      e.esc = true;
      return e;
    }
    e.abgebrochen = entscheiden();
    if (e.abgebrochen) return e;
  }
  return e;
}

// Trials a worker scores together (raten_zaehle_stapel) when its block holds
// that many: each superblock of the solutions is read once for all of them.
// A list larger than LISTE_IM_CACHE bytes comes from memory, so its blocks
// hold at least a batch; a list in the cache of a few trials per block
// scores one trial at a time against the best before it, which measured
// faster there.
constexpr std::uint32_t STAPEL = 16;
// Side by side a block holds this many times the trials: the lanes of the
// kernel are then seldom idle at the block's end.
constexpr std::uint64_t QUER_FAKTOR = 4;
constexpr std::uint64_t LISTE_IM_CACHE = std::uint64_t{16} << 20;

bool aus_dem_speicher() {
  return std::uint64_t{raten_loes_zahl} * 2 * raten_loes_laenge > LISTE_IM_CACHE;
}

// The search on worker threads. The list is cut into blocks of places; a
// worker scores one block after the other, rejecting a trial early only
// against trials before it in the list (its block's earlier trials and the
// blocks finished when it took this one), and hands on every trial it
// scored in full or found decided by its orbit. The main thread replays the
// blocks in list order with the exact comparison and tie draws of the
// search on one thread, so the result and the random numbers drawn are the
// same.
struct Kandidat {
  std::uint32_t platz, knoten;
  std::uint64_t pos;
  Wertung w;
};
struct Block {
  std::vector<Kandidat> kandidaten;
  std::uint32_t bis = 0;       // the block ends before this place
  std::uint32_t bewertet = 0;  // trials looked at (canonical ones when reducing)
  std::uint32_t gezaehlt = 0;  // of them scored against the solutions
};
struct Teilung {
  std::uint32_t n = 0, groesse = 1;
  std::uint32_t stapel = 1;    // trials scored together
  std::uint32_t je_block = 1;  // trials to score per block (with orbits the blocks grow to it)
  bool quer = false;           // side by side (raten_zaehle_quer)
  bool reduzieren = false;
  bool mit_bahnen = false;
  std::atomic<bool> halt{false};
  std::mutex sperre;
  std::uint32_t naechster = 0;                  // the next block to hand out
  std::uint32_t naechster_platz = 0;            // and its first place
  std::map<std::uint32_t, Block> fertig;        // finished blocks not yet replayed
  Schranke grenze{INT32_MAX, OBERGRENZE, ~0u};  // the best of the finished blocks
};

// A trial of a batch and what decides it.
struct Eintrag {
  std::uint32_t platz, knoten, bahn;
  std::uint64_t pos;
  Bahnurteil urteil;
  std::uint32_t index;  // bewerten: its trial among those scored in the batch
  Wertung w;
};

// The trials of the block from place i on until t.stapel of them are to be
// scored (a member of an orbit already in the batch takes that trial's
// result); their images into bild, their orbits into bahnen. Returns i.
std::uint32_t sammle_stapel(const Teilung& t, std::uint32_t i, std::uint32_t bis, const Schranke& g,
                            std::vector<Eintrag>& eintraege, Versuchsbild* bild,
                            std::uint32_t* bahnen, std::uint32_t& zahl) {
  eintraege.clear();
  zahl = 0;
  for (; i < bis && zahl < t.stapel; ++i) {
    const std::uint32_t eintrag = raten_folge[raten_stelle(i)];
    if (t.reduzieren && !(eintrag & RATEN_MARKE)) continue;
    Eintrag e{i, eintrag & ~RATEN_MARKE, 0, 0, Bahnurteil::bewerten, zahl, {}};
    e.pos = raten_knoten_pos(e.knoten);
    e.bahn = raten_bahn(e.pos);
    if (e.bahn != RATEN_KEINE_BAHN) e.urteil = raten_bahn_urteil(e.bahn, i, g, e.w);
    if (e.urteil == Bahnurteil::bewerten && e.bahn != RATEN_KEINE_BAHN)
      for (std::uint32_t j = 0; j < zahl; ++j)
        if (bahnen[j] == e.bahn) e.index = j;
    if (e.urteil == Bahnurteil::bewerten && e.index == zahl) {
      bahnen[zahl] = e.bahn;
      raten_bild(e.pos, bild[zahl++]);
    }
    eintraege.push_back(e);
  }
  return i;
}

// One block side by side, all its trials against the bound g in one go;
// every trial the kernel keeps has its exact figures.
void bewerte_block_quer(const Teilung& t, std::uint32_t von, std::uint32_t bis, Schranke g,
                        Block& b) {
  std::vector<std::uint32_t> platz(bis - von);
  std::vector<std::uint64_t> pos(bis - von);
  const std::uint32_t zahl =
      sammle_plaetze(von, bis, t.reduzieren, bis - von, platz.data(), pos.data());
  std::vector<Wertung> w(zahl);
  std::unique_ptr<bool[]> ganz(new bool[zahl ? zahl : 1]);
  raten_zaehle_quer(pos.data(), static_cast<int>(zahl), g.max, g.summe, w.data(), ganz.get());
  b.bewertet += zahl;
  b.gezaehlt += zahl;
  for (std::uint32_t j = 0; j < zahl; ++j)
    if (ganz[j])
      b.kandidaten.push_back(
          {platz[j], raten_folge[raten_stelle(platz[j])] & ~RATEN_MARKE, pos[j], w[j]});
}

// One block, in batches of trials scored against the best before the batch;
// a trial that survives that bound is compared in order, so the bound of
// the next batch is the best before it. False when the search was stopped
// meanwhile.
bool bewerte_block(Teilung& t, std::uint32_t von, std::uint32_t bis, Schranke g, Block& b) {
  if (t.quer) {
    bewerte_block_quer(t, von, bis, g, b);
    return !t.halt.load(std::memory_order_relaxed);
  }
  std::int32_t cnt[100 * STAPEL];
  Versuchsbild bild[STAPEL];
  Wertung w[STAPEL];
  bool ganz[STAPEL];
  std::uint32_t bahnen[STAPEL];
  std::vector<Eintrag> eintraege;
  for (std::uint32_t i = von; i < bis;) {
    if (t.halt.load(std::memory_order_relaxed)) return false;
    std::uint32_t zahl;
    i = sammle_stapel(t, i, bis, g, eintraege, bild, bahnen, zahl);
    b.bewertet += static_cast<std::uint32_t>(eintraege.size());
    b.gezaehlt += zahl;
    raten_zaehle_stapel(bild, static_cast<int>(zahl), cnt, g.max, g.summe, w, ganz);
    for (std::uint32_t j = 0; j < zahl; ++j)
      if (bahnen[j] != RATEN_KEINE_BAHN) raten_bahn_merken(bahnen[j], ganz[j], w[j], g);
    for (Eintrag& e : eintraege) {
      if (e.urteil == Bahnurteil::bewerten) e.w = w[e.index];
      const bool komplett =
          e.urteil == Bahnurteil::bewerten ? ganz[e.index] : e.urteil == Bahnurteil::bekannt;
      if (!komplett || raten_vorher(g.max, g.summe, e.w.max, e.w.summe)) continue;
      b.kandidaten.push_back({e.platz, e.knoten, e.pos, e.w});
      if (raten_vorher(e.w.max, e.w.summe, g.max, g.summe)) g = {e.w.max, e.w.summe, e.platz};
    }
  }
  return true;
}

// With orbits fewer and fewer trials of a block are to be scored as the
// search goes on: the next blocks grow (at most doubling) until they hold
// about t.je_block such trials.
void passe_groesse_an(Teilung& t, const Block& b) {
  if (!t.mit_bahnen) return;
  const std::uint64_t soll = std::uint64_t{t.groesse} * t.je_block / (b.gezaehlt ? b.gezaehlt : 1);
  const std::uint64_t neu = soll > 2 * std::uint64_t{t.groesse} ? 2 * std::uint64_t{t.groesse}
                            : soll < t.groesse / 2              ? t.groesse / 2
                                                                : soll;
  t.groesse = static_cast<std::uint32_t>(neu < 1 ? 1 : (neu > t.n ? t.n : neu));
}

void arbeite(void* daten) {
  Teilung& t = *static_cast<Teilung*>(daten);
  for (;;) {
    std::uint32_t c, von, bis;
    Schranke g;
    {
      // Handing out the block and reading the bound together: every block
      // finished by now lies before it.
      const std::lock_guard<std::mutex> l(t.sperre);
      if (t.naechster_platz >= t.n) return;
      c = t.naechster++;
      von = t.naechster_platz;
      bis = t.n - von > t.groesse ? von + t.groesse : t.n;
      t.naechster_platz = bis;
      g = t.grenze;
    }
    Block b;
    b.bis = bis;
    if (!bewerte_block(t, von, bis, g, b)) return;
    {
      const std::lock_guard<std::mutex> l(t.sperre);
      for (const Kandidat& k : b.kandidaten)
        if (raten_vorher(k.w.max, k.w.summe, t.grenze.max, t.grenze.summe))
          t.grenze = {k.w.max, k.w.summe, k.platz};
      passe_groesse_an(t, b);
      t.fertig.emplace(c, std::move(b));
    }
    arbeiter_melden();
  }
}

// The finished blocks at the front, in list order: false when the next one
// is not finished yet.
bool naechster_block(Teilung& t, std::uint32_t c, Block& b) {
  const std::lock_guard<std::mutex> l(t.sperre);
  const auto it = t.fertig.find(c);
  if (it == t.fertig.end()) return false;
  b = std::move(it->second);
  t.fertig.erase(it);
  return true;
}

// Trials per block: about raten_block_paare pairs of trials and solutions,
// at least a batch when the list comes from memory.
std::uint64_t versuche_je_block() {
  const std::uint64_t loes = raten_loes_zahl ? raten_loes_zahl : 1;
  const std::uint64_t versuche = raten_block_paare / loes * (quer_suche(false) ? QUER_FAKTOR : 1);
  if (versuche < STAPEL && aus_dem_speicher()) return STAPEL;
  return versuche ? versuche : 1;
}

// Places per block.
std::uint32_t blockgroesse(std::uint32_t n, std::uint32_t soll) {
  const std::uint64_t plaetze = versuche_je_block() * n / (soll ? soll : 1);
  return static_cast<std::uint32_t>(plaetze < 1 ? 1 : (plaetze > n ? n : plaetze));
}

// The search on the workers; false, and nothing done, when the system gave
// none of them.
bool suche_verteilt(bool reduzieren, std::uint32_t faeden, Beste& b, Ergebnis& e) {
  Teilung t;
  t.n = ZAHLGESAMTVERSUCHE;
  t.reduzieren = reduzieren;
  t.quer = quer_suche(false);
  t.mit_bahnen = !t.quer && raten_mit_bahnen();
  const std::uint32_t soll = ZAHL_DER_VERSUCHE ? ZAHL_DER_VERSUCHE : 1;
  const std::uint64_t je_block = versuche_je_block();
  t.stapel = je_block >= STAPEL ? STAPEL : 1;
  t.je_block = static_cast<std::uint32_t>(je_block < t.n ? je_block : t.n);
  t.groesse = blockgroesse(t.n, soll);
  if (arbeiter_starten(faeden, arbeite, &t) == 0) return false;
  std::uint64_t gesehen = 0;
  for (std::uint32_t c = 0; e.bis < t.n;) {
    Block blk;
    if (!naechster_block(t, c, blk)) {
      // The clocks and the keys while the next block is being scored.
      arbeiter_warten(gesehen, 10);
      if (raten_zwischenhalt(false)) {
        e.esc = true;
        break;
      }
      continue;
    }
    for (const Kandidat& k : blk.kandidaten)
      if (uebernehmen(b, k.w)) neuer_kandidat(b, k.platz, k.knoten, k.pos);
    GERATENE_VERSUCHE += blk.bewertet;
    raten_bewertet += blk.gezaehlt;
    e.bis = blk.bis;
    ++c;
    SETZEZEITLETZTERVERSUCH = true;
    raten_fortschritt(soll);
    if (raten_zwischenhalt(false)) {
      e.esc = true;
      break;
    }
    e.abgebrochen = entscheiden();
    if (e.abgebrochen) break;
  }
  t.halt = true;
  arbeiter_beenden();
  return true;
}

// The search: on the workers when there are several and the search is large
// enough, else on this thread. beste gets the classes of the best trial.
Ergebnis suche(bool eroeffnung, bool reduzieren, Beste& b, std::int32_t* beste) {
  const std::uint32_t faeden = eroeffnung ? 1 : arbeiter_zahl_fuer_suche();
  const std::uint64_t paare = static_cast<std::uint64_t>(ZAHL_DER_VERSUCHE) * raten_loes_zahl;
  bool beste_gezaehlt = false;
  Ergebnis e;
  if (faeden < 2 || paare < raten_parallel_ab || !suche_verteilt(reduzieren, faeden, b, e))
    e = suche_einzeln(eroeffnung, reduzieren, b, beste, beste_gezaehlt);
  if (!e.esc && b.gefunden && !beste_gezaehlt) {
    Versuchsbild bild;
    raten_bild(b.pos, bild);
    Wertung w;
    raten_zaehle(bild, beste, INT32_MAX, OBERGRENZE, w);
  }
  return e;
}

// The last candidate is played at once.
void letzter_kandidat(code& versuch_code, std::uint8_t& p) {
  const int l = X.laenge;
  AEQUI_KLASSE = false;
  p = static_cast<std::uint8_t>(l);
  const std::uint64_t pos = raten_loes_zahl == 1 ? raten_loes_pos(0) : raten_knoten_pos(VERS);
  LOESUNG = raten_pos_code(pos);
  versuch_code = LOESUNG;
  schreibe_pos(pos);
  WO += 18 + 2 * (l / 2);
  WX = static_cast<std::uint16_t>(WX + 8 + l / 2);
  GOTOXY(WX - 2, WY);
  WRITE(p);
  GOTOXY(WX, WY);
  WRITE('0');
  if (X.ton) {
    SOUND(ton_hoehe);
    DELAY(ton_dauer);
    NOSOUND();
  }
  SPEICHER_FREIGEBEN(true);
}

// The clocks and counters of the progress line.
void suche_beginnen(bool eroeffnung) {
  ZAHL_DER_STERNE = 0;
  GERATENE_VERSUCHE = 0;
  raten_bewertet = 0;
  STD_GERATEN = MIN_GERATEN = SEK_GERATEN = STD_REST = MIN_REST = SEK_REST = 0;
  STD_GERATEN_ALT = MIN_GERATEN_ALT = SEK_GERATEN_ALT = 0;
  STD_REST_ALT = MIN_REST_ALT = SEK_REST_ALT = 0;
  SETZEZEITLETZTERVERSUCH = true;
  SETZE_RATE_ZEIT_AKT = true;
  RATEN_ZEITANZEIGE = !eroeffnung;
  AKTUELL = 0;
}

}  // namespace

namespace {

// The turn's start: the clocks and counters of a new search.
void beginne_zug(std::uint8_t& p, std::uint8_t& z) {
  if (raten_zug_beginn < 0) raten_zug_beginn = uhr_jetzt();
  F6_GEDR = false;
  RATENDRAN = true;
  ZAHL_DER_VERSUCHE = ZAHLGESAMTVERSUCHE;
  SPIELZEIT = 0;
  RESTZEIT = 0;
  ZEIT_GERATEN_KL100 = true;
  p = 0;
  z = 0;
  NUMMER_PLUS = static_cast<std::uint32_t>(NUMMER + 6);
}

// Shows where the search starts: the opening trial, or the list's first.
void zeige_listenanfang(bool eroeffnung) {
  GOTOXY(WX, WY);
  schreibe_pos(eroeffnung ? raten_anfang_pos() : raten_knoten_pos(VERS));
  GOTOXY(WX, WY);
}

// After an early stop the trials not looked at come first next time.
void rest_nach_vorn(const Ergebnis& e, bool eroeffnung) {
  if (e.abgebrochen && !eroeffnung && ZAHLGESAMTVERSUCHE > 2 && e.bis < ZAHLGESAMTVERSUCHE) {
    raten_anfang = raten_stelle(e.bis);
    raten_enden();
  }
}

// The chosen trial on the board, and the time line for the answer.
void zeige_versuch(code& versuch_code, std::uint64_t pos) {
  RATEN_ZEITANZEIGE = false;
  versuch_code = raten_pos_code(pos);
  GOTOXY(WX, WY);
  schreibe_pos(pos);
  GOTOXY(35, 25);
  WRITE(SP_D ? "00.00.00 .......... benoetigte Zeit: 00.00.00"
             : "00.00.00 .......... time yet needed: 00.00.00");
  WX = static_cast<std::uint16_t>(WX + 6 + X.laenge / 2);
  GOTOXY(WX, WY);
  RATENDRAN = false;
}

}  // namespace

void RATE_CODE(code& versuch_code, std::uint8_t& p, std::uint8_t& z, unsigned char& taste) {
  beginne_zug(p, z);
  bool reduzieren = ZAEHLE_VORH_FARBE > 2;
  ZAEHLE_VORH_FARBE = 0;

  // One or two trials left: no search.
  if (ZAHLGESAMTVERSUCHE == 1 || raten_loes_zahl == 1) {
    letzter_kandidat(versuch_code, p);
    return;
  }
  if (ZAHLGESAMTVERSUCHE == 2 || raten_loes_zahl == 2) {
    AEQUI_KLASSE = false;
    reduzieren = false;
  }

  const bool eroeffnung = AEQUI_KLASSE;
  if (eroeffnung) {
    reduzieren = false;
    ZAHL_DER_VERSUCHE = 1;
  }
  zeige_listenanfang(eroeffnung);

  // One trial per class of trials that differ by an exchange of unplayed signs.
  if (reduzieren && !raten_vorpass(reduzieren)) return abbrechen(taste);
  // One trial per orbit of the symmetry of the played trials.
  if (!eroeffnung) raten_bahnen_bilden(reduzieren);

  suche_beginnen(eroeffnung);
  std::int32_t beste[100] = {};
  Beste b;
  const Ergebnis e = suche(eroeffnung, reduzieren, b, beste);
  raten_bahnen_freigeben();
  assert(arbeiter_laufend() == 0);
  if (e.esc) return abbrechen(taste);
  const std::uint32_t stelle = eroeffnung ? 0 : raten_stelle(b.platz);
  rest_nach_vorn(e, eroeffnung);
  zeige_versuch(versuch_code, b.pos);
  raten_antwort_und_verengung(versuch_code, b.pos, eroeffnung, AKTUELL, stelle, beste, p, z, taste);
}
