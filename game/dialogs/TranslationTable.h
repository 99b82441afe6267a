// The process-wide table of translations read from the optional translation file next to the
// program. Every text on its way to the screen passes through it; a text without a
// (non-empty) translation stays English.
//
// The file: UTF-16 little-endian when it begins with the bytes FF FE (the mark is not text),
// otherwise 8-bit text in which every byte is the character of the same code (ISO 8859-1).
// Each entry is a source text, a vertical bar and its translation, ended by a line end:
//   - a field ends at an unescaped '|', CR or LF, or at the end of the text; the terminator
//     is consumed;
//   - a translation field follows only when the source field ended at '|'; a source field
//     that ended at a line end gives an empty translation (a line without a bar changes
//     nothing, an empty line gives an empty entry);
//   - a line end that is a CR also takes a following LF, so CR LF, LF and CR all end a line;
//   - a second unescaped '|' ends the translation, and the rest of the line is the next entry;
//   - escapes in both fields: "\n" is LF, "\r" is CR, a backslash before any other character
//     stands for that character ("\|", "\\"); a backslash as the very last character of the
//     text is dropped;
//   - a NUL character ends the text; no comments, no trimming, case-sensitive matching.
// One entry (fields, bars, escapes and line end) may have at most 4094 characters. A longer
// entry is skipped whole and reading goes on with the entry after it. In a UTF-16 file, an
// odd last byte is ignored.
//
// Reading uses fixed buffers (a window of 4096 characters and the bytes behind it, and two
// field buffers), so reading a file of any length needs no memory beyond the table itself.
// The table itself is held to a budget that stands for the handheld's memory: at most
// kMaxEntries entries and kMaxCharacters characters of sources and translations together.
// An entry beyond it is dropped as if memory had run out, and reading goes on (later short
// entries may still fit). A real translation holds a few hundred short entries; the budget
// only keeps a huge or hostile file from taking the memory of the whole machine.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "platform/Types.h"

class TranslationTable {
  public:
    static constexpr std::size_t kWindowSize = 4096;  // characters, terminator included
    static constexpr std::size_t kMaxEntryLength = kWindowSize - 2;
    static constexpr std::size_t kResultSize = 1024;  // translated results, terminator included
    static constexpr std::size_t kMaxEntries = 1u << 16;
    static constexpr std::size_t kMaxCharacters = 1u << 22;

    // The process-wide table: created empty on first use, destroyed at process exit.
    static TranslationTable& Instance();

    TranslationTable() = default;
    TranslationTable(const TranslationTable&) = delete;
    TranslationTable& operator=(const TranslationTable&) = delete;

    // Appends the entries of the file at `path` (a host or device path) in file order.
    // Returns false, and changes nothing, when the file cannot be opened. An entry for which
    // memory runs out is dropped and reading goes on.
    bool Load(std::u16string_view path);

    // The translation of the first entry whose source equals `text` exactly, or empty.
    std::u16string Lookup(std::u16string_view text) const;

    // String resource `id` (LoadStringResource), replaced by its translation when there is a
    // non-empty one. Empty when the resource does not exist. At most kResultSize - 1
    // characters (cut, never inside a surrogate pair). A plain text takes any translation,
    // '%' signs included: it is shown as it stands.
    std::u16string LoadTranslatedString(UINT id) const;

    // The translation of `text` under the same rules, else `text` itself; at most
    // kResultSize - 1 characters.
    std::u16string TranslateText(std::u16string_view text) const;

    // The same for a text that the program formats with printf conversions: a translation
    // whose conversions differ from the English text's (SameConversions) is ignored, so the
    // format always takes exactly the arguments given.
    std::u16string LoadTranslatedFormat(UINT id) const;
    std::u16string TranslateFormat(std::u16string_view format) const;

    // The entries in file order; duplicates stay.
    std::size_t Count() const { return entries_.size(); }
    const std::u16string& Source(std::size_t index) const { return entries_.at(index).source; }
    const std::u16string& Translation(std::size_t index) const {
        return entries_.at(index).translation;
    }

  private:
    struct Entry {
        std::u16string source;
        std::u16string translation;
    };
    void Add(std::u16string_view source, std::u16string_view translation);

    // A deque grows without moving the entries already read, so loading never holds two
    // copies of the table at once.
    std::deque<Entry> entries_;
    std::size_t characters_ = 0;  // of all sources and translations, for the budget
};

// The translation file of the running program for a language code: the module path with
// its file name's own extension (if any) removed, then "_", the code and ".txt"
// ("/x/Tessamo.exe" → "/x/Tessamo_en.txt", "/opt/my.games/tessamo" →
// "/opt/my.games/tessamo_en.txt"). Empty when the module path cannot be had in full.
std::u16string TranslationFilePath(std::u16string_view languageCode);
std::u16string TranslationFilePathFor(std::u16string_view modulePath,
                                      std::u16string_view languageCode);
