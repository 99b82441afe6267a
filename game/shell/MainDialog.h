// The game's main window: dialog template 102 with the card field, a two-part status bar,
// the classic menu bar (menu 185 and the Undo button) and, on platform generation 3, the
// soft-key menu bar (menu 186). It carries out the game commands and lays itself out again
// when the screen changes. The game itself lies in MainGame; this class is its window.
#pragma once

#include <memory>

#include "common/ProductName.h"
#include "game/dialogs/FramedDialog.h"
#include "game/shell/MainGame.h"
#include "game/view/CardField.h"
#include "platform/Types.h"

class CommandBar;
class StatusBar;

inline constexpr const char16_t* kDisplayName = kProductName;

class MainDialog : public FramedDialog,
                   public MainGameWindow,
                   public CommandTarget,
                   public CardFieldInput {
  public:
    // Builds template 102 with the board's card field; `owner` is the owner window (may be
    // null in tests). Seeds the random generator. The initialisation (bars, first game)
    // follows when the dialog is first shown, or through Initialise().
    explicit MainDialog(QWidget* owner);
    ~MainDialog() override;

    // Runs the initialisation now, if it has not run yet.
    void Initialise();
    bool Initialised() const { return frame_.Initialised(); }

    // Carries out menu command `id`; unknown ids do nothing.
    void OnCommand(UINT id);

    // From the owner window's settings change: lays everything out again when the screen
    // width or usable height changed.
    void CheckScreenSize();
    // Places the board and shows or hides the status bar by the ShowStatusBar option.
    void LayOutStatusBar();
    // Shows the soft-key or the classic menu bar by platform generation and SoftKeyMenu.
    void ChooseMenuBar();

    MainGame& Game() { return *game_; }
    CardField* Field() const { return field_; }
    StatusBar* Status() const { return statusBar_; }
    // Each menu bar is built when it is first shown or asked for, so that the start builds
    // only the one it shows.
    CommandBar* ClassicBar();
    CommandBar* SoftKeyBar();  // null below generation 3

    // MainGameWindow
    void InvalidateRect(const Rect& rect, bool erase) override;
    void RepaintNow() override;
    int MessageBox(std::u16string_view text, UINT type) override;
    void SetStatusText(int part, std::u16string_view text) override;
    void SetUndoButtonEnabled(bool enabled) override;
    void ForceInputPanelDown() override;
    Size ScreenSize() const override;

    // CommandTarget: every game command has a handler; Undo's update leaves the item alone.
    bool HasCommandHandler(UINT id) const override;
    bool UpdateCommandUi(UINT id, QAction* action) override;

    // CardFieldInput: the stylus goes to the board.
    void StylusDown(int x, int y) override;
    void StylusUp(int x, int y) override;
    void DoubleTap(int x, int y) override;

  public:
    // Enter and the shell's OK do nothing; cancel ends the dialog (and the program).
    void accept() override {}

  protected:
    // Escape is not taken as cancel here: on the desktop the game ends by closing its window.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    struct CommandEntry {
        UINT id;
        void (*run)(MainDialog& dialog);
    };
    static const CommandEntry kCommands[];
    static const CommandEntry* FindCommand(UINT id);

    void InitDialog() override;
    CommandBar* CreateMenuBar(int menuId);
    void PlaceBoard(const Rect& rect);

    void OnSelectGame();
    void OnOptions();
    void OnStatistics();
    void OnAbout();

    std::unique_ptr<MainGame> game_;
    QWidget* owner_;
    CardField* field_ = nullptr;
    StatusBar* statusBar_ = nullptr;
    CommandBar* classicBar_ = nullptr;
    CommandBar* softKeyBar_ = nullptr;
    // The Undo button's state, for a classic bar built after it was set.
    bool undoEnabled_ = true;
};
