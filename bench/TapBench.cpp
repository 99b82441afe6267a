// From a stylus-down on the card field to the end of the repaint it causes: the press
// selects a column's top card (or, every other time, deselects it), the model invalidates the
// card, and the paint that follows composes the field's image. Only the press and its paint
// are timed; the stylus-up and its paint run between the timed parts. Offscreen Qt.
#include <QApplication>
#include <QMouseEvent>
#include <chrono>
#include <filesystem>

#include <benchmark/benchmark.h>

#include "game/model/Deal.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "game/model/QuietOwner.h"
#include "game/resources/ProgramResources.h"
#include "game/view/CardField.h"
#include "game/view/CardImageLibrary.h"
#include "platform/DisplayScale.h"
#include "platform/WideString.h"
#include "tests/support/TestApp.h"

namespace {

// The board's owner: repaint requests go to the card field, as the main window passes them.
class FieldOwner : public QuietOwner {
  public:
    using QuietOwner::QuietOwner;
    void InvalidateRect(const Rect& rect, bool erase) override {
        field->InvalidateRect(rect, erase);
    }
    void RepaintNow() override { field->RepaintNow(); }
    CardField* field = nullptr;
};

class StylusToBoard : public CardFieldInput {
  public:
    explicit StylusToBoard(GameBoard& board) : board_(board) {}
    void StylusDown(int x, int y) override { board_.OnStylusDown(x, y); }
    void StylusUp(int x, int y) override { board_.OnStylusUp(x, y); }
    void DoubleTap(int x, int y) override { board_.OnDoubleTap(x, y); }

  private:
    GameBoard& board_;
};

void Send(CardField& field, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, QPointF(at), field.mapToGlobal(QPointF(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&field, &event);
    QCoreApplication::processEvents();  // the paint it caused
}

void BM_TapToRepaint(benchmark::State& state) {
    TestApp();
    const Size screen{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
    const int scale = DisplayScaleForScreenWidth(screen.width);
    const auto path = std::filesystem::path(TESSAMO_DEVICE_DIR) / "Windows" /
                      (scale == 2 ? "pegcards.192.dll" : "pegcards.dll");
    HMODULE module = LoadLibraryW(FromUtf8(path.string()).c_str());
    CardImageLibrary images(module);
    FieldOwner owner(screen);
    owner.displayMessages = false;
    GameBoard board(owner, scale);
    board.SetBackgroundColour(0x008200);
    board.SetEmptyPlaceImage(
        LoadProgramBitmap(scale == 2 ? kBitmapEmptyPlaceLarge : kBitmapEmptyPlace));
    CardField field;
    owner.field = &field;
    field.SetTable(&board);
    StylusToBoard input(board);
    field.SetInput(&input);
    field.resize(screen.width, screen.height - 52 * scale);
    field.show();
    Deck deck({29 * scale, 41 * scale}, &images);
    Deal(deck, board, 1);
    QCoreApplication::processEvents();

    const Card* top = board.TopCard(0);
    const QPoint at(top->X() + top->Width() / 2, top->Y() + top->Height() / 2);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Send(field, QEvent::MouseButtonPress, at);
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
        Send(field, QEvent::MouseButtonRelease, at);
    }
    field.SetTable(nullptr);
    if (module) FreeLibrary(module);
}

BENCHMARK(BM_TapToRepaint)
    ->Args({480, 640})
    ->Args({240, 320})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
