// The colour scheme editor: a background, a standard text colour and an
// emphasised text colour, chosen by key and shown at once in the help box.
#include "console/console.h"
#include "extras/zuf.h"

namespace {

enum class hinweis_modus : std::uint8_t { voll, standard, hervorhebung };

// What an accepted key asks for.
enum class farbwahl : std::uint8_t { ende, hintergrund, standard, hervorhebung };

// Text colours in the order of the table's lines: each dark colour is
// followed by its light partner; the letters a..p (A..P) select them.
constexpr std::uint8_t FARBFOLGE[16] = {0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15};
// The three text colours of the monochrome table (letters a..c).
constexpr std::uint8_t MONOFOLGE[3] = {0, 7, 15};

constexpr int HINWEIS_SPALTE = 41;  // the help box: columns 41..80, rows 3..23

// Help box rows 4..22 ([English][row - 4]); passages in braces are emphasised.
const char* const HINWEIS[2][19] = {
    {"Bitte stellen Sie eine Farbkombination", "aus Hintergrundfarbe,Standardtextfarbe",
     "und {hervorgehobener Textfarbe} ein, die", "Sie gut lesen koennen.", "",
     "Zur Auswahl eines anderen Hintergrunds", "geben Sie bitte die entsprechende Zif-",
     "fer ein,fuer eine neue Textfarbe bitte", "den entsprechenden Buchstaben: Klein-",
     "buchstaben fuer Standardtext, {Gross-}", "{buchstaben fuer hervorgehobenen Text}.",
     "Die Aenderungen sind sofort gueltig.", "", "Dieser Text ist in Standardtextfarbe,",
     "{dieser in hervorgehobener Textfarbe},", "auf gueltigem Hintergrund geschrieben.", "",
     "Sind Sie fertig, so druecken Sie bitte", "\"CR\"/\"ENTER\"."},
    {"Please set the combination of colours", "for the background, for standardtext",
     "and for {emphasized text}, so that you", "can easily read.", "",
     "To choose another background, please", "press the corresponding number.",
     "To choose another colour for the text,", "please press the corresponding letter:",
     "small letters for standardtext and", "{capital letters for emphasized text}.",
     "The screen will immediately change.", "", "The text is written on the valid back-",
     "ground with standardtextcolour and", "{this text with emphasized textcolour}.", "",
     "When you are ready, please press the", "'CR'/'ENTER' - key."}};

void parke_cursor() {
  GOTOXY(79, 22);
}

// One row of the help box. In the emphasis mode only the emphasised
// passages are written, in the standard mode everything else.
void hinweiszeile(int zeile, const char* text, hinweis_modus modus, std::uint8_t sf,
                  std::uint8_t hf) {
  const bool rahmen = modus != hinweis_modus::hervorhebung;
  TEXTATTR = sf;
  if (rahmen) {
    GOTOXY(HINWEIS_SPALTE, zeile);
    WRITE('|');
  }
  int x = HINWEIS_SPALTE + 1;
  bool hervorgehoben = false;
  for (const char* c = text; *c; ++c) {
    if (*c == '{' || *c == '}') {
      hervorgehoben = *c == '{';
      TEXTATTR = hervorgehoben ? hf : sf;
      continue;
    }
    const bool schreiben = hervorgehoben ? modus != hinweis_modus::standard : rahmen;
    if (schreiben) {
      GOTOXY(x, zeile);
      WRITE(*c);
    }
    ++x;
  }
  TEXTATTR = sf;
  if (rahmen) {
    GOTOXY(x, zeile);
    for (; x < HINWEIS_SPALTE + 39; ++x) WRITE(' ');
    WRITE('|');
  }
}

void ZEIGE_FARBHINWEIS(hinweis_modus modus, bool deutsch, std::uint8_t sf, std::uint8_t hf) {
  TEXTATTR = sf;
  if (modus != hinweis_modus::hervorhebung) {
    GOTOXY(HINWEIS_SPALTE, 3);
    WRITE("________________________________________");
  }
  for (int zeile = 4; zeile <= 22; ++zeile)
    hinweiszeile(zeile, HINWEIS[deutsch ? 0 : 1][zeile - 4], modus, sf, hf);
  if (modus != hinweis_modus::hervorhebung) {
    GOTOXY(HINWEIS_SPALTE, 23);
    WRITE("|______________________________________|");
  }
  TEXTATTR = sf;
  parke_cursor();
}

// One colour line of the table: digit cell, sample, letter cell.
void farbzeile(int zeile, char ziffer, std::uint8_t probe, int nummer) {
  GOTOXY(1, zeile);
  TEXTATTR = 7;
  WRITE('|');
  if (ziffer) {
    WRITE("        ");
    WRITE(ziffer);
    WRITE("  ");
  } else {
    WRITE("           ");
  }
  WRITE('|');
  TEXTATTR = probe;
  WRITE(probe == 0 ? "              " : "**************");
  TEXTATTR = 7;
  WRITE("|  ");
  WRITE(static_cast<char>('a' + nummer));
  WRITE('/');
  WRITE(static_cast<char>('A' + nummer));
  WRITE("      |");
}

void farbtabelle(bool deutsch, bool farbe) {
  int zeile = farbe ? 3 : 9;
  TEXTATTR = 7;
  GOTOXY(1, zeile++);
  WRITE("________________________________________");
  GOTOXY(1, zeile++);
  WRITE(deutsch ? "|Ziffer fuer| gewuenschte  | Buchstabe |"
                : "|numeral for|    choosen   |  letter   |");
  GOTOXY(1, zeile++);
  WRITE(deutsch ? "|Hintergrund|    Farbe     | fuer Text |"
                : "|background |    colour    | for text  |");
  const char* const trenner = "|___________|______________|___________|";
  GOTOXY(1, zeile++);
  WRITE(trenner);
  if (farbe) {
    for (int i = 0; i < 16; ++i)
      farbzeile(zeile++, i % 2 == 0 ? static_cast<char>('1' + i / 2) : 0, FARBFOLGE[i], i);
  } else {
    for (int i = 0; i < 3; ++i)
      farbzeile(zeile++, i < 2 ? static_cast<char>('1' + i) : 0, MONOFOLGE[i], i);
  }
  GOTOXY(1, zeile);
  WRITE(trenner);
}

// Reads keys until one is acceptable: a finish key, or a colour choice that
// changes something and keeps every text visible. Leaves the colour in wert.
farbwahl LIES_FARBTASTE(bool farbe, std::uint8_t sf, std::uint8_t hf, std::uint8_t& wert) {
  const int hintergrund = sf / 16;
  for (;;) {
    const unsigned char c = READKEY();
    if (c == TASTE_ENTER || ist_abbruchtaste(c)) return farbwahl::ende;
    if (c == TASTE_ERWEITERT) {
      READKEY();
      continue;
    }
    const int letzte = farbe ? 16 : 3;
    if (c >= 'a' && c < 'a' + letzte) {
      wert = farbe ? FARBFOLGE[c - 'a'] : MONOFOLGE[c - 'a'];
      if (wert == hintergrund || wert == sf % 16) continue;
      return farbwahl::standard;
    }
    if (c >= 'A' && c < 'A' + letzte) {
      wert = farbe ? FARBFOLGE[c - 'A'] : MONOFOLGE[c - 'A'];
      if (wert == hintergrund || wert == hf % 16) continue;
      return farbwahl::hervorhebung;
    }
    if (farbe && c >= '1' && c <= '8') {
      wert = static_cast<std::uint8_t>(c - '1');
      if (wert == hintergrund || wert == sf % 16 || wert == hf % 16) continue;
      return farbwahl::hintergrund;
    }
    if (!farbe && (c == '1' || c == '2')) {
      wert = c == '1' ? 0 : 7;
      if (wert == hintergrund) continue;
      return farbwahl::hintergrund;
    }
  }
}

// After a change of background in monochrome mode: text that vanished on
// the new background becomes visible again, and the two attributes differ
// where they would otherwise coincide.
void mono_korrektur(std::uint8_t& sf, std::uint8_t& hf) {
  if (sf == 0 && hf == 0) sf = hf = 7;
  if (sf == 0) sf = hf == 7 ? 15 : 7;
  if (hf == 0) hf = sf == 7 ? 15 : 7;
  if (sf == 119 && hf == 119) sf = hf = 112;
  if (sf == 119) sf = hf == 112 ? 127 : 112;
  if (hf == 119) hf = sf == 112 ? 127 : 112;
}

}  // namespace

void TEXTFARBE(bool deutsch, bool farbbildschirm, std::uint8_t& standardfarbe,
               std::uint8_t& hervorhebungsfarbe) {
  std::uint8_t& sf = standardfarbe;
  std::uint8_t& hf = hervorhebungsfarbe;
  TEXTATTR = 7;
  CLRSCR();
  farbtabelle(deutsch, farbbildschirm);
  ZEIGE_FARBHINWEIS(hinweis_modus::voll, deutsch, sf, hf);
  std::uint8_t wert = 0;
  for (;;) {
    const farbwahl wahl = LIES_FARBTASTE(farbbildschirm, sf, hf, wert);
    if (wahl == farbwahl::ende) break;
    hinweis_modus modus = hinweis_modus::voll;
    if (wahl == farbwahl::hintergrund) {
      sf = static_cast<std::uint8_t>(sf % 16 + 16 * wert);
      hf = static_cast<std::uint8_t>(hf % 16 + 16 * wert);
      if (!farbbildschirm) mono_korrektur(sf, hf);
    } else if (wahl == farbwahl::standard) {
      sf = static_cast<std::uint8_t>(16 * (sf / 16) + wert);
      modus = hinweis_modus::standard;
    } else {
      hf = static_cast<std::uint8_t>(16 * (hf / 16) + wert);
      modus = hinweis_modus::hervorhebung;
    }
    TEXTATTR = sf;
    ZEIGE_FARBHINWEIS(modus, deutsch, sf, hf);
  }
  TEXTATTR = sf;
}
