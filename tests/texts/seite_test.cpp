// The short and the detailed instructions, reached from the menu (items 6 and
// 7) in both languages: page layout and the paging keys.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "shell/kv.h"
#include "support/harness.h"

namespace {

// A key as the console delivers it: ordinary, or 0 followed by a second code.
struct Taste {
  unsigned char code;
  bool erweitert = false;
};
Taste ext(unsigned char code) {
  return {code, true};
}
const Taste BACKSPACE{8}, ESC{27}, CTRL_C{3}, ENTER{13};
const Taste PGUP = ext(73), PGDN = ext(81);

// The whole screen with its attributes and the cursor.
struct Bild {
  std::array<std::string, 25> zeilen;
  std::array<std::uint8_t, 25 * 80> farben;
  int x = 0, y = 0;
  bool operator==(const Bild&) const = default;

  // The row holding `text` when all of it is in attribute `attr`, else 0.
  int zeile_mit(const std::string& text, int attr) const {
    for (int y = 1; y <= 25; ++y) {
      const std::size_t x = zeilen[y - 1].find(text);
      if (x == std::string::npos) continue;
      bool gleich = true;
      for (std::size_t i = x; i < x + text.size(); ++i)
        if (farben[(y - 1) * 80 + i] != attr) gleich = false;
      if (gleich) return y;
    }
    return 0;
  }
};

Bild bild(const Harness& h) {
  Bild b;
  for (int y = 1; y <= 25; ++y) {
    b.zeilen[y - 1] = h.row(y);
    for (int x = 1; x <= 80; ++x) b.farben[(y - 1) * 80 + x - 1] = h.attr(x, y);
  }
  b.x = WHEREX();
  b.y = WHEREY();
  return b;
}

// Which screen stands: "menu", "kurz", "1".."4", or "?".
std::string schirm(const Harness& h) {
  if (h.row(21).find(" 1 - ") == 0) return "menu";
  if (h.row(1).find("Spielregeln !") != std::string::npos ||
      h.row(1).find("Rules of the game !") != std::string::npos)
    return "kurz";
  for (const char* n : {"1", "2", "3", "4"})
    if (h.row(25).find(std::string("- Seite ") + n + " von 4 -") != std::string::npos ||
        h.row(25).find(std::string("- Page ") + n + " of 4 -") != std::string::npos)
      return n;
  return "?";
}

using Folge = std::vector<std::string>;

// Runs the program in colours standard 0x1e / emphasis 0x1c: language, menu
// item `punkt`, then one key at every wait; with the keys used up, "9" in the
// menu ends. Returns the screen seen at every wait (in full in `bilder`).
Folge blaettern(bool deutsch, char punkt, const std::vector<Taste>& tasten,
                std::vector<Bild>* bilder = nullptr) {
  Harness h;
  auto satz = Harness::default_record();
  satz[0] = 0x1e;
  satz[1] = 0x1c;
  h.write_file(satz);
  Folge gesehen;
  std::size_t naechste = 0;
  h.vc.on_wait = [&](VirtualConsole& vc) {
    const std::string s = schirm(h);
    gesehen.push_back(s);
    if (bilder) bilder->push_back(bild(h));
    if (gesehen.size() == 1) {
      vc.push_key(static_cast<unsigned char>(punkt));
    } else if (naechste < tasten.size() && gesehen.size() < 100) {
      const Taste t = tasten[naechste++];
      if (t.erweitert)
        vc.push_ext(t.code);
      else
        vc.push_key(t.code);
    } else if (s == "menu") {
      vc.push_keys("9");
    }
  };
  h.vc.push_keys(deutsch ? "d" : "e");
  h.run();
  EXPECT_EQ(STANDARDFARBE, 0x1e);
  EXPECT_EQ(HERVORHEBUNGSFARBE, 0x1c);
  return gesehen;
}

// ------------------------------------------------------------- page layout

struct Erwartet {
  std::string kopf;                        // row 1 from column 1
  std::vector<std::string> hervorgehoben;  // texts in the emphasis attribute
  std::vector<std::string> woertlich;      // texts that stand exactly so, in the standard attribute
};

// Each page: its heading still in row 1 (nothing scrolled), the cursor after
// the last of 25 rows, column 80 untouched, printable characters only, and
// only the two page attributes.
void pruefe_sprache(bool deutsch, const std::array<Erwartet, 5>& seiten) {
  std::vector<Bild> b;
  ASSERT_EQ(blaettern(deutsch, '6', {ENTER}, &b), (Folge{"menu", "kurz", "menu"}));
  std::vector<Bild> lang;
  ASSERT_EQ(blaettern(deutsch, '7', {ENTER, ENTER, ENTER, ENTER}, &lang),
            (Folge{"menu", "1", "2", "3", "4", "menu"}));
  b.resize(2);
  b.insert(b.end(), lang.begin() + 1, lang.begin() + 5);
  for (int i = 0; i < 5; ++i) {
    const Bild& seite = b[i + 1];
    const Erwartet& e = seiten[i];
    SCOPED_TRACE(e.kopf);
    EXPECT_EQ(seite.zeilen[0].substr(0, e.kopf.size()), e.kopf);
    EXPECT_EQ(seite.y, 25);
    EXPECT_EQ(seite.x, 79);  // the last row filled to 78 characters, no line end
    for (int y = 0; y < 25; ++y) {
      EXPECT_EQ(seite.zeilen[y][79], ' ') << "row " << y + 1;
      for (int x = 0; x < 80; ++x) {
        EXPECT_TRUE(seite.zeilen[y][x] >= 32 && seite.zeilen[y][x] <= 126);
        EXPECT_TRUE(seite.farben[y * 80 + x] == 0x1e || seite.farben[y * 80 + x] == 0x1c);
      }
    }
    for (const std::string& t : e.hervorgehoben) EXPECT_NE(seite.zeile_mit(t, 0x1c), 0) << t;
    for (const std::string& t : e.woertlich) EXPECT_NE(seite.zeile_mit(t, 0x1e), 0) << t;
  }
}

TEST(Instructions, GermanPagesAreFullScreensThatNeverScroll) {
  const std::string p1 = "Zahlenraten mit Bleistift und Papier - und als Brettspiel";
  const std::string p4a =
      "Raten Sie bei variabler Loesung und der Computer gibt die Loesung vor, so gilt:";
  const std::string p4b =
      "Raet der Computer bei variabler Loesung, gibt sie aber auch selber vor,so gilt:";
  pruefe_sprache(
      true,
      {{{std::string(29, ' ') + "***  Spielregeln !  ***",
         {"***  Spielregeln !  ***"},
         {"brechen Sie das Spiel mit \"Esc\" ab oder erzwingen mit \"F4\" eine Entscheidung.",
          "(z.B. abc - a*b => 1 Position + 1 Zeichen.)"}},
        {std::string(12, ' ') + p1, {p1, "Spielablauf (Zahlenraten):", "Beispiel:"}, {"Z=1+1=2"}},
        {" Die vorliegende wesentlich erweiterte Computerversion:",
         {"Unterschiede zum Originalspiel:", "erlaubten Zeichenvorrat", "Laenge der Kombination",
          "Wiederholungen von Zeichen", "unvollstaendige Codes zu raten"},
         {"\"Sind Leerzeichen erlaubt?\"", "y,z,0,1,2,3,4,5,6,7,8,9,a,b"}},
        {" Feste oder variable Loesung:", {"festen", "variablen", "Beispiel:"}, {"aa, ab, ba, bb"}},
        {" Hier das Spiel noch einmal im Ueberblick:",
         {p4a, p4b, "jeden Code", "Geben Sie die Loesung vor"},
         {"Nr.  Code  P  Z", "1    ba   1  0", "2    bb   0  0", "3    aa   2  0",
          "Loesung: aa   benoetigte Versuche: 3"}}}});
}

TEST(Instructions, EnglishPagesAreFullScreensThatNeverScroll) {
  const std::string p1 = "Guessing numbers with pencil and paper - and as a board game";
  pruefe_sprache(
      false,
      {{{std::string(26, ' ') + "***  Rules of the game !  ***",
         {"***  Rules of the game !  ***"},
         {"'Esc'/'Escape' or press 'F4' to force a decision.",
          "guessing. (e.g.: abc - a*b => 1 position + 1 sign.)"}},
        {std::string(10, ' ') + p1, {p1, "Course of the game:", "Example:"}, {"S=1+1=2"}},
        {" The present fundamentally improved computerversion:",
         {"Differences to the original game:", "allowed character set", "length of the combination",
          "guess incomplete codes", "vacant signs"},
         {"'Are vacant signs allowed?'", "y,z,0,1,2,3,4,5,6,7,8,9,a,b"}},
        {" Fixed or variable answer code:", {"fixed", "variable", "Example:"}, {"aa, ab, ba, bb"}},
        {" Here is a review of the game:",
         {"If you guess and the computer devises an answer, that is not fixed:",
          "If the computer guesses and also devises an answer, that is not fixed:", "each code",
          "If you devise an answer"},
         {"No.  Code  P  S", "1    ba   1  0", "2    bb   0  0", "3    aa   2  0",
          "Solution: aa   Trials made: 3"}}}});
}

// ---------------------------------------------------------- the paging keys

TEST(Instructions, ShortPageKeys) {
  for (bool deutsch : {true, false}) {
    SCOPED_TRACE(deutsch ? "German" : "English");
    // Backspace and extended keys other than Page Down leave the page standing.
    EXPECT_EQ(blaettern(deutsch, '6', {BACKSPACE, PGUP, ext(72), ext(59), ext(132), ENTER}),
              (Folge{"menu", "kurz", "kurz", "kurz", "kurz", "kurz", "kurz", "menu"}));
    // Ctrl-C leaves the page only: the menu stands again and reads its own key.
    for (Taste t : {PGDN, ext(118), ext(161), ext(184), ESC, CTRL_C, Taste{'x'}, Taste{'6'}})
      EXPECT_EQ(blaettern(deutsch, '6', {t}), (Folge{"menu", "kurz", "menu"})) << int(t.code);
  }
}

TEST(Instructions, PagingForwardAndBack) {
  for (bool deutsch : {true, false}) {
    SCOPED_TRACE(deutsch ? "German" : "English");
    EXPECT_EQ(
        blaettern(deutsch, '7',
                  {BACKSPACE, PGUP,     ext(132),   ext(153),   ext(176),  // nothing before page 1
                   ext(72),   ext(59),  ext(62),    Taste{'x'}, PGDN,      PGUP,      BACKSPACE,
                   ENTER,     ext(118), ext(161),   ext(80),    ext(75),   BACKSPACE, ext(184),
                   ext(153),  ext(176), Taste{'q'}, Taste{'q'}, Taste{'q'}}),
        (Folge{"menu", "1", "1", "1", "1", "1", "1", "1", "1", "1", "2", "3", "2",
               "1",    "2", "3", "4", "4", "4", "3", "4", "3", "2", "3", "4", "menu"}));
  }
}

TEST(Instructions, LeavingFromEveryPage) {
  for (bool deutsch : {true, false}) {
    for (int seite = 1; seite <= 4; ++seite) {
      for (Taste ende : {ESC, CTRL_C, PGDN, ext(118), ext(161), ext(184)}) {
        std::vector<Taste> tasten(seite - 1, PGDN);
        tasten.push_back(ende);
        Folge erwartet = {"menu"};
        for (int s = 1; s <= seite; ++s) erwartet.push_back(std::to_string(s));
        // Esc and Ctrl-C leave from any page, the page-forward keys from the last.
        const bool verlaesst = ende.code == 27 || ende.code == 3 || seite == 4;
        if (!verlaesst) {
          tasten.push_back(ESC);
          erwartet.push_back(std::to_string(seite + 1));
        }
        erwartet.push_back("menu");
        EXPECT_EQ(blaettern(deutsch, '7', tasten), erwartet)
            << (deutsch ? "German" : "English") << " page " << seite << " key " << int(ende.code);
      }
    }
  }
}

TEST(Instructions, GoingBackRedrawsThePageInFull) {
  for (bool deutsch : {true, false}) {
    SCOPED_TRACE(deutsch ? "German" : "English");
    std::vector<Bild> b;
    ASSERT_EQ(blaettern(deutsch, '7', {PGDN, PGDN, PGDN, BACKSPACE, PGUP, PGUP, ESC}, &b),
              (Folge{"menu", "1", "2", "3", "4", "3", "2", "1", "menu"}));
    // The same screen to the cell: nothing of the page that stood before is left.
    EXPECT_TRUE(b[5] == b[3]);
    EXPECT_TRUE(b[6] == b[2]);
    EXPECT_TRUE(b[7] == b[1]);
  }
}

}  // namespace
