// The text form of the settings store, one block per key:
//
//   [HKEY_LOCAL_MACHINE\Software\Korvel Labs\Korvel Tessamo\Options]
//   "DblClickMoves"=dword:00000001
//   "Completed"=hex:00,80,ff,7f
//   "Title"="text"
//
// Export writes every key of HKEY_LOCAL_MACHINE, then of HKEY_CURRENT_USER, depth first (a
// key, then its subkeys), siblings and values in the registry's own order: by name without
// regard to case. Keys are separated by one blank line. A hive root gets a block only when
// it holds values. In names and text a double quote or a backslash is written with a
// backslash before it; text is UTF-8. A REG_DWORD is written as dword: only when it is 4
// bytes long and a REG_SZ as "text" only when it is well-formed text ending in its
// terminator without control characters; anything else, and every other type, is written
// exactly as hex(T):bytes with T the type number in hexadecimal, so that import restores the
// very same bytes.
//
// Import reads the same form and adds or replaces the keys and values it names, leaving
// others alone. "[-HIVE\path]" removes that key with everything below it (a key that does not
// exist is no error); "Name"=- removes one value. Blank lines and lines starting with ';' are
// skipped; a UTF-8 byte-order mark at the start is skipped. Key names hold up to 255
// characters and value names up to 16383, counted in UTF-16 units, and key paths go at most
// kMaxKeyDepth levels deep, as in the registry.
//
// These are plain functions over the registry calls: the caller decides the transaction
// (a RegistrySnapshot around an export, a RegistryBatch around an import).
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace registry_text {

// Why an export stopped. Nothing of a failed export may be used: it is not the store.
enum class ExportError { kNone, kReadFailed, kTooDeep };

// Writes the whole store to `out`; on an error what was written is incomplete.
ExportError ExportStore(std::ostream& out);

struct ValueChange {
    std::u16string name;
    bool remove = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct KeyChange {
    bool removeTree = false;
    HKEY hive = nullptr;
    std::u16string path;  // below the hive, components joined by backslashes
    std::vector<ValueChange> values;
};

struct ParseError {
    std::size_t line;  // counted from 1
    std::string message;
};

// Reads a whole import text; the first malformed line gives its number and what is wrong,
// and `changes` is then incomplete.
std::optional<ParseError> ParseImport(const std::string& text, std::vector<KeyChange>& changes);

// Carries the changes out in order; false at the first registry call that fails (what was
// done before stays done: run it in a RegistryBatch to have all or nothing).
bool ApplyImport(const std::vector<KeyChange>& changes);

}  // namespace registry_text
