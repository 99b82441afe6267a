#include "game/solver/TapScript.h"

#include "game/model/BoardLayout.h"
#include "platform/DisplayScale.h"

std::vector<Point> TapScript::Taps(const std::vector<PlayerMove>& line, Size screen) {
    const BoardLayout layout(DisplayScaleForScreenWidth(screen.width));
    const Size card = layout.CardSize();
    std::vector<Point> taps;
    taps.reserve(line.size() * 2);
    for (const PlayerMove& move : line) {
        const Point from = layout.CardPosition(move.source, move.index, screen);
        // Just below a column card's top edge lies the strip of it that the next card leaves
        // showing; a cell's card is hit anywhere.
        const bool column = move.source < 8;
        taps.push_back({from.x + card.width / 2, from.y + (column ? 1 : card.height / 2)});
        const Point to = layout.CardPosition(move.destination, 0, screen);
        taps.push_back(
            {to.x + card.width / 2, to.y + (move.destination < 8 ? 1 : card.height / 2)});
    }
    return taps;
}
