#include "CHDatabase.h"

#include "CHNoteTables.h"
#include "foundation/Bundle.h"
#include "foundation/Log.h"

#include <sqlite3.h>

namespace fretkit {
namespace {

constexpr const char* kQuery =
    "SELECT * FROM chords WHERE root = ? AND variant = ? ORDER BY baseFret";

} // namespace

CHDatabase::CHDatabase() : CHDatabase(Bundle::main().pathForResource("chords", "db")) {}

CHDatabase::CHDatabase(const std::optional<std::string>& path) {
    if (!path) {
        Log::line("CHDatabase -- no chord database \"chords.db\" in the bundle");
        return;
    }
    if (sqlite3_open_v2(path->c_str(), &database_, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(database_, kQuery, -1, &searchStatement_, nullptr) != SQLITE_OK) {
        Log::format("CHDatabase -- cannot read the chord database %s: %s", path->c_str(),
                    database_ ? sqlite3_errmsg(database_) : "out of memory");
        close();
    }
}

CHDatabase::~CHDatabase() {
    close();
}

void CHDatabase::close() {
    sqlite3_finalize(searchStatement_);
    searchStatement_ = nullptr;
    sqlite3_close(database_);
    database_ = nullptr;
}

std::vector<CHChord> CHDatabase::chordsForRoot(int root, int variant) {
    std::vector<CHChord> chords;
    if (!searchStatement_) {
        return chords;
    }
    sqlite3_bind_int(searchStatement_, 1, root);
    sqlite3_bind_int(searchStatement_, 2, variant);
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(searchStatement_)) == SQLITE_ROW) {
        if (sqlite3_column_count(searchStatement_) < static_cast<int>(CHChord::kColumns)) {
            Log::line("CHDatabase -- the chords table has too few columns");
            break;
        }
        std::array<std::int64_t, CHChord::kColumns> columns{};
        for (unsigned c = 0; c < CHChord::kColumns; ++c) {
            columns[c] = sqlite3_column_int64(searchStatement_, static_cast<int>(c));
        }
        std::string problem;
        if (auto chord = CHChord::fromColumns(columns, &problem)) {
            chords.push_back(*chord);
        } else {
            Log::format("CHDatabase -- skipped a shape of root %d, variant %d: %s", root, variant,
                        problem.c_str());
        }
    }
    if (status != SQLITE_DONE && status != SQLITE_ROW) {
        Log::format("CHDatabase -- the chord query failed: %s", sqlite3_errmsg(database_));
    }
    sqlite3_reset(searchStatement_);
    sqlite3_clear_bindings(searchStatement_);
    return chords;
}

const std::vector<std::string>& CHDatabase::noteNames() {
    return CHNoteTables::noteNames();
}

const std::vector<std::optional<std::string>>& CHDatabase::variantNames() {
    return CHNoteTables::variantNames();
}

} // namespace fretkit
