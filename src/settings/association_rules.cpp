// The file-type registration rules, kept apart so a program that does not register file types does not carry them.
#include "settings/registry_rules.h"

namespace corvane::registry {

std::string QuoteExePath(std::string_view exePath) {
    const auto first = exePath.find_first_not_of(' ');
    std::string path;
    if (first != std::string_view::npos) {
        path = exePath.substr(first, exePath.find_last_not_of(' ') - first + 1);
    }
    if (path.empty() || path.front() != '"') {
        path.insert(path.begin(), '"');
    }
    // A lone quote is an opening quote still waiting for its partner.
    if (path.size() < 2 || path.back() != '"') {
        path.push_back('"');
    }
    return path;
}

std::vector<AssociationEntry> AssociationEntries(const AssociationRequest& request) {
    const std::string exe = QuoteExePath(request.exePath);
    const std::string& c = request.className;
    auto orDefault = [](const std::string& text, std::string fallback) { return text.empty() ? fallback : text; };

    std::vector<AssociationEntry> entries;
    entries.push_back({"." + request.association, c});
    entries.push_back({c, request.classDescription});
    entries.push_back({c + "\\shell\\open", orDefault(request.openMenuText, "&Open")});
    entries.push_back({c + "\\shell\\open\\command", exe + " \"%1\""});
    if (request.supportPrint) {
        entries.push_back({c + "\\shell\\print", orDefault(request.printMenuText, "&Print")});
        entries.push_back({c + "\\shell\\print\\command", exe + " /p \"%1\""});
    }
    if (request.supportInstall) {
        entries.push_back({c + "\\shell\\add", orDefault(request.installMenuText, "&Install " + request.association)});
        entries.push_back({c + "\\shell\\add\\command", exe + " /a \"%1\""});
    }
    if (request.supportNew) {
        entries.push_back({c + "\\shell\\new", orDefault(request.newMenuText, "&New")});
        entries.push_back({c + "\\shell\\new\\command", exe + " /n \"%1\""});
    }
    if (request.defaultIconIndex > -1) {
        entries.push_back({c + "\\DefaultIcon", exe + "," + std::to_string(request.defaultIconIndex)});
    }
    return entries;
}

bool IsWholeTriples(std::size_t itemCount) noexcept {
    return itemCount % 3 == 0;
}

} // namespace corvane::registry
