// Starting the platform's help viewer on a topic of the program's help file.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::u16string_view kHelpFile = u"VevivoZozoruv.htm";
inline constexpr std::u16string_view kHelpViewer = u"PegHelp.exe";
// Anchors of the help file.
inline constexpr std::u16string_view kHelpMainContents = u"Main_Contents";
inline constexpr std::u16string_view kHelpPlay = u"play";
inline constexpr std::u16string_view kHelpOptions = u"Options";

// The viewer's command line for an anchor or a topic:
//   "Options" or "#Options"            -> "file:VevivoZozoruv.htm#Options"
//   "VevivoZozoruv.htm#Main_Contents"  -> "file:VevivoZozoruv.htm#Main_Contents"
// A text holding '#' after its first character is a whole topic (help file and anchor, as the
// About dialog is given it) and is used as it stands; an empty text gives the help file alone.
std::u16string HelpCommandLine(std::u16string_view anchorOrTopic);

// Starts "PegHelp.exe" (from the device's \Windows folder) with HelpCommandLine(anchorOrTopic)
// as its command line, detached. The caller does not wait and nothing is kept. A viewer that
// cannot be started shows nothing and reports nothing.
void LaunchHelp(std::u16string_view anchorOrTopic);
