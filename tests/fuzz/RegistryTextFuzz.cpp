// The text that `tessamo-cli registry import` reads. A text that parses is imported into an
// empty store and exported again: the export must parse, and its meaning (keys, and values
// with their types and bytes, names compared as the store compares them) must be the one the
// input gave the store; importing the export and exporting again gives the same text. Each
// import runs in a transaction that is rolled back, so each starts from an empty store.
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/registry/RegistryText.h"
#include "platform/PlatformConfig.h"
#include "platform/Registry.h"
#include "platform/RegistrySupport.h"
#include "platform/WideString.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

using registry_text::KeyChange;

// What a list of changes leaves in an empty store: keys by folded path ("1\a\b", the hive
// first), values by key and folded name.
struct Meaning {
    std::set<std::u16string> keys;
    std::map<std::u16string, std::map<std::u16string, std::pair<DWORD, std::vector<BYTE>>>> values;

    bool operator==(const Meaning&) const = default;

    void Apply(const std::vector<KeyChange>& changes) {
        for (const KeyChange& change : changes) {
            const std::u16string hive = change.hive == HKEY_LOCAL_MACHINE ? u"1" : u"2";
            const std::u16string path =
                hive + (change.path.empty() ? u"" : u"\\" + WideLower(change.path));
            if (change.removeTree) {
                const std::u16string below = path + u"\\";
                std::erase_if(keys, [&](const std::u16string& k) {
                    return k == path || k.starts_with(below);
                });
                std::erase_if(values, [&](const auto& kv) {
                    return kv.first == path || kv.first.starts_with(below);
                });
                continue;
            }
            // Creating a key creates the keys above it.
            for (std::size_t cut = path.find(u'\\'); cut != std::u16string::npos;
                 cut = path.find(u'\\', cut + 1)) {
                keys.insert(path.substr(0, cut));
            }
            keys.insert(path);
            for (const auto& value : change.values) {
                const std::u16string name = WideLower(value.name);
                if (value.remove) {
                    if (auto it = values.find(path); it != values.end()) {
                        it->second.erase(name);
                        if (it->second.empty()) values.erase(it);
                    }
                } else {
                    values[path][name] = {value.type, value.data};
                }
            }
        }
        // Hive roots always exist; an export names them only when they hold values.
        keys.erase(u"1");
        keys.erase(u"2");
    }
};

// Imports into an empty store and exports it; the store is left as it was.
std::string ImportExport(const std::vector<KeyChange>& changes) {
    platform::RegistryBatch batch;
    FUZZ_CHECK(batch.Ok());
    FUZZ_CHECK(registry_text::ApplyImport(changes));
    std::ostringstream text;
    FUZZ_CHECK(registry_text::ExportStore(text) == registry_text::ExportError::kNone);
    return text.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::UseScratchRegistry();

    const std::string input(reinterpret_cast<const char*>(data), size);
    std::vector<KeyChange> changes;
    if (auto error = registry_text::ParseImport(input, changes)) {
        FUZZ_CHECK(error->line >= 1);
        FUZZ_CHECK(!error->message.empty());
        return 0;
    }

    const std::string exported = ImportExport(changes);
    std::vector<KeyChange> reread;
    FUZZ_CHECK(!registry_text::ParseImport(exported, reread));

    Meaning meant;
    meant.Apply(changes);
    Meaning got;
    got.Apply(reread);
    FUZZ_CHECK(got == meant);

    FUZZ_CHECK(ImportExport(reread) == exported);
    return 0;
}
