#include "base/file_win.h"

#include "base/handles_win.h"
#include "base/lines.h"

namespace corvane {

namespace {

// Large pieces: a log of some hundred MB is read in a few thousand calls.
constexpr DWORD kPiece = 1 << 16;

bool WriteAll(HANDLE file, std::string_view bytes) {
    DWORD written = 0;
    return bytes.empty() || (::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                             written == bytes.size());
}

} // namespace

FileLines ForEachLine(const std::string& path, const std::function<void(std::string_view)>& line) {
    UniqueFile file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        return {error == ERROR_FILE_NOT_FOUND ? static_cast<DWORD>(ERROR_SUCCESS) : error, false};
    }
    LineSplitter lines;
    std::string buffer(kPiece, '\0');
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(file.get(), buffer.data(), kPiece, &read, nullptr)) {
            return {::GetLastError(), lines.Cut()};
        }
        if (read == 0) {
            return {ERROR_SUCCESS, lines.Cut()};
        }
        lines.Feed(std::string_view(buffer.data(), read), line);
    }
}

DWORD AppendLine(const std::string& path, std::string_view header, std::string_view line) {
    UniqueFile file(::CreateFileA(path.c_str(), FILE_APPEND_DATA | FILE_READ_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return ::GetLastError();
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size)) {
        return ::GetLastError();
    }
    std::string bytes;
    if (size.QuadPart == 0) {
        bytes.append(header).append("\r\n");
    } else {
        char last = '\n';
        DWORD read = 0;
        LARGE_INTEGER back{};
        back.QuadPart = -1;
        if (!::SetFilePointerEx(file.get(), back, nullptr, FILE_END) || !::ReadFile(file.get(), &last, 1, &read, nullptr)) {
            return ::GetLastError();
        }
        if (last != '\n') {
            bytes = "\r\n";
        }
    }
    // One write: a crash leaves the row whole or cut, never a header without its row in between.
    bytes.append(line);
    return WriteAll(file.get(), bytes) ? ERROR_SUCCESS : (::GetLastError() ? ::GetLastError() : ERROR_DISK_FULL);
}

FileReplacement::FileReplacement(std::string path)
    : path_(std::move(path)),
      temp_(path_ + ".new"),
      file_(::CreateFileA(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    if (file_ == INVALID_HANDLE_VALUE) {
        error_ = ::GetLastError();
    }
}

FileReplacement::~FileReplacement() {
    if (file_ != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file_);
        ::DeleteFileA(temp_.c_str());
    }
}

void FileReplacement::Write(std::string_view bytes) {
    buffer_.append(bytes);
    if (buffer_.size() >= kPiece) {
        Flush();
    }
}

void FileReplacement::Flush() {
    if (error_ == ERROR_SUCCESS && !WriteAll(file_, buffer_)) {
        error_ = ::GetLastError() ? ::GetLastError() : ERROR_DISK_FULL;
    }
    buffer_.clear();
}

DWORD FileReplacement::Commit() {
    if (file_ == INVALID_HANDLE_VALUE) {
        return error_;
    }
    Flush();
    // Every step is checked: a full disk must never pass for a written file.
    if (error_ == ERROR_SUCCESS && !::FlushFileBuffers(file_)) {
        error_ = ::GetLastError();
    }
    if (!::CloseHandle(std::exchange(file_, INVALID_HANDLE_VALUE)) && error_ == ERROR_SUCCESS) {
        error_ = ::GetLastError();
    }
    if (error_ == ERROR_SUCCESS &&
        !::MoveFileExA(temp_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error_ = ::GetLastError();
    }
    if (error_ != ERROR_SUCCESS) {
        ::DeleteFileA(temp_.c_str());
    }
    return error_;
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

} // namespace corvane
