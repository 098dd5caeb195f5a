#pragma once

// A row of a table: its section and its row within the section.
struct IndexPath {
    int section = 0;
    int row = 0;
    friend bool operator==(const IndexPath& a, const IndexPath& b) {
        return a.section == b.section && a.row == b.row;
    }
};
