// The colour scheme editor, driven from the main menu: the page, the
// refused keys, the three redraws of the help box and the saved colours.
#include <gtest/gtest.h>

#include "engine/kvspiel.h"
#include "extras/zuf.h"
#include "extras_support.h"
#include "shell/kv.h"

namespace {

using extras_test::Ablauf;

const std::string STRICHE(40, '_');
const std::string TRENNER = "|___________|______________|___________|";

std::string box(const std::string& text) {
  std::string s = "|" + text;
  s.resize(39, ' ');
  return s + "|";
}

// Starts the program in the given text mode (3 colour, 7 monochrome) with
// the stored colours, and opens the editor in the given language.
void oeffne(Harness& h, char sprache, int modus = 3, int standard = 31, int hervorhebung = 30) {
  auto satz = Harness::default_record();
  satz[0] = static_cast<std::uint8_t>(standard);
  satz[1] = static_cast<std::uint8_t>(hervorhebung);
  h.write_file(satz);
  h.vc.mode = modus;
  console_use(h.vc);
  zuf_reset();
  h.vc.push_key(static_cast<unsigned char>(sprache));
  h.vc.push_keys("4");
}

// Leaves the page and ends the program from the menu.
void verlasse(Harness& h) {
  h.vc.push_key(13);
  h.vc.push_keys("9");
}

// Every cell of the help box's standard passages and borders has the
// attribute s, every cell of an emphasised passage e (but the cell at
// column ax, row ay).
void box_farben(const Harness& h, bool deutsch, int s, int e, int ax = 0, int ay = 0) {
  struct Passage {
    int zeile, von, bis;
  };
  const std::vector<Passage> hervor =
      deutsch ? std::vector<Passage>{{6, 46, 70}, {13, 72, 77}, {14, 42, 77}, {18, 42, 76}}
              : std::vector<Passage>{{6, 50, 64}, {14, 42, 76}, {19, 42, 77}};
  for (int y = 3; y <= 23; ++y) {
    for (int x = 41; x <= 80; ++x) {
      int erwartet = s;
      for (const Passage& p : hervor)
        if (p.zeile == y && x >= p.von && x <= p.bis) erwartet = e;
      if (x == ax && y == ay) continue;
      ASSERT_EQ(h.attr(x, y), erwartet) << "column " << x << ", row " << y;
    }
  }
}

TEST(ColourEditor, GermanColourPage) {
  Harness h;
  oeffne(h, 'd');
  Ablauf a(h);
  a.dann([&] {
    EXPECT_EQ(h.row(1), std::string(80, ' '));
    EXPECT_EQ(h.attr(1, 1), 7);
    EXPECT_EQ(h.row(2), std::string(80, ' '));
    EXPECT_EQ(h.row(3), STRICHE + STRICHE);
    EXPECT_EQ(h.row(4), "|Ziffer fuer| gewuenschte  | Buchstabe |" +
                            box("Bitte stellen Sie eine Farbkombination"));
    EXPECT_EQ(h.row(5), "|Hintergrund|    Farbe     | fuer Text |" +
                            box("aus Hintergrundfarbe,Standardtextfarbe"));
    EXPECT_EQ(h.row(6), TRENNER + box("und hervorgehobener Textfarbe ein, die"));
    const char* const zeilen[16][2] = {
        {"|        1  |              |  a/A      |", "Sie gut lesen koennen."},
        {"|           |**************|  b/B      |", ""},
        {"|        2  |**************|  c/C      |", "Zur Auswahl eines anderen Hintergrunds"},
        {"|           |**************|  d/D      |", "geben Sie bitte die entsprechende Zif-"},
        {"|        3  |**************|  e/E      |", "fer ein,fuer eine neue Textfarbe bitte"},
        {"|           |**************|  f/F      |", "den entsprechenden Buchstaben: Klein-"},
        {"|        4  |**************|  g/G      |", "buchstaben fuer Standardtext, Gross-"},
        {"|           |**************|  h/H      |", "buchstaben fuer hervorgehobenen Text."},
        {"|        5  |**************|  i/I      |", "Die Aenderungen sind sofort gueltig."},
        {"|           |**************|  j/J      |", ""},
        {"|        6  |**************|  k/K      |", "Dieser Text ist in Standardtextfarbe,"},
        {"|           |**************|  l/L      |", "dieser in hervorgehobener Textfarbe,"},
        {"|        7  |**************|  m/M      |", "auf gueltigem Hintergrund geschrieben."},
        {"|           |**************|  n/N      |", ""},
        {"|        8  |**************|  o/O      |", "Sind Sie fertig, so druecken Sie bitte"},
        {"|           |**************|  p/P      |", "\"CR\"/\"ENTER\"."}};
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(h.row(7 + i), std::string(zeilen[i][0]) + box(zeilen[i][1])) << "row " << 7 + i;
    EXPECT_EQ(h.row(23), TRENNER + "|______________________________________|");
    EXPECT_EQ(h.row(24), std::string(80, ' '));
    // The samples in their colours on black, the rest of the table in 7.
    const int folge[16] = {0, 8, 1, 9, 2, 10, 3, 11, 4, 12, 5, 13, 6, 14, 7, 15};
    for (int i = 0; i < 16; ++i) {
      EXPECT_EQ(h.attr(14, 7 + i), folge[i]);
      EXPECT_EQ(h.attr(27, 7 + i), folge[i]);
      EXPECT_EQ(h.attr(13, 7 + i), 7);
      EXPECT_EQ(h.attr(28, 7 + i), 7);
      EXPECT_EQ(h.attr(40, 7 + i), 7);
    }
    box_farben(h, true, 31, 30);
    EXPECT_EQ(WHEREX(), 79);
    EXPECT_EQ(WHEREY(), 22);
    verlasse(h);
  });
  h.run();
  EXPECT_EQ(a.erledigt(), 1u);
  EXPECT_EQ(h.read_file()[0], 31);
  EXPECT_EQ(h.read_file()[1], 30);
}

TEST(ColourEditor, EnglishColourPage) {
  Harness h;
  oeffne(h, 'e');
  Ablauf a(h);
  a.dann([&] {
    EXPECT_EQ(h.row(4), "|numeral for|    choosen   |  letter   |" +
                            box("Please set the combination of colours"));
    EXPECT_EQ(h.row(5), "|background |    colour    | for text  |" +
                            box("for the background, for standardtext"));
    EXPECT_EQ(h.row(6), TRENNER + box("and for emphasized text, so that you"));
    const char* const zeilen[16] = {"can easily read.",
                                    "",
                                    "To choose another background, please",
                                    "press the corresponding number.",
                                    "To choose another colour for the text,",
                                    "please press the corresponding letter:",
                                    "small letters for standardtext and",
                                    "capital letters for emphasized text.",
                                    "The screen will immediately change.",
                                    "",
                                    "The text is written on the valid back-",
                                    "ground with standardtextcolour and",
                                    "this text with emphasized textcolour.",
                                    "",
                                    "When you are ready, please press the",
                                    "'CR'/'ENTER' - key."};
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(h.row(7 + i).substr(40), box(zeilen[i])) << "row " << 7 + i;
    box_farben(h, false, 31, 30);
    verlasse(h);
  });
  h.run();
  EXPECT_EQ(a.erledigt(), 1u);
}

TEST(ColourEditor, RefusedKeysChangeNothing) {
  for (char sprache : {'d', 'e'}) {
    Harness h;
    oeffne(h, sprache);
    h.vc.push_keys("90qQ");
    h.vc.push_keys("2");   // the current background
    h.vc.push_keys("cC");  // blue text on blue
    h.vc.push_keys("pN");  // the current text colours
    h.vc.push_ext(59);     // extended keys are swallowed whole, Enter's code included
    h.vc.push_ext(13);
    h.vc.push_ext(72);
    Ablauf a(h);
    a.dann([&] {
      box_farben(h, sprache == 'd', 31, 30);
      verlasse(h);
    });
    h.run();
    EXPECT_EQ(a.erledigt(), 1u);
    EXPECT_EQ(h.read_file()[0], 31);
    EXPECT_EQ(h.read_file()[1], 30);
  }
}

TEST(ColourEditor, BackgroundChangeRedrawsTheBox) {
  for (char sprache : {'d', 'e'}) {
    Harness h;
    oeffne(h, sprache);
    h.vc.push_keys("8");  // light grey: 127 and 126
    Ablauf a(h);
    a.dann([&] {
      box_farben(h, sprache == 'd', 127, 126);
      EXPECT_EQ(h.attr(14, 8), 8);  // the table stays as it was
      EXPECT_EQ(WHEREX(), 79);
      EXPECT_EQ(WHEREY(), 22);
      // The background may not equal either text colour: 8 (white) and 7 (yellow)
      // are refused, and the current background too.
      h.vc.push_keys("8");
      h.vc.push_keys("o");  // light grey text on light grey
      h.vc.push_keys("O");
      verlasse(h);
    });
    h.run();
    EXPECT_EQ(a.erledigt(), 1u);
    EXPECT_EQ(h.read_file()[0], 127);
    EXPECT_EQ(h.read_file()[1], 126);
  }
}

TEST(ColourEditor, BackgroundMayNotMatchATextColour) {
  Harness h;
  oeffne(h, 'd', 3, 0x1F, 0x1E);  // white and yellow on blue
  h.vc.push_keys("a");            // black standard text: 16
  h.vc.push_keys("1");            // black background: refused, black text
  h.vc.push_keys("3");            // green background: 32 and 46
  verlasse(h);
  h.run();
  EXPECT_EQ(h.read_file()[0], 32);
  EXPECT_EQ(h.read_file()[1], 46);
}

TEST(ColourEditor, StandardAndEmphasisRedraws) {
  for (char sprache : {'d', 'e'}) {
    const bool de = sprache == 'd';
    Harness h;
    oeffne(h, sprache);
    Ablauf a(h);
    const int hx = de ? 46 : 50, hy = 6;  // a cell of an emphasised passage
    auto markiere = [](int x, int y) {
      GOTOXY(x, y);
      TEXTATTR = 0;
      WRITE('#');
      GOTOXY(79, 22);
    };
    a.dann([&] {
      // The standard redraw must not touch an emphasised passage.
      markiere(hx, hy);
      h.vc.push_keys("b");  // dark grey standard text
    });
    a.dann([&] {
      EXPECT_EQ(h.text(hx, hy, 1), "#");
      EXPECT_EQ(h.attr(hx, hy), 0);
      EXPECT_EQ(h.attr(42, 4), 24);
      EXPECT_EQ(h.attr(41, 3), 24);
      EXPECT_EQ(h.attr(80, 23), 24);
      EXPECT_EQ(TEXTATTR, 24);
      // Again b: no change; B gives emphasis the same colour as standard text.
      // The emphasis redraw touches only the emphasised passages.
      markiere(42, 4);
      h.vc.push_keys("bB");
    });
    a.dann([&] {
      EXPECT_EQ(h.text(42, 4, 1), "#");
      box_farben(h, de, 24, 24, 42, 4);
      verlasse(h);
    });
    h.run();
    EXPECT_EQ(a.erledigt(), 3u);
    EXPECT_EQ(h.read_file()[0], 24);
    EXPECT_EQ(h.read_file()[1], 24);
    // The menu is drawn in the new colour.
    EXPECT_EQ(STANDARDFARBE, 24);
  }
}

TEST(ColourEditor, GermanMonochromePage) {
  Harness h;
  oeffne(h, 'd', 7);
  Ablauf a(h);
  a.dann([&] {
    EXPECT_FALSE(FARBBILDSCHIRM);
    EXPECT_EQ(h.row(3).substr(0, 40), std::string(40, ' '));
    EXPECT_EQ(h.row(8).substr(0, 40), std::string(40, ' '));
    EXPECT_EQ(h.row(9).substr(0, 40), STRICHE);
    EXPECT_EQ(h.row(10).substr(0, 40), "|Ziffer fuer| gewuenschte  | Buchstabe |");
    EXPECT_EQ(h.row(11).substr(0, 40), "|Hintergrund|    Farbe     | fuer Text |");
    EXPECT_EQ(h.row(12).substr(0, 40), TRENNER);
    EXPECT_EQ(h.row(13).substr(0, 40), "|        1  |              |  a/A      |");
    EXPECT_EQ(h.row(14).substr(0, 40), "|        2  |**************|  b/B      |");
    EXPECT_EQ(h.row(15).substr(0, 40), "|           |**************|  c/C      |");
    EXPECT_EQ(h.row(16).substr(0, 40), TRENNER);
    EXPECT_EQ(h.row(17).substr(0, 40), std::string(40, ' '));
    EXPECT_EQ(h.attr(14, 13), 0);
    EXPECT_EQ(h.attr(14, 14), 7);
    EXPECT_EQ(h.attr(27, 15), 15);
    EXPECT_EQ(h.attr(28, 15), 7);
    EXPECT_EQ(h.row(3).substr(40), STRICHE);
    EXPECT_EQ(h.row(13).substr(40), box("buchstaben fuer Standardtext, Gross-"));
    box_farben(h, true, 7, 15);
    verlasse(h);
  });
  h.run();
  EXPECT_EQ(a.erledigt(), 1u);
  EXPECT_EQ(h.read_file()[0], 7);  // 31 and 30 become 7 and 15 at start-up
  EXPECT_EQ(h.read_file()[1], 15);
}

TEST(ColourEditor, EnglishMonochromePage) {
  Harness h;
  oeffne(h, 'e', 2, 112, 127);
  Ablauf a(h);
  a.dann([&] {
    EXPECT_EQ(h.row(10).substr(0, 40), "|numeral for|    choosen   |  letter   |");
    EXPECT_EQ(h.row(11).substr(0, 40), "|background |    colour    | for text  |");
    EXPECT_EQ(h.row(15).substr(0, 40), "|           |**************|  c/C      |");
    box_farben(h, false, 112, 127);
    verlasse(h);
  });
  h.run();
  EXPECT_EQ(a.erledigt(), 1u);
}

TEST(ColourEditor, MonochromeFixUps) {
  struct Fall {
    int s, e;
    const char* tasten;
    int s2, e2;
  } faelle[] = {
      {7, 15, "2", 112, 127},       // 119 becomes 112, 127 stays
      {112, 127, "1", 7, 15},       // 0 becomes 7 since emphasis is 15
      {15, 7, "2", 127, 112},       // 119 emphasis becomes 112, standard 127 stays
      {127, 112, "1", 15, 7},       // 0 becomes 7 since standard is 15
      {7, 15, "2A1", 7, 7},         // both 112, then both 0 become 7
      {7, 7, "2", 112, 112},        // both 119 become 112
      {7, 15, "aA", 7, 15},         // black text on black: refused
      {7, 15, "b", 7, 15},          // the current standard text colour
      {7, 15, "1", 7, 15},          // the current background
      {7, 15, "cB", 15, 7},         // white standard text, light grey emphasis
      {112, 127, "bB2", 112, 127},  // light grey text on light grey: refused
  };
  for (const Fall& f : faelle) {
    for (char sprache : {'d', 'e'}) {
      Harness h;
      oeffne(h, sprache, 7, f.s, f.e);
      h.vc.push_keys(f.tasten);
      h.vc.push_keys("dD34");  // out of the monochrome table
      Ablauf a(h);
      a.dann([&] {
        box_farben(h, sprache == 'd', f.s2, f.e2);
        verlasse(h);
      });
      h.run();
      EXPECT_EQ(a.erledigt(), 1u);
      EXPECT_EQ(h.read_file()[0], f.s2) << f.s << " " << f.e << " " << f.tasten;
      EXPECT_EQ(h.read_file()[1], f.e2) << f.s << " " << f.e << " " << f.tasten;
    }
  }
}

TEST(ColourEditor, EscAndCtrlCKeepTheChanges) {
  for (unsigned char ende : {27, 3}) {
    Harness h;
    oeffne(h, 'e');
    h.vc.push_keys("5iH");  // red background, red... refused; light cyan emphasis
    h.vc.push_key(ende);
    h.vc.push_keys("9");
    h.run();
    EXPECT_EQ(h.read_file()[0], 79);
    EXPECT_EQ(h.read_file()[1], 75);
  }
}

TEST(ColourEditor, StartUpNormalisation) {
  struct Fall {
    int modus, s, e, s2, e2;
  } faelle[] = {
      {3, 79, 79, 79, 79},  // white on red twice stays
      {3, 17, 30, 7, 14},   // blue on blue: 7, emphasis takes background black
      {7, 31, 30, 7, 15},   // not a monochrome pair
      {2, 7, 112, 7, 15},   // mixed pairs are not allowed
  };
  for (const Fall& f : faelle) {
    Harness h;
    oeffne(h, 'd', f.modus, f.s, f.e);
    h.start();
    EXPECT_EQ(STANDARDFARBE, f.s2) << f.s << " " << f.e;
    EXPECT_EQ(HERVORHEBUNGSFARBE, f.e2) << f.s << " " << f.e;
    EXPECT_EQ(TEXTATTR, f.s2);
  }
}

}  // namespace
