// Under Wine: what the History tab costs.
//   history_bench paint          drawing a week of 4,000 rows, a paint on average
//   history_bench load LOG       opening a charge log at start (its prune) and the tab's first
//                                showing (the log streamed), each with its time and the process's
//                                peak working set and private bytes before and after
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/main_layout_win.h"
#include "base/clock_win.h"
#include "base/file_win.h"
#include "base/handles_win.h"
#include "history/history_page_win.h"

namespace {

using namespace corvane;
using namespace corvane::history;

double Milliseconds(LARGE_INTEGER from) {
    LARGE_INTEGER frequency{}, now{};
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Start() {
    LARGE_INTEGER t{};
    ::QueryPerformanceCounter(&t);
    return t;
}

PROCESS_MEMORY_COUNTERS Memory() {
    PROCESS_MEMORY_COUNTERS m{};
    m.cb = sizeof m;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &m, sizeof m);
    return m;
}

void Report(const char* what, LARGE_INTEGER began, const PROCESS_MEMORY_COUNTERS& before) {
    const double ms = Milliseconds(began);
    const PROCESS_MEMORY_COUNTERS after = Memory();
    const auto mb = [](SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); };
    std::printf("%-28s %9.1f ms   peak working set %6.1f MB (%6.1f before)   peak private %6.1f MB (%6.1f before)\n",
                what, ms, mb(after.PeakWorkingSetSize), mb(before.PeakWorkingSetSize), mb(after.PeakPagefileUsage),
                mb(before.PeakPagefileUsage));
}

int Paint() {
    const UnixTime now = 1796754000;
    std::vector<ChargeRow> rows;
    for (int i = 0; i < 4000; ++i) { // a change every 2.5 minutes for a week
        rows.push_back({now - 7 * 86400 + i * 151, 20 + (i % 160 < 80 ? i % 80 : 80 - i % 80), (i / 160) % 2 == 0});
    }
    const UniqueGdiObject font = app::MakeUiFont(96);
    const WindowDc screen(nullptr);
    const UniqueMemDc memory(::CreateCompatibleDC(screen.get()));
    const UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), 384, 130));
    const SelectGuard use(memory.get(), bitmap.get());
    const ChartLook look{ChartRange::Week, 10, now, [](UnixTime) { return std::int64_t{0}; }};
    constexpr int kRepeats = 20;
    const LARGE_INTEGER began = Start();
    for (int i = 0; i < kRepeats; ++i) {
        PaintChart(memory.get(), {0, 0, 384, 130}, 96, static_cast<HFONT>(font.get()), rows, look);
    }
    const double ms = Milliseconds(began) / kRepeats;
    std::printf("A week of %zu rows: %.3f ms a paint, %.2f us a row\n", rows.size(), ms,
                ms * 1000 / static_cast<double>(rows.size()));
    return 0;
}

int Load(const std::string& path) {
    SystemClock clock;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    std::printf("%s: %.1f MB\n", path.c_str(),
                static_cast<double>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow) /
                    (1024.0 * 1024.0));
    // The floor: the file read line by line, nothing done with the lines.
    std::size_t lines = 0;
    PROCESS_MEMORY_COUNTERS before = Memory();
    LARGE_INTEGER began = Start();
    ForEachLine(path, [&lines](std::string_view) { ++lines; });
    Report("Lines read, no more", began, before);
    ChargeLog log;
    before = Memory();
    began = Start();
    log.Open(path, clock.UtcNow());
    Report("Start (the log pruned)", began, before);

    const UniqueWindow host(::CreateWindowExA(0, "STATIC", "History", WS_POPUP, 0, 0, 384, 250, nullptr, nullptr,
                                              nullptr, nullptr));
    const UniqueGdiObject font = app::MakeUiFont(96);
    HistoryPage page(clock, [] { return std::vector<BatteryRecord>(); });
    page.Create(host.get(), static_cast<HFONT>(font.get()), 96, 1000, &log, path + ".health.csv");
    page.Layout({0, 0, 384, 250}, 96);
    before = Memory();
    began = Start();
    page.Show(true);
    Report("The tab's first showing", began, before);
    std::printf("%s\n", page.Sentence().c_str());
    ::DeleteFileA((path + ".health.csv").c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "paint") == 0) {
        return Paint();
    }
    if (argc >= 3 && std::strcmp(argv[1], "load") == 0) {
        return Load(argv[2]);
    }
    std::fprintf(stderr, "usage: history_bench paint | history_bench load ChargeLog.csv\n");
    return 2;
}
