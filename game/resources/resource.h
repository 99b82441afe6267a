// Numeric ids of the program's resources, named once for the whole program.
// String ids only so far; the command ids (32774 up) and dialog control ids (1000 up) will
// join them here. Some string ids equal command ids on purpose: those strings are the
// prompts of the commands of the same number.
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
