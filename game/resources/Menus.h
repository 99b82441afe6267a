// The program's menus (185 for the classic menu bar, 186 for the soft-key menu bar) as
// tables, and the menu-bar descriptions (resource type RCDATA, same ids) as 16-bit words.
#pragma once

#include <span>
#include <vector>

#include "platform/Types.h"

struct MenuItemResource {
    enum class Kind { String, Separator, Popup };
    Kind kind;
    const char16_t* text;                     // u"" for separators
    UINT id;                                  // command id; 0 for separators and popups
    std::span<const MenuItemResource> items;  // the sub-menu of a popup, else empty
};

struct MenuResource {
    int id;
    std::span<const MenuItemResource> items;  // the top-level items, in order
};

// Menu `id` (185 or 186), or null for any other id. Static tables, valid for the process.
const MenuResource* FindMenuResource(int id);

// The menu-bar description `id` (185 or 186): the menu id, the button count, then seven
// words per button (image 0xFFFE = none, command id, state, style, label string id, 0,
// sub-menu index). Empty for any other id.
std::span<const WORD> FindMenuBarResource(int id);

// One button of a menu-bar description, decoded.
struct MenuBarButton {
    WORD image;
    WORD command;
    WORD state;
    WORD style;
    WORD labelStringId;
    WORD subMenu;
};
constexpr int kMenuBarButtonWords = 7;

// The buttons of a description, at most as many as its count word says and as its words
// hold in full; a short or damaged description never reads past its words.
std::vector<MenuBarButton> DecodeMenuBar(std::span<const WORD> description);
