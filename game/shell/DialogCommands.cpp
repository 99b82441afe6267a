#include "game/shell/DialogCommands.h"

#include "game/dialogs/AboutDialog.h"
#include "game/dialogs/FormatText.h"
#include "game/dialogs/SelectGameDialog.h"
#include "game/resources/ProgramResources.h"
#include "game/settings/Options.h"
#include "game/settings/OptionsDialog.h"
#include "game/settings/StatisticsDialog.h"
#include "game/shell/MainDialog.h"
#include "platform/gui/DeviceScreen.h"
#include "platform/gui/ModalRun.h"

namespace {

constexpr int kVersionMajor = 1;
constexpr int kVersionMinor = 5;
constexpr int kVersionRevision = 0;
constexpr int kBuildNumber = 66;
constexpr char16_t kAboutHelpTopic[] = u"VevivoZozoruv.htm#Main_Contents";

}  // namespace

std::optional<std::int32_t> RunSelectGame(QWidget* parent) {
    SelectGameDialog dialog(parent);
    if (platform::gui::RunModal(dialog) != IDOK) return std::nullopt;
    return static_cast<std::int32_t>(dialog.GameNumber());
}

bool RunOptions(QWidget* parent, Options& options) {
    OptionsDialog dialog(parent);
    dialog.SetDblClickMoves(options.DblClickMoves() ? 1 : 0);
    dialog.SetDisplayMessages(options.DisplayMessages() ? 1 : 0);
    dialog.SetShowStatusBar(options.ShowStatusBar() ? 1 : 0);
    dialog.SetSoftKeyMenu(options.SoftKeyMenu() ? 1 : 0);
    if (platform::gui::RunModal(dialog) != IDOK) return false;
    options.SetDblClickMoves(dialog.DblClickMoves() != 0);
    options.SetDisplayMessages(dialog.DisplayMessages() != 0);
    options.SetShowStatusBar(dialog.ShowStatusBar() != 0);
    options.SetSoftKeyMenu(dialog.SoftKeyMenu() != 0);
    return true;
}

void RunStatistics(QWidget* parent, bool unfinished) {
    StatisticsDialog dialog(unfinished, parent);
    platform::gui::RunModal(dialog);
}

void RunAbout(QWidget* parent) {
    const std::u16string version =
        FormatText(u"%d.%d.%d", kVersionMajor, kVersionMinor, kVersionRevision);
    const std::u16string build = FormatText(u"%d", kBuildNumber);
    ShowAboutDialog(kDisplayName, version, build, kAboutHelpTopic, parent, kIconProgram);
}
