#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "base/file_win.h"
#include "base/handles_win.h"
#include "history/charge_log_win.h"
#include "support/dialog_driver_win.h"

namespace corvane::history {
namespace {

constexpr UnixTime kNow = 1796754000; // 2026-12-08T18:20:00Z
constexpr UnixTime kMinute = 60;

using test::ReadWholeFile;
using test::WriteWholeFile;

// The file held open as a spreadsheet holds it: read, and no one else may write.
UniqueFile HoldWithoutWriteSharing(const std::string& path) {
    return UniqueFile(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST(ChargeLogFile, AppendsChangesOnlyAndPrunesAtStartAndDaily) {
    test::TempDir folder;
    const std::string path = folder.File("ChargeLog.csv");
    const ChargeRow old{kNow - kChargeLogKeepSeconds - 1, 40, false}, kept{kNow - 60 * kMinute, 50, true};
    const ChargeRow ahead{kNow + 3600, 99, true}; // another system's clock, an hour ahead
    WriteWholeFile(path, ChargeLogText({old, ahead, kept}) + "2026-12-08T17:2");
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
    const std::vector<ChargeRow> written{kept, {kNow + 2, 57, false}, {kNow + 8, 56, false}, {kNow + 10, 56, true}};
    EXPECT_EQ(ReadWholeFile(path), ChargeLogText(written));
    EXPECT_FALSE(log.Paused());

    // A month and a day on, while running: the next reading prunes first.
    const UnixTime later = kNow + kChargeLogKeepSeconds + 86400;
    EXPECT_TRUE(log.Record(55, true, later));
    EXPECT_EQ(ReadWholeFile(path), ChargeLogText({{later, 55, true}}));

    // A new, empty file gets its header with the first row; a cut line left by a crash is ended first.
    ::DeleteFileA(path.c_str());
    ChargeLog fresh;
    fresh.Open(path, kNow);
    EXPECT_TRUE(fresh.Record(80, true, kNow));
    EXPECT_EQ(ReadWholeFile(path), ChargeLogText({{kNow, 80, true}}));
    WriteWholeFile(path, ReadWholeFile(path) + "2026-12-08T18:2");
    EXPECT_TRUE(fresh.Record(81, true, kNow + 2));
    EXPECT_EQ(ReadChargeRows(ReadWholeFile(path)), (std::vector<ChargeRow>{{kNow, 80, true}, {kNow + 2, 81, true}}));
}

// Start reads the log a piece at a time: rows across the pieces' edges, a line longer than a
// piece, a missing header.
TEST(ChargeLogFile, StartReadsTheLogInPiecesAndKeepsWhatIsWhole) {
    std::vector<ChargeRow> month;
    for (int i = 0; i < 5000; ++i) {
        month.push_back({kNow - kChargeLogKeepSeconds + 3600 + i * 60, i % 101, i % 2 == 1});
    }
    const ChargeRow kept{kNow - 60, 49, false};
    std::vector<ChargeRow> withOld = month;
    withOld.insert(withOld.begin(), {kNow - kChargeLogKeepSeconds - 1, 40, false});
    const std::pair<std::string, std::vector<ChargeRow>> cases[] = {
        {ChargeLogText(withOld), month},
        {ChargeLogText({kept}) + std::string(70000, 'x') + "\r\n" + ChargeRowLine(kept), {kept, kept}},
        {ChargeRowLine(kept), {kept}},
        {ChargeLogText(month), month},
    };
    for (const auto& [text, after] : cases) {
        test::TempDir folder;
        WriteWholeFile(folder.File("ChargeLog.csv"), text);
        ChargeLog log;
        log.Open(folder.File("ChargeLog.csv"), kNow);
        EXPECT_EQ(ReadWholeFile(folder.File("ChargeLog.csv")), ChargeLogText(after)) << text.substr(0, 40);
    }
}

// A spreadsheet opened with "Open Log" holds the file without write sharing: appends fail and
// are retried; logging pauses after three failures in a row, and goes on by itself once the
// file is let go, with the latest reading.
TEST(ChargeLogFile, AFailedAppendIsRetriedAndLoggingResumesByItself) {
    test::TempDir folder;
    const std::string path = folder.File("ChargeLog.csv");
    ChargeLog log;
    log.Open(path, kNow);
    ASSERT_TRUE(log.Record(57, false, kNow));
    UniqueFile held = HoldWithoutWriteSharing(path);
    ASSERT_TRUE(held);
    const struct {
        UnixTime at;
        int percent;
        bool paused;
    } steps[] = {
        {kNow + 2, 56, false},  // failed once: tried again at the next change
        {kNow + 4, 55, false},  // twice
        {kNow + 6, 54, true},   // three times: paused
        {kNow + 8, 53, true},   // paused: not tried within the minute
    };
    for (const auto& s : steps) {
        EXPECT_FALSE(log.Record(s.percent, false, s.at)) << s.percent;
        EXPECT_EQ(log.Paused(), s.paused) << s.percent;
    }
    EXPECT_EQ(log.Problem().rfind("Logging paused: ChargeLog.csv could not be written (", 0), 0u) << log.Problem();
    EXPECT_EQ(log.Problem().find('\n'), std::string::npos);
    EXPECT_FALSE(log.Record(53, false, kNow + 70)); // tried once a minute, still held
    held.reset();
    EXPECT_FALSE(log.Record(53, false, kNow + 100)); // let go, but the minute is not over
    EXPECT_TRUE(log.Record(53, false, kNow + 131));  // a tick without a change writes the waiting row
    EXPECT_FALSE(log.Paused());
    EXPECT_EQ(log.Problem(), "");
    EXPECT_EQ(ReadWholeFile(path), ChargeLogText({{kNow, 57, false}, {kNow + 8, 53, false}}));
    EXPECT_TRUE(log.Record(52, false, kNow + 133));
}

} // namespace
} // namespace corvane::history
