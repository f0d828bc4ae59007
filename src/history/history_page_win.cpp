#include "history/history_page_win.h"

#include <oleacc.h>

#include <algorithm>

#include "history/battery_health_win.h"
#include "base/shell_open_win.h"
#include "base/com_win.h"
#include "base/dpi_win.h"
#include "base/handles_win.h"
#include "base/system_calls_win.h"

namespace corvane::history {

namespace {

constexpr const char* kChartClassName = "CorvaneHistoryChart";
constexpr COLORREF kLineColour = RGB(0, 99, 177);
constexpr COLORREF kAcShade = RGB(208, 236, 208);
constexpr COLORREF kGridColour = RGB(224, 224, 224);
constexpr COLORREF kFrameColour = RGB(160, 160, 160);
constexpr COLORREF kCriticalColour = RGB(200, 0, 0);
constexpr COLORREF kTextColour = RGB(64, 64, 64);

ChartRect ToChartRect(RECT r) { return {r.left, r.top, r.right, r.bottom}; }

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

void Place(HWND control, ChartRect r) {
    ::SetWindowPos(control, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

HistoryPage* PageOf(HWND hwnd) { return reinterpret_cast<HistoryPage*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    HistoryPage* page = PageOf(hwnd);
    return page ? page->Handle(hwnd, msg, wParam, lParam) : ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ChartProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    HistoryPage* page = PageOf(hwnd);
    return page ? page->HandleChart(hwnd, msg, wParam, lParam) : ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance) {
    for (const auto& [name, proc] : {std::pair{HistoryPage::kClassName, &PageProc}, std::pair{kChartClassName, &ChartProc}}) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        if (::GetClassInfoExA(instance, name, &wc)) {
            continue;
        }
        wc.lpfnWndProc = proc;
        wc.hInstance = instance;
        wc.lpszClassName = name;
        wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        // The page shows the tab's face; the chart paints every pixel itself.
        wc.hbrBackground = name == HistoryPage::kClassName ? reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1) : nullptr;
        if (!::RegisterClassExA(&wc)) {
            return false;
        }
    }
    return true;
}

// Rows older than the longest range, but for the one in force when it starts, are never drawn.
std::vector<ChargeRow> RowsForCharts(std::vector<ChargeRow> rows, UnixTime now) {
    const UnixTime start = now - ChartRangeSeconds(ChartRange::Week);
    const auto firstInside = std::find_if(rows.begin(), rows.end(), [start](const ChargeRow& r) { return r.time > start; });
    if (firstInside - rows.begin() > 1) {
        rows.erase(rows.begin(), firstInside - 1);
    }
    return rows;
}

} // namespace

void PaintChart(HDC dc, RECT client, int dpi, HFONT font, const std::vector<ChargeRow>& rows, const ChartLook& look) {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
    const ChartRect plot = PlotRect(ToChartRect(client), dpi);
    if (plot.Width() <= 0 || plot.Height() <= 0) {
        return;
    }
    {
        const UniqueGdiObject shade(::CreateSolidBrush(kAcShade));
        for (const ChartSpan& span : AcSpans(rows, look.range, plot, look.now)) {
            const RECT r{span.left, plot.top, std::max(span.right, span.left + 1), plot.bottom};
            ::FillRect(dc, &r, static_cast<HBRUSH>(shade.get()));
        }
    }
    const SelectGuard useFont(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kTextColour);
    const int gap = ScaleDesign(3, dpi);
    {
        const UniqueGdiObject grid(::CreatePen(PS_SOLID, 1, kGridColour));
        const SelectGuard usePen(dc, grid.get());
        for (const int percent : {25, 50, 75}) {
            const int y = ChartY(percent, plot);
            Line(dc, plot.left, y, plot.right, y);
        }
        ::SetTextAlign(dc, TA_CENTER | TA_TOP);
        for (const ChartMark& mark : ChartMarks(look.range, plot, look.now, look.offset)) {
            Line(dc, mark.x, plot.top, mark.x, plot.bottom + (mark.label.empty() ? gap : 2 * gap));
            if (!mark.label.empty()) {
                // A label at either end is moved in rather than cut.
                SIZE size{};
                ::GetTextExtentPoint32A(dc, mark.label.c_str(), static_cast<int>(mark.label.size()), &size);
                const int x = std::clamp(mark.x, static_cast<int>(client.left + size.cx / 2 + 1),
                                         static_cast<int>(std::max(client.right - size.cx / 2 - 1, client.left + size.cx / 2 + 1)));
                ::TextOutA(dc, x, plot.bottom + gap, mark.label.c_str(), static_cast<int>(mark.label.size()));
            }
        }
    }
    ::SetTextAlign(dc, TA_RIGHT | TA_TOP);
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    for (const int percent : {0, 50, 100}) {
        const std::string label = std::to_string(percent) + "%";
        const int y = std::clamp(static_cast<int>(ChartY(percent, plot) - tm.tmHeight / 2), static_cast<int>(client.top),
                                 static_cast<int>(client.bottom - tm.tmHeight));
        ::TextOutA(dc, plot.left - gap, y, label.c_str(), static_cast<int>(label.size()));
    }
    {
        const UniqueGdiObject frame(::CreatePen(PS_SOLID, 1, kFrameColour));
        const SelectGuard usePen(dc, frame.get());
        const SelectGuard noFill(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, plot.left, plot.top, plot.right + 1, plot.bottom + 1);
    }
    if (look.criticalLevel > 0 && look.criticalLevel <= 100) {
        // Dashes exist only for one-pixel pens.
        const UniqueGdiObject dashed(::CreatePen(PS_DASH, 1, kCriticalColour));
        const SelectGuard usePen(dc, dashed.get());
        ::SetBkMode(dc, TRANSPARENT);
        const int y = ChartY(look.criticalLevel, plot);
        Line(dc, plot.left, y, plot.right, y);
    }
    const std::vector<ChartPoint> points = ChartPoints(rows, look.range, plot, look.now);
    if (points.size() >= 2) {
        // Thickened by drawing a one-pixel line again one pixel down and right: the line is made of
        // steps, and a wide pen cost Wine eighteen times as much for a week of rows (13.4 ms to 0.75).
        const UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, kLineColour));
        const SelectGuard usePen(dc, pen.get());
        static_assert(sizeof(ChartPoint) == sizeof(POINT));
        POINT origin{};
        for (int k = 0; k < std::max(1, ScaleDesign(2, dpi)); ++k) {
            ::SetViewportOrgEx(dc, k, k, &origin);
            ::Polyline(dc, reinterpret_cast<const POINT*>(points.data()), static_cast<int>(points.size()));
            ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        }
    }
}

HistoryPage::~HistoryPage() {
    if (hwnd_) {
        ::DestroyWindow(hwnd_);
    }
}

bool HistoryPage::Create(HWND parent, HFONT font, int dpi, int firstId, const ChargeLog* log, std::string healthPath) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (hwnd_ || !RegisterClasses(instance)) {
        return false;
    }
    firstId_ = firstId;
    dpi_ = dpi;
    font_ = font;
    log_ = log;
    healthPath_ = std::move(healthPath);
    // A control parent: the dialog manager of the main window tabs through the page's controls.
    hwnd_ = ::CreateWindowExA(WS_EX_CONTROLPARENT, kClassName, "", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                              nullptr, instance, this);
    if (!hwnd_) {
        return false;
    }
    struct ControlRow {
        ControlOffset offset;
        const char* cls;
        const char* text;
        DWORD style;
        DWORD exStyle;
    };
    const ControlRow rows[] = {
        {kDayOption, "BUTTON", ChartRangeName(ChartRange::Day), BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0},
        {kWeekOption, "BUTTON", ChartRangeName(ChartRange::Week), BS_AUTORADIOBUTTON, 0},
        {kOpenLog, "BUTTON", "Open Log", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 0},
        {kChart, kChartClassName, "", WS_GROUP, 0},
        {kSentence, "STATIC", "", SS_LEFT | SS_NOPREFIX, 0},
        {kHealth, "EDIT", "", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
        {kRefresh, "BUTTON", "Refresh", BS_PUSHBUTTON | WS_TABSTOP, 0},
    };
    for (const ControlRow& s : rows) {
        const HWND control = ::CreateWindowExA(s.exStyle, s.cls, s.text, WS_CHILD | WS_VISIBLE | s.style, 0, 0, 0, 0,
                                               hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstId + s.offset)),
                                               instance, s.offset == kChart ? this : nullptr);
        if (!control) {
            return false;
        }
    }
    ::SendMessageA(Control(kDayOption), BM_SETCHECK, BST_CHECKED, 0);
    SetFont(font);
    return true;
}

HWND HistoryPage::Control(ControlOffset offset) const noexcept {
    return hwnd_ ? ::GetDlgItem(hwnd_, firstId_ + offset) : nullptr;
}

void HistoryPage::SetClock(UnixTime (*now)(), std::int64_t (*offset)(UnixTime)) {
    now_ = now;
    offset_ = offset;
}

void HistoryPage::Layout(RECT area, int dpi) {
    dpi_ = dpi;
    ::SetWindowPos(hwnd_, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    const HistoryLayout l = LayoutHistory({0, 0, area.right - area.left, area.bottom - area.top}, dpi);
    Place(Control(kDayOption), l.dayOption);
    Place(Control(kWeekOption), l.weekOption);
    Place(Control(kOpenLog), l.openLog);
    Place(Control(kChart), l.chart);
    Place(Control(kSentence), l.sentence);
    Place(Control(kHealth), l.health);
    Place(Control(kRefresh), l.refresh);
    ::InvalidateRect(Control(kChart), nullptr, FALSE);
}

void HistoryPage::SetFont(HFONT font) {
    font_ = font;
    for (int offset = 0; offset < kControlCount; ++offset) {
        ::SendMessageA(Control(static_cast<ControlOffset>(offset)), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void HistoryPage::Show(bool show) {
    if (show && !loaded_) {
        Load();
    }
    ::ShowWindow(hwnd_, show ? SW_SHOWNA : SW_HIDE);
}

void HistoryPage::Load() {
    loaded_ = true;
    const UnixTime now = now_();
    if (log_) {
        rows_ = RowsForCharts(ReadChargeRows(ReadWholeFile(log_->Path()).value_or(std::string())), now);
    }
    RefreshHealth();
    Update(false);
}

void HistoryPage::RefreshHealth() {
    ::SetWindowTextA(Control(kHealth), ReadBatteryHealth(healthPath_, now_()).c_str());
}

void HistoryPage::OnReading(int percent, bool ac, UnixTime now) {
    // Before the first showing the log on disk is the only record: nothing is kept in memory.
    if (!loaded_ || !MakesRow(rows_.empty() ? std::nullopt : std::optional<ChargeRow>(rows_.back()), percent, ac)) {
        return;
    }
    rows_.push_back({now, percent, ac});
    if (rows_.size() % 256 == 0) {
        rows_ = RowsForCharts(std::move(rows_), now);
    }
    Update(::IsWindowVisible(hwnd_) != FALSE);
}

void HistoryPage::SetCriticalLevel(int percent) {
    criticalLevel_ = percent;
    if (loaded_) {
        ::InvalidateRect(Control(kChart), nullptr, FALSE);
    }
}

ChartLook HistoryPage::Look() const { return {range_, criticalLevel_, now_(), offset_}; }

void HistoryPage::Update(bool redraw) {
    sentence_ = ChartSentence(rows_, range_, now_(), offset_);
    std::string label = sentence_;
    if (log_ && log_->Paused()) {
        label += "\r\n" + log_->Problem();
    }
    ::SetWindowTextA(Control(kSentence), label.c_str());
    // The chart's text is its accessible name.
    ::SetWindowTextA(Control(kChart), sentence_.c_str());
    if (redraw) {
        ::InvalidateRect(Control(kChart), nullptr, FALSE);
    }
}

LRESULT HistoryPage::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (static_cast<int>(LOWORD(wParam)) - firstId_) {
        case kDayOption:
        case kWeekOption: {
            const ChartRange range = LOWORD(wParam) == firstId_ + kDayOption ? ChartRange::Day : ChartRange::Week;
            if (range != range_) {
                range_ = range;
                Update(true);
            }
            return 0;
        }
        case kOpenLog:
            if (log_) {
                ShellOpen(log_->Path(), HandleText(hwnd));
            }
            return 0;
        case kRefresh:
            RefreshHealth();
            return 0;
        default:
            break;
        }
    }
    if (msg == WM_NCDESTROY) {
        hwnd_ = nullptr;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT HistoryPage::HandleChart(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        const PaintDc paint(hwnd);
        RECT client{};
        ::GetClientRect(hwnd, &client);
        // Drawn off screen and copied at once, so the line never flickers over the shading.
        const UniqueMemDc memory(::CreateCompatibleDC(paint.get()));
        const UniqueBitmap bitmap(::CreateCompatibleBitmap(paint.get(), client.right, client.bottom));
        if (memory && bitmap) {
            const SelectGuard useBitmap(memory.get(), bitmap.get());
            PaintChart(memory.get(), client, dpi_, font_, rows_, Look());
            ::BitBlt(paint.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
        }
        return 0;
    }
    case WM_GETOBJECT:
        // The system's client object names the control by its text, which is the sentence.
        if (static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
            JoinComApartment();
            IAccessible* client = nullptr;
            if (SUCCEEDED(sys::CreateStdAccessibleObject(hwnd, OBJID_CLIENT, __uuidof(IAccessible),
                                                         reinterpret_cast<void**>(&client)))) {
                const LRESULT result = sys::LresultFromObject(__uuidof(IAccessible), wParam, client);
                client->Release();
                return result;
            }
        }
        break;
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace corvane::history
