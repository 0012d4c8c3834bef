// The second half of the computer's turn: the answer to its trial (computed,
// or typed by the human encoder and accepted only when some remaining secret
// could give it), the narrowing of the solutions, what is known about the
// signs, and the pruning of the trial list.
#include <cstring>

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {

void ton() {
  if (!X.ton) return;
  SOUND(ton_hoehe);
  DELAY(ton_dauer);
  NOSOUND();
}

void abbrechen(unsigned char& taste) {
  taste = 27;
  SPEICHER_FREIGEBEN(true);
  ZEITEIN = false;
}

int feld(std::uint64_t pos, int i) {
  return static_cast<int>((pos >> (6 * (i - 1))) & 63);
}

}  // namespace

void raten_antwort_und_verengung(code& versuch_code, std::uint64_t pos, bool eroeffnung,
                                 std::uint32_t knoten, std::uint32_t stelle,
                                 const std::int32_t* beste, std::uint8_t& p, std::uint8_t& z,
                                 unsigned char& taste) {
  const int l = X.laenge;
  Versuchsbild bild;
  raten_bild(pos, bild);
  int anzahl[37] = {};
  for (int i = 1; i <= l; ++i) ++anzahl[feld(pos, i)];

  // 1./2. The answer.
  int t = 0;
  if (X.pc_kodiert) {
    if (X.fest) {
      p = 0;
      for (int i = 1; i <= l; ++i)
        if (versuch_code[i] == LOESUNG[i]) ++p;
      for (int c = 1; c <= MAXFARBE; ++c)
        t += LOESUNGSFARBEN[c] < anzahl[c] ? LOESUNGSFARBEN[c] : anzahl[c];
    } else if (raten_loes_zahl == 1) {
      int pi;
      raten_antwort(bild, 0, t, pi);
      p = static_cast<std::uint8_t>(pi);
    } else {
      int beste_k = 1;
      for (int k = 2; k <= ZAHL_DER_GRUPPEN; ++k)
        if (beste[ZEI_ORD[k] * 10 + POS_ORD[k]] > beste[ZEI_ORD[beste_k] * 10 + POS_ORD[beste_k]])
          beste_k = k;
      p = POS_ORD[beste_k];
      t = ZEI_ORD[beste_k];
    }
    z = static_cast<std::uint8_t>(t - p);
    WXMINUS1 = static_cast<std::uint16_t>(WX - 1);
    WO = (WY - 1u) * 160u + WXMINUS1 * 2u;
    GOTOXY(WX, WY);
    WRITE(p);
    GOTOXY(WX + 2, WY);
    WRITE(z);
    GOTOXY(WX + 2, WY);
    if (p == l) ton();
  } else {
    X3I = WX;
    X4I = static_cast<std::uint16_t>(WX + 2);
    WXMINUS1 = static_cast<std::uint16_t>(WX - 1);
    WOP = (WY - 1u) * 160u + WXMINUS1 * 2u;
    WOZ = WOP + 4;
    ton();
    bool moeglich[10][10] = {};
    for (int s = 0; s <= l; ++s)
      for (int q = 0; q <= s; ++q) moeglich[s][q] = beste[s * 10 + q] > 0;
    std::uint8_t getippt_t = 0;
    if (!lies_menschliche_antwort(moeglich, X3I, X4I, WY, p, getippt_t)) {
      RATENDRAN = true;
      abbrechen(taste);
      return;
    }
    t = getippt_t;
    z = static_cast<std::uint8_t>(t - p);
    RATENDRAN = true;
  }

  // The next turn begins with the answer.
  raten_zug_beginn = uhr_jetzt();

  // 3.
  if (p > 0 || z > 0) AEQUI_KLASSE = false;

  bool ende = false;
  std::uint32_t weg = ~0u;  // the played trial's index in the trial list
  std::uint64_t raus = 0;   // trials holding these signs leave the list
  std::uint64_t liste = 0;  // signs eliminated in this turn
  int liste_zeichen[37], liste_zahl = 0;
  if (p == l) {
    // 4. Solved.
    LOESUNG = versuch_code;
    ende = true;
  } else {
    // 5. The solutions that remain.
    if (p == 0 && z == 0) {
      for (int c = MAXFARBE; c >= 1; --c) {
        if (anzahl[c] && ERL_FARBE[c]) {
          ERL_FARBE[c] = false;
          liste |= std::uint64_t{1} << (c - 1);
          liste_zeichen[liste_zahl++] = c;
          FEHLZEICHEN = static_cast<std::uint8_t>(c);
        }
      }
      int frei = 0;
      for (int c = 1; c <= MAXFARBE; ++c) frei += ERL_FARBE[c] ? 1 : 0;
      ZAEHLE_VORH_FARBE = static_cast<std::uint8_t>(frei);
    }
    if (!raten_verenge(bild, p == 0 && z == 0 ? 0 : (KENNEALLEFARBEN ? -1 : p + z), p)) {
      abbrechen(taste);
      return;
    }

    // 6. One or two left: they alone are the trials.
    if (raten_loes_zahl == 1 || raten_loes_zahl == 2) {
      AEQUI_KLASSE = false;
      ZAHLGESAMTVERSUCHE = raten_loes_zahl;
      for (std::uint32_t i = 0; i < raten_loes_zahl; ++i)
        raten_folge[i] = raten_pos_knoten(raten_loes_pos(i));
      raten_anfang = 0;
      raten_enden();
      ende = true;
    } else {
      // The played trial leaves the list with the pruning below.
      if (!eroeffnung && knoten) weg = stelle;
      if (KEYPRESSED()) {
        const unsigned char k = READKEY();
        if (k == 0) {
          READKEY();
        } else if (k == 2 || k == 3 || k == 27) {
          abbrechen(taste);
          return;
        }
      }
    }
  }

  // 7. What is known about the signs.
  if (!ende && !KENNEALLEFARBEN) {
    if (!(p == 0 && z == 0)) {
      VORH_FARBE = {};
      int zahl = 0;
      if (p + z == l) {
        KENNEALLEFARBEN = true;
        for (int c = 1; c <= MAXFARBE; ++c)
          if (anzahl[c]) {
            VORH_FARBE[c] = true;
            ++zahl;
          }
      } else {
        const std::uint64_t vorhanden = raten_vorhandene_zeichen();
        for (int c = 1; c <= MAXFARBE; ++c)
          if ((vorhanden >> (c - 1)) & 1) {
            VORH_FARBE[c] = true;
            ++zahl;
          }
      }
      ZAEHLE_VORH_FARBE = static_cast<std::uint8_t>(zahl);
      for (int c = MAXFARBE; c >= 1; --c)
        if (ERL_FARBE[c] && !VORH_FARBE[c]) {
          ERL_FARBE[c] = false;
          liste |= std::uint64_t{1} << (c - 1);
          liste_zeichen[liste_zahl++] = c;
        }
    }
    if (KEYPRESSED()) {
      const unsigned char k = READKEY();
      if (k == 0) {
        READKEY();
      } else if (k == 3 || k == 27) {
        abbrechen(taste);
        return;
      }
    }
    int frei = 0;
    for (int c = 1; c <= MAXFARBE; ++c) frei += ERL_FARBE[c] ? 1 : 0;
    if (liste_zahl > 0 && frei < 3 && l > 3 && !ALLE_F_LOESCHEN) {
      ALLE_F_LOESCHEN = true;
      liste &= ~(std::uint64_t{1} << (liste_zeichen[--liste_zahl] - 1));
    }
    if (FEHLZ_BENUTZT && liste_zahl > 0) {
      liste &= ~(std::uint64_t{1} << (liste_zeichen[--liste_zahl] - 1));
      FEHLZ_BENUTZT = false;
    }
    raus = liste;
  }
  if ((weg != ~0u || raus) && !raten_folge_filtern(weg, raus)) {
    abbrechen(taste);
    return;
  }

  // 8. Common end.
  if (AEQUI_KLASSE) NEUER_ANFANG();
  if (ZAEHLE_VORH_FARBE == l && !X.wiederholung) KENNEALLEFARBEN = true;
  for (int c = 1; c <= MAXFARBE; ++c)
    if (anzahl[c]) GESPIELT[c] = true;
  if (p == l) {
    SPEICHER_FREIGEBEN(true);
    ZEITEIN = false;
  }
}
