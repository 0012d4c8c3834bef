// The text console: an 80 x 25 screen of (character, attribute) cells, the
// keyboard, delays, the tone, and the system services (date, time, the
// program's path, small files, memory). This is the only interface through
// which the rest of the program reaches the terminal or the operating system.
//
// The screen model and the write rules live here; a Backend (the real
// terminal, or the virtual console of the tests) supplies keys, time and
// rendering.
#pragma once

#include <concepts>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// ---------------------------------------------------------------- screen model

constexpr int SCREEN_COLS = 80;
constexpr int SCREEN_ROWS = 25;

struct Cell {
  char ch = ' ';
  std::uint8_t attr = 7;
};

struct Screen {
  Cell cells[SCREEN_ROWS][SCREEN_COLS];  // [row - 1][column - 1]
  int cursor_x = 1;                      // 1-based screen column
  int cursor_y = 1;                      // 1-based screen row
};

// ------------------------------------------------------------- console state

extern std::uint8_t TEXTATTR;  // attribute of every following write and of CLRSCR
extern std::uint8_t LASTMODE;  // text mode in force at start: 2 b/w, 7 mono, 3 colour
extern bool CHECKBREAK;        // stored only: Ctrl-C always arrives as key 3
extern bool DIRECTVIDEO;       // stored only
extern bool CHECKSNOW;         // stored only

// ---------------------------------------------------------------- operations

void CLRSCR();
void GOTOXY(int x, int y);
int WHEREX();
int WHEREY();
void WRITE(std::string_view s);
void WRITE(char c);
void write_number(long long n);
template <std::integral T>
requires(!std::same_as<T, char> && !std::same_as<T, bool>) void WRITE(T n) {
  write_number(static_cast<long long>(n));
}
void WRITELN(std::string_view s = {});
unsigned char READKEY();
bool KEYPRESSED();
void DELAY(unsigned ms);
void SOUND(unsigned hz);
void NOSOUND();
void TEXTMODE(int mode);
void WINDOW(int left, int top, int right, int bottom);

// ----------------------------------------------------------------- key codes
// READKEY delivers an ordinary key as its code, a key without a character as
// TASTE_ERWEITERT followed by the key's second code on the next call.

constexpr unsigned char TASTE_ERWEITERT = 0;  // a second code follows
constexpr unsigned char TASTE_CTRL_B = 2;     // stops the codebreaker after its narrowing, as Esc
constexpr unsigned char TASTE_CTRL_C = 3;
constexpr unsigned char TASTE_BACKSPACE = 8;
constexpr unsigned char TASTE_ENTER = 13;
constexpr unsigned char TASTE_ESC = 27;
constexpr unsigned char TASTE_DEL_BYTE = 127;  // the terminal's byte, delivered as Backspace

// Second codes. The program accepts the Shift, Ctrl and Alt forms wherever it
// accepts the plain key.
constexpr unsigned char TASTE_F1 = 59;
constexpr unsigned char TASTE_SHIFT_F1 = 84;
constexpr unsigned char TASTE_CTRL_F1 = 94;
constexpr unsigned char TASTE_ALT_F1 = 104;
constexpr unsigned char TASTE_F4 = 62;
constexpr unsigned char TASTE_SHIFT_F4 = 87;
constexpr unsigned char TASTE_CTRL_F4 = 97;
constexpr unsigned char TASTE_ALT_F4 = 107;
constexpr unsigned char TASTE_F6 = 64;
constexpr unsigned char TASTE_SHIFT_F6 = 89;
constexpr unsigned char TASTE_CTRL_F6 = 99;
constexpr unsigned char TASTE_ALT_F6 = 109;
constexpr unsigned char TASTE_UP = 72;
constexpr unsigned char TASTE_CTRL_UP = 141;
constexpr unsigned char TASTE_ALT_UP = 152;
constexpr unsigned char TASTE_DOWN = 80;
constexpr unsigned char TASTE_CTRL_DOWN = 145;
constexpr unsigned char TASTE_ALT_DOWN = 160;
constexpr unsigned char TASTE_LEFT = 75;
constexpr unsigned char TASTE_CTRL_LEFT = 115;
constexpr unsigned char TASTE_ALT_LEFT = 155;
constexpr unsigned char TASTE_RIGHT = 77;
constexpr unsigned char TASTE_CTRL_RIGHT = 116;
constexpr unsigned char TASTE_ALT_RIGHT = 157;
constexpr unsigned char TASTE_PGUP = 73;
constexpr unsigned char TASTE_CTRL_PGUP = 132;
constexpr unsigned char TASTE_ALT_PGUP = 153;
constexpr unsigned char TASTE_PGUP_176 = 176;  // a further PgUp form of some keyboards
constexpr unsigned char TASTE_PGDN = 81;
constexpr unsigned char TASTE_CTRL_PGDN = 118;
constexpr unsigned char TASTE_ALT_PGDN = 161;
constexpr unsigned char TASTE_PGDN_184 = 184;  // a further PgDn form of some keyboards
constexpr unsigned char TASTE_DEL = 83;
constexpr unsigned char TASTE_ALT_DEL = 163;
constexpr unsigned char TASTE_DEL_6 = 6;  // two more second codes that clear like Del
constexpr unsigned char TASTE_DEL_7 = 7;

// Esc and Ctrl-C: leave the current input or computation.
constexpr bool ist_abbruchtaste(unsigned char t) {
  return t == TASTE_ESC || t == TASTE_CTRL_C;
}

// The forms of a key: its second code alone and with Shift, Ctrl and Alt.
// The program accepts every form wherever it accepts the plain key.
constexpr unsigned char FORMEN_F1[] = {TASTE_F1, TASTE_SHIFT_F1, TASTE_CTRL_F1, TASTE_ALT_F1};
constexpr unsigned char FORMEN_F4[] = {TASTE_F4, TASTE_SHIFT_F4, TASTE_CTRL_F4, TASTE_ALT_F4};
constexpr unsigned char FORMEN_F6[] = {TASTE_F6, TASTE_SHIFT_F6, TASTE_CTRL_F6, TASTE_ALT_F6};
constexpr unsigned char FORMEN_UP[] = {TASTE_UP, TASTE_CTRL_UP, TASTE_ALT_UP};
constexpr unsigned char FORMEN_DOWN[] = {TASTE_DOWN, TASTE_CTRL_DOWN, TASTE_ALT_DOWN};
constexpr unsigned char FORMEN_LEFT[] = {TASTE_LEFT, TASTE_CTRL_LEFT, TASTE_ALT_LEFT};
constexpr unsigned char FORMEN_RIGHT[] = {TASTE_RIGHT, TASTE_CTRL_RIGHT, TASTE_ALT_RIGHT};
constexpr unsigned char FORMEN_PGUP[] = {TASTE_PGUP, TASTE_CTRL_PGUP, TASTE_ALT_PGUP,
                                         TASTE_PGUP_176};
constexpr unsigned char FORMEN_PGDN[] = {TASTE_PGDN, TASTE_CTRL_PGDN, TASTE_ALT_PGDN,
                                         TASTE_PGDN_184};
constexpr unsigned char FORMEN_DEL[] = {TASTE_DEL, TASTE_ALT_DEL, TASTE_DEL_6, TASTE_DEL_7};

constexpr bool ist_eine_von(unsigned char z, std::span<const unsigned char> formen) {
  for (unsigned char f : formen)
    if (z == f) return true;
  return false;
}

// The rest between two polls of a waiting loop: the clocks still run, and
// waiting for a person costs no processor time.
constexpr unsigned ABFRAGE_PAUSE_MS = 1;

// ---------------------------------------------------------- system services

// The system break flag and the disk-verify flag: kept as stored values.
bool GETCBREAK();
void SETCBREAK(bool on);
bool GETVERIFY();
void SETVERIFY(bool on);

// Date (weekday 0 = Sunday) and time of the system clock.
void GETDATE(std::uint16_t& year, std::uint16_t& month, std::uint16_t& day, std::uint16_t& weekday);
void GETTIME(std::uint16_t& hour, std::uint16_t& minute, std::uint16_t& second,
             std::uint16_t& hundredths);
// Setting may fail silently (missing rights, invalid values).
void SETDATE(std::uint16_t year, std::uint16_t month, std::uint16_t day);
void SETTIME(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
             std::uint16_t hundredths);

// The program's own path (absolute where the system can tell it).
std::string program_path();

// Small files: at most max_bytes from the start of the file at path (false
// when it cannot be read; with max_bytes 0, whether a readable file is
// there), and the file's whole content replaced by bytes (false when that
// failed; the file is then as it was, and reason is the system's text of
// the failing step).
bool read_file(const std::string& path, std::size_t max_bytes, std::vector<std::uint8_t>& bytes);
bool save_file(const std::string& path, const std::vector<std::uint8_t>& bytes,
               std::string& reason);

// Where files are kept: an environment variable (empty when not set),
// whether this user may create and replace files in a folder, a folder made
// with every missing folder above it (true when it exists then; `made` gets
// the folders it created, also when it failed half way, reason the system's
// text of a failure), and such folders removed again, where they are empty.
std::string environment_variable(const std::string& name);
bool folder_writable(const std::string& folder);
bool make_folder(const std::string& folder, std::vector<std::string>& made, std::string& reason);
void remove_folders(const std::vector<std::string>& folders);

// Standard output and standard error, for the program's few words before
// the console starts (nothing of the screen model goes there).
void write_standard_output(std::string_view text);
void write_standard_error(std::string_view text);

// Memory: how many more bytes this process can really get (the system
// grants allocations it cannot back, and ends the process when they are
// touched), and whether a build of `bytes` fits with room to spare, in that
// memory and in the process's address space. A build that does not fit fails
// like an allocation that returned nothing.
std::uint64_t memory_obtainable();
bool memory_fits(std::uint64_t bytes);
// Asks the system to back the whole pages within bytes at p now, in one call
// instead of a fault at the first touch of each; nothing where it cannot.
void memory_prefault(void* p, std::size_t bytes);
// The processor cores this process may run on (at least 1), as the back end
// reports them; system_cores() asks the system (the affinity mask, else the
// hardware's count).
unsigned usable_cores();
unsigned system_cores();
// A thread for the program's own computations, running work(data): not
// joinable when the system gives none (a limit on processes or threads);
// the caller then does the work with the threads it has.
std::thread start_thread(void (*work)(void*), void* data);
// Asks the system to back a large block with huge pages where it has them:
// blocks that are touched at random then need fewer page-table walks.
void advise_huge_pages(void* block, std::size_t bytes);

// ---------------------------------------------------------------- back ends

// One reading of the system clock: the date (weekday 0 = Sunday) and the time.
struct ClockReading {
  std::uint16_t year, month, day, weekday;
  std::uint16_t hour, minute, second, hundredths;
};

// Keys are delivered already decoded: ordinary keys as their code, extended
// keys as 0 followed by the second code.
class Backend {
 public:
  virtual ~Backend() = default;
  // Text mode in force when the program starts (read once into LASTMODE).
  virtual int start_mode() { return 3; }
  // Called before every wait for a key, in DELAY and from KEYPRESSED: the
  // back end shows the screen model (it may throttle this itself).
  virtual void present(const Screen& screen, bool force) = 0;
  virtual bool key_waiting() = 0;
  virtual unsigned char read_key() = 0;
  virtual void delay(unsigned ms) = 0;
  virtual void sound(unsigned hz) = 0;
  virtual void nosound() = 0;
  virtual ClockReading read_clock() = 0;
  virtual void set_date(std::uint16_t year, std::uint16_t month, std::uint16_t day) = 0;
  virtual void set_time(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
                        std::uint16_t hundredths) = 0;
  virtual std::string program_path() = 0;
  // The file system's files (console/system_files.h) unless a back end
  // keeps its own.
  virtual bool read_file(const std::string& path, std::size_t max_bytes,
                         std::vector<std::uint8_t>& bytes);
  virtual bool save_file(const std::string& path, const std::vector<std::uint8_t>& bytes,
                         std::string& reason);
  // The operating system's environment and folders (console/system_folders.h)
  // unless a back end keeps its own.
  virtual std::string environment_variable(const std::string& name);
  virtual bool folder_writable(const std::string& folder);
  virtual bool make_folder(const std::string& folder, std::vector<std::string>& made,
                           std::string& reason);
  virtual void remove_folders(const std::vector<std::string>& folders);
  // The system's memory (console/system_memory.h) unless a back end keeps
  // its own.
  virtual std::uint64_t memory_obtainable();
  virtual std::uint64_t address_space();
  // The cores the program may use for its computations.
  virtual unsigned cores() { return 1; }
  // A thread of the system (start_thread) unless a back end decides itself.
  virtual std::thread start_thread(void (*work)(void*), void* data);
};

// Selects the back end every operation goes to; resets the screen model,
// the cursor, TEXTATTR (7) and the stored flags.
void console_use(Backend& backend);
Backend& console_backend();

// Read access to the screen model (for back ends and tests).
const Screen& console_screen();
// The text of one row (1-based), 80 characters.
std::string screen_row(int y);
// The attribute of one cell (1-based column and row).
std::uint8_t screen_attr(int x, int y);
