#include "texts/kvd.h"

void KURZANLEITUNGD(std::uint8_t, std::uint8_t) {}
void SPIELANLEITUNGD(std::uint8_t, std::uint8_t) {}
