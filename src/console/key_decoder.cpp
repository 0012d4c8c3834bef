#include "console/key_decoder.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/console.h"

namespace {

// The keys without a character: the sequences xterm-compatible terminals,
// tmux, rxvt and the Linux console send for them (the bytes after ESC,
// separated by blanks), and the second codes of the key alone and with
// Shift, Ctrl and Alt (0 where the keyboard has no code of its own for the
// combination; the plain code is delivered then). The keys the program does
// not react to keep their bare codes.
//
// From each form the modified forms are derived: "[X" gives "[1;mX", "OX"
// gives "O1;mX" and "[1;mX", "[n~" gives "[n;m~", where m - 1 is the set of
// modifiers (1 Shift, 2 Alt, 4 Ctrl). Every form preceded by one more ESC
// is the Alt form of its key.
struct KeyRow {
  const char* forms;
  std::uint8_t plain, shift, ctrl, alt;
};

constexpr KeyRow kKeys[] = {
    {"[A OA", TASTE_UP, 0, TASTE_CTRL_UP, TASTE_ALT_UP},
    {"[B OB", TASTE_DOWN, 0, TASTE_CTRL_DOWN, TASTE_ALT_DOWN},
    {"[C OC", TASTE_RIGHT, 0, TASTE_CTRL_RIGHT, TASTE_ALT_RIGHT},
    {"[D OD", TASTE_LEFT, 0, TASTE_CTRL_LEFT, TASTE_ALT_LEFT},
    {"[H OH [1~ [7~", 71, 0, 119, 151},  // Home
    {"[F OF [4~ [8~", 79, 0, 117, 159},  // End
    {"[2~", 82, 0, 146, 162},            // Ins
    {"[3~", TASTE_DEL, 0, 147, TASTE_ALT_DEL},
    {"[5~", TASTE_PGUP, 0, TASTE_CTRL_PGUP, TASTE_ALT_PGUP},
    {"[6~", TASTE_PGDN, 0, TASTE_CTRL_PGDN, TASTE_ALT_PGDN},
    {"OP [11~ [[A", TASTE_F1, TASTE_SHIFT_F1, TASTE_CTRL_F1, TASTE_ALT_F1},
    {"OQ [12~ [[B", 60, 85, 95, 105},  // F2
    {"OR [13~ [[C", 61, 86, 96, 106},  // F3
    {"OS [14~ [[D", TASTE_F4, TASTE_SHIFT_F4, TASTE_CTRL_F4, TASTE_ALT_F4},
    {"[15~ [[E", 63, 88, 98, 108},  // F5
    {"[17~", TASTE_F6, TASTE_SHIFT_F6, TASTE_CTRL_F6, TASTE_ALT_F6},
    {"[18~", 65, 90, 100, 110},    // F7
    {"[19~", 66, 91, 101, 111},    // F8
    {"[20~", 67, 92, 102, 112},    // F9
    {"[21~", 68, 93, 103, 113},    // F10
    {"[23~", 133, 135, 137, 139},  // F11
    {"[24~", 134, 136, 138, 140},  // F12
    {"[Z", 15, 0, 0, 0},           // Shift-Tab
};

// An ordinary byte as its key: the Backspace key of most terminals sends 127.
unsigned char gewoehnliche_taste(unsigned char byte) {
  return byte == TASTE_DEL_BYTE ? TASTE_BACKSPACE : byte;
}

constexpr int kShift = 1, kAlt = 2, kCtrl = 4;

std::uint8_t code_for(const KeyRow& k, int mods) {
  std::uint8_t c = 0;
  if (mods & kAlt)
    c = k.alt;
  else if (mods & kCtrl)
    c = k.ctrl;
  else if (mods & kShift)
    c = k.shift;
  return c ? c : k.plain;
}

using Table = std::vector<std::pair<std::string, std::uint8_t>>;

void add(Table& t, const KeyRow& k, const std::string& body, int mods) {
  std::string esc(1, static_cast<char>(TASTE_ESC));
  t.emplace_back(esc + body, code_for(k, mods));
  t.emplace_back(esc + esc + body, code_for(k, mods | kAlt));
}

// Every known sequence with its second code, sorted for prefix search.
Table build_table() {
  Table t;
  for (const KeyRow& k : kKeys) {
    std::string_view forms = k.forms;
    while (!forms.empty()) {
      std::size_t end = forms.find(' ');
      std::string f(forms.substr(0, end));
      forms = end == std::string_view::npos ? std::string_view{} : forms.substr(end + 1);
      add(t, k, f, 0);
      for (int m = 2; m <= 8; ++m) {
        std::string ms = std::to_string(m);
        if (f.size() == 2 && f[0] == '[' && f[1] != '[') {
          add(t, k, "[1;" + ms + f[1], m - 1);
        } else if (f.size() == 2 && f[0] == 'O') {
          add(t, k, "O1;" + ms + f[1], m - 1);
          add(t, k, "[1;" + ms + f[1], m - 1);
        } else if (f.back() == '~') {
          add(t, k, f.substr(0, f.size() - 1) + ';' + ms + '~', m - 1);
        }
      }
    }
  }
  std::stable_sort(t.begin(), t.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  // A form reached from two rows ("[1;5A" from "[A" and "OA") keeps its first code.
  t.erase(std::unique(t.begin(), t.end(),
                      [](const auto& a, const auto& b) { return a.first == b.first; }),
          t.end());
  return t;
}

const Table& table() {
  static const Table t = build_table();
  return t;
}

}  // namespace

int lookup_key_sequence(const unsigned char* bytes, int len) {
  const Table& t = table();
  std::string_view s(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(len));
  auto it = std::lower_bound(t.begin(), t.end(), s,
                             [](const auto& e, std::string_view v) { return e.first < v; });
  if (it == t.end() || std::string_view(it->first).substr(0, s.size()) != s)
    return kSequenceUnknown;
  return it->first.size() == s.size() ? it->second : kSequencePrefix;
}

void KeyDecoder::feed(unsigned char byte, std::int64_t now_us) {
  if (pending_len_ == 0 && byte != TASTE_ESC) {
    out_.push_back(gewoehnliche_taste(byte));
    return;
  }
  pending_[pending_len_++] = byte;
  last_byte_us_ = now_us;
  decode(false);
}

void KeyDecoder::finish() {
  decode(true);
}

bool KeyDecoder::ready(std::int64_t now_us) {
  if (pending_len_ > 0 && now_us - last_byte_us_ >= kEscWaitUs) decode(true);
  return !out_.empty();
}

unsigned char KeyDecoder::take() {
  if (out_.empty()) return 0;
  unsigned char c = out_.front();
  out_.pop_front();
  return c;
}

// Works through the pending bytes: a known sequence becomes 0 and its code;
// the start of a known sequence waits for more unless flush is set; anything
// else releases its ESC as a key of its own and goes on after it.
void KeyDecoder::decode(bool flush) {
  while (pending_len_ > 0) {
    if (pending_[0] != TASTE_ESC) {
      out_.push_back(gewoehnliche_taste(pending_[0]));
    } else {
      int code = lookup_key_sequence(pending_, pending_len_);
      if (code >= 0) {
        out_.push_back(TASTE_ERWEITERT);
        out_.push_back(static_cast<unsigned char>(code));
        pending_len_ = 0;
        return;
      }
      if (code == kSequencePrefix && !flush && pending_len_ < kMaxPending) return;
      out_.push_back(TASTE_ESC);
    }
    std::memmove(pending_, pending_ + 1, static_cast<std::size_t>(--pending_len_));
  }
}
