// A MainGame in a substitute window that notes what the game asks of it and answers
// message boxes with a queue of prepared answers, over a temporary registry.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "game/shell/MainGame.h"
#include "tests/game/shell/StuckGame.h"
#include "tests/support/TempPlatform.h"

struct ShownBox {
    std::u16string text;
    UINT type;
};

class RecordingWindow : public MainGameWindow {
  public:
    void InvalidateRect(const Rect&, bool) override { ++invalidated; }
    void RepaintNow() override {}
    int MessageBox(std::u16string_view text, UINT type) override {
        boxes.push_back({std::u16string(text), type});
        if (answers.empty()) return 1;  // OK
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void SetStatusText(int part, std::u16string_view text) override {
        status.at(static_cast<std::size_t>(part)) = std::u16string(text);
    }
    void SetUndoButtonEnabled(bool enabled) override { undoEnabled = enabled; }
    void ForceInputPanelDown() override { ++panelDown; }
    Size ScreenSize() const override { return screen; }

    Size screen{240, 320};
    std::deque<int> answers;
    std::vector<ShownBox> boxes;
    std::vector<std::u16string> status{u"", u""};
    bool undoEnabled = true;
    int panelDown = 0;
    int invalidated = 0;
};

constexpr int kAnswerNo = 7;

class GameTest : public ::testing::Test {
  protected:
    GameTest() {
        options_.Load();
        statistics_.Load();
    }

    // Game -1 wins with any first move: every card then goes home by itself.
    void MoveAnAceToACell() { Tap(0, 8); }
    // Taps the top card of `from`, then pile `to`.
    void Tap(int from, int to);
    void MakeStuck() { ::MakeStuck(game_); }

    TempPlatform temp_;
    Options options_;
    Statistics statistics_;
    RecordingWindow window_;
    MainGame game_{window_, options_, statistics_, nullptr, 1};
};
