#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/main_layout_win.h"
#include "base/dpi_win.h"
#include "base/handles_win.h"
#include "base/shell_open_win.h"
#include "history/battery_health_win.h"
#include "history/charge_log_win.h"
#include "history/history_page_win.h"
#include "support/dialog_driver_win.h"

namespace corvane::history {
namespace {

constexpr UnixTime kNow = 1796754000; // 2026-12-08T18:20:00Z
constexpr UnixTime kMinute = 60;

// A clock that stands where the test puts it, in UTC.
class TestClock final : public Clock {
public:
    UnixTime UtcNow() override { return now; }
    std::int64_t LocalOffsetAt(UnixTime) override { return 0; }
    std::int32_t SecondsOfDay() override { return static_cast<std::int32_t>(now % 86400); }
    std::int64_t MonotonicMilliseconds() override { return now * 1000; }
    UnixTime now = kNow;
};

std::string Text(HWND hwnd) {
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A day as a laptop lives it: down to 50%, charged to 95%, down to 18% at 14:19, charged to
// 57%, unplugged at 16:20.
std::vector<ChargeRow> ADayOfRows() {
    std::vector<ChargeRow> rows;
    for (int k = 0; k <= 40; ++k) {
        rows.push_back({kNow - 24 * 60 * kMinute + 12 * k * kMinute, 90 - k, false});
    }
    for (int k = 0; k <= 45; ++k) {
        rows.push_back({kNow - 16 * 60 * kMinute + 4 * k * kMinute, 50 + k, true});
    }
    for (int k = 0; k <= 77; ++k) {
        rows.push_back({kNow - 13 * 60 * kMinute + 7 * k * kMinute, 95 - k, false});
    }
    for (int k = 0; k <= 39; ++k) {
        rows.push_back({kNow - 4 * 60 * kMinute + 3 * k * kMinute, 18 + k, true});
    }
    rows.push_back({kNow - 2 * 60 * kMinute, 57, false});
    return rows;
}

// The window's pixels, as a person would see them, to a BMP file.
void SaveShot(HWND hwnd, const std::string& path) {
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const WindowDc screen(hwnd);
    const UniqueBitmap dib(::CreateDIBSection(screen.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    const UniqueMemDc memory(::CreateCompatibleDC(screen.get()));
    {
        const SelectGuard use(memory.get(), dib.get());
        ::BitBlt(memory.get(), 0, 0, w, h, screen.get(), 0, 0, SRCCOPY);
    }
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < w * h; ++i) {
        pixels[i] |= 0xFF000000u;
    }
    BITMAPFILEHEADER fh{0x4D42, static_cast<DWORD>(sizeof fh + sizeof bi.bmiHeader + 4u * w * h), 0, 0,
                        sizeof fh + sizeof bi.bmiHeader};
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
    std::fwrite(bits, 4, static_cast<std::size_t>(w) * h, f);
    std::fclose(f);
}

void Pump() {
    MSG m;
    while (::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageA(&m);
    }
}

class HistoryPageAtDpi : public testing::TestWithParam<int> {};

TEST_P(HistoryPageAtDpi, ShowsADayOfRowsInWordsAndEveryControlWhole) {
    const int dpi = GetParam();
    test::TempDir folder;
    test::WriteWholeFile(folder.File("ChargeLog.csv"), ChargeLogText(ADayOfRows()));
    ChargeLog log;
    log.Open(folder.File("ChargeLog.csv"), kNow);

    const RECT area{0, 0, ScaleDesign(384, dpi), ScaleDesign(250, dpi)};
    UniqueWindow host(::CreateWindowExA(0, "STATIC", "History", WS_POPUP | WS_VISIBLE, 0, 0, area.right, area.bottom,
                                        nullptr, nullptr, nullptr, nullptr));
    const UniqueGdiObject font = app::MakeUiFont(dpi);
    TestClock clock;
    HistoryPage page(clock, &QueryBatteries);
    ASSERT_TRUE(page.Create(host.get(), static_cast<HFONT>(font.get()), dpi, 1000, &log, folder.File("BatteryHealth.csv")));
    page.SetCriticalLevel(20);
    page.Layout(area, dpi);
    EXPECT_EQ(page.Sentence(), ""); // nothing is read before the tab is first shown
    page.Show(true);
    EXPECT_NE(::GetModuleHandleA("setupapi.dll"), nullptr); // the batteries were asked, for real
    Pump();

    const std::string day = "Last 24 hours: lowest 18% at 14:19, twice on AC power, now 57%.";
    EXPECT_EQ(Text(page.Control(HistoryPage::kSentence)), day);
    // Wine has no battery device: the real enumeration finds none.
    EXPECT_EQ(Text(page.Control(HistoryPage::kHealth)), "This computer does not report its battery's capacity.\r\n");

    IAccessible* accessible = nullptr;
    ASSERT_HRESULT_SUCCEEDED(::AccessibleObjectFromWindow(page.Control(HistoryPage::kChart),
                                                          static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                          reinterpret_cast<void**>(&accessible)));
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    EXPECT_EQ(accessible->get_accName(self, &name), S_OK);
    EXPECT_EQ(name ? std::wstring(name) : L"", std::wstring(day.begin(), day.end()));
    ::SysFreeString(name);
    accessible->Release();

    // Every control inside the page, and every caption within its control.
    RECT page_rect{};
    ::GetClientRect(page.Window(), &page_rect);
    const WindowDc dc(page.Window());
    const SelectGuard useFont(dc.get(), font.get());
    for (int i = 0; i < HistoryPage::kControlCount; ++i) {
        const HWND control = page.Control(static_cast<HistoryPage::ControlOffset>(i));
        RECT r{};
        ::GetWindowRect(control, &r);
        ::MapWindowPoints(nullptr, page.Window(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= page_rect.right && r.bottom <= page_rect.bottom) << i;
        if (i == HistoryPage::kDayOption || i == HistoryPage::kWeekOption || i == HistoryPage::kOpenLog ||
            i == HistoryPage::kRefresh) {
            const std::string caption = Text(control);
            SIZE size{};
            ::GetTextExtentPoint32A(dc.get(), caption.c_str(), static_cast<int>(caption.size()), &size);
            const int box = i == HistoryPage::kDayOption || i == HistoryPage::kWeekOption ? ScaleDesign(18, dpi) : ScaleDesign(8, dpi);
            EXPECT_LE(size.cx + box, r.right - r.left) << caption;
        }
    }

    if (const char* shots = std::getenv("CORVANE_SHOT_DIR")) {
        ::RedrawWindow(host.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SaveShot(host.get(), std::string(shots) + "\\history_" + std::to_string(dpi) + ".bmp");
    }

    // The week, and a reading that makes a row while shown.
    ::SendMessageA(page.Control(HistoryPage::kWeekOption), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(page.Control(HistoryPage::kSentence)), "Last 7 days: lowest 18% on Tue 14:19, twice on AC power, now 57%.");
    if (const char* shots = std::getenv("CORVANE_SHOT_DIR")) {
        ::RedrawWindow(host.get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        SaveShot(host.get(), std::string(shots) + "\\history_week_" + std::to_string(dpi) + ".bmp");
    }
    page.OnReading(57, false, kNow - kMinute);
    EXPECT_EQ(page.Sentence(), "Last 7 days: lowest 18% on Tue 14:19, twice on AC power, now 57%.");
    page.OnReading(12, false, kNow - kMinute);
    EXPECT_EQ(page.Sentence(), "Last 7 days: lowest 12% on Tue 18:19, twice on AC power, now 12%.");
    EXPECT_EQ(Text(page.Control(HistoryPage::kChart)), page.Sentence());

    ShellOpenInterceptor shell;
    ::SendMessageA(page.Control(HistoryPage::kOpenLog), BM_CLICK, 0, 0);
    ASSERT_EQ(shell.Calls().size(), 1u);
    EXPECT_EQ(shell.Calls()[0].file, folder.File("ChargeLog.csv"));

    // The log held by the spreadsheet it was opened in: the line under the chart says logging
    // paused while it lasts.
    UniqueFile held(::CreateFileA(folder.File("ChargeLog.csv").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    for (const int percent : {11, 10, 9}) {
        log.Record(percent, false, kNow);
        page.OnReading(percent, false, kNow);
    }
    EXPECT_NE(Text(page.Control(HistoryPage::kSentence)).find("\r\nLogging paused: ChargeLog.csv could not be written"),
              std::string::npos);
    held.reset();
    log.Record(9, false, kNow + kMinute);
    page.OnReading(9, false, kNow + kMinute);
    EXPECT_EQ(Text(page.Control(HistoryPage::kSentence)), page.Sentence());
}

INSTANTIATE_TEST_SUITE_P(Dpi, HistoryPageAtDpi, testing::Values(96, 144));

} // namespace
} // namespace corvane::history

namespace corvane::history {
namespace {

// The chart's marks as the user's locale writes them. Wine takes the locale from LANG at the
// start of a process, so chart_marks_locale.sh runs this once a locale, with what it expects
// in CORVANE_EXPECT_MARKS ("Di|14:00"); in a plain run there is nothing to compare with.
TEST(HistoryChartMarks, AreWrittenInTheUserLocale) {
    const char* expected = std::getenv("CORVANE_EXPECT_MARKS");
    if (!expected) {
        GTEST_SKIP() << "run by chart_marks_locale.sh with a locale";
    }
    const WindowDc screen(nullptr);
    LocaleMarkFormat format(screen.get());
    const CivilTime tuesday{2026, 12, 8, 14, 0, 0, 2};
    EXPECT_EQ(format.Weekday(tuesday) + "|" + format.Hour(tuesday), expected) << "LANG=" << std::getenv("LANG");
    // Fitted as the English ones are: every 6 hours, a label each day.
    std::vector<std::string> labels;
    for (const ChartMark& m : ChartMarks(ChartRange::Day, {0, 0, 342, 100}, kNow, [](UnixTime) { return 0; }, format)) {
        if (!m.label.empty()) {
            labels.push_back(m.label);
        }
    }
    EXPECT_EQ(labels.size(), 4u);
}

} // namespace
} // namespace corvane::history
