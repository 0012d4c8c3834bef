// The rules of the calendar from 0000 to 9999 and the game date of the clock.
#include "engine/kvspiel.h"
#include "extras/zuf.h"

namespace {

// Days before each month in a common year.
constexpr std::uint16_t VORTAGE[13] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

bool julianisch(std::uint16_t jahr, std::uint16_t monat, std::uint16_t tag) {
  return jahr < 1582 || (jahr == 1582 && (monat < 10 || (monat == 10 && tag < 10)));
}

}  // namespace

bool schaltjahr_gregorianisch(std::uint16_t jahr) {
  if (jahr % 100 == 0) return jahr % 400 == 0;
  return jahr % 4 == 0;
}

bool schaltjahr(std::uint16_t jahr) {
  return jahr <= 1582 ? jahr % 4 == 0 : schaltjahr_gregorianisch(jahr);
}

std::uint16_t monatslaenge(std::uint16_t monat, bool schalt) {
  switch (monat) {
    case 2:
      return schalt ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
      return 30;
    default:
      return 31;
  }
}

std::uint16_t wochentag(std::uint16_t jahr, std::uint16_t monat, std::uint16_t tag) {
  long b;
  const long y = jahr, p = y - 1;
  if (jahr == 0)
    b = 3;
  else if (julianisch(jahr, monat, tag))
    b = (p / 4 + y + 4) % 7;
  else
    b = (p / 4 + y + 6 - p / 100 + p / 400) % 7;
  if (schaltjahr(jahr) && monat > 2) ++b;
  if (monat >= 1 && monat <= 12) b += VORTAGE[monat];
  return static_cast<std::uint16_t>((b + tag) % 7);
}

void folgetag(std::uint16_t jahr, std::uint16_t monat, std::uint16_t tag, std::uint16_t wotag,
              std::uint16_t& jahr2, std::uint16_t& monat2, std::uint16_t& tag2,
              std::uint16_t& wotag2) {
  const bool schalt = schaltjahr(jahr);
  wotag2 = wotag == 6 ? 0 : static_cast<std::uint16_t>(wotag + 1);
  if (monat == 12 && tag == 31) {
    jahr2 = static_cast<std::uint16_t>(jahr + 1);
    monat2 = 1;
    tag2 = 1;
    return;
  }
  jahr2 = jahr;
  if (tag == 31 || (tag == 30 && monatslaenge(monat, schalt) == 30)) {
    monat2 = static_cast<std::uint16_t>(monat + 1);
    tag2 = 1;
    return;
  }
  if (monat == 2 && (tag == 29 || (tag == 28 && !schalt))) {
    monat2 = 3;
    tag2 = 1;
    return;
  }
  monat2 = monat;
  tag2 = jahr == 1582 && monat == 10 && tag == 4 ? 15 : static_cast<std::uint16_t>(tag + 1);
}
