// tessamo-cli render: deals a game and writes the board to a PNG file exactly as the card
// table paints it on the screen, through the same paint code and with the card library that
// the game would find in the device folder.
//
// The image covers the work area, where the board lies: the screen width by the screen
// height less the top bar and the menu bar (26 pixels each, times the display scale).
#include <QImage>
#include <optional>
#include <ostream>
#include <string>

#include "game/model/BoardLayout.h"
#include "game/model/Deal.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "game/model/QuietOwner.h"
#include "game/resources/ProgramResources.h"
#include "game/view/CardImageLibrary.h"
#include "game/view/ImageDrawTarget.h"
#include "platform/PlatformConfig.h"
#include "tools/cli/Arguments.h"
#include "tools/cli/Commands.h"

namespace {

struct RenderOptions {
    Size screen{240, 320};
    std::optional<Point> select;
    std::int32_t game = 0;
    std::string out;
};

// One line on `err` and false on any mistake.
bool ParseArgs(const Args& args, RenderOptions& options, std::ostream& err) {
    bool haveGame = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--screen") {
            if (!TakeScreenSize(args, i, "render", options.screen, err)) return false;
        } else if (a == "--select") {
            const auto x = i + 1 < args.size() ? ParseInt(args[i + 1]) : std::nullopt;
            const auto y = i + 2 < args.size() ? ParseInt(args[i + 2]) : std::nullopt;
            if (!x || !y) {
                err << "tessamo-cli render: --select needs two numbers X Y\n";
                return false;
            }
            options.select = Point{*x, *y};
            i += 2;
        } else if (a == "--out") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                err << "tessamo-cli render: --out needs a file name\n";
                return false;
            }
            options.out = args[++i];
        } else if (!haveGame) {
            const auto number = ParseGameNumber(a);
            if (!number) {
                err << "tessamo-cli render: not a game number: " << a << "\n";
                return false;
            }
            options.game = *number;
            haveGame = true;
        } else {
            err << "tessamo-cli render: unexpected argument: " << a << "\n";
            return false;
        }
    }
    if (!haveGame || options.out.empty()) {
        err << "usage: tessamo-cli render [--screen WxH] [--select X Y] N --out FILE.png\n";
        return false;
    }
    return true;
}

}  // namespace

int RunRender(const Args& args, std::ostream&, std::ostream& err) {
    RenderOptions options;
    if (!ParseArgs(args, options, err)) return 2;

    // The screen decides the display scale and so the card library, as at the game's start.
    platform::SetScreenSize(options.screen.width, options.screen.height);
    const int scale = DisplayScale();
    const int workHeight = options.screen.height - 52 * scale;
    if (workHeight <= 0) {
        err << "tessamo-cli render: the screen leaves no work area below its bars\n";
        return 2;
    }

    QuietOwner owner(options.screen, options.game);
    GameBoard board(owner, scale);
    board.SetBackgroundColour(CardTable::kTableColour);
    board.SetEmptyPlaceImage(
        LoadProgramBitmap(scale == 2 ? kBitmapEmptyPlaceLarge : kBitmapEmptyPlace));
    Deck deck(CardSize(), &ProcessCardLibrary());
    Deal(deck, board, options.game);
    if (options.select) board.OnStylusDown(options.select->x, options.select->y);

    const QImage image = PaintTableImage(board, QSize(options.screen.width, workHeight));
    if (!image.save(QString::fromStdString(options.out), "PNG")) {
        err << "tessamo-cli render: cannot write " << options.out << "\n";
        return 2;
    }
    return 0;
}
