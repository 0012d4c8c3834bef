// Fuzz target: the whole program driven by an arbitrary key sequence through
// the virtual console, from varied conditions, start times and memory. It
// must end (the input ends in Ctrl-C), never write outside the screen, keep
// no store after its games, and leave exactly one conditions file of 80
// bytes beside itself in its build folder.
//
// The first KOPF bytes pick the start: the conditions record, the date and
// time of the virtual clock, the virtual time one key poll takes and the
// memory the process could get (small, so that even the 2 GiB budget of the
// configuration page's "8" ends in short builds or in refused ones). The
// rest are the keys, extended keys as 0 and their second code.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "console/virtual_console.h"
#include "engine/kvspiel.h"
#include "shell/kv.h"

namespace {

// Reads after the end of the input: a loop that ignores Ctrl-C would spin here.
constexpr long kMaxReadsAfterEnd = 2'000'000;
constexpr std::size_t KOPF = 16;
const char ZEICHEN[] = "0123456789abcdefghijklmnopqrstuvwxyz";

// The conditions record and the clock of the start, from the head bytes.
void start_aus(const std::uint8_t* k, VirtualConsole& vc, std::uint8_t (&satz)[80]) {
  for (int i = 14; i < 80; ++i) satz[i] = ' ';
  satz[0] = 31;
  satz[1] = 30;
  satz[2] = k[5] % 3;
  satz[3] = static_cast<std::uint8_t>(2 + k[1] % 8);
  satz[4] = static_cast<std::uint8_t>(1 + k[0] % 8);
  satz[5] = 10;
  satz[6] = ZEICHEN[k[2] % 36];
  satz[7] = ZEICHEN[k[3] % 36];
  for (int bit = 0; bit < 6; ++bit) satz[8 + bit] = (k[4] >> bit) & 1;
  if (k[4] & 64) {
    const std::string a = "Anna", b = "Bert Ott";
    for (std::size_t i = 0; i < a.size(); ++i) satz[15 + i] = static_cast<std::uint8_t>(a[i]);
    for (std::size_t i = 0; i < b.size(); ++i) satz[48 + i] = static_cast<std::uint8_t>(b[i]);
  }
  vc.mode = k[4] & 128 ? 7 : 3;
  vc.set_clock({1900 + (k[6] << 8 | k[7]) % 8200, 1 + k[8] % 12, 1 + k[9] % 31, k[10] % 24,
                k[11] % 60, k[12] % 60, 0});
  vc.poll_step_us = 10 * (1 + k[13] % 200);
  vc.memory_limit = static_cast<std::uint64_t>(24 + k[14] % 25) << 20;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string datei = "/korvando/BEDINGUN.DAT";
  // A missing head reads as the default conditions on 18 December 2025.
  std::uint8_t kopf[KOPF] = {7, 2, 0, 9, 40, 1, 0, 125, 11, 17, 10, 30, 0, 0, 16, 0};
  for (std::size_t i = 0; i < KOPF && i < size; ++i) kopf[i] = data[i];
  VirtualConsole vc;
  vc.path = "/korvando/korvando";
  vc.files[std::string("/korvando/") + KORVANDO_BUILD_MARKER] = {};  // in its build folder
  std::uint8_t satz[80];
  start_aus(kopf, vc, satz);
  vc.files[datei].assign(satz, satz + sizeof satz);
  for (std::size_t i = KOPF; i < size; ++i) vc.push_key(data[i]);

  long nach_ende = 0;
  vc.eof_when_empty = true;
  vc.on_wait = [&](VirtualConsole&) {
    if (++nach_ende > kMaxReadsAfterEnd) std::abort();
  };
  kvspiel_reset();
  kv_reset();
  console_use(vc);
  KORVANDO();
  const Screen& s = console_screen();
  if (s.cursor_x < 1 || s.cursor_x > SCREEN_COLS || s.cursor_y < 1 || s.cursor_y > SCREEN_ROWS)
    std::abort();
  if (raten_belegt != 0 || mogel_belegt != 0) std::abort();
  if (vc.files.size() != 2 || vc.files[datei].size() != 80) std::abort();
  return 0;
}
