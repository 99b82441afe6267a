#include "game/settings/Options.h"

#include "common/registry/RegistryKey.h"
#include "common/registry/SettingsRoot.h"

namespace {

constexpr LPCWSTR kOptionsKey = u"Options";

}  // namespace

bool Options::Load() {
    RegistryKey root(HKEY_LOCAL_MACHINE, kSettingsRoot, true, true);
    RegistryKey key(root.Handle(), kOptionsKey, true, true);
    dblClickMoves_ = key.GetDword(u"DblClickMoves", 1) != 0;
    displayMessages_ = key.GetDword(u"DisplayMessages", 1) != 0;
    showNoDragBox_ = key.GetDword(u"ShowNoDragBox", 1) != 0;
    showStatusBar_ = key.GetDword(u"ShowStatusBar", 1) != 0;
    softKeyMenu_ = key.GetDword(u"OldCommandBar", 0) == 0;
    return true;
}

bool Options::Save() {
    RegistryKey root(HKEY_LOCAL_MACHINE, kSettingsRoot, true, true);
    RegistryKey key(root.Handle(), kOptionsKey, true, true);
    key.SetDword(u"DblClickMoves", dblClickMoves_ ? 1 : 0);
    key.SetDword(u"DisplayMessages", displayMessages_ ? 1 : 0);
    key.SetDword(u"ShowNoDragBox", showNoDragBox_ ? 1 : 0);
    key.SetDword(u"ShowStatusBar", showStatusBar_ ? 1 : 0);
    key.SetDword(u"OldCommandBar", softKeyMenu_ ? 0 : 1);
    return true;
}

Options& TheOptions() {
    static Options options;
    return options;
}
