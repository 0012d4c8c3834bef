// The real program in a real terminal emulator: starting and ending in both
// languages, every menu item opened and left, leaving by closing the
// terminal, a small and a resized window, the farewell without the alternate
// screen, and stray control keys. (Esc on the language page is run on a pty
// in the terminal back end's tests.)
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "tmux_session.h"

namespace {

bool menu_german(TmuxSession& t) {
  return t.wait_for("Bitte waehlen Sie:");
}
bool menu_english(TmuxSession& t) {
  return t.wait_for("Please choose now:");
}

TEST(EndToEnd, EnglishStartAndCtrlC) {
  TmuxSession t;
  ASSERT_TRUE(t.wait_for(" English:"));
  t.keys("E");
  ASSERT_TRUE(menu_english(t));
  t.key("C-c");
  EXPECT_EQ(t.wait_exit(), 0);
  EXPECT_EQ(t.conditions_file().size(), 80u);
}

TEST(EndToEnd, EveryMenuItemOpensAndReturns) {
  TmuxSession t;
  ASSERT_TRUE(t.wait_for(" English:"));
  t.keys("e");
  ASSERT_TRUE(menu_english(t));
  // Instructions: the short page, then the four detailed pages left by Esc.
  t.keys("6");
  ASSERT_TRUE(t.wait_for("Rules of the game"));
  t.key("Enter");
  ASSERT_TRUE(menu_english(t));
  t.keys("7");
  ASSERT_TRUE(t.wait_for("Page 1 of 4"));
  t.key("PageDown");
  ASSERT_TRUE(t.wait_for("Page 2 of 4"));
  t.key("Escape");
  ASSERT_TRUE(menu_english(t));
  // Date and time, calendar, colours, configuration: each left with Esc.
  for (const char* item : {"2", "3", "4", "8"}) {
    t.keys(item);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    t.key("Escape");
    ASSERT_TRUE(menu_english(t)) << "item " << item;
  }
  // The game: the conditions form, left with "4".
  t.keys("5");
  ASSERT_TRUE(t.wait_for("Please choose now (1, 2, 3 or 4)"));
  t.keys("4");
  ASSERT_TRUE(menu_english(t));
  // The language page again, then the end.
  t.keys("1");
  ASSERT_TRUE(t.wait_for(" Deutsch:"));
  t.keys("d");
  ASSERT_TRUE(menu_german(t));
  t.keys("9");
  EXPECT_EQ(t.wait_exit(), 0);
}

TEST(EndToEnd, ClosingTheTerminalSavesTheConditions) {
  TmuxSession t;
  ASSERT_TRUE(t.wait_for(" Deutsch:"));
  t.keys("d");
  ASSERT_TRUE(menu_german(t));
  t.kill_pane();
  // The hang-up makes the program leave through its own end, which saves.
  for (int i = 0; i < 200 && t.conditions_file().size() != 80u; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(t.conditions_file().size(), 80u);
}

TEST(EndToEnd, SmallWindowShowsANoticeAndTheWholeScreenOnceLargeEnough) {
  const std::string notice =
      "Bitte das Fenster auf mindestens 80 x 25 Zeichen vergroessern / "
      "Please enlarge the window to at least 80 x 25 characters";
  TmuxSession t(60, 15);
  ASSERT_TRUE(t.wait_for(notice));
  EXPECT_TRUE(t.wait_for("(60 x 15)"));
  // Keys still work behind the notice; a window still too small says its size.
  t.keys("e");
  t.resize(80, 24);
  ASSERT_TRUE(t.wait_for("(80 x 24)"));
  t.resize(80, 25);
  ASSERT_TRUE(menu_english(t));
  EXPECT_EQ(t.row(25).substr(0, 53), " 4 - Lend colour to the game.    9 - End of the game.");
  EXPECT_EQ(t.row(1).substr(29, 23), "Operating instructions:");
  t.keys("9");
  EXPECT_EQ(t.wait_exit(), 0);
}

// German start and end by "9"; the farewell starts its own line.
TEST(EndToEnd, GermanStartAndEndWithoutTheAlternateScreen) {
  TmuxSession t(80, 25, false);
  ASSERT_TRUE(t.wait_for(" Deutsch:"));
  t.keys("d");
  ASSERT_TRUE(menu_german(t));
  EXPECT_EQ(t.row(21).substr(0, 64),
            " 1 - Sprache aendern.                     5 - Das Spiel beginnt.");
  t.keys("9");
  ASSERT_EQ(t.wait_exit(), 0);
  ASSERT_TRUE(t.wait_for("Bye-bye!"));
  EXPECT_EQ(t.conditions_file().size(), 80u);
  // The pane's own end message may have scrolled the first line into the history.
  const std::vector<std::string> lines = t.lines();
  std::size_t path = 0;
  while (path + 2 < lines.size() && lines[path].rfind(t.dir + "korvando", 0) != 0) ++path;
  ASSERT_LT(path + 2, lines.size()) << t.screen_with_colours();
  EXPECT_EQ(lines[path + 2].substr(0, 14), "Korvando  *** ");
}

TEST(EndToEnd, ControlKeysAreIgnored) {
  TmuxSession t;
  ASSERT_TRUE(t.wait_for(" Deutsch:"));
  for (const char* k : {"C-z", "C-s", "C-q", "C-\\", "Tab", "F5", "Up"}) t.key(k);
  t.keys("d");
  ASSERT_TRUE(menu_german(t));
  for (const char* k : {"C-z", "C-s", "C-q", "C-\\", "Escape", "F4"}) t.key(k);
  t.keys("0x");
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_TRUE(menu_german(t));
  t.keys("9");
  EXPECT_EQ(t.wait_exit(), 0);
}

TEST(EndToEnd, ColoursOfTheMenu) {
  TmuxSession t;
  ASSERT_TRUE(t.wait_for(" Deutsch:"));
  t.keys("d");
  ASSERT_TRUE(menu_german(t));
  // Standard white on blue, emphasis yellow on blue.
  const std::string farben = t.screen_with_colours();
  EXPECT_NE(farben.find("44m"), std::string::npos) << farben.substr(0, 300);
  EXPECT_NE(farben.find("93m"), std::string::npos);
  t.keys("9");
  EXPECT_EQ(t.wait_exit(), 0);
}

}  // namespace

namespace {

// The program started here can never set this machine's clock.
TEST(EndToEnd, ProgramHasNoRightToSetTheClock) {
  TmuxSession t;
  ASSERT_TRUE(t.wait_for(" Deutsch:"));
  const std::string pid = t.pane_pid();
  ASSERT_FALSE(pid.empty());
  std::ifstream status("/proc/" + pid + "/status");
  std::string line, bounding;
  while (std::getline(status, line))
    if (line.rfind("CapBnd:", 0) == 0) bounding = line.substr(7);
  ASSERT_FALSE(bounding.empty());
  const unsigned long long caps = std::stoull(bounding, nullptr, 16);
  EXPECT_EQ(caps & (1ull << 25), 0u);  // CAP_SYS_TIME
  t.key("Escape");
  EXPECT_EQ(t.wait_exit(), 0);
}

}  // namespace
