// The history's files as whole texts, for the tests and tools that hold them so. The program
// reads them line by line; kept in an object of their own, these functions stay out of its exe.
#include "base/lines.h"
#include "history/battery_health.h"
#include "history/charge_log.h"

namespace corvane::history {

std::vector<ChargeRow> ReadChargeRows(std::string_view text) {
    std::vector<ChargeRow> rows;
    ForEachCompleteLine(text, [&rows](std::string_view line) {
        if (const auto row = ParseChargeRow(line)) {
            rows.push_back(*row);
        }
    });
    return rows;
}

bool NeedsRewrite(std::string_view text, UnixTime now) {
    LogCheck check(now);
    const bool cut = ForEachCompleteLine(text, [&check](std::string_view line) { check.Line(line); });
    return check.NeedsRewrite(cut);
}

std::string ChargeLogText(const std::vector<ChargeRow>& rows) {
    std::string text(kChargeLogHeader);
    text += "\r\n";
    for (const ChargeRow& row : rows) {
        text += ChargeRowLine(row);
    }
    return text;
}

HealthHistory ReadHealthHistory(std::string_view text) {
    HealthHistory history;
    ForEachCompleteLine(text, [&history](std::string_view line) { history.Line(line); });
    return history;
}

} // namespace corvane::history
