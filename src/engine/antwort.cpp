// The second half of the computer's turn: the answer to its trial (computed,
// or typed by the human encoder and accepted only when some remaining secret
// could give it), the narrowing of the solutions, what is known about the
// signs, and the pruning of the trial list.
#include <cstring>

#include "console/console.h"
#include "engine/kvspiel.h"

namespace {

int feld(std::uint64_t pos, int i) {
  return static_cast<int>((pos >> (6 * (i - 1))) & 63);
}

// The signs eliminated in this turn, in the order they were found; trials
// holding a sign of the mask leave the trial list.
struct Streichliste {
  std::uint64_t maske = 0;
  int zeichen[37];
  int zahl = 0;

  void nimm(int c) {
    maske |= std::uint64_t{1} << (c - 1);
    zeichen[zahl++] = c;
  }
  // The last sign found stays in the trials, as a known-absent filler.
  void letztes_behalten() { maske &= ~(std::uint64_t{1} << (zeichen[--zahl] - 1)); }
};

int moegliche_zeichen() {
  int frei = 0;
  for (int c = 1; c <= MAXFARBE; ++c) frei += ERL_FARBE[c] ? 1 : 0;
  return frei;
}

// The answer when the computer devised the secret: against the fixed
// secret, against the last code left, or else the largest class of the
// trial (the earliest in the preference order among equals).
void rechne_antwort(const code& versuch_code, const Versuchsbild& bild, const int (&anzahl)[37],
                    const std::int32_t* beste, std::uint8_t& p, int& t) {
  const int l = X.laenge;
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
    const int k = groesste_klasse([beste](int kt, int kp) { return beste[kt * 10 + kp]; });
    p = POS_ORD[k];
    t = ZEI_ORD[k];
  }
}

void schreibe_rechnerantwort(std::uint8_t p, std::uint8_t z) {
  WXMINUS1 = static_cast<std::uint16_t>(WX - 1);
  WO = (WY - 1u) * 160u + WXMINUS1 * 2u;
  GOTOXY(WX, WY);
  WRITE(p);
  GOTOXY(WX + 2, WY);
  WRITE(z);
  GOTOXY(WX + 2, WY);
  if (p == X.laenge) signalton();
}

// The human encoder types P and Z, taken only when some class of the trial
// holds them. False on Esc or Ctrl-C.
bool frage_antwort(const std::int32_t* beste, std::uint8_t& p, int& t) {
  const int l = X.laenge;
  X3I = WX;
  X4I = static_cast<std::uint16_t>(WX + 2);
  WXMINUS1 = static_cast<std::uint16_t>(WX - 1);
  WOP = (WY - 1u) * 160u + WXMINUS1 * 2u;
  WOZ = WOP + 4;
  signalton();
  bool moeglich[10][10] = {};
  for (int s = 0; s <= l; ++s)
    for (int q = 0; q <= s; ++q) moeglich[s][q] = beste[s * 10 + q] > 0;
  std::uint8_t getippt_t = 0;
  const bool gegeben = lies_menschliche_antwort(moeglich, X3I, X4I, WY, p, getippt_t);
  t = getippt_t;
  return gegeben;
}

// The answer, computed or typed, on the board; thinking time runs again
// from here. False on Esc or Ctrl-C.
bool hole_antwort(const code& versuch_code, const Versuchsbild& bild, const int (&anzahl)[37],
                  const std::int32_t* beste, std::uint8_t& p, std::uint8_t& z) {
  int t = 0;
  if (X.pc_kodiert) {
    rechne_antwort(versuch_code, bild, anzahl, beste, p, t);
    z = static_cast<std::uint8_t>(t - p);
    schreibe_rechnerantwort(p, z);
    return true;
  }
  const bool gegeben = frage_antwort(beste, p, t);
  if (gegeben) z = static_cast<std::uint8_t>(t - p);
  RATENDRAN = true;
  return gegeben;
}

// Answer 0/0: every still possible sign of the trial is out.
void streiche_versuchszeichen(const int (&anzahl)[37], Streichliste& liste) {
  for (int c = MAXFARBE; c >= 1; --c) {
    if (anzahl[c] && ERL_FARBE[c]) {
      ERL_FARBE[c] = false;
      liste.nimm(c);
      FEHLZEICHEN = static_cast<std::uint8_t>(c);
    }
  }
  ZAEHLE_VORH_FARBE = static_cast<std::uint8_t>(moegliche_zeichen());
}

// The solutions that remain after the answer. False on Esc or Ctrl-C.
bool verenge_loesungen(const Versuchsbild& bild, const int (&anzahl)[37], std::uint8_t p,
                       std::uint8_t z, Streichliste& liste) {
  if (p == 0 && z == 0) {
    streiche_versuchszeichen(anzahl, liste);
    return raten_verenge(bild, 0, 0);
  }
  return raten_verenge(bild, KENNEALLEFARBEN ? -1 : p + z, p);
}

// One or two solutions left: they alone are the trials.
void nur_noch_loesungen() {
  AEQUI_KLASSE = false;
  ZAHLGESAMTVERSUCHE = raten_loes_zahl;
  for (std::uint32_t i = 0; i < raten_loes_zahl; ++i)
    raten_folge[i] = raten_pos_knoten(raten_loes_pos(i));
  raten_anfang = 0;
  raten_enden();
}

// The signs that can still occur: those of the trial when it holds them
// all, else those of the remaining solutions. The others are out.
void streiche_fehlende_zeichen(const int (&anzahl)[37], std::uint8_t p, std::uint8_t z,
                               Streichliste& liste) {
  VORH_FARBE = {};
  int zahl = 0;
  if (p + z == X.laenge) {
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
      liste.nimm(c);
    }
}

// With few signs left one eliminated sign stays in the trials as a filler,
// and a filler used up is given back.
void behalte_fuellzeichen(Streichliste& liste) {
  if (liste.zahl > 0 && moegliche_zeichen() < 3 && X.laenge > 3 && !ALLE_F_LOESCHEN) {
    ALLE_F_LOESCHEN = true;
    liste.letztes_behalten();
  }
  if (FEHLZ_BENUTZT && liste.zahl > 0) {
    liste.letztes_behalten();
    FEHLZ_BENUTZT = false;
  }
}

// What the answer tells about the signs. False on Esc or Ctrl-C.
bool lerne_zeichen(const int (&anzahl)[37], std::uint8_t p, std::uint8_t z, Streichliste& liste) {
  if (!(p == 0 && z == 0)) streiche_fehlende_zeichen(anzahl, p, z, liste);
  if (abbruch_abfragen()) return false;
  behalte_fuellzeichen(liste);
  return true;
}

void gemeinsames_ende(const int (&anzahl)[37], std::uint8_t p) {
  const int l = X.laenge;
  if (AEQUI_KLASSE) NEUER_ANFANG();
  if (ZAEHLE_VORH_FARBE == l && !X.wiederholung) KENNEALLEFARBEN = true;
  for (int c = 1; c <= MAXFARBE; ++c)
    if (anzahl[c]) GESPIELT[c] = true;
  if (p == l) {
    SPEICHER_FREIGEBEN(true);
    ZEITEIN = false;
  }
}

}  // namespace

void raten_antwort_und_verengung(code& versuch_code, std::uint64_t pos, bool eroeffnung,
                                 std::uint32_t knoten, std::uint32_t stelle,
                                 const std::int32_t* beste, std::uint8_t& p, std::uint8_t& z,
                                 unsigned char& taste) {
  const int l = X.laenge;
  raten_gespielt_merken(pos);
  Versuchsbild bild;
  raten_bild(pos, bild);
  int anzahl[37] = {};
  for (int i = 1; i <= l; ++i) ++anzahl[feld(pos, i)];

  if (!hole_antwort(versuch_code, bild, anzahl, beste, p, z)) return abbruch_aufraeumen(taste);
  raten_zug_beginn = uhr_jetzt();  // the next turn begins with the answer
  if (p > 0 || z > 0) AEQUI_KLASSE = false;

  std::uint32_t weg = ~0u;  // the played trial's index in the trial list
  std::uint64_t raus = 0;   // trials holding these signs leave the list
  Streichliste liste;
  if (p == l) {
    LOESUNG = versuch_code;
  } else {
    if (!verenge_loesungen(bild, anzahl, p, z, liste)) return abbruch_aufraeumen(taste);
    if (raten_loes_zahl == 1 || raten_loes_zahl == 2) {
      nur_noch_loesungen();
    } else {
      // The played trial leaves the list with the pruning below.
      if (!eroeffnung && knoten) weg = stelle;
      const unsigned char k = taste_abfragen();
      if (k == TASTE_CTRL_B || ist_abbruchtaste(k)) return abbruch_aufraeumen(taste);
      if (!KENNEALLEFARBEN) {
        if (!lerne_zeichen(anzahl, p, z, liste)) return abbruch_aufraeumen(taste);
        raus = liste.maske;
      }
    }
  }
  if ((weg != ~0u || raus) && !raten_folge_filtern(weg, raus)) return abbruch_aufraeumen(taste);
  gemeinsames_ende(anzahl, p);
}
