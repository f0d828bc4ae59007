#pragma once
// The History tab's page as one component: a child window of its own placed over the tab's page
// area, holding the chart, the two range options, the sentence, "Open Log", the battery's health
// and "Refresh". It handles its own controls' commands; its owner only places, shows and feeds it.
//
// Use: Create once; Layout and SetFont at start and on every DPI change; Show(true) when the tab
// is selected and Show(false) otherwise; OnReading on every tick after ChargeLog::Record;
// SetCriticalLevel whenever the critical level changes. The log is read and the batteries asked
// only when the page is first shown.
#include <windows.h>

#include <string>
#include <vector>

#include "history/charge_log_win.h"
#include "history/history_chart.h"

namespace corvane::history {

// What the chart shows, apart from the rows.
struct ChartLook {
    ChartRange range = ChartRange::Day;
    int criticalLevel = 0; // 1..100 draws the dashed line
    UnixTime now = 0;
    UtcToLocalOffset offset;
};

// Draws the chart into `dc` over `client` at a DPI, labels in `font`. Used by the chart control
// (double-buffered) and by the benchmark.
void PaintChart(HDC dc, RECT client, int dpi, HFONT font, const std::vector<ChargeRow>& rows, const ChartLook& look);

class HistoryPage {
public:
    // The control ids, firstId + these.
    enum ControlOffset : int { kDayOption, kWeekOption, kOpenLog, kChart, kSentence, kHealth, kRefresh, kControlCount };
    static constexpr const char* kClassName = "CorvaneHistoryPage";

    HistoryPage() = default;
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
    // A tick's reading: kept when it makes a row, and drawn if the page is shown.
    void OnReading(int percent, bool ac, UnixTime now);
    void SetCriticalLevel(int percent);

    HWND Window() const noexcept { return hwnd_; }
    HWND Control(ControlOffset offset) const noexcept;
    const std::string& Sentence() const noexcept { return sentence_; }
    // For tests: the clock and the local offset the page uses instead of the system's.
    void SetClock(UnixTime (*now)(), std::int64_t (*offset)(UnixTime));

    // The window procedures' entry points.
    LRESULT Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleChart(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void Load();
    void RefreshHealth();
    void Update(bool redraw);
    ChartLook Look() const;

    HWND hwnd_ = nullptr;
    int firstId_ = 0;
    int dpi_ = 96;
    HFONT font_ = nullptr;
    const ChargeLog* log_ = nullptr;
    std::string healthPath_;
    bool loaded_ = false;
    ChartRange range_ = ChartRange::Day;
    int criticalLevel_ = 0;
    std::vector<ChargeRow> rows_;
    std::string sentence_;
    UnixTime (*now_)() = &UtcNow;
    std::int64_t (*offset_)(UnixTime) = &LocalOffsetAt;
};

} // namespace corvane::history
