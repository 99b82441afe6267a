// What the device screen takes from the program's start: its size from the command line or
// the environment, and the platform version from the environment.
//
//   --screen=WIDTHxHEIGHT or --screen WIDTHxHEIGHT    the start size (first choice)
//   KORVEL_SCREEN=WIDTHxHEIGHT                         the start size (second choice)
//   KORVEL_PLATFORM_VERSION=N                          the operating system major version,
//                                                      1 to 99 (otherwise left as it is)
//
// A size is two decimal numbers of up to five digits split by 'x', 'X' or '*', with spaces
// allowed around them; sides below kMinimumScreenSide are refused. Without a valid size the
// start size is 480 x 640.
#pragma once

#include <optional>
#include <string_view>

namespace platform {

constexpr int kMinimumScreenSide = 160;
constexpr int kDefaultScreenWidth = 480;
constexpr int kDefaultScreenHeight = 640;

struct ScreenDimensions {
    int width = kDefaultScreenWidth;
    int height = kDefaultScreenHeight;
    bool operator==(const ScreenDimensions&) const = default;
};

std::optional<ScreenDimensions> ParseScreenDimensions(std::string_view text);
// KORVEL_SCREEN when it is a valid size, else the default.
ScreenDimensions StartScreenDimensions();
// The --screen option among the arguments first, then StartScreenDimensions().
ScreenDimensions StartScreenDimensions(int argc, const char* const* argv);
// Sets PlatformMajorVersion from KORVEL_PLATFORM_VERSION when it holds 1 to 99.
void ApplyPlatformVersionFromEnvironment();

}  // namespace platform
