#pragma once
// The History tab's page as one component: a child window of its own placed over the tab's page
// area, holding the chart, the two range options, the sentence, "Open Log", the battery's health
// and "Refresh". It handles its own controls' commands; its owner only places, shows and feeds it.
//
// Use: construct with the program's clock and the battery query; Create once; Layout and SetFont
// at start and on every DPI change; Show(true) when the tab is selected and Show(false)
// otherwise; OnReading on every tick after ChargeLog::Record; SetCriticalLevel whenever the
// critical level changes. The log is read (a piece at a time, keeping what the week needs) and
// the batteries asked only when the page is first shown.
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "base/clock.h"
#include "base/handles_win.h"
#include "base/window_base_win.h"
#include "history/battery_health_win.h"
#include "history/charge_log_win.h"
#include "history/history_chart.h"

namespace corvane::history {

// What the chart shows, apart from the rows.
struct ChartLook {
    ChartRange range = ChartRange::Day;
    std::optional<int> criticalLevel; // 0..100 draws the dashed line
    UnixTime now = 0;
    UtcToLocalOffset offset;
};

// The marks' days and hours as the user's locale writes them ("Di", "14:00"; "Tue", "2 PM"),
// measured in the font selected into `dc`.
class LocaleMarkFormat final : public MarkFormat {
public:
    explicit LocaleMarkFormat(HDC dc) noexcept : dc_(dc) {}
    std::string Weekday(const CivilTime& local) override;
    std::string Hour(const CivilTime& local) override;
    int Width(std::string_view label) override;

private:
    HDC dc_;
};

// Draws the chart into `dc` over `client` at a DPI, labels in `font`. Used by the chart control
// (double-buffered) and by the benchmark.
void PaintChart(HDC dc, RECT client, int dpi, HFONT font, const std::vector<ChargeRow>& rows, const ChartLook& look);

// The chart control: draws what its page keeps, its text (the sentence) its accessible name.
class HistoryChart final : public WindowClass<HistoryChart> {
public:
    static constexpr const char* kClassName = "CorvaneHistoryChart";

    HistoryChart(Clock& clock, const ChartRows& rows) noexcept : clock_(clock), rows_(rows) {}
    static bool Register(HINSTANCE instance);
    // The window, once the page has created it with this object as its parameter.
    HWND Window() const noexcept { return hwnd_; }
    void SetLook(ChartRange range, std::optional<int> criticalLevel, int dpi, HFONT font);

private:
    friend class WindowClass<HistoryChart>;
    static HistoryChart* Attach(HWND hwnd, const CREATESTRUCTA& cs) noexcept {
        auto* self = static_cast<HistoryChart*>(cs.lpCreateParams);
        self->hwnd_ = hwnd;
        return self;
    }
    static void Detach(HistoryChart* self, HWND) noexcept { self->hwnd_ = nullptr; }
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    Clock& clock_;
    const ChartRows& rows_;
    HWND hwnd_ = nullptr; // a child of the page, destroyed with it
    ChartRange range_ = ChartRange::Day;
    std::optional<int> criticalLevel_;
    int dpi_ = 96;
    HFONT font_ = nullptr;
};

class HistoryPage final : public WindowClass<HistoryPage> {
public:
    // The control ids, firstId + these.
    enum ControlOffset : int { kDayOption, kWeekOption, kOpenLog, kChart, kSentence, kHealth, kRefresh, kControlCount };
    static constexpr const char* kClassName = "CorvaneHistoryPage";

    // `clock` stamps what the page reads and draws by; `batteries` is asked for the health text.
    HistoryPage(Clock& clock, BatteryQuery batteries);
    HistoryPage(const HistoryPage&) = delete;
    HistoryPage& operator=(const HistoryPage&) = delete;
    ~HistoryPage();

    // Creates the page, hidden, as a child of `parent`. `log` is the program's charge log (its
    // path and whether it is paused); BatteryHealth.csv is kept at `healthPath`.
    bool Create(HWND parent, HFONT font, int dpi, int firstId, const ChargeLog* log, std::string healthPath);
    // Places the page over `area` (parent's client coordinates) and its controls for the DPI.
    void Layout(RECT area, int dpi);
    void SetFont(HFONT font);
    void Show(bool show);
    // A tick's reading, taken at `now` (UTC): kept when it makes a row, and drawn if shown.
    void OnReading(int percent, bool ac, UnixTime now);
    // The level the critical alert uses; none draws no line.
    void SetCriticalLevel(std::optional<int> percent);

    HWND Window() const noexcept { return hwnd_.get(); }
    HWND Control(ControlOffset offset) const noexcept { return controls_[offset]; }
    const std::string& Sentence() const noexcept { return sentence_; }

private:
    friend class WindowClass<HistoryPage>;
    // Destroyed with its parent: the handle is no longer ours to destroy.
    static void Detach(HistoryPage* self, HWND) noexcept {
        self->hwnd_.release();
        self->controls_.fill(nullptr);
    }
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Load();
    void RefreshHealth();
    void Update(bool redraw);

    Clock& clock_;
    BatteryQuery batteries_;
    int firstId_ = 0;
    int dpi_ = 96;
    HFONT font_ = nullptr;
    const ChargeLog* log_ = nullptr;
    std::string healthPath_;
    bool loaded_ = false;
    bool shownPaused_ = false;
    ChartRange range_ = ChartRange::Day;
    std::optional<int> criticalLevel_;
    // This run's latest reading, kept before the first showing too: the log may lack it.
    std::optional<ChargeRow> reading_;
    ChartRows rows_;
    std::string sentence_;
    HistoryChart chart_;
    std::array<HWND, kControlCount> controls_{}; // children of the page, destroyed with it
    UniqueWindow hwnd_;
};

} // namespace corvane::history
