#include "console/virtual_console.h"

#include <algorithm>

#include "console/calendar_math.h"

namespace {
constexpr std::int64_t kUsPerDay = 86400LL * 1000000;
// Why a save fails while files_read_only holds.
const char* const NUR_LESEN = "Read-only file system";
}  // namespace

VirtualConsole::VirtualConsole() {
  set_clock(DateTime{});
}

void VirtualConsole::push_key(unsigned char code) {
  keys_.push_back(code);
  eof_ = false;
}

void VirtualConsole::push_keys(std::string_view chars) {
  for (char c : chars) push_key(static_cast<unsigned char>(c));
}

void VirtualConsole::push_ext(unsigned char second_code) {
  push_key(TASTE_ERWEITERT);
  push_key(second_code);
}

void VirtualConsole::set_clock(const DateTime& t) {
  std::int64_t days = days_from_civil(t.year, t.month, t.day);
  now_us_ = days * kUsPerDay +
            ((t.hour * 3600LL + t.minute * 60LL + t.second) * 100 + t.hundredths) * 10000;
}

VirtualConsole::DateTime VirtualConsole::clock() const {
  std::int64_t days = now_us_ / kUsPerDay;
  std::int64_t tod = now_us_ % kUsPerDay;
  if (tod < 0) {
    tod += kUsPerDay;
    --days;
  }
  DateTime t;
  std::int64_t y;
  unsigned m, d;
  civil_from_days(days, y, m, d);
  t.year = static_cast<int>(y);
  t.month = static_cast<int>(m);
  t.day = static_cast<int>(d);
  std::int64_t hs = tod / 10000;
  t.hour = static_cast<int>(hs / 360000);
  t.minute = static_cast<int>(hs / 6000 % 60);
  t.second = static_cast<int>(hs / 100 % 60);
  t.hundredths = static_cast<int>(hs % 100);
  return t;
}

void VirtualConsole::advance_us(std::int64_t us) {
  now_us_ += us;
}

bool VirtualConsole::key_waiting() {
  advance_us(poll_step_us);
  if (keys_.empty() && on_wait) on_wait(*this);
  if (!keys_.empty()) return true;
  if (eof_when_empty) eof_ = true;
  return eof_;
}

unsigned char VirtualConsole::read_key() {
  if (keys_.empty() && on_wait) on_wait(*this);
  if (keys_.empty()) {
    if (eof_when_empty) eof_ = true;
    return TASTE_CTRL_C;
  }
  unsigned char c = keys_.front();
  keys_.pop_front();
  return c;
}

ClockReading VirtualConsole::read_clock() {
  const DateTime t = clock();
  const auto u = [](std::int64_t v) { return static_cast<std::uint16_t>(v); };
  return {u(t.year), u(t.month),  u(t.day),    u(weekday_from_days(now_us_ / kUsPerDay)),
          u(t.hour), u(t.minute), u(t.second), u(t.hundredths)};
}

void VirtualConsole::set_date(std::uint16_t year, std::uint16_t month, std::uint16_t day) {
  set_calls.push_back({true, year, month, day, 0});
  if (month < 1 || month > 12 || day < 1 || day > 31 || year > 9999) return;  // refused silently
  DateTime t = clock();
  t.year = year;
  t.month = month;
  t.day = day;
  set_clock(t);
}

void VirtualConsole::set_time(std::uint16_t hour, std::uint16_t minute, std::uint16_t second,
                              std::uint16_t hundredths) {
  set_calls.push_back({false, hour, minute, second, hundredths});
  if (hour > 23 || minute > 59 || second > 59 || hundredths > 99) return;
  DateTime t = clock();
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  t.hundredths = hundredths;
  set_clock(t);
}

bool VirtualConsole::read_file(const std::string& name, std::size_t max_bytes,
                               std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  const auto f = files.find(name);
  if (f == files.end()) return false;
  const std::size_t n = f->second.size() < max_bytes ? f->second.size() : max_bytes;
  bytes.assign(f->second.begin(), f->second.begin() + static_cast<std::ptrdiff_t>(n));
  return true;
}

bool VirtualConsole::save_file(const std::string& name, const std::vector<std::uint8_t>& bytes,
                               std::string& reason) {
  if (files_read_only) {
    reason = NUR_LESEN;
    return false;
  }
  files[name] = bytes;
  return true;
}

std::string VirtualConsole::environment_variable(const std::string& name) {
  const auto v = environment.find(name);
  return v == environment.end() ? std::string() : v->second;
}

bool VirtualConsole::make_folder(const std::string& folder, std::vector<std::string>& made,
                                 std::string& reason) {
  made.clear();
  if (files_read_only) {
    reason = NUR_LESEN;
    return false;
  }
  if (std::find(folders_made.begin(), folders_made.end(), folder) == folders_made.end()) {
    folders_made.push_back(folder);
    made.push_back(folder);
  }
  return true;
}

void VirtualConsole::remove_folders(const std::vector<std::string>& folders) {
  for (const std::string& f : folders) std::erase(folders_made, f);
}

std::thread VirtualConsole::start_thread(void (*work)(void*), void* data) {
  const long nummer = thread_starts++;
  if (thread_fail_from >= 0 && nummer >= thread_fail_from) return std::thread();
  return Backend::start_thread(work, data);
}
