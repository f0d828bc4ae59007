#pragma once
// The battery care reminder: on AC power, one balloon when the charge reaches the user's
// level, so the battery spends less time full. It only reminds; the charge is not limited.
// Also the rules for its box and for its three settings keys and the tray-charge key.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::app::care {

inline constexpr std::int32_t kDefaultLevel = 80;
inline constexpr std::int32_t kLowestLevel = 50;
inline constexpr std::int32_t kHighestLevel = 100;
// A charge held just below the level by a charge limit wanders 79, 80, 79: the reminder comes
// again only after the charge fell this far below the level, or the AC supply came anew.
inline constexpr std::int32_t kRearmDrop = 3;

inline constexpr std::string_view kTitle = "Corvane :: Battery Care Reminder.";
inline constexpr std::int32_t kIcon = 1;          // the information icon
inline constexpr double kTimeOutMs = 2000;
inline constexpr int kSoundSlot = 1;              // the full-charge sound

// The balloon's text for the percent reached.
std::string Message(int percent);

struct Balloon {
    std::string message;
    std::string_view title = kTitle;
    std::int32_t icon = kIcon;
    double timeOutMs = kTimeOutMs;
    int soundSlot = kSoundSlot;
};

// One per run. Fed every reading; a new run starts armed, so starting on AC above the level
// reminds once, as a plug connected at start would. It re-arms when the charge falls
// kRearmDrop below the level or the AC supply is connected again.
class Reminder {
public:
    // percent is the reading (255 unknown), ac whether the AC supply is connected. enabled
    // is the option's tick: while unticked nothing is raised, but falls below the level and
    // reconnections still re-arm, so ticking later reminds about a charge above the level
    // that was not yet reminded of. held: on AC but not charging below full, as a charge limit
    // holds it; the battery is already protected, so nothing is raised, as while unticked.
    std::optional<Balloon> Reading(bool enabled, std::int32_t level, int percent, bool ac, bool held = false);

private:
    bool armed_ = true;
    bool lastAc_ = false;
};

// The box's text as a level: empty means the default; digits only, kLowestLevel..kHighestLevel.
struct LevelCheck {
    std::optional<std::int32_t> level; // accepted
    std::string refusal;               // otherwise, the text to show the user
};
LevelCheck CheckLevelText(std::string_view text);
inline constexpr std::string_view kRefusalTitle = "Corvane :: Battery Care Reminder";

// AppOpt.ini, section "settings", after the earlier keys. Reading: what the program does not
// write gives the default.
inline constexpr std::string_view kSection = "settings";
inline constexpr std::string_view kTrayChargeKey = "traycharge";
inline constexpr std::string_view kCareOnKey = "careon";
inline constexpr std::string_view kCareValKey = "careval";
inline constexpr std::string_view kFlagDefault = "0";
inline constexpr std::string_view kCareValDefault = "80";

// traycharge and careon: "1" ticked, "0" unticked, anything else unticked.
bool ParseFlag(std::string_view stored);
std::string FlagText(bool ticked);
// careval: a whole number within kLowestLevel..kHighestLevel, anything else kDefaultLevel.
std::int32_t ParseLevel(std::string_view stored);
std::string LevelText(std::int32_t level);

} // namespace corvane::app::care
