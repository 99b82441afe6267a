#include "game/resources/StringTable.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "game/resources/resource.h"

namespace {

struct StringResource {
    UINT id;
    std::u16string_view text;
};

// Sorted by id.
constexpr StringResource kStrings[] = {
    {IDS_MOVE_NOT_ALLOWED, u"That move is not allowed."},
    {IDS_GAME_MENU, u"Game"},
    {IDS_NEW_GAME_PROMPT, u"Start new game"},
    {IDS_SELECT_GAME_PROMPT, u"Select game from predefined"},
    {IDS_TOOLS_MENU, u"Tools"},
    {IDS_UNDO_PROMPT, u"Undo\nUndo"},
    {IDS_HELP_PROMPT, u"Contains commands for displaying help"},
    {IDS_RESIGN_QUESTION, u"Do you want to resign this game?"},
    {IDS_GAME_NUMBER_TITLE, u"Game Number"},
    {IDS_WON, u"Congratulations! You have won."},
    {IDS_OPTIONS_TITLE, u"Options"},
    {IDS_STATISTICS_TITLE, u"Statistics"},
    {IDS_ABOUT_TITLE, u"About"},
    {IDS_CLEAR_STATISTICS_QUESTION, u"Are you sure you want to delete all statistics?"},
    {IDS_LOST, u"Sorry, you lose. There are no more legal moves."},
    {IDS_DRAG_NOTICE,
     u"Drag and drop is not supported in this game. Tap on a card to select it, then tap "
     u"where you want to move it."},
    {IDS_CARDS_LEFT, u"Cards left: %u"},
    {IDS_GAME_NUMBER_STATUS, u"Game number: %u"},
    {IDS_UNDO, u"Undo"},
    {IDS_ENTER_GAME_NUMBER, u"Please enter an integer game number"},
};

static_assert(std::is_sorted(std::begin(kStrings), std::end(kStrings),
                             [](const StringResource& a, const StringResource& b) {
                                 return a.id < b.id;
                             }));

}  // namespace

std::u16string LoadStringResource(UINT id) {
    const auto it = std::lower_bound(
        std::begin(kStrings), std::end(kStrings), id,
        [](const StringResource& entry, UINT wanted) { return entry.id < wanted; });
    if (it == std::end(kStrings) || it->id != id) return {};
    return std::u16string(it->text);
}
