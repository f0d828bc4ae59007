#include "app/care_reminder.h"

#include <algorithm>

#include "app/app_settings.h"

namespace corvane::app::care {

std::string Message(int percent) {
    return "Battery has reached " + std::to_string(percent) +
           "% charge. Remove the AC supply now to help the battery last longer.";
}

std::optional<Balloon> Reminder::Reading(bool enabled, std::int32_t level, int percent, bool ac, bool held) {
    if (percent < 0 || percent > 100) {
        // Unknown: nothing is learnt, not even the AC state, so the next known reading
        // still sees a connection that happened meanwhile.
        return std::nullopt;
    }
    if (ac && !lastAc_) {
        armed_ = true;
    }
    lastAc_ = ac;
    if (percent <= level - kRearmDrop) {
        armed_ = true;
    }
    if (percent < level) {
        return std::nullopt;
    }
    if (!enabled || held || !ac || !armed_) {
        return std::nullopt;
    }
    armed_ = false;
    Balloon b;
    b.message = Message(percent);
    return b;
}

LevelCheck CheckLevelText(std::string_view text) {
    LevelCheck check;
    if (text.empty()) {
        check.level = kDefaultLevel;
        return check;
    }
    // A long run of digits is refused, never wrapped.
    if (const std::optional<std::uint32_t> value = Digits(text); value && *value >= kLowestLevel && *value <= kHighestLevel) {
        check.level = static_cast<std::int32_t>(*value);
        return check;
    }
    check.refusal = "The reminder level must be a whole number from " + std::to_string(kLowestLevel) + " to " +
                    std::to_string(kHighestLevel) + " (percent). An empty box means " +
                    std::to_string(kDefaultLevel) + ".";
    return check;
}

bool ParseFlag(std::string_view stored) {
    const auto n = WholeNumber(stored);
    return n && *n == 1;
}

std::string FlagText(bool ticked) { return ticked ? "1" : "0"; }

std::int32_t ParseLevel(std::string_view stored) {
    const auto n = WholeNumber(stored);
    return n && *n >= kLowestLevel && *n <= kHighestLevel ? *n : kDefaultLevel;
}

std::string LevelText(std::int32_t level) { return std::to_string(level); }

} // namespace corvane::app::care
