#include "platform/RegistryStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <string>
#include <system_error>

#include "platform/PlatformConfig.h"

namespace fs = std::filesystem;

namespace platform::registry {

namespace {

constexpr int kApplicationId = 0x4B545247;  // "KTRG"

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS keys("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " parent INTEGER NOT NULL,"
    " name TEXT NOT NULL,"
    " folded TEXT NOT NULL,"
    " UNIQUE(parent, folded));"
    "CREATE TABLE IF NOT EXISTS vals("
    " key INTEGER NOT NULL,"
    " name TEXT NOT NULL,"
    " folded TEXT NOT NULL,"
    " type INTEGER NOT NULL,"
    " data BLOB NOT NULL,"
    " PRIMARY KEY(key, folded)) WITHOUT ROWID;"
    "INSERT OR IGNORE INTO keys(id, parent, name, folded) VALUES"
    " (1, 0, 'HKEY_LOCAL_MACHINE', 'hkey_local_machine'),"
    " (2, 0, 'HKEY_CURRENT_USER', 'hkey_current_user');"
    "PRAGMA application_id = 1263817287;"
    "PRAGMA user_version = 1;";
static_assert(kApplicationId == 1263817287);

enum class OpenResult { kOk, kNotAStore, kFailed };

bool IsCorruption(int rc) {
    rc &= 0xFF;
    return rc == SQLITE_NOTADB || rc == SQLITE_CORRUPT;
}

// Reads one integer from a query; false when the query fails.
int QueryInt(sqlite3* db, const char* sql, std::int64_t* value, int* rcOut) {
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            *value = sqlite3_column_int64(stmt, 0);
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(stmt);
    *rcOut = rc;
    return rc == SQLITE_OK;
}

// Reads the rows of a query into one text, a line per row and columns split by '|';
// false when the query fails.
bool QueryText(sqlite3* db, const char* sql, std::string* text, int* rcOut) {
    text->clear();
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    while (rc == SQLITE_OK && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int column = 0; column < sqlite3_column_count(stmt); ++column) {
            if (column > 0) *text += '|';
            auto cell = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
            if (cell) *text += cell;
        }
        *text += '\n';
        rc = SQLITE_OK;
    }
    if (rc == SQLITE_DONE) rc = SQLITE_OK;
    sqlite3_finalize(stmt);
    *rcOut = rc;
    return rc == SQLITE_OK;
}

constexpr const char* kSchemaListing =
    "SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY type, name";
constexpr const char* kRootCheck =
    "SELECT count(*) FROM keys WHERE parent = 0 AND ((id = 1 AND folded = 'hkey_local_machine')"
    " OR (id = 2 AND folded = 'hkey_current_user'))";

// The schema listing of a store just made, to hold every store that is opened against.
const std::string& ExpectedSchema() {
    static const std::string* listing = [] {
        auto* text = new std::string;  // never destroyed: stores may open at exit
        sqlite3* db = nullptr;
        int rc = sqlite3_open(":memory:", &db);
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) QueryText(db, kSchemaListing, text, &rc);
        sqlite3_close(db);
        return text;
    }();
    return *listing;
}

OpenResult TryOpen(const fs::path& path, sqlite3** out) {
    *out = nullptr;
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db);
        return OpenResult::kFailed;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, platform::RegistryBusyTimeout());
    auto fail = [&](int code) {
        sqlite3_close(db);
        return IsCorruption(code) ? OpenResult::kNotAStore : OpenResult::kFailed;
    };

    // Everything is checked before anything is written, so that a file set aside keeps
    // exactly the bytes it had.
    std::int64_t tables = 0;
    std::int64_t appId = 0;
    std::string text;
    if (!QueryInt(db, "SELECT count(*) FROM sqlite_master", &tables, &rc)) return fail(rc);
    if (tables > 0) {
        // Without the listing to compare with, no store can be judged: set none aside.
        if (ExpectedSchema().empty()) return fail(SQLITE_ERROR);
        if (!QueryInt(db, "PRAGMA application_id", &appId, &rc)) return fail(rc);
        // A valid database, but somebody else's: never write into it.
        if (appId != kApplicationId) return fail(SQLITE_NOTADB);
        if (!QueryText(db, "PRAGMA integrity_check(1)", &text, &rc)) return fail(rc);
        // Damaged pages, indexes out of step with their tables, rows out of order.
        if (text != "ok\n") return fail(SQLITE_CORRUPT);
        // Tables missing or altered, or objects of somebody else's (a trigger, say): every
        // write would fail or do something else.
        if (!QueryText(db, kSchemaListing, &text, &rc)) return fail(rc);
        if (text != ExpectedSchema()) return fail(SQLITE_CORRUPT);
        std::int64_t roots = 0;
        if (!QueryInt(db, kRootCheck, &roots, &rc)) return fail(rc);
        if (roots != 2) return fail(SQLITE_CORRUPT);
    }

    rc = sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr,
                      nullptr);
    if (rc != SQLITE_OK) return fail(rc);
    if (tables == 0) {
        // A new (or empty) file: create the schema unless another process just did.
        rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) return fail(rc);
        if (!QueryInt(db, "SELECT count(*) FROM sqlite_master", &tables, &rc)) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            return fail(rc);
        }
        if (tables == 0) rc = sqlite3_exec(db, kSchema, nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) rc = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            return fail(rc);
        }
    }
    *out = db;
    return OpenResult::kOk;
}

std::string Timestamp() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    gmtime_r(&now, &tm);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y%m%dT%H%M%SZ", &tm);
    return buffer;
}

// Moves the unusable store and its side files out of the way under a name not yet taken.
bool SetAside(const fs::path& path) {
    std::error_code ec;
    const std::string base = path.string() + ".corrupt-" + Timestamp();
    std::string target = base;
    for (int n = 1; fs::symlink_status(target, ec).type() != fs::file_type::not_found; ++n) {
        target = base + "-" + std::to_string(n);
    }
    fs::rename(path, target, ec);
    if (ec) return false;
    for (const char* side : {"-wal", "-shm", "-journal"}) {
        const fs::path from = path.string() + side;
        if (fs::symlink_status(from, ec).type() != fs::file_type::not_found) {
            fs::rename(from, target + side, ec);
        }
    }
    return true;
}

}  // namespace

std::recursive_mutex& Mutex() {
    // Never destroyed: registry calls may still come from other objects' exit-time handlers.
    static auto* mutex = new std::recursive_mutex;
    return *mutex;
}

Statement::~Statement() {
    if (stmt_) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
}

Statement& Statement::Bind(int index, std::int64_t value) {
    if (stmt_) sqlite3_bind_int64(stmt_, index, value);
    return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
    if (stmt_) {
        sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    }
    return *this;
}

Statement& Statement::BindBlob(int index, const void* data, std::size_t size) {
    if (!stmt_) return *this;
    // A zero-length blob with a null pointer would bind NULL; the column is NOT NULL.
    if (size == 0 || !data) {
        sqlite3_bind_zeroblob(stmt_, index, 0);
    } else {
        sqlite3_bind_blob64(stmt_, index, data, size, SQLITE_TRANSIENT);
    }
    return *this;
}

int Statement::Step() {
    return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE;
}

std::int64_t Statement::Int(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::string_view Statement::Text(int column) const {
    auto text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    const int size = sqlite3_column_bytes(stmt_, column);
    return text ? std::string_view(text, static_cast<std::size_t>(size)) : std::string_view();
}

const unsigned char* Statement::Blob(int column) const {
    return static_cast<const unsigned char*>(sqlite3_column_blob(stmt_, column));
}

std::size_t Statement::Bytes(int column) const {
    return static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column));
}

Store* Store::instance_ = nullptr;

void Store::CloseAtExit() {
    std::lock_guard lock(Mutex());
    if (instance_ && instance_->db_ && instance_->pid_ == static_cast<long>(getpid()) &&
        instance_->depth_ == 0) {
        instance_->Close();
    }
}

Store* Store::Current() {
    // Never destroyed, for the same reason as the mutex; the connection itself is closed at
    // exit, which also folds the write-ahead log back into the store file.
    if (!instance_) {
        instance_ = new Store;
        std::atexit(CloseAtExit);
    }
    Store* const store = instance_;
    const long pid = static_cast<long>(getpid());
    if (store->db_ && store->depth_ > 0 && store->pid_ == pid) return store;
    if (store->db_ && store->pid_ != pid) {
        // A forked child must not use (or close) the connection its parent owns.
        store->db_ = nullptr;
        store->statements_.clear();
        store->depth_ = 0;
        store->reading_ = false;
    }
    const fs::path path = platform::RegistryPath();
    if (store->db_ && path == store->path_) {
        store->ApplyBusyTimeout();
        return store;
    }
    if (store->db_) store->Close();
    if (!store->Open(path)) return nullptr;
    return store;
}

bool Store::Open(const fs::path& path) {
    std::error_code ec;
    if (path.has_parent_path()) fs::create_directories(path.parent_path(), ec);
    // Serialises the check and the setting aside between processes, so that no process
    // renames a store that another has just created in place of a damaged one.
    const std::string lockPath = path.string() + ".lock";
    const int lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd >= 0) ::flock(lockFd, LOCK_EX);
    sqlite3* db = nullptr;
    OpenResult result = TryOpen(path, &db);
    if (result == OpenResult::kNotAStore && platform::RegistrySetsAsideDamage() && SetAside(path)) {
        result = TryOpen(path, &db);
    }
    if (lockFd >= 0) {
        ::flock(lockFd, LOCK_UN);
        ::close(lockFd);
    }
    if (result != OpenResult::kOk) return false;
    db_ = db;
    busyTimeoutMs_ = platform::RegistryBusyTimeout();
    pid_ = static_cast<long>(getpid());
    depth_ = 0;
    if (path != path_) ++generation_;
    path_ = path;
    return true;
}

void Store::ApplyBusyTimeout() {
    const int wanted = platform::RegistryBusyTimeout();
    if (wanted == busyTimeoutMs_) return;
    sqlite3_busy_timeout(db_, wanted);
    busyTimeoutMs_ = wanted;
}

void Store::Close() {
    for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
    statements_.clear();
    if (db_) sqlite3_close(db_);
    db_ = nullptr;
    depth_ = 0;
    reading_ = false;
}

Statement Store::Prepare(const char* sql) {
    if (auto it = statements_.find(sql); it != statements_.end()) return Statement(it->second);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return Statement(nullptr);
    }
    statements_.emplace(sql, stmt);
    return Statement(stmt);
}

bool Store::Exec(const char* sql) {
    return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool Store::Begin() {
    if (!Exec(depth_ == 0 ? "BEGIN IMMEDIATE" : "SAVEPOINT nested")) return false;
    ++depth_;
    return true;
}

bool Store::Commit() {
    if (depth_ <= 0) return false;
    if (depth_ == 1) {
        if (!Exec("COMMIT")) {
            Rollback();
            return false;
        }
        depth_ = 0;
        return true;
    }
    --depth_;
    return Exec("RELEASE nested");
}

void Store::Rollback() {
    if (depth_ <= 0) return;
    --depth_;
    if (depth_ == 0) {
        Exec("ROLLBACK");
    } else {
        Exec("ROLLBACK TO nested");
        Exec("RELEASE nested");
    }
}

bool Store::BeginRead() {
    if (depth_ > 0) return false;
    if (!Exec("PRAGMA query_only = ON")) return false;
    // A deferred transaction takes its snapshot at its first read, so it reads at once.
    if (!Exec("BEGIN") || !Exec("SELECT 1 FROM keys LIMIT 1")) {
        Exec("ROLLBACK");
        Exec("PRAGMA query_only = OFF");
        return false;
    }
    depth_ = 1;
    reading_ = true;
    return true;
}

void Store::EndRead() {
    if (!reading_) return;
    Exec("ROLLBACK");
    Exec("PRAGMA query_only = OFF");
    depth_ = 0;
    reading_ = false;
}

bool Store::Sync() {
    if (depth_ > 0) return true;  // the enclosing transaction syncs when it commits
    // With synchronous=NORMAL a commit only writes the log; syncing it here is what makes the
    // commit survive a power loss. The checkpoint cannot be relied on for that: while another
    // connection reads an older snapshot it copies (and syncs) nothing.
    sqlite3_file* log = nullptr;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_JOURNAL_POINTER, &log) == SQLITE_OK && log &&
        log->pMethods && log->pMethods->xSync(log, SQLITE_SYNC_NORMAL) != SQLITE_OK) {
        return false;
    }
    // Keeps the log short; whatever it cannot copy now waits in the log, already durable.
    sqlite3_wal_checkpoint_v2(db_, "main", SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    return true;
}

}  // namespace platform::registry
