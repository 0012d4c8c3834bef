// The program entry: the command line first, then the real terminal as the
// console, the main procedure, then the terminal as it was before.
#include "console/console.h"
#include "console/terminal/terminal_backend.h"
#include "shell/kv.h"

int main(int argc, char** argv) {
  int status = 0;
  if (behandle_argumente(argc, argv, status)) return status;
  TerminalBackend terminal(argc > 0 ? argv[0] : "korvando");
  console_use(terminal);
  KORVANDO();
  terminal.restore();
  return 0;
}
