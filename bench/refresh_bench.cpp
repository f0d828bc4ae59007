// One run of the power-status cycle against ports that do nothing, with the percent the same
// as last time (the usual tick) and with a new percent (estimate, tooltip and label texts).
#include <benchmark/benchmark.h>

#include "app/power_cycle.h"

namespace {

using namespace corvane::app;

class QuietWorld : public PowerSource, public Clock, public CycleView, public TrayPort, public SoundPort {
public:
    bool Read(PowerStatus& s) override {
        s.ACLineStatus = 0;
        s.BatteryLifePercent = percent;
        return true;
    }
    std::int32_t SecondsOfDay() override { return now += 30; }
    std::int64_t MonotonicMilliseconds() override { return std::int64_t{now} * 1000; }
    void SetPowerInfo(std::string_view t) override { benchmark::DoNotOptimize(t.data()); }
    void SetPercentText(std::string_view t) override { benchmark::DoNotOptimize(t.data()); }
    void ResetBar() override {}
    void SetBarValue(std::int32_t v) override { benchmark::DoNotOptimize(v); }
    void SetTimeText(std::string_view t) override { benchmark::DoNotOptimize(t.data()); }
    bool StartChargingChecked() const override { return true; }
    bool EndChargingChecked() const override { return true; }
    bool ChargeLowChecked() const override { return true; }
    std::string ChargeAlertText() const override { return "10"; }
    void ShowPowerStatusError() override {}
    void SetToolTip(std::string_view t) override { benchmark::DoNotOptimize(t.data()); }
    void ShowBalloonTip(std::string_view, std::string_view, std::int32_t, std::int32_t) override {}
    void PlayAlertSound(int) override {}

    std::uint8_t percent = 57;
    std::int32_t now = 0;
};

void RefreshUnchanged(benchmark::State& state) {
    QuietWorld w;
    PowerCycle cycle(w, w, w, w, w);
    cycle.ClearBaseline();
    cycle.RefreshPowerStatus();
    for (auto _ : state) {
        cycle.RefreshPowerStatus();
    }
}
BENCHMARK(RefreshUnchanged);

void RefreshChanged(benchmark::State& state) {
    QuietWorld w;
    PowerCycle cycle(w, w, w, w, w);
    cycle.ClearBaseline();
    cycle.RefreshPowerStatus();
    for (auto _ : state) {
        w.percent = w.percent == 57 ? 56 : 57;
        w.now %= 80000;
        cycle.RefreshPowerStatus();
    }
}
BENCHMARK(RefreshChanged);

} // namespace

BENCHMARK_MAIN();
