#include "game/view/CardImageLibrary.h"

#include <cstdlib>
#include <mutex>

#include "game/model/BoardLayout.h"
#include "platform/Files.h"
#include "platform/PlatformConfig.h"
#include "platform/WideString.h"

namespace {

constexpr char16_t kDefaultName[] = u"pegcards.dll";

struct ProcessLibrary {
    std::once_flag loaded;
    HMODULE module = nullptr;
    bool released = false;
    CardImageLibrary library{nullptr};
};

ProcessLibrary& Process() {
    static ProcessLibrary state;
    return state;
}

}  // namespace

int DisplayScale() {
    static const int scale = DisplayScaleForScreenWidth(platform::ScreenWidth());
    return scale;
}

bool IsHighResolution() {
    return DisplayScale() == 2;
}

Size CardSize() {
    return {29 * DisplayScale(), 41 * DisplayScale()};
}

std::u16string CardLibraryName(int displayScale) {
    std::u16string name = kDefaultName;
    if (displayScale == 1) return name;

    const DWORD attributes = GetFileAttributesW(u"\\Windows\\pegcards.192.dll");
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return u"pegcards.192.dll";
    }
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW(u"\\Windows\\pegcards*.dll", &data);
    if (find == INVALID_HANDLE_VALUE) return name;
    do {
        const std::u16string_view found(data.cFileName, WideLength(data.cFileName));
        // A folder cannot be loaded as a library, wherever the enumeration yields it.
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (WideCompareNoCase(found, kDefaultName) != 0) {
            name = found;
            break;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return name;
}

int CardResourceId(int suit, int rank) {
    // Blocks in the library run clubs, diamonds, hearts, spades; the suit codes are
    // clubs 0, diamonds 1, spades 2, hearts 3.
    static constexpr int kBlock[4] = {0, 1, 3, 2};
    if (suit < 0 || suit > 3 || rank < 0 || rank > kAce) return 0;
    const int index = rank == kAce ? 0 : rank + 1;
    return 1 + 13 * kBlock[suit] + index;
}

BitmapPtr CardImageLibrary::FaceImage(int suit, int rank) {
    const int id = CardResourceId(suit, rank);
    if (!module_ || id == 0) return nullptr;
    return LoadBitmapW(module_, id);
}

bool CardImageLibrary::LoadCardImage(Card& card) {
    BitmapPtr face = FaceImage(card.Suit(), card.Rank());
    const bool loaded = face != nullptr;
    card.SetImage(std::move(face));
    return loaded;
}

CardImageLibrary& ProcessCardLibrary() {
    ProcessLibrary& state = Process();
    std::call_once(state.loaded, [&state] {
        const std::u16string name = CardLibraryName(DisplayScale());
        state.module = LoadLibraryW(name.c_str());
        state.library = CardImageLibrary(state.module);
        std::atexit(ReleaseProcessCardLibrary);
    });
    return state.library;
}

void ReleaseProcessCardLibrary() {
    ProcessLibrary& state = Process();
    if (state.released) return;
    state.released = true;
    if (state.module) FreeLibrary(state.module);
    state.module = nullptr;
    state.library = CardImageLibrary(nullptr);
}
