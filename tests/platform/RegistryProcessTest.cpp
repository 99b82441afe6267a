// The registry shared between processes, across a killed process, and over a damaged file.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/PlatformConfig.h"
#include "platform/Registry.h"
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
    return rc == ERROR_SUCCESS ? value : -1;
}

int WaitFor(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
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
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const bool ok = ReadDword(u"\\Shared", u"Parent") == 1 &&
                        WriteDword(u"\\Shared", u"Child", 42, false) == ERROR_SUCCESS;
        _exit(ok ? 0 : 1);
    }
    const int status = WaitFor(child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(ReadDword(u"\\Shared", u"Child"), 42);
}

TEST(RegistryProcessTest, TwoProcessesWritingAtOnceLoseNothing) {
    TempPlatform temp;
    constexpr int kWrites = 150;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = fork();
        ASSERT_GE(children[c], 0);
        if (children[c] == 0) {
            const char16_t* path = c == 0 ? u"\\Race\\A" : u"\\Race\\B";
            for (int i = 0; i < kWrites; ++i) {
                const std::u16string name = u"V" + std::u16string(1, char16_t(u'0' + i % 10)) +
                                            std::u16string(1, char16_t(u'0' + i / 10 % 10)) +
                                            std::u16string(1, char16_t(u'0' + i / 100));
                if (WriteDword(path, name.c_str(), static_cast<DWORD>(i), false) != ERROR_SUCCESS) {
                    _exit(1);
                }
            }
            _exit(0);
        }
    }
    for (pid_t child : children) {
        const int status = WaitFor(child);
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
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        // The key stays open: the process dies in the middle of its work.
        HKEY key = nullptr;
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"\\Durable", 0, nullptr, 0, 0, nullptr, &key, nullptr);
        const BYTE data[] = {0x00, 0x80, 0x05, 0x00, 0xFF, 0x7F};
        const bool ok =
            RegSetValueExW(key, u"Completed", 0, REG_BINARY, data, sizeof data) == ERROR_SUCCESS &&
            RegFlushKey(key) == ERROR_SUCCESS;
        const char flag = ok ? 'y' : 'n';
        if (write(ready[1], &flag, 1) != 1) _exit(2);
        for (;;) pause();
    }
    close(ready[1]);
    char flag = 0;
    ASSERT_EQ(read(ready[0], &flag, 1), 1);
    close(ready[0]);
    kill(child, SIGKILL);
    const int status = WaitFor(child);
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

}  // namespace
