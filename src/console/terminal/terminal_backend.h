// The real terminal: raw key input without echo, the screen model drawn on
// the alternate screen with ANSI control sequences, the system clock and the
// program's own path. Linked into the program only.
#pragma once

#include <termios.h>

#include <cstdint>
#include <string>

#include "console/console.h"
#include "console/key_decoder.h"

class TerminalBackend : public Backend {
 public:
  // argv0 is the start argument, the program's path when the system cannot
  // tell it. Input is read from in_fd, the screen written to out_fd; raw
  // mode is set only when in_fd is a terminal. Enters the alternate screen
  // and installs the signal handlers (termination, resize, crash).
  explicit TerminalBackend(const char* argv0, int in_fd = 0, int out_fd = 1);
  ~TerminalBackend() override;
  TerminalBackend(const TerminalBackend&) = delete;
  TerminalBackend& operator=(const TerminalBackend&) = delete;

  // Clears and leaves the alternate screen, restores the terminal modes and
  // writes the text of the final screen (up to the cursor row) to the normal
  // screen, from column 1 also where the terminal has no alternate screen.
  // Only the first call does anything.
  void restore();

  int start_mode() override;
  void present(const Screen& screen, bool force) override;
  bool key_waiting() override;
  unsigned char read_key() override;
  void delay(unsigned ms) override;
  void sound(unsigned hz) override;
  void nosound() override {}
  ClockReading read_clock() override;
  void set_date(std::uint16_t year, std::uint16_t month, std::uint16_t day) override;
  void set_time(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
                std::uint16_t hundredths) override;
  std::string program_path() override;
  unsigned cores() override { return system_cores(); }

 private:
  // Draws the cells that differ from what the terminal shows (all of them
  // after a resize) and places the cursor, in one write. In a window smaller
  // than the screen it shows the notice instead.
  void render();
  // Asks the terminal for the window's size (0 x 0 when it cannot tell).
  void query_size();
  bool window_too_small() const;
  // The request to enlarge the window, with its current size.
  void show_size_notice();
  // Waits up to timeout_ms for input and feeds what has arrived to the decoder.
  void pump(int timeout_ms);
  // Input has ended, or the program was asked to terminate.
  bool closing() const;
  bool write_all(const std::string& bytes);

  std::string argv0_;
  int in_fd_, out_fd_;
  bool in_tty_ = false;
  bool out_tty_ = false;
  bool active_ = false;
  termios saved_{};

  KeyDecoder decoder_;
  bool input_ended_ = false;
  bool output_failed_ = false;
  bool second_code_due_ = false;  // the last key delivered was 0
  std::int64_t last_poll_us_ = 0;

  int window_cols_ = 0, window_rows_ = 0;  // 0 when the size is unknown

  const Screen* screen_ = nullptr;  // the model, remembered from present()
  Screen shown_;                    // what the terminal shows
  bool repaint_all_ = true;
  int shown_attr_ = -1;  // attribute of the last colour sequence sent; -1 unknown
  std::int64_t last_render_us_ = 0;
  std::string frame_;
};
