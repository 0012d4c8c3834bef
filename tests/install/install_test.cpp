// The installed game: an install into a temporary prefix puts every file
// where it belongs and the program starts from there; the manual pages
// render without warnings.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// Runs a shell command; its output (stdout and stderr) and exit status.
std::string run(const std::string& command, int& status) {
  std::string out;
  status = -1;
  if (FILE* p = ::popen((command + " 2>&1").c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    status = ::pclose(p);
  }
  return out;
}

bool have(const char* program) {
  int status;
  run(std::string("command -v ") + program, status);
  return status == 0;
}

class TempDir {
 public:
  TempDir() {
    char templ[] = "/tmp/korvando-install-XXXXXX";
    const char* d = ::mkdtemp(templ);
    path = d ? d : "";
  }
  ~TempDir() {
    std::error_code ec;
    if (!path.empty()) fs::remove_all(path, ec);
  }
  fs::path path;
};

TEST(Install, IntoATemporaryPrefix) {
  TempDir prefix;
  ASSERT_FALSE(prefix.path.empty());
  int status;
  const std::string log = run(std::string("'") + KORVANDO_CMAKE + "' --install '" +
                                  KORVANDO_BUILD_DIR + "' --prefix '" + prefix.path.string() + "'",
                              status);
  ASSERT_EQ(status, 0) << log;
  const fs::path game = prefix.path / "bin" / "korvando";
  EXPECT_TRUE(fs::is_regular_file(game));
  EXPECT_TRUE(fs::is_regular_file(prefix.path / "share/man/man6/korvando.6"));
  EXPECT_TRUE(fs::is_regular_file(prefix.path / "share/man/de/man6/korvando.6"));
  EXPECT_TRUE(fs::is_regular_file(prefix.path / "share/doc/korvando/LICENSE"));

  // Started from there with an input that ends at once: the language page,
  // then the farewell, exit status 0.
  const std::string out =
      run("cd '" + prefix.path.string() + "' && printf x | '" + game.string() + "'", status);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_NE(out.find(" Deutsch:"), std::string::npos);
  EXPECT_NE(out.find("Bye-bye!"), std::string::npos);
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
