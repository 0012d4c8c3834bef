#include "texts/kve.h"

void KURZANLEITUNGE(std::uint8_t, std::uint8_t) {}
void SPIELANLEITUNGE(std::uint8_t, std::uint8_t) {}
