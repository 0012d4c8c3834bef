// The screen model and the write rules of a classic text screen, with the
// keyboard and the system services passed on to the selected back end.
#include "console/console.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <thread>
#include <tuple>

#ifdef __linux__
#include <sched.h>
#endif
#include <sys/mman.h>
#include <unistd.h>

#include "console/fd_output.h"
#include "console/system_files.h"
#include "console/system_folders.h"
#include "console/system_memory.h"

std::uint8_t TEXTATTR = 7;
std::uint8_t LASTMODE = 3;
bool CHECKBREAK = true;
bool DIRECTVIDEO = false;
bool CHECKSNOW = false;

namespace {

Screen screen;
Backend* backend = nullptr;
// The text window, 1-based screen coordinates, inclusive.
int win_left = 1, win_top = 1, win_right = SCREEN_COLS, win_bottom = SCREEN_ROWS;
bool system_break = true;
bool verify = false;

void clear_rows(int top, int bottom) {
  for (int y = top; y <= bottom; ++y)
    for (int x = win_left; x <= win_right; ++x) screen.cells[y - 1][x - 1] = Cell{' ', TEXTATTR};
}

void scroll_up() {
  for (int y = win_top; y < win_bottom; ++y)
    for (int x = win_left; x <= win_right; ++x) screen.cells[y - 1][x - 1] = screen.cells[y][x - 1];
  clear_rows(win_bottom, win_bottom);
}

void new_line() {
  screen.cursor_x = win_left;
  if (screen.cursor_y >= win_bottom)
    scroll_up();
  else
    ++screen.cursor_y;
}

void put_char(char c) {
  if (c == 8) {  // backspace: one column left, the cell stays
    if (screen.cursor_x > win_left) --screen.cursor_x;
    return;
  }
  if (c == 7) return;  // bell: never written as a cell
  if (c == '\r') {
    screen.cursor_x = win_left;
    return;
  }
  if (c == '\n') {
    new_line();
    return;
  }
  screen.cells[screen.cursor_y - 1][screen.cursor_x - 1] = Cell{c, TEXTATTR};
  if (screen.cursor_x >= win_right)
    new_line();
  else
    ++screen.cursor_x;
}

}  // namespace

void console_use(Backend& b) {
  backend = &b;
  screen = Screen{};
  TEXTATTR = 7;
  LASTMODE = static_cast<std::uint8_t>(b.start_mode());
  CHECKBREAK = true;
  DIRECTVIDEO = false;
  CHECKSNOW = false;
  system_break = true;
  verify = false;
  win_left = win_top = 1;
  win_right = SCREEN_COLS;
  win_bottom = SCREEN_ROWS;
}

Backend& console_backend() {
  return *backend;
}

const Screen& console_screen() {
  return screen;
}

std::string screen_row(int y) {
  std::string s(SCREEN_COLS, ' ');
  if (y < 1 || y > SCREEN_ROWS) return s;
  for (int x = 0; x < SCREEN_COLS; ++x) s[x] = screen.cells[y - 1][x].ch;
  return s;
}

std::uint8_t screen_attr(int x, int y) {
  if (x < 1 || x > SCREEN_COLS || y < 1 || y > SCREEN_ROWS) return 0;
  return screen.cells[y - 1][x - 1].attr;
}

void CLRSCR() {
  clear_rows(win_top, win_bottom);
  screen.cursor_x = win_left;
  screen.cursor_y = win_top;
}

void GOTOXY(int x, int y) {
  int sx = win_left + x - 1, sy = win_top + y - 1;
  if (x < 1 || y < 1 || sx > win_right || sy > win_bottom) return;  // ignored, as on a text screen
  screen.cursor_x = sx;
  screen.cursor_y = sy;
}

int WHEREX() {
  return screen.cursor_x - win_left + 1;
}
int WHEREY() {
  return screen.cursor_y - win_top + 1;
}

void WRITE(std::string_view s) {
  for (char c : s) put_char(c);
}

void WRITE(char c) {
  put_char(c);
}

void write_number(long long n) {
  char buf[24];
  int len = 0;
  bool neg = n < 0;
  unsigned long long u = neg ? 0ull - static_cast<unsigned long long>(n) : n;
  do {
    buf[len++] = static_cast<char>('0' + u % 10);
    u /= 10;
  } while (u);
  if (neg) put_char('-');
  while (len) put_char(buf[--len]);
}

void WRITELN(std::string_view s) {
  WRITE(s);
  new_line();
}

unsigned char READKEY() {
  backend->present(screen, false);
  return backend->read_key();
}

bool KEYPRESSED() {
  backend->present(screen, false);
  return backend->key_waiting();
}

void DELAY(unsigned ms) {
  backend->present(screen, true);
  backend->delay(ms);
}

void SOUND(unsigned hz) {
  backend->sound(hz);
}
void NOSOUND() {
  backend->nosound();
}

void TEXTMODE(int) {
  win_left = win_top = 1;
  win_right = SCREEN_COLS;
  win_bottom = SCREEN_ROWS;
  CLRSCR();
}

void WINDOW(int left, int top, int right, int bottom) {
  if (left < 1 || top < 1 || right > SCREEN_COLS || bottom > SCREEN_ROWS || left > right ||
      top > bottom)
    return;
  win_left = left;
  win_top = top;
  win_right = right;
  win_bottom = bottom;
  screen.cursor_x = win_left;
  screen.cursor_y = win_top;
}

bool GETCBREAK() {
  return system_break;
}
void SETCBREAK(bool on) {
  system_break = on;
}
bool GETVERIFY() {
  return verify;
}
void SETVERIFY(bool on) {
  verify = on;
}

void GETDATE(std::uint16_t& year, std::uint16_t& month, std::uint16_t& day,
             std::uint16_t& weekday) {
  const ClockReading c = backend->read_clock();
  std::tie(year, month, day, weekday) = std::tuple(c.year, c.month, c.day, c.weekday);
}

void GETTIME(std::uint16_t& hour, std::uint16_t& minute, std::uint16_t& second,
             std::uint16_t& hundredths) {
  const ClockReading c = backend->read_clock();
  std::tie(hour, minute, second, hundredths) = std::tuple(c.hour, c.minute, c.second, c.hundredths);
}

void SETDATE(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  backend->set_date(year, month, day);
}

void SETTIME(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
             std::uint16_t hundredths) {
  backend->set_time(hour, minute, second, hundredths);
}

std::string program_path() {
  return backend->program_path();
}

bool read_file(const std::string& path, std::size_t max_bytes, std::vector<std::uint8_t>& bytes) {
  return backend->read_file(path, max_bytes, bytes);
}

bool save_file(const std::string& path, const std::vector<std::uint8_t>& bytes,
               std::string& reason) {
  return backend->save_file(path, bytes, reason);
}

std::uint64_t memory_obtainable() {
  return backend->memory_obtainable();
}

// The room kept free beside a build: the rest of the program, the system's
// own needs, and what other processes take meanwhile. A 32-bit process
// cannot hold more than its address space, however much the machine has.
bool memory_fits(std::uint64_t bytes) {
  const std::uint64_t rand = (std::uint64_t{32} << 20) + bytes / 16;
  const std::uint64_t raum = std::min(memory_obtainable(), backend->address_space());
  return bytes <= raum && rand <= raum - bytes;
}

namespace {

// The whole pages within bytes at p to madvise with the advice, if any.
[[maybe_unused]] void seiten_raten(void* p, std::size_t bytes, int rat) {
  static const auto seite = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  const std::uintptr_t a = (reinterpret_cast<std::uintptr_t>(p) + seite - 1) & ~(seite - 1);
  const std::uintptr_t e = (reinterpret_cast<std::uintptr_t>(p) + bytes) & ~(seite - 1);
  if (e > a) madvise(reinterpret_cast<void*>(a), e - a, rat);
}

}  // namespace

void memory_prefault([[maybe_unused]] void* p, [[maybe_unused]] std::size_t bytes) {
#ifdef MADV_POPULATE_WRITE
  seiten_raten(p, bytes, MADV_POPULATE_WRITE);
#endif
}

void advise_huge_pages([[maybe_unused]] void* block, [[maybe_unused]] std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  seiten_raten(block, bytes, MADV_HUGEPAGE);
#endif
}

bool Backend::read_file(const std::string& path, std::size_t max_bytes,
                        std::vector<std::uint8_t>& bytes) {
  return system_read_file(path, max_bytes, bytes);
}

bool Backend::save_file(const std::string& path, const std::vector<std::uint8_t>& bytes,
                        std::string& reason) {
  int fehler = 0;
  if (system_save_file(path, bytes, fehler)) return true;
  reason = std::strerror(fehler);
  return false;
}

std::string environment_variable(const std::string& name) {
  return backend->environment_variable(name);
}

bool folder_writable(const std::string& folder) {
  return backend->folder_writable(folder);
}

bool make_folder(const std::string& folder, std::vector<std::string>& made, std::string& reason) {
  return backend->make_folder(folder, made, reason);
}

void remove_folders(const std::vector<std::string>& folders) {
  backend->remove_folders(folders);
}

void write_standard_output(std::string_view text) {
  write_fully(1, text.data(), text.size(), 100, nullptr);
}

void write_standard_error(std::string_view text) {
  write_fully(2, text.data(), text.size(), 100, nullptr);
}

std::string Backend::environment_variable(const std::string& name) {
  return system_environment_variable(name);
}

bool Backend::folder_writable(const std::string& folder) {
  return system_folder_writable(folder);
}

bool Backend::make_folder(const std::string& folder, std::vector<std::string>& made,
                          std::string& reason) {
  int fehler = 0;
  if (system_make_folder(folder, made, fehler)) return true;
  reason = std::strerror(fehler);
  return false;
}

void Backend::remove_folders(const std::vector<std::string>& folders) {
  system_remove_folders(folders);
}

std::uint64_t Backend::memory_obtainable() {
  return system_memory_obtainable();
}

std::uint64_t Backend::address_space() {
  return system_address_space();
}

unsigned usable_cores() {
  const unsigned n = backend->cores();
  return n ? n : 1;
}

unsigned system_cores() {
#ifdef __linux__
  cpu_set_t mask;
  CPU_ZERO(&mask);
  if (sched_getaffinity(0, sizeof mask, &mask) == 0) {
    const int n = CPU_COUNT(&mask);
    if (n > 0) return static_cast<unsigned>(n);
  }
#endif
  const unsigned n = std::thread::hardware_concurrency();
  return n ? n : 1;
}

std::thread start_thread(void (*work)(void*), void* data) {
  return backend->start_thread(work, data);
}

std::thread Backend::start_thread(void (*work)(void*), void* data) {
  try {
    return std::thread(work, data);
  } catch (const std::exception&) {
    return std::thread();  // std::system_error: no thread to be had now
  }
}
