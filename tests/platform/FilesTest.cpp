#include "platform/Files.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "platform/PlatformConfig.h"
#include "platform/WideString.h"
#include "tests/support/TempPlatform.h"

namespace fs = std::filesystem;

namespace {

class FilesTest : public ::testing::Test {
  protected:
    void Write(const fs::path& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }
    std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::u16string Host(const fs::path& path) { return FromUtf8(path.string()); }

    // The error of an open that must fail; ERROR_SUCCESS (and the handle closed) if it opened.
    static DWORD OpenError(const char16_t* path, DWORD access, DWORD disposition) {
        HANDLE file = CreateFileW(path, access, 0, nullptr, disposition, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return GetLastError();
        CloseHandle(file);
        return ERROR_SUCCESS;
    }

    // Names and attributes a search yields, closing it afterwards.
    std::set<std::u16string> Names(const std::u16string& pattern,
                                   std::set<std::u16string>* folders = nullptr) {
        std::set<std::u16string> names;
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            names.insert(data.cFileName);
            if (folders && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                folders->insert(data.cFileName);
            }
        } while (FindNextFileW(find, &data));
        EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
        EXPECT_TRUE(FindClose(find));
        return names;
    }

    TempPlatform platform_;
    fs::path windows_ = platform_.DeviceRoot() / "Windows";
};

TEST_F(FilesTest, DevicePathsLieBelowTheDeviceFolderAndMatchWithoutCase) {
    Write(windows_ / "Cards.DLL", "x");
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\Cards.DLL"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesW(u"\\WINDOWS\\cards.dll"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesW(u"\\windows"), FILE_ATTRIBUTE_DIRECTORY);
    // The same file by its host path.
    EXPECT_EQ(GetFileAttributesW(Host(windows_ / "Cards.DLL").c_str()), FILE_ATTRIBUTE_NORMAL);

    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\missing.dll"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesW(u"\\Nowhere\\missing.dll"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
    // Leaving the device folder is refused, even towards something that exists.
    Write(platform_.Root() / "outside.txt", "x");
    EXPECT_EQ(GetFileAttributesW(u"\\..\\outside.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(DeleteFileW(u"\\Windows\\..\\..\\outside.txt"));
    EXPECT_TRUE(fs::exists(platform_.Root() / "outside.txt"));
    EXPECT_EQ(GetFileAttributesW(nullptr), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(u""), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FilesTest, ReadOnlyIsTheOwnersWritePermissionAndBlocksWritingAndDeleting) {
    Write(windows_ / "old.htm", "keep");
    ASSERT_TRUE(SetFileAttributesW(u"\\Windows\\old.htm", FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\old.htm"), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(fs::status(windows_ / "old.htm").permissions() & fs::perms::owner_write,
              fs::perms::none);

    EXPECT_FALSE(DeleteFileW(u"\\Windows\\old.htm"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(OpenError(u"\\Windows\\old.htm", GENERIC_WRITE, CREATE_ALWAYS),
              DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Read(windows_ / "old.htm"), "keep");

    ASSERT_TRUE(SetFileAttributesW(u"\\Windows\\old.htm", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\old.htm"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_TRUE(DeleteFileW(u"\\Windows\\old.htm"));
    EXPECT_FALSE(fs::exists(windows_ / "old.htm"));

    EXPECT_FALSE(SetFileAttributesW(u"\\Windows\\old.htm", FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    Write(windows_ / ".profile", "");
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\.profile"), FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FilesTest, EnumerationMatchesWildcardsWithoutCaseAndNeverYieldsDotEntries) {
    for (const char* name : {"Alpha.TXT", "beta.txt", "gamma.dat", "noext"}) {
        Write(windows_ / name, "12345");
    }
    fs::create_directory(windows_ / "Sub");

    std::set<std::u16string> folders;
    EXPECT_EQ(
        Names(u"\\Windows\\*.*", &folders),
        (std::set<std::u16string>{u"Alpha.TXT", u"beta.txt", u"gamma.dat", u"noext", u"Sub"}));
    EXPECT_EQ(folders, std::set<std::u16string>{u"Sub"});
    EXPECT_EQ(Names(u"\\Windows\\*"), Names(u"\\Windows\\*.*"));
    EXPECT_EQ(Names(u"\\windows\\*.TxT"), (std::set<std::u16string>{u"Alpha.TXT", u"beta.txt"}));
    EXPECT_EQ(Names(u"\\Windows\\?ETA.*"), std::set<std::u16string>{u"beta.txt"});
    EXPECT_EQ(Names(u"\\Windows\\NOEXT.*"), std::set<std::u16string>{u"noext"});
    EXPECT_EQ(Names(u"\\Windows\\a*a*.t?t"), std::set<std::u16string>{u"Alpha.TXT"});
    EXPECT_EQ(Names(u"\\Windows\\beta.tx"), std::set<std::u16string>{});
    // The device folder itself and host patterns.
    EXPECT_EQ(Names(u"\\*"), std::set<std::u16string>{u"Windows"});
    EXPECT_EQ(Names(Host(windows_ / "*.dat")), std::set<std::u16string>{u"gamma.dat"});

    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(u"\\Windows\\gamma.dat", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    EXPECT_EQ(data.nFileSizeLow, 5u);
    EXPECT_EQ(data.nFileSizeHigh, 0u);
    EXPECT_FALSE(FindNextFileW(find, &data));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(find));

    EXPECT_EQ(FindFirstFileW(u"\\Windows\\*.xyz", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileW(u"\\Nowhere\\*", &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(FilesTest, DeletingWhileEnumeratingVisitsEveryEntryOnce) {
    for (int i = 0; i < 20; ++i) Write(windows_ / ("f" + std::to_string(i)), "");
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(u"\\Windows\\*.*", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    int seen = 0;
    do {
        ++seen;
        EXPECT_TRUE(DeleteFileW((u"\\Windows\\" + std::u16string(data.cFileName)).c_str()));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    EXPECT_EQ(seen, 20);
    EXPECT_TRUE(fs::is_empty(windows_));
}

TEST_F(FilesTest, SymbolicLinksAreFilesAndAreNeverFollowed) {
    const fs::path outside = platform_.Root() / "outside";
    fs::create_directory(outside);
    Write(outside / "precious", "data");
    fs::create_directory_symlink(outside, windows_ / "Link");
    fs::create_symlink(outside / "precious", windows_ / "FileLink");

    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\Link"), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\Link\\"), FILE_ATTRIBUTE_NORMAL);
    std::set<std::u16string> folders;
    EXPECT_EQ(Names(u"\\Windows\\*", &folders), (std::set<std::u16string>{u"Link", u"FileLink"}));
    EXPECT_TRUE(folders.empty());
    WIN32_FIND_DATAW data;
    EXPECT_EQ(FindFirstFileW(u"\\Windows\\Link\\*", &data), INVALID_HANDLE_VALUE);

    // Nothing done to a link reaches its target.
    EXPECT_TRUE(SetFileAttributesW(u"\\Windows\\FileLink", FILE_ATTRIBUTE_READONLY));
    EXPECT_NE(fs::status(outside / "precious").permissions() & fs::perms::owner_write,
              fs::perms::none);
    EXPECT_EQ(
        CreateFileW(u"\\Windows\\FileLink", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr),
        INVALID_HANDLE_VALUE);
    EXPECT_EQ(Read(outside / "precious"), "data");
    EXPECT_FALSE(RemoveDirectoryW(u"\\Windows\\Link"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DIRECTORY));

    EXPECT_TRUE(DeleteFileW(u"\\Windows\\Link"));
    EXPECT_TRUE(DeleteFileW(u"\\Windows\\FileLink"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(windows_ / "Link")));
    EXPECT_EQ(Read(outside / "precious"), "data");
}

TEST_F(FilesTest, DevicePathsThroughALinkedFolderReachNothing) {
    const fs::path outside = platform_.Root() / "outside";
    fs::create_directories(outside / "Sub");
    fs::create_directories(outside / "Empty");
    Write(outside / "precious", "data");
    Write(outside / "Sub" / "deep", "data");
    fs::create_directory_symlink(outside, windows_ / "Link");
    fs::create_directories(windows_ / "Real");
    fs::create_directory_symlink(outside, windows_ / "Real" / "Inner");

    auto expectPathNotFound = [](bool failed, const char16_t* path) {
        EXPECT_TRUE(failed) << ToUtf8(path);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND)) << ToUtf8(path);
    };
    for (const char16_t* path : {u"\\Windows\\Link\\precious", u"\\windows\\LINK\\Sub\\deep",
                                 u"\\Windows\\Real\\Inner\\precious"}) {
        expectPathNotFound(GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES, path);
        expectPathNotFound(!SetFileAttributesW(path, FILE_ATTRIBUTE_READONLY), path);
        expectPathNotFound(!DeleteFileW(path), path);
        for (DWORD access : {GENERIC_READ, GENERIC_READ | GENERIC_WRITE}) {
            expectPathNotFound(CreateFileW(path, access, 0, nullptr, OPEN_EXISTING, 0, nullptr) ==
                                   INVALID_HANDLE_VALUE,
                               path);
        }
    }
    expectPathNotFound(CreateFileW(u"\\Windows\\Link\\new", GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   0, nullptr) == INVALID_HANDLE_VALUE,
                       u"new");
    expectPathNotFound(!CreateDirectoryW(u"\\Windows\\Link\\NewFolder", nullptr), u"NewFolder");
    expectPathNotFound(!RemoveDirectoryW(u"\\Windows\\Link\\Empty"), u"Empty");
    WIN32_FIND_DATAW data;
    expectPathNotFound(FindFirstFileW(u"\\Windows\\Link\\Sub\\*", &data) == INVALID_HANDLE_VALUE,
                       u"Sub\\*");

    EXPECT_EQ(Read(outside / "precious"), "data");
    EXPECT_EQ(Read(outside / "Sub" / "deep"), "data");
    EXPECT_NE(fs::status(outside / "precious").permissions() & fs::perms::owner_write,
              fs::perms::none);
    EXPECT_TRUE(fs::is_directory(outside / "Empty"));
    EXPECT_FALSE(fs::exists(outside / "new"));
    EXPECT_FALSE(fs::exists(outside / "NewFolder"));

    // Host paths go through their folders' links as the host does, and the device folder
    // itself may be a link.
    EXPECT_EQ(GetFileAttributesW(Host(windows_ / "Link" / "precious").c_str()),
              FILE_ATTRIBUTE_NORMAL);
    const fs::path linkedRoot = platform_.Root() / "linked-device";
    fs::create_directory_symlink(platform_.DeviceRoot(), linkedRoot);
    platform::SetDeviceRoot(linkedRoot);
    Write(windows_ / "Real" / "plain", "x");
    EXPECT_EQ(GetFileAttributesW(u"\\Windows\\Real\\plain"), FILE_ATTRIBUTE_NORMAL);
    platform::SetDeviceRoot(platform_.DeviceRoot());
}

TEST_F(FilesTest, FoldersAreCreatedAndRemovedOnlyWhenEmpty) {
    EXPECT_TRUE(CreateDirectoryW(u"\\Windows\\Games", nullptr));
    EXPECT_FALSE(CreateDirectoryW(u"\\Windows\\Games", nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_FALSE(CreateDirectoryW(u"\\Nowhere\\Games", nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));

    Write(windows_ / "Games" / "a", "");
    EXPECT_FALSE(RemoveDirectoryW(u"\\Windows\\Games"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(DeleteFileW(u"\\Windows\\Games"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(RemoveDirectoryW(u"\\Windows\\Games\\a"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DIRECTORY));
    EXPECT_TRUE(DeleteFileW(u"\\Windows\\Games\\a"));
    EXPECT_TRUE(RemoveDirectoryW(u"\\Windows\\Games\\"));
    EXPECT_FALSE(fs::exists(windows_ / "Games"));
}

TEST_F(FilesTest, CreateReadWriteAndSize) {
    HANDLE out =
        CreateFileW(u"\\Windows\\data.bin", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(out, "hello world", 11, &written, nullptr));
    EXPECT_EQ(written, 11u);
    DWORD scratch;
    EXPECT_FALSE(ReadFile(out, &scratch, 1, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(CloseHandle(out));

    EXPECT_EQ(OpenError(u"\\Windows\\data.bin", GENERIC_WRITE, CREATE_NEW),
              DWORD(ERROR_FILE_EXISTS));

    HANDLE in = CreateFileW(u"\\WINDOWS\\DATA.BIN", GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(in, INVALID_HANDLE_VALUE);
    DWORD high = 7;
    EXPECT_EQ(GetFileSize(in, &high), 11u);
    EXPECT_EQ(high, 0u);
    char buffer[32] = {};
    DWORD read = 0;
    EXPECT_TRUE(ReadFile(in, buffer, 5, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), "hello");
    EXPECT_TRUE(ReadFile(in, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(std::string(buffer, read), " world");
    EXPECT_TRUE(ReadFile(in, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(read, 0u);
    EXPECT_FALSE(WriteFile(in, "x", 1, &written, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(CloseHandle(in));

    EXPECT_EQ(OpenError(u"\\Windows\\none.bin", GENERIC_READ, OPEN_EXISTING),
              DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(OpenError(u"\\Windows", GENERIC_READ, OPEN_EXISTING), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(OpenError(u"\\Windows\\data.bin", GENERIC_READ, 99), DWORD(ERROR_INVALID_PARAMETER));
}

TEST_F(FilesTest, BadHandlesAreRefusedWithoutHarm) {
    WIN32_FIND_DATAW data;
    char buffer[4];
    DWORD count = 0;
    Write(windows_ / "a.txt", "abc");
    HANDLE find = FindFirstFileW(u"\\Windows\\*", &data);
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    HANDLE file =
        CreateFileW(u"\\Windows\\a.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(CloseHandle(file));

    HANDLE bad[] = {nullptr, INVALID_HANDLE_VALUE, file, find,
                    reinterpret_cast<HANDLE>(std::uintptr_t{0xDEADBEEF})};
    for (HANDLE handle : bad) {
        EXPECT_FALSE(ReadFile(handle, buffer, sizeof buffer, &count, nullptr));
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
        EXPECT_FALSE(WriteFile(handle, buffer, sizeof buffer, &count, nullptr));
        EXPECT_EQ(GetFileSize(handle, nullptr), INVALID_FILE_SIZE);
        EXPECT_FALSE(CloseHandle(handle));
        EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
        if (handle != find) {
            EXPECT_FALSE(FindNextFileW(handle, &data));
            EXPECT_FALSE(FindClose(handle));
            EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
        }
    }
    EXPECT_TRUE(FindClose(find));
    EXPECT_FALSE(FindClose(find));
    EXPECT_FALSE(FindNextFileW(find, &data));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
}

}  // namespace
