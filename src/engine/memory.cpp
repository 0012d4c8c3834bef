// Release of the candidate stores and the capacity table of the memory budget.
#include "console/console.h"
#include "engine/kvspiel.h"

namespace {

// Node size of the codebreaker store for c positions over n signs.
std::uint32_t knotengroesse(int c, int n) {
  return static_cast<std::uint32_t>((c + n + 12) / 16 + 1) * 16;
}

}  // namespace

void SPEICHER_FREIGEBEN(bool freigeben) {
  if (freigeben) {
    raten_speicher_freigeben();
    mogeln_speicher_freigeben();
  }
  GEAENDERT = MERKEMEMAVAIL != static_cast<std::int64_t>(MEMAVAIL_ORB);
  if (!GEAENDERT) return;
  MERKEMEMAVAIL = MEMAVAIL_ORB;
  MEMGES = MEMAVAIL_ORB / 16 * 16;
  if (MEMGES > MAXSPEICHER) MEMGES = MAXSPEICHER;
  for (int l = 2; l <= 9; ++l) ZAEHLEFARBEN[l] = 0;
  for (int n = 2; n <= 36; ++n) {
    std::uint32_t m = MEMGES;
    int c = 0;
    while (m / static_cast<std::uint32_t>(n) >= knotengroesse(c, n) && c < 9) {
      ++c;
      m /= static_cast<std::uint32_t>(n);
    }
    if (c >= 2) ZAEHLEFARBEN[c] = static_cast<std::uint8_t>(n);
  }
  for (int d = 8; d >= 2; --d)
    if (ZAEHLEFARBEN[d + 1] > ZAEHLEFARBEN[d]) ZAEHLEFARBEN[d] = ZAEHLEFARBEN[d + 1];
  if (ZAEHLEFARBEN[6] > 35) ZAEHLEFARBEN[6] = 35;
  if (ZAEHLEFARBEN[7] > 21) ZAEHLEFARBEN[7] = 21;
  if (ZAEHLEFARBEN[8] > 14) ZAEHLEFARBEN[8] = 14;
  if (ZAEHLEFARBEN[9] > 10) ZAEHLEFARBEN[9] = 10;
}

void abbruch_aufraeumen(unsigned char& taste) {
  taste = TASTE_ESC;
  SPEICHER_FREIGEBEN(true);
  ZEITEIN = false;
}
