#include "history/charge_log_win.h"

#include <algorithm>

#include "base/clock_win.h"
#include "base/handles_win.h"

namespace corvane::history {

namespace {

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Hands each complete line of a file to `line`, without its line end, reading the file a
// piece at a time. False when the file exists but cannot be read; `cut` says whether text
// without a line end follows the last line.
template <class OnLine>
bool ForEachLine(const std::string& path, OnLine&& line, bool& cut) {
    cut = false;
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;
    }
    // A row is some 30 characters; a longer line is garbage and only its start is kept.
    constexpr std::size_t kLongestLine = 256;
    std::string pending;
    char buffer[8192];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        std::string_view piece(buffer, read);
        for (std::size_t end = piece.find('\n'); end != std::string_view::npos; end = piece.find('\n')) {
            pending.append(piece.substr(0, std::min(end, kLongestLine)));
            if (!pending.empty() && pending.back() == '\r') {
                pending.pop_back();
            }
            line(std::string_view(pending));
            pending.clear();
            piece.remove_prefix(end + 1);
        }
        pending.append(piece.substr(0, kLongestLine - std::min(pending.size(), kLongestLine)));
    }
    cut = !pending.empty();
    return true;
}

// Writes the header and the rows of `path` kept at `now` to a new file and swaps it in whole.
bool RewriteKept(const std::string& path, UnixTime now) {
    const std::string temp = path + ".new";
    UniqueFile out(::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) {
        return false;
    }
    std::string text = std::string(kChargeLogHeader) + "\r\n";
    bool written = true, cut = false;
    const auto flush = [&] {
        DWORD done = 0;
        written = written && ::WriteFile(out.get(), text.data(), static_cast<DWORD>(text.size()), &done, nullptr) &&
                  done == text.size();
        text.clear();
    };
    const auto keep = [&](std::string_view line) {
        if (const std::optional<ChargeRow> row = KeptRow(line, now)) {
            text += ChargeRowLine(*row);
            if (text.size() >= 8192) {
                flush();
            }
        }
    };
    const bool read = ForEachLine(path, keep, cut);
    flush();
    written = read && written && ::FlushFileBuffers(out.get());
    DWORD error = ::GetLastError();
    const bool closed = ::CloseHandle(out.release()) != FALSE;
    if (written && closed &&
        ::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    error = written && closed ? ::GetLastError() : error;
    ::DeleteFileA(temp.c_str());
    ::SetLastError(error);
    return false;
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) {
            return std::string();
        }
        return std::nullopt;
    }
    std::string text;
    char buffer[16384];
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        text.append(buffer, read);
    }
    return text;
}

DWORD AppendLine(const std::string& path, std::string_view header, const std::string& line) {
    UniqueFile file(::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return ::GetLastError();
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        return ::GetLastError();
    }
    // One write: a crash leaves the row whole or cut, never a header without its row in between.
    std::string bytes = size.QuadPart == 0 ? std::string(header) + "\r\n" + line : line;
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
        return ::GetLastError();
    }
    return written == bytes.size() ? ERROR_SUCCESS : ERROR_DISK_FULL;
}

std::string ErrorText(DWORD error) {
    char* buffer = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = length && buffer ? std::string(buffer, length) : "error " + std::to_string(error);
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.')) {
        text.pop_back();
    }
    return text;
}

// The system's clock, until the history takes the program's clock port.
UnixTime UtcNow() { return SystemClock().UtcNow(); }
std::int64_t LocalOffsetAt(UnixTime time) { return SystemClock().LocalOffsetAt(time); }

std::string LocalDate(UnixTime time) {
    const CivilTime c = CivilFromSeconds(time + LocalOffsetAt(time));
    char text[16];
    wsprintfA(text, "%04d-%02d-%02d", c.year, c.month, c.day);
    return text;
}

void ChargeLog::Open(const std::string& path, UnixTime now) {
    path_ = path;
    last_.reset();
    problem_.clear();
    // Read a piece at a time: a month of rows held whole at start would stay in the heap of a
    // program that is meant to sit in the tray at rest. Garbled lines, old rows, a missing
    // header or a cut last line call for the kept rows to be written anew.
    LogCheck check(now);
    bool cut = false;
    if (!ForEachLine(path, [&](std::string_view line) { check.Line(line); }, cut)) {
        Pause(::GetLastError());
    } else if (check.NeedsRewrite(cut) && !RewriteKept(path, now)) {
        Pause(::GetLastError());
    }
}

bool ChargeLog::Record(int percent, bool ac, UnixTime now) {
    if (path_.empty() || Paused() || !MakesRow(last_, percent, ac)) {
        return false;
    }
    const ChargeRow row{now, percent, ac};
    if (const DWORD error = AppendLine(path_, kChargeLogHeader, ChargeRowLine(row)); error != ERROR_SUCCESS) {
        Pause(error);
        return false;
    }
    last_ = row;
    return true;
}

void ChargeLog::Pause(DWORD error) {
    problem_ = "Logging paused: " + FileNameOf(path_) + " could not be written (" + ErrorText(error) + ").";
}

} // namespace corvane::history
