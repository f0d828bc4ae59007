#include "controls/commondialog/property_bag.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace corvane::cdlg {

namespace {

bool SameKey(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

std::string Quote(const std::string& s) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\0': out += "\\0"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (u < 0x20 || u == 0x7F) {
                out += "\\x";
                out += hex[u >> 4];
                out += hex[u & 0x0F];
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool Unquote(std::string_view s, std::string& out) {
    if (s.size() < 2 || s.front() != '"' || s.back() != '"') {
        return false;
    }
    s = s.substr(1, s.size() - 2);
    out.clear();
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') {
            return false;  // an unescaped quote inside: not a text we wrote
        }
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == s.size()) {
            return false;
        }
        switch (s[i]) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '0': out += '\0'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case 't': out += '\t'; break;
        case 'x': {
            if (i + 2 >= s.size()) {
                return false;
            }
            const int hi = HexDigit(s[i + 1]);
            const int lo = HexDigit(s[i + 2]);
            if (hi < 0 || lo < 0) {
                return false;
            }
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

template <typename T>
bool ParseNumber(std::string_view s, T& out) {
    const char* first = s.data();
    const char* last = s.data() + s.size();
    auto [end, ec] = std::from_chars(first, last, out);
    return ec == std::errc() && end == last && first != last;
}

std::string Format(const PropertyValue& value) {
    struct {
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(std::int16_t v) const { return std::to_string(v); }
        std::string operator()(std::int32_t v) const { return std::to_string(v); }
        std::string operator()(float v) const {
            char buf[32];
            auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
            return ec == std::errc() ? std::string(buf, end) : std::string("0");
        }
        std::string operator()(const std::string& s) const { return Quote(s); }
    } formatter;
    return std::visit(formatter, value);
}

// Reads the stored text as the default's type; nothing when it cannot.
bool Parse(std::string_view text, const PropertyValue& like, PropertyValue& out) {
    if (std::holds_alternative<bool>(like)) {
        if (SameKey(text, "True") || text == "-1") {
            out = true;
            return true;
        }
        if (SameKey(text, "False") || text == "0") {
            out = false;
            return true;
        }
        return false;
    }
    if (std::holds_alternative<std::int16_t>(like)) {
        std::int16_t v = 0;
        if (!ParseNumber(text, v)) return false;
        out = v;
        return true;
    }
    if (std::holds_alternative<std::int32_t>(like)) {
        std::int32_t v = 0;
        if (!ParseNumber(text, v)) return false;
        out = v;
        return true;
    }
    if (std::holds_alternative<float>(like)) {
        float v = 0;
        if (!ParseNumber(text, v)) return false;
        out = v;
        return true;
    }
    std::string s;
    if (!Unquote(text, s)) return false;
    out = std::move(s);
    return true;
}

} // namespace

TextPropertyBag TextPropertyBag::FromText(std::string_view text) {
    TextPropertyBag bag;
    while (!text.empty()) {
        const size_t eol = text.find('\n');
        std::string_view line = text.substr(0, eol);
        text.remove_prefix(eol == std::string_view::npos ? text.size() : eol + 1);
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) {
            continue;
        }
        const std::string_view key = Trim(line.substr(0, eq));
        if (key.empty()) {
            continue;
        }
        bag.entries_.emplace_back(std::string(key), std::string(Trim(line.substr(eq + 1))));
    }
    return bag;
}

std::string TextPropertyBag::ToText() const {
    std::string out;
    for (const auto& [key, value] : entries_) {
        out += key;
        out += " = ";
        out += value;
        out += '\n';
    }
    return out;
}

const std::string* TextPropertyBag::Find(std::string_view key) const {
    for (const auto& entry : entries_) {
        if (SameKey(entry.first, key)) {
            return &entry.second;
        }
    }
    return nullptr;
}

PropertyValue TextPropertyBag::ReadProperty(std::string_view key, const PropertyValue& defaultValue) const {
    const std::string* stored = Find(key);
    PropertyValue value;
    if (stored && Parse(*stored, defaultValue, value)) {
        return value;
    }
    return defaultValue;
}

void TextPropertyBag::WriteProperty(std::string_view key, const PropertyValue& value,
                                    const PropertyValue& defaultValue) {
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const auto& entry) { return SameKey(entry.first, key); });
    if (value == defaultValue) {
        if (it != entries_.end()) {
            entries_.erase(it);
        }
        return;
    }
    if (it != entries_.end()) {
        it->second = Format(value);
    } else {
        entries_.emplace_back(std::string(key), Format(value));
    }
}

} // namespace corvane::cdlg
