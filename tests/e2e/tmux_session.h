// A real terminal for end-to-end tests: a tmux server of its own running a
// copy of the program in an 80 x 25 pane, keys sent as a person types them
// (tmux key names for the special keys), the screen read back with
// capture-pane. Each session has its own directory, where the program keeps
// its conditions file.
#pragma once

#include <chrono>
#include <string>
#include <vector>

class TmuxSession {
 public:
  // Starts the program in a pane of the given size; without the alternate
  // screen, the pane ignores the program's switch to it.
  explicit TmuxSession(int cols = 80, int rows = 25, bool alternate_screen = true);
  // Starts the program with this conditions file beside it.
  explicit TmuxSession(const std::vector<unsigned char>& conditions);
  ~TmuxSession();
  TmuxSession(const TmuxSession&) = delete;
  TmuxSession& operator=(const TmuxSession&) = delete;

  // Keys in tmux's send-keys syntax: literal text, or names such as Escape,
  // Enter, BSpace, Up, PageDown, F4, C-c.
  void keys(const std::string& literal_text);
  void key(const std::string& tmux_key_name);

  // The pane's rows as plain text (always 80 wide when the pane is).
  std::vector<std::string> screen() const;
  std::string row(int y) const;
  // Every line of the pane (and of its history), rows the terminal wrapped
  // joined into one.
  std::vector<std::string> lines(bool with_history = true) const;
  // The cursor, 1-based column and row.
  void cursor(int& x, int& y) const;
  // The pane with its colours as escape sequences.
  std::string screen_with_colours() const;
  // Waits until some row holds the text; false when it never comes. Rows the
  // terminal wrapped count as one.
  bool wait_for(const std::string& text,
                std::chrono::milliseconds bound = std::chrono::seconds(20)) const;
  // Waits until the program has ended; its exit status, or -1 when it did not end.
  int wait_exit(std::chrono::milliseconds bound = std::chrono::seconds(20)) const;

  // The process id of the program in the pane.
  std::string pane_pid() const;

  void resize(int cols, int rows);
  void kill_pane();

  std::string dir;  // the program's directory, ending in "/"
  std::vector<unsigned char> conditions_file() const;

 private:
  void start(int cols, int rows, const std::vector<unsigned char>* conditions,
             bool alternate_screen = true);
  std::string tmux(const std::string& args) const;
  std::string socket_;
};
