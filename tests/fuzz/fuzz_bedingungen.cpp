// Fuzz target: arbitrary bytes as the conditions file. Start-up must accept
// them and the next save must write exactly one 80-byte record whose fields
// are within their ranges.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "console/virtual_console.h"
#include "engine/kvspiel.h"
#include "shell/kv.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string dir = [] {
    char templ[] = "/tmp/korvando-fuzz-XXXXXX";
    return std::string(::mkdtemp(templ)) + "/";
  }();
  const std::string datei = dir + "BEDINGUN.DAT";
  if (std::FILE* f = std::fopen(datei.c_str(), "wb")) {
    if (size) std::fwrite(data, 1, size, f);
    std::fclose(f);
  }
  VirtualConsole vc;
  vc.path = dir + "korvando";
  vc.mode = size ? (data[0] % 4 == 0 ? 7 : 3) : 3;
  kvspiel_reset();
  kv_reset();
  console_use(vc);
  ANFANGEN();
  BEDINGUNGENSPEICHERN();
  std::uint8_t satz[81];
  std::size_t n = 0;
  if (std::FILE* f = std::fopen(datei.c_str(), "rb")) {
    n = std::fread(satz, 1, sizeof satz, f);
    std::fclose(f);
  }
  if (n != 80) std::abort();
  if (satz[3] < 2 || satz[3] > 9 || satz[4] < 1 || satz[4] > 8 || satz[2] > 9) std::abort();
  if (MAXFARBE < 2 || MAXFARBE > 36) std::abort();
  if (satz[3] > MAXFARBE && !satz[9]) std::abort();
  return 0;
}
