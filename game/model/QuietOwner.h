// A board owner without a window, for headless play: message boxes are answered OK and
// noted, the options are held in memory, and wins, option saves and repaint requests are
// counted. The command-line driver, benchmarks and tests use it.
#pragma once

#include <cstdint>
#include <vector>

#include "game/model/BoardOwner.h"

class QuietOwner : public BoardOwner {
  public:
    explicit QuietOwner(Size screen, std::int32_t gameNumber = 1)
        : screen_(screen), gameNumber_(gameNumber) {}

    void InvalidateRect(const Rect& rect, bool) override {
        if (recordInvalidated) invalidated.push_back(rect);
    }
    void RepaintNow() override {}
    int ShowMessage(int stringId) override {
        messages.push_back(stringId);
        return 1;  // OK
    }
    void ShowCardsLeft(unsigned n) override { cardsLeft = n; }
    void UndoStateChanged() override {}
    bool DisplayMessages() const override { return displayMessages; }
    bool DblClickMoves() const override { return dblClickMoves; }
    bool ShowNoDragBox() const override { return showNoDragBox; }
    void SetShowNoDragBox(bool on) override { showNoDragBox = on; }
    void SaveOptions() override { ++optionsSaved; }
    void RecordWin(std::int16_t gameNumber) override { wins.push_back(gameNumber); }
    std::int32_t CurrentGameNumber() const override { return gameNumber_; }
    Size ScreenSize() const override { return screen_; }

    void SetScreenSize(Size screen) { screen_ = screen; }
    void SetGameNumber(std::int32_t number) { gameNumber_ = number; }

    bool displayMessages = true;
    bool dblClickMoves = true;
    bool showNoDragBox = true;
    // The cards-left count as the main window would show it: 52 until a foundation changes.
    unsigned cardsLeft = 52;
    int optionsSaved = 0;
    std::vector<int> messages;
    std::vector<std::int16_t> wins;
    bool recordInvalidated = false;
    std::vector<Rect> invalidated;

  private:
    Size screen_;
    std::int32_t gameNumber_;
};
