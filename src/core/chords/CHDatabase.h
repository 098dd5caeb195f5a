#pragma once

#include "CHChord.h"

#include <optional>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace fretkit {

// The read-only chord file: one open connection and one prepared query that answers the shapes
// of a root and a variant, ordered by the fret they start at. A missing or unreadable file is
// logged once and answers no shapes; rows holding values the model cannot hold are skipped with
// a log line.
class CHDatabase {
public:
    // The bundle's "chords.db".
    CHDatabase();
    explicit CHDatabase(const std::optional<std::string>& path);
    ~CHDatabase();
    CHDatabase(const CHDatabase&) = delete;
    CHDatabase& operator=(const CHDatabase&) = delete;

    bool isOpen() const { return searchStatement_ != nullptr; }

    std::vector<CHChord> chordsForRoot(int root, int variant);

    static const std::vector<std::string>& noteNames();
    static const std::vector<std::optional<std::string>>& variantNames();

private:
    void close();

    sqlite3* database_ = nullptr;
    sqlite3_stmt* searchStatement_ = nullptr;
};

} // namespace fretkit
