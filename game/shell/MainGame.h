// The game behind the main window: the board and the deck, the current game number, the
// commands that deal (with the resign question), the status texts, the Undo button state,
// and the layout arithmetic of the main window (status bar, menu bar choice, screen-size
// check). It knows no widget: the window reaches it through MainGameWindow, so the whole
// game side can run in tests with a substitute window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/model/BoardOwner.h"
#include "game/model/CardImageSource.h"
#include "game/model/Deck.h"
#include "game/model/GameBoard.h"
#include "platform/Types.h"

class Options;
class Statistics;

// Message-box styles and answers, with the platform's values.
constexpr UINT kBoxOk = 0x0;
constexpr UINT kBoxYesNo = 0x4;
constexpr UINT kBoxIconQuestion = 0x20;
constexpr UINT kBoxIconInformation = 0x40;
constexpr int kAnswerYes = 6;

// Status bar parts.
constexpr int kStatusGameNumber = 0;
constexpr int kStatusCardsLeft = 1;

// What the game needs of the window it lies in. The card table's repaint requests
// (TableHost) go to the card field.
class MainGameWindow : public TableHost {
  public:
    // Shows `text` in a message box with the style bits `type` (kBox...) and returns the
    // button chosen once the player has answered.
    virtual int MessageBox(std::u16string_view text, UINT type) = 0;
    // Sets the text of a status bar part (drawn without border) and repaints the bar now.
    virtual void SetStatusText(int part, std::u16string_view text) = 0;
    // Enables or greys the classic menu bar's Undo button.
    virtual void SetUndoButtonEnabled(bool enabled) = 0;
    // Asks the shell to put the on-screen input panel away.
    virtual void ForceInputPanelDown() = 0;
    // The screen metrics now.
    virtual Size ScreenSize() const = 0;
};

// Which of the two menu bars is shown.
struct MenuBarChoice {
    bool softKeys = false;  // the soft-key bar (menu 186) is shown
    bool classic = true;    // the classic bar (menu 185, with the Undo button) is shown
    bool operator==(const MenuBarChoice&) const = default;
};
// The soft-key bar exists only on platform generation 3, and is used there when the
// SoftKeyMenu option is on; the classic bar is shown exactly when the soft-key bar is not.
MenuBarChoice ChooseMenuBar(int platformGeneration, bool softKeyMenu);

// Where the board and the status bar lie in the main window's client area.
struct MainLayout {
    Rect board;
    Rect statusBar;
    bool operator==(const MainLayout&) const = default;
};
// The status-bar layout after the options change: with the status bar on (and shown), it
// takes its height at the bottom of the client area and the board the rest; with it off
// (and hidden), the board takes the whole client area.
MainLayout StatusBarLayout(Size client, int statusBarHeight, bool showStatusBar);

// The first game of a run: (T x 2587 mod 2^32) mod 32000 + 1 from the tick count T.
std::int32_t FirstGameNumber(DWORD tickCount);

class MainGame : public BoardOwner {
  public:
    static constexpr int kGameNumbers = 32000;
    static constexpr int kMaxRedraws = 1000;

    // `window`, `options` and `statistics` must outlive the game. `images` gives the card
    // faces (null: blank cards). Seeds the runtime's random generator from the tick count.
    MainGame(MainGameWindow& window, Options& options, Statistics& statistics,
             CardImageSource* images, int displayScale);
    ~MainGame() override;

    GameBoard& Board() { return board_; }
    const GameBoard& Board() const { return board_; }
    std::int32_t GameNumber() const { return gameNumber_; }
    int DisplayScale() const { return displayScale_; }

    // Deals game `number`, empties the history, counts the game as played and shows the
    // number and 52 cards left.
    void StartGame(std::int32_t number);
    // True when the game on the table may be dropped: it is won or stuck, or the player
    // answered Yes to the resign question.
    bool ResignQuestion();
    // A random number 1..32000 not yet completed, giving up after 1000 redraws.
    std::int32_t NewGameNumber();
    // Neither won nor stuck.
    bool GameUnfinished() const;

    // The game commands. Each returns true when it dealt.
    bool NewGame();
    bool RestartGame();
    // After the resign question, asks `choose` for a number (nullopt: cancelled).
    template <typename Chooser>
    bool SelectGame(Chooser&& choose) {
        if (!ResignQuestion()) return false;
        const std::optional<std::int32_t> number = choose();
        if (!number) return false;
        StartGame(*number);
        return true;
    }
    void Undo() { board_.Undo(); }

    // "Game number: %u", negative numbers shown as 0.
    void ShowGameNumber(std::int32_t number);
    std::u16string GameNumberText(std::int32_t number) const;
    std::u16string CardsLeftText(std::int32_t count) const;

    // The screen-size check: the new client size (screen width by screen height less the
    // top bar and the menu bar), or nothing when it equals the last one seen. Relays the
    // board out when it changed.
    std::optional<Size> CheckScreenSize();
    // The layout after a screen-size change: the board always leaves the status bar's
    // height free, also when the status bar is hidden; whether it is shown does not change.
    MainLayout ScreenChangeLayout(Size client) const;

    int StatusBarHeight() const { return statusBarHeight_; }
    void SetStatusBarHeight(int height) { statusBarHeight_ = height; }

    // BoardOwner
    void InvalidateRect(const Rect& rect, bool erase) override;
    void RepaintNow() override;
    int ShowMessage(int stringId) override;
    void ShowCardsLeft(unsigned cardsLeft) override;
    void UndoStateChanged() override;
    bool DisplayMessages() const override;
    bool DblClickMoves() const override;
    bool ShowNoDragBox() const override;
    void SetShowNoDragBox(bool on) override;
    void SaveOptions() override;
    void RecordWin(std::int16_t gameNumber) override;
    std::int32_t CurrentGameNumber() const override { return gameNumber_; }
    Size ScreenSize() const override { return window_.ScreenSize(); }

  private:
    MainGameWindow& window_;
    Options& options_;
    Statistics& statistics_;
    int displayScale_;
    std::int32_t gameNumber_ = 0;
    GameBoard board_;
    Deck deck_;
    int statusBarHeight_;
    int lastWidth_ = 0;
    int lastHeight_ = 0;
};
