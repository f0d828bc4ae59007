#include <gtest/gtest.h>

#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "history/battery_health_win.h"
#include "history/charge_log_win.h"
#include "history/history_page_win.h"
#include "app/main_layout_win.h"
#include "base/shell_open_win.h"
#include "base/handles_win.h"

namespace corvane::history {
namespace {

constexpr UnixTime kNow = 1796754000; // 2026-12-08T18:20:00Z
constexpr UnixTime kMinute = 60;
UnixTime FixedNow() { return kNow; }
std::int64_t Utc(UnixTime) { return 0; }

// A folder of the test's own, removed with what is in it.
class TempFolder {
public:
    TempFolder() {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        path_ = std::string(temp) + "corvane_history_" + std::to_string(::GetCurrentProcessId());
        ::CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TempFolder() {
        for (const char* name : {"ChargeLog.csv", "BatteryHealth.csv"}) {
            ::DeleteFileA(File(name).c_str());
        }
        ::RemoveDirectoryA(path_.c_str());
    }
    std::string File(const char* name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void WriteFile(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

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
    TempFolder folder;
    WriteFile(folder.File("ChargeLog.csv"), ChargeLogText(ADayOfRows()));
    ChargeLog log;
    log.Open(folder.File("ChargeLog.csv"), kNow);

    const RECT area{0, 0, ScaleDesign(384, dpi), ScaleDesign(250, dpi)};
    UniqueWindow host(::CreateWindowExA(0, "STATIC", "History", WS_POPUP | WS_VISIBLE, 0, 0, area.right, area.bottom,
                                        nullptr, nullptr, nullptr, nullptr));
    const UniqueGdiObject font = app::MakeUiFont(dpi);
    HistoryPage page;
    page.SetClock(&FixedNow, &Utc);
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
}

INSTANTIATE_TEST_SUITE_P(Dpi, HistoryPageAtDpi, testing::Values(96, 144));

TEST(ChargeLogFile, AppendsChangesOnlyAndPrunesAtStartForReal) {
    TempFolder folder;
    const std::string path = folder.File("ChargeLog.csv");
    const ChargeRow old{kNow - kChargeLogKeepSeconds - 1, 40, false}, kept{kNow - 60 * kMinute, 50, true};
    WriteFile(path, ChargeLogText({old, kept}) + "2026-12-08T17:2");
    ChargeLog log;
    log.Open(path, kNow);
    EXPECT_EQ(ReadWholeFile(path), ChargeLogText({kept}));

    const struct {
        int percent;
        bool ac;
        bool row;
    } ticks[] = {{57, false, true}, {57, false, false}, {255, false, false}, {56, false, true}, {56, true, true}};
    UnixTime t = kNow;
    for (const auto& tick : ticks) {
        EXPECT_EQ(log.Record(tick.percent, tick.ac, t += 2), tick.row) << tick.percent;
    }
    EXPECT_EQ(ReadWholeFile(path), ChargeLogText({kept, {kNow + 2, 57, false}, {kNow + 8, 56, false}, {kNow + 10, 56, true}}));
    EXPECT_FALSE(log.Paused());

    // A new, empty file gets its header with the first row.
    ::DeleteFileA(path.c_str());
    ChargeLog fresh;
    fresh.Open(path, kNow);
    EXPECT_TRUE(fresh.Record(80, true, kNow));
    EXPECT_EQ(ReadWholeFile(path), ChargeLogText({{kNow, 80, true}}));
}

// Start reads the log a piece at a time: rows across the pieces' edges, a line longer than a
// piece, a missing header.
TEST(ChargeLogFile, StartReadsTheLogInPiecesAndKeepsWhatIsWhole) {
    std::vector<ChargeRow> month;
    for (int i = 0; i < 500; ++i) {
        month.push_back({kNow - kChargeLogKeepSeconds + 3600 + i * 60, i % 101, i % 2 == 1});
    }
    const ChargeRow kept{kNow - 60, 49, false};
    std::vector<ChargeRow> withOld = month;
    withOld.insert(withOld.begin(), {kNow - kChargeLogKeepSeconds - 1, 40, false});
    const std::pair<std::string, std::vector<ChargeRow>> cases[] = {
        {ChargeLogText(withOld), month},
        {ChargeLogText({kept}) + std::string(9000, 'x') + "\r\n" + ChargeRowLine(kept), {kept, kept}},
        {ChargeRowLine(kept), {kept}},
        {ChargeLogText(month), month},
    };
    for (const auto& [text, after] : cases) {
        TempFolder folder;
        WriteFile(folder.File("ChargeLog.csv"), text);
        ChargeLog log;
        log.Open(folder.File("ChargeLog.csv"), kNow);
        EXPECT_EQ(ReadWholeFile(folder.File("ChargeLog.csv")), ChargeLogText(after)) << text.substr(0, 40);
    }
}

TEST(ChargeLogFile, AWriteThatFailsPausesLoggingWithOneLineOfReason) {
    TempFolder folder;
    const std::string gone = folder.File("gone");
    ASSERT_TRUE(::CreateDirectoryA(gone.c_str(), nullptr));
    ChargeLog log;
    log.Open(gone + "\\ChargeLog.csv", kNow);
    EXPECT_FALSE(log.Paused());
    ASSERT_TRUE(::RemoveDirectoryA(gone.c_str())); // the folder went away while Corvane ran
    EXPECT_FALSE(log.Record(57, false, kNow));
    EXPECT_TRUE(log.Paused());
    EXPECT_EQ(log.Problem().rfind("Logging paused: ChargeLog.csv could not be written (", 0), 0u) << log.Problem();
    EXPECT_EQ(log.Problem().find('\n'), std::string::npos);
    EXPECT_FALSE(log.Record(56, false, kNow + 2)); // paused: no further attempt, no box
}

BATTERY_INFORMATION Info(ULONG capabilities, ULONG design, ULONG full, ULONG cycles) {
    BATTERY_INFORMATION info{};
    info.Capabilities = capabilities;
    info.DesignedCapacity = design;
    info.FullChargedCapacity = full;
    info.CycleCount = cycles;
    return info;
}

TEST(BatteryHealthSeam, TwoBatteriesInWordsAndTheirDailyRow) {
    TempFolder folder;
    const std::string csv = folder.File("BatteryHealth.csv");
    WriteFile(csv, std::string(kBatteryHealthHeader) + "\r\n2026-06-02,1,57000,51900,120\r\n");
    const BatteryInformationOverride batteries(
        {Info(BATTERY_SYSTEM_BATTERY, 57000, 49800, 312), Info(BATTERY_CAPACITY_RELATIVE, 100, 90, 0)});
    const std::string expected =
        "Battery 1\r\nDesign capacity: 57,000 mWh\r\nFull charge capacity: 49,800 mWh (87% of design)\r\n"
        "Charge cycles: 312\r\nBattery 2\r\nDesign capacity: not reported\r\nFull charge capacity: not reported\r\n"
        "Charge cycles: not reported\r\nBattery 1: Full charge capacity fell 4% since 2026-06-02.\r\n";
    EXPECT_EQ(ReadBatteryHealth(csv, kNow), expected);
    EXPECT_EQ(ReadBatteryHealth(csv, kNow), expected); // the same day: no second row
    EXPECT_EQ(ReadHealthRows(ReadWholeFile(csv).value_or("")),
              (std::vector<HealthRow>{{"2026-06-02", 1, 57000, 51900, 120}, {LocalDate(kNow), 1, 57000, 49800, 312}}));
}

TEST(HistoryChartCost, AWeekOfRowsDrawsWellUnderAFrame) {
    std::vector<ChargeRow> rows;
    for (int i = 0; i < 4000; ++i) { // a change every 2.5 minutes for a week
        rows.push_back({kNow - 7 * 86400 + i * 151, 20 + (i % 160 < 80 ? i % 80 : 80 - i % 80), (i / 160) % 2 == 0});
    }
    const UniqueGdiObject font = app::MakeUiFont(96);
    const WindowDc screen(nullptr);
    const UniqueMemDc memory(::CreateCompatibleDC(screen.get()));
    const UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), 384, 130));
    const SelectGuard use(memory.get(), bitmap.get());
    const ChartLook look{ChartRange::Week, 10, kNow, &Utc};
    LARGE_INTEGER frequency{}, start{}, end{};
    ::QueryPerformanceFrequency(&frequency);
    constexpr int kRepeats = 20;
    ::QueryPerformanceCounter(&start);
    for (int i = 0; i < kRepeats; ++i) {
        PaintChart(memory.get(), {0, 0, 384, 130}, 96, static_cast<HFONT>(font.get()), rows, look);
    }
    ::QueryPerformanceCounter(&end);
    const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart) / kRepeats;
    std::printf("A week of %zu rows: %.3f ms a paint, %.2f us a row\n", rows.size(), ms, ms * 1000 / static_cast<double>(rows.size()));
    EXPECT_LT(ms, 16.0);
}

} // namespace
} // namespace corvane::history
