#include "tools/cli/Arguments.h"

#include <charconv>

std::optional<std::int32_t> ParseGameNumber(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < INT32_MIN || value > static_cast<std::int64_t>(UINT32_MAX)) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<Size> ParseScreenSize(std::string_view text) {
    constexpr int kMaxSide = 4096;
    const auto x = text.find('x');
    if (x == std::string_view::npos) return std::nullopt;
    const auto w = ParseInt(text.substr(0, x));
    const auto h = ParseInt(text.substr(x + 1));
    if (!w || !h || *w <= 0 || *h <= 0 || *w > kMaxSide || *h > kMaxSide) return std::nullopt;
    return Size{*w, *h};
}

bool TakeScreenSize(const std::vector<std::string>& args, std::size_t& i, std::string_view command,
                    Size& screen, std::ostream& err) {
    const auto size = i + 1 < args.size() ? ParseScreenSize(args[++i]) : std::nullopt;
    if (!size) {
        err << "tessamo-cli " << command << ": --screen needs WxH, each side 1 to 4096\n";
        return false;
    }
    screen = *size;
    return true;
}
