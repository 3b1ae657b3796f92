#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velarium {

// A table of numbers for a spreadsheet: one header per column, naming the quantity and its unit,
// and the rows a run wrote.
struct CsvTable {
    std::vector<std::string> header;
    std::vector<std::vector<double>> rows;
};

// A field as comma-separated values carry it: quoted, with its quotes doubled, where it holds a
// comma, a quote or a line break.
std::string csvField(std::string_view text);
// The shortest decimal, with ".", that reads back as the same double; an empty field, as a
// spreadsheet leaves a cell without a value, where the value is not finite.
std::string csvNumber(double value);
// The header and the rows, each line ended by CR LF.
std::string toCsv(const CsvTable& table);

}  // namespace velarium
