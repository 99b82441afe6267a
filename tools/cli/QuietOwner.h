// The board's owner for scripted play: no window, message boxes answered OK and noted,
// options held in memory, wins and option saves counted.
#pragma once

#include <cstdint>
#include <vector>

#include "game/model/BoardOwner.h"

class QuietOwner : public BoardOwner {
  public:
    QuietOwner(Size screen, std::int32_t gameNumber) : screen_(screen), gameNumber_(gameNumber) {}

    void InvalidateRect(const Rect&, bool) override {}
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

    bool displayMessages = true;
    bool dblClickMoves = true;
    bool showNoDragBox = true;
    unsigned cardsLeft = 52;
    int optionsSaved = 0;
    std::vector<int> messages;
    std::vector<std::int16_t> wins;

  private:
    Size screen_;
    std::int32_t gameNumber_;
};
