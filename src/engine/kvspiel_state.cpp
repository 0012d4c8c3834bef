// Definitions of the engine's module-level state and its reset.
#include <cstring>

#include "engine/kvspiel.h"

const std::uint32_t SPEICHERBUDGET[9] = {0,         673280,    5386240,   43089920,   86179840,
                                         172359680, 344719360, 689438720, 2007952544u};
const char* const SPEICHERTEXT[9] = {"",        "  1 MiB", "  8 MiB", " 64 MiB", "128 MiB",
                                     "256 MiB", "512 MiB", "  1 GiB", "  2 GiB"};

// ---- conditions, keys and language
bedingung X;
bool SP_D;
bool OK;
unsigned char A;
bool LEERZEICHEN;

// ---- signs and numbering
std::uint8_t MAXFARBE;
std::uint8_t XMINPLUS20, PLUS20KOMPL, XMINPLUS34, XMINPLUS59, XMINPLUS95;
Indexed<std::uint8_t, '0', 'z'> NRARRAY;
Indexed<char, 0, 36> FARBARRAY;
Indexed<char, 1, 36> FARBARRAY2;

// ---- scoring, answer classes and guaranteed trial counts
code LOESUNG;
farbfeld LOESUNGSFARBEN;
matrix_reihenfolge ZEI_ORD, POS_ORD;
std::uint8_t ZAHL_DER_GRUPPEN;
std::uint8_t LETZTEZAHL;
std::int64_t OBERGRENZE;

// ---- the signal tone
std::uint16_t ton_dauer, ton_hoehe;

// ---- board
vfeld V30;
position X1, X2, X3, X4;

// ---- memory budget, node sizes and capacity
std::uint32_t MEMAVAIL_ORB;
std::int64_t MERKEMEMAVAIL;
std::uint32_t MEMGES;
bool GEAENDERT;
Indexed<std::uint8_t, 2, 9> ZAEHLEFARBEN;
Indexed<std::uint8_t, 2, 9> MERKEZAEHLEFARBEN;
bool KANN_RATEN;
bool KANN_MOGELN;
std::uint16_t SIZERATEN, SIZEMOGELN;
std::uint32_t SIZERATENPTR, SIZEMOGELNPTR;
std::uint32_t MEMRATE;
std::uint64_t MEMLOES;
bool NOTINVERS;

// ---- store heads
std::uint32_t VERS, ERL, VERSLOE, ERLLOE;

// ---- clocks, dates and time limit
std::uint32_t ZEITLIMIT, ZEITLIMIT99, ZEITLIMIT_DIV_10;
std::uint16_t STD, MIN, SEK, HSEK;
std::uint16_t JAHR, MONAT, TAG, WOTAG;
std::uint16_t TAGES_WECHSEL;
bool ZEITEIN;
bool VIRTUALDATE, VIRTUALOLDDATE;
std::uint16_t VIRJ1, VIRM1, VIRT1, VIRWT1;
std::uint16_t VIRJ2, VIRM2, VIRT2, VIRWT2;
std::uint16_t STD_MOD24;
bool SCHALT_J;
std::uint16_t STD_ALT, MIN_ALT, SEK_ALT, TAG_ALT;
std::uint16_t STD_SPIEL, MIN_SPIEL, SEK_SPIEL;
std::uint16_t STD_RATEN, MIN_RATEN, SEK_RATEN;
std::uint16_t STD_ANTW, MIN_ANTW, SEK_ANTW;
std::uint16_t STD_GERATEN, MIN_GERATEN, SEK_GERATEN;
std::uint16_t STD_REST, MIN_REST, SEK_REST;
std::uint16_t STD_ALT_SPIEL, MIN_ALT_SPIEL, SEK_ALT_SPIEL;
std::uint16_t STD_ALT_RATEN, MIN_ALT_RATEN, SEK_ALT_RATEN;
std::uint16_t STD_ALT_ANTW, MIN_ALT_ANTW, SEK_ALT_ANTW;
std::uint16_t STD_GERATEN_ALT, MIN_GERATEN_ALT, SEK_GERATEN_ALT;
std::uint16_t STD_REST_ALT, MIN_REST_ALT, SEK_REST_ALT;
bool STD_SPIEL_KL100, STD_RATEN_KL100, STD_ANTW_KL100, ZEIT_GERATEN_KL100;
std::int32_t ANFANGSZEIT, AKTUELLEZEIT, HILFSZEIT, MERKE_RATE_ZEIT, RATE_ZEIT;
std::int32_t MERKE_RATE_ZEIT_AKT, MERKEZEITLETZTERVERSUCH, SPIELZEIT, RESTZEIT, RESTZEIT2;
bool RATENDRAN, RATENDRAN_ALT, SETZE_RATE_ZEIT_AKT, SETZEZEITLETZTERVERSUCH;
bool RATEN_ZEITANZEIGE, NEUER_KANDIDAT, ZEITLIMIT_GR_0;
code kandidat_anzeige;
std::uint32_t GERATENE_VERSUCHE, ZAHL_DER_VERSUCHE, NUMMER_PLUS, ZAHL_DER_STERNE;

// ---- keyboard input of codes and answers
std::uint16_t WX, WY, WXMINUS1;
std::uint16_t K;
std::uint16_t X3I, X4I, X3IMINUS1;
std::uint16_t WOP, WOZ;
std::uint16_t WXX, WYY;
std::int32_t NUMMER;
bool ZURUECK;

// ---- the encoder with a variable answer code
std::uint64_t* mogel_bloecke[MOGEL_MAX_BLOECKE];
std::uint32_t mogel_zahl_bloecke;
std::uint64_t mogel_belegt;
std::uint64_t mogel_belegt_max;
bool mogel_ohne_wdh;
std::int32_t mogel_fehler_bei_block = -1;
std::uint32_t KLASSEN_ZAHL[256];
// ---- the codebreaker
alignas(2097152) TMischMasch MISCHFELD;
TMischZaehl MISCHZ;
std::uint32_t ERLAUBT, SCHLUSSLICHT, AKTUELL;
std::uint32_t* raten_folge;
std::uint32_t raten_anfang;
std::int32_t raten_zug_beginn = -1;
std::uint32_t raten_faeden;
std::uint64_t raten_block_paare = RATEN_BLOCK_PAARE;
std::uint64_t raten_parallel_ab = RATEN_PARALLEL_AB;
std::uint32_t raten_knoten;
std::uint8_t* raten_loes;
std::uint32_t raten_loes_zahl;
std::uint32_t raten_loes_platz;
std::uint8_t raten_loes_laenge;
bool raten_loes_ganz;
std::uint64_t raten_loes_zeichen;
bool raten_loes_zeichen_genau;
RatenKern raten_kern_wahl = RatenKern::automatisch;
std::uint64_t raten_belegt, raten_belegt_max;
std::int32_t raten_fehler_bei = -1;
std::uint32_t raten_eimer = MISCHGROESSE;
std::uint8_t FARBE0, FARBEPL, FARBE1, FARBE2, FARBE3, ENDFARBE, ENDFARBEPL1;
bool GENUGPLATZ;
Indexed<bool, 0, 36> ERL_FARBE, GESPIELT, VORH_FARBE;
std::uint8_t ZAEHLE_VORH_FARBE;
bool KENNEALLEFARBEN;
std::uint8_t FEHLZEICHEN;
bool FEHLZ_BENUTZT, ALLE_F_LOESCHEN;
bool AEQUI_KLASSE;
bool MERKE_WDHG;
bool F6_GEDR;
std::uint16_t UNTERBR;
std::uint32_t ZAHLGESAMTVERSUCHE;
std::uint8_t QU_10_2;
Indexed<std::uint8_t, 0, 36> PERMZ, PERMF, PERMZTM, PERMFTM;
Indexed<std::uint8_t, 0, 36> ZAHLENREIHENFOLGE, FARBENREIHENFOLGE;
Indexed<std::uint8_t, 0, 36> ZAHLENREIHENFOLGETM, FARBENREIHENFOLGETM;
std::uint8_t HILFZAHLREIHENFOLGE, HILFFARBREIHENFOLGE;
std::uint8_t HILFZAHLREIHENFOLGETM, HILFFARBREIHENFOLGETM;
liste ANFANG;
std::uint32_t WO;
bool ALLESTERNEDRUCKEN = true;

void kvspiel_reset() {
  std::memset(&X, 0, sizeof X);
  SP_D = true;
  OK = true;
  A = 0;
  LEERZEICHEN = false;

  MAXFARBE = 0;
  XMINPLUS20 = PLUS20KOMPL = XMINPLUS34 = XMINPLUS59 = XMINPLUS95 = 0;
  NRARRAY = {};
  FARBARRAY = {};
  FARBARRAY2 = {};

  std::memset(&LOESUNG, ' ', sizeof LOESUNG);
  LOESUNGSFARBEN = {};
  ZEI_ORD = {};
  POS_ORD = {};
  ZAHL_DER_GRUPPEN = 0;
  LETZTEZAHL = 0;
  OBERGRENZE = INT64_MAX;

  ton_dauer = 500;
  ton_hoehe = 440;
  V30 = {};
  X1 = {{42, 62}};
  X2 = {};
  X3 = {{56, 76}};
  X4 = {{58, 78}};

  MEMAVAIL_ORB = SPEICHERBUDGET[8];
  MERKEMEMAVAIL = -5;
  MEMGES = 0;
  GEAENDERT = false;
  ZAEHLEFARBEN = {};
  MERKEZAEHLEFARBEN = {};
  KANN_RATEN = KANN_MOGELN = false;
  SIZERATEN = SIZEMOGELN = 0;
  SIZERATENPTR = SIZEMOGELNPTR = 0;
  MEMRATE = 0;
  MEMLOES = 0;
  NOTINVERS = true;

  VERS = ERL = VERSLOE = ERLLOE = 0;

  ZEITLIMIT = ZEITLIMIT99 = ZEITLIMIT_DIV_10 = 0;
  STD = MIN = SEK = HSEK = 0;
  JAHR = MONAT = TAG = WOTAG = 0;
  TAGES_WECHSEL = 0;
  ZEITEIN = false;
  VIRTUALDATE = false;
  VIRTUALOLDDATE = true;
  VIRJ1 = VIRM1 = VIRT1 = VIRWT1 = 0;
  VIRJ2 = VIRM2 = VIRT2 = VIRWT2 = 0;
  STD_MOD24 = 0;
  SCHALT_J = false;
  STD_ALT = MIN_ALT = SEK_ALT = TAG_ALT = 0;
  uhren_nullstellen();
  ANFANGSZEIT = AKTUELLEZEIT = HILFSZEIT = MERKE_RATE_ZEIT = RATE_ZEIT = 0;
  MERKE_RATE_ZEIT_AKT = MERKEZEITLETZTERVERSUCH = SPIELZEIT = RESTZEIT = RESTZEIT2 = 0;
  RATENDRAN = RATENDRAN_ALT = SETZE_RATE_ZEIT_AKT = SETZEZEITLETZTERVERSUCH = false;
  RATEN_ZEITANZEIGE = NEUER_KANDIDAT = ZEITLIMIT_GR_0 = false;
  std::memset(&kandidat_anzeige, ' ', sizeof kandidat_anzeige);
  GERATENE_VERSUCHE = ZAHL_DER_VERSUCHE = NUMMER_PLUS = ZAHL_DER_STERNE = 0;

  WX = WY = WXMINUS1 = 0;
  K = 0;
  X3I = X4I = X3IMINUS1 = 0;
  WOP = WOZ = 0;
  WXX = WYY = 0;
  NUMMER = 0;
  ZURUECK = false;

  mogeln_speicher_freigeben();
  mogel_belegt_max = 0;
  mogel_ohne_wdh = false;
  mogel_fehler_bei_block = -1;
  std::memset(KLASSEN_ZAHL, 0, sizeof KLASSEN_ZAHL);
  raten_speicher_freigeben();
  raten_eimer = MISCHGROESSE;
  raten_faeden = 0;
  raten_zug_beginn = -1;
  raten_block_paare = RATEN_BLOCK_PAARE;
  raten_parallel_ab = RATEN_PARALLEL_AB;
  INITFELD();
  raten_belegt_max = 0;
  raten_fehler_bei = -1;
  raten_kern_wahl = RatenKern::automatisch;
  FARBE0 = FARBEPL = FARBE1 = FARBE2 = FARBE3 = ENDFARBE = ENDFARBEPL1 = 0;
  GENUGPLATZ = false;
  ERL_FARBE = {};
  GESPIELT = {};
  VORH_FARBE = {};
  ZAEHLE_VORH_FARBE = 0;
  KENNEALLEFARBEN = false;
  FEHLZEICHEN = 0;
  FEHLZ_BENUTZT = ALLE_F_LOESCHEN = false;
  AEQUI_KLASSE = false;
  MERKE_WDHG = false;
  F6_GEDR = false;
  UNTERBR = 0;
  ZAHLGESAMTVERSUCHE = 0;
  QU_10_2 = 0;
  PERMZ = PERMF = PERMZTM = PERMFTM = {};
  ZAHLENREIHENFOLGE = FARBENREIHENFOLGE = ZAHLENREIHENFOLGETM = FARBENREIHENFOLGETM = {};
  HILFZAHLREIHENFOLGE = HILFFARBREIHENFOLGE = HILFZAHLREIHENFOLGETM = HILFFARBREIHENFOLGETM = 0;
  ANFANG = {};
  WO = 0;
  ALLESTERNEDRUCKEN = true;
}
