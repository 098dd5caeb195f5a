#include "ChordDbWriter.h"

#include "chords/CHChord.h"

#include <cstdio>
#include <sqlite3.h>

namespace fretkit {
namespace {

std::string createStatement() {
    std::string sql = "CREATE TABLE chords (root INTEGER, variant INTEGER, baseFret INTEGER";
    for (unsigned s = 0; s < CHChord::kStrings; ++s) {
        const std::string n = std::to_string(s);
        sql += ", finger" + n + " INTEGER, fret" + n + " INTEGER, optional" + n + " INTEGER, note" +
               n + " INTEGER";
    }
    return sql + ")";
}

std::string insertStatement() {
    std::string sql = "INSERT INTO chords VALUES (?";
    for (unsigned c = 1; c < CHChord::kColumns; ++c) {
        sql += ", ?";
    }
    return sql + ")";
}

class Connection {
public:
    explicit Connection(const std::string& path) {
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
            error_ = db_ ? sqlite3_errmsg(db_) : "out of memory";
        }
    }
    ~Connection() {
        sqlite3_finalize(insert_);
        sqlite3_close(db_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool exec(const std::string& sql) {
        return ok(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr));
    }

    bool insert(const std::vector<long long>& values) {
        if (!insert_ &&
            !ok(sqlite3_prepare_v2(db_, insertStatement().c_str(), -1, &insert_, nullptr))) {
            return false;
        }
        for (std::size_t c = 0; c < values.size(); ++c) {
            sqlite3_bind_int64(insert_, static_cast<int>(c + 1), values[c]);
        }
        const bool done = sqlite3_step(insert_) == SQLITE_DONE;
        sqlite3_reset(insert_);
        return done || ok(SQLITE_ERROR);
    }

    const std::string& error() const { return error_; }

private:
    bool ok(int status) {
        if (status != SQLITE_OK && error_.empty()) {
            error_ = sqlite3_errmsg(db_);
        }
        return error_.empty();
    }

    sqlite3* db_ = nullptr;
    sqlite3_stmt* insert_ = nullptr;
    std::string error_;
};

} // namespace

std::vector<long long> ChordDbWriter::columns(const Row& row) {
    const ChordShape& shape = row.shape;
    std::vector<long long> values = {row.root, row.variant, shape.baseFret};
    for (unsigned s = 0; s < CHChord::kStrings; ++s) {
        const int fret = shape.frets[s];
        const bool fretted = fret > 0;
        long long code = CHChord::kOpenCode;
        if (fret == ChordShape::kMuted) {
            code = CHChord::kMutedCode;
        } else if (fretted) {
            code = fret - shape.baseFret;
        }
        values.push_back(fretted ? shape.fingers.finger[s] : 0);
        values.push_back(code);
        values.push_back(fret != ChordShape::kMuted && shape.optional[s] ? 1 : 0);
        values.push_back(fret != ChordShape::kMuted ? shape.notes[s] : 0);
    }
    return values;
}

bool ChordDbWriter::write(const std::string& path, const std::vector<Row>& rows,
                          std::string& error) {
    const std::string temporary = path + ".tmp";
    std::remove(temporary.c_str());
    {
        Connection db(temporary);
        bool ok = db.error().empty() && db.exec(createStatement()) && db.exec("BEGIN");
        for (std::size_t i = 0; ok && i < rows.size(); ++i) {
            ok = db.insert(columns(rows[i]));
        }
        ok = ok && db.exec("CREATE INDEX chords_by_chord ON chords (root, variant, baseFret)") &&
             db.exec("COMMIT");
        if (!ok) {
            error = "cannot write " + temporary + ": " + db.error();
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot move " + temporary + " to " + path;
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace fretkit
