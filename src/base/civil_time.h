#pragma once
// Time as the program keeps it: seconds since 1970-01-01 00:00:00 UTC, and the civil date and
// time of such a second (proleptic Gregorian), without the C library's time zone machinery.
#include <cstdint>

namespace corvane {

using UnixTime = std::int64_t;

inline constexpr std::int64_t kSecondsPerDay = 86400;

// Rounding towards minus infinity, as calendars need for times before 1970.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) noexcept;

// Days since 1970-01-01 for a civil date.
std::int64_t DaysFromCivil(int year, int month, int day) noexcept;
struct CivilTime {
    int year, month, day, hour, minute, second, weekday; // weekday 0 = Sunday
};
CivilTime CivilFromSeconds(std::int64_t seconds) noexcept;

} // namespace corvane
