// Fuzz target: arbitrary bytes as the conditions file. Start-up must accept
// them and the next save must write exactly one 80-byte record whose fields
// are within their ranges.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "console/virtual_console.h"
#include "engine/kvspiel.h"
#include "shell/kv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string dir = "/korvando/";
  const std::string datei = dir + "BEDINGUN.DAT";
  VirtualConsole vc;
  vc.path = dir + "korvando";
  vc.files[dir + KORVANDO_BUILD_MARKER] = {};  // in its build folder
  vc.files[datei].assign(data, data + size);
  vc.mode = size ? (data[0] % 4 == 0 ? 7 : 3) : 3;
  kvspiel_reset();
  kv_reset();
  console_use(vc);
  ANFANGEN();
  BEDINGUNGENSPEICHERN();
  if (vc.files.size() != 2 || vc.files[datei].size() != 80) std::abort();
  const std::uint8_t* satz = vc.files[datei].data();
  if (satz[3] < 2 || satz[3] > 9 || satz[4] < 1 || satz[4] > 8 || satz[2] > 9) std::abort();
  if (MAXFARBE < 2 || MAXFARBE > 36) std::abort();
  if (satz[3] > MAXFARBE && !satz[9]) std::abort();
  return 0;
}
