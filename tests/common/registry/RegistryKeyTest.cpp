#include "common/registry/RegistryKey.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/RegistrySupport.h"
#include "tests/support/TempPlatform.h"

namespace {

constexpr LPCWSTR kPath = u"\\Software\\Test";

struct Stored {
    LONG rc;
    DWORD type;
    std::vector<BYTE> bytes;
};

Stored Read(LPCWSTR path, LPCWSTR name) {
    Stored result{ERROR_FILE_NOT_FOUND, REG_NONE, {}};
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, 0, &key) != ERROR_SUCCESS) return result;
    DWORD size = 0;
    result.rc = RegQueryValueExW(key, name, nullptr, &result.type, nullptr, &size);
    if (result.rc == ERROR_SUCCESS) {
        result.bytes.resize(size);
        result.rc = RegQueryValueExW(key, name, nullptr, nullptr, result.bytes.data(), &size);
    }
    RegCloseKey(key);
    return result;
}

void Write(LPCWSTR path, LPCWSTR name, DWORD type, std::vector<BYTE> bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, 0, 0, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

class RegistryKeyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::SetRegistryObserver([this](const platform::RegistryEvent& event) {
            if (event.kind == platform::RegistryEvent::Kind::kFlush) flushed_.push_back(event.key);
        });
    }
    void TearDown() override { platform::SetRegistryObserver({}); }

    TempPlatform temp_;
    std::vector<std::u16string> flushed_;
};

TEST_F(RegistryKeyTest, GetDwordWritesBackAMissingDefaultWithoutFlushing) {
    {
        RegistryKey key(HKEY_LOCAL_MACHINE, kPath, true, true);
        ASSERT_NE(key.Handle(), nullptr);
        EXPECT_EQ(key.GetDword(u"Missing", 1), 1u);
    }
    const Stored stored = Read(kPath, u"Missing");
    ASSERT_EQ(stored.rc, ERROR_SUCCESS);
    EXPECT_EQ(stored.type, REG_DWORD);
    EXPECT_EQ(stored.bytes, (std::vector<BYTE>{1, 0, 0, 0}));
    EXPECT_TRUE(flushed_.empty());  // a key only read is never flushed
}

TEST_F(RegistryKeyTest, GetDwordReadsFourBytesOfAnyTypeAndReplacesLongerValues) {
    Write(kPath, u"Binary", REG_BINARY, {0x78, 0x56, 0x34, 0x12});
    Write(kPath, u"Long", REG_DWORD, {1, 2, 3, 4, 5, 6, 7, 8});
    Write(kPath, u"Short", REG_DWORD, {0x34, 0x12});
    {
        RegistryKey key(HKEY_LOCAL_MACHINE, kPath, true, true);
        EXPECT_EQ(key.GetDword(u"Binary", 9), 0x12345678u);
        EXPECT_EQ(key.GetDword(u"Long", 9), 9u);
        EXPECT_EQ(key.GetDword(u"Short", 9), 0x1234u);  // the missing high bytes read as 0
    }
    const Stored replaced = Read(kPath, u"Long");
    EXPECT_EQ(replaced.type, REG_DWORD);
    EXPECT_EQ(replaced.bytes, (std::vector<BYTE>{9, 0, 0, 0}));
    EXPECT_EQ(Read(kPath, u"Binary").type, REG_BINARY);  // a value read is left alone
}

TEST_F(RegistryKeyTest, AWrittenKeyIsFlushedExactlyOnceWhenItCloses) {
    const auto before = platform::RegistryFlushCount();
    {
        RegistryKey key(HKEY_LOCAL_MACHINE, kPath, true, true);
        EXPECT_TRUE(key.SetDword(u"A", 1));
        EXPECT_TRUE(key.SetDword(u"B", 2));
        const BYTE data[] = {1, 2, 3};
        EXPECT_TRUE(key.SetBinary(u"C", data, sizeof data));
        EXPECT_TRUE(flushed_.empty());  // not before the key closes
    }
    EXPECT_EQ(platform::RegistryFlushCount(), before + 1);
    ASSERT_EQ(flushed_.size(), 1u);
    EXPECT_EQ(flushed_[0], u"HKEY_LOCAL_MACHINE\\Software\\Test");
    EXPECT_EQ(Read(kPath, u"B").bytes, (std::vector<BYTE>{2, 0, 0, 0}));

    // Without flush on close, or when nothing was written, there is no flush.
    {
        RegistryKey key(HKEY_LOCAL_MACHINE, kPath, true, false);
        EXPECT_TRUE(key.SetDword(u"A", 5));
    }
    {
        RegistryKey key(HKEY_LOCAL_MACHINE, kPath, true, true);
        EXPECT_FALSE(key.SetDword(nullptr, 5));
        EXPECT_FALSE(key.SetBinary(u"C", nullptr, 3));
    }
    EXPECT_EQ(flushed_.size(), 1u);
    EXPECT_EQ(Read(kPath, u"A").bytes, (std::vector<BYTE>{5, 0, 0, 0}));
    EXPECT_EQ(Read(kPath, u"C").bytes, (std::vector<BYTE>{1, 2, 3}));
}

TEST_F(RegistryKeyTest, AKeyThatCannotBeOpenedFailsQuietly) {
    {
        RegistryKey key(HKEY_LOCAL_MACHINE, u"\\Nowhere", false, true);
        EXPECT_EQ(key.Handle(), nullptr);
        EXPECT_EQ(key.GetDword(u"V", 7), 7u);
        EXPECT_FALSE(key.SetDword(u"V", 1));
        DWORD size = 0;
        EXPECT_FALSE(key.GetBinary(u"V", nullptr, size));
        std::u16string name = u"left over";
        EXPECT_FALSE(key.FirstSubkey(name));
        EXPECT_EQ(name, u"");
    }
    HKEY probe = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\Nowhere", 0, 0, &probe), ERROR_FILE_NOT_FOUND);
    // A key that cannot be created (a name with a control character) behaves the same.
    RegistryKey bad(HKEY_LOCAL_MACHINE, u"\\Bad\x01Name", true, true);
    EXPECT_EQ(bad.Handle(), nullptr);
    EXPECT_FALSE(bad.SetDword(u"V", 1));
}

TEST_F(RegistryKeyTest, GetBinaryReportsSizesAndRefusesSmallBuffers) {
    Write(kPath, u"Completed", REG_BINARY, {0x00, 0x80, 0xFF, 0x7F});
    RegistryKey key(HKEY_LOCAL_MACHINE, kPath, true, true);
    DWORD size = 0;
    ASSERT_TRUE(key.GetBinary(u"Completed", nullptr, size));
    EXPECT_EQ(size, 4u);
    BYTE small[2] = {};
    size = sizeof small;
    EXPECT_FALSE(key.GetBinary(u"Completed", small, size));
    EXPECT_EQ(size, 4u);
    BYTE buffer[4] = {};
    ASSERT_TRUE(key.GetBinary(u"Completed", buffer, size));
    EXPECT_EQ(buffer[1], 0x80);
    EXPECT_FALSE(key.GetBinary(u"Missing", nullptr, size));
}

TEST_F(RegistryKeyTest, EnumerationVisitsEveryNameThenStops) {
    Write(u"\\Software\\Test\\Two", u"x", REG_DWORD, {0, 0, 0, 0});
    Write(u"\\Software\\Test\\One", u"x", REG_DWORD, {0, 0, 0, 0});
    Write(kPath, u"Value", REG_DWORD, {0, 0, 0, 0});
    RegistryKey key(HKEY_LOCAL_MACHINE, kPath, false, false);
    std::vector<std::u16string> names;
    std::u16string name;
    for (bool more = key.FirstSubkey(name); more; more = key.NextSubkey(name)) {
        names.push_back(name);
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"One", u"Two"}));
    EXPECT_EQ(name, u"");  // past the last subkey the name is emptied

    ASSERT_TRUE(key.FirstValue(name));
    EXPECT_EQ(name, u"Value");
    EXPECT_FALSE(key.NextValue(name));
    EXPECT_EQ(name, u"Value");  // past the last value the name is left as it was
}

}  // namespace
