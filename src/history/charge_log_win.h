#pragma once
// ChargeLog.csv on disk, beside AppOpt.ini. Open it once at start (it is pruned then), and hand
// every reading to Record: only a change of percent or power source touches the file.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "history/charge_log.h"

namespace corvane::history {

// The whole file; empty for a file that does not exist, nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);
// Appends `line` with one WriteFile, preceded by `header` and a line end when the file is new or
// empty. ERROR_SUCCESS, or the error of the step that failed.
DWORD AppendLine(const std::string& path, std::string_view header, const std::string& line);
// "Access is denied." for 5: the system's one-line text for an error.
std::string ErrorText(DWORD error);

// The clock, and the local time's offset from UTC at a moment (DST as the system knows it).
UnixTime UtcNow();
std::int64_t LocalOffsetAt(UnixTime time);
// "2026-12-08": today's local date.
std::string LocalDate(UnixTime time);

class ChargeLog {
public:
    // Drops rows older than 31 days, and a cut last line, by writing the kept rows to a new file
    // and swapping it in whole. A log that cannot be rewritten pauses logging.
    void Open(const std::string& path, UnixTime now);
    // The reading of a tick. True when it made a row and the row was written; a failed write
    // pauses logging for the rest of the run, with the reason in Problem().
    bool Record(int percent, bool ac, UnixTime now);

    bool Paused() const noexcept { return !problem_.empty(); }
    // One line saying why logging paused; empty while it runs.
    const std::string& Problem() const noexcept { return problem_; }
    const std::string& Path() const noexcept { return path_; }

private:
    void Pause(DWORD error);

    std::string path_;
    std::optional<ChargeRow> last_;
    std::string problem_;
};

} // namespace corvane::history
