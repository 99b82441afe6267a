// The program's dialog templates as tables: for each dialog its style, caption, font and size,
// and for each control its id, window class, text, style and rectangle. Positions and sizes
// are in dialog units of the template's font; DialogBuilder turns them into widgets.
#pragma once

#include <span>

#include "platform/Types.h"

// Window styles, as the templates carry them; one type, so that styles of every kind combine.
enum : DWORD {
    WS_POPUP = 0x80000000,
    WS_CHILD = 0x40000000,
    WS_VISIBLE = 0x10000000,
    WS_CAPTION = 0x00C00000,
    WS_BORDER = 0x00800000,
    WS_VSCROLL = 0x00200000,
    WS_SYSMENU = 0x00080000,
    WS_GROUP = 0x00020000,
    WS_TABSTOP = 0x00010000,
    DS_MODALFRAME = 0x00000080,
    DS_SETFONT = 0x00000040,
    // Static controls.
    SS_LEFT = 0x00000000,
    SS_CENTER = 0x00000001,
    SS_ICON = 0x00000003,
    // Buttons: the type is the low four bits.
    BS_PUSHBUTTON = 0x00000000,
    BS_DEFPUSHBUTTON = 0x00000001,
    BS_AUTOCHECKBOX = 0x00000003,
    BS_TYPEMASK = 0x0000000F,
    BS_MULTILINE = 0x00002000,
    // Edit boxes.
    ES_LEFT = 0x00000000,
    ES_AUTOHSCROLL = 0x00000080,
    // List views.
    LVS_LIST = 0x00000003,
    LVS_SINGLESEL = 0x00000004,
    LVS_ALIGNLEFT = 0x00000800,
};

// Window class names that the templates use ("static", "edit" and "button" are the
// platform's own; the list view and the tab control are common controls).
inline constexpr const char16_t* kClassStatic = u"static";
inline constexpr const char16_t* kClassEdit = u"edit";
inline constexpr const char16_t* kClassButton = u"button";
inline constexpr const char16_t* kClassListView = u"SysListView32";
inline constexpr const char16_t* kClassTabControl = u"SysTabControl32";
inline constexpr const char16_t* kClassCardField = u"CARDFIELD";
inline constexpr const char16_t* kClassSipPref = u"SIPPREF";

struct ControlTemplate {
    int id;  // -1 for controls the program never addresses
    const char16_t* className;
    const char16_t* text;  // never null; u"" for none
    DWORD style;
    short x, y, cx, cy;  // dialog units
};

struct DialogTemplate {
    int id;
    DWORD style;
    const char16_t* caption;
    const char16_t* fontFace;                   // "System"
    int fontPointSize;                          // 8
    short x, y, cx, cy;                         // dialog units
    std::span<const ControlTemplate> controls;  // in creation (child) order
};

// The template with resource id `id` (102, 186, 187, 188), or null for any other id.
// The tables are static and live for the whole process.
const DialogTemplate* FindDialogTemplate(int id);
