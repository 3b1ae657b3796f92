#include "output/CsvTable.h"

#include <charconv>
#include <cmath>

namespace velarium {

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out += '"';
}

std::string csvNumber(double value) {
    if (!std::isfinite(value)) return {};
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    return std::string(buffer, end);
}

std::string toCsv(const CsvTable& table) {
    std::string out;
    const auto line = [&out](const auto& fields, auto format) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (i > 0) out += ',';
            out += format(fields[i]);
        }
        out += "\r\n";
    };
    line(table.header, [](const std::string& s) { return csvField(s); });
    for (const auto& row : table.rows) line(row, csvNumber);
    return out;
}

}  // namespace velarium
