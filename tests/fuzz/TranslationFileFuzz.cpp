// The translation file reader, fed every byte sequence as a file next to the program. The
// table it reads must equal what a plain reading of the whole decoded text gives: the
// sliding window and its refills may never change, lose or invent an entry.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "game/dialogs/TranslationTable.h"
#include "platform/WideString.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

struct Entry {
    std::u16string source;
    std::u16string translation;
};

// The whole file as text: UTF-16 after the mark FF FE (an odd last byte ignored), else one
// character per byte; a NUL ends the text.
std::u16string Decode(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        for (std::size_t i = 2; i + 1 < size; i += 2) {
            text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
        }
    } else {
        for (std::size_t i = 0; i < size; ++i) text += static_cast<char16_t>(data[i]);
    }
    return text.substr(0, text.find(u'\0'));
}

enum class End { Bar, Cr, Lf, Text };

End Field(const std::u16string& text, std::size_t& pos, std::u16string& field) {
    field.clear();
    while (pos < text.size()) {
        const char16_t c = text[pos++];
        if (c == u'|') return End::Bar;
        if (c == u'\r') return End::Cr;
        if (c == u'\n') return End::Lf;
        if (c == u'\\') {
            if (pos == text.size()) return End::Text;  // a last lone backslash is dropped
            const char16_t e = text[pos++];
            field += e == u'n' ? u'\n' : e == u'r' ? u'\r' : e;
        } else {
            field += c;
        }
    }
    return End::Text;
}

std::vector<Entry> Expected(const std::u16string& text) {
    std::vector<Entry> entries;
    std::size_t characters = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        Entry entry;
        End end = Field(text, pos, entry.source);
        if (end == End::Bar) end = Field(text, pos, entry.translation);
        if (end == End::Cr && pos < text.size() && text[pos] == u'\n') ++pos;
        // An entry longer than the window is skipped whole, and so is one beyond the budget.
        const std::size_t size = entry.source.size() + entry.translation.size();
        if (pos - start <= TranslationTable::kMaxEntryLength &&
            entries.size() < TranslationTable::kMaxEntries &&
            size <= TranslationTable::kMaxCharacters - characters) {
            entries.push_back(entry);
            characters += size;
        }
    }
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file = fuzz::Scratch() / "tessamo_en.txt";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    TranslationTable table;
    FUZZ_CHECK(table.Load(FromUtf8(file.string())));

    const std::vector<Entry> expected = Expected(Decode(data, size));
    FUZZ_CHECK(table.Count() == expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        FUZZ_CHECK(table.Source(i) == expected[i].source);
        FUZZ_CHECK(table.Translation(i) == expected[i].translation);
    }

    // A result is the first matching entry's translation, or else the text itself, cut to fit
    // the 1024-character buffer (one less when a surrogate pair would be split).
    for (std::size_t i = 0; i < table.Count() && i < 16; ++i) {
        const std::u16string& source = table.Source(i);
        const std::u16string result = table.TranslateText(source);
        FUZZ_CHECK(result.size() < TranslationTable::kResultSize);
        std::size_t first = 0;
        while (table.Source(first) != source) ++first;
        FUZZ_CHECK(table.Lookup(source) == table.Translation(first));
        const std::u16string& wanted =
            table.Translation(first).empty() ? source : table.Translation(first);
        FUZZ_CHECK(wanted.compare(0, result.size(), result) == 0);
        FUZZ_CHECK(result.size() == wanted.size() ||
                   result.size() + 2 >= TranslationTable::kResultSize);
        const std::u16string format = table.TranslateFormat(source);
        FUZZ_CHECK(format.size() < TranslationTable::kResultSize);
    }
    return 0;
}
