#include "CliTable.h"

#include <algorithm>
#include <ostream>

namespace {

std::size_t displayWidth(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

void CliTable::print(std::ostream& out, const Row& header, const std::vector<Row>& rows) {
    std::vector<std::size_t> widths(header.size(), 0);
    for (const Row* row : {&header}) {
        for (std::size_t i = 0; i < row->size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth((*row)[i]));
        }
    }
    for (const Row& row : rows) {
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
            widths[i] = std::max(widths[i], displayWidth(row[i]));
        }
    }
    const auto printRow = [&](const Row& row) {
        std::string line;
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
            line += row[i];
            if (i + 1 < row.size()) {
                line += std::string(widths[i] - displayWidth(row[i]) + 2, ' ');
            }
        }
        out << line << '\n';
    };
    printRow(header);
    for (const Row& row : rows) {
        printRow(row);
    }
}
