// A full paint of a dealt board, as the card field does it on every paint event: a fresh
// off-screen image, the background with the empty-place images, every card in order, and one
// copy of the whole image to a window-sized surface.
#include <QImage>
#include <QPainter>
#include <filesystem>

#include <benchmark/benchmark.h>

#include "game/model/Deal.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "game/model/QuietOwner.h"
#include "game/resources/ProgramResources.h"
#include "game/view/CardImageLibrary.h"
#include "game/view/ImageDrawTarget.h"
#include "platform/DisplayScale.h"
#include "platform/WideString.h"

namespace {

void BM_PaintDealtBoard(benchmark::State& state) {
    const Size screen{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    const int scale = DisplayScaleForScreenWidth(screen.width);
    const auto path = std::filesystem::path(TESSAMO_DEVICE_DIR) / "Windows" /
                      (scale == 2 ? "pegcards.192.dll" : "pegcards.dll");
    HMODULE module = LoadLibraryW(FromUtf8(path.string()).c_str());
    if (!module) {
        state.SkipWithError("card library missing");
        return;
    }
    CardImageLibrary images(module);
    QuietOwner owner(screen);
    GameBoard board(owner, scale);
    board.SetBackgroundColour(CardTable::kTableColour);
    board.SetEmptyPlaceImage(
        LoadProgramBitmap(scale == 2 ? kBitmapEmptyPlaceLarge : kBitmapEmptyPlace));
    Deck deck({29 * scale, 41 * scale}, &images);
    Deal(deck, board, 1);
    deck.At(7)->SetSelected(true);  // one inverted card, as while a move is pending

    const QSize size(screen.width, screen.height - 52 * scale);
    QImage window(size, QImage::Format_RGB32);
    for (auto _ : state) {
        const QImage image = PaintTableImage(board, size);
        QPainter painter(&window);
        painter.drawImage(0, 0, image);
        benchmark::DoNotOptimize(window.bits());
    }
    FreeLibrary(module);
}

BENCHMARK(BM_PaintDealtBoard)->Args({480, 640})->Args({240, 320})->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
