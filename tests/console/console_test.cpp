#include "console/console.h"

#include <gtest/gtest.h>

#include <string>

#include "console/virtual_console.h"
#include "support/harness.h"

namespace {

class ScreenModel : public ::testing::Test {
 protected:
  void SetUp() override { console_use(vc); }
  VirtualConsole vc;
};

TEST_F(ScreenModel, WritingPastColumn80WrapsToTheNextRow) {
  GOTOXY(78, 3);
  WRITE("abcde");
  EXPECT_EQ(screen_row(3).substr(77), "abc");
  EXPECT_EQ(screen_row(4), pad("de"));
  EXPECT_EQ(WHEREX(), 3);
  EXPECT_EQ(WHEREY(), 4);
}

TEST_F(ScreenModel, TheCellInColumn80IsWrittenAndTheCursorMovesOn) {
  GOTOXY(80, 13);
  TEXTATTR = 0x1e;
  WRITE('|');
  EXPECT_EQ(screen_row(13)[79], '|');
  EXPECT_EQ(screen_attr(80, 13), 0x1e);
  EXPECT_EQ(WHEREX(), 1);
  EXPECT_EQ(WHEREY(), 14);
}

TEST_F(ScreenModel, WritingPastRow25ScrollsInTheCurrentAttribute) {
  for (int y = 1; y <= SCREEN_ROWS; ++y) {
    GOTOXY(1, y);
    WRITE(static_cast<char>('A' + y - 1));
  }
  TEXTATTR = 0x47;
  GOTOXY(80, 25);
  WRITE('z');  // the last cell of the screen: written, then the screen scrolls
  EXPECT_EQ(screen_row(1), pad("B"));
  EXPECT_EQ(screen_row(23), pad("X"));
  EXPECT_EQ(screen_row(24)[0], 'Y');
  EXPECT_EQ(screen_row(24)[79], 'z');
  EXPECT_EQ(screen_attr(80, 24), 0x47);
  EXPECT_EQ(screen_row(25), pad(""));
  EXPECT_EQ(screen_attr(1, 25), 0x47);
  EXPECT_EQ(WHEREX(), 1);
  EXPECT_EQ(WHEREY(), 25);
  WRITELN("next");
  EXPECT_EQ(screen_row(24), pad("next"));
  EXPECT_EQ(WHEREY(), 25);
}

TEST_F(ScreenModel, BackspaceMovesLeftWithoutErasingAndStopsAtColumn1) {
  GOTOXY(5, 2);
  WRITE("xy\b.\b");
  EXPECT_EQ(screen_row(2), pad("    x."));
  EXPECT_EQ(WHEREX(), 6);
  GOTOXY(1, 3);
  WRITE("\b\bq");
  EXPECT_EQ(screen_row(3), pad("q"));
}

TEST_F(ScreenModel, ClrscrFillsWithTheCurrentAttributeAndHomesTheCursor) {
  WRITE("text");
  TEXTATTR = 0x2e;
  CLRSCR();
  for (int y = 1; y <= SCREEN_ROWS; y += 6) {
    EXPECT_EQ(screen_row(y), pad(""));
    EXPECT_EQ(screen_attr(1, y), 0x2e);
    EXPECT_EQ(screen_attr(80, y), 0x2e);
  }
  EXPECT_EQ(WHEREX(), 1);
  EXPECT_EQ(WHEREY(), 1);
}

TEST_F(ScreenModel, TextmodeClearsTheWholeScreenAndResetsTheWindow) {
  for (int mode : {2, 3, 7}) {
    WINDOW(10, 5, 20, 8);
    GOTOXY(1, 1);
    WRITE("inside");
    GOTOXY(1, 1);
    TEXTATTR = static_cast<std::uint8_t>(0x10 + mode);
    TEXTMODE(mode);
    EXPECT_EQ(screen_row(5), pad(""));
    EXPECT_EQ(screen_attr(1, 25), 0x10 + mode);
    EXPECT_EQ(screen_attr(80, 1), 0x10 + mode);
    GOTOXY(80, 25);
    EXPECT_EQ(WHEREX(), 80);
    EXPECT_EQ(WHEREY(), 25);
  }
}

TEST_F(ScreenModel, ReadkeyAndKeypressedShowTheScreenBeforeLooking) {
  vc.push_keys("k");
  long long before = vc.presents;
  EXPECT_TRUE(KEYPRESSED());
  EXPECT_EQ(READKEY(), 'k');
  DELAY(5);
  EXPECT_EQ(vc.presents, before + 3);
}

}  // namespace
