// Proleptic Gregorian day numbers for the clocks of the back ends.
#pragma once

#include <cstdint>

// Days since 1 March of year 0 for a date of the Gregorian calendar.
std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d);
void civil_from_days(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d);
// 0 = Sunday.
unsigned weekday_from_days(std::int64_t z);
