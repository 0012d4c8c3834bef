// Placeholder entry until the real terminal back end is in.
#include "shell/kv.h"

int main() {
  return 0;
}
