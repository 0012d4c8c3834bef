// KVSPIEL, the game engine: every variable of the module, grouped by concern,
// and the engine's routines. The state lives for the whole run;
// kvspiel_reset() puts it back to its start values (for the tests).
//
// A turn in flags (clocks.cpp and store.cpp tell more): ZEITEIN, the clocks
// run, from the start of a game to its end or abort; RATENDRAN, the
// codebreaker is on the move and thinking time runs; RATEN_ZEITANZEIGE, row
// 25 shows the progress of a build or a search; SETZE_RATE_ZEIT_AKT and
// SETZEZEITLETZTERVERSUCH, requests to the clock to stamp the start of the
// search and its last item (the clock clears them); NEUER_KANDIDAT, a
// candidate waits to be shown (the clock clears it); F6_GEDR, F4 or F6 asked
// the search to decide early (cleared at the start of every turn);
// AEQUI_KLASSE, the opening phase while every answer was 0/0 (set at the
// start of a game, cleared by the first other answer or when two solutions
// or fewer remain).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// ================================================================ shared types

// A fixed array indexed LO..HI, as the engine's tables are numbered.
template <class T, int LO, int HI>
struct Indexed {
  T v[HI - LO + 1];
  T& operator[](int i) { return v[i - LO]; }
  const T& operator[](int i) const { return v[i - LO]; }
};

// A code or a trial: positions 1..9, blanks beyond the code length.
struct code {
  char z[9];
  char& operator[](int i) { return z[i - 1]; }
  const char& operator[](int i) const { return z[i - 1]; }
};

// One trial with its number and its answer.
struct versuch {
  std::int16_t nummer;
  code c;
  std::uint8_t p;
  std::uint8_t z;
};

using vfeld = Indexed<versuch, 1, 30>;                    // the 30 trials on the board
using farbfeld = Indexed<std::uint8_t, 0, 36>;            // a byte per sign number, 0 = vacant
using zahlenfeld = Indexed<std::uint8_t, 1, 9>;           // a byte per code position
using matrix_reihenfolge = Indexed<std::uint8_t, 1, 54>;  // one component of the class order
using position = Indexed<std::uint16_t, 1, 2>;            // a board column per side
using namensfeld = char[33];                              // a player name, elements 1..31 used

// The game conditions, stored byte for byte in BEDINGUN.DAT. Booleans are
// one byte each; the decisions treat any non-zero byte as true.
struct bedingung {
  std::uint8_t standardfarbe;       // 0: standard text attribute
  std::uint8_t hervorhebungsfarbe;  // 1: emphasis text attribute
  std::uint8_t zeitlimit;           // 2: time limit of the computer in tens of seconds, 0 = none
  std::uint8_t laenge;              // 3: code length 2..9
  std::uint8_t speicherwahl;        // 4: memory budget choice 1..8
  std::uint8_t reserve;             // 5: reserved setting 1..15
  char erstes_zeichen;              // 6: first sign of the range
  char letztes_zeichen;             // 7: last sign of the range
  std::uint8_t ton;                 // 8: sound on
  std::uint8_t wiederholung;        // 9: repetition of signs allowed
  std::uint8_t leerzeichen;         // 10: vacant sign allowed in trials
  std::uint8_t pc_kodiert;          // 11: the computer devises the code
  std::uint8_t pc_raet;             // 12: the computer guesses
  std::uint8_t fest;                // 13: the answer code is fixed
  namensfeld name1;                 // 14: player 1, who devises the riddle
  namensfeld name2;                 // 47: player 2, who cracks the code
};
static_assert(sizeof(bedingung) == 80, "the conditions record is 80 bytes");
static_assert(offsetof(bedingung, name1) == 14 && offsetof(bedingung, name2) == 47);

// Budget in bytes of each memory choice 1..8, and its label on the screens.
extern const std::uint32_t SPEICHERBUDGET[9];
extern const char* const SPEICHERTEXT[9];
constexpr std::uint32_t MAXSPEICHER = 2007952544u;  // the engine's upper cap of the budget

// ================================================================ engine state

// ---- types and sizes of the module's variables
using nummernfeld = Indexed<std::uint8_t, '0', 'z'>;  // a byte per sign character
using zeichenfeld = Indexed<char, 0, 36>;             // a character per sign number
using zeichenfeld_ab_1 = Indexed<char, 1, 36>;
using laengenfeld = Indexed<std::uint8_t, 2, 9>;  // a byte per code length
using zeichenmenge = Indexed<bool, 0, 36>;        // a flag per sign number
constexpr code LEERER_CODE = {{' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '}};

// The encoder with a variable answer code.
// Nodes or codes a store build makes between two calls of the clock.
constexpr std::uint32_t AUFBAU_TAKT = 256;
// The list lives in a pool of blocks of packed codes: position i of a code is
// held in bits 6(i-1)..6(i-1)+5 of one 64-bit word, as its sign number. The
// codes still possible are the first ERL entries of the pool (narrowing moves
// the survivors to the front); ERLLOE is the number of codes built, 0 when no
// list exists.
constexpr std::uint32_t MOGEL_BLOCK_BITS = 16;  // 65536 codes per block
constexpr std::uint32_t MOGEL_BLOCK = 1u << MOGEL_BLOCK_BITS;
constexpr std::uint32_t MOGEL_MAX_BLOECKE = 2048;  // room for every list the budget admits
using mogel_blockfeld = std::uint64_t* [MOGEL_MAX_BLOECKE];
using klassenzahlen = std::uint32_t[256];  // a count per answer class T x 16 + P
// The codebreaker's played trials as packed codes, and a rank per sign.
constexpr std::uint32_t RATEN_GESPIELT_MAX = 64;
using gespielte_codes = std::uint64_t[RATEN_GESPIELT_MAX];
using rangfeld = std::uint8_t[64];

// The codebreaker.
// A node as a record: only the opening trial ANFANG is kept in this form.
// payload 1..L: the sign numbers of the positions (0 = vacant sign).
struct liste {
  std::uint32_t all_link, trial_link, solution_link;
  Indexed<std::uint8_t, 1, 46> payload;
};

// The store. Node k (1..raten_knoten) is the k-th code of the enumeration;
// its code is computed from k (raten_knoten_pos), so a node holds nothing of
// its own. The creation chain is implicit: the all_link of node k is k - 1,
// VERSLOE is the newest node. The trial list is an array of node numbers in
// trial order, read as a ring: raten_folge[raten_anfang .. ZAHLGESAMTVERSUCHE)
// and then raten_folge[0 .. raten_anfang), so the rotation after an early
// stop only moves the start (the top bit of an entry is the mark of a
// canonical trial). VERS and SCHLUSSLICHT name its first and last node. The
// solution list (raten_loes) holds the codes in the order of the creation
// chain, in blocks of 64 as byte planes: per position the sign and its
// occurrence index (how often the sign stood at the positions before), 2L
// bytes a solution; loesungen_kern.h describes the layout.
constexpr std::uint32_t MISCHGROESSE = 1310720;  // buckets of the shuffle
using TMischMasch = std::uint32_t[MISCHGROESSE];
using TMischZaehl = std::uint8_t[MISCHGROESSE];
constexpr std::uint32_t RATEN_MARKE = 0x80000000u;  // canonical trial (top bit of an entry)
// The instruction set of the scoring: the best the processor has, unless a
// test or a benchmark forces one (raten_kern_erzwingen).
enum class RatenKern : std::uint8_t { automatisch, skalar, avx2, avx512 };

// One clock of the board: its hours, minutes and seconds and their last
// drawn values, all 16 bits.
#define KVSPIEL_UHR(V, h, m, s, h_alt, m_alt, s_alt) \
  V(std::uint16_t, h)                                \
  V(std::uint16_t, m)                                \
  V(std::uint16_t, s) V(std::uint16_t, h_alt) V(std::uint16_t, m_alt) V(std::uint16_t, s_alt)

// ---- the module's variables
// Every variable of KVSPIEL stands once in this list, with its start value
// and its meaning: the declarations here, the definitions in
// kvspiel_state.cpp and kvspiel_reset() all come from it, so a new variable
// cannot miss the reset. An entry is V(type, name, start value...): the start
// value may be left out (zero, false, null or empty then); a type with a
// comma gets a `using` name first. A fixed array is reset element by element;
// the stores' memory is given back before the reset forgets the pointers.
// The variables keep their plain names.
#define KVSPIEL_VARIABLEN(V)                                                                      \
  /* ---- conditions, keys and language */                                                        \
  V(bedingung, X)      /* the game conditions */                                                  \
  V(bool, SP_D, true)  /* German screens (copy of DEUTSCH) */                                     \
  V(bool, OK, true)    /* result flag of the store builders */                                    \
  V(unsigned char, A)  /* the last key read */                                                    \
  V(bool, LEERZEICHEN) /* the vacant sign is allowed in this game */                              \
  /* ---- signs and numbering */                                                                  \
  V(std::uint8_t, MAXFARBE) /* number of signs in the set */                                      \
  V(std::uint8_t, XMINPLUS20)                                                                     \
  V(std::uint8_t, PLUS20KOMPL)                                                                    \
  V(std::uint8_t, XMINPLUS34)                                                                     \
  V(std::uint8_t, XMINPLUS59)                                                                     \
  V(std::uint8_t, XMINPLUS95)                                                                     \
  V(nummernfeld, NRARRAY)         /* sign character -> number, 255 between 9 and a */             \
  V(zeichenfeld, FARBARRAY)       /* number -> sign character, 0 = "*" */                         \
  V(zeichenfeld_ab_1, FARBARRAY2) /* a second copy of FARBARRAY 1..36 */                          \
  /* ---- scoring, answer classes and guaranteed trial counts */                                  \
  V(code, LOESUNG, LEERER_CODE)          /* the code to be broken */                              \
  V(farbfeld, LOESUNGSFARBEN)            /* count of each sign number in LOESUNG */               \
  V(matrix_reihenfolge, ZEI_ORD)         /* the answer classes (T, P) in preference order: T */   \
  V(matrix_reihenfolge, POS_ORD)         /* and P */                                              \
  V(std::uint8_t, ZAHL_DER_GRUPPEN)      /* number of answer classes */                           \
  V(std::uint8_t, LETZTEZAHL)            /* code length the class order was built for */          \
  V(std::int64_t, OBERGRENZE, INT64_MAX) /* the largest signed 64-bit value */                    \
  /* ---- the signal tone */                                                                      \
  V(std::uint16_t, ton_dauer, 500) /* milliseconds */                                             \
  V(std::uint16_t, ton_hoehe, 440) /* hertz */                                                    \
  /* ---- board: the trials, and per side the columns of trial number, code, P and Z/S */         \
  V(vfeld, V30)                                                                                   \
  V(position, X1, {42, 62})                                                                       \
  V(position, X2)                                                                                 \
  V(position, X3, {56, 76})                                                                       \
  V(position, X4, {58, 78})                                                                       \
  /* ---- memory budget, node sizes and capacity */                                               \
  V(std::uint32_t, MEMAVAIL_ORB, MAXSPEICHER) /* budget in bytes (choice 8 at start) */           \
  V(std::int64_t, MERKEMEMAVAIL, -5)          /* budget at the last recomputation */              \
  V(std::uint32_t, MEMGES)                    /* usable budget */                                 \
  V(bool, GEAENDERT)                          /* the budget changed at the last recomputation */  \
  V(laengenfeld, ZAEHLEFARBEN)                /* largest sign count per code length */            \
  V(laengenfeld, MERKEZAEHLEFARBEN)           /* the values last shown on the form */             \
  V(bool, KANN_RATEN)                         /* the computer can guess under the conditions */   \
  V(bool, KANN_MOGELN)                        /* the computer can vary its code */                \
  V(std::uint16_t, SIZERATEN)                 /* node sizes of the two stores */                  \
  V(std::uint16_t, SIZEMOGELN)                                                                    \
  V(std::uint32_t, SIZERATENPTR) /* node sizes with their links */                                \
  V(std::uint32_t, SIZEMOGELNPTR)                                                                 \
  V(std::uint32_t, MEMRATE) /* nodes of the codebreaker store */                                  \
  V(std::uint64_t, MEMLOES) /* codes of the variable-code list */                                 \
  V(bool, NOTINVERS, true)                                                                        \
  /* ---- store heads and counters (0 = none) */                                                  \
  V(std::uint32_t, VERS)    /* first node of the trial list */                                    \
  V(std::uint32_t, ERL)     /* codes still possible in the encoder's list */                      \
  V(std::uint32_t, VERSLOE) /* newest node of the store */                                        \
  V(std::uint32_t, ERLLOE)  /* codes built in the encoder's list */                               \
  /* ---- clocks, dates and time limit */                                                         \
  V(std::uint32_t, ZEITLIMIT)        /* the time limit of a trial in hundredths, 0 = none */      \
  V(std::uint32_t, ZEITLIMIT99)      /* the same to the end of its last second */                 \
  V(std::uint32_t, ZEITLIMIT_DIV_10) /* a tenth of it: one star */                                \
  V(std::uint16_t, STD)              /* the time of day as last read */                           \
  V(std::uint16_t, MIN)                                                                           \
  V(std::uint16_t, SEK)                                                                           \
  V(std::uint16_t, HSEK)                                                                          \
  V(std::uint16_t, JAHR) /* the date shown */                                                     \
  V(std::uint16_t, MONAT)                                                                         \
  V(std::uint16_t, TAG)                                                                           \
  V(std::uint16_t, WOTAG)                                                                         \
  V(std::uint16_t, TAGES_WECHSEL) /* days passed on the system clock during the run */            \
  V(bool, ZEITEIN)                /* the game clocks run */                                       \
  /* The virtual game date and its following day. */                                              \
  V(bool, VIRTUALDATE)                                                                            \
  V(bool, VIRTUALOLDDATE, true)                                                                   \
  V(std::uint16_t, VIRJ1) /* the virtual date */                                                  \
  V(std::uint16_t, VIRM1)                                                                         \
  V(std::uint16_t, VIRT1)                                                                         \
  V(std::uint16_t, VIRWT1)                                                                        \
  V(std::uint16_t, VIRJ2) /* and its following day */                                             \
  V(std::uint16_t, VIRM2)                                                                         \
  V(std::uint16_t, VIRT2)                                                                         \
  V(std::uint16_t, VIRWT2)                                                                        \
  V(std::uint16_t, STD_MOD24) /* hour mod 24 */                                                   \
  V(bool, SCHALT_J)           /* leap-year flag of the last day change */                         \
  /* The last drawn date and time of day. */                                                      \
  V(std::uint16_t, STD_ALT)                                                                       \
  V(std::uint16_t, MIN_ALT)                                                                       \
  V(std::uint16_t, SEK_ALT)                                                                       \
  V(std::uint16_t, TAG_ALT)                                                                       \
  /* The clocks of the board and of the search progress line: hours, minutes and seconds, */      \
  /* and the values last drawn. */                                                                \
  KVSPIEL_UHR(V, STD_SPIEL, MIN_SPIEL, SEK_SPIEL, STD_ALT_SPIEL, MIN_ALT_SPIEL,                   \
              SEK_ALT_SPIEL) /* game duration */                                                  \
  KVSPIEL_UHR(V, STD_RATEN, MIN_RATEN, SEK_RATEN, STD_ALT_RATEN, MIN_ALT_RATEN,                   \
              SEK_ALT_RATEN) /* thinking time */                                                  \
  KVSPIEL_UHR(V, STD_ANTW, MIN_ANTW, SEK_ANTW, STD_ALT_ANTW, MIN_ALT_ANTW,                        \
              SEK_ALT_ANTW) /* answering time */                                                  \
  /* The time on the current trial, and the estimated remaining time. */                          \
  KVSPIEL_UHR(V, STD_GERATEN, MIN_GERATEN, SEK_GERATEN, STD_GERATEN_ALT, MIN_GERATEN_ALT,         \
              SEK_GERATEN_ALT)                                                                    \
  KVSPIEL_UHR(V, STD_REST, MIN_REST, SEK_REST, STD_REST_ALT, MIN_REST_ALT, SEK_REST_ALT)          \
  /* False once a clock reached 100 hours: it then stands at 99.59.59. */                         \
  V(bool, STD_SPIEL_KL100, true)                                                                  \
  V(bool, STD_RATEN_KL100, true)                                                                  \
  V(bool, STD_ANTW_KL100, true)                                                                   \
  V(bool, ZEIT_GERATEN_KL100, true)                                                               \
  /* Hundredths of a second since midnight. */                                                    \
  V(std::int32_t, ANFANGSZEIT)             /* start of the game */                                \
  V(std::int32_t, AKTUELLEZEIT)            /* now, without the hundredths */                      \
  V(std::int32_t, HILFSZEIT)               /* thinking time of the finished thinking periods */   \
  V(std::int32_t, MERKE_RATE_ZEIT)         /* start of the current thinking period */             \
  V(std::int32_t, RATE_ZEIT)               /* total thinking time */                              \
  V(std::int32_t, MERKE_RATE_ZEIT_AKT)     /* start of the search for the current trial */        \
  V(std::int32_t, MERKEZEITLETZTERVERSUCH) /* when the last item of the search was done */        \
  V(std::int32_t, SPIELZEIT)               /* time on the current trial */                        \
  V(std::int32_t, RESTZEIT)                /* estimate of the time still needed */                \
  V(std::int32_t, RESTZEIT2)               /* the same up to the decision */                      \
  V(bool, RATENDRAN)                       /* the codebreaker is thinking */                      \
  V(bool, RATENDRAN_ALT)                   /* RATENDRAN at the last clock call */                 \
  V(bool, SETZE_RATE_ZEIT_AKT)             /* request: stamp MERKE_RATE_ZEIT_AKT with now */      \
  V(bool, SETZEZEITLETZTERVERSUCH)         /* request: stamp MERKEZEITLETZTERVERSUCH with now */  \
  V(bool, RATEN_ZEITANZEIGE)               /* show the search progress line */                    \
  V(bool, NEUER_KANDIDAT)                  /* the candidate in kandidat_anzeige is to be shown */ \
  V(bool, ZEITLIMIT_GR_0)                  /* a time limit applies */                             \
  /* The signs of the candidate being examined (AKTUELL), as the search hands them to the */      \
  /* clock display together with NEUER_KANDIDAT. */                                               \
  V(code, kandidat_anzeige, LEERER_CODE)                                                          \
  /* Progress of a search or a build. */                                                          \
  V(std::uint32_t, GERATENE_VERSUCHE) /* items done */                                            \
  V(std::uint32_t, ZAHL_DER_VERSUCHE) /* items in total */                                        \
  V(std::uint32_t, NUMMER_PLUS)       /* items before a decision */                               \
  V(std::uint32_t, ZAHL_DER_STERNE)   /* progress stars shown */                                  \
  /* ---- keyboard input of codes and answers */                                                  \
  V(std::uint16_t, WX) /* first position of the trial field */                                    \
  V(std::uint16_t, WY)                                                                            \
  V(std::uint16_t, WXMINUS1) /* WX - 1 */                                                         \
  V(std::uint16_t, K)        /* board row of the current trial */                                 \
  V(std::uint16_t, X3I)      /* P and Z/S columns of the current side */                          \
  V(std::uint16_t, X4I)                                                                           \
  V(std::uint16_t, X3IMINUS1)                                                                     \
  V(std::uint16_t, WOP) /* cell offsets of P and Z/S in an 80 x 2-byte screen */                  \
  V(std::uint16_t, WOZ)                                                                           \
  V(std::uint16_t, WXX) /* where JA_NEIN writes its answer word */                                \
  V(std::uint16_t, WYY)                                                                           \
  V(std::int32_t, NUMMER) /* number of the current trial, 1 for the first */                      \
  V(bool, ZURUECK)        /* the secret code is entered backwards (resume at the end) */          \
  /* ---- the encoder with a variable answer code (its list of codes, see MOGEL_BLOCK) */         \
  V(mogel_blockfeld, mogel_bloecke)    /* the blocks of the pool */                               \
  V(std::uint32_t, mogel_zahl_bloecke) /* blocks allocated */                                     \
  V(std::uint64_t, mogel_belegt)       /* bytes held by the pool */                               \
  V(std::uint64_t, mogel_belegt_max)   /* the most bytes held at once since the reset */          \
  V(bool, mogel_ohne_wdh)              /* the list was built without repeated signs */            \
  /* Tests: the allocation of this block (0 = the first) reports failure; -1 = never. */          \
  V(std::int32_t, mogel_fehler_bei_block, -1)                                                     \
  V(zeichenmenge, ERL_FARBE)         /* the signs that can still occur in the code */             \
  V(bool, KENNEALLEFARBEN)           /* every remaining code holds the same signs */              \
  V(std::uint8_t, ZAEHLE_VORH_FARBE) /* scratch count of signs */                                 \
  V(std::uint8_t, ENDFARBEPL1)       /* code length + 1 */                                        \
  V(std::uint8_t, QU_10_2)           /* tenths of the build done */                               \
  /* Codes of the build in all; the trials in the trial list. */                                  \
  V(std::uint32_t, ZAHLGESAMTVERSUCHE)                                                            \
  /* Count of each answer class (T x 16 + P) of the last answer step. */                          \
  V(klassenzahlen, KLASSEN_ZAHL)                                                                  \
  /* ---- the codebreaker: candidate store (see MISCHGROESSE), opening, trial choice, */          \
  /* narrowing */                                                                                 \
  /* Per bucket: nodes dropped during a build, then the end of its run; all 0 between */          \
  /* builds. */                                                                                   \
  V(TMischMasch, MISCHFELD)                                                                       \
  V(TMischZaehl, MISCHZ)             /* nodes in the bucket minus one, saturating */              \
  V(std::uint32_t, ERLAUBT)          /* first solution */                                         \
  V(std::uint32_t, SCHLUSSLICHT)     /* last trial */                                             \
  V(std::uint32_t, AKTUELL)          /* best trial */                                             \
  V(std::uint32_t*, raten_folge)     /* the trial list */                                         \
  V(std::uint32_t, raten_anfang)     /* where the ring of the trial list starts */                \
  V(std::uint32_t, raten_knoten)     /* nodes built */                                            \
  V(std::uint8_t*, raten_loes)       /* the solutions' blocks of byte planes, in list order */    \
  V(std::uint32_t, raten_loes_zahl)  /* solutions in the list */                                  \
  V(std::uint32_t, raten_loes_platz) /* solutions the array has room for */                       \
  V(std::uint8_t, raten_loes_laenge) /* the code length of the list's layout */                   \
  V(bool, raten_loes_ganz)           /* the list has whole blocks (see loesungen_kern.h) */       \
  /* Signs (bit c for sign c) stored in the list, at least. */                                    \
  V(std::uint64_t, raten_loes_zeichen)                                                            \
  V(bool, raten_loes_zeichen_genau) /* ... and exactly (after a narrowing) */                     \
  /* The instruction set of the scoring: the best the processor has, unless a test or a */        \
  /* benchmark forces one (raten_kern_erzwingen). */                                              \
  V(RatenKern, raten_kern_wahl, RatenKern::automatisch)                                           \
  V(std::uint64_t, raten_belegt)     /* bytes the store holds now */                              \
  V(std::uint64_t, raten_belegt_max) /* the most bytes held at once since the reset */            \
  /* Tests: allocation number n of a build (0 = the trial list, 1 = the solutions) reports */     \
  /* failure; -1 = never. */                                                                      \
  V(std::int32_t, raten_fehler_bei, -1)                                                           \
  /* Tests: the number of buckets the shuffle uses (MISCHGROESSE in play). A bucket's drops */    \
  /* are replayed in time quadratic in its size, so few buckets suit small stores only. */        \
  V(std::uint32_t, raten_eimer, MISCHGROESSE)                                                     \
  /* Count bytes of the node layout. */                                                           \
  V(std::uint8_t, FARBE0)                                                                         \
  V(std::uint8_t, FARBEPL)                                                                        \
  V(std::uint8_t, FARBE1)                                                                         \
  V(std::uint8_t, FARBE2)                                                                         \
  V(std::uint8_t, FARBE3)                                                                         \
  V(std::uint8_t, ENDFARBE)                                                                       \
  V(bool, GENUGPLATZ)                                                                             \
  V(zeichenmenge, GESPIELT)    /* the sign has stood in a trial of this game */                   \
  V(zeichenmenge, VORH_FARBE)  /* the sign occurs in some remaining solution */                   \
  V(std::uint8_t, FEHLZEICHEN) /* a sign known to be absent (filler of openings) */               \
  V(bool, FEHLZ_BENUTZT)       /* keep one eliminated sign in the trials */                       \
  V(bool, ALLE_F_LOESCHEN)                                                                        \
  V(bool, AEQUI_KLASSE)     /* opening phase: every answer so far was 0/0 */                      \
  V(bool, MERKE_WDHG)       /* the user's repetition choice */                                    \
  V(bool, F6_GEDR)          /* an early decision was asked for */                                 \
  V(std::uint16_t, UNTERBR) /* early decisions in this game */                                    \
  /* Permutations of positions (1..9) and signs (0..36), and their urns. */                       \
  V(farbfeld, PERMZ)                                                                              \
  V(farbfeld, PERMF)                                                                              \
  V(farbfeld, PERMZTM)                                                                            \
  V(farbfeld, PERMFTM)                                                                            \
  V(farbfeld, ZAHLENREIHENFOLGE)                                                                  \
  V(farbfeld, FARBENREIHENFOLGE)                                                                  \
  V(farbfeld, ZAHLENREIHENFOLGETM)                                                                \
  V(farbfeld, FARBENREIHENFOLGETM)                                                                \
  V(std::uint8_t, HILFZAHLREIHENFOLGE)                                                            \
  V(std::uint8_t, HILFFARBREIHENFOLGE)                                                            \
  V(std::uint8_t, HILFZAHLREIHENFOLGETM)                                                          \
  V(std::uint8_t, HILFFARBREIHENFOLGETM)                                                          \
  V(liste, ANFANG)                 /* the opening trial */                                        \
  V(std::uint32_t, WO)             /* screen offset of the trial row (row x 160 + column x 2) */  \
  V(bool, ALLESTERNEDRUCKEN, true) /* the time-limit notice is still to be written */             \
  /* When the computer's turn began (hundredths since midnight; -1 = not yet in this game): */    \
  /* the answer to its previous trial, or the start of its first search. The time limit */        \
  /* counts from here. */                                                                         \
  V(std::int32_t, raten_zug_beginn, -1)                                                           \
  /* ---- worker threads of the search */                                                         \
  /* Threads of a search: 0 = one per core the process may use (usable_cores); 1 = the main */    \
  /* thread alone. Tests and benchmarks set it. */                                                \
  V(std::uint32_t, raten_faeden)                                                                  \
  /* Pairs (trial, solution) a worker scores per block of the trial list. */                      \
  V(std::uint64_t, raten_block_paare, RATEN_BLOCK_PAARE)                                          \
  /* The fewest pairs of a search that go to the workers at all. */                               \
  V(std::uint64_t, raten_parallel_ab, RATEN_PARALLEL_AB)                                          \
  /* The most solutions a search scores side by side (tests set 0 to search with the orbits). */  \
  V(std::uint32_t, raten_quer_bis, RATEN_QUER_BIS)                                                \
  /* ---- the symmetry of the played trials (symmetrie.cpp) */                                    \
  /* The trials played in this game as packed codes; a count above RATEN_GESPIELT_MAX means */    \
  /* more were played than kept (the symmetry is then not used). */                               \
  V(gespielte_codes, raten_gespielt)                                                              \
  V(std::uint32_t, raten_gespielt_zahl)                                                           \
  /* The rank of each sign in the reduction of this search: 0 = played or vacant, 1.. = its */    \
  /* place among the ordered unplayed signs, 255 = excluded (all 0 without a reduction). */       \
  V(rangfeld, raten_rang)                                                                         \
  V(bool, raten_symmetrie, true) /* tests and benchmarks: false searches without the orbits */    \
  /* Of the last search: the elements of the group, the orbits of its trials (0 = none were */    \
  /* formed) and the trials scored against the solutions. */                                      \
  V(std::uint64_t, raten_gruppe_ordnung, 1)                                                       \
  V(std::uint32_t, raten_bahnen_zahl)                                                             \
  V(std::uint32_t, raten_bewertet)

#define KVSPIEL_DEKLARATION(typ, name, ...) extern typ name;
KVSPIEL_VARIABLEN(KVSPIEL_DEKLARATION)
#undef KVSPIEL_DEKLARATION

// ================================================================ routines

void kvspiel_reset();

// ---- random numbers
void RANDOMIZE(std::uint64_t saat);
std::uint32_t Random(std::uint32_t n);  // uniform in 0..n-1
// The generator itself (xoshiro256**), for loops that draw many numbers: a
// copy from zufall_holen draws exactly what Random would draw in its place,
// and zufall_zurueck hands its state back to Random.
struct Zufall {
  std::uint64_t s[4];

  static std::uint64_t drehe(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  std::uint64_t naechste() {
    const std::uint64_t ergebnis = drehe(s[1] * 5, 7) * 9;
    const std::uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = drehe(s[3], 45);
    return ergebnis;
  }
  // Uniform in 0..n-1: Lemire's multiply-shift with rejection.
  std::uint32_t unter(std::uint32_t n) {
    if (n == 0) return 0;
    std::uint64_t m = (naechste() >> 32) * n;
    auto rest = static_cast<std::uint32_t>(m);
    if (rest < n) {
      const std::uint32_t schwelle = static_cast<std::uint32_t>(-n) % n;
      while (rest < schwelle) {
        m = (naechste() >> 32) * n;
        rest = static_cast<std::uint32_t>(m);
      }
    }
    return static_cast<std::uint32_t>(m >> 32);
  }
};
Zufall zufall_holen();
void zufall_zurueck(const Zufall& z);
// perm[1..n]: werte[1..n] (1..n when null) drawn without putting back; urne
// holds what is left to draw, hilf the last draw.
void ziehe_permutation(farbfeld& urne, std::uint8_t& hilf, int n, const int* werte, farbfeld& perm);

// ---- signs and scoring
void INITIALISIERE();
std::uint8_t NRFUNKTION(char c);
char FARBFUNKTION(std::uint8_t n);
// Recomputes the offsets of the first sign and fills NRARRAY, FARBARRAY,
// FARBARRAY2 and MAXFARBE from the range of X.
void setze_zeichensatz();
void REIHENFOLGE();
std::uint8_t WIEVIELE(std::uint8_t l, std::uint8_t n, bool wdh, bool leer);
// LOESUNGSFARBEN from LOESUNG: how often each sign number occurs in it.
void zaehle_loesungsfarben();
// P and T of a trial against a code (sign characters, "*" vacant), length l.
void bewerte(const code& versuch_code, const code& loesung, int l, std::uint8_t& p,
             std::uint8_t& t);

// ---- conditions and names
void KORRIGIERE(std::uint8_t n, std::uint8_t l, bool wdh, bool leer, bool zeigen, bool freigeben);
void CLEAR_NAME(namensfeld& name);
void NAMEOK(bool tausch);
void SCHREIBE_NAME(bool erster, bool zweiter, bool tausch);
void SCHREIBE_PC(bool erster, bool zweiter);
// Yes/no as the conditions form shows them (the English words are 4 wide there).
const char* ja_nein_formular(bool ja);
// The capacity cells of the form's row 8 (lengths 2..9) from ZAEHLEFARBEN, at column 35.
void schreibe_kapazitaet();

// ---- keyboard input of codes and answers
// Waits for a key, refreshing the clocks between polls of the keyboard.
unsigned char warte_auf_taste();
// The tone of the game (440 Hz for half a second) when sound is on.
void signalton();
// One poll of the keyboard inside a long computation: a waiting key is read
// and returned, an extended key read with its second code and returned as
// 0; 0 as well when no key waits.
unsigned char taste_abfragen();
// The same poll for the computations that only stop: true when the key was
// Esc or Ctrl-C, other keys are dropped.
bool abbruch_abfragen();
// A person types the answer to a trial: P at column x3, Z at column x4 of
// row y. Only answers that some remaining code would give are taken
// (moeglich[t][p] with t = P + Z); a value that is forced is written without
// keys, and Backspace on Z goes back to P only when P was typed. False on Esc
// or Ctrl-C.
bool lies_menschliche_antwort(const bool (&moeglich)[10][10], int x3, int x4, int y,
                              std::uint8_t& p, std::uint8_t& t);
// One yes/no field of the conditions form at (WXX, WYY).
void JA_NEIN(unsigned char& taste, std::uint8_t& flag, bool& geaendert);
// The first sign (verboten = '*') or the last sign (verboten = the first sign).
void LESE_ZEICHEN(char verboten);
// The secret code on the conditions form, from (46, 18).
void LESE_LSG(code& loesung, unsigned char& taste);
// One trial of a human codebreaker at (WX, WY) on board row K, with its answer.
void LESE_CODE(std::uint8_t seite, code& versuch, std::uint8_t& p, std::uint8_t& z,
               unsigned char& taste);

// ---- the encoder with a variable answer code
// Builds the list of every code of the game's conditions; ok = false when the
// build was stopped (Esc, Ctrl-C) or memory ran out: A is then Esc and nothing
// stays allocated.
void INIT_NICHT_FEST(bool& ok);
// The answer of the variable code to a complete trial (characters in versuch_code,
// sign numbers in nr, 0 = vacant), with the cursor on the trial's P cell in
// column x3 of row k; x4 is the Z/S column. The trial of this turn must not
// be stored in V30 yet (earlier trials there are looked up). Returns true when
// the answer has been written here; false when P and Z are left for the
// caller to write (the computer answers and has not conceded). taste becomes
// TASTE_ESC when the trial was abandoned with Esc or Ctrl-C; the stores are then
// released.
bool antwort_nicht_fest(const code& versuch_code, const zahlenfeld& nr, int x3, int x4, int k,
                        std::uint8_t& p, std::uint8_t& z, unsigned char& taste);
// Counts the remaining codes per answer class of the trial (into KLASSEN_ZAHL).
void klassiere_liste(const zahlenfeld& nr);
// Keeps only the codes of class (t, p) of the trial; returns how many remain.
std::uint32_t verenge_liste(const zahlenfeld& nr, std::uint8_t t, std::uint8_t p);
// Code number i (0-based) of the remaining codes as sign numbers 1..L.
void liste_code(std::uint32_t i, zahlenfeld& nr);

// ---- the codebreaker
// The codebreaker's flags at the start of a game, before INIT_RATEN: the
// opening phase, no sign played nor known absent, no break yet, the filler
// flags from LEERZEICHEN, and the user's repetition choice.
void raten_spielbeginn(bool wdh_wahl);
// Builds the candidate store; ok = false when Esc, Ctrl-C or a failed
// allocation stopped it (A is then Esc and nothing stays allocated).
void INIT_RATEN(bool& ok);
void BESTIMME_ANFANG(std::uint8_t l, std::uint8_t n, bool wdh, bool fueller, bool zeigen);
void NEUER_ANFANG();
// The opening pattern as a 12-character text for the board.
std::string INIT_MUSTER(std::uint8_t l, std::uint8_t n, bool wdh, bool leer);
// Before a search: draws the order of the unplayed signs, marks the
// canonical trials (one per class of trials that differ by an exchange of
// unplayed signs), counts them into ZAHL_DER_VERSUCHE, writes the first
// trial of the search and moves it to the front. reduzieren is false when
// fewer than two signs are unplayed or no trial is canonical. False when Esc
// or Ctrl-C stopped it.
bool raten_vorpass(bool& reduzieren);
// The answer class (k into ZEI_ORD and POS_ORD) holding the most codes, the
// earliest in the preference order among equals; zahl(t, p) counts class
// (t, p). The computer as encoder of a variable code answers with it.
template <class Zahl>
int groesste_klasse(Zahl zahl) {
  int beste = 1;
  for (int k = 2; k <= ZAHL_DER_GRUPPEN; ++k)
    if (zahl(ZEI_ORD[k], POS_ORD[k]) > zahl(ZEI_ORD[beste], POS_ORD[beste])) beste = k;
  return beste;
}
// One trial of the computer with its answer (computed or typed by the human encoder).
void RATE_CODE(code& versuch_code, std::uint8_t& p, std::uint8_t& z, unsigned char& taste);
// The code of node k (1..raten_knoten) as packed fields: position i in bits
// 6(i-1)..6(i-1)+5, as its sign number; and back.
std::uint64_t raten_knoten_pos(std::uint32_t k);
// The signs of node k (bit c - 1 for sign c).
std::uint64_t raten_knoten_zeichen(std::uint32_t k);
std::uint32_t raten_pos_knoten(std::uint64_t pos);
// Packed fields as sign characters (positions beyond the code length blank).
code raten_pos_code(std::uint64_t pos);
// Memory of the store: bytes from the system (huge pages for large blocks),
// counted in raten_belegt; nummer is the allocation's number for
// raten_fehler_bei. Null when none is had (a size beyond the address space
// included).
void* raten_hole(std::uint64_t bytes, int nummer);
void raten_gib_frei(void* p, std::size_t bytes);

// ---- the codebreaker's solution list (loesungen.cpp)
// Room for zahl solutions, all of them in the list (raten_loes_zahl = zahl);
// false when the memory is not had (nothing is held then).
bool raten_loes_anlegen(std::uint64_t zahl);
// Solution i (0-based) := the packed code pos (no vacant sign).
void raten_loes_setze(std::uint32_t i, std::uint64_t pos);
// The same without the list's sign set: the signs of the code are returned
// (bit c for sign c) for the caller to add, so that several threads may
// fill different solutions at once.
std::uint64_t raten_loes_schreibe(std::uint32_t i, std::uint64_t pos);
void raten_loes_freigeben();
// The packed code of solution i (0-based).
std::uint64_t raten_loes_pos(std::uint32_t i);
// The signs (bit c - 1 for sign c) that occur in some remaining solution.
std::uint64_t raten_vorhandene_zeichen();
// Progress of a build or a search after GERATENE_VERSUCHE of soll items: the
// tenths in QU_10_2 and the stars on row 25 (at most ten, never fewer than
// shown). Returns the tenths.
std::uint64_t raten_fortschritt(std::uint64_t soll);

// Scoring of one trial against the solution list. The class of a solution is
// (t, p), counted in cnt[t * 10 + p].
struct Versuchsbild {
  alignas(64) std::uint8_t anzahl[64] = {};  // copies of each sign in the trial (vacant: 0)
  std::uint8_t zeichen[16] = {};             // the sign at each position, 0 = vacant
  std::uint64_t pos = 0;                     // packed code of the trial
  int laenge = 0;
};
struct Wertung {
  std::int32_t max = 0;      // largest class
  std::int64_t summe = 0;    // sum of the squares of the classes
  std::int32_t klassen = 0;  // non-empty classes
  bool loesung = false;      // the trial is itself a possible secret
};
void raten_bild(std::uint64_t pos, Versuchsbild& v);
// (t, p) of the trial against solution i.
void raten_antwort(const Versuchsbild& v, std::uint32_t i, int& t, int& p);
// Counts the classes of the trial over the solutions into cnt (100 entries,
// cleared here). Returns false, as soon as it is known, when the trial cannot
// beat (best_max, best_summe): a class above best_max, or the largest equal
// to it and the sum of squares above best_summe (or equal to it before the
// last solution); otherwise fills cnt and w in full and returns true. Reads
// shared state only: several threads may score over the same list at once.
bool raten_zaehle(const Versuchsbild& v, std::int32_t* cnt, std::int32_t best_max,
                  std::int64_t best_summe, Wertung& w);
// Several trials at once, each as by raten_zaehle(v[i], cnt + 100 i,
// best_max, best_summe, w[i]) into ganz[i]: the list is read in superblocks
// that stay in the cache, every trial over one superblock before the next, so
// a batch is scored at the speed of the cache rather than of the memory. A
// trial rejected against a bound is rejected against every smaller one
// (smaller best_max, or equal and smaller or equal best_summe), so a search
// may score a batch against the best before it and then compare in order.
void raten_zaehle_stapel(const Versuchsbild* v, int zahl, std::int32_t* cnt, std::int32_t best_max,
                         std::int64_t best_summe, Wertung* w, bool* ganz);
// Many trials against a short solution list, side by side (quer.cpp): the
// trials pos[0..zahl) in list order, each scored as raten_zaehle(...,
// best_max, best_summe, w[i]) into ganz[i] (w[i] filled where ganz[i]), but
// without the class table and rejected only when worse than the bound or
// than a trial before it that was scored in full. raten_quer_lohnt: the list
// is short enough, and the processor has the instructions, for this to be
// the faster scoring. QUER_BREITE: the trials in the lanes at once.
constexpr int QUER_BREITE = 64;
bool raten_quer_lohnt();
void raten_zaehle_quer(const std::uint64_t* pos, int zahl, std::int32_t best_max,
                       std::int64_t best_summe, Wertung* w, bool* ganz);
// Keeps the solutions of class (t, p) (any t when t < 0), raten_loes_zahl of
// them. Keeps the clocks running and looks at the keys as it goes: false when
// Esc or Ctrl-C stopped it (the list then holds only what it kept so far).
bool raten_verenge(const Versuchsbild& v, int t, int p);
// Tests and benchmarks: scoring and narrowing with the given instruction set
// (automatisch: the best the processor has); false, and nothing changed, when
// the processor lacks it. The program never needs this.
bool raten_kern_erzwingen(RatenKern k);
// The instruction set the scoring uses now.
RatenKern raten_kern();
// The second half of a turn: the answer to the chosen trial (node knoten,
// at array index stelle of the trial list, or ANFANG in the opening) and the
// narrowing. beste holds the classes of the trial.
void raten_antwort_und_verengung(code& versuch_code, std::uint64_t pos, bool eroeffnung,
                                 std::uint32_t knoten, std::uint32_t stelle,
                                 const std::int32_t* beste, std::uint8_t& p, std::uint8_t& z,
                                 unsigned char& taste);
// The trial list by place: place i (0-based, in trial order) lies at
// raten_folge[raten_stelle(i)]; raten_versuch(i) is its node (mark removed).
inline std::uint32_t raten_stelle(std::uint32_t i) {
  const std::uint32_t j = raten_anfang + i;
  return j < ZAHLGESAMTVERSUCHE ? j : j - ZAHLGESAMTVERSUCHE;
}
inline std::uint32_t raten_versuch(std::uint32_t i) {
  return raten_folge[raten_stelle(i)] & ~RATEN_MARKE;
}
// VERS and SCHLUSSLICHT from the array (0 when the list is empty).
void raten_enden();
// Moves the trial at place i to the front; the trials before it move back by one.
void raten_nach_vorn(std::uint32_t i);
// Removes from the trial list the entry at array index weg (none when it is
// ZAHLGESAMTVERSUCHE or more) and every trial holding a sign of the mask
// (bit c - 1 for sign c), keeping the order; false when Esc or Ctrl-C
// stopped it (the list is then left as it was or partly pruned).
bool raten_folge_filtern(std::uint32_t weg, std::uint64_t zeichen);
// The packed code of the opening trial.
std::uint64_t raten_anfang_pos();
// Between two steps of a long computation of the codebreaker: the clocks, and
// the keyboard. True for Esc or Ctrl-C; F4 and F6 (plain, Shift, Ctrl, Alt)
// ask for an early decision outside the opening; other keys are dropped.
bool raten_zwischenhalt(bool eroeffnung);

// ---- worker threads of the search (arbeiter.cpp)
constexpr std::uint32_t ARBEITER_MAX = 64;
// The start values of raten_block_paare and raten_parallel_ab.
constexpr std::uint64_t RATEN_BLOCK_PAARE = std::uint64_t{1} << 21;
// Solutions up to which the side-by-side scoring beats the scoring of one
// trial after the other and the orbits (measured); the start value of
// raten_quer_bis.
constexpr std::uint32_t RATEN_QUER_BIS = 4096;
constexpr std::uint64_t RATEN_PARALLEL_AB = std::uint64_t{1} << 23;
std::uint32_t arbeiter_zahl_fuer_suche();
// Starts up to zahl threads running arbeit(daten) and returns how many the
// system gave (the work must get done with fewer, even with none).
std::uint32_t arbeiter_starten(std::uint32_t zahl, void (*arbeit)(void*), void* daten);
// A worker reports finished work; the main thread waits for a report it has
// not seen, or at most ms milliseconds.
void arbeiter_melden();
void arbeiter_warten(std::uint64_t& gesehen, unsigned ms);
// Joins every worker (they must have been told to stop).
void arbeiter_beenden();
std::uint32_t arbeiter_laufend();
// A pass in pieces 0..stuecke-1, arbeit(piece, daten) for each, on faeden
// threads (fewer than 2: on this one, the clocks and the keys between the
// pieces); the main thread keeps the clocks and the keys. False when Esc or
// Ctrl-C stopped it.
bool arbeiter_teilen(std::uint32_t stuecke, void (*arbeit)(std::uint32_t, void*), void* daten,
                     std::uint32_t faeden);

// ---- the symmetry of the played trials (symmetrie.cpp)
// A permutation of the positions with one of the signs that fixes the
// vacant sign and maps every played trial onto itself maps the codes still
// possible onto themselves and keeps every answer: a trial and its image
// have the same answer classes against the solutions, and so has a trial
// after an exchange of unplayed signs. A search with such maps scores one
// trial per orbit among the canonical trials and decides the other members
// from the orbit's record.
// The played trial of this turn (packed code).
void raten_gespielt_merken(std::uint64_t pos);
// Before a search, after the pre-pass: the group of the played trials and
// the table of the orbits of the trials the search looks at (the canonical
// ones when reduzieren), when the group is not trivial and the search large
// enough (raten_bahn finds no orbit otherwise).
void raten_bahnen_bilden(bool reduzieren);
// The same over the given trials (canonical when reduzieren), for tests and
// benchmarks, every orbit met in raten_bahnen_zahl: the group from
// raten_gespielt, the ranks from raten_rang.
void raten_bahnen_aus(const std::uint64_t* pos, std::uint32_t zahl, bool reduzieren);
// The table's end; raten_bahnen_zahl then holds the orbits met.
void raten_bahnen_freigeben();
// The table stands: the search meets orbits.
bool raten_mit_bahnen();
// The orbit of a trial the search looks at (its slot in the table, taken when
// the orbit is new); RATEN_KEINE_BAHN without orbits, or when the table has
// no room for a new one (the trial is then scored as without orbits).
constexpr std::uint32_t RATEN_KEINE_BAHN = ~0u;
std::uint32_t raten_bahn(std::uint64_t pos);
// (max, summe) of a before that of b: a is the better trial.
inline bool raten_vorher(std::int32_t a_max, std::int64_t a_summe, std::int32_t b_max,
                         std::int64_t b_summe) {
  return a_max < b_max || (a_max == b_max && a_summe < b_summe);
}
// A bound of the search: the (max, summe) of a trial at place platz of the
// list (~0u: of none), the best of some trials before the place it is used at.
struct Schranke {
  std::int32_t max;
  std::int64_t summe;
  std::uint32_t platz;
};
// What the orbit's record decides for its member at place platz, the search
// holding the bound g there: bekannt (w is the member's exact Wertung),
// verworfen (it cannot beat the best before its place) or bewerten (it is
// to be scored, and the result given to raten_bahn_merken).
enum class Bahnurteil : std::uint8_t { bewerten, bekannt, verworfen };
Bahnurteil raten_bahn_urteil(std::uint32_t bahn, std::uint32_t platz, const Schranke& g,
                             Wertung& w);
// A member was scored against the bound g: complete (w exact) or rejected.
void raten_bahn_merken(std::uint32_t bahn, bool ganz, const Wertung& w, const Schranke& g);

// ---- clocks and store release
void SCHREIBE_ZEIT_ORB();
// Sets the clocks to the start of a game: reads date and time (the virtual
// date when one is set), stamps ANFANGSZEIT, clears the clock values and
// their last drawn values. ZEITEIN and RATENDRAN stay to the caller.
void uhren_starten();
// Every clock value and its last drawn value to 0, the clocks below 100 hours.
void uhren_nullstellen();
// Now in hundredths of a second since midnight, and the span between two
// such stamps (a day added when it passed midnight).
std::int32_t uhr_jetzt();
std::int32_t uhr_spanne(std::int32_t spaeter, std::int32_t frueher);
void SPEICHER_FREIGEBEN(bool freigeben);
// Esc or Ctrl-C stopped a build or a turn: the key becomes Esc, both stores
// are released and the clocks stop.
void abbruch_aufraeumen(unsigned char& taste);
// Empties the bucket table of the store build (at start-up and after every build).
void INITFELD();
// Release of the two stores (called by SPEICHER_FREIGEBEN).
void raten_speicher_freigeben();
void mogeln_speicher_freigeben();
