#pragma once
// The program's own files on disk, read and written one way: read line by line, a piece at a
// time (none is ever held whole), a row appended with one write, a file written anew beside itself and swapped
// in whole. A read that fails part-way says so: it is never taken for the file's end.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

namespace corvane {

struct FileLines {
    DWORD error = ERROR_SUCCESS; // a file that does not exist reads as empty
    bool cut = false;            // text without a line end follows the last line
};
// Hands each complete line to `line`, without its line end, a piece of the file at a time.
FileLines ForEachLine(const std::string& path, const std::function<void(std::string_view)>& line);

// Appends `line` with one WriteFile, preceded by `header` and a line end when the file is new or
// empty, or by a line end when its last line was cut (the row then starts a line of its own).
// ERROR_SUCCESS, or the error of the step that failed.
DWORD AppendLine(const std::string& path, std::string_view header, std::string_view line);

// A file written anew as `path`.new and swapped in whole by Commit; removed if never committed.
class FileReplacement {
public:
    explicit FileReplacement(std::string path);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement();

    // Buffered; a failure shows in Commit.
    void Write(std::string_view bytes);
    // ERROR_SUCCESS once the new file has replaced the old, or the first error met.
    DWORD Commit();

private:
    void Flush();

    std::string path_, temp_;
    HANDLE file_;
    std::string buffer_;
    DWORD error_ = ERROR_SUCCESS;
};

// "Access is denied" for 5: the system's one-line text for an error.
std::string ErrorText(DWORD error);

} // namespace corvane
