// The command line, through the built program: --help and --version answer
// and end, any other argument is refused on standard error. None of them
// starts the console (no control sequence reaches the terminal) or touches
// a settings file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "support/program_copy.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

TEST(CommandLine, HelpVersionAndAnythingElse) {
  TempDir tmp{"korvando-args"};
  ASSERT_FALSE(tmp.path.empty());
  copy_program(tmp.path);
  const std::string dir = tmp.path.string();
  struct Fall {
    std::string argumente;
    int status;
    std::string ausgabe, fehler;  // the start of standard output, all of standard error
  } faelle[] = {
      {"--help", 0, "Aufruf / usage: korvando [--help | --version]\n", ""},
      {"--version --help", 0, std::string("korvando ") + KORVANDO_VERSION + "\n", ""},
      {"--help -x", 2, "",
       "korvando: unbekanntes Argument / unknown argument '-x' (siehe / see: korvando --help)\n"},
      {"spielen", 2, "",
       "korvando: unbekanntes Argument / unknown argument 'spielen' (siehe / see: korvando "
       "--help)\n"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.argumente);
    int status;
    const std::string aus =
        run_shell("cd '" + dir + "' && HOME='" + dir + "' XDG_CONFIG_HOME='" + dir +
                      "/cfg' ./korvando " + f.argumente + " </dev/null 2>fehler",
                  status);
    std::ifstream fehler_datei(tmp.path / "fehler");
    const std::string fehler(std::istreambuf_iterator<char>(fehler_datei), {});
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), f.status);
    EXPECT_EQ(aus.substr(0, f.ausgabe.size()), f.ausgabe);
    EXPECT_EQ(aus.empty(), f.ausgabe.empty());
    EXPECT_EQ(fehler, f.fehler);
    EXPECT_EQ(aus.find('\x1b'), std::string::npos);
  }
  int status;
  EXPECT_NE(run_shell("'" + dir + "/korvando' --help", status).find("korvando(6)"),
            std::string::npos);
  std::set<std::string> namen;
  for (const auto& e : fs::directory_iterator(tmp.path)) namen.insert(e.path().filename());
  EXPECT_EQ(namen, (std::set<std::string>{"korvando", KORVANDO_BUILD_MARKER, "fehler"}));
}

}  // namespace
