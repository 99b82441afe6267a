#include "game/dialogs/TranslationTable.h"

#include <array>
#include <memory>
#include <new>
#include <vector>

#include "game/dialogs/FormatText.h"
#include "game/resources/StringTable.h"
#include "platform/Files.h"
#include "platform/Process.h"

namespace {

// Reads the file's text character by character through a fixed window.
class TextReader {
  public:
    static constexpr int kEnd = -1;

    explicit TextReader(HANDLE file) : file_(file) {}

    // Decides the encoding from the first two bytes; returns false when reading fails.
    bool Start() {
        DWORD high = 0;
        const DWORD low = GetFileSize(file_, &high);
        remaining_ = (static_cast<std::uint64_t>(high) << 32) | low;
        BYTE first[2];
        const DWORD got = ReadBytes(first, 2);
        if (got == 2 && first[0] == 0xFF && first[1] == 0xFE) {
            wide_ = true;
            return true;
        }
        // 8-bit text: the first bytes are characters too.
        for (DWORD i = 0; i < got; ++i) window_[length_++] = first[i];
        return true;
    }

    int Peek() {
        if (position_ == length_ && !Refill()) return kEnd;
        return window_[position_];
    }
    void Skip() { ++position_; }

  private:
    DWORD ReadBytes(BYTE* buffer, DWORD wanted) {
        if (wanted > remaining_) wanted = static_cast<DWORD>(remaining_);
        DWORD got = 0;
        if (wanted == 0 || !ReadFile(file_, buffer, wanted, &got, nullptr)) return 0;
        remaining_ -= got;
        return got;
    }

    // Refills the window once it has been used up; false at the end of the text.
    bool Refill() {
        position_ = 0;
        length_ = 0;
        const DWORD room = static_cast<DWORD>(TranslationTable::kMaxEntryLength);
        if (wide_) {
            // A byte left over from a read that ended mid-character comes first.
            DWORD have = pending_ ? 1 : 0;
            if (pending_) bytes_[0] = pendingByte_;
            pending_ = false;
            for (;;) {
                const DWORD got = ReadBytes(bytes_.data() + have, room * 2 - have);
                have += got;
                if (got == 0 || have >= 2) break;
            }
            for (DWORD i = 0; i + 1 < have; i += 2) {
                window_[length_++] = static_cast<char16_t>(bytes_[i] | (bytes_[i + 1] << 8));
            }
            if (have % 2 == 1) {  // kept for the next read; dropped at the end of the file
                pending_ = true;
                pendingByte_ = bytes_[have - 1];
            }
        } else {
            const DWORD got = ReadBytes(bytes_.data(), room);
            for (DWORD i = 0; i < got; ++i) window_[length_++] = bytes_[i];
        }
        return length_ > 0;
    }

    HANDLE file_;
    std::uint64_t remaining_ = 0;
    bool wide_ = false;
    bool pending_ = false;
    BYTE pendingByte_ = 0;
    std::array<char16_t, TranslationTable::kWindowSize> window_{};
    std::array<BYTE, TranslationTable::kWindowSize * 2> bytes_{};
    std::size_t position_ = 0;
    std::size_t length_ = 0;
};

enum class Terminator { Bar, CarriageReturn, LineFeed, End };

// One field being read: at most kWindowSize - 1 characters are kept, which is all an entry
// that fits can hold.
struct Field {
    std::array<char16_t, TranslationTable::kWindowSize> text{};
    std::size_t length = 0;

    void Append(char16_t c) {
        if (length < text.size() - 1) text[length++] = c;
    }
    std::u16string_view View() const { return {text.data(), length}; }
};

// Reads one field; `used` counts the characters taken from the text.
Terminator ReadField(TextReader& reader, Field& field, std::size_t& used) {
    field.length = 0;
    for (;;) {
        const int c = reader.Peek();
        if (c == TextReader::kEnd || c == 0) return Terminator::End;
        reader.Skip();
        ++used;
        switch (c) {
            case u'|':
                return Terminator::Bar;
            case u'\r':
                return Terminator::CarriageReturn;
            case u'\n':
                return Terminator::LineFeed;
            case u'\\': {
                const int escaped = reader.Peek();
                if (escaped == TextReader::kEnd || escaped == 0) return Terminator::End;
                reader.Skip();
                ++used;
                field.Append(escaped == u'n'   ? u'\n'
                             : escaped == u'r' ? u'\r'
                                               : static_cast<char16_t>(escaped));
                break;
            }
            default:
                field.Append(static_cast<char16_t>(c));
        }
    }
}

// Cuts a result to what the 1024-character result buffer holds, never between the two
// halves of a surrogate pair.
std::u16string Cut(std::u16string_view text) {
    constexpr std::size_t limit = TranslationTable::kResultSize - 1;
    if (text.size() <= limit) return std::u16string(text);
    std::size_t length = limit;
    if (text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF) --length;
    return std::u16string(text.substr(0, length));
}

}  // namespace

TranslationTable& TranslationTable::Instance() {
    static TranslationTable table;
    return table;
}

void TranslationTable::Add(std::u16string_view source, std::u16string_view translation) {
    const std::size_t characters = source.size() + translation.size();
    if (entries_.size() >= kMaxEntries || characters > kMaxCharacters - characters_) return;
    try {
        entries_.push_back(Entry{std::u16string(source), std::u16string(translation)});
        characters_ += characters;
    } catch (const std::bad_alloc&) {
        // The entry is dropped; the table is unchanged and reading goes on.
    }
}

bool TranslationTable::Load(std::u16string_view path) {
    const std::u16string name(path);
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;

    // The reader and the field buffers are large; keep them off the stack.
    struct Buffers {
        explicit Buffers(HANDLE file) : reader(file) {}
        TextReader reader;
        Field source;
        Field translation;
    };
    std::unique_ptr<Buffers> buffers(new (std::nothrow) Buffers(file));
    if (!buffers) {
        CloseHandle(file);
        return true;  // opened, but nothing could be read
    }
    TextReader& reader = buffers->reader;
    Field& source = buffers->source;
    Field& translation = buffers->translation;

    if (reader.Start()) {
        for (;;) {
            const int first = reader.Peek();
            if (first == TextReader::kEnd || first == 0) break;  // nothing left to consume
            std::size_t used = 0;
            Terminator end = ReadField(reader, source, used);
            translation.length = 0;
            if (end == Terminator::Bar) end = ReadField(reader, translation, used);
            if (end == Terminator::CarriageReturn && reader.Peek() == u'\n') {
                reader.Skip();
                ++used;
            }
            if (used <= kMaxEntryLength) Add(source.View(), translation.View());
        }
    }
    CloseHandle(file);
    return true;
}

std::u16string TranslationTable::Lookup(std::u16string_view text) const {
    for (const Entry& entry : entries_) {
        if (entry.source == text) return entry.translation;
    }
    return {};
}

std::u16string TranslationTable::LoadTranslatedString(UINT id) const {
    const std::u16string english = Cut(LoadStringResource(id));
    if (english.empty()) return {};
    const std::u16string translation = Cut(Lookup(english));
    return translation.empty() ? english : translation;
}

std::u16string TranslationTable::TranslateText(std::u16string_view text) const {
    const std::u16string translation = Cut(Lookup(text));
    return translation.empty() ? Cut(text) : translation;
}

std::u16string TranslationTable::LoadTranslatedFormat(UINT id) const {
    const std::u16string english = Cut(LoadStringResource(id));
    if (english.empty()) return {};
    const std::u16string translation = Cut(Lookup(english));
    if (!translation.empty() && SameConversions(english, translation)) return translation;
    return english;
}

std::u16string TranslationTable::TranslateFormat(std::u16string_view format) const {
    const std::u16string english = Cut(format);
    const std::u16string translation = Cut(Lookup(format));
    if (!translation.empty() && SameConversions(english, translation)) return translation;
    return english;
}

std::u16string TranslationFilePathFor(std::u16string_view modulePath,
                                      std::u16string_view languageCode) {
    const std::size_t slash = modulePath.find_last_of(u"/\\");
    const std::size_t nameStart = slash == std::u16string_view::npos ? 0 : slash + 1;
    std::u16string_view base = modulePath;
    const std::size_t dot = modulePath.find_last_of(u'.');
    // Only a dot inside the file name, and not its first character ("/x/.tessamo").
    if (dot != std::u16string_view::npos && dot > nameStart) base = modulePath.substr(0, dot);
    std::u16string path(base);
    path += u'_';
    path += languageCode;
    path += u".txt";
    return path;
}

std::u16string TranslationFilePath(std::u16string_view languageCode) {
    // Host paths may be longer than the handheld's 260 characters; a cut path would name
    // the wrong file, so it gives no path at all.
    std::vector<WCHAR> buffer(4096);
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || GetLastError() == ERROR_INSUFFICIENT_BUFFER) return {};
    return TranslationFilePathFor(std::u16string_view(buffer.data(), length), languageCode);
}
