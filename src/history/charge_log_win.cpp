#include "history/charge_log_win.h"

#include "base/file_win.h"

namespace corvane::history {

namespace {

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

void ChargeLog::Open(const std::string& path, UnixTime now) {
    path_ = path;
    last_.reset();
    waiting_.reset();
    retry_ = AppendRetry();
    Prune(now);
}

void ChargeLog::Prune(UnixTime now) {
    prunedAt_ = now;
    // Read a piece at a time: a month of rows held whole would stay in the heap of a program
    // that is meant to sit in the tray at rest. Garbled lines, old or future rows, a missing
    // header or a cut last line call for the kept rows to be written anew.
    // One pass: the kept rows are copied as they are checked, and the copy is swapped in only
    // when the check calls for it.
    LogCheck check(now);
    FileReplacement kept(path_);
    kept.Write(std::string(kChargeLogHeader) + "\r\n");
    const FileLines read = ForEachLine(path_, [&](std::string_view line) {
        if (check.Line(line)) {
            kept.Write(line);
            kept.Write("\r\n");
        }
    });
    // A log that cannot be read to its end is never replaced by the part read; a failed rewrite
    // leaves the log as it was, and appends go on, each on a line of its own.
    if (read.error == ERROR_SUCCESS && check.NeedsRewrite(read.cut)) {
        kept.Commit();
    }
}

bool ChargeLog::Record(int percent, bool ac, UnixTime now) {
    if (path_.empty()) {
        return false;
    }
    // Either way round: a clock set back by days prunes too, and drops the rows now ahead of it.
    if (now - prunedAt_ >= kChargeLogPruneSeconds || prunedAt_ - now >= kChargeLogPruneSeconds) {
        Prune(now);
    }
    const bool changed = MakesRow(last_, percent, ac);
    if (changed) {
        last_ = ChargeRow{now, percent, ac};
        waiting_ = last_;
    }
    if (!waiting_ || !retry_.Due(now, changed)) {
        return false;
    }
    error_ = AppendLine(path_, kChargeLogHeader, ChargeRowLine(*waiting_));
    if (error_ != ERROR_SUCCESS) {
        retry_.Failed(now);
        return false;
    }
    retry_.Succeeded();
    waiting_.reset();
    return true;
}

std::string ChargeLog::Problem() const {
    if (!Paused()) {
        return {};
    }
    return "Logging paused: " + FileNameOf(path_) + " could not be written (" + ErrorText(error_) +
           "); it goes on once the file can be written.";
}

} // namespace corvane::history
