// Whole games in a real terminal emulator, played by a script that reads
// the board as a person would, and the colour editor's effect on the colours
// the terminal shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "tmux_session.h"

namespace {

// P and Z of a trial against a code.
void score(const std::string& trial, const std::string& code, int& p, int& z) {
  p = 0;
  int common = 0;
  for (std::size_t i = 0; i < trial.size(); ++i) p += trial[i] == code[i];
  for (char c = '0'; c <= 'z'; ++c) {
    const auto a = std::count(trial.begin(), trial.end(), c);
    const auto b = std::count(code.begin(), code.end(), c);
    common += static_cast<int>(std::min(a, b));
  }
  z = common - p;
}

std::vector<std::string> codes_without_repetition() {
  std::vector<std::string> all;
  for (int n = 0; n < 10000; ++n) {
    std::string s = std::to_string(10000 + n).substr(1);
    bool twice = false;
    for (int i = 0; i < 4; ++i)
      for (int j = i + 1; j < 4; ++j) twice |= s[i] == s[j];
    if (!twice) all.push_back(s);
  }
  return all;
}

TEST(EndToEnd, PersonBreaksTheComputersCode) {
  TmuxSession t;
  ASSERT_TRUE(t.wait_for(" English:"));
  t.keys("e");
  ASSERT_TRUE(t.wait_for("Please choose now:"));
  t.keys("5");
  ASSERT_TRUE(t.wait_for("Please choose now (1, 2, 3 or 4)"));
  t.keys("1");

  std::vector<std::string> candidates = codes_without_repetition();
  std::vector<std::string> trials;
  bool won = false;
  for (int n = 1; n <= 12 && !won; ++n) {
    const int y = 8 + n;  // the trial's row on the left side
    ASSERT_TRUE(
        t.wait_for("|" + std::string(n < 10 ? "  " : " ") + std::to_string(n) + "|  ....   |"))
        << "trial " << n;
    ASSERT_FALSE(candidates.empty());
    const std::string trial = candidates.front();
    trials.push_back(trial);
    t.keys(trial);
    // The answer appears in the trial's row: P at column 56, Z at column 58.
    std::string row;
    for (int i = 0; i < 400; ++i) {
      row = t.row(y);
      if (row[55] != ' ' && row[57] != ' ') break;
      t.wait_for("\x01", std::chrono::milliseconds(25));
    }
    ASSERT_TRUE(isdigit(row[55]) && isdigit(row[57])) << row;
    const int p = row[55] - '0', z = row[57] - '0';
    std::vector<std::string> rest;
    for (const std::string& c : candidates) {
      int cp, cz;
      score(trial, c, cp, cz);
      if (cp == p && cz == z) rest.push_back(c);
    }
    candidates = rest;
    won = p == 4;
  }
  ASSERT_TRUE(won);
  ASSERT_TRUE(t.wait_for("New Game? Yes."));
  EXPECT_NE(t.row(25).find(trials.back()), std::string::npos) << t.row(25);
  t.keys("n");
  ASSERT_TRUE(t.wait_for("Please choose now:"));
  t.keys("9");
  EXPECT_EQ(t.wait_exit(), 0);
  EXPECT_EQ(t.conditions_file().size(), 80u);
}

TEST(EndToEnd, ColourEditorRecoloursEveryScreen) {
  TmuxSession t;
  ASSERT_TRUE(t.wait_for(" Deutsch:"));
  t.keys("d");
  ASSERT_TRUE(t.wait_for("Bitte waehlen Sie:"));
  EXPECT_EQ(t.screen_with_colours().find("42m"), std::string::npos);
  t.keys("4");
  t.wait_for("\x01", std::chrono::milliseconds(300));
  t.keys("3");  // green background
  t.key("Escape");
  ASSERT_TRUE(t.wait_for("Bitte waehlen Sie:"));
  for (int i = 0; i < 100 && t.screen_with_colours().find("42m") == std::string::npos; ++i)
    t.wait_for("\x01", std::chrono::milliseconds(25));
  EXPECT_NE(t.screen_with_colours().find("42m"), std::string::npos);
  EXPECT_EQ(t.screen_with_colours().find("44m"), std::string::npos);
  t.keys("9");
  EXPECT_EQ(t.wait_exit(), 0);
  const auto file = t.conditions_file();
  ASSERT_EQ(file.size(), 80u);
  EXPECT_EQ(file[0], 47);  // white on green
  EXPECT_EQ(file[1], 46);  // yellow on green
}

// The computer guesses a person's code; the script answers every trial with
// P and Z as it stands on the board, whenever the cursor waits in the P or
// the Z column of the trial's row.
TEST(EndToEnd, ComputerBreaksAPersonsCode) {
  std::vector<unsigned char> conditions = {31, 30, 1, 4, 8, 10, '0', '9', 0, 0, 0, 0, 1, 1};
  conditions.resize(80, ' ');
  const std::string secret = "7302";
  TmuxSession t(conditions);
  ASSERT_TRUE(t.wait_for(" English:"));
  t.keys("e");
  ASSERT_TRUE(t.wait_for("Please choose now:"));
  t.keys("5");
  ASSERT_TRUE(t.wait_for("Please choose now (1, 2, 3 or 4)"));
  t.keys("1");

  std::string last_trial;
  int answered = 0, last_x = 0, last_y = 0;
  bool won = false;
  for (int i = 0; i < 1500 && !won; ++i) {
    if (t.row(25).find("New game? Yes.") !=
        std::string::npos) {  // as the computer's games write it
      won = true;
      break;
    }
    int x, y;
    t.cursor(x, y);
    const bool p_column = x == 56 || x == 76, z_column = x == 58 || x == 78;
    if (y >= 9 && y <= 23 && (p_column || z_column) && (x != last_x || y != last_y)) {
      const std::string row = t.row(y);
      const std::string trial = row.substr(x < 60 ? 47 : 67, 4);
      int p, z;
      score(trial, secret, p, z);
      t.keys(std::to_string(p_column ? p : z));
      last_trial = trial;
      last_x = x;
      last_y = y;
      ++answered;
      continue;
    }
    t.wait_for("\x01", std::chrono::milliseconds(20));
  }
  if (!won)
    for (const std::string& r : t.screen()) std::fprintf(stderr, "%s\n", r.c_str());
  ASSERT_TRUE(won);
  // The last trial may have been answered without keys: only the secret was left.
  EXPECT_FALSE(last_trial.empty());
  EXPECT_GT(answered, 0);
  EXPECT_NE(t.row(25).find(secret), std::string::npos) << t.row(25);
  t.keys("n");
  ASSERT_TRUE(t.wait_for("Please choose now:"));
  t.keys("9");
  EXPECT_EQ(t.wait_exit(), 0);
}

}  // namespace
