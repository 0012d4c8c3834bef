// The text console: an 80 x 25 screen of (character, attribute) cells, the
// keyboard, delays, the tone, and the system services (date, time, the
// program's path). This is the only interface through which the rest of the
// program reaches the terminal or the operating system.
//
// The screen model and the write rules live here; a Backend (the real
// terminal, or the virtual console of the tests) supplies keys, time and
// rendering.
#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>

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

// The processor cores this process may run on (at least 1), as the back end
// reports them; system_cores() asks the system (the affinity mask, else the
// hardware's count).
unsigned usable_cores();
unsigned system_cores();

// ---------------------------------------------------------------- back ends

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
  virtual void get_date(std::uint16_t& year, std::uint16_t& month, std::uint16_t& day,
                        std::uint16_t& weekday) = 0;
  virtual void get_time(std::uint16_t& hour, std::uint16_t& minute, std::uint16_t& second,
                        std::uint16_t& hundredths) = 0;
  virtual void set_date(std::uint16_t year, std::uint16_t month, std::uint16_t day) = 0;
  virtual void set_time(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
                        std::uint16_t hundredths) = 0;
  virtual std::string program_path() = 0;
  // The cores the program may use for its computations.
  virtual unsigned cores() { return 1; }
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
