#include "base/clock_win.h"

#include <windows.h>

namespace corvane {

namespace {

// 100-ns intervals between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kEpochDifference = 116444736000000000LL;

UnixTime FromFileTime(const FILETIME& ft) {
    const std::int64_t ticks = (static_cast<std::int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return FloorDiv(ticks - kEpochDifference, 10000000);
}

FILETIME ToFileTime(UnixTime time) {
    const std::int64_t ticks = time * 10000000 + kEpochDifference;
    return {static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
}

} // namespace

UnixTime SystemClock::UtcNow() {
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    return FromFileTime(now);
}

std::int64_t SystemClock::LocalOffsetAt(UnixTime time) {
    const FILETIME ft = ToFileTime(time);
    SYSTEMTIME utc{}, local{};
    FILETIME localFt{};
    if (!::FileTimeToSystemTime(&ft, &utc) || !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local) ||
        !::SystemTimeToFileTime(&local, &localFt)) {
        return 0;
    }
    return FromFileTime(localFt) - time;
}

std::int32_t SystemClock::SecondsOfDay() {
    // One reading: hour, minute and second of the same instant, even at a minute's turn.
    SYSTEMTIME t{};
    ::GetLocalTime(&t);
    if (t.wHour > 23 || t.wMinute > 59 || t.wSecond > 59) {
        return kUnknownTime;
    }
    return t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
}

std::int64_t SystemClock::MonotonicMilliseconds() {
    // Time asleep does not count: whether a tick or the resume broadcast comes first after a
    // sleep, the hours asleep never become one step of the estimate.
    ULONGLONG hundredsOfNs = 0;
    if (!::QueryUnbiasedInterruptTime(&hundredsOfNs)) {
        return static_cast<std::int64_t>(::GetTickCount64());
    }
    return static_cast<std::int64_t>(hundredsOfNs / 10000);
}

} // namespace corvane
