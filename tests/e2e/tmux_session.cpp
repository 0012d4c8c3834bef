#include "tmux_session.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include "../support/program_copy.h"

namespace fs = std::filesystem;

namespace {

std::string quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) {
    if (c == '\'')
      q += "'\\''";
    else
      q += c;
  }
  return q + "'";
}

std::string run(const std::string& command) {
  int status;
  return run_shell(command, status);
}

}  // namespace

TmuxSession::TmuxSession(int cols, int rows, bool alternate_screen) {
  start(cols, rows, nullptr, alternate_screen);
}

TmuxSession::TmuxSession(const std::vector<unsigned char>& conditions) {
  start(80, 25, &conditions);
}

void TmuxSession::start(int cols, int rows, const std::vector<unsigned char>* conditions,
                        bool alternate_screen) {
  char templ[] = "/tmp/korvando-e2e-XXXXXX";
  dir = std::string(::mkdtemp(templ)) + "/";
  socket_ = "korvando-e2e-" + std::to_string(::getpid()) + "-" +
            fs::path(dir).parent_path().filename().string();
  copy_program(dir);
  if (conditions) {
    std::ofstream f(dir + "BEDINGUN.DAT", std::ios::binary);
    f.write(reinterpret_cast<const char*>(conditions->data()),
            static_cast<std::streamsize>(conditions->size()));
  }
  // Read by the server before the program starts.
  std::string config = "/dev/null";
  if (!alternate_screen) {
    config = dir + "tmux.conf";
    std::ofstream(config) << "set-option -g alternate-screen off\n";
  }
  tmux("-f " + config + " new-session -d -s k -x " + std::to_string(cols) + " -y " +
       std::to_string(rows) + " -e TERM=xterm-256color " + quote("cd " + dir + " && ./korvando"));
  tmux("set-option -g remain-on-exit on");
  tmux("set-option -g status off");
  tmux("set-option -g escape-time 0");
  tmux("resize-window -t k -x " + std::to_string(cols) + " -y " + std::to_string(rows));
}

TmuxSession::~TmuxSession() {
  tmux("kill-server");
  std::error_code ec;
  fs::remove_all(dir, ec);
}

std::string TmuxSession::tmux(const std::string& args) const {
  return run("tmux -L " + socket_ + " " + args + " 2>/dev/null");
}

void TmuxSession::keys(const std::string& literal_text) {
  tmux("send-keys -t k -l " + quote(literal_text));
}

void TmuxSession::key(const std::string& name) {
  // Quoted: an unquoted "C-\\" would let the shell join it with the next word.
  tmux("send-keys -t k " + quote(name));
}

std::vector<std::string> TmuxSession::screen() const {
  std::vector<std::string> rows;
  std::istringstream in(tmux("capture-pane -p -t k"));
  std::string line;
  while (std::getline(in, line)) {
    line.resize(80, ' ');
    rows.push_back(line);
  }
  while (rows.size() < 25) rows.push_back(std::string(80, ' '));
  return rows;
}

std::string TmuxSession::row(int y) const {
  return screen()[static_cast<std::size_t>(y - 1)];
}

std::vector<std::string> TmuxSession::lines(bool with_history) const {
  std::vector<std::string> all;
  std::istringstream in(
      tmux(std::string("capture-pane -p -J ") + (with_history ? "-S - " : "") + "-t k"));
  for (std::string line; std::getline(in, line);) all.push_back(line);
  return all;
}

void TmuxSession::cursor(int& x, int& y) const {
  const std::string s = tmux("display-message -p -t k '#{cursor_x} #{cursor_y}'");
  x = y = 0;
  std::sscanf(s.c_str(), "%d %d", &x, &y);
  ++x;
  ++y;
}

std::string TmuxSession::screen_with_colours() const {
  return tmux("capture-pane -p -e -t k");
}

bool TmuxSession::wait_for(const std::string& text, std::chrono::milliseconds bound) const {
  const auto ende = std::chrono::steady_clock::now() + bound;
  do {
    for (const std::string& line : lines(false))
      if (line.find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  } while (std::chrono::steady_clock::now() < ende);
  return false;
}

int TmuxSession::wait_exit(std::chrono::milliseconds bound) const {
  const auto ende = std::chrono::steady_clock::now() + bound;
  do {
    const std::string s = tmux("display-message -p -t k '#{pane_dead} #{pane_dead_status}'");
    if (s.rfind("1 ", 0) == 0) return std::atoi(s.c_str() + 2);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  } while (std::chrono::steady_clock::now() < ende);
  return -1;
}

void TmuxSession::resize(int cols, int rows) {
  tmux("resize-window -t k -x " + std::to_string(cols) + " -y " + std::to_string(rows));
}

std::string TmuxSession::pane_pid() const {
  std::string p = tmux("display-message -p -t k '#{pane_pid}'");
  while (!p.empty() && (p.back() == '\n' || p.back() == ' ')) p.pop_back();
  return p;
}

void TmuxSession::kill_pane() {
  tmux("kill-pane -t k");
}

std::vector<unsigned char> TmuxSession::conditions_file() const {
  std::ifstream f(dir + "BEDINGUN.DAT", std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(f), {});
}
