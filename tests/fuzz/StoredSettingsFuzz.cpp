// The stored option and statistics values, of every type and size another program could
// leave in the store. Each input is a list of values written raw below the settings root;
// then the records load them. What they read must follow the reading rules (a number of at
// most 4 bytes is read, anything else takes its default), a repaired Completed list is
// ascending, free of repeats and between its sentinels, and what a record saves loads back
// the same. Each input runs in a transaction that is rolled back, so every input starts
// from an empty store.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/registry/SettingsRoot.h"
#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "platform/PlatformConfig.h"
#include "platform/Registry.h"
#include "platform/RegistrySupport.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

struct Stored {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct Slot {
    bool options;  // below "Options", else below "Statistics"
    LPCWSTR name;
};

constexpr Slot kSlots[] = {
    {true, u"DblClickMoves"}, {true, u"DisplayMessages"}, {true, u"ShowNoDragBox"},
    {true, u"ShowStatusBar"}, {true, u"OldCommandBar"},   {false, u"Won"},
    {false, u"Games"},        {false, u"Completed"},
};
constexpr std::size_t kSlotCount = std::size(kSlots);

// The number GetDword gives for a stored value: at most 4 bytes are read as a number,
// whatever their type; a longer or missing value gives the default.
DWORD Number(const std::optional<Stored>& value, DWORD fallback) {
    if (!value || value->data.size() > 4) return fallback;
    DWORD number = 0;
    for (std::size_t i = 0; i < value->data.size(); ++i) number |= DWORD{value->data[i]} << (8 * i);
    return number;
}

std::vector<std::int16_t> RepairedList(const std::optional<Stored>& value) {
    std::vector<std::int16_t> games;
    if (value) {
        for (std::size_t i = 0; i + 1 < value->data.size(); i += 2) {
            const auto entry = static_cast<std::int16_t>(value->data[i] | value->data[i + 1] << 8);
            if (entry != Statistics::kLowSentinel && entry != Statistics::kHighSentinel) {
                games.push_back(entry);
            }
        }
    }
    std::sort(games.begin(), games.end());
    games.erase(std::unique(games.begin(), games.end()), games.end());
    games.insert(games.begin(), Statistics::kLowSentinel);
    games.push_back(Statistics::kHighSentinel);
    return games;
}

void CheckList(const Statistics& statistics) {
    const std::vector<std::int16_t>& list = statistics.Completed();
    FUZZ_CHECK(list.size() >= 2);
    FUZZ_CHECK(list.front() == Statistics::kLowSentinel &&
               list.back() == Statistics::kHighSentinel);
    FUZZ_CHECK(std::adjacent_find(list.begin(), list.end(), [](std::int16_t a, std::int16_t b) {
                   return a >= b;
               }) == list.end());
}

void Write(const Slot& slot, const Stored& value) {
    HKEY key = nullptr;
    const std::u16string path =
        std::u16string(kSettingsRoot) + (slot.options ? u"\\Options" : u"\\Statistics");
    FUZZ_CHECK(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, 0, nullptr, &key,
                               nullptr) == ERROR_SUCCESS);
    FUZZ_CHECK(RegSetValueExW(key, slot.name, 0, value.type, value.data.data(),
                              static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS);
    RegCloseKey(key);
}

// The five options, in one value to compare.
std::array<bool, 5> Flags(const Options& o) {
    return {o.DblClickMoves(), o.DisplayMessages(), o.ShowNoDragBox(), o.ShowStatusBar(),
            o.SoftKeyMenu()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::UseScratchRegistry();

    // Records: slot, type, length, bytes. The last record for a slot is what is stored.
    std::optional<Stored> stored[kSlotCount];
    std::size_t pos = 0;
    while (pos + 3 <= size) {
        const std::size_t slot = data[pos] % kSlotCount;
        Stored value;
        value.type = data[pos + 1] % 12;
        const std::size_t length = std::min<std::size_t>(data[pos + 2], size - pos - 3);
        value.data.assign(data + pos + 3, data + pos + 3 + length);
        stored[slot] = value;
        pos += 3 + length;
    }
    // Whatever is left over: numbers won later.
    std::vector<std::int16_t> wins;
    for (; pos + 1 < size; pos += 2)
        wins.push_back(static_cast<std::int16_t>(data[pos] | data[pos + 1] << 8));

    platform::RegistryBatch batch;
    FUZZ_CHECK(batch.Ok());
    for (std::size_t slot = 0; slot < kSlotCount; ++slot) {
        if (stored[slot]) Write(kSlots[slot], *stored[slot]);
    }

    Options options;
    FUZZ_CHECK(options.Load());
    FUZZ_CHECK(options.DblClickMoves() == (Number(stored[0], 1) != 0));
    FUZZ_CHECK(options.DisplayMessages() == (Number(stored[1], 1) != 0));
    FUZZ_CHECK(options.ShowNoDragBox() == (Number(stored[2], 1) != 0));
    FUZZ_CHECK(options.ShowStatusBar() == (Number(stored[3], 1) != 0));
    FUZZ_CHECK(options.SoftKeyMenu() == (Number(stored[4], 0) == 0));

    Statistics statistics;
    FUZZ_CHECK(statistics.Load());
    FUZZ_CHECK(statistics.Won() == Number(stored[5], 0));
    FUZZ_CHECK(statistics.Games() == Number(stored[6], 0));
    CheckList(statistics);
    FUZZ_CHECK(statistics.Completed() == RepairedList(stored[7]));

    // Wins keep the list in order, and each is then listed (the sentinels never are).
    for (std::int16_t number : wins) {
        statistics.RecordWin(number);
        CheckList(statistics);
        FUZZ_CHECK(statistics.IsCompleted(number) ==
                   (number != Statistics::kLowSentinel && number != Statistics::kHighSentinel));
    }
    statistics.RecordDeal();

    // What was saved loads back the same.
    Statistics reloaded;
    reloaded.Load();
    FUZZ_CHECK(reloaded.Won() == statistics.Won());
    FUZZ_CHECK(reloaded.Games() == statistics.Games());
    FUZZ_CHECK(reloaded.Completed() == statistics.Completed());

    options.SetSoftKeyMenu(!options.SoftKeyMenu());
    options.Save();
    Options again;
    again.Load();
    FUZZ_CHECK(Flags(again) == Flags(options));
    return 0;  // the batch rolls everything back
}
