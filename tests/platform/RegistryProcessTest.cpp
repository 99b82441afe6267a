// The registry shared between processes, across a killed process, and over a damaged file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>

#include "platform/PlatformConfig.h"
#include "platform/Registry.h"
#include "platform/RegistryStore.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempPlatform.h"

namespace fs = std::filesystem;

namespace {

LONG WriteDword(const char16_t* path, const char16_t* name, DWORD value, bool flush) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, 0, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
    rc = RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
    if (rc == ERROR_SUCCESS && flush) rc = RegFlushKey(key);
    RegCloseKey(key);
    return rc;
}

// The stored number, or -1 when it cannot be read.
long long ReadDword(const char16_t* path, const char16_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, 0, &key) != ERROR_SUCCESS) return -1;
    DWORD value = 0, size = 4;
    const LONG rc =
        RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? static_cast<long long>(value) : -1;
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<fs::path> SetAsideFiles(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("registry.sqlite.corrupt-") && !name.ends_with("-wal") &&
            !name.ends_with("-shm")) {
            found.push_back(entry.path());
        }
    }
    return found;
}

TEST(RegistryProcessTest, AValueWrittenByOneProcessIsReadByAnother) {
    TempPlatform temp;
    // This process holds the store open while the child writes to it.
    ASSERT_EQ(WriteDword(u"\\Shared", u"Parent", 1, false), ERROR_SUCCESS);
    ChildProcess child([](int, int) {
        const bool ok = ReadDword(u"\\Shared", u"Parent") == 1 &&
                        WriteDword(u"\\Shared", u"Child", 42, false) == ERROR_SUCCESS;
        return ok ? 0 : 1;
    });
    const int status = child.Wait();
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadDword(u"\\Shared", u"Child"), 42);
}

TEST(RegistryProcessTest, TwoProcessesWritingAtOnceLoseNothing) {
    TempPlatform temp;
    constexpr int kWrites = 150;
    const auto writer = [](const char16_t* path) {
        return [path](int, int) {
            for (int i = 0; i < kWrites; ++i) {
                const std::u16string name = u"V" + std::u16string(1, char16_t(u'0' + i % 10)) +
                                            std::u16string(1, char16_t(u'0' + i / 10 % 10)) +
                                            std::u16string(1, char16_t(u'0' + i / 100));
                if (WriteDword(path, name.c_str(), static_cast<DWORD>(i), false) != ERROR_SUCCESS) {
                    return 1;
                }
            }
            return 0;
        };
    };
    ChildProcess first(writer(u"\\Race\\A"));
    ChildProcess second(writer(u"\\Race\\B"));
    for (ChildProcess* child : {&first, &second}) {
        const int status = child->Wait();
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    for (const char16_t* path : {u"\\Race\\A", u"\\Race\\B"}) {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, 0, &key), ERROR_SUCCESS);
        DWORD count = 0;
        WCHAR name[MAX_PATH];
        DWORD length = MAX_PATH;
        while (RegEnumValueW(key, count, name, &length, nullptr, nullptr, nullptr, nullptr) ==
               ERROR_SUCCESS) {
            ++count;
            length = MAX_PATH;
        }
        EXPECT_EQ(count, static_cast<DWORD>(kWrites));
        RegCloseKey(key);
    }
}

TEST(RegistryProcessTest, AFlushedWriteSurvivesTheWriterBeingKilled) {
    TempPlatform temp;
    ChildProcess child([](int out, int) {
        // The key stays open: the process dies in the middle of its work.
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"\\Durable", 0, nullptr, 0, 0, nullptr, &key, nullptr);
        const BYTE data[] = {0x00, 0x80, 0x05, 0x00, 0xFF, 0x7F};
        const bool ok =
            RegSetValueExW(key, u"Completed", 0, REG_BINARY, data, sizeof data) == ERROR_SUCCESS &&
            RegFlushKey(key) == ERROR_SUCCESS;
        const char flag = ok ? 'y' : 'n';
        if (write(out, &flag, 1) != 1) return 2;
        for (;;) pause();
    });
    char flag = 0;
    ASSERT_TRUE(child.Read(&flag, 1));
    child.Kill();
    const int status = child.Wait();
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(flag, 'y');

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\Durable", 0, 0, &key), ERROR_SUCCESS);
    BYTE data[8] = {};
    DWORD size = sizeof data;
    ASSERT_EQ(RegQueryValueExW(key, u"Completed", nullptr, nullptr, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(data[2], 0x05);
    RegCloseKey(key);
}

// The default file system of SQLite, except that it counts the syncs of write-ahead logs. Only
// the methods of log files are swapped for a copy whose xSync counts and passes on.
class LogSyncCounter {
  public:
    LogSyncCounter() {
        real_ = sqlite3_vfs_find(nullptr);
        vfs_ = *real_;
        vfs_.zName = "tessamo-log-sync-counter";
        vfs_.xOpen = Open;
        sqlite3_vfs_register(&vfs_, 1);
    }
    // Connections opened meanwhile keep using it, so it stays registered (but not default).
    ~LogSyncCounter() { sqlite3_vfs_register(real_, 1); }
    int Syncs() const { return syncs_; }
    const char* RealName() const { return real_->zName; }

  private:
    static int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags,
                    int* outFlags) {
        const int rc = real_->xOpen(real_, name, file, flags, outFlags);
        if (rc != SQLITE_OK || !(flags & SQLITE_OPEN_WAL) || !file->pMethods) return rc;
        if (!original_) {
            original_ = file->pMethods;
            counting_ = *original_;
            counting_.xSync = Sync;
        }
        if (file->pMethods == original_) file->pMethods = &counting_;
        return rc;
    }
    static int Sync(sqlite3_file* file, int flags) {
        ++syncs_;
        return original_->xSync(file, flags);
    }

    static inline sqlite3_vfs* real_ = nullptr;
    static inline sqlite3_vfs vfs_{};
    static inline const sqlite3_io_methods* original_ = nullptr;
    static inline sqlite3_io_methods counting_{};
    static inline int syncs_ = 0;
};

TEST(RegistryProcessTest, AFlushSyncsTheLogEvenWhileAnotherReaderHoldsASnapshot) {
    LogSyncCounter counter;
    TempPlatform temp;
    ASSERT_EQ(WriteDword(u"\\Software", u"Before", 1, true), ERROR_SUCCESS);

    // Another program reading meanwhile keeps the log from being copied into the store file,
    // so only a sync of the log itself makes the next write durable.
    sqlite3* reader = nullptr;
    ASSERT_EQ(sqlite3_open_v2(temp.RegistryFile().c_str(), &reader, SQLITE_OPEN_READWRITE,
                              counter.RealName()),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(reader, "BEGIN; SELECT count(*) FROM vals;", nullptr, nullptr, nullptr),
              SQLITE_OK);
    ASSERT_EQ(sqlite3_txn_state(reader, "main"), SQLITE_TXN_READ);

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\Software", 0, 0, &key), ERROR_SUCCESS);
    const DWORD value = 2;
    ASSERT_EQ(RegSetValueExW(key, u"After", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4),
              ERROR_SUCCESS);
    const int before = counter.Syncs();
    EXPECT_EQ(RegFlushKey(key), ERROR_SUCCESS);
    EXPECT_GT(counter.Syncs(), before);
    RegCloseKey(key);

    sqlite3_exec(reader, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(reader);
}

TEST(RegistryProcessTest, ADamagedStoreIsSetAsideAndAnEmptyOneStarted) {
    TempPlatform temp;
    std::string garbage = "this is no database, but it must not be thrown away\n";
    for (int i = 0; i < 200; ++i) garbage += static_cast<char>(i * 37);
    {
        std::ofstream out(temp.RegistryFile(), std::ios::binary);
        out << garbage;
    }
    EXPECT_EQ(ReadDword(u"\\Software", u"V"), -1);
    ASSERT_EQ(WriteDword(u"\\Software", u"V", 3, true), ERROR_SUCCESS);
    EXPECT_EQ(ReadDword(u"\\Software", u"V"), 3);

    const auto aside = SetAsideFiles(temp.Root());
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_TRUE(ReadFile(aside[0]) == garbage);  // compared whole: binary
}

TEST(RegistryProcessTest, SomebodyElsesDatabaseIsSetAsideUntouched) {
    TempPlatform temp;
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(temp.RegistryFile().c_str(), &db), SQLITE_OK);
        sqlite3_exec(db, "CREATE TABLE notes(text); INSERT INTO notes VALUES('keep me');", nullptr,
                     nullptr, nullptr);
        sqlite3_close(db);
    }
    const std::string original = ReadFile(temp.RegistryFile());
    ASSERT_EQ(WriteDword(u"\\Software", u"V", 3, true), ERROR_SUCCESS);
    const auto aside = SetAsideFiles(temp.Root());
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_TRUE(ReadFile(aside[0]) == original);
    EXPECT_EQ(ReadDword(u"\\Software", u"V"), 3);
}

TEST(RegistryProcessTest, AHealthyStoreIsNeverSetAside) {
    TempPlatform temp;
    ASSERT_EQ(WriteDword(u"\\Software", u"V", 3, true), ERROR_SUCCESS);
    // Leave the store and come back, so that it is opened and checked again.
    platform::SetRegistryPath(temp.Root() / "elsewhere.sqlite");
    EXPECT_EQ(ReadDword(u"\\Software", u"V"), -1);
    platform::SetRegistryPath(temp.RegistryFile());
    EXPECT_EQ(ReadDword(u"\\Software", u"V"), 3);
    EXPECT_TRUE(SetAsideFiles(temp.Root()).empty());
}

// Every key and value below `key` with its bytes, or the first error other than the end of
// an enumeration.
LONG WalkAll(HKEY key, int* entries) {
    for (DWORD i = 0;; ++i) {
        WCHAR name[300];
        DWORD length = 300;
        BYTE data[64];
        DWORD size = sizeof data;
        const LONG rc = RegEnumValueW(key, i, name, &length, nullptr, nullptr, data, &size);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        if (rc != ERROR_SUCCESS) return rc;
        ++*entries;
    }
    for (DWORD i = 0;; ++i) {
        WCHAR name[300];
        DWORD length = 300;
        LONG rc = RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS) break;
        HKEY child = nullptr;
        if (rc == ERROR_SUCCESS) rc = RegOpenKeyExW(key, name, 0, 0, &child);
        if (rc == ERROR_SUCCESS) rc = WalkAll(child, entries);
        RegCloseKey(child);
        if (rc != ERROR_SUCCESS) return rc;
        ++*entries;
    }
    return ERROR_SUCCESS;
}

// Points the registry at another store and makes a call there, which closes the store in
// use: its log is folded back into the file.
void LeaveStore(const TempPlatform& temp) {
    platform::SetRegistryPath(temp.Root() / "elsewhere.sqlite");
    ReadDword(u"\\Software", u"V");
}

// A store of some pages: keys with values, written and closed again.
std::string MakeStoreBytes(const TempPlatform& temp) {
    for (int k = 0; k < 120; ++k) {
        const std::u16string path = u"\\Software\\Key" + std::u16string(1, u'A' + k % 26) +
                                    std::u16string(1, u'a' + k / 26);
        for (const char16_t* name : {u"Games", u"Won", u"Completed"}) {
            EXPECT_EQ(WriteDword(path.c_str(), name, static_cast<DWORD>(k), false), ERROR_SUCCESS);
        }
    }
    LeaveStore(temp);
    return ReadFile(temp.RegistryFile());
}

// Damage that leaves pages readable but indexes or order wrong passed a shallow check, and
// reads then failed half-way. Now a store either passes a full check and reads whole, or is
// set aside.
TEST(RegistryProcessTest, ARandomlyDamagedStoreIsSetAsideOrReadWhole) {
    TempPlatform temp;
    const std::string pristine = MakeStoreBytes(temp);
    ASSERT_GT(pristine.size(), 4096u * 4);
    std::mt19937 random(20261208);
    int setAside = 0;
    for (int trial = 0; trial < 100; ++trial) {
        const fs::path folder = temp.Root() / ("trial" + std::to_string(trial));
        fs::create_directories(folder);
        std::string damaged = pristine;
        // Any page but the first, whose header SQLite checks by itself.
        const std::size_t pages = damaged.size() / 4096;
        const std::size_t at = 4096 * (1 + random() % (pages - 1)) + random() % 4096;
        for (std::size_t i = at; i < std::min(damaged.size(), at + 1 + random() % 12); ++i) {
            damaged[i] = static_cast<char>(random());
        }
        std::ofstream(folder / "registry.sqlite", std::ios::binary) << damaged;
        platform::SetRegistryPath(folder / "registry.sqlite");
        int entries = 0;
        const LONG rc = WalkAll(HKEY_LOCAL_MACHINE, &entries);
        EXPECT_EQ(rc, ERROR_SUCCESS) << "trial " << trial << ": damage at byte " << at
                                     << " passed the check but reading failed";
        if (!SetAsideFiles(folder).empty()) {
            ++setAside;
            EXPECT_EQ(entries, 0);
        }
    }
    EXPECT_GT(setAside, 0);
}

// Our application id on a file whose tables are missing or altered, or that carries objects
// of somebody else's: every write would fail. It is set aside like any damaged store.
TEST(RegistryProcessTest, AStoreWithAlteredTablesIsSetAside) {
    TempPlatform temp;
    const char* alterations[] = {
        "DROP TABLE vals",
        "ALTER TABLE keys ADD COLUMN extra",
        "CREATE TABLE extra(x)",
        "CREATE TRIGGER t AFTER INSERT ON vals BEGIN DELETE FROM vals; END",
        "DELETE FROM keys WHERE id = 2",
        "CREATE INDEX byname ON vals(name)",
    };
    for (const char* alteration : alterations) {
        const fs::path folder = temp.Root() / std::to_string(std::hash<std::string>()(alteration));
        fs::create_directories(folder);
        platform::SetRegistryPath(folder / "registry.sqlite");
        ASSERT_EQ(WriteDword(u"\\Software", u"V", 3, false), ERROR_SUCCESS);
        LeaveStore(temp);
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((folder / "registry.sqlite").c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, alteration, nullptr, nullptr, nullptr), SQLITE_OK) << alteration;
        sqlite3_close(db);
        const std::string altered = ReadFile(folder / "registry.sqlite");

        platform::SetRegistryPath(folder / "registry.sqlite");
        EXPECT_EQ(ReadDword(u"\\Software", u"V"), -1) << alteration;
        EXPECT_EQ(WriteDword(u"\\Software", u"V", 4, true), ERROR_SUCCESS) << alteration;
        EXPECT_EQ(ReadDword(u"\\Software", u"V"), 4) << alteration;
        const auto aside = SetAsideFiles(folder);
        ASSERT_EQ(aside.size(), 1u) << alteration;
        EXPECT_TRUE(ReadFile(aside[0]) == altered) << alteration;
    }
}

// A store damaged while in use: the failing read is reported as such, never as a missing key
// or value or as the end of a listing.
TEST(RegistryProcessTest, AReadFailureIsNeverAMissingEntryOrTheEnd) {
    TempPlatform temp;
    ASSERT_EQ(WriteDword(u"\\Software\\A", u"V", 1, true), ERROR_SUCCESS);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\Software", 0, 0, &key), ERROR_SUCCESS);
    platform::registry::Store* store = platform::registry::Store::Current();
    ASSERT_NE(store, nullptr);
    ASSERT_EQ(sqlite3_wal_checkpoint_v2(store->Db(), "main", SQLITE_CHECKPOINT_TRUNCATE, nullptr,
                                        nullptr),
              SQLITE_OK);
    {
        std::fstream file(temp.RegistryFile(), std::ios::binary | std::ios::in | std::ios::out);
        const std::string garbage(4096 * 8, '\xA5');
        file.seekp(4096);
        file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    sqlite3_db_release_memory(store->Db());

    WCHAR name[MAX_PATH];
    DWORD length = MAX_PATH;
    EXPECT_EQ(RegEnumKeyExW(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
              ERROR_READ_FAULT);
    length = MAX_PATH;
    EXPECT_EQ(
        RegEnumValueW(HKEY_LOCAL_MACHINE, 0, name, &length, nullptr, nullptr, nullptr, nullptr),
        ERROR_READ_FAULT);
    HKEY child = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\Software\\A", 0, 0, &child), ERROR_READ_FAULT);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExW(key, u"V", nullptr, nullptr, nullptr, &size), ERROR_READ_FAULT);
    RegCloseKey(key);
}

}  // namespace
