// One run of the power-status cycle against ports that do nothing, with the percent the same
// as last time (the usual tick) and with a new percent (estimate, tooltip and label texts).
#include <benchmark/benchmark.h>

#include "app/power_cycle.h"

namespace {

using namespace corvane::app;
using corvane::Clock;
using corvane::UnixTime;

const AlertOptions kAlerts{true, true, true, "10"};

class QuietWorld : public PowerSource, public Clock, public CycleView, public TrayPort, public SoundPort {
public:
    bool Read(PowerStatus& s) override {
        s.ACLineStatus = 0;
        s.BatteryLifePercent = percent;
        return true;
    }
    std::int32_t SecondsOfDay() override { return now += 30; }
    std::int64_t MonotonicMilliseconds() override { return std::int64_t{now} * 1000; }
    UnixTime UtcNow() override { return 1765000000; }
    std::int64_t LocalOffsetAt(UnixTime) override { return 0; }
    void ShowCharge(std::int32_t v, std::string_view t) override {
        benchmark::DoNotOptimize(v);
        benchmark::DoNotOptimize(t.data());
    }
    void ShowPowerSource(std::string_view t) override { benchmark::DoNotOptimize(t.data()); }
    void ShowTimeLeft(std::string_view t) override { benchmark::DoNotOptimize(t.data()); }
    void ShowPowerStatusError() override {}
    void SetToolTip(std::string_view t) override { benchmark::DoNotOptimize(t.data()); }
    void ShowBalloonTip(std::string_view, std::string_view, std::int32_t, std::int32_t) override {}
    void PlayAlertSound(int) override {}

    std::uint8_t percent = 57;
    std::int32_t now = 0;
};

void RefreshUnchanged(benchmark::State& state) {
    QuietWorld w;
    PowerCycle cycle(w, w, w);
    cycle.ClearBaseline();
    cycle.RefreshPowerStatus(TakeReading(w, w), kAlerts);
    for (auto _ : state) {
        cycle.RefreshPowerStatus(TakeReading(w, w), kAlerts);
    }
}
BENCHMARK(RefreshUnchanged);

void RefreshChanged(benchmark::State& state) {
    QuietWorld w;
    PowerCycle cycle(w, w, w);
    cycle.ClearBaseline();
    cycle.RefreshPowerStatus(TakeReading(w, w), kAlerts);
    for (auto _ : state) {
        w.percent = w.percent == 57 ? 56 : 57;
        w.now %= 80000;
        cycle.RefreshPowerStatus(TakeReading(w, w), kAlerts);
    }
}
BENCHMARK(RefreshChanged);

} // namespace

BENCHMARK_MAIN();
