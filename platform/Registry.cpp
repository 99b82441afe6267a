#include "platform/Registry.h"

#include <atomic>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/RegistryStore.h"
#include "platform/RegistrySupport.h"
#include "platform/WideString.h"

using platform::registry::Mutex;
using platform::registry::Statement;
using platform::registry::Store;
using platform::registry::WriteTransaction;

// The hive handles point at real objects so that they are constant-initialised and can be
// told apart from every handle handed out below.
struct RegKeyHandle {
    int hive;
};

namespace {

RegKeyHandle localMachine{1};
RegKeyHandle currentUser{2};

// What the store looked like at some moment: a changed stamp means something may have been
// written since, by this connection (total changes) or by another one (data version).
struct Stamp {
    std::uint64_t generation = 0;
    std::int64_t dataVersion = -1;
    std::int64_t changes = -1;
    bool operator==(const Stamp&) const = default;
};

// Where the last enumeration of a key stopped, so that asking for the next index seeks past
// the last name instead of counting from the start: a walk by index stays linear.
struct Cursor {
    std::int64_t key = 0;
    DWORD index = 0;
    std::string folded;
    Stamp stamp;
    bool valid = false;
};

struct EnumCursors {
    Cursor subkeys;
    Cursor values;
};

struct OpenKey {
    std::int64_t id;
    std::uint64_t generation;
    EnumCursors cursors;
};

// Handles are numbers dressed as pointers; the table decides whether one is live.
struct HandleTable {
    std::unordered_map<std::uintptr_t, OpenKey> open;
    std::uintptr_t next = 0x10000;
    EnumCursors hives[2];
};

HandleTable& Handles() {
    static auto* table = new HandleTable;  // never destroyed, like the store
    return *table;
}

std::atomic<std::uint64_t> flushCount{0};

std::function<void(const platform::RegistryEvent&)>& Observer() {
    static auto* observer = new std::function<void(const platform::RegistryEvent&)>;
    return *observer;
}

std::uintptr_t Token(HKEY key) {
    return reinterpret_cast<std::uintptr_t>(key);
}

bool HasUnpairedSurrogate(std::u16string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 1 >= text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) {
                return true;
            }
            ++i;
        } else if (c >= 0xDC00 && c <= 0xDFFF) {
            return true;
        }
    }
    return false;
}

// A name as stored: exact UTF-8 and its folded form.
struct Name {
    std::string exact;
    std::string folded;
};

bool IsValidName(std::u16string_view name, std::size_t maxLength) {
    return name.size() <= maxLength && !HasUnpairedSurrogate(name) && !HasControlCharacter(name);
}

std::optional<Name> MakeName(std::u16string_view name, std::size_t maxLength) {
    if (!IsValidName(name, maxLength)) return std::nullopt;
    return Name{ToUtf8(name), ToUtf8(WideLower(name))};
}

// Splits a subkey path into validated components; empty components (a leading backslash,
// doubled separators) are skipped.
std::optional<std::vector<Name>> SplitPath(LPCWSTR path) {
    std::vector<Name> parts;
    if (!path) return parts;
    std::u16string_view rest(path, WideLength(path));
    while (!rest.empty()) {
        const std::size_t cut = rest.find(u'\\');
        const std::u16string_view part = rest.substr(0, cut);
        if (!part.empty()) {
            auto name = MakeName(part, kMaxKeyNameLength);
            if (!name) return std::nullopt;
            parts.push_back(std::move(*name));
        }
        if (cut == std::u16string_view::npos) break;
        rest.remove_prefix(cut + 1);
    }
    return parts;
}

bool NamesOneKey(std::string_view stored) {
    const std::u16string name = FromUtf8(stored);
    return !name.empty() && name.find(u'\\') == std::u16string::npos &&
           IsValidName(name, kMaxKeyNameLength);
}

std::optional<Name> ValueName(LPCWSTR name) {
    return MakeName(name ? std::u16string_view(name, WideLength(name)) : std::u16string_view(),
                    kMaxValueNameLength);
}

// ERROR_SUCCESS, ERROR_BADKEY when the key is gone, or ERROR_READ_FAULT.
LONG KeyExists(Store& store, std::int64_t id) {
    Statement st = store.Prepare("SELECT 1 FROM keys WHERE id = ?1");
    const int rc = st.Bind(1, id).Step();
    if (rc == SQLITE_ROW) return ERROR_SUCCESS;
    return rc == SQLITE_DONE ? ERROR_BADKEY : ERROR_READ_FAULT;
}

// Resolves a handle to its key id, checking that the key still exists.
LONG Resolve(Store& store, HKEY key, std::int64_t* id) {
    if (key == &localMachine) {
        *id = platform::registry::kLocalMachineRoot;
        return ERROR_SUCCESS;
    }
    if (key == &currentUser) {
        *id = platform::registry::kCurrentUserRoot;
        return ERROR_SUCCESS;
    }
    auto& open = Handles().open;
    auto it = open.find(Token(key));
    if (it == open.end() || it->second.generation != store.Generation()) {
        return ERROR_INVALID_HANDLE;
    }
    if (LONG rc = KeyExists(store, it->second.id); rc != ERROR_SUCCESS) return rc;
    *id = it->second.id;
    return ERROR_SUCCESS;
}

// The cursors of a handle that Resolve has accepted.
EnumCursors& CursorsOf(HKEY key) {
    auto& table = Handles();
    if (key == &localMachine) return table.hives[0];
    if (key == &currentUser) return table.hives[1];
    return table.open.find(Token(key))->second.cursors;
}

// ERROR_SUCCESS with `*child` set, ERROR_FILE_NOT_FOUND, or ERROR_READ_FAULT.
LONG FindChild(Store& store, std::int64_t parent, const Name& name, std::int64_t* child) {
    Statement st = store.Prepare("SELECT id FROM keys WHERE parent = ?1 AND folded = ?2");
    const int rc = st.Bind(1, parent).Bind(2, name.folded).Step();
    if (rc == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
    if (rc != SQLITE_ROW) return ERROR_READ_FAULT;
    *child = st.Int(0);
    return ERROR_SUCCESS;
}

// Walks `parts` below `start` to the key's id; ERROR_FILE_NOT_FOUND when a component is
// missing, ERROR_READ_FAULT when the store cannot be read.
LONG FindPath(Store& store, std::int64_t start, const std::vector<Name>& parts, std::int64_t* id) {
    *id = start;
    for (const Name& part : parts) {
        if (LONG rc = FindChild(store, *id, part, id); rc != ERROR_SUCCESS) return rc;
    }
    return ERROR_SUCCESS;
}

// Levels of `id` below its hive root, counted only up to one beyond `limit`, so that a
// store whose parents run in a loop cannot hold the walk.
LONG KeyDepth(Store& store, std::int64_t id, int limit, int* depth) {
    *depth = 0;
    while (id != platform::registry::kLocalMachineRoot &&
           id != platform::registry::kCurrentUserRoot && *depth <= limit) {
        Statement st = store.Prepare("SELECT parent FROM keys WHERE id = ?1");
        const int rc = st.Bind(1, id).Step();
        if (rc == SQLITE_DONE) return ERROR_BADKEY;
        if (rc != SQLITE_ROW) return ERROR_READ_FAULT;
        id = st.Int(0);
        ++*depth;
    }
    return ERROR_SUCCESS;
}

bool ReadStamp(Store& store, Stamp* stamp) {
    Statement st = store.Prepare("PRAGMA data_version");
    if (st.Step() != SQLITE_ROW) return false;
    *stamp = {store.Generation(), st.Int(0), sqlite3_total_changes64(store.Db())};
    return true;
}

// The statements of one enumeration: each lists (name, folded, ...) of `?1`'s entries in
// folded order, from an offset `?2`, from the name `?2` on, or after the name `?2`.
struct EnumQueries {
    const char* fromOffset;
    const char* fromName;
    const char* afterName;
};

constexpr EnumQueries kSubkeyQueries{
    "SELECT name, folded FROM keys WHERE parent = ?1 ORDER BY folded LIMIT 1 OFFSET ?2",
    "SELECT name, folded FROM keys WHERE parent = ?1 AND folded >= ?2 ORDER BY folded LIMIT 1",
    "SELECT name, folded FROM keys WHERE parent = ?1 AND folded > ?2 ORDER BY folded LIMIT 1",
};

constexpr EnumQueries kValueQueries{
    "SELECT name, folded, type, data FROM vals WHERE key = ?1 ORDER BY folded LIMIT 1 OFFSET ?2",
    "SELECT name, folded, type, data FROM vals WHERE key = ?1 AND folded >= ?2"
    " ORDER BY folded LIMIT 1",
    "SELECT name, folded, type, data FROM vals WHERE key = ?1 AND folded > ?2"
    " ORDER BY folded LIMIT 1",
};

// Steps to the entry at `index` of key `id` and hands its row to `use`. While the store is
// unchanged since the cursor was set, the same or the next index seeks by name; anything
// else counts from the start.
template <typename Use>
LONG EnumerateAt(Store& store, Cursor& cursor, const EnumQueries& queries, std::int64_t id,
                 DWORD index, Use&& use) {
    Stamp stamp;
    if (!ReadStamp(store, &stamp)) return ERROR_READ_FAULT;
    const bool fresh = cursor.valid && cursor.key == id && cursor.stamp == stamp;
    const bool same = fresh && index == cursor.index;
    const bool next = fresh && index == cursor.index + 1;
    Statement st = store.Prepare(same   ? queries.fromName
                                 : next ? queries.afterName
                                        : queries.fromOffset);
    st.Bind(1, id);
    if (same || next) {
        st.Bind(2, cursor.folded);
    } else {
        st.Bind(2, std::int64_t{index});
    }
    const int rc = st.Step();
    cursor.valid = false;
    if (rc == SQLITE_DONE) return ERROR_NO_MORE_ITEMS;
    if (rc != SQLITE_ROW) return ERROR_READ_FAULT;
    cursor.key = id;
    cursor.index = index;
    cursor.folded = std::string(st.Text(1));
    cursor.stamp = stamp;
    cursor.valid = true;
    return use(st);
}

// Full path of a key from its hive root, for the observer.
std::u16string KeyPath(Store& store, std::int64_t id) {
    std::vector<std::string> parts;
    for (int depth = 0; id != 0 && depth < 10000; ++depth) {
        Statement st = store.Prepare("SELECT parent, name FROM keys WHERE id = ?1");
        if (st.Bind(1, id).Step() != SQLITE_ROW) break;
        parts.emplace_back(st.Text(1));
        id = st.Int(0);
    }
    std::string path;
    for (auto it = parts.rbegin(); it != parts.rend(); ++it) {
        if (!path.empty()) path += '\\';
        path += *it;
    }
    return FromUtf8(path);
}

void Notify(Store& store, platform::RegistryEvent::Kind kind, std::int64_t id,
            std::u16string key = {}, std::u16string value = {}) {
    if (!Observer()) return;
    if (key.empty()) key = KeyPath(store, id);
    Observer()(platform::RegistryEvent{kind, std::move(key), std::move(value)});
}

HKEY NewHandle(Store& store, std::int64_t id) {
    auto& table = Handles();
    const std::uintptr_t token = table.next;
    table.next += 0x10;
    table.open.emplace(token, OpenKey{id, store.Generation(), {}});
    return reinterpret_cast<HKEY>(token);
}

// Copies `name` with its terminator into a caller's buffer of `*length` characters.
LONG CopyName(std::string_view utf8, LPWSTR buffer, DWORD* length) {
    const std::u16string name = FromUtf8(utf8);
    if (name.size() + 1 > *length) return ERROR_MORE_DATA;
    std::memcpy(buffer, name.data(), name.size() * sizeof(char16_t));
    buffer[name.size()] = u'\0';
    *length = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// Hands out a value's bytes the way RegQueryValueExW does.
LONG CopyData(const unsigned char* bytes, std::size_t size, BYTE* data, DWORD* dataSize) {
    if (data && !dataSize) return ERROR_INVALID_PARAMETER;
    if (!dataSize) return ERROR_SUCCESS;
    if (size > 0xFFFFFFFFu) return ERROR_MORE_DATA;
    const DWORD available = *dataSize;
    *dataSize = static_cast<DWORD>(size);
    if (!data) return ERROR_SUCCESS;
    if (available < size) return ERROR_MORE_DATA;
    if (size > 0) std::memcpy(data, bytes, size);
    return ERROR_SUCCESS;
}

// Runs `body` under the registry lock with the current store and the id of the key behind
// `key`; the store's or the handle's failure is returned without running it.
template <typename Body>
LONG WithKey(HKEY key, Body&& body) {
    std::lock_guard lock(Mutex());
    Store* store = Store::Current();
    if (!store) return ERROR_BADDB;
    std::int64_t id = 0;
    if (LONG rc = Resolve(*store, key, &id); rc != ERROR_SUCCESS) return rc;
    return body(store, id);
}

}  // namespace

HKEY const HKEY_LOCAL_MACHINE = &localMachine;
HKEY const HKEY_CURRENT_USER = &currentUser;

LONG RegCreateKeyExW(HKEY parent, LPCWSTR subKey, DWORD, LPWSTR, DWORD, DWORD, void*, HKEY* result,
                     DWORD* disposition) {
    if (!result) return ERROR_INVALID_PARAMETER;
    return WithKey(parent, [&](Store* store, std::int64_t id) -> LONG {
        auto parts = SplitPath(subKey);
        if (!parts) return ERROR_INVALID_PARAMETER;

        // Most opens find every key present and need no write lock.
        std::int64_t existing = 0;
        const LONG found = FindPath(*store, id, *parts, &existing);
        if (found == ERROR_SUCCESS) {
            *result = NewHandle(*store, existing);
            if (disposition) *disposition = REG_OPENED_EXISTING_KEY;
            return ERROR_SUCCESS;
        }
        if (found != ERROR_FILE_NOT_FOUND) return found;
        WriteTransaction tx(*store);
        if (!tx.Ok()) return ERROR_WRITE_FAULT;
        if (LONG rc = KeyExists(*store, id); rc != ERROR_SUCCESS) return rc;
        int depth = 0;
        if (LONG rc = KeyDepth(*store, id, kMaxKeyDepth, &depth); rc != ERROR_SUCCESS) return rc;
        if (depth + parts->size() > static_cast<std::size_t>(kMaxKeyDepth)) {
            return ERROR_INVALID_PARAMETER;
        }
        bool created = false;
        for (const Name& part : *parts) {
            std::int64_t child = 0;
            const LONG rc = FindChild(*store, id, part, &child);
            if (rc == ERROR_SUCCESS) {
                id = child;
                continue;
            }
            if (rc != ERROR_FILE_NOT_FOUND) return rc;
            Statement insert =
                store->Prepare("INSERT INTO keys(parent, name, folded) VALUES(?1, ?2, ?3)");
            if (insert.Bind(1, id).Bind(2, part.exact).Bind(3, part.folded).Step() != SQLITE_DONE) {
                return ERROR_WRITE_FAULT;
            }
            id = sqlite3_last_insert_rowid(store->Db());
            created = true;
        }
        if (!tx.Commit()) return ERROR_WRITE_FAULT;
        *result = NewHandle(*store, id);
        if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        return ERROR_SUCCESS;
    });
}

LONG RegOpenKeyExW(HKEY parent, LPCWSTR subKey, DWORD, DWORD, HKEY* result) {
    if (!result) return ERROR_INVALID_PARAMETER;
    return WithKey(parent, [&](Store* store, std::int64_t id) -> LONG {
        auto parts = SplitPath(subKey);
        if (!parts) return ERROR_INVALID_PARAMETER;
        std::int64_t found = 0;
        if (LONG rc = FindPath(*store, id, *parts, &found); rc != ERROR_SUCCESS) return rc;
        *result = NewHandle(*store, found);
        return ERROR_SUCCESS;
    });
}

LONG RegCloseKey(HKEY key) {
    if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER) return ERROR_SUCCESS;
    std::lock_guard lock(Mutex());
    return Handles().open.erase(Token(key)) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegFlushKey(HKEY key) {
    return WithKey(key, [&](Store* store, std::int64_t id) -> LONG {
        if (!store->Sync()) return ERROR_WRITE_FAULT;
        ++flushCount;
        Notify(*store, platform::RegistryEvent::Kind::kFlush, id);
        return ERROR_SUCCESS;
    });
}

LONG RegQueryValueExW(HKEY key, LPCWSTR name, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
    if (data && !size) return ERROR_INVALID_PARAMETER;
    return WithKey(key, [&](Store* store, std::int64_t id) -> LONG {
        auto value = ValueName(name);
        if (!value) return ERROR_FILE_NOT_FOUND;
        Statement st = store->Prepare("SELECT type, data FROM vals WHERE key = ?1 AND folded = ?2");
        const int rc = st.Bind(1, id).Bind(2, value->folded).Step();
        if (rc == SQLITE_DONE) return ERROR_FILE_NOT_FOUND;
        if (rc != SQLITE_ROW) return ERROR_READ_FAULT;
        if (type) *type = static_cast<DWORD>(st.Int(0));
        return CopyData(st.Blob(1), st.Bytes(1), data, size);
    });
}

LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    if (!data && size != 0) return ERROR_INVALID_PARAMETER;
    return WithKey(key, [&](Store* store, std::int64_t id) -> LONG {
        auto value = ValueName(name);
        if (!value) return ERROR_INVALID_PARAMETER;
        // One statement, so it is its own transaction; it writes nothing if the key has been
        // deleted meanwhile by another process.
        Statement st = store->Prepare(
            "INSERT INTO vals(key, name, folded, type, data)"
            " SELECT ?1, ?2, ?3, ?4, ?5 WHERE EXISTS(SELECT 1 FROM keys WHERE id = ?1)"
            " ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
        st.Bind(1, id).Bind(2, value->exact).Bind(3, value->folded).Bind(4, std::int64_t{type});
        st.BindBlob(5, data, size);
        if (st.Step() != SQLITE_DONE) return ERROR_WRITE_FAULT;
        if (sqlite3_changes(store->Db()) != 1) return ERROR_BADKEY;
        Notify(*store, platform::RegistryEvent::Kind::kSetValue, id, {},
               name ? std::u16string(name) : std::u16string());
        return ERROR_SUCCESS;
    });
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, DWORD* nameLength, DWORD*, LPWSTR cls,
                   DWORD* classLength, void* lastWriteTime) {
    if (!name || !nameLength) return ERROR_INVALID_PARAMETER;
    return WithKey(key, [&](Store* store, std::int64_t id) -> LONG {
        return EnumerateAt(
            *store, CursorsOf(key).subkeys, kSubkeyQueries, id, index, [&](Statement& st) -> LONG {
                // Only another program can have stored a name that no RegCreateKeyExW takes
                // (empty, holding a separator or a control character): opened by that name,
                // it would reach another key, or the parent itself, and a walk of the tree
                // would never end.
                if (!NamesOneKey(st.Text(0))) return ERROR_BADDB;
                if (LONG rc = CopyName(st.Text(0), name, nameLength); rc != ERROR_SUCCESS) {
                    return rc;
                }
                // Keys carry no class and no write time here.
                if (classLength) {
                    if (cls && *classLength > 0) cls[0] = u'\0';
                    *classLength = 0;
                }
                if (lastWriteTime) std::memset(lastWriteTime, 0, 8);
                return ERROR_SUCCESS;
            });
    });
}

LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR name, DWORD* nameLength, DWORD*, DWORD* type,
                   BYTE* data, DWORD* dataLength) {
    if (!name || !nameLength || (data && !dataLength)) return ERROR_INVALID_PARAMETER;
    return WithKey(key, [&](Store* store, std::int64_t id) -> LONG {
        return EnumerateAt(
            *store, CursorsOf(key).values, kValueQueries, id, index, [&](Statement& st) -> LONG {
                if (LONG rc = CopyName(st.Text(0), name, nameLength); rc != ERROR_SUCCESS) {
                    return rc;
                }
                if (type) *type = static_cast<DWORD>(st.Int(2));
                return CopyData(st.Blob(3), st.Bytes(3), data, dataLength);
            });
    });
}

LONG RegDeleteValueW(HKEY key, LPCWSTR name) {
    return WithKey(key, [&](Store* store, std::int64_t id) -> LONG {
        auto value = ValueName(name);
        if (!value) return ERROR_FILE_NOT_FOUND;
        Statement st = store->Prepare("DELETE FROM vals WHERE key = ?1 AND folded = ?2");
        if (st.Bind(1, id).Bind(2, value->folded).Step() != SQLITE_DONE) return ERROR_WRITE_FAULT;
        if (sqlite3_changes(store->Db()) == 0) return ERROR_FILE_NOT_FOUND;
        Notify(*store, platform::RegistryEvent::Kind::kDeleteValue, id, {},
               name ? std::u16string(name) : std::u16string());
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteKeyW(HKEY parent, LPCWSTR subKey) {
    return WithKey(parent, [&](Store* store, std::int64_t id) -> LONG {
        auto parts = SplitPath(subKey);
        if (!parts) return ERROR_INVALID_PARAMETER;
        if (parts->empty()) return ERROR_INVALID_PARAMETER;  // never the parent itself
        WriteTransaction tx(*store);
        if (!tx.Ok()) return ERROR_WRITE_FAULT;
        std::int64_t target = 0;
        if (LONG rc = FindPath(*store, id, *parts, &target); rc != ERROR_SUCCESS) return rc;
        {
            Statement children = store->Prepare("SELECT 1 FROM keys WHERE parent = ?1 LIMIT 1");
            const int rc = children.Bind(1, target).Step();
            if (rc == SQLITE_ROW) return ERROR_KEY_HAS_CHILDREN;
            if (rc != SQLITE_DONE) return ERROR_READ_FAULT;
        }
        const std::u16string path = Observer() ? KeyPath(*store, target) : std::u16string();
        {
            Statement values = store->Prepare("DELETE FROM vals WHERE key = ?1");
            if (values.Bind(1, target).Step() != SQLITE_DONE) return ERROR_WRITE_FAULT;
            Statement keyRow = store->Prepare("DELETE FROM keys WHERE id = ?1");
            if (keyRow.Bind(1, target).Step() != SQLITE_DONE) return ERROR_WRITE_FAULT;
        }
        if (!tx.Commit()) return ERROR_WRITE_FAULT;
        Notify(*store, platform::RegistryEvent::Kind::kDeleteKey, target, path);
        return ERROR_SUCCESS;
    });
}

namespace platform {

namespace {

// What a batch or a snapshot holds while it lives: the registry lock, then the store that
// was current once the lock was taken, and whether its transaction is open.
struct TransactionHold {
    std::unique_lock<std::recursive_mutex> lock{Mutex()};
    Store* store = Store::Current();
    bool open = false;
};

}  // namespace

struct RegistryBatch::Impl : TransactionHold {};

RegistryBatch::RegistryBatch() : impl_(std::make_unique<Impl>()) {
    impl_->open = impl_->store && impl_->store->Begin();
}

RegistryBatch::~RegistryBatch() {
    if (impl_->open) impl_->store->Rollback();
}

bool RegistryBatch::Ok() const {
    return impl_->open;
}

RegistryBatch::CommitResult RegistryBatch::Commit() {
    if (!impl_->open) return CommitResult::kFailed;
    impl_->open = false;
    if (!impl_->store->Commit()) return CommitResult::kFailed;
    return impl_->store->Sync() ? CommitResult::kDone : CommitResult::kNotOnDisk;
}

struct RegistrySnapshot::Impl : TransactionHold {};

RegistrySnapshot::RegistrySnapshot() : impl_(std::make_unique<Impl>()) {
    impl_->open = impl_->store && impl_->store->BeginRead();
}

RegistrySnapshot::~RegistrySnapshot() {
    if (impl_->open) impl_->store->EndRead();
}

bool RegistrySnapshot::Ok() const {
    return impl_->open;
}

std::uint64_t RegistryFlushCount() {
    return flushCount.load();
}

void SetRegistryObserver(std::function<void(const RegistryEvent&)> observer) {
    std::lock_guard lock(Mutex());
    Observer() = std::move(observer);
}

}  // namespace platform
