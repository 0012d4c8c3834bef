// The program itself on a pseudo-terminal and on pipes: it draws its first
// page, takes keys, ends on Esc or on a termination request with exit code
// 0, and leaves the terminal modes as it found them. Each run uses a copy of
// the program as in its build folder, in a temporary directory of its own,
// where it keeps its conditions file, or in a settings folder there when it
// may not write beside itself.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "support/program_copy.h"

namespace fs = std::filesystem;

namespace {

// No single step may take longer than this; none should come close.
constexpr auto kBound = std::chrono::seconds(20);

// Enough of a terminal to follow the program's output: cursor moves,
// clearing, and printable characters; colours and modes are skipped.
class ScreenText {
 public:
  ScreenText() { clear(); }

  void feed(const std::string& bytes) {
    for (char c : bytes) step(c);
  }
  std::string row(int y) const { return rows_[y - 1]; }
  bool shows(const std::string& text) const {
    for (const std::string& r : rows_)
      if (r.find(text) != std::string::npos) return true;
    return false;
  }

 private:
  void clear() { rows_.assign(25, std::string(80, ' ')); }

  void step(char c) {
    if (state_ == 1) {  // after ESC
      state_ = c == '[' ? 2 : 0;
      params_.clear();
      return;
    }
    if (state_ == 2) {  // inside a control sequence
      if (c >= 0x40 && c <= 0x7e) {
        state_ = 0;
        if (c == 'H') {
          int row = std::atoi(params_.c_str());
          std::size_t semi = params_.find(';');
          int col = semi == std::string::npos ? 1 : std::atoi(params_.c_str() + semi + 1);
          y_ = std::max(row, 1) - 1;
          x_ = std::max(col, 1) - 1;
        } else if (c == 'J' && params_ == "2") {
          clear();
        }
      } else {
        params_ += c;
      }
      return;
    }
    if (c == 27) {
      state_ = 1;
    } else if (c == '\n') {
      y_ = std::min(y_ + 1, 24);
      x_ = 0;
    } else if (c == '\r') {
      x_ = 0;
    } else if (c >= 32 && c < 127 && y_ < 25 && x_ < 80) {
      rows_[y_][x_] = c;
      if (x_ < 79) ++x_;
    }
  }

  std::vector<std::string> rows_;
  int x_ = 0, y_ = 0;
  int state_ = 0;
  std::string params_;
};

class ProgramRun : public ::testing::Test {
 protected:
  // Runs the program with these bytes on a pipe as its input, to the end;
  // with a text to wait for, the rest of the bytes follow once it is shown.
  void run_from_pipe(const std::string& keys, const std::string& shown = "",
                     const std::string& rest = "");

  void SetUp() override {
    char tmpl[] = "/tmp/korvando-run-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir_ = tmpl;
    program_ = dir_ / "korvando";
    copy_program(dir_);
    fs::permissions(program_, fs::perms::owner_all);
  }

  void TearDown() override {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (master_ >= 0) close(master_);
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, ec);
    fs::remove_all(dir_, ec);
  }

  // Starts the program on a new pseudo-terminal of 80 x 25 in cooked mode.
  void start_on_pty() {
    termios modes{};
    cfmakeraw(&modes);
    modes.c_iflag |= ICRNL | IXON;
    modes.c_oflag |= OPOST | ONLCR;
    modes.c_lflag |= ECHO | ICANON | ISIG | IEXTEN;
    modes.c_cc[VMIN] = 1;
    modes.c_cc[VINTR] = 3;
    winsize size{25, 80, 0, 0};
    pid_ = forkpty(&master_, nullptr, &modes, &size);
    ASSERT_GE(pid_, 0);
    if (pid_ == 0) exec_program();
  }

  [[noreturn]] void exec_program() {
    if (chdir(dir_.c_str()) != 0) _exit(126);
    const rlimit dateigroesse{file_limit_, file_limit_};
    if (file_limit_ != RLIM_INFINITY && setrlimit(RLIMIT_FSIZE, &dateigroesse) != 0) _exit(125);
    setenv("TERM", "xterm", 1);
    if (!config_home_.empty()) setenv("XDG_CONFIG_HOME", config_home_.c_str(), 1);
    if (as_nobody_)
      execl(kSetpriv, "setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
            program_.c_str(), static_cast<char*>(nullptr));
    else
      execl(program_.c_str(), program_.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }

  // Reads from fd into the screen until it shows text; false after the bound.
  bool read_until_shown(int fd, const std::string& text) {
    auto end = std::chrono::steady_clock::now() + kBound;
    while (!screen_.shows(text)) {
      if (std::chrono::steady_clock::now() > end || !read_some(fd, 50)) return screen_.shows(text);
    }
    return true;
  }

  // Reads until the other side is closed; false after the bound.
  bool read_to_end(int fd) {
    auto end = std::chrono::steady_clock::now() + kBound;
    while (std::chrono::steady_clock::now() < end)
      if (!read_some(fd, 50)) return true;
    return false;
  }

  // Waits up to ms for output and takes it in; false when the side is closed.
  bool read_some(int fd, int ms) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, ms) <= 0) return true;
    char buf[4096];
    ssize_t n = read(fd, buf, sizeof buf);
    if (n <= 0) return false;
    output_.append(buf, static_cast<std::size_t>(n));
    screen_.feed(std::string(buf, static_cast<std::size_t>(n)));
    return true;
  }

  // Reads until the raw output holds text; false after the bound.
  bool read_until_output(int fd, const std::string& text) {
    auto end = std::chrono::steady_clock::now() + kBound;
    while (output_.find(text) == std::string::npos) {
      if (std::chrono::steady_clock::now() > end || !read_some(fd, 50)) break;
    }
    return output_.find(text) != std::string::npos;
  }

  // The exit status once the program has ended; -1 after the bound.
  int wait_exit() {
    int status = wait_status(0);
    if (status != -1) pid_ = -1;
    return status;
  }

  // True once the program has stopped; false after the bound.
  bool wait_stopped() {
    int status = wait_status(WUNTRACED);
    return status != -1 && WIFSTOPPED(status);
  }

  int wait_status(int flags) {
    auto end = std::chrono::steady_clock::now() + kBound;
    while (std::chrono::steady_clock::now() < end) {
      int status;
      pid_t r = waitpid(pid_, &status, WNOHANG | flags);
      if (r == pid_) return status;
      poll(nullptr, 0, 20);
    }
    return -1;
  }

  // The pty is cooked again and the screen was handed back: normal screen,
  // autowrap, cursor shown, colours reset.
  void expect_terminal_given_back() {
    termios t = pty_modes();
    EXPECT_EQ(t.c_lflag & (ECHO | ICANON | ISIG), static_cast<tcflag_t>(ECHO | ICANON | ISIG));
    EXPECT_NE(output_.find("\x1b[0m\x1b[?7h\x1b[?25h\x1b[?1049l"), std::string::npos);
  }

  termios pty_modes() {
    termios t{};
    EXPECT_EQ(tcgetattr(master_, &t), 0);
    return t;
  }

  // The names in the program's directory.
  std::set<std::string> entries() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.insert(e.path().filename());
    return names;
  }

  void send(const std::string& keys) {
    ASSERT_EQ(write(master_, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }

  fs::path dir_, program_;
  std::string config_home_;  // XDG_CONFIG_HOME of the program, when set
  // Run as an unprivileged user (for root, who may write everywhere).
  bool as_nobody_ = false;
  static constexpr const char* kSetpriv = "/usr/bin/setpriv";
  rlim_t file_limit_ = RLIM_INFINITY;  // the program's RLIMIT_FSIZE
  pid_t pid_ = -1;
  int master_ = -1;
  ScreenText screen_;
  std::string output_;
};

TEST_F(ProgramRun, EscOnTheLanguagePageEndsAndRestoresTheTerminal) {
  start_on_pty();
  ASSERT_TRUE(read_until_shown(master_, " Deutsch:")) << output_;
  EXPECT_EQ(screen_.row(19).substr(0, 9), " Deutsch:");
  termios running = pty_modes();
  EXPECT_EQ(running.c_lflag & (ECHO | ICANON | ISIG), 0u);
  EXPECT_EQ(running.c_iflag & (IXON | ICRNL), 0u);

  send("\x1b");
  EXPECT_TRUE(read_to_end(master_));
  int status = wait_exit();
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  termios after = pty_modes();
  EXPECT_EQ(after.c_lflag & (ECHO | ICANON | ISIG), static_cast<tcflag_t>(ECHO | ICANON | ISIG));
  EXPECT_EQ(after.c_iflag & (IXON | ICRNL), static_cast<tcflag_t>(IXON | ICRNL));
  // The alternate screen is left, and the farewell stays on the normal one.
  EXPECT_NE(output_.find("\x1b[?1049l"), std::string::npos);
  EXPECT_NE(output_.find("Bye-bye!"), std::string::npos);
}

// A termination request, or any other signal whose default would end the
// program, in the menu: the program ends as after "9".
TEST_F(ProgramRun, EveryTerminatingSignalEndsThroughTheEndSequence) {
  for (int sig :
       {SIGTERM, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF, SIGXCPU, SIGXFSZ}) {
    SCOPED_TRACE(sig);
    output_.clear();
    screen_ = ScreenText();
    fs::remove(dir_ / "BEDINGUN.DAT");
    start_on_pty();
    ASSERT_TRUE(read_until_shown(master_, " Deutsch:")) << output_;
    send("d");
    ASSERT_TRUE(read_until_shown(master_, "Programm beenden.")) << output_;
    ASSERT_EQ(kill(pid_, sig), 0);
    EXPECT_TRUE(read_to_end(master_));
    int status = wait_exit();
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    expect_terminal_given_back();
    std::error_code ec;
    EXPECT_EQ(fs::file_size(dir_ / "BEDINGUN.DAT", ec), 80u);
    close(master_);
    master_ = -1;
  }
}

TEST_F(ProgramRun, AFileSizeLimitOnlyFailsTheSave) {
  file_limit_ = 10;
  start_on_pty();
  ASSERT_TRUE(read_until_shown(master_, " Deutsch:")) << output_;
  send("d");  // saves, and goes on to the menu
  ASSERT_TRUE(read_until_shown(master_, "Programm beenden.")) << output_;
  send("9");
  EXPECT_TRUE(read_to_end(master_));
  EXPECT_EQ(wait_exit(), 0);
  EXPECT_EQ(entries(), (std::set<std::string>{"korvando", KORVANDO_BUILD_MARKER}));
}

// A settings folder that cannot be made (its path is longer than the system
// takes): the save fails, and the folders it made are gone again.
TEST_F(ProgramRun, AFailedSaveLeavesNoFolderBehind) {
  fs::remove(dir_ / KORVANDO_BUILD_MARKER);  // installed: only the settings folder
  config_home_ = dir_.string();
  while (config_home_.size() < 5000) config_home_ += "/" + std::string(200, 'k');
  run_from_pipe("d9");
  EXPECT_EQ(entries(), std::set<std::string>{"korvando"});
}

TEST_F(ProgramRun, WhileStoppedTheShellHasItsScreen) {
  start_on_pty();
  ASSERT_TRUE(read_until_shown(master_, " Deutsch:")) << output_;
  output_.clear();
  ASSERT_EQ(kill(pid_, SIGTSTP), 0);
  ASSERT_TRUE(wait_stopped());
  EXPECT_TRUE(read_until_output(master_, "\x1b[?1049l"));
  expect_terminal_given_back();

  // Continued: the alternate screen, the raw modes and the whole page again.
  output_.clear();
  screen_ = ScreenText();
  ASSERT_EQ(kill(pid_, SIGCONT), 0);
  EXPECT_TRUE(read_until_shown(master_, " Deutsch:")) << output_;
  EXPECT_NE(output_.find("\x1b[?1049h"), std::string::npos);
  EXPECT_EQ(pty_modes().c_lflag & (ECHO | ICANON | ISIG), 0u);
  send("\x1b");
  EXPECT_TRUE(read_to_end(master_));
  EXPECT_EQ(wait_exit(), 0);
}

void ProgramRun::run_from_pipe(const std::string& keys, const std::string& shown,
                               const std::string& rest) {
  int in[2], out[2];
  ASSERT_EQ(pipe(in), 0);
  ASSERT_EQ(pipe(out), 0);
  pid_ = fork();
  ASSERT_GE(pid_, 0);
  if (pid_ == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    close(in[0]);
    close(in[1]);
    close(out[0]);
    close(out[1]);
    exec_program();
  }
  close(in[0]);
  close(out[1]);
  ASSERT_EQ(write(in[1], keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  if (!shown.empty()) {
    EXPECT_TRUE(read_until_shown(out[0], shown)) << output_;
    ASSERT_EQ(write(in[1], rest.data(), rest.size()), static_cast<ssize_t>(rest.size()));
  }
  close(in[1]);
  EXPECT_TRUE(read_to_end(out[0]));
  close(out[0]);
  int status = wait_exit();
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(ProgramRun, RunsWithKeysFromAPipe) {
  // An ignored key, then the end of input, which the language page takes
  // as a request to leave.
  run_from_pipe("x");
  EXPECT_NE(output_.find(" Deutsch:"), std::string::npos);
  EXPECT_NE(output_.find("Bye-bye!"), std::string::npos);
}

TEST_F(ProgramRun, InputEndingInsideAnEscapeSequenceStillEnds) {
  // English, the menu, the form, then half of a cursor key: the end of the
  // input releases the bytes and every later read is Ctrl-C.
  // The half key only once the form is shown: keys that are all there at once
  // are taken before the screen is drawn.
  run_from_pipe("e5", "Please choose now (1, 2, 3 or 4)", "\x1b[1;");
  EXPECT_NE(output_.find("Bye-bye!"), std::string::npos);
  // input releases the bytes and every later read is Ctrl-C. (A page left by
  // a key that is already waiting need not be drawn at all.)
  run_from_pipe(std::string("e5") + "\x1b[1;");
  const auto verlassen = output_.find("\x1b[?1049l");
  ASSERT_NE(verlassen, std::string::npos);
  EXPECT_NE(output_.find("Bye-bye!", verlassen), std::string::npos);
  std::error_code ec;
  EXPECT_EQ(fs::file_size(dir_ / "BEDINGUN.DAT", ec), 80u);
}

// The conditions' byte 4, the memory choice, of the file at path; 0 when it
// does not hold a whole record.
int memory_choice(const fs::path& path) {
  std::error_code ec;
  if (fs::file_size(path, ec) != 80) return 0;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  unsigned char satz[80] = {};
  const std::size_t n = std::fread(satz, 1, sizeof satz, f);
  std::fclose(f);
  return n == sizeof satz ? satz[4] : 0;
}

TEST_F(ProgramRun, KeepsItsSettingsBesideItselfOrElseInTheSettingsFolder) {
  const fs::path config = dir_ / "config";
  fs::create_directory(config);
  config_home_ = config.string();
  // A folder it may write: beside the program, and nothing in the settings folder.
  // German, configuration: 64 MiB, accepted, end.
  run_from_pipe("d83\r9");
  EXPECT_EQ(memory_choice(dir_ / "BEDINGUN.DAT"), 3);
  EXPECT_TRUE(fs::is_empty(config));
  fs::remove(dir_ / "BEDINGUN.DAT");

  // A folder it may not write: in the settings folder, kept from run to run.
  if (geteuid() == 0) {
    if (access(kSetpriv, X_OK) != 0) GTEST_SKIP() << "no setpriv to run as another user";
    as_nobody_ = true;
    ASSERT_EQ(chown(config.c_str(), 65534, 65534), 0);
  }
  fs::permissions(program_, fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_exec |
                            fs::perms::others_exec);
  const fs::path kept = config / "korvando" / "BEDINGUN.DAT";
  run_from_pipe("d83\r9");
  EXPECT_EQ(memory_choice(kept), 3);
  run_from_pipe("d9");
  EXPECT_EQ(memory_choice(kept), 3);  // read at the start, saved again as it was
  EXPECT_FALSE(fs::exists(dir_ / "BEDINGUN.DAT"));
  EXPECT_NE(output_.find("Einstellungen / settings: " + kept.string()), std::string::npos);
}

}  // namespace
