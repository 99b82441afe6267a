// tessamo-cli play: deals a game and feeds it stylus events from standard input, then
// prints the whole board state. The output format is read by other tools; keep it exact.
#include <istream>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "game/model/BoardLayout.h"
#include "game/model/Deal.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "game/model/QuietOwner.h"
#include "tools/cli/Arguments.h"
#include "tools/cli/Commands.h"

namespace {

struct PlayOptions {
    Size screen{240, 320};
    bool messages = true;
    bool dblClick = true;
    bool dragBox = true;
    bool positions = false;
    std::int32_t game = 0;
};

bool ParseArgs(const Args& args, PlayOptions& options, std::ostream& err) {
    bool haveGame = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--screen") {
            if (!TakeScreenSize(args, i, "play", options.screen, err)) return false;
        } else if (a == "--no-messages") {
            options.messages = false;
        } else if (a == "--no-dblclick") {
            options.dblClick = false;
        } else if (a == "--no-dragbox") {
            options.dragBox = false;
        } else if (a == "--" && !haveGame && i + 1 < args.size()) {
            continue;
        } else if (a == "--positions") {
            options.positions = true;
        } else if (a.size() > 2 && a.starts_with("--")) {
            err << "tessamo-cli play: unknown option '" << a << "'\n";
            return false;
        } else if (!haveGame) {
            const auto number = ParseGameNumber(a);
            if (!number) {
                err << "tessamo-cli play: not a 32-bit game number: '" << a << "'\n";
                return false;
            }
            options.game = *number;
            haveGame = true;
        } else {
            err << "tessamo-cli play: unexpected argument '" << a << "'\n";
            return false;
        }
    }
    if (!haveGame) err << "tessamo-cli play: expected a game number\n";
    return haveGame;
}

std::string CardText(const Card* card, bool positions) {
    if (!card) return "-";
    std::string text = CardName(*card);
    if (positions) {
        text += '@' + std::to_string(card->X()) + ',' + std::to_string(card->Y());
    }
    return text;
}

template <typename T>
std::string Joined(const std::vector<T>& values) {
    std::string text;
    for (const T& v : values) text += ' ' + std::to_string(v);
    return text;
}

// Carries out one event line; false with a message in `error` when the line is not valid.
bool RunEvent(const std::vector<std::string>& words, GameBoard& board, QuietOwner& owner,
              std::string& error) {
    const std::string& event = words[0];
    const bool point =
        event == "down" || event == "up" || event == "dtap" || event == "tap" || event == "screen";
    if (point) {
        if (words.size() != 3) {
            error = "'" + event + "' needs two numbers";
            return false;
        }
        const auto a = ParseInt(words[1]);
        const auto b = ParseInt(words[2]);
        if (!a || !b) {
            error = "'" + event + "' needs two whole numbers";
            return false;
        }
        if (event == "down") {
            board.OnStylusDown(*a, *b);
        } else if (event == "up") {
            board.OnStylusUp(*a, *b);
        } else if (event == "dtap") {
            board.OnDoubleTap(*a, *b);
        } else if (event == "tap") {
            board.OnStylusDown(*a, *b);
            board.OnStylusUp(*a, *b);
        } else {
            if (*a <= 0 || *b <= 0) {
                error = "'screen' needs a positive width and height";
                return false;
            }
            owner.SetScreenSize({*a, *b});
            board.Relayout();
        }
        return true;
    }
    if (event == "undo") {
        if (words.size() != 1) {
            error = "'undo' takes no arguments";
            return false;
        }
        board.Undo();
        return true;
    }
    error = "unknown event '" + event + "'";
    return false;
}

}  // namespace

int RunPlay(const Args& args, std::istream& in, std::ostream& out, std::ostream& err) {
    PlayOptions options;
    if (!ParseArgs(args, options, err)) return 2;

    QuietOwner owner(options.screen, options.game);
    owner.displayMessages = options.messages;
    owner.dblClickMoves = options.dblClick;
    owner.showNoDragBox = options.dragBox;
    GameBoard board(owner, DisplayScaleForScreenWidth(options.screen.width));
    Deck deck(board.Layout().CardSize(), nullptr);
    Deal(deck, board, options.game);
    board.ClearHistory();
    board.Deselect();
    owner.cardsLeft = 52;

    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream split(line);
        std::vector<std::string> words;
        for (std::string w; split >> w;) words.push_back(w);
        if (words.empty() || words[0][0] == '#') continue;
        std::string error;
        if (!RunEvent(words, board, owner, error)) {
            err << "tessamo-cli play: line " << number << ": " << error << '\n';
            return 2;
        }
    }

    std::ostringstream text;
    for (int p = 0; p < GameBoard::kPiles; ++p) {
        text << "pile " << p << ':';
        const CardPile& pile = board.Pile(p);
        for (int i = 0; i < pile.Count(); ++i)
            text << ' ' << CardText(pile.At(i), options.positions);
        text << '\n';
    }
    text << "selected: " << CardText(board.SelectedCard(), false) << '\n'
         << "tapped: " << CardText(board.TappedCard(), false) << '\n'
         << "history: " << board.History().Count() << '\n'
         << "can undo: " << (board.CanUndo() ? "yes" : "no") << '\n'
         << "cards left: " << owner.cardsLeft << '\n'
         << "won: " << (board.IsWon() ? "yes" : "no") << '\n'
         << "moves left: " << (board.AnyMoveLeft() ? "yes" : "no") << '\n'
         << "messages:" << Joined(owner.messages) << '\n'
         << "wins recorded:" << Joined(owner.wins) << '\n'
         << "options saved: " << owner.optionsSaved << '\n';
    out << text.str();
    return 0;
}
