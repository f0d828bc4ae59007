#pragma once
// ChargeLog.csv on disk, beside AppOpt.ini. Open it once at start (it is pruned then, and once a
// day after), and hand every reading to Record: only a change of percent or power source, or a
// row still waiting to be written, touches the file.
#include <windows.h>

#include <optional>
#include <string>

#include "history/charge_log.h"

namespace corvane::history {

class ChargeLog {
public:
    // Drops rows older than 31 days or in the future, and a cut last line, by writing the kept
    // rows to a new file and swapping it in whole. A log that cannot be read to its end is left
    // as it is.
    void Open(const std::string& path, UnixTime now);
    // A reading taken at `now` (UTC). True when a row was written. A failed write is retried
    // (see AppendRetry); only the latest reading waits, older ones of the failure are not kept.
    bool Record(int percent, bool ac, UnixTime now);

    bool Paused() const noexcept { return retry_.Paused(); }
    // One line saying why logging is paused; empty while it runs.
    std::string Problem() const;
    const std::string& Path() const noexcept { return path_; }

private:
    void Prune(UnixTime now);

    std::string path_;
    std::optional<ChargeRow> last_;    // the latest row made, written or not
    std::optional<ChargeRow> waiting_; // a row made but not yet written
    AppendRetry retry_;
    DWORD error_ = ERROR_SUCCESS;
    UnixTime prunedAt_ = 0;
};

} // namespace corvane::history
