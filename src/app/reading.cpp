#include "app/reading.h"

namespace corvane::app {

std::optional<Reading> TakeReading(PowerSource& source, Clock& clock) {
    Reading reading;
    if (!source.Read(reading.status)) {
        return std::nullopt;
    }
    reading.utc = clock.UtcNow();
    reading.secondsOfDay = clock.SecondsOfDay();
    reading.monotonicMs = clock.MonotonicMilliseconds();
    reading.battery = source.ReadBattery();
    return reading;
}

} // namespace corvane::app
