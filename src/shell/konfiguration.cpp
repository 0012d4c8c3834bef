// The memory configuration page.
#include "shell/kv.h"

void KONFIGURATION() {}
