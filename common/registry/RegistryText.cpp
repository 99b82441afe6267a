#include "common/registry/RegistryText.h"

#include <cstdio>
#include <string_view>

#include "common/registry/KeyTree.h"
#include "platform/WideString.h"

namespace registry_text {

namespace {

constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";
std::string Quote(std::u16string_view text) {
    std::string out = "\"";
    for (char c : ToUtf8(text)) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

std::string HexBytes(const std::vector<BYTE>& data) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    out.reserve(data.size() * 3);
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i > 0) out += ',';
        out += digits[data[i] >> 4];
        out += digits[data[i] & 0xF];
    }
    return out;
}

// The text of a REG_SZ value when it can be written as "text" and read back unchanged.
std::optional<std::u16string> PlainText(const std::vector<BYTE>& data) {
    if (data.size() < 2 || data.size() % 2 != 0) return std::nullopt;
    std::u16string text;
    for (std::size_t i = 0; i < data.size(); i += 2) {
        text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
    }
    if (text.back() != u'\0') return std::nullopt;
    text.pop_back();
    if (HasControlCharacter(text)) return std::nullopt;
    if (FromUtf8(ToUtf8(text)) != text) return std::nullopt;  // unpaired surrogates
    return text;
}

std::string FormatValue(std::u16string_view name, DWORD type, const std::vector<BYTE>& data) {
    std::string line = Quote(name) + "=";
    if (type == REG_DWORD && data.size() == 4) {
        char number[16];
        std::snprintf(number, sizeof number, "dword:%08x",
                      static_cast<unsigned>(data[0] | data[1] << 8 | data[2] << 16 |
                                            static_cast<DWORD>(data[3]) << 24));
        return line + number;
    }
    if (type == REG_BINARY) return line + "hex:" + HexBytes(data);
    if (type == REG_SZ) {
        if (auto text = PlainText(data)) return line + Quote(*text);
    }
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(type));
    return line + prefix + HexBytes(data);
}

struct Exporter {
    static constexpr DWORD kKeyNameBuffer = kMaxKeyNameLength + 1;
    static constexpr DWORD kValueNameBuffer = kMaxValueNameLength + 1;

    std::ostream& out;
    bool first = true;
    bool failed = false;
    bool tooDeep = false;
    // Shared by every key of the walk: a value name is used up before the next is read.
    std::vector<WCHAR> valueName = std::vector<WCHAR>(kValueNameBuffer);

    // Writes the key's block: its path and its values.
    bool Block(HKEY key, const std::string& path, bool hiveRoot) {
        std::vector<std::string> lines;
        for (DWORD index = 0;; ++index) {
            DWORD nameLength = kValueNameBuffer;
            DWORD type = REG_NONE;
            DWORD size = 0;
            LONG rc = RegEnumValueW(key, index, valueName.data(), &nameLength, nullptr, &type,
                                    nullptr, &size);
            if (rc == ERROR_NO_MORE_ITEMS) break;
            std::vector<BYTE> data(size);
            nameLength = kValueNameBuffer;
            if (rc == ERROR_SUCCESS) {
                rc = RegEnumValueW(key, index, valueName.data(), &nameLength, nullptr, &type,
                                   data.data(), &size);
            }
            if (rc != ERROR_SUCCESS) return false;
            data.resize(size);
            lines.push_back(
                FormatValue(std::u16string_view(valueName.data(), nameLength), type, data));
        }
        if (!hiveRoot || !lines.empty()) {
            if (!first) out << '\n';
            first = false;
            out << '[' << path << "]\n";
            for (const std::string& line : lines) out << line << '\n';
        }
        return true;
    }

    // The hive, then every key below it, depth first. The walk keeps its own stack, and a
    // key deeper than the registry lets anyone create (another program may have written the
    // store) ends it with an error: its text could not be imported again.
    void Hive(HKEY hive, std::string_view name) {
        struct Level {
            HKEY key;
            std::size_t pathLength;
            DWORD next;
        };
        std::string path(name);
        std::vector<Level> levels{{hive, path.size(), 0}};
        failed = !Block(hive, path, true);
        while (!failed && !levels.empty()) {
            Level& level = levels.back();
            WCHAR child[kKeyNameBuffer];
            DWORD length = kKeyNameBuffer;
            LONG rc = RegEnumKeyExW(level.key, level.next, child, &length, nullptr, nullptr,
                                    nullptr, nullptr);
            if (rc == ERROR_NO_MORE_ITEMS) {
                if (level.key != hive) RegCloseKey(level.key);
                levels.pop_back();
                continue;
            }
            if (rc == ERROR_SUCCESS && levels.size() > static_cast<std::size_t>(kMaxKeyDepth)) {
                tooDeep = true;
                failed = true;
                break;
            }
            HKEY key = nullptr;
            if (rc == ERROR_SUCCESS) rc = RegOpenKeyExW(level.key, child, 0, 0, &key);
            if (rc != ERROR_SUCCESS) {
                failed = true;
                break;
            }
            ++level.next;
            path.resize(level.pathLength);
            path += '\\';
            path += ToUtf8(std::u16string_view(child, length));
            levels.push_back({key, path.size(), 0});
            failed = !Block(key, path, false);
        }
        for (const Level& level : levels) {
            if (level.key != hive) RegCloseKey(level.key);
        }
    }
};

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::optional<unsigned long> ParseHex(std::string_view digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
    unsigned long value = 0;
    for (char c : digits) {
        if (!IsHexDigit(c)) return std::nullopt;
        value = value * 16 + static_cast<unsigned long>(c <= '9'   ? c - '0'
                                                        : c <= 'F' ? c - 'A' + 10
                                                                   : c - 'a' + 10);
    }
    return value;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// UTF-8 text to wide text; nullopt when it is not valid UTF-8.
std::optional<std::u16string> Wide(std::string_view utf8) {
    std::u16string wide = FromUtf8(utf8);
    if (ToUtf8(wide) != utf8) return std::nullopt;
    return wide;
}

class Parser {
  public:
    std::optional<ParseError> Parse(const std::string& content, std::vector<KeyChange>& changes) {
        std::size_t start = 0;
        for (std::size_t number = 1; start <= content.size(); ++number) {
            std::size_t end = content.find('\n', start);
            if (end == std::string::npos) end = content.size();
            std::string_view line(content.data() + start, end - start);
            if (number == 1 && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            if (auto message = Line(Trim(line), changes)) return ParseError{number, *message};
            if (end == content.size()) break;
            start = end + 1;
        }
        return std::nullopt;
    }

  private:
    std::optional<std::string> Line(std::string_view line, std::vector<KeyChange>& changes) {
        if (line.empty() || line.front() == ';') return std::nullopt;
        if (line.front() == '[') return Header(line, changes);
        if (line.front() == '"') {
            if (changes.empty()) return "a value before the first [key] line";
            if (changes.back().removeTree) return "a value below a [-key] removal";
            ValueChange value;
            if (auto message = Value(line, value)) return message;
            changes.back().values.push_back(std::move(value));
            return std::nullopt;
        }
        return "expected a [key] line or a \"name\"=value line";
    }

    static std::optional<std::string> Header(std::string_view line,
                                             std::vector<KeyChange>& changes) {
        if (line.back() != ']' || line.size() < 2) return "a [key] line must end with ]";
        std::string_view inner = line.substr(1, line.size() - 2);
        KeyChange change;
        if (inner.starts_with('-')) {
            change.removeTree = true;
            inner.remove_prefix(1);
        }
        const std::size_t cut = inner.find('\\');
        const std::string_view hive = inner.substr(0, cut);
        if (hive == kLocalMachine) {
            change.hive = HKEY_LOCAL_MACHINE;
        } else if (hive == kCurrentUser) {
            change.hive = HKEY_CURRENT_USER;
        } else {
            return "unknown hive \"" + std::string(hive) +
                   "\" (HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER)";
        }
        if (cut != std::string_view::npos) {
            std::string_view rest = inner.substr(cut + 1);
            for (int depth = 1;; ++depth) {
                if (depth > kMaxKeyDepth) {
                    return "key path deeper than " + std::to_string(kMaxKeyDepth) + " levels";
                }
                const std::size_t next = rest.find('\\');
                const std::string_view part = rest.substr(0, next);
                auto wide = Wide(part);
                if (part.empty()) return "empty key name in the path";
                if (!wide) return "key path is not valid UTF-8";
                if (wide->size() > kMaxKeyNameLength) return "key name longer than 255 characters";
                if (HasControlCharacter(*wide)) return "control character in a key name";
                if (!change.path.empty()) change.path += u'\\';
                change.path += *wide;
                if (next == std::string_view::npos) break;
                rest.remove_prefix(next + 1);
            }
        }
        if (change.removeTree && change.path.empty()) return "a whole hive cannot be removed";
        changes.push_back(std::move(change));
        return std::nullopt;
    }

    // Reads a quoted string at the start of `text` (which begins with '"'), consuming it.
    static std::optional<std::string> Quoted(std::string_view& text, std::u16string& result) {
        std::string utf8;
        std::size_t i = 1;
        for (;; ++i) {
            if (i >= text.size()) return "missing closing quote";
            const char c = text[i];
            if (c == '"') break;
            if (c == '\\') {
                if (i + 1 >= text.size() || (text[i + 1] != '"' && text[i + 1] != '\\')) {
                    return "a backslash may only come before \" or \\";
                }
                ++i;
            }
            utf8 += text[i];
        }
        text.remove_prefix(i + 1);
        auto wide = Wide(utf8);
        if (!wide) return "text is not valid UTF-8";
        if (HasControlCharacter(*wide)) return "control character in quoted text";
        result = std::move(*wide);
        return std::nullopt;
    }

    static std::optional<std::string> HexList(std::string_view list, std::vector<BYTE>& data) {
        list = Trim(list);
        if (list.empty()) return std::nullopt;
        for (;;) {
            const std::size_t comma = list.find(',');
            auto byte = ParseHex(Trim(list.substr(0, comma)), 2);
            if (!byte) return "bad byte in hex list (expected two hex digits each, separated by ,)";
            data.push_back(static_cast<BYTE>(*byte));
            if (comma == std::string_view::npos) return std::nullopt;
            list.remove_prefix(comma + 1);
        }
    }

    static std::optional<std::string> Value(std::string_view line, ValueChange& value) {
        if (auto message = Quoted(line, value.name)) return "value name: " + *message;
        if (value.name.size() > kMaxValueNameLength) {
            return "value name longer than 16383 characters";
        }
        line = Trim(line);
        if (!line.starts_with('=')) return "expected = after the value name";
        line = Trim(line.substr(1));
        if (line == "-") {
            value.remove = true;
            return std::nullopt;
        }
        if (line.starts_with("dword:")) {
            auto number = ParseHex(line.substr(6), 8);
            if (!number) return "dword: needs 1 to 8 hex digits";
            value.type = REG_DWORD;
            for (int shift = 0; shift < 32; shift += 8) {
                value.data.push_back(static_cast<BYTE>(*number >> shift));
            }
            return std::nullopt;
        }
        if (line.starts_with("hex:")) {
            value.type = REG_BINARY;
            return HexList(line.substr(4), value.data);
        }
        if (line.starts_with("hex(")) {
            const std::size_t close = line.find("):");
            auto type = close == std::string_view::npos ? std::nullopt
                                                        : ParseHex(line.substr(4, close - 4), 8);
            if (!type) return "hex(T): needs a type T of 1 to 8 hex digits";
            value.type = static_cast<DWORD>(*type);
            return HexList(line.substr(close + 2), value.data);
        }
        if (line.starts_with('"')) {
            std::u16string text;
            if (auto message = Quoted(line, text)) return "text: " + *message;
            if (!Trim(line).empty()) return "unexpected characters after the closing quote";
            value.type = REG_SZ;
            text += u'\0';
            for (char16_t c : text) {
                value.data.push_back(static_cast<BYTE>(c & 0xFF));
                value.data.push_back(static_cast<BYTE>(c >> 8));
            }
            return std::nullopt;
        }
        return "unknown value form (expected dword:, hex:, hex(T):, \"text\" or -)";
    }
};

bool KeyExists(HKEY hive, const std::u16string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(hive, path.c_str(), 0, 0, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

}  // namespace

ExportError ExportStore(std::ostream& out) {
    Exporter exporter{out};
    exporter.Hive(HKEY_LOCAL_MACHINE, kLocalMachine);
    if (!exporter.failed) exporter.Hive(HKEY_CURRENT_USER, kCurrentUser);
    if (exporter.tooDeep) return ExportError::kTooDeep;
    return exporter.failed ? ExportError::kReadFailed : ExportError::kNone;
}

std::optional<ParseError> ParseImport(const std::string& text, std::vector<KeyChange>& changes) {
    return Parser().Parse(text, changes);
}

bool ApplyImport(const std::vector<KeyChange>& changes) {
    for (const KeyChange& change : changes) {
        if (change.removeTree) {
            if (KeyExists(change.hive, change.path) &&
                !DeleteKeyTree(change.hive, change.path.c_str())) {
                return false;
            }
            continue;
        }
        HKEY key = nullptr;
        if (RegCreateKeyExW(change.hive, change.path.c_str(), 0, nullptr, 0, 0, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            return false;
        }
        bool ok = true;
        for (const ValueChange& value : change.values) {
            if (value.remove) {
                const LONG rc = RegDeleteValueW(key, value.name.c_str());
                ok = rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
            } else {
                ok = RegSetValueExW(key, value.name.c_str(), 0, value.type, value.data.data(),
                                    static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
            }
            if (!ok) break;
        }
        RegCloseKey(key);
        if (!ok) return false;
    }
    return true;
}

}  // namespace registry_text
