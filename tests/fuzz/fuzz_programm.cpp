// Fuzz target: the whole program driven by an arbitrary key sequence through
// the virtual console. It must end (the input ends in Ctrl-C), never write
// outside the screen, and leave a conditions file of exactly 80 bytes.
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
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string dir = "/korvando/";
  const std::string datei = dir + "BEDINGUN.DAT";
  VirtualConsole vc;
  vc.path = dir + "korvando";
  // The first byte picks the start conditions: the smallest memory budgets keep
  // the computer's stores small enough for many runs a second.
  if (size > 0) {
    std::uint8_t satz[80] = {
        31, 30, 1, 4, static_cast<std::uint8_t>(1 + data[0] % 2), 10, '0', '5', 0, 0, 0, 1, 0, 1};
    for (int i = 14; i < 80; ++i) satz[i] = ' ';
    vc.files[datei].assign(satz, satz + sizeof satz);
    ++data;
    --size;
  }
  for (std::size_t i = 0; i < size; ++i) {
    // The configuration page would raise the budget to gigabytes: its key is
    // replaced by another digit.
    vc.push_key(data[i] == '8' ? '7' : data[i]);
  }
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
  if (vc.files.size() != 1 || vc.files[datei].size() != 80) std::abort();
  return 0;
}
