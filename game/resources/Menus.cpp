#include "game/resources/Menus.h"

#include <array>

#include "game/resources/resource.h"

namespace {

using Kind = MenuItemResource::Kind;

constexpr MenuItemResource Item(const char16_t* text, UINT id) {
    return {Kind::String, text, id, {}};
}
constexpr MenuItemResource kSeparator{Kind::Separator, u"", 0, {}};

constexpr std::array kClassicGame{
    Item(u"New Game", ID_GAME_NEW),
    Item(u"Select Game", ID_GAME_SELECT),
    Item(u"Restart Game", ID_GAME_RESTART),
};
constexpr std::array kSoftKeyGame{
    Item(u"New Game", ID_GAME_NEW),
    Item(u"Select Game", ID_GAME_SELECT),
    Item(u"Restart Game", ID_GAME_RESTART),
    Item(u"Undo", ID_GAME_UNDO),
};
constexpr std::array kTools{
    Item(u"Options...", ID_TOOLS_OPTIONS),
    Item(u"Statistics...", ID_TOOLS_STATISTICS),
    kSeparator,
    Item(u"About...", ID_TOOLS_ABOUT),
};

constexpr std::array kClassicBar{
    MenuItemResource{Kind::Popup, u"Game", 0, kClassicGame},
    MenuItemResource{Kind::Popup, u"Tools", 0, kTools},
};
constexpr std::array kSoftKeyBar{
    MenuItemResource{Kind::Popup, u"Game", 0, kSoftKeyGame},
    MenuItemResource{Kind::Popup, u"Tools", 0, kTools},
};

constexpr std::array kMenus{
    MenuResource{IDR_MENU_CLASSIC, kClassicBar},
    MenuResource{IDR_MENU_SOFTKEY, kSoftKeyBar},
};

// Image none, command, state enabled, style drop-down with automatic size, label string,
// 0, sub-menu index.
constexpr WORD kNoImage = 0xFFFE;
constexpr WORD kEnabled = 4;
constexpr WORD kDropDownAutoSize = 0x18;
#define TESSAMO_MENU_BAR(menu)                                                             \
    {                                                                                      \
        menu, 2, kNoImage, ID_MENU_GAME, kEnabled, kDropDownAutoSize, IDS_GAME_MENU, 0, 0, \
            kNoImage, ID_MENU_TOOLS, kEnabled, kDropDownAutoSize, IDS_TOOLS_MENU, 0, 1     \
    }
constexpr WORD kClassicBarWords[] = TESSAMO_MENU_BAR(IDR_MENU_CLASSIC);
constexpr WORD kSoftKeyBarWords[] = TESSAMO_MENU_BAR(IDR_MENU_SOFTKEY);
#undef TESSAMO_MENU_BAR

}  // namespace

const MenuResource* FindMenuResource(int id) {
    for (const MenuResource& menu : kMenus) {
        if (menu.id == id) return &menu;
    }
    return nullptr;
}

std::span<const WORD> FindMenuBarResource(int id) {
    switch (id) {
        case IDR_MENU_CLASSIC:
            return kClassicBarWords;
        case IDR_MENU_SOFTKEY:
            return kSoftKeyBarWords;
        default:
            return {};
    }
}

std::vector<MenuBarButton> DecodeMenuBar(std::span<const WORD> description) {
    std::vector<MenuBarButton> buttons;
    if (description.size() < 2) return buttons;
    const std::size_t count = description[1];
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = 2 + i * kMenuBarButtonWords;
        if (at + kMenuBarButtonWords > description.size()) break;
        const WORD* w = description.data() + at;
        buttons.push_back({w[0], w[1], w[2], w[3], w[4], w[6]});
    }
    return buttons;
}
