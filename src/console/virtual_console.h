// The virtual console: the back end of the tests. Keys come from a script,
// time is virtual (shared by the clock of the game and DELAY), files are kept
// in memory; nothing reaches the terminal, the disk or the system clock.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "console/console.h"

class VirtualConsole : public Backend {
 public:
  struct DateTime {
    int year = 2026, month = 1, day = 1;
    int hour = 12, minute = 0, second = 0, hundredths = 0;
  };
  struct SetCall {
    bool is_date;  // true: set_date(a, b, c); false: set_time(a, b, c, d)
    int a, b, c, d;
  };

  VirtualConsole();

  // ------------------------------------------------------------- keys
  void push_key(unsigned char code);
  void push_keys(std::string_view chars);    // ordinary keys, one per character
  void push_ext(unsigned char second_code);  // an extended key: 0, then the code
  std::size_t pending_keys() const { return keys_.size(); }
  void clear_keys() { keys_.clear(); }

  // Called whenever the program looks for a key and the queue is empty (in
  // READKEY and in KEYPRESSED): the test may push keys here, inspect the
  // screen, or advance the clock. Keep it cheap: computations poll often.
  std::function<void(VirtualConsole&)> on_wait;
  // With an empty queue after on_wait: true = end of input, every read
  // delivers Ctrl-C (3) as the real terminal does; false = KEYPRESSED says
  // no key and READKEY still delivers 3 (it must not block forever).
  bool eof_when_empty = true;

  // ------------------------------------------------------------- time
  void set_clock(const DateTime& t);
  DateTime clock() const;
  void advance_us(std::int64_t us);
  std::int64_t now_us() const { return now_us_; }
  // Virtual time that one KEYPRESSED poll takes.
  std::int64_t poll_step_us = 10;
  // Every set_date / set_time the program made, in order; the virtual clock follows them.
  std::vector<SetCall> set_calls;

  // ------------------------------------------------------------- files
  // The files the program reads and saves, by path.
  std::map<std::string, std::vector<std::uint8_t>> files;
  bool files_read_only = false;  // every save fails, as on a read-only disk
  // The program's environment variables; the folders this user cannot write
  // (every other folder it can); every folder the program made and did not
  // remove again, in order.
  std::map<std::string, std::string> environment;
  std::set<std::string> read_only_folders;
  std::vector<std::string> folders_made;

  // ------------------------------------------------------------- memory
  // The bytes this process could still get, and what its address space can
  // hold (a 32-bit process: 0xFFFFFFFF); no limits unless a test sets them.
  std::uint64_t memory_limit = ~std::uint64_t{0};
  std::uint64_t address_space_bytes = ~std::uint64_t{0};

  // ------------------------------------------------------------- other
  std::string path = "/tmp/korvando";
  int mode = 3;
  int sounds = 0;  // SOUND calls
  long long presents = 0;

  // ------------------------------------------------------------- Backend
  int start_mode() override { return mode; }
  void present(const Screen&, bool) override { ++presents; }
  bool key_waiting() override;
  unsigned char read_key() override;
  void delay(unsigned ms) override { advance_us(static_cast<std::int64_t>(ms) * 1000); }
  void sound(unsigned) override { ++sounds; }
  void nosound() override {}
  ClockReading read_clock() override;
  void set_date(std::uint16_t year, std::uint16_t month, std::uint16_t day) override;
  void set_time(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
                std::uint16_t hundredths) override;
  std::string program_path() override { return path; }
  bool read_file(const std::string& name, std::size_t max_bytes,
                 std::vector<std::uint8_t>& bytes) override;
  bool save_file(const std::string& name, const std::vector<std::uint8_t>& bytes,
                 std::string& reason) override;
  std::string environment_variable(const std::string& name) override;
  bool folder_writable(const std::string& folder) override {
    return read_only_folders.count(folder) == 0;
  }
  bool make_folder(const std::string& folder, std::vector<std::string>& made,
                   std::string& reason) override;
  void remove_folders(const std::vector<std::string>& folders) override;
  std::uint64_t memory_obtainable() override { return memory_limit; }
  std::uint64_t address_space() override { return address_space_bytes; }
  // The cores the program is told it may use (1: its search stays on one thread).
  unsigned kerne = 1;
  unsigned cores() override { return kerne; }
  // Threads started so far; from start number thread_fail_from on (0 = the
  // first) none is given, as under a limit on processes. -1: every start
  // succeeds. The threads that start are real ones.
  long thread_starts = 0;
  long thread_fail_from = -1;
  std::thread start_thread(void (*work)(void*), void* data) override;

 private:
  std::deque<unsigned char> keys_;
  std::int64_t now_us_ = 0;  // microseconds since 1 January of year 0 (proleptic Gregorian)
  bool eof_ = false;
};
