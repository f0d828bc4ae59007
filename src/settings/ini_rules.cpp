#include "settings/ini_rules.h"

#include "base/component_error.h"

namespace corvane::ini {

namespace {
struct Line {
    std::size_t begin, end, next; // end leaves out the line break, next is where the next line begins
};

Line LineAt(std::string_view text, std::size_t begin) {
    const std::size_t lf = text.find('\n', begin);
    std::size_t end = lf == std::string_view::npos ? text.size() : lf;
    const std::size_t next = lf == std::string_view::npos ? text.size() : lf + 1;
    if (end > begin && text[end - 1] == '\r') {
        --end;
    }
    return {begin, end, next};
}

std::string_view Trim(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The name a section line opens, from its "[" to its last "]".
std::optional<std::string_view> SectionOf(std::string_view line) {
    line = Trim(line);
    const std::size_t close = line.rfind(']');
    if (line.empty() || line.front() != '[' || close == std::string_view::npos || close == 0) {
        return std::nullopt;
    }
    return Trim(line.substr(1, close - 1));
}

// Where the key's line and the section's last line are, in the first section of that name.
struct Place {
    bool sectionFound = false;
    std::size_t afterSection = 0; // just past the section's last line that is not blank
    std::optional<Line> key;
};

Place Locate(std::string_view text, std::string_view section, std::string_view key) {
    Place place;
    bool inSection = false;
    for (std::size_t pos = 0; pos < text.size();) {
        const Line line = LineAt(text, pos);
        pos = line.next;
        const std::string_view content = text.substr(line.begin, line.end - line.begin);
        if (const auto name = SectionOf(content)) {
            if (inSection) {
                break;
            }
            inSection = SameName(*name, section);
            place.sectionFound = inSection;
            place.afterSection = line.next;
            continue;
        }
        if (!inSection || Trim(content).empty()) {
            continue;
        }
        place.afterSection = line.next;
        const std::size_t eq = content.find('=');
        if (eq != std::string_view::npos && SameName(Trim(content.substr(0, eq)), key)) {
            place.key = line;
            break;
        }
    }
    return place;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = text.find(from, pos);
        if (hit == std::string_view::npos) {
            break;
        }
        out.append(text.substr(pos, hit - pos));
        out.append(to);
        pos = hit + from.size();
    }
    out.append(text.substr(pos));
    return out;
}
} // namespace

std::string EscapeLineBreaks(std::string_view text) { return ReplaceAll(text, "\r\n", kLineBreakToken); }

std::string UnescapeLineBreaks(std::string_view text) { return ReplaceAll(text, kLineBreakToken, "\r\n"); }

void CheckSetup(std::int32_t bufferSize, std::string_view fileName) {
    // A negative size cannot make a buffer either: treat it as not set rather than crash.
    if (bufferSize <= 0) {
        throw ComponentError(kErrorNumber, std::string(kErrorSource), "Buffer size not set");
    }
    if (fileName.empty()) {
        throw ComponentError(kErrorNumber, std::string(kErrorSource), "Filename not set");
    }
}

std::optional<std::string> FindValue(std::string_view text, std::string_view section, std::string_view key) {
    const Place place = Locate(text, section, key);
    if (!place.key) {
        return std::nullopt;
    }
    const std::string_view line = text.substr(place.key->begin, place.key->end - place.key->begin);
    std::string_view value = Trim(line.substr(line.find('=') + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

std::string SetValue(std::string_view text, std::string_view section, std::string_view key, std::string_view value) {
    const Place place = Locate(text, section, key);
    std::string out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 8);
    if (place.key) {
        const std::size_t valueAt = text.find('=', place.key->begin) + 1;
        out.append(text.substr(0, valueAt)).append(value).append(text.substr(place.key->end));
        return out;
    }
    const std::size_t at = place.sectionFound ? place.afterSection : text.size();
    out.append(text.substr(0, at));
    if (!out.empty() && out.back() != '\n') {
        out.append("\r\n");
    }
    if (!place.sectionFound) {
        out.append("[").append(section).append("]\r\n");
    }
    out.append(key).append("=").append(value).append("\r\n").append(text.substr(at));
    return out;
}

std::string TakeCount(const char* buffer, std::size_t bufferSize, std::size_t count) {
    if (count == 0 || buffer == nullptr) {
        return {};
    }
    return std::string(buffer, count < bufferSize ? count : bufferSize);
}

} // namespace corvane::ini
