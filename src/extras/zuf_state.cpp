// Definitions of the extras' module-level state and its reset, both from the
// list in zuf.h.
#include <type_traits>

#include "extras/zuf.h"

#define ZUF_DEFINITION(typ, name, ...) typ name{__VA_ARGS__};
ZUF_VARIABLEN(ZUF_DEFINITION)
#undef ZUF_DEFINITION

void zuf_reset() {
#define ZUF_STARTWERT(typ, name, ...) name = std::type_identity_t<typ>{__VA_ARGS__};
  ZUF_VARIABLEN(ZUF_STARTWERT)
#undef ZUF_STARTWERT
}
