// Applying the translation table to windows and menus: a dialog's caption and its controls'
// texts, the item texts of a menu, and menu bars built from the program's menu resources.
// Texts without a (non-empty) translation stay as they are; no text ever becomes empty.
#pragma once

#include "game/resources/Menus.h"

class CommandBar;
class QMenu;
class QWidget;

// Translates the caption (window title) of `window` and the texts of its direct child widgets
// in child order: labels, buttons and check boxes, edit boxes, and the window title of any
// other control; the items of a combo box are replaced in place (same index, same count,
// item data of a replaced item is not kept). Grandchildren are not visited. Null does nothing.
void TranslateDialog(QWidget* window);

// Translates the texts of the items of `menu` and, recursively, of its sub-menus; the text of
// an item that opens a sub-menu is translated too. Separators are left alone. Null does nothing.
void TranslateMenu(QMenu* menu);

// Builds a menu from the menu resource: one QAction per item with its text and its command id
// (QAction::data), separators as separators, popups as sub-menus (children of the returned
// menu). Nothing is translated. The caller owns the result (it gets `parent` as parent).
QMenu* LoadMenu(const MenuResource& resource, QWidget* parent = nullptr);
// The same for a menu id; null when no such menu exists.
QMenu* LoadMenu(int menuId, QWidget* parent = nullptr);

// Fills `bar` from menu `menuId` (or `resource`), as the platform's command bar does:
//   1. a `position` equal to the bar's button count counts as CommandBar::kAppend;
//   2. the menu is loaded and translated (TranslateMenu);
//   3. for each top-level item from the first, while it opens a sub-menu: a drop-down button
//      with the item's text without ampersands, command id 0xF000 + index, the sub-menu as
//      its menu; the sub-menu's own items lose every ampersand and everything from the first
//      tab (sub-menus of the sub-menu are not visited); the position then moves one on unless
//      it appends;
//   4. the sub-menus report their opening to the bar's owner (TrackPopupMenus) and their
//      commands go to the bar's command handler;
//   5. the menu becomes the bar's menu if the bar has none yet.
// Returns the menu (owned by the bar), or null when `bar` is null or the menu does not exist.
QMenu* BuildMenuBar(CommandBar* bar, int menuId, int position = 0xFFFF);
QMenu* BuildMenuBar(CommandBar* bar, const MenuResource& resource, int position = 0xFFFF);
