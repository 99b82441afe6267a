#include "platform/gui/ShellRequests.h"

#include <algorithm>

#include "platform/WideString.h"
#include "platform/gui/DeviceScreen.h"

namespace platform::gui {

namespace {

struct ShellState {
    bool extraControls = false;
    std::vector<ShellRequest> log;
    std::uint64_t sequence = 0;
};

ShellState& State() {
    static ShellState state;
    return state;
}

void Remember(ShellRequestKind kind, QWidget* window, DWORD state) {
    State().log.push_back(ShellRequest{kind, window, state, NextRequestSequence()});
}

}  // namespace

BOOL IsWindowClassRegistered(std::u16string_view className) {
    return State().extraControls && WideCompareNoCase(className, u"SIPPREF") == 0 ? TRUE : FALSE;
}

QWidget* CreateSipPrefControl(QWidget* parent) {
    QWidget* control = nullptr;
    if (parent && State().extraControls) {
        control = new QWidget(parent);
        control->setObjectName(QStringLiteral("SIPPREF"));
        control->setGeometry(0, 0, 0, 0);
        control->hide();
    }
    Remember(ShellRequestKind::CreateSipPref, parent, control ? 1 : 0);
    return control;
}

const std::vector<ShellRequest>& ShellRequestLog() {
    return State().log;
}

int CountShellRequests(ShellRequestKind kind, const QWidget* window) {
    return static_cast<int>(
        std::count_if(State().log.begin(), State().log.end(), [&](const ShellRequest& r) {
            return r.kind == kind && (!window || r.window.data() == window);
        }));
}

void ResetShellRequests() {
    State().extraControls = false;
    State().log.clear();
}

std::uint64_t NextRequestSequence() {
    return ++State().sequence;
}

std::uint64_t RequestSequence() {
    return State().sequence;
}

}  // namespace platform::gui

using platform::gui::ShellRequestKind;

BOOL SHInitExtraControls() {
    platform::gui::Remember(ShellRequestKind::InitExtraControls, nullptr, 0);
    platform::gui::State().extraControls = true;
    return TRUE;
}

BOOL SHSipPreference(QWidget* window, SIPSTATE state) {
    platform::gui::Remember(ShellRequestKind::SipPreference, window, static_cast<DWORD>(state));
    const int value = static_cast<int>(state);
    return value >= SIP_UP && value <= SIP_UNCHANGED ? TRUE : FALSE;
}

BOOL SHDoneButton(QWidget* window, DWORD state) {
    platform::gui::Remember(ShellRequestKind::DoneButton, window, state);
    if (window && (state == SHDB_SHOW || state == SHDB_HIDE)) {
        window->setProperty(platform::gui::kDoneButtonHiddenProperty, state == SHDB_HIDE);
        if (auto* screen = platform::gui::DeviceScreen::Instance()) screen->RefreshOkButton();
    }
    return state == SHDB_SHOW || state == SHDB_HIDE ? TRUE : FALSE;
}
