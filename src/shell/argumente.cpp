// The command line: the game takes no arguments but --help and --version.
// They are answered before the console starts, so the terminal keeps its
// modes and screen, and no settings file is read or written.
#include <cstring>
#include <string>

#include "console/console.h"
#include "shell/kv.h"

namespace {

const char* const HILFE =
    "Aufruf / usage: korvando [--help | --version]\n"
    "Korvando: Codeknacken im Textterminal (80 x 25), auf Deutsch und Englisch.\n"
    "Korvando: code-breaking in the text terminal (80 x 25), in German and English.\n"
    "Ohne Argumente beginnt das Spiel / without arguments the game starts.\n"
    "  --help     diese Hilfe / this help\n"
    "  --version  die Version / the version\n"
    "Handbuch / manual: korvando(6), man korvando\n";

// The argument on one line: control characters become "?".
std::string einzeilig(const char* argument) {
  std::string s = argument;
  for (char& c : s)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
  return s;
}

}  // namespace

bool behandle_argumente(int argc, const char* const* argv, int& status) {
  if (argc < 2) return false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "--version") == 0) continue;
    write_standard_error("korvando: unbekanntes Argument / unknown argument '" +
                         einzeilig(argv[i]) + "' (siehe / see: korvando --help)\n");
    status = 2;
    return true;
  }
  // Only known options: the first one is answered.
  write_standard_output(std::strcmp(argv[1], "--help") == 0
                            ? std::string(HILFE)
                            : std::string("korvando ") + KORVANDO_VERSION + "\n");
  status = 0;
  return true;
}
