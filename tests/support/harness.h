// Test support: a fresh program state on a virtual console, with the
// program's directory in a temporary folder of its own, as the program's
// build folder (with the build's marker).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "console/virtual_console.h"

// A screen row's text: the string filled with blanks to 80 columns.
inline std::string pad(std::string s) {
  s.resize(80, ' ');
  return s;
}

class Harness {
 public:
  Harness();
  ~Harness();
  Harness(const Harness&) = delete;
  Harness& operator=(const Harness&) = delete;

  VirtualConsole vc;
  std::string dir;  // the program's directory, ending in "/"

  std::string file() const { return dir + "BEDINGUN.DAT"; }
  // The conditions file's bytes (empty when missing), kept by the virtual console.
  std::vector<std::uint8_t> read_file() const;
  void write_file(const std::vector<std::uint8_t>& bytes);
  // The 80 default bytes of the conditions record.
  static std::vector<std::uint8_t> default_record();

  // Runs the start-up sequence only (reads the file, fixes the colours).
  void start();
  // Runs the whole program with the keys queued so far.
  void run();

  std::string row(int y) const { return screen_row(y); }
  // The text of a row from column x, n characters.
  std::string text(int x, int y, int n) const { return screen_row(y).substr(x - 1, n); }
  std::uint8_t attr(int x, int y) const { return screen_attr(x, y); }
  // True when some row holds the text.
  bool shows(std::string_view s) const;
};
