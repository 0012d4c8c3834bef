// Turns the bytes a terminal sends for the keyboard into the key codes of
// READKEY: ordinary keys as their code (127 as 8), keys without a character
// as 0 followed by their second code, Esc alone once no further byte has
// followed it for a moment, and any escape sequence the table does not know
// byte by byte. Pure: bytes and their arrival times in, key codes out.
#pragma once

#include <cstdint>
#include <deque>

class KeyDecoder {
 public:
  // How long an incomplete escape sequence waits for its next byte.
  static constexpr std::int64_t kEscWaitUs = 10000;

  // One byte from the terminal, read at now_us (microseconds, any monotonic origin).
  void feed(unsigned char byte, std::int64_t now_us);
  // End of input: what is still pending is released without waiting.
  void finish();

  // True when a key code can be taken at now_us. An incomplete sequence whose
  // last byte is at least kEscWaitUs old is released byte by byte here, so
  // the caller should read every byte that has arrived before asking.
  bool ready(std::int64_t now_us);
  // True when a decoded code is queued (no time passes).
  bool queued() const { return !out_.empty(); }
  // The next code; 0 when none is queued.
  unsigned char take();

  // True while an incomplete escape sequence waits for more bytes.
  bool waiting() const { return pending_len_ > 0; }
  // When the waiting sequence will be released, if no byte comes first.
  std::int64_t deadline() const { return last_byte_us_ + kEscWaitUs; }

 private:
  void decode(bool flush);

  static constexpr int kMaxPending = 16;
  unsigned char pending_[kMaxPending];
  int pending_len_ = 0;
  std::int64_t last_byte_us_ = 0;
  std::deque<unsigned char> out_;
};

// Looks up a whole escape sequence, ESC included: its second code (1..255),
// or kSequencePrefix when the bytes only begin one or more known sequences,
// or kSequenceUnknown when no known sequence begins with them.
constexpr int kSequencePrefix = -1;
constexpr int kSequenceUnknown = -2;
int lookup_key_sequence(const unsigned char* bytes, int len);
