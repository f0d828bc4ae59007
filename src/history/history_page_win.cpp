#include "history/history_page_win.h"

#include <oleacc.h>

#include <algorithm>

#include "base/com_win.h"
#include "base/file_win.h"
#include "base/shell_open_win.h"
#include "base/system_calls_win.h"

namespace corvane::history {

namespace {

constexpr COLORREF kLineColour = RGB(0, 99, 177);
constexpr COLORREF kAcShade = RGB(208, 236, 208);
constexpr COLORREF kGridColour = RGB(224, 224, 224);
constexpr COLORREF kFrameColour = RGB(160, 160, 160);
constexpr COLORREF kCriticalColour = RGB(200, 0, 0);
constexpr COLORREF kTextColour = RGB(64, 64, 64);

Rect ToRect(RECT r) { return {r.left, r.top, r.right, r.bottom}; }

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

void Place(HWND control, Rect r) {
    ::SetWindowPos(control, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

UtcToLocalOffset OffsetOf(Clock& clock) {
    return [&clock](UnixTime t) { return clock.LocalOffsetAt(t); };
}

SYSTEMTIME SystemTimeOf(const CivilTime& c) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(c.year);
    t.wMonth = static_cast<WORD>(c.month);
    t.wDayOfWeek = static_cast<WORD>(c.weekday);
    t.wDay = static_cast<WORD>(c.day);
    t.wHour = static_cast<WORD>(c.hour);
    t.wMinute = static_cast<WORD>(c.minute);
    return t;
}

} // namespace

std::string LocaleMarkFormat::Weekday(const CivilTime& local) {
    const SYSTEMTIME t = SystemTimeOf(local);
    char text[64] = {};
    std::string day = ::GetDateFormatA(LOCALE_USER_DEFAULT, 0, &t, "ddd", text, sizeof text) ? text : "";
    // Some locales end the short name with a full stop ("Di."); under a mark it is only width.
    if (!day.empty() && day.back() == '.') {
        day.pop_back();
    }
    return day;
}

std::string LocaleMarkFormat::Hour(const CivilTime& local) {
    const SYSTEMTIME t = SystemTimeOf(local);
    // A 12-hour clock says "2 PM", where a 24-hour one says "14:00".
    char itime[4] = {};
    ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ITIME, itime, sizeof itime);
    const DWORD flags = itime[0] == '0' ? TIME_NOMINUTESORSECONDS : TIME_NOSECONDS;
    char text[64] = {};
    return ::GetTimeFormatA(LOCALE_USER_DEFAULT, flags, &t, nullptr, text, sizeof text) ? text : "";
}

int LocaleMarkFormat::Width(std::string_view label) {
    SIZE size{};
    ::GetTextExtentPoint32A(dc_, label.data(), static_cast<int>(label.size()), &size);
    return size.cx;
}

void PaintChart(HDC dc, RECT client, int dpi, HFONT font, const std::vector<ChargeRow>& rows, const ChartLook& look) {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOW));
    const Rect plot = PlotRect(ToRect(client), dpi);
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
        LocaleMarkFormat format(dc);
        for (const ChartMark& mark : ChartMarks(look.range, plot, look.now, look.offset, format)) {
            Line(dc, mark.x, plot.top, mark.x, plot.bottom + (mark.label.empty() ? gap : 2 * gap));
            if (!mark.label.empty()) {
                // A label at either end is moved in rather than cut.
                const int half = format.Width(mark.label) / 2;
                const int x = std::clamp(mark.x, static_cast<int>(client.left + half + 1),
                                         static_cast<int>(std::max(client.right - half - 1, client.left + half + 1)));
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
    if (look.criticalLevel && *look.criticalLevel >= 0 && *look.criticalLevel <= 100) {
        // Dashes exist only for one-pixel pens.
        const UniqueGdiObject dashed(::CreatePen(PS_DASH, 1, kCriticalColour));
        const SelectGuard usePen(dc, dashed.get());
        ::SetBkMode(dc, TRANSPARENT);
        const int y = ChartY(*look.criticalLevel, plot);
        Line(dc, plot.left, y, plot.right, y);
    }
    const ChartLines lines = ChartPoints(rows, look.range, plot, look.now);
    if (!lines.counts.empty()) {
        // Thickened by drawing a one-pixel line again one pixel down and right: the line is made of
        // steps, and a wide pen cost Wine eighteen times as much for a week of rows (13.4 ms to 0.75).
        const UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, kLineColour));
        const SelectGuard usePen(dc, pen.get());
        static_assert(sizeof(ChartPoint) == sizeof(POINT) && sizeof(unsigned long) == sizeof(DWORD));
        POINT origin{};
        for (int k = 0; k < std::max(1, ScaleDesign(2, dpi)); ++k) {
            ::SetViewportOrgEx(dc, k, k, &origin);
            ::PolyPolyline(dc, reinterpret_cast<const POINT*>(lines.points.data()),
                           reinterpret_cast<const DWORD*>(lines.counts.data()), static_cast<DWORD>(lines.counts.size()));
            ::SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
        }
    }
}

bool HistoryChart::Register(HINSTANCE instance) {
    // The chart paints every pixel itself: no background brush.
    return RegisterWindowClass(instance);
}

void HistoryChart::SetLook(ChartRange range, std::optional<int> criticalLevel, int dpi, HFONT font) {
    range_ = range;
    criticalLevel_ = criticalLevel;
    dpi_ = dpi;
    font_ = font;
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT HistoryChart::Handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
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
            const ChartLook look{range_, criticalLevel_, clock_.UtcNow(), OffsetOf(clock_)};
            PaintChart(memory.get(), client, dpi_, font_, rows_.Rows(), look);
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
    default:
        break;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

HistoryPage::HistoryPage(Clock& clock, BatteryQuery batteries)
    : clock_(clock), batteries_(std::move(batteries)), chart_(clock, rows_) {}

HistoryPage::~HistoryPage() {
    hwnd_.reset(); // while every member its messages use is still there
}

bool HistoryPage::Create(HWND parent, HFONT font, int dpi, int firstId, const ChargeLog* log, std::string healthPath) {
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSEXA face{};
    face.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1); // the page shows the tab's face
    if (hwnd_ || !RegisterWindowClass(instance, face) || !HistoryChart::Register(instance)) {
        return false;
    }
    firstId_ = firstId;
    dpi_ = dpi;
    font_ = font;
    log_ = log;
    healthPath_ = std::move(healthPath);
    // A control parent: the dialog manager of the main window tabs through the page's controls.
    hwnd_.reset(::CreateWindowExA(WS_EX_CONTROLPARENT, kClassName, "", WS_CHILD | WS_CLIPCHILDREN, 0, 0, 0, 0, parent,
                                  nullptr, instance, this));
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
        {kChart, HistoryChart::kClassName, "", WS_GROUP, 0},
        {kSentence, "STATIC", "", SS_LEFT | SS_NOPREFIX, 0},
        {kHealth, "EDIT", "", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
        {kRefresh, "BUTTON", "Refresh", BS_PUSHBUTTON | WS_TABSTOP, 0},
    };
    for (const ControlRow& s : rows) {
        controls_[s.offset] = ::CreateWindowExA(s.exStyle, s.cls, s.text, WS_CHILD | WS_VISIBLE | s.style, 0, 0, 0, 0,
                                                hwnd_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstId + s.offset)),
                                                instance, s.offset == kChart ? &chart_ : nullptr);
        if (!controls_[s.offset]) {
            return false;
        }
    }
    ::SendMessageA(Control(kDayOption), BM_SETCHECK, BST_CHECKED, 0);
    SetFont(font);
    return true;
}

void HistoryPage::Layout(RECT area, int dpi) {
    dpi_ = dpi;
    ::SetWindowPos(hwnd_.get(), nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    const HistoryLayout l = LayoutHistory({0, 0, area.right - area.left, area.bottom - area.top}, dpi);
    const Rect places[kControlCount] = {l.dayOption, l.weekOption, l.openLog, l.chart, l.sentence, l.health, l.refresh};
    for (int offset = 0; offset < kControlCount; ++offset) {
        Place(controls_[offset], places[offset]);
    }
    chart_.SetLook(range_, criticalLevel_, dpi_, font_);
}

void HistoryPage::SetFont(HFONT font) {
    font_ = font;
    for (const HWND control : controls_) {
        ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
    chart_.SetLook(range_, criticalLevel_, dpi_, font_);
}

void HistoryPage::Show(bool show) {
    if (show && !loaded_) {
        Load();
    }
    ::ShowWindow(hwnd_.get(), show ? SW_SHOWNA : SW_HIDE);
}

void HistoryPage::Load() {
    loaded_ = true;
    const UnixTime now = clock_.UtcNow();
    if (log_) {
        // Rows before the week are passed over by their text; only the last of them, which holds
        // when the week begins, is read.
        const std::string weekStart = FormatUtcTime(now - ChartRangeSeconds(ChartRange::Week));
        std::string before;
        const auto add = [&](std::string_view line) {
            if (const std::optional<ChargeRow> row = ParseChargeRow(line)) {
                rows_.Add(*row, now);
            }
        };
        ForEachLine(log_->Path(), [&](std::string_view line) {
            if (KeepRule::TextAtOrBefore(line, weekStart)) {
                before.assign(line);
                return;
            }
            if (!before.empty()) {
                add(before);
                before.clear();
            }
            add(line);
        });
        add(before);
    }
    if (reading_ && MakesRow(rows_.Last(), reading_->percent, reading_->ac)) {
        rows_.Add(*reading_, now);
    }
    RefreshHealth();
    Update(false);
}

void HistoryPage::RefreshHealth() {
    const UnixTime now = clock_.UtcNow();
    const std::string today = LocalDate(now, clock_.LocalOffsetAt(now));
    ::SetWindowTextA(Control(kHealth),
                     ReadBatteryHealth(healthPath_, today, batteries_ ? batteries_() : std::vector<BatteryRecord>()).c_str());
}

void HistoryPage::OnReading(int percent, bool ac, UnixTime now) {
    if (!MakesRow(reading_, percent, ac)) {
        // Nothing new to draw, unless logging paused or went on again since the last look.
        if (loaded_ && log_ && log_->Paused() != shownPaused_) {
            Update(false);
        }
        return;
    }
    reading_ = ChargeRow{now, percent, ac};
    if (!loaded_) {
        return; // before the first showing the log on disk is the record: nothing else is kept
    }
    if (MakesRow(rows_.Last(), percent, ac)) {
        rows_.Add(*reading_, clock_.UtcNow());
    }
    Update(::IsWindowVisible(hwnd_.get()) != FALSE);
}

void HistoryPage::SetCriticalLevel(std::optional<int> percent) {
    criticalLevel_ = percent;
    chart_.SetLook(range_, criticalLevel_, dpi_, font_);
}

void HistoryPage::Update(bool redraw) {
    sentence_ = ChartSentence(rows_.Rows(), range_, clock_.UtcNow(), OffsetOf(clock_));
    shownPaused_ = log_ && log_->Paused();
    std::string label = sentence_;
    if (shownPaused_) {
        label += "\r\n" + log_->Problem();
    }
    ::SetWindowTextA(Control(kSentence), label.c_str());
    // The chart's text is its accessible name.
    ::SetWindowTextA(Control(kChart), sentence_.c_str());
    if (redraw) {
        chart_.SetLook(range_, criticalLevel_, dpi_, font_);
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
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace corvane::history
