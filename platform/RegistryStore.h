// Private to the registry: the SQLite connection behind it, (re)opened for the current
// platform::RegistryPath(), with cached statements and nestable write transactions.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

namespace platform::registry {

// Every registry call holds this while it runs.
std::recursive_mutex& Mutex();

constexpr std::int64_t kLocalMachineRoot = 1;
constexpr std::int64_t kCurrentUserRoot = 2;

// A cached prepared statement, reset and unbound again when the object ends.
class Statement {
  public:
    explicit Statement(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Valid() const { return stmt_ != nullptr; }
    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, std::string_view text);
    Statement& BindBlob(int index, const void* data, std::size_t size);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step();
    std::int64_t Int(int column) const;
    std::string_view Text(int column) const;
    const unsigned char* Blob(int column) const;
    std::size_t Bytes(int column) const;

  private:
    sqlite3_stmt* stmt_;
};

class Store {
  public:
    // The store for the current registry path; null when it cannot be opened. Reopens when
    // the path has changed (and the generation then changes) or the process has forked.
    // While a transaction is open the store in use is kept.
    static Store* Current();

    std::uint64_t Generation() const { return generation_; }
    sqlite3* Db() const { return db_; }
    Statement Prepare(const char* sql);
    bool Exec(const char* sql);
    bool InTransaction() const { return depth_ > 0; }

    // Write transactions nest: the outermost takes the write lock (BEGIN IMMEDIATE), inner
    // ones are savepoints.
    bool Begin();
    bool Commit();
    void Rollback();

    // A read transaction instead: it sees one moment of the store and writes nothing (the
    // connection refuses writes until EndRead). Only when no transaction is open.
    bool BeginRead();
    void EndRead();

    // Makes every committed change durable: syncs the write-ahead log, then copies what it
    // can into the store file. False only when the sync fails.
    bool Sync();

  private:
    Store() = default;
    static void CloseAtExit();
    bool Open(const std::filesystem::path& path);
    void Close();
    // Follows a change of platform::RegistryBusyTimeout() on the open connection.
    void ApplyBusyTimeout();

    sqlite3* db_ = nullptr;
    std::filesystem::path path_;
    long pid_ = 0;
    int busyTimeoutMs_ = 0;
    std::uint64_t generation_ = 0;
    int depth_ = 0;
    bool reading_ = false;
    std::map<std::string, sqlite3_stmt*, std::less<>> statements_;

    static Store* instance_;
};

// One write transaction; rolled back unless committed.
class WriteTransaction {
  public:
    explicit WriteTransaction(Store& store) : store_(store), ok_(store.Begin()) {}
    ~WriteTransaction() {
        if (ok_ && !done_) store_.Rollback();
    }
    WriteTransaction(const WriteTransaction&) = delete;
    WriteTransaction& operator=(const WriteTransaction&) = delete;
    bool Ok() const { return ok_; }
    bool Commit() {
        done_ = true;
        return ok_ && store_.Commit();
    }

  private:
    Store& store_;
    bool ok_;
    bool done_ = false;
};

}  // namespace platform::registry
