#include "game/dialogs/HelpLaunch.h"

#include "platform/Process.h"

std::u16string HelpCommandLine(std::u16string_view anchorOrTopic) {
    std::u16string line = u"file:";
    const std::size_t hash = anchorOrTopic.find(u'#');
    if (hash != std::u16string_view::npos && hash > 0) {
        line += anchorOrTopic;  // a whole topic: help file and anchor
        return line;
    }
    line += kHelpFile;
    if (anchorOrTopic.empty()) return line;
    if (anchorOrTopic.front() != u'#') line += u'#';
    line += anchorOrTopic;
    return line;
}

void LaunchHelp(std::u16string_view anchorOrTopic) {
    const std::u16string application(kHelpViewer);
    const std::u16string commandLine = HelpCommandLine(anchorOrTopic);
    CreateProcessW(application.c_str(), commandLine.c_str(), nullptr, nullptr, FALSE, 0, nullptr,
                   nullptr, nullptr, nullptr);
}
