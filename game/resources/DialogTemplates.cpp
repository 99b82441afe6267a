#include "game/resources/DialogTemplates.h"

#include <array>

#include "common/ProductName.h"
#include "game/resources/resource.h"

namespace {

constexpr DWORD kPopupDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT;
constexpr DWORD kModalDialog = kPopupDialog | DS_MODALFRAME;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kCheckBox = kChild | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE;
constexpr const char16_t* kDisplayName = kProductName;
constexpr const char16_t* kFont = u"System";

constexpr std::array kMainControls{
    ControlTemplate{IDC_CARDFIELD, kClassCardField, u"", kChild, 0, 0, 139, 104},
    // Never shown or used; it only has to exist with its id.
    ControlTemplate{IDC_TAB, kClassTabControl, u"Tab1", WS_CHILD | WS_TABSTOP, 0, 104, 139, 36},
};

constexpr std::array kOptionsControls{
    ControlTemplate{IDC_DISPLAY_MESSAGES, kClassButton, u"Display messages on illegal moves",
                    kCheckBox, 7, 17, 129, 17},
    ControlTemplate{IDC_DBLCLICK_MOVES, kClassButton, u"Double-tap moves a card to a reserve cell",
                    kCheckBox, 7, 35, 129, 17},
    ControlTemplate{IDC_SHOW_STATUSBAR, kClassButton, u"Show status bar", kCheckBox, 7, 53, 129,
                    17},
    ControlTemplate{IDC_SOFTKEY_MENU, kClassButton, u"Use soft-keys style menu", kCheckBox, 7, 71,
                    129, 17},
};

constexpr std::array kSelectGameControls{
    ControlTemplate{IDC_STATIC, kClassStatic, u"Select a game number from 1 to 32000",
                    kChild | WS_GROUP | SS_LEFT, 7, 26, 99, 16},
    ControlTemplate{IDC_GAME_NUMBER, kClassEdit, u"",
                    kChild | WS_BORDER | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 7, 43, 70, 13},
    ControlTemplate{IDC_STATIC, kClassSipPref, u"", WS_CHILD, -10, -10, 5, 5},
};

constexpr std::array kStatisticsControls{
    ControlTemplate{IDC_CLEAR, kClassButton, u"Clear", kChild | WS_TABSTOP | BS_PUSHBUTTON, 7, 115,
                    50, 14},
    ControlTemplate{IDC_STATIC, kClassStatic, u"Won:", kChild | SS_LEFT, 7, 19, 34, 8},
    ControlTemplate{IDC_WON, kClassStatic, u"Static", kChild | SS_LEFT, 48, 19, 84, 8},
    ControlTemplate{IDC_STATIC, kClassStatic, u"Lost:", kChild | SS_LEFT, 7, 31, 34, 8},
    ControlTemplate{IDC_LOST, kClassStatic, u"Static", kChild | SS_LEFT, 48, 31, 84, 8},
    ControlTemplate{IDC_STATIC, kClassStatic, u"Completed games:", kChild | SS_LEFT, 7, 47, 60, 8},
    ControlTemplate{IDC_COMPLETED_LIST, kClassListView, u"List1",
                    kChild | WS_BORDER | WS_TABSTOP | LVS_LIST | LVS_SINGLESEL | LVS_ALIGNLEFT, 7,
                    57, 124, 50},
};

constexpr std::array kTemplates{
    DialogTemplate{IDD_MAIN, kPopupDialog, kDisplayName, kFont, 8, 0, 0, 139, 140, kMainControls},
    DialogTemplate{IDD_OPTIONS, kModalDialog, kDisplayName, kFont, 8, 0, 0, 143, 150,
                   kOptionsControls},
    DialogTemplate{IDD_SELECT_GAME, kModalDialog, kDisplayName, kFont, 8, 0, 0, 153, 142,
                   kSelectGameControls},
    DialogTemplate{IDD_STATISTICS, kModalDialog, kDisplayName, kFont, 8, 0, 0, 139, 135,
                   kStatisticsControls},
};

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
    for (const DialogTemplate& dialog : kTemplates) {
        if (dialog.id == id) return &dialog;
    }
    return nullptr;
}
