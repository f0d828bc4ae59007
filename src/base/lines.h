#pragma once
// Text split into lines one way for every file the program reads, whole or as it arrives a
// piece at a time: a line ends at a line feed, a carriage return before it is dropped, and text
// after the last line feed is a line cut short (a crash during a write), never handed on.
#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace corvane {

class LineSplitter {
public:
    // A longer line is garbage in every file the program reads: only its start is kept, so
    // one line without an end cannot take all memory.
    explicit LineSplitter(std::size_t longestLine = 1024) noexcept : longest_(longestLine) {}

    // Hands each line that `piece` completes to `line`, without its line end.
    template <class OnLine>
    void Feed(std::string_view piece, OnLine&& line) {
        for (std::size_t end = piece.find('\n'); end != std::string_view::npos; end = piece.find('\n')) {
            std::string_view whole = piece.substr(0, end);
            // Most lines lie inside one piece: they are handed on without a copy.
            if (!pending_.empty()) {
                Keep(whole);
                whole = pending_;
            }
            whole = whole.substr(0, longest_);
            if (!whole.empty() && whole.back() == '\r') {
                whole.remove_suffix(1);
            }
            line(whole);
            pending_.clear();
            piece.remove_prefix(end + 1);
        }
        Keep(piece);
    }
    // Whether text without a line end follows the last line fed.
    bool Cut() const noexcept { return !pending_.empty(); }

private:
    // One character past the longest, so that a line of exactly that length keeps its "\r" apart.
    void Keep(std::string_view text) {
        pending_.append(text.substr(0, longest_ + 1 - std::min(pending_.size(), longest_ + 1)));
    }

    std::size_t longest_;
    std::string pending_;
};

// Each complete line of a whole text; true when a cut line follows the last one.
template <class OnLine>
bool ForEachCompleteLine(std::string_view text, OnLine&& line) {
    LineSplitter lines(text.size() + 1);
    lines.Feed(text, line);
    return lines.Cut();
}

} // namespace corvane
