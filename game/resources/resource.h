// Numeric ids of the program's resources, named once for the whole program.
// Some string ids equal command ids on purpose: those strings are the prompts of the commands
// of the same number. Dialog templates, menus and menu-bar descriptions live in separate
// resource types, so their ids may repeat each other (dialog 186 and menu 186).
#pragma once

#define IDS_MOVE_NOT_ALLOWED 1
#define IDS_GAME_MENU 32773
#define IDS_NEW_GAME_PROMPT 32774
#define IDS_SELECT_GAME_PROMPT 32775
#define IDS_TOOLS_MENU 32777
#define IDS_UNDO_PROMPT 32785
#define IDS_HELP_PROMPT 57670
#define IDS_RESIGN_QUESTION 57671
#define IDS_GAME_NUMBER_TITLE 57672
#define IDS_WON 57673
#define IDS_OPTIONS_TITLE 57674
#define IDS_STATISTICS_TITLE 57675
#define IDS_ABOUT_TITLE 57676
#define IDS_CLEAR_STATISTICS_QUESTION 57677
#define IDS_LOST 57678
#define IDS_DRAG_NOTICE 57683
#define IDS_CARDS_LEFT 57692
#define IDS_GAME_NUMBER_STATUS 57693
#define IDS_UNDO 57695
#define IDS_ENTER_GAME_NUMBER 57696

// Standard dialog results and commands.
#define IDOK 1
#define IDCANCEL 2

// Dialog templates.
#define IDD_MAIN 102
#define IDD_OPTIONS 186
#define IDD_SELECT_GAME 187
#define IDD_STATISTICS 188

// The program's pictures. Each Undo bitmap comes with a toolbar resource of the same id that
// puts it on a button of the Undo command.
constexpr int kIconProgram = 128;            // icon group: 16, 32 and 64 pixels
constexpr int kBitmapEmptyPlace = 182;       // 29 x 41, 16 colours
constexpr int kBitmapUndoButton = 190;       // 16 x 15, with toolbar 190
constexpr int kBitmapUndoButtonLarge = 191;  // 32 x 30, with toolbar 191
constexpr int kBitmapEmptyPlaceLarge = 193;  // 58 x 82, 16 colours

// Menus and their menu-bar descriptions (RCDATA of the same id).
#define IDR_MENU_CLASSIC 185
#define IDR_MENU_SOFTKEY 186

// Menu commands.
#define ID_GAME_NEW 32774
#define ID_GAME_SELECT 32775
#define ID_MENU_GAME 32778
#define ID_MENU_TOOLS 32779
#define ID_TOOLS_ABOUT 32780
#define ID_GAME_RESTART 32781
#define ID_TOOLS_STATISTICS 32782
#define ID_TOOLS_OPTIONS 32783
#define ID_GAME_UNDO 32785
#define ID_APP_EXIT 32787

// Dialog controls. Ids are unique within one dialog only.
#define IDC_STATIC (-1)
#define IDC_CARDFIELD 1000
#define IDC_DISPLAY_MESSAGES 1001
#define IDC_DBLCLICK_MOVES 1003
#define IDC_GAME_NUMBER 1004
#define IDC_SHOW_STATUSBAR 1004
#define IDC_SOFTKEY_MENU 1005
#define IDC_CLEAR 1005
#define IDC_WON 1006
#define IDC_LOST 1007
#define IDC_COMPLETED_LIST 1012
#define IDC_TAB 1017
