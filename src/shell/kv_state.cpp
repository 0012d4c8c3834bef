// Definitions of the main program's module-level state and its reset, both
// from the list in kv.h.
#include <type_traits>

#include "shell/kv.h"

#define KV_DEFINITION(typ, name, ...) typ name{__VA_ARGS__};
KV_VARIABLEN(KV_DEFINITION)
#undef KV_DEFINITION

void kv_reset() {
#define KV_STARTWERT(typ, name, ...) name = std::type_identity_t<typ>{__VA_ARGS__};
  KV_VARIABLEN(KV_STARTWERT)
#undef KV_STARTWERT
}
