#pragma once
// The cycle's ports onto the real system: the power status and the local clock.
#include "app/reading.h"

namespace corvane::app {

class SystemPowerSource final : public PowerSource {
public:
    bool Read(PowerStatus& status) override;
    std::optional<BatteryState> ReadBattery() override;
};

} // namespace corvane::app
