#include "tests/support/ForeignStore.h"

#include <sqlite3.h>

namespace foreign_store {

namespace {

struct Db {
    sqlite3* db = nullptr;
    explicit Db(const std::filesystem::path& store) {
        if (sqlite3_open_v2(store.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            sqlite3_close(db);
            db = nullptr;
        } else {
            sqlite3_busy_timeout(db, 5000);
        }
    }
    ~Db() { sqlite3_close(db); }
};

std::int64_t QueryId(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* stmt = nullptr;
    std::int64_t id = -1;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK &&
        sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_type(stmt, 0) != SQLITE_NULL) {
        id = sqlite3_column_int64(stmt, 0);
    }
    sqlite3_finalize(stmt);
    return id;
}

}  // namespace

std::int64_t KeyId(const std::filesystem::path& store, const std::vector<std::string>& path) {
    Db db(store);
    if (!db.db) return -1;
    std::int64_t id = 1;
    for (const std::string& part : path) {
        char* sql = sqlite3_mprintf("SELECT id FROM keys WHERE parent = %lld AND folded = %Q",
                                    static_cast<long long>(id), part.c_str());
        id = QueryId(db.db, sql);
        sqlite3_free(sql);
        if (id < 0) return -1;
    }
    return id;
}

std::int64_t AddKeyChain(const std::filesystem::path& store, std::int64_t parent, int levels) {
    Db db(store);
    if (!db.db || levels < 1) return -1;
    const std::int64_t first = QueryId(db.db, "SELECT max(id) + 1 FROM keys");
    if (first < 0) return -1;
    const std::string sql =
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < " +
        std::to_string(levels) + ") INSERT INTO keys(id, parent, name, folded) SELECT " +
        std::to_string(first) + " + i, CASE WHEN i = 0 THEN " + std::to_string(parent) + " ELSE " +
        std::to_string(first) + " + i - 1 END, 'd', 'd' FROM n";
    if (sqlite3_exec(db.db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) return -1;
    return first + levels - 1;
}

bool Exec(const std::filesystem::path& store, const std::string& sql) {
    Db db(store);
    return db.db && sqlite3_exec(db.db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace foreign_store
