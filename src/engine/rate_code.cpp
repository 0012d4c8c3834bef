// The computer's trial choice: the search over the trial list (each trial
// scored against the solution list), the reduction to one trial per exchange
// class of unplayed signs, the forced decision and the time limit.
#include <climits>
#include <cstring>

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {
void schreibe_pos(std::uint64_t pos) {
  const code c = raten_pos_code(pos);
  for (int i = 1; i <= X.laenge; ++i) WRITE(c[i]);
}

// Signs (bit c - 1 for sign c) of a packed code.
std::uint64_t zeichen_von(std::uint64_t pos, int l) {
  std::uint64_t m = 0;
  for (int i = 0; i < l; ++i) {
    const int c = static_cast<int>((pos >> (6 * i)) & 63);
    if (c) m |= std::uint64_t{1} << (c - 1);
  }
  return m;
}

}  // namespace

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
  if (t == 3 || t == 27) return true;
  if (t == 0) {
    const unsigned char e = READKEY();
    if ((e == 62 || e == 64 || e == 87 || e == 89 || e == 97 || e == 99 || e == 107 || e == 109) &&
        !eroeffnung)
      F6_GEDR = true;
  }
  return false;
}

void RATE_CODE(code& versuch_code, std::uint8_t& p, std::uint8_t& z, unsigned char& taste) {
  const int l = X.laenge;

  // 1. Entry.
  F6_GEDR = false;
  RATENDRAN = true;
  bool reduzieren = ZAEHLE_VORH_FARBE > 2;
  ZAHL_DER_VERSUCHE = ZAHLGESAMTVERSUCHE;
  SPIELZEIT = 0;
  RESTZEIT = 0;
  ZEIT_GERATEN_KL100 = true;
  p = 0;
  z = 0;
  ZAEHLE_VORH_FARBE = 0;
  NUMMER_PLUS = static_cast<std::uint32_t>(NUMMER + 6);

  // 2. The last candidate is played at once.
  if (ZAHLGESAMTVERSUCHE == 1 || raten_loes_zahl == 1) {
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
    return;
  }

  // 3.
  if (ZAHLGESAMTVERSUCHE == 2 || raten_loes_zahl == 2) {
    AEQUI_KLASSE = false;
    reduzieren = false;
  }

  // 4. The start of the list.
  const bool eroeffnung = AEQUI_KLASSE;
  std::uint32_t erster = VERS;
  if (eroeffnung) {
    reduzieren = false;
    ZAHL_DER_VERSUCHE = 1;
  }
  GOTOXY(WX, WY);
  schreibe_pos(eroeffnung ? raten_anfang_pos() : raten_knoten_pos(VERS));
  GOTOXY(WX, WY);

  // 5. One trial per class of trials that differ by an exchange of unplayed signs.
  if (reduzieren) {
    int u[37], anzahl_u = 0;
    for (int c = 1; c <= MAXFARBE; ++c)
      if (!GESPIELT[c]) u[++anzahl_u] = c;
    if (anzahl_u < 2) reduzieren = false;
    if (reduzieren) {
      int w[37];
      for (int i = 1; i <= anzahl_u; ++i) FARBENREIHENFOLGE[i] = static_cast<std::uint8_t>(u[i]);
      for (int i = 1; i <= anzahl_u; ++i) {
        const int r = static_cast<int>(Random(static_cast<std::uint32_t>(anzahl_u + 1 - i))) + 1;
        HILFFARBREIHENFOLGE = static_cast<std::uint8_t>(r);
        w[i] = FARBENREIHENFOLGE[r];
        for (int j = r; j <= anzahl_u - i; ++j) FARBENREIHENFOLGE[j] = FARBENREIHENFOLGE[j + 1];
      }
      std::uint64_t ausgeschlossen = 0;
      int geordnet[10], anzahl_g = 0;
      const int ab = anzahl_u > l ? anzahl_u - l : 0;
      for (int i = 1; i <= ab; ++i) ausgeschlossen |= std::uint64_t{1} << (w[i] - 1);
      for (int i = ab + 1; i <= anzahl_u; ++i) geordnet[anzahl_g++] = w[i];
      auto kanonisch = [&](std::uint64_t pos) {
        if (zeichen_von(pos, l) & ausgeschlossen) return false;
        int erste[37];
        for (int j = 0; j < anzahl_g; ++j) erste[geordnet[j]] = 100;
        for (int i = l - 1; i >= 0; --i) erste[(pos >> (6 * i)) & 63] = i + 1;
        for (int j = 1; j < anzahl_g; ++j)
          if (erste[geordnet[j - 1]] > erste[geordnet[j]]) return false;
        return true;
      };
      std::uint64_t v_pos = 0;
      if (anzahl_u >= l)
        for (int i = 0; i < l; ++i) v_pos |= static_cast<std::uint64_t>(geordnet[i]) << (6 * i);
      std::uint32_t zahl = 0, erster_kanonisch = 0, v_knoten = 0, v_vorg = 0;
      std::uint32_t gezaehlt = 0;
      for (std::uint32_t k = VERS, vorg = 0; k; vorg = k, k = raten_naechster(k)) {
        if ((++gezaehlt & 0xFFFF) == 0 && raten_zwischenhalt(false)) {
          taste = 27;
          RATEN_ZEITANZEIGE = false;
          SPEICHER_FREIGEBEN(true);
          ZEITEIN = false;
          return;
        }
        const std::uint64_t pos = raten_knoten_pos(k);
        const bool ja = kanonisch(pos);
        raten_glied[k - 1] =
            ja ? (raten_glied[k - 1] | RATEN_MARKE) : (raten_glied[k - 1] & ~RATEN_MARKE);
        if (!ja) continue;
        ++zahl;
        if (!erster_kanonisch) erster_kanonisch = k;
        if (anzahl_u >= l && pos == v_pos) {
          v_knoten = k;
          v_vorg = vorg;
        }
      }
      if (zahl == 0) {
        // Nothing canonical is left: the search runs over the whole list.
        reduzieren = false;
      } else {
        ZAHL_DER_VERSUCHE = zahl;
        if (anzahl_u >= l) {
          GOTOXY(WX, WY);
          schreibe_pos(v_pos);
          GOTOXY(WX, WY);
          if (v_knoten && v_vorg) {
            raten_verbinde(v_vorg, raten_naechster(v_knoten));
            if (SCHLUSSLICHT == v_knoten) SCHLUSSLICHT = v_vorg;
            raten_verbinde(v_knoten, VERS);
            VERS = v_knoten;
          }
          erster = VERS;
        } else {
          GOTOXY(WX, WY);
          schreibe_pos(raten_knoten_pos(erster_kanonisch));
          GOTOXY(WX, WY);
          erster = VERS;  // the trials before it are skipped as not canonical
        }
        if (NUMMER_PLUS > ZAHL_DER_VERSUCHE) NUMMER_PLUS = ZAHL_DER_VERSUCHE;
      }
    }
  }

  // 6. Reset for the search.
  std::int32_t best_max = INT32_MAX;
  std::int64_t best_summe = OBERGRENZE;
  std::int32_t best_klassen = 0;
  bool best_loesung = false;
  std::uint32_t gleich = 2;
  ZAHL_DER_STERNE = 0;
  GERATENE_VERSUCHE = 0;
  STD_GERATEN = MIN_GERATEN = SEK_GERATEN = STD_REST = MIN_REST = SEK_REST = 0;
  STD_GERATEN_ALT = MIN_GERATEN_ALT = SEK_GERATEN_ALT = 0;
  STD_REST_ALT = MIN_REST_ALT = SEK_REST_ALT = 0;
  SETZEZEITLETZTERVERSUCH = true;
  SETZE_RATE_ZEIT_AKT = true;
  RATEN_ZEITANZEIGE = !eroeffnung;

  // 7. The search.
  std::int32_t cnt[100], beste[100] = {};
  Versuchsbild bild;
  std::uint32_t best_vorg = 0, letzter = 0;
  std::uint64_t best_pos = 0;
  bool abgebrochen = false;
  AKTUELL = 0;
  std::uint32_t k = eroeffnung ? 0 : erster, vorg = 0;
  const std::uint32_t soll = ZAHL_DER_VERSUCHE ? ZAHL_DER_VERSUCHE : 1;
  for (;;) {
    if (!eroeffnung && !k) break;
    if (!eroeffnung && reduzieren && !(raten_glied[k - 1] & RATEN_MARKE)) {
      vorg = k;
      k = raten_naechster(k);
      continue;
    }
    const std::uint64_t pos = eroeffnung ? raten_anfang_pos() : raten_knoten_pos(k);
    raten_bild(pos, bild);
    Wertung w;
    if (raten_zaehle(bild, cnt, best_max, best_summe, w)) {
      bool ersetzen = false;
      if (w.max == best_max && w.summe == best_summe && w.klassen == best_klassen &&
          w.loesung == best_loesung) {
        ersetzen = Random(gleich) == 0;
        ++gleich;
      } else if (w.max < best_max || (w.max == best_max && w.summe < best_summe) ||
                 (w.max == best_max && w.summe == best_summe &&
                  (w.klassen > best_klassen ||
                   (w.klassen == best_klassen && w.loesung && !best_loesung)))) {
        ersetzen = true;
        gleich = 2;
      }
      if (ersetzen) {
        std::memcpy(beste, cnt, sizeof cnt);
        best_max = w.max;
        best_summe = w.summe;
        best_klassen = w.klassen;
        best_loesung = w.loesung;
        AKTUELL = k;
        best_vorg = vorg;
        best_pos = pos;
        kandidat_anzeige = raten_pos_code(pos);
        NEUER_KANDIDAT = true;
      }
    }
    letzter = k;

    ++GERATENE_VERSUCHE;
    SETZEZEITLETZTERVERSUCH = true;
    raten_fortschritt(soll);

    if (raten_zwischenhalt(eroeffnung)) {
      taste = 27;
      RATEN_ZEITANZEIGE = false;
      SPEICHER_FREIGEBEN(true);
      ZEITEIN = false;
      return;
    }

    if (F6_GEDR && GERATENE_VERSUCHE > NUMMER_PLUS && SPIELZEIT > 500 &&
        (RESTZEIT > 500 || RESTZEIT < 0) &&
        (static_cast<std::int64_t>(SPIELZEIT) + RESTZEIT > 1300 ||
         static_cast<std::int32_t>(static_cast<std::uint32_t>(SPIELZEIT) +
                                   static_cast<std::uint32_t>(RESTZEIT)) < 0 ||
         RESTZEIT < 0)) {
      abgebrochen = true;
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
    if (ZEITLIMIT_GR_0 && SPIELZEIT >= static_cast<std::int64_t>(ZEITLIMIT) &&
        GERATENE_VERSUCHE > NUMMER_PLUS) {
      abgebrochen = true;
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
    if (eroeffnung || abgebrochen) break;
    vorg = k;
    k = raten_naechster(k);
  }

  // 8. After an early stop the trials not looked at come first next time.
  if (abgebrochen && !eroeffnung && ZAHLGESAMTVERSUCHE > 2 && letzter && raten_naechster(letzter)) {
    const std::uint32_t alt_schluss = SCHLUSSLICHT;
    raten_verbinde(SCHLUSSLICHT, VERS);
    VERS = raten_naechster(letzter);
    raten_verbinde(letzter, 0);
    SCHLUSSLICHT = letzter;
    if (best_vorg == 0) best_vorg = alt_schluss;
  }

  // 9. The trial on the board.
  RATEN_ZEITANZEIGE = false;
  versuch_code = raten_pos_code(best_pos);
  GOTOXY(WX, WY);
  schreibe_pos(best_pos);
  GOTOXY(35, 25);
  WRITE(SP_D ? "00.00.00 .......... benoetigte Zeit: 00.00.00"
             : "00.00.00 .......... time yet needed: 00.00.00");
  WX = static_cast<std::uint16_t>(WX + 6 + l / 2);
  GOTOXY(WX, WY);
  RATENDRAN = false;

  // 10. The answer and the narrowing.
  raten_antwort_und_verengung(versuch_code, best_pos, eroeffnung, AKTUELL, best_vorg, beste, p, z,
                              taste);
}
