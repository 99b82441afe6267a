#include "platform/StartupSettings.h"

#include <cstdlib>

#include "platform/PlatformConfig.h"

namespace platform {

namespace {

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

void SkipSpaces(std::string_view& text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
}

// One to `maxDigits` decimal digits at the start of `text`, consumed; nullopt otherwise.
std::optional<int> TakeNumber(std::string_view& text, std::size_t maxDigits) {
    std::size_t digits = 0;
    int value = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        if (++digits > maxDigits) return std::nullopt;
        value = value * 10 + (text[digits - 1] - '0');
    }
    if (digits == 0) return std::nullopt;
    text.remove_prefix(digits);
    return value;
}

}  // namespace

std::optional<ScreenDimensions> ParseScreenDimensions(std::string_view text) {
    SkipSpaces(text);
    const std::optional<int> width = TakeNumber(text, 5);
    SkipSpaces(text);
    if (!width || text.empty() ||
        (text.front() != 'x' && text.front() != 'X' && text.front() != '*')) {
        return std::nullopt;
    }
    text.remove_prefix(1);
    SkipSpaces(text);
    const std::optional<int> height = TakeNumber(text, 5);
    SkipSpaces(text);
    if (!height || !text.empty()) return std::nullopt;
    if (*width < kMinimumScreenSide || *height < kMinimumScreenSide) return std::nullopt;
    return ScreenDimensions{*width, *height};
}

ScreenDimensions StartScreenDimensions() {
    if (const char* value = std::getenv("KORVEL_SCREEN")) {
        if (auto size = ParseScreenDimensions(value)) return *size;
    }
    return {};
}

ScreenDimensions StartScreenDimensions(int argc, const char* const* argv) {
    for (int i = 1; i < argc && argv && argv[i]; ++i) {
        const std::string_view argument = argv[i];
        std::string_view value;
        if (argument.starts_with("--screen=")) {
            value = argument.substr(9);
        } else if (argument == "--screen" && i + 1 < argc && argv[i + 1]) {
            value = argv[i + 1];
        } else {
            continue;
        }
        if (auto size = ParseScreenDimensions(value)) return *size;
    }
    return StartScreenDimensions();
}

void ApplyPlatformVersionFromEnvironment() {
    const char* version = std::getenv("KORVEL_PLATFORM_VERSION");
    if (!version) return;
    std::string_view text = version;
    SkipSpaces(text);
    const std::optional<int> major = TakeNumber(text, 2);
    SkipSpaces(text);
    if (major && text.empty() && *major >= 1) SetPlatformMajorVersion(*major);
}

}  // namespace platform
