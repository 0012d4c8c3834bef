// The installed game: an install into a temporary prefix puts every file
// where it belongs, the program starts from there and keeps its settings in
// the player's folder, never under the prefix; the manual pages render
// without warnings.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/program_copy.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Runs a shell command; its output (stdout and stderr) and exit status.
std::string run(const std::string& command, int& status) {
  return run_shell(command + " 2>&1", status);
}

bool have(const char* program) {
  int status;
  run(std::string("command -v ") + program, status);
  return status == 0;
}

// The memory choice, byte 4, of a conditions file; -1 when it holds no record.
int memory_choice(const fs::path& file) {
  std::ifstream f(file, std::ios::binary);
  std::string satz(std::istreambuf_iterator<char>(f), {});
  return satz.size() == 80 ? satz[4] : -1;
}

TEST(Install, IntoATemporaryPrefix) {
  TempDir prefix{"korvando-install"};
  ASSERT_FALSE(prefix.path.empty());
  int status;
  const std::string log = run(std::string("'") + KORVANDO_CMAKE + "' --install '" +
                                  KORVANDO_BUILD_DIR + "' --prefix '" + prefix.path.string() + "'",
                              status);
  ASSERT_EQ(status, 0) << log;
  const fs::path bin = prefix.path / "bin";
  EXPECT_TRUE(fs::is_regular_file(bin / "korvando"));
  EXPECT_FALSE(fs::exists(bin / KORVANDO_BUILD_MARKER));
  EXPECT_TRUE(fs::is_regular_file(prefix.path / "share/man/man6/korvando.6"));
  EXPECT_TRUE(fs::is_regular_file(prefix.path / "share/man/de/man6/korvando.6"));
  EXPECT_TRUE(fs::is_regular_file(prefix.path / "share/doc/korvando/LICENSE"));

  // Started from there, by whoever runs the tests (root too), with a
  // conditions file beside it (memory choice 3) and an input that ends at
  // once: the language page, then the farewell, exit status 0. The file
  // beside it is neither read nor written; the settings are saved in the
  // player's folder, with the defaults (memory choice 8).
  std::string satz(80, ' ');
  satz[3] = 4;
  satz[4] = 3;
  std::ofstream(bin / "BEDINGUN.DAT", std::ios::binary) << satz;
  const fs::path home = prefix.path / "home";
  const std::string out =
      run("cd '" + prefix.path.string() + "' && printf x | env -u XDG_CONFIG_HOME HOME='" +
              home.string() + "' '" + (bin / "korvando").string() + "'",
          status);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_NE(out.find(" Deutsch:"), std::string::npos);
  EXPECT_NE(out.find("Bye-bye!"), std::string::npos);
  EXPECT_EQ(memory_choice(home / ".config/korvando/BEDINGUN.DAT"), 8);
  EXPECT_EQ(memory_choice(bin / "BEDINGUN.DAT"), 3);
  EXPECT_EQ(std::distance(fs::directory_iterator(bin), {}), 2);  // korvando, BEDINGUN.DAT
}

TEST(ManualPages, RenderWithoutWarnings) {
  std::string checker;
  if (have("groff"))
    checker = "groff -ww -z -man -Tutf8 ";
  else if (have("man"))
    checker = "MANPAGER=cat man --warnings -l ";
  else
    GTEST_SKIP() << "neither groff nor man is installed";
  for (const char* page : {"man/korvando.6", "man/de/korvando.6"}) {
    const fs::path file = fs::path(KORVANDO_BUILD_DIR) / page;
    ASSERT_TRUE(fs::is_regular_file(file)) << file;
    int status;
    const std::string warnings = run(checker + "'" + file.string() + "' > /dev/null", status);
    EXPECT_EQ(status, 0) << page;
    EXPECT_EQ(warnings, "") << page;
  }
}

}  // namespace
