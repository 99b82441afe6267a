// tessamo-cli deal N: the layout of game N, one line per row from the covered bottom card up.
#include <ostream>

#include "game/model/BoardLayout.h"
#include "game/model/Deal.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "game/model/QuietOwner.h"
#include "tools/cli/Arguments.h"
#include "tools/cli/Commands.h"

int RunDeal(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "tessamo-cli deal: expected one game number\n";
        return 2;
    }
    const auto number = ParseGameNumber(args[0]);
    if (!number) {
        err << "tessamo-cli deal: not a 32-bit game number: '" << args[0] << "'\n";
        return 2;
    }
    QuietOwner owner({240, 320}, *number);
    GameBoard board(owner, 1);
    Deck deck(board.Layout().CardSize(), nullptr);
    Deal(deck, board, *number);
    for (int row = 0;; ++row) {
        bool any = false;
        for (int column = 0; column < 8; ++column) {
            const CardPile& pile = board.Pile(column);
            if (row >= pile.Count()) continue;
            out << (any ? " " : "") << CardName(*pile.At(row));
            any = true;
        }
        if (!any) break;
        out << '\n';
    }
    return 0;
}
