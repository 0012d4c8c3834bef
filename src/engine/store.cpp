// The codebreaker's candidate store: the build with its bucket shuffle, the
// packed codes of the nodes and of the solution records, and the release.
#include <sys/mman.h>

#include <bit>
#include <cstdlib>
#include <cstring>

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {

// Numbering of the nodes: node k is the number k (with the vacant sign) or
// k - 1 (without) written in base `basis`, position 1 lowest; digit r stands
// for sign r + `start`.
std::uint32_t basis;
std::uint32_t start;
bool mit_leer;
std::uint64_t teiler_magie;  // 2^64 / basis, rounded up: exact division of 32-bit values
std::uint64_t dekod[9][37];  // digit r at enumeration position j -> its packed field
Indexed<std::uint8_t, 0, 36> farbe_zurueck;  // inverse of PERMFTM
int laenge;

void stelle_zahlung_ein(int l, int n, bool leer) {
  laenge = l;
  mit_leer = leer;
  basis = static_cast<std::uint32_t>(n + (leer ? 1 : 0));
  start = leer ? 0 : 1;
  teiler_magie = basis > 1 ? ~std::uint64_t{0} / basis + 1 : 0;
  for (int j = 0; j < l; ++j)
    for (std::uint32_t r = 0; r < basis; ++r)
      dekod[j][r] = static_cast<std::uint64_t>(PERMFTM[static_cast<int>(r + start)])
                    << (6 * (PERMZTM[j + 1] - 1));
  for (int c = 0; c <= 36; ++c) farbe_zurueck[c] = 0;
  for (int c = 0; c <= n; ++c) farbe_zurueck[PERMFTM[c]] = static_cast<std::uint8_t>(c);
}

std::uint32_t teile(std::uint32_t v, std::uint32_t& rest) {
  std::uint32_t q;
  if (basis > 1) {
    q = static_cast<std::uint32_t>((static_cast<unsigned __int128>(teiler_magie) * v) >> 64);
  } else {
    q = v;  // a single digit value: every digit is 0
  }
  rest = v - q * basis;
  return q;
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
T* hole(std::size_t anzahl, int nummer) {
  if (raten_fehler_bei == nummer) return nullptr;
  const std::size_t bytes = anzahl * sizeof(T) + (anzahl == 0 ? 1 : 0);
  void* p = nullptr;
  if (bytes >= GROSSE_SEITE) {
    if (posix_memalign(&p, GROSSE_SEITE, bytes) != 0) p = nullptr;
    if (p) grosse_seiten(p, bytes);
  } else {
    p = std::malloc(bytes);
  }
  if (!p) return nullptr;
  raten_belegt += anzahl * sizeof(T);
  if (raten_belegt > raten_belegt_max) raten_belegt_max = raten_belegt;
  return static_cast<T*>(p);
}

void gib_frei(void* p, std::size_t bytes) {
  if (!p) return;
  std::free(p);
  raten_belegt -= bytes;
}

void ziehe(Indexed<std::uint8_t, 0, 36>& urne, Indexed<std::uint8_t, 0, 36>& perm,
           std::uint8_t& hilf, int n) {
  for (int i = 1; i <= n; ++i) urne[i] = static_cast<std::uint8_t>(i);
  for (int i = 1; i <= n; ++i) {
    const int r = static_cast<int>(Random(static_cast<std::uint32_t>(n + 1 - i))) + 1;
    hilf = static_cast<std::uint8_t>(r);
    perm[i] = urne[r];
    for (int j = r; j <= n - i; ++j) urne[j] = urne[j + 1];
  }
}

// The bucket rings during a build: both links of node k side by side
// (forward at 2k - 2, backward at 2k - 1), so that one cache line serves a
// node. After the join the forward links are packed into the first half.
std::uint32_t* paare;
inline std::uint32_t& vor(std::uint32_t k) {
  return paare[2 * static_cast<std::size_t>(k) - 2];
}
inline std::uint32_t& rueck(std::uint32_t k) {
  return paare[2 * static_cast<std::size_t>(k) - 1];
}

// Drops node k at a random place of bucket b.
void in_eimer(std::uint32_t k, std::uint32_t b) {
  const std::uint32_t kopf = MISCHFELD[b];
  if (!kopf) {
    MISCHZ[b] = 0;
    vor(k) = k;
    rueck(k) = k;
    MISCHFELD[b] = k;
    return;
  }
  const std::uint32_t n = MISCHZ[b] + 1u;
  const bool gerade = n % 2 == 0;
  const std::uint32_t r = Random(n + 1);
  const std::uint32_t h = n / 2;
  const std::uint32_t schwanz = rueck(kopf);
  const std::uint32_t mitte = vor(schwanz);
  if (r == 0) {
    vor(k) = kopf;
    rueck(k) = schwanz;
    rueck(kopf) = k;
    MISCHFELD[b] = k;
    if (gerade) vor(schwanz) = rueck(mitte);
  } else if (r == n) {
    vor(schwanz) = k;
    rueck(k) = schwanz;
    rueck(kopf) = k;
    vor(k) = gerade ? mitte : vor(mitte);
  } else {
    std::uint32_t a;  // node r; the new node goes behind it
    if (r <= h) {
      if (r <= n / 4 || r < 3) {
        a = kopf;
        for (std::uint32_t i = 1; i < r; ++i) a = vor(a);
      } else {
        std::uint32_t c = mitte;
        for (std::uint32_t i = 0; i < h - r; ++i) c = rueck(c);
        a = rueck(c);
      }
    } else if (r >= n - (n - 1) / 4) {
      std::uint32_t c = schwanz;
      for (std::uint32_t i = 0; i + 1 < n - r; ++i) c = rueck(c);
      a = rueck(c);
    } else {
      a = mitte;
      for (std::uint32_t i = 0; i + 1 < r - h; ++i) a = vor(a);
    }
    const std::uint32_t c = vor(a);
    vor(a) = k;
    rueck(k) = a;
    vor(k) = c;
    rueck(c) = k;
    if (r <= h) {
      if (gerade) vor(schwanz) = rueck(mitte);
    } else if (!gerade) {
      vor(schwanz) = vor(mitte);
    }
  }
  MISCHZ[b] = MISCHZ[b] < 255 ? static_cast<std::uint8_t>(MISCHZ[b] + 1)
                              : static_cast<std::uint8_t>(MISCHZ[b] - 1);
}

// Joins the buckets into the trial list.
void eimer_verbinden() {
  std::uint32_t letzter = 0;
  VERS = 0;
  for (std::uint32_t b = 0; b < raten_eimer && b < MISCHGROESSE; ++b) {
    const std::uint32_t kopf = MISCHFELD[b];
    if (!kopf) continue;
    const std::uint32_t schwanz = rueck(kopf);
    if (!VERS) {
      VERS = kopf;
    } else {
      vor(letzter) = kopf;
    }
    vor(schwanz) = 0;
    letzter = schwanz;
  }
  SCHLUSSLICHT = letzter;
}

// True when Esc or Ctrl-C is waiting; other keys are dropped.
bool abbruch_taste() {
  if (!KEYPRESSED()) return false;
  const unsigned char t = READKEY();
  if (t == 0) {
    READKEY();
    return false;
  }
  return t == 3 || t == 27;
}

void abbrechen(bool& ok) {
  A = 27;
  RATEN_ZEITANZEIGE = false;
  SPEICHER_FREIGEBEN(true);
  ok = false;
  OK = false;
  ZEITEIN = false;
}

void schreibe_sterne(std::uint32_t zahl) {
  GOTOXY(44, 25);
  for (std::uint32_t i = 0; i < zahl; ++i) WRITE('*');
  GOTOXY(WX, WY);
}

}  // namespace

std::uint64_t raten_knoten_pos(std::uint32_t k) {
  std::uint32_t v = mit_leer ? k : k - 1;
  std::uint64_t pos = 0;
  for (int j = 0; j < laenge; ++j) {
    std::uint32_t r;
    v = teile(v, r);
    pos |= dekod[j][r];
  }
  return pos;
}

std::uint32_t raten_pos_knoten(std::uint64_t pos) {
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

std::uint64_t raten_loes_pos(std::uint32_t i) {
  const int l = X.laenge;
  const std::uint64_t maske = l >= 10 ? ~std::uint64_t{0} : (std::uint64_t{1} << (6 * l)) - 1;
  return raten_loes[static_cast<std::size_t>(i) * raten_loes_worte] & maske;
}

void raten_satz(std::uint64_t pos, std::uint64_t* ziel) {
  const int laenge = X.laenge;
  std::uint8_t anzahl[37] = {};
  std::uint64_t eins = 0, zwei = 0;
  for (int i = 0; i < laenge; ++i) {
    const int c = static_cast<int>((pos >> (6 * i)) & 63);
    if (c == 0) continue;
    if (++anzahl[c] == 1)
      eins |= std::uint64_t{1} << (c - 1);
    else
      zwei |= std::uint64_t{1} << (c - 1);
  }
  const int ab = 6 * laenge;
  if (raten_loes_worte == 1) {
    ziel[0] = pos | zwei << ab | eins << (ab + MAXFARBE);
  } else {
    ziel[0] = pos | zwei << ab;
    ziel[1] = eins;
  }
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
  if (paare) gib_frei(paare, static_cast<std::size_t>(raten_knoten) * 8);
  if (raten_glied) gib_frei(raten_glied, static_cast<std::size_t>(raten_knoten) * 4);
  if (raten_loes)
    gib_frei(raten_loes, static_cast<std::size_t>(raten_loes_platz) * 8 * raten_loes_worte);
  raten_glied = nullptr;
  paare = nullptr;
  raten_loes = nullptr;
  raten_knoten = raten_loes_zahl = raten_loes_platz = 0;
  VERS = VERSLOE = ERLAUBT = SCHLUSSLICHT = AKTUELL = 0;
  ZAHLGESAMTVERSUCHE = 0;
  NEUER_KANDIDAT = false;
}

void INIT_RATEN(bool& ok) {
  const int l = X.laenge;
  const int n = MAXFARBE;
  const bool leer = X.leerzeichen != 0;
  const bool wdh = X.wiederholung != 0;

  // 1. Sizes, the possible signs and the count bytes.
  ok = true;
  OK = true;
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

  // 3. Reset.
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

  if (l < 1 || l > 9 || n < 1 || n > 36 || 6 * l + n > 64) {
    abbrechen(ok);
    return;
  }

  // 4.-6. The permutations and the opening trial.
  ziehe(ZAHLENREIHENFOLGE, PERMZ, HILFZAHLREIHENFOLGE, l);
  ziehe(FARBENREIHENFOLGE, PERMF, HILFFARBREIHENFOLGE, n);
  PERMF[0] = 0;
  BESTIMME_ANFANG(static_cast<std::uint8_t>(l), static_cast<std::uint8_t>(n), MERKE_WDHG, leer,
                  true);
  ziehe(ZAHLENREIHENFOLGETM, PERMZTM, HILFZAHLREIHENFOLGETM, l);
  ziehe(FARBENREIHENFOLGETM, PERMFTM, HILFFARBREIHENFOLGETM, n);
  PERMFTM[0] = 0;
  stelle_zahlung_ein(l, n, leer);

  // The number of nodes and of solutions.
  std::uint64_t knoten = 1, loesungen = 1;
  for (int i = 0; i < l; ++i) {
    knoten *= basis;
    loesungen *=
        wdh ? static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n > i ? n - i : 0);
    if (knoten > 0x7FFFFFFFu) break;
  }
  if (leer) --knoten;
  if (knoten > 0x7FFFFFFFu || knoten == 0) {
    abbrechen(ok);
    return;
  }
  raten_loes_worte = 6 * l + 2 * n <= 64 ? 1 : 2;

  // 7. The enumeration: every code once, each dropped into a bucket.
  paare = hole<std::uint32_t>(2 * knoten, 0);
  if (paare) raten_knoten = static_cast<std::uint32_t>(knoten);
  raten_loes = paare ? hole<std::uint64_t>(loesungen * raten_loes_worte, 1) : nullptr;
  if (raten_loes) raten_loes_zahl = raten_loes_platz = static_cast<std::uint32_t>(loesungen);
  if (!paare || !raten_loes) {
    abbrechen(ok);
    return;
  }

  const int s = leer ? 0 : 1;
  int d[10];
  int cnt[37] = {};
  int doppelt = 0;  // signs that occur twice or more
  std::uint64_t pos = 0;
  // The signs present and doubled, as the planes of the solution records.
  std::uint64_t eins = 0, zwei = 0;
  auto bit = [&](int w) { return std::uint64_t{1} << (PERMFTM[w] - 1); };
  auto setze = [&](int j, int wert) {  // position j (0-based) of the odometer gets wert
    const int alt = d[j];
    const int vorher = cnt[alt]--;
    if (alt != 0) {
      if (vorher == 1) eins &= ~bit(alt);
      if (vorher == 2) {
        zwei &= ~bit(alt);
        --doppelt;
      }
    }
    d[j] = wert;
    const int nachher = ++cnt[wert];
    if (wert != 0) {
      if (nachher == 1) eins |= bit(wert);
      if (nachher == 2) {
        zwei |= bit(wert);
        ++doppelt;
      }
    }
    const int schieb = 6 * (PERMZTM[j + 1] - 1);
    pos = (pos & ~(std::uint64_t{63} << schieb)) | static_cast<std::uint64_t>(PERMFTM[wert])
                                                       << schieb;
  };
  for (int j = 0; j < l; ++j) {
    d[j] = s;
    pos |= static_cast<std::uint64_t>(PERMFTM[s]) << (6 * (PERMZTM[j + 1] - 1));
  }
  cnt[s] = l;
  if (s == 1) {
    eins = bit(1);
    if (l >= 2) {
      zwei = bit(1);
      doppelt = 1;
    }
  }
  if (leer) setze(0, 1);
  const int ab = 6 * l;

  std::uint32_t fuellstand = raten_loes_zahl;
  const std::uint32_t soll = ZAHL_DER_VERSUCHE ? ZAHL_DER_VERSUCHE : 1;
  std::uint64_t naechster_stern = (static_cast<std::uint64_t>(soll) + 9) / 10;
  int c256 = 255;
  const auto zahl = static_cast<std::uint32_t>(knoten);
  // The buckets are drawn ahead, so that the bucket heads and the nodes a
  // drop will touch are on their way to the cache when it comes.
  constexpr std::uint32_t VORAUS = 32;
  std::uint32_t vorrat[VORAUS];
  for (std::uint32_t i = 0; i < VORAUS && i < zahl; ++i) {
    vorrat[i] = Random(raten_eimer);
    __builtin_prefetch(&MISCHFELD[vorrat[i]], 1);
    __builtin_prefetch(&MISCHZ[vorrat[i]], 1);
  }
  for (std::uint32_t k = 1; k <= zahl; ++k) {
    if (c256 == 255) {
      c256 = 0;
      SCHREIBE_ZEIT_ORB();
      if (abbruch_taste()) {
        abbrechen(ok);
        return;
      }
    } else {
      ++c256;
    }
    if ((!leer || cnt[0] == 0) && (wdh || doppelt == 0) && fuellstand > 0) {
      std::uint64_t* satz = raten_loes + static_cast<std::size_t>(--fuellstand) * raten_loes_worte;
      if (raten_loes_worte == 1) {
        satz[0] = pos | zwei << ab | eins << (ab + n);
      } else {
        satz[0] = pos | zwei << ab;
        satz[1] = eins;
      }
    }
    VERSLOE = k;
    const std::uint32_t platz = (k - 1) % VORAUS;
    const std::uint32_t b = vorrat[platz];
    if (k + VORAUS <= zahl) {
      const std::uint32_t neu = Random(raten_eimer);
      vorrat[platz] = neu;
      __builtin_prefetch(&MISCHFELD[neu], 1);
      __builtin_prefetch(&MISCHZ[neu], 1);
    }
    if (k + 16 <= zahl) {
      if (const std::uint32_t h = MISCHFELD[vorrat[(k + 15) % VORAUS]])
        __builtin_prefetch(&vor(h), 1);
    }
    if (k + 8 <= zahl) {
      if (const std::uint32_t h = MISCHFELD[vorrat[(k + 7) % VORAUS]])
        __builtin_prefetch(&vor(rueck(h)), 1);
    }
    if (k + 4 <= zahl) {
      if (const std::uint32_t h = MISCHFELD[vorrat[(k + 3) % VORAUS]])
        __builtin_prefetch(&vor(vor(rueck(h))), 1);
    }
    in_eimer(k, b);

    ++GERATENE_VERSUCHE;
    SETZEZEITLETZTERVERSUCH = true;
    if (GERATENE_VERSUCHE >= naechster_stern) {
      std::uint64_t q = static_cast<std::uint64_t>(GERATENE_VERSUCHE) * 10 / soll;
      if (q > 10) q = 10;
      QU_10_2 = static_cast<std::uint8_t>(q);
      if (QU_10_2 > ZAHL_DER_STERNE) {
        schreibe_sterne(QU_10_2);
        ZAHL_DER_STERNE = QU_10_2;
      }
      naechster_stern = q >= 10 ? ~std::uint64_t{0} : ((q + 1) * soll + 9) / 10;
    }

    if (k == zahl) break;
    if (d[0] < n) {
      setze(0, d[0] + 1);
    } else {
      int j = 1;
      while (j < l && d[j] >= n) ++j;
      if (j >= l) break;
      setze(j, d[j] + 1);
      for (int i = 0; i < j; ++i) setze(i, s);
    }
  }

  // 8. The buckets joined into the trial list; the backward links go.
  eimer_verbinden();
  for (std::uint32_t k = 1; k <= zahl; ++k) paare[k - 1] = vor(k);
  void* klein = std::realloc(paare, static_cast<std::size_t>(zahl) * 4);
  raten_glied = klein ? static_cast<std::uint32_t*>(klein) : paare;
  paare = nullptr;
  raten_belegt -= static_cast<std::size_t>(zahl) * 4;

  // 9.-11.
  SCHREIBE_ZEIT_ORB();
  if (abbruch_taste()) {
    abbrechen(ok);
    return;
  }
  ERLAUBT = raten_loes_zahl ? raten_pos_knoten(raten_loes_pos(0)) : 0;
  SCHREIBE_ZEIT_ORB();
  if (abbruch_taste()) {
    abbrechen(ok);
    return;
  }
  // 12.
  ZEITLIMIT_GR_0 = ZEITLIMIT > 0;
  // The trial list holds every node built (the conditions' count leaves the
  // vacant sign out for a single sign).
  ZAHLGESAMTVERSUCHE = zahl;
}
