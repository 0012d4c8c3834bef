#include "console/terminal/terminal_backend.h"

#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "console/calendar_math.h"
#include "console/fd_output.h"

namespace {

// Alternate screen, autowrap off; and back.
constexpr char kEnter[] = "\x1b[?1049h\x1b[?7l";
constexpr char kLeave[] = "\x1b[0m\x1b[?7h\x1b[?25h\x1b[?1049l";
// Before the end: the screen cleared and the cursor home, so that on a
// terminal without an alternate screen the farewell starts at the left edge.
constexpr char kClear[] = "\x1b[0m\x1b[2J\x1b[H";

constexpr char kSizeNotice[] =
    "Bitte das Fenster auf mindestens 80 x 25 Zeichen vergroessern / "
    "Please enlarge the window to at least 80 x 25 characters";

// KEYPRESSED looks at the input at most this often, and draws at most this often.
constexpr std::int64_t kPollEveryUs = 1000;
constexpr std::int64_t kRenderEveryUs = 15000;
// The longest a wait sleeps before it looks at the signal flags again.
constexpr int kWakeMs = 100;
// How long output may still wait for a stalled terminal once the program
// has been asked to end.
constexpr std::int64_t kGiveUpUs = 2000000;

// Text-mode colour numbers (blue first) to ANSI colour numbers (red first).
constexpr int kAnsiColour[8] = {0, 4, 2, 6, 1, 5, 3, 7};

// Shared with the signal handlers.
volatile sig_atomic_t g_terminate = 0;
volatile sig_atomic_t g_resized = 0;
volatile sig_atomic_t g_raw_active = 0;
int g_in_fd = 0, g_out_fd = 1;
termios g_saved, g_raw;
volatile sig_atomic_t g_have_saved = 0;
volatile sig_atomic_t g_stopped = 0;  // the terminal was given back for a stop

// Only async-signal-safe calls in the handlers below.
void leave_terminal() {
  ssize_t r = write(g_out_fd, kLeave, sizeof kLeave - 1);
  (void)r;
  if (g_have_saved) tcsetattr(g_in_fd, TCSANOW, &g_saved);
}

extern "C" void on_terminate(int) {
  g_terminate = 1;
}
extern "C" void on_resize(int) {
  g_resized = 1;
}

// The file-size limit: a save that reaches it fails like any file error
// (the write returns EFBIG); sent from outside, it asks the program to end.
extern "C" void on_file_limit(int, siginfo_t* info, void*) {
  // The kernel sends the limit's signal as if the process had sent it to
  // itself.
  if (info->si_code <= 0 && info->si_pid != getpid()) g_terminate = 1;
}

// With info_handler the handler is told who sent the signal.
void install(int sig, void (*handler)(int), int flags,
             void (*info_handler)(int, siginfo_t*, void*) = nullptr) {
  struct sigaction sa;
  std::memset(&sa, 0, sizeof sa);
  if (info_handler) {
    sa.sa_sigaction = info_handler;
    flags |= SA_SIGINFO;
  } else {
    sa.sa_handler = handler;
  }
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = flags;
  sigaction(sig, &sa, nullptr);
}

// A stop from outside: the shell gets its normal screen and modes back
// while the program is stopped.
extern "C" void on_stop(int) {
  const int saved_errno = errno;
  if (g_raw_active && !g_stopped) {
    leave_terminal();
    g_stopped = 1;
  }
  raise(SIGSTOP);
  errno = saved_errno;
}

// Continued: the game screen and the raw modes come back when the program
// is in the foreground of its terminal again (the shell may have changed
// both meanwhile).
extern "C" void on_continue(int) {
  const int saved_errno = errno;
  const bool foreground = !g_have_saved || tcgetpgrp(g_in_fd) == getpgrp();
  if (g_raw_active && foreground) {
    if (g_stopped) {
      ssize_t r = write(g_out_fd, kEnter, sizeof kEnter - 1);
      (void)r;
      g_stopped = 0;
    }
    if (g_have_saved) tcsetattr(g_in_fd, TCSANOW, &g_raw);
  }
  g_resized = 1;
  errno = saved_errno;
}

// A crash: the terminal is left usable, then the signal takes its default
// course.
extern "C" void on_crash(int sig) {
  if (g_raw_active) {
    if (!g_stopped) leave_terminal();
    g_raw_active = 0;
  }
  signal(sig, SIG_DFL);
  raise(sig);
}

// Every catchable signal whose default ends the process: a signal sent
// from outside ends the program through its end sequence (unless the
// program was started with it ignored); a fault restores the terminal and
// takes its default course.
void install_signal_handlers() {
  for (int sig : {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF,
                  SIGXCPU, SIGIO, SIGPWR, SIGSTKFLT}) {
    struct sigaction before;
    if (sigaction(sig, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    install(sig, on_terminate, 0);
  }
  install(SIGXFSZ, nullptr, 0, on_file_limit);
  for (int sig = SIGRTMIN; sig <= SIGRTMAX; ++sig) install(sig, on_terminate, 0);
  install(SIGWINCH, on_resize, SA_RESTART);
  install(SIGTSTP, on_stop, SA_RESTART);
  install(SIGCONT, on_continue, SA_RESTART);
  install(SIGPIPE, SIG_IGN, 0);
  for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL, SIGTRAP, SIGSYS})
    install(sig, on_crash, SA_RESETHAND | SA_NODEFER);
}

std::int64_t clock_us(clockid_t id) {
  timespec ts;
  clock_gettime(id, &ts);
  return static_cast<std::int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

// Cheap enough for every KEYPRESSED: read from memory, no system call.
std::int64_t coarse_us() {
  return clock_us(CLOCK_MONOTONIC_COARSE);
}
std::int64_t precise_us() {
  return clock_us(CLOCK_MONOTONIC);
}

void append_number(std::string& s, int n) {
  if (n >= 10) append_number(s, n / 10);
  s += static_cast<char>('0' + n % 10);
}

void append_move(std::string& s, int row, int col) {
  s += "\x1b[";
  append_number(s, row);
  s += ';';
  append_number(s, col);
  s += 'H';
}

void append_colours(std::string& s, int attr) {
  int fg = attr & 15, bg = (attr >> 4) & 7;
  s += "\x1b[";
  append_number(s, (fg < 8 ? 30 : 90) + kAnsiColour[fg & 7]);
  s += ';';
  append_number(s, 40 + kAnsiColour[bg]);
  s += 'm';
}

bool valid_date(int y, int m, int d) {
  if (m < 1 || m > 12 || d < 1 || d > 31) return false;
  std::int64_t yy;
  unsigned mm, dd;
  civil_from_days(days_from_civil(y, m, d), yy, mm, dd);
  return static_cast<int>(mm) == m && static_cast<int>(dd) == d;
}

// Puts the system clock at the local time t (normalised by mktime) plus nsec.
void set_clock(tm& t, long nsec) {
  t.tm_isdst = -1;
  time_t s = mktime(&t);
  if (s == static_cast<time_t>(-1)) return;
  timespec ts{s, nsec};
  clock_settime(CLOCK_REALTIME, &ts);  // refused without the rights: silently
}

void local_now(tm& t, long& nsec) {
  timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  localtime_r(&now.tv_sec, &t);
  nsec = now.tv_nsec;
}

}  // namespace

TerminalBackend::TerminalBackend(const char* argv0, int in_fd, int out_fd)
    : argv0_(argv0 ? argv0 : ""), in_fd_(in_fd), out_fd_(out_fd) {
  g_in_fd = in_fd;
  g_out_fd = out_fd;
  g_terminate = 0;
  g_resized = 0;
  in_tty_ = isatty(in_fd) && tcgetattr(in_fd, &saved_) == 0;
  out_tty_ = isatty(out_fd);

  install_signal_handlers();

  if (in_tty_) {
    g_saved = saved_;
    g_have_saved = 1;
    termios raw = saved_;
    // Every key as it is typed, without echo; Ctrl-C, Ctrl-S, Ctrl-Q and
    // Enter (13) arrive as they are.
    raw.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF);
    raw.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    raw.c_cflag &= ~(CSIZE | PARENB);
    raw.c_cflag |= CS8;
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    g_raw = raw;
    tcsetattr(in_fd, TCSANOW, &raw);
  }
  active_ = true;
  g_stopped = 0;
  g_raw_active = 1;
  query_size();
  write_all(kEnter);
}

TerminalBackend::~TerminalBackend() {
  restore();
}

void TerminalBackend::restore() {
  if (!active_) return;
  active_ = false;
  g_raw_active = 0;
  write_all(std::string(kClear) + kLeave);
  if (in_tty_) tcsetattr(in_fd_, TCSANOW, &saved_);
  g_have_saved = 0;

  // The last screen stays readable after the program has ended.
  const Screen& s = console_screen();
  int rows = s.cursor_x > 1 ? s.cursor_y : s.cursor_y - 1;
  std::string text;
  for (int y = 0; y < rows; ++y) {
    int end = SCREEN_COLS;
    while (end > 0 && s.cells[y][end - 1].ch == ' ') --end;
    for (int x = 0; x < end; ++x) {
      char c = s.cells[y][x].ch;
      text += c >= 32 && c < 127 ? c : '?';
    }
    text += '\n';
  }
  write_all(text);
}

int TerminalBackend::start_mode() {
  const char* term = std::getenv("TERM");
  return term && *term && std::strcmp(term, "dumb") != 0 ? 3 : 7;
}

namespace {

// A slow terminal is waited for; once the program is asked to end, only
// for a while.
bool give_up_output() {
  static std::int64_t asked_at = 0;
  if (!g_terminate) return false;
  const std::int64_t now = precise_us();
  if (asked_at == 0) asked_at = now;
  return now - asked_at > kGiveUpUs;
}

}  // namespace

bool TerminalBackend::write_all(const std::string& bytes) {
  if (output_failed_) return false;
  if (!write_fully(out_fd_, bytes.data(), bytes.size(), kWakeMs, give_up_output)) {
    output_failed_ = true;  // the terminal is gone: the program is to end
    return false;
  }
  return true;
}

// Without force only the model is remembered: read_key draws before it
// waits, key_waiting draws when it looks at the input and enough time has
// passed, so KEYPRESSED reads the clock once.
void TerminalBackend::present(const Screen& screen, bool force) {
  screen_ = &screen;
  if (force) render();
}

void TerminalBackend::query_size() {
  winsize size{};
  if (out_tty_ && ioctl(out_fd_, TIOCGWINSZ, &size) == 0) {
    window_cols_ = size.ws_col;
    window_rows_ = size.ws_row;
  } else {
    window_cols_ = window_rows_ = 0;
  }
}

bool TerminalBackend::window_too_small() const {
  return window_cols_ > 0 && window_rows_ > 0 &&
         (window_cols_ < SCREEN_COLS || window_rows_ < SCREEN_ROWS);
}

// Wrapped by the terminal to the window's width; the game goes on behind it.
void TerminalBackend::show_size_notice() {
  frame_ = "\x1b[0m\x1b[?25l\x1b[2J\x1b[H\x1b[?7h";
  frame_ += kSizeNotice;
  frame_ += "\r\n(";
  append_number(frame_, window_cols_);
  frame_ += " x ";
  append_number(frame_, window_rows_);
  frame_ += ")\x1b[?7l";
  write_all(frame_);
  shown_attr_ = -1;
}

void TerminalBackend::render() {
  if (!screen_ || !active_ || g_stopped) return;
  last_render_us_ = coarse_us();
  if (g_resized) {
    g_resized = 0;
    query_size();
    repaint_all_ = true;
  }
  if (window_too_small()) {
    if (repaint_all_) show_size_notice();
    repaint_all_ = false;  // the next resize paints again
    return;
  }
  const Screen& s = *screen_;
  frame_.clear();
  if (repaint_all_) {
    frame_ += "\x1b[0m\x1b[2J";
    shown_attr_ = -1;
  }
  int at_row = -1, at_col = -1;  // where the terminal's cursor is, when known
  for (int y = 0; y < SCREEN_ROWS; ++y) {
    for (int x = 0; x < SCREEN_COLS; ++x) {
      const Cell& c = s.cells[y][x];
      Cell& shown = shown_.cells[y][x];
      if (!repaint_all_ && c.ch == shown.ch && c.attr == shown.attr) continue;
      if (frame_.empty()) frame_ += "\x1b[?25l";
      if (at_row != y || at_col != x) append_move(frame_, y + 1, x + 1);
      if (c.attr != shown_attr_) {
        append_colours(frame_, c.attr);
        shown_attr_ = c.attr;
      }
      frame_ += c.ch >= 32 && c.ch < 127 ? c.ch : '?';
      shown = c;
      at_row = y;
      at_col = x + 1 < SCREEN_COLS ? x + 1 : -1;  // no autowrap: the cursor stays in column 80
    }
  }
  repaint_all_ = false;
  if (frame_.empty() && shown_.cursor_x == s.cursor_x && shown_.cursor_y == s.cursor_y) return;
  append_move(frame_, s.cursor_y, s.cursor_x);
  frame_ += "\x1b[?25h";
  shown_.cursor_x = s.cursor_x;
  shown_.cursor_y = s.cursor_y;
  write_all(frame_);
}

bool TerminalBackend::closing() const {
  return g_terminate || output_failed_ || input_ended_;
}

void TerminalBackend::pump(int timeout_ms) {
  if (input_ended_) return;
  pollfd p{in_fd_, POLLIN, 0};
  if (poll(&p, 1, timeout_ms) <= 0) return;  // nothing, or a signal
  if (p.revents & POLLIN) {
    unsigned char buf[256];
    ssize_t n = read(in_fd_, buf, sizeof buf);
    if (n > 0) {
      std::int64_t now = precise_us();
      for (ssize_t i = 0; i < n; ++i) decoder_.feed(buf[i], now);
      return;
    }
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
  }
  // End of input, hang-up, or an error: what is pending is released as it is.
  input_ended_ = true;
  decoder_.finish();
}

bool TerminalBackend::key_waiting() {
  if (decoder_.queued() || closing()) return true;
  std::int64_t now = coarse_us();
  if (now - last_poll_us_ < kPollEveryUs) return false;
  last_poll_us_ = now;
  if (now - last_render_us_ >= kRenderEveryUs || g_resized) render();
  pump(0);
  return decoder_.ready(precise_us()) || closing();
}

unsigned char TerminalBackend::read_key() {
  for (;;) {
    // The second code of an extended key always follows its 0.
    if (second_code_due_ && decoder_.queued()) {
      second_code_due_ = false;
      return decoder_.take();
    }
    second_code_due_ = false;
    if (g_terminate || output_failed_) return TASTE_CTRL_C;
    if (decoder_.queued()) {
      unsigned char c = decoder_.take();
      second_code_due_ = c == TASTE_ERWEITERT;
      return c;
    }
    if (input_ended_) return TASTE_CTRL_C;
    pump(0);
    if (decoder_.ready(precise_us())) continue;
    render();
    int wait_ms = kWakeMs;
    if (decoder_.waiting()) {
      std::int64_t left = decoder_.deadline() - precise_us();
      wait_ms = static_cast<int>(std::clamp<std::int64_t>((left + 999) / 1000, 0, kWakeMs));
    }
    pump(wait_ms);
    decoder_.ready(precise_us());
  }
}

void TerminalBackend::delay(unsigned ms) {
  std::int64_t end = precise_us() + static_cast<std::int64_t>(ms) * 1000;
  for (;;) {
    std::int64_t left = end - precise_us();
    if (left <= 0) return;
    timespec ts{static_cast<time_t>(left / 1000000), static_cast<long>(left % 1000000) * 1000};
    nanosleep(&ts, nullptr);  // a signal cuts it short: the loop sleeps the rest
    if (g_resized) render();
  }
}

void TerminalBackend::sound(unsigned hz) {
  if (hz > 0 && out_tty_) write_all("\a");
}

ClockReading TerminalBackend::read_clock() {
  tm t;
  long nsec;
  local_now(t, nsec);
  const auto u = [](long v) { return static_cast<std::uint16_t>(v); };
  return {.year = u(t.tm_year + 1900),
          .month = u(t.tm_mon + 1),
          .day = u(t.tm_mday),
          .weekday = u(t.tm_wday),
          .hour = u(t.tm_hour),
          .minute = u(t.tm_min),
          .second = u(std::min(t.tm_sec, 59)),  // a leap second shows as 59
          .hundredths = u(nsec / 10000000)};
}

void TerminalBackend::set_date(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  if (year < 1970 || !valid_date(year, month, day)) return;
  tm t;
  long nsec;
  local_now(t, nsec);
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  set_clock(t, nsec);
}

void TerminalBackend::set_time(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
                               std::uint16_t hundredths) {
  if (hour > 23 || minute > 59 || second > 59 || hundredths > 99) return;
  tm t;
  long nsec;
  local_now(t, nsec);
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  set_clock(t, static_cast<long>(hundredths) * 10000000);
}

std::string TerminalBackend::program_path() {
  char buf[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n > 0) return std::string(buf, static_cast<std::size_t>(n));
  char* real = realpath(argv0_.c_str(), nullptr);
  if (!real) return argv0_;
  std::string path = real;
  std::free(real);
  return path;
}
