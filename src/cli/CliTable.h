#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Result lists as plain-text tables.
class CliTable {
public:
    using Row = std::vector<std::string>;

    // Columns padded to their widest cell (in characters, not bytes), a header line first.
    static void print(std::ostream& out, const Row& header, const std::vector<Row>& rows);
};
