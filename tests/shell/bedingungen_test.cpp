// Loading, correcting and saving the conditions file.
#include <gtest/gtest.h>

#include "engine/kvspiel.h"
#include "shell/kv.h"
#include "support/harness.h"

namespace {

std::vector<std::uint8_t> satz_mit(std::initializer_list<std::pair<int, int>> felder) {
  auto r = Harness::default_record();
  for (auto [i, v] : felder) r[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v);
  return r;
}

// Starts with the given file (none when empty), saves, and returns the saved bytes.
std::vector<std::uint8_t> laden_und_speichern(Harness& h, const std::vector<std::uint8_t>& datei,
                                              int modus = 3) {
  if (!datei.empty()) h.write_file(datei);
  h.vc.mode = modus;
  console_use(h.vc);
  h.start();
  BEDINGUNGENSPEICHERN();
  return h.read_file();
}

TEST(ConditionsFile, MissingOrShortFileGivesTheDefaults) {
  {
    Harness h;
    EXPECT_EQ(laden_und_speichern(h, {}), Harness::default_record());
    EXPECT_FALSE(KANN_LESEN);
    EXPECT_EQ(MAXFARBE, 10);
    EXPECT_EQ(ZEITLIMIT, 1000u);
    EXPECT_EQ(MEMAVAIL_ORB, 2007952544u);
  }
  {
    Harness h;
    auto kurz = satz_mit({{3, 6}});
    kurz.resize(79);
    EXPECT_EQ(laden_und_speichern(h, kurz), Harness::default_record());
  }
  {
    Harness h;
    h.write_file({});
    h.start();
    EXPECT_FALSE(KANN_LESEN);
  }
}

TEST(ConditionsFile, SignRangeIsCorrected) {
  struct Fall {
    int erstes, letztes, neu_erstes, neu_letztes;
  } faelle[] = {
      {'Q', 'Z', 'q', 'z'}, {'!', 'c', 'a', 'c'}, {'3', '?', '0', '5'},
      {'7', '7', '0', '5'}, {'k', 'k', 'a', 'f'},
  };
  for (const Fall& f : faelle) {
    Harness h;
    const auto b = laden_und_speichern(h, satz_mit({{6, f.erstes}, {7, f.letztes}}));
    EXPECT_EQ(b[6], f.neu_erstes) << char(f.erstes);
    EXPECT_EQ(b[7], f.neu_letztes) << char(f.erstes);
  }
}

TEST(ConditionsFile, RangesOfTheNumbers) {
  Harness h;
  const auto b = laden_und_speichern(h, satz_mit({{2, 12}, {3, 1}, {4, 0}, {5, 16}}));
  EXPECT_EQ(b[2], 6);
  EXPECT_EQ(ZEITLIMIT, 6000u);
  EXPECT_EQ(ZEITLIMIT_DIV_10, 600u);
  EXPECT_EQ(b[3], 4);
  EXPECT_EQ(b[4], 8);
  EXPECT_EQ(b[5], 10);

  Harness h2;
  laden_und_speichern(h2, satz_mit({{2, 0}, {4, 3}}));
  EXPECT_EQ(ZEITLIMIT, 0u);
  EXPECT_EQ(SPEICHERWAHL, 3);
  EXPECT_EQ(MEMAVAIL_ORB, 43089920u);
}

TEST(ConditionsFile, LongCodeOverFewSignsForcesRepetition) {
  Harness h;
  const auto b = laden_und_speichern(h, satz_mit({{3, 9}, {6, 'a'}, {7, 'e'}}));
  EXPECT_EQ(b[9], 1);
  EXPECT_EQ(MAXFARBE, 5);
}

TEST(ConditionsFile, ColourRules) {
  {
    Harness h;
    const auto b = laden_und_speichern(h, satz_mit({{0, 68}, {1, 30}}));
    EXPECT_EQ(b[0], 7);
  }
  {
    Harness h;
    const auto b = laden_und_speichern(h, satz_mit({{0, 31}, {1, 78}}));
    EXPECT_EQ(b[0], 31);
    EXPECT_EQ(b[1], 30);
    EXPECT_EQ(STANDARDFARBE, 31);
    EXPECT_EQ(HERVORHEBUNGSFARBE, 30);
  }
  {
    Harness h;
    const auto b = laden_und_speichern(h, satz_mit({{0, 159}, {1, 17}}));
    EXPECT_EQ(b[0], 31);  // no blink bit
    EXPECT_EQ(b[1], 31);  // emphasis equal to its background takes the standard
  }
  {
    Harness h;
    const auto b = laden_und_speichern(h, satz_mit({{0, 7}, {1, 30}}), 7);
    EXPECT_FALSE(FARBBILDSCHIRM);
    EXPECT_EQ(b[0], 7);
    EXPECT_EQ(b[1], 15);
  }
  {
    Harness h;
    const auto b = laden_und_speichern(h, satz_mit({{0, 127}, {1, 112}}), 2);
    EXPECT_EQ(b[0], 127);
    EXPECT_EQ(b[1], 112);
  }
}

TEST(ConditionsFile, SaveKeepsTheUsersVacantSignChoice) {
  Harness h;
  laden_und_speichern(h, satz_mit({{10, 0}}));
  X.leerzeichen = 1;  // a game switched it on for itself
  BEDINGUNGENSPEICHERN();
  EXPECT_EQ(h.read_file()[10], 0);
  EXPECT_EQ(X.leerzeichen, 1);
}

TEST(ConditionsFile, NamesAreNormalisedOnLoad) {
  Harness h;
  auto r = Harness::default_record();
  const std::string name = "hans  meier";
  for (std::size_t i = 0; i < name.size(); ++i) r[15 + i] = static_cast<std::uint8_t>(name[i]);
  const auto b = laden_und_speichern(h, r);
  EXPECT_EQ(std::string(b.begin() + 15, b.begin() + 20), "Hans ");
  EXPECT_EQ(b[20], ' ');
  EXPECT_EQ(b[21], ' ');
}

// The farewell names the file saved, or why it could not be saved.
TEST(ConditionsFile, AFailedSaveIsNamedAtTheEnd) {
  Harness h;
  h.vc.files_read_only = true;
  h.run();
  EXPECT_TRUE(h.read_file().empty());
  std::string abschied;  // the rows in one, as the long line runs on from row to row
  for (int y = 1; y <= 25; ++y) abschied += h.row(y);
  EXPECT_NE(abschied.find("Einstellungen / settings: nicht gespeichert / not saved (" + h.file() +
                          ": Read-only file system)"),
            std::string::npos);
}

TEST(ConditionsFile, BesideTheProgramInItsBuildFolderElseInThePlayersSettingsFolder) {
  const std::string marke = KORVANDO_BUILD_MARKER;
  {  // A build folder this user may write: beside the program.
    Harness h;
    h.vc.environment = {{"XDG_CONFIG_HOME", "/cfg"}};
    h.start();
    BEDINGUNGENSPEICHERN();
    EXPECT_EQ(h.read_file().size(), 80u);
    EXPECT_EQ(h.vc.files.size(), 2u);
    EXPECT_TRUE(h.vc.folders_made.empty());
  }
  {  // A build folder it may not write: $XDG_CONFIG_HOME/korvando, made at the first save.
    Harness h;
    h.vc.read_only_folders = {h.dir};
    h.vc.environment = {{"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/p"}};
    h.start();
    EXPECT_TRUE(h.vc.folders_made.empty());
    BEDINGUNGENSPEICHERN();
    EXPECT_EQ(h.vc.folders_made, std::vector<std::string>{"/cfg/korvando"});
    EXPECT_EQ(h.vc.files["/cfg/korvando/BEDINGUN.DAT"].size(), 80u);
    EXPECT_EQ(h.vc.files.size(), 2u);
  }
  {  // A file beside such a program gives the settings until the player saves.
    Harness h;
    h.write_file(satz_mit({{3, 6}}));
    h.vc.read_only_folders = {h.dir};
    h.vc.environment = {{"XDG_CONFIG_HOME", "/cfg"}};
    h.start();
    EXPECT_EQ(X.laenge, 6);
    BEDINGUNGENSPEICHERN();
    EXPECT_EQ(h.vc.files["/cfg/korvando/BEDINGUN.DAT"][3], 6);
    EXPECT_EQ(h.vc.files.size(), 3u);
  }
  {  // Installed (no marker), in a folder it may write: the settings folder
     // alone, and a file beside the program is not read.
    Harness h;
    h.vc.files.erase(h.dir + marke);
    h.write_file(satz_mit({{3, 6}}));
    h.vc.environment = {{"XDG_CONFIG_HOME", "relative"}, {"HOME", "/home/p"}};
    h.start();
    EXPECT_EQ(ALT, "/home/p/.config/korvando/BEDINGUN.DAT");
    EXPECT_EQ(X.laenge, 4);
    BEDINGUNGENSPEICHERN();
    EXPECT_EQ(h.vc.files[ALT].size(), 80u);
    EXPECT_EQ(h.read_file()[3], 6);
  }
  {  // Installed, and no absolute home: nothing is read or written.
    Harness h;
    h.vc.files.erase(h.dir + marke);
    h.start();
    BEDINGUNGENSPEICHERN();
    EXPECT_TRUE(h.vc.files.empty());
    EXPECT_EQ(einstellungszeile(),
              "Einstellungen / settings: nicht gespeichert / not saved "
              "(~/.config/korvando/BEDINGUN.DAT: HOME is not an absolute path)");
  }
}

}  // namespace
