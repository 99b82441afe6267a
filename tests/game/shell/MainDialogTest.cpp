#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>
#include <QToolTip>

#include "game/dialogs/AboutDialog.h"
#include "game/dialogs/CommandBar.h"
#include "game/dialogs/DialogBuilder.h"
#include "game/dialogs/SelectGameDialog.h"
#include "game/resources/ProgramResources.h"
#include "game/resources/resource.h"
#include "game/settings/Options.h"
#include "game/settings/OptionsDialog.h"
#include "game/settings/Statistics.h"
#include "game/settings/StatisticsDialog.h"
#include "game/shell/PlatformGeneration.h"
#include "game/shell/StatusBar.h"
#include "platform/PlatformConfig.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/ModalRun.h"
#include "tests/game/shell/ShellFixture.h"
#include "tests/game/shell/StuckGame.h"

namespace {

using platform::gui::MessageBoxLog;
using platform::gui::SetModalObserver;

class MainDialogTest : public ShellTest {
  protected:
    // Runs `command` with an observer that hands the dialog it opens to `act`.
    template <typename Dialog, typename Act>
    void WithDialog(HostedMain& main, UINT command, Act act) {
        int opened = 0;
        SetModalObserver([&](QDialog& shown) {
            auto* dialog = dynamic_cast<Dialog*>(&shown);
            ASSERT_NE(dialog, nullptr);
            ++opened;
            act(*dialog);
        });
        main.dialog.OnCommand(command);
        SetModalObserver({});
        EXPECT_EQ(opened, 1);
    }

    // Clicks the top card of `from`, then pile `to`, on the card field.
    void Tap(HostedMain& main, int from, int to) {
        CardField& field = *main.dialog.Field();
        ClickField(field, PileCentre(main.dialog.Game().Board(), from));
        ClickField(field, PileCentre(main.dialog.Game().Board(), to));
    }

    bool UndoButtonEnabled(HostedMain& main) const {
        QAction* undo = main.dialog.ClassicBar()->CommandAction(ID_GAME_UNDO);
        return undo && undo->isEnabled();
    }

    // Puts the game on the table into a state that may be left without asking.
    enum class Ended { Won, Stuck };
    void EndGame(HostedMain& main, Ended how) {
        if (how == Ended::Won) {
            main.dialog.Game().StartGame(-1);
            Tap(main, 0, 8);
            ASSERT_TRUE(main.dialog.Game().Board().IsWon());
        } else {
            MakeStuck(main.dialog.Game());
            ASSERT_FALSE(main.dialog.Game().Board().AnyMoveLeft());
            ASSERT_FALSE(main.dialog.Game().Board().IsWon());
        }
        platform::gui::ClearMessageBoxLog();
    }
};

// The item of `command` in the drop-down menus of `bar`, and the menu that holds it.
std::pair<QMenu*, QAction*> MenuItem(const CommandBar& bar, UINT command) {
    for (QAction* button : bar.actions()) {
        QMenu* menu = button->menu();
        if (!menu) continue;
        for (QAction* item : menu->actions()) {
            if (ActionCommandId(item) == command) return {menu, item};
        }
    }
    return {nullptr, nullptr};
}

TEST_F(MainDialogTest, BoardAndStatusBarShareTheWorkArea) {
    HostedMain main;
    const QSize client = main.dialog.size();
    EXPECT_EQ(client, QSize(480, 640 - 104));
    const StatusBar* status = main.dialog.Status();
    EXPECT_FALSE(status->isHidden());
    EXPECT_EQ(status->geometry().bottom(), client.height() - 1);
    EXPECT_EQ(main.dialog.Field()->geometry(),
              QRect(0, 0, client.width(), client.height() - status->height()));
    // The game number's part ends at 125 pixels times the display scale of 2.
    EXPECT_EQ(status->PartRect(0).right(), 249);
    EXPECT_EQ(status->PartRect(1).right(), client.width() - 1);
    EXPECT_EQ(main.dialog.Game().Board().BackgroundColour(), 0x00008200u);
}

// The status bar is drawn without borders: its edges are all background.
TEST_F(MainDialogTest, StatusBarHasNoBorder) {
    HostedMain main;
    StatusBar* status = main.dialog.Status();
    ASSERT_NE(status, nullptr);
    const QImage image = status->grab().toImage();
    ASSERT_GT(image.height(), 4);
    const QRgb background = status->palette().color(QPalette::Button).rgb();
    for (int y : {0, 1, image.height() - 1}) {
        for (int x = 0; x < image.width(); ++x) {
            ASSERT_EQ(image.pixel(x, y), background) << "at " << x << ", " << y;
        }
    }
    for (int y = 0; y < image.height(); ++y) {
        ASSERT_EQ(image.pixel(0, y), background) << "at 0, " << y;
        ASSERT_EQ(image.pixel(image.width() - 1, y), background) << "right edge, " << y;
    }
}

TEST_F(MainDialogTest, ResignQuestionOnlyWhileTheGameIsUnfinished) {
    HostedMain main;
    main.dialog.Game().StartGame(1234);
    const std::uint32_t games = TheStatistics().Games();

    answers_ = {IDNO, IDNO};
    main.dialog.OnCommand(ID_GAME_NEW);
    main.dialog.OnCommand(ID_GAME_RESTART);
    ASSERT_EQ(MessageBoxLog().size(), 2u);
    for (const auto& box : MessageBoxLog()) {
        EXPECT_EQ(box.text, u"Do you want to resign this game?");
        EXPECT_EQ(box.caption, u"Korvel Tessamo");
        EXPECT_EQ(box.type, MB_YESNO | MB_ICONQUESTION);
    }
    EXPECT_EQ(main.dialog.Game().GameNumber(), 1234);
    EXPECT_EQ(main.dialog.Status()->Text(0), QStringLiteral("Game number: 1234"));
    EXPECT_EQ(TheStatistics().Games(), games);

    answers_ = {IDYES};
    main.dialog.OnCommand(ID_GAME_RESTART);
    EXPECT_EQ(main.dialog.Game().GameNumber(), 1234);
    EXPECT_EQ(TheStatistics().Games(), games + 1);

    // Game -1 is won by any first move; then nothing is asked.
    main.dialog.Game().StartGame(-1);
    Tap(main, 0, 8);
    ASSERT_TRUE(main.dialog.Game().Board().IsWon());
    const std::size_t boxes = MessageBoxLog().size();
    main.dialog.OnCommand(ID_GAME_NEW);
    EXPECT_EQ(MessageBoxLog().size(), boxes);
    EXPECT_NE(main.dialog.Game().GameNumber(), -1);
}

TEST_F(MainDialogTest, UndoButtonFollowsTheHistory) {
    HostedMain main;
    main.dialog.Game().StartGame(7);
    EXPECT_FALSE(UndoButtonEnabled(main));
    const Card* moved = main.dialog.Game().Board().TopCard(3);
    Tap(main, 3, 9);
    EXPECT_EQ(main.dialog.Game().Board().TopCard(9), moved);
    EXPECT_TRUE(UndoButtonEnabled(main));
    main.dialog.ClassicBar()->SendCommand(ID_GAME_UNDO);
    EXPECT_EQ(main.dialog.Game().Board().TopCard(3), moved);
    EXPECT_FALSE(UndoButtonEnabled(main));
}

// The soft-key menu's Undo item is never greyed, not even by the update that runs as the menu
// opens; only the classic bar's button follows the history.
TEST_F(MainDialogTest, SoftKeyUndoItemStaysEnabledWhileTheButtonFollowsTheHistory) {
    HostedMain main;
    ASSERT_NE(main.dialog.SoftKeyBar(), nullptr);
    const auto [menu, undo] = MenuItem(*main.dialog.SoftKeyBar(), ID_GAME_UNDO);
    ASSERT_NE(undo, nullptr);
    QAction* newGame = MenuItem(*main.dialog.SoftKeyBar(), ID_GAME_NEW).second;
    ASSERT_NE(newGame, nullptr);
    // Opens the menu as a tap on its button does; the frame updates the items first.
    auto open = [menu = menu, newGame] {
        newGame->setEnabled(false);  // the update enables every item that has a handler
        menu->popup(QPoint(0, 0));
        menu->hide();
        EXPECT_TRUE(newGame->isEnabled()) << "the menu's update did not run";
    };

    main.dialog.Game().StartGame(7);
    ASSERT_FALSE(main.dialog.Game().Board().CanUndo());
    EXPECT_FALSE(UndoButtonEnabled(main));
    EXPECT_TRUE(undo->isEnabled());
    open();
    EXPECT_TRUE(undo->isEnabled());

    Tap(main, 3, 9);
    ASSERT_TRUE(main.dialog.Game().Board().CanUndo());
    EXPECT_TRUE(UndoButtonEnabled(main));
    open();
    EXPECT_TRUE(undo->isEnabled());

    // Undo from the menu item empties the history again.
    undo->trigger();
    EXPECT_FALSE(main.dialog.Game().Board().CanUndo());
    EXPECT_FALSE(UndoButtonEnabled(main));
    EXPECT_TRUE(undo->isEnabled());
    open();
    EXPECT_TRUE(undo->isEnabled());
    // With an empty history the item's command does nothing.
    undo->trigger();
    EXPECT_FALSE(main.dialog.Game().Board().CanUndo());
}

TEST_F(MainDialogTest, OnlyTheUndoButtonHasATooltip) {
    HostedMain main;
    CommandBar& bar = *main.dialog.ClassicBar();
    const QList<QAction*> actions = bar.actions();
    ASSERT_GE(actions.size(), 3);
    auto tipShown = [&](QAction* action) {
        QToolTip::hideText();
        QWidget* button = bar.widgetForAction(action);
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), button->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(button, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    bar.show();
    EXPECT_EQ(tipShown(actions[0]), QString());
    EXPECT_EQ(tipShown(actions[1]), QString());
    EXPECT_EQ(tipShown(actions[2]), "Undo");
    QToolTip::hideText();
}

// The bars' labels and their drop-down menus, sub-menus included, speak in the device's
// default font at its density, like everything else on the large screen.
TEST_F(MainDialogTest, MenuBarsAndTheirMenusUseTheDeviceFont) {
    HostedMain main;
    const int expected = (QApplication::font().pointSize() * Screen().LogPixels() + 36) / 72;
    ASSERT_GT(expected, QApplication::font().pointSize());
    std::vector<QMenu*> menus;
    for (CommandBar* bar : {main.dialog.ClassicBar(), main.dialog.SoftKeyBar()}) {
        ASSERT_NE(bar, nullptr);
        for (QAction* action : bar->actions()) {
            QWidget* button = bar->widgetForAction(action);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->font().pixelSize(), expected) << action->text().toStdString();
            if (action->menu()) menus.push_back(action->menu());
        }
    }
    ASSERT_FALSE(menus.empty());
    while (!menus.empty()) {
        QMenu* menu = menus.back();
        menus.pop_back();
        EXPECT_EQ(menu->font().pixelSize(), expected) << menu->title().toStdString();
        for (QAction* item : menu->actions()) {
            if (item->menu()) menus.push_back(item->menu());
        }
    }
}

TEST_F(MainDialogTest, EscapeDoesNotEndTheGameButCancelStillDoes) {
    HostedMain main;
    QTest::keyClick(&main.dialog, Qt::Key_Escape);
    EXPECT_EQ(main.dialog.result(), 0);
    EXPECT_TRUE(main.dialog.isVisible());
    main.dialog.reject();  // the framework's cancel: the Exit command and the shell's close
    EXPECT_EQ(main.dialog.result(), QDialog::Rejected);
}

TEST_F(MainDialogTest, MenuBarFollowsGenerationAndSoftKeyOption) {
    {
        HostedMain main;  // generation 3, soft keys on by default
        // The start builds only the bar it shows; the other waits until it is wanted. The
        // bars are looked up by name: the dialog's accessors would build them.
        QWidget* softKeys = BuiltMenuBar("SoftKeyMenuBar");
        ASSERT_NE(softKeys, nullptr);
        EXPECT_FALSE(softKeys->isHidden());
        EXPECT_EQ(BuiltMenuBar("ClassicMenuBar"), nullptr);
        TheOptions().SetSoftKeyMenu(false);
        main.dialog.ChooseMenuBar();
        QWidget* classic = BuiltMenuBar("ClassicMenuBar");
        ASSERT_NE(classic, nullptr);
        EXPECT_FALSE(classic->isHidden());
        EXPECT_TRUE(softKeys->isHidden());
        EXPECT_EQ(main.dialog.ClassicBar(), classic);
        EXPECT_EQ(main.dialog.SoftKeyBar(), softKeys);
    }
    platform::SetPlatformMajorVersion(4);
    ForgetPlatformGeneration();
    TheOptions().SetSoftKeyMenu(true);
    {
        HostedMain main;
        EXPECT_EQ(main.dialog.SoftKeyBar(), nullptr);
        EXPECT_FALSE(main.dialog.ClassicBar()->isHidden());
    }
    platform::SetPlatformMajorVersion(5);
    ForgetPlatformGeneration();
}

TEST_F(MainDialogTest, RotationLaysOutAgainAndAnUnchangedSizeDoesNothing) {
    HostedMain main;
    main.dialog.Game().StartGame(5);
    const GameBoard& board = main.dialog.Game().Board();
    Card* bottom = board.Pile(7).At(0);
    EXPECT_EQ(bottom->X(), 7 * 60);

    Screen().Rotate();
    EXPECT_EQ(main.dialog.size(), QSize(640, 480 - 104));
    EXPECT_EQ(bottom->X(), 7 * 80);  // the landscape column step
    const int statusHeight = main.dialog.Status()->height();
    EXPECT_EQ(main.dialog.Field()->geometry(), QRect(0, 0, 640, 376 - statusHeight));
    EXPECT_EQ(main.dialog.Status()->geometry(), QRect(0, 376 - statusHeight, 640, statusHeight));

    // Another settings change with the same size lays nothing out.
    bottom->SetPosition(1, 1);
    platform::gui::SettingChangeEvent change;
    QCoreApplication::sendEvent(&main.owner, &change);
    EXPECT_EQ(bottom->X(), 1);
}

TEST_F(MainDialogTest, StatusBarOffGivesTheBoardEverythingUntilTheScreenChanges) {
    HostedMain main;
    WithDialog<OptionsDialog>(main, ID_TOOLS_OPTIONS, [](OptionsDialog& options) {
        EXPECT_EQ(options.ShowStatusBar(), 1);
        options.CheckBoxFor(IDC_SHOW_STATUSBAR)->setChecked(false);
        options.accept();
    });
    EXPECT_FALSE(TheOptions().ShowStatusBar());
    Options stored;
    stored.Load();
    EXPECT_FALSE(stored.ShowStatusBar());
    EXPECT_TRUE(main.dialog.Status()->isHidden());
    EXPECT_EQ(main.dialog.Field()->geometry(), QRect(QPoint(0, 0), main.dialog.size()));

    Screen().Rotate();
    EXPECT_TRUE(main.dialog.Status()->isHidden());
    EXPECT_EQ(main.dialog.Field()->height(), main.dialog.height() - main.dialog.Status()->height());
}

TEST_F(MainDialogTest, OptionsCancelChangesNothing) {
    HostedMain main;
    TheOptions().SetSoftKeyMenu(false);
    TheOptions().Save();
    main.dialog.ChooseMenuBar();
    const QRect field = main.dialog.Field()->geometry();
    WithDialog<OptionsDialog>(main, ID_TOOLS_OPTIONS, [](OptionsDialog& options) {
        EXPECT_EQ(options.SoftKeyMenu(), 0);
        EXPECT_EQ(options.DblClickMoves(), 1);
        for (int id :
             {IDC_DISPLAY_MESSAGES, IDC_DBLCLICK_MOVES, IDC_SHOW_STATUSBAR, IDC_SOFTKEY_MENU}) {
            options.CheckBoxFor(id)->toggle();
        }
        options.reject();
    });
    EXPECT_FALSE(TheOptions().SoftKeyMenu());
    EXPECT_TRUE(TheOptions().ShowStatusBar());
    EXPECT_TRUE(TheOptions().DblClickMoves());
    EXPECT_TRUE(TheOptions().DisplayMessages());
    EXPECT_FALSE(main.dialog.ClassicBar()->isHidden());
    EXPECT_TRUE(main.dialog.SoftKeyBar()->isHidden());
    EXPECT_EQ(main.dialog.Field()->geometry(), field);

    // OK with the soft-key box checked switches the bars at once.
    WithDialog<OptionsDialog>(main, ID_TOOLS_OPTIONS, [](OptionsDialog& options) {
        options.CheckBoxFor(IDC_SOFTKEY_MENU)->setChecked(true);
        options.accept();
    });
    EXPECT_TRUE(main.dialog.ClassicBar()->isHidden());
    EXPECT_FALSE(main.dialog.SoftKeyBar()->isHidden());
}

TEST_F(MainDialogTest, StatisticsDialogIsToldWhetherTheGameIsUnfinished) {
    HostedMain main;
    main.dialog.Game().StartGame(11);
    WithDialog<StatisticsDialog>(main, ID_TOOLS_STATISTICS, [](StatisticsDialog& statistics) {
        EXPECT_TRUE(statistics.Unfinished());
        statistics.reject();
    });
    main.dialog.Game().StartGame(-1);
    Tap(main, 0, 8);  // won
    WithDialog<StatisticsDialog>(main, ID_TOOLS_STATISTICS, [](StatisticsDialog& statistics) {
        EXPECT_FALSE(statistics.Unfinished());
        statistics.reject();
    });
}

TEST_F(MainDialogTest, StatisticsCountsAStuckGameAsFinished) {
    HostedMain main;
    EndGame(main, Ended::Stuck);
    ASSERT_EQ(TheStatistics().Games(), 2u);  // the first deal and the stuck game
    WithDialog<StatisticsDialog>(main, ID_TOOLS_STATISTICS, [](StatisticsDialog& statistics) {
        EXPECT_FALSE(statistics.Unfinished());
        EXPECT_EQ(statistics.LostText(), u"2 (100%)");
        statistics.reject();
    });
}

// A won or stuck game is left without the resign question: New Game and Restart Game deal at
// once, and Select Game opens its dialog at once and deals the number typed there.
TEST_F(MainDialogTest, NewSelectAndRestartOnAnEndedGameAskNothing) {
    for (const Ended how : {Ended::Won, Ended::Stuck}) {
        SCOPED_TRACE(how == Ended::Won ? "won" : "stuck");
        HostedMain main;
        answers_ = {IDNO, IDNO, IDNO};  // an unwanted question would keep the game

        EndGame(main, how);
        std::uint32_t games = TheStatistics().Games();
        main.dialog.OnCommand(ID_GAME_NEW);
        EXPECT_TRUE(MessageBoxLog().empty());
        EXPECT_NE(main.dialog.Game().GameNumber(), -1);
        EXPECT_EQ(main.dialog.Game().Board().CardsLeft(), 52u);
        EXPECT_EQ(main.dialog.Status()->Text(1), QStringLiteral("Cards left: 52"));
        EXPECT_EQ(TheStatistics().Games(), games + 1);

        EndGame(main, how);
        games = TheStatistics().Games();
        WithDialog<SelectGameDialog>(main, ID_GAME_SELECT, [](SelectGameDialog& select) {
            EXPECT_TRUE(MessageBoxLog().empty());
            ControlById<QLineEdit>(&select, IDC_GAME_NUMBER)->setText(QStringLiteral("1217"));
            select.accept();
        });
        EXPECT_TRUE(MessageBoxLog().empty());
        EXPECT_EQ(main.dialog.Game().GameNumber(), 1217);
        EXPECT_EQ(main.dialog.Status()->Text(0), QStringLiteral("Game number: 1217"));
        EXPECT_EQ(TheStatistics().Games(), games + 1);

        EndGame(main, how);
        games = TheStatistics().Games();
        main.dialog.OnCommand(ID_GAME_RESTART);
        EXPECT_TRUE(MessageBoxLog().empty());
        const GameBoard& board = main.dialog.Game().Board();
        EXPECT_EQ(main.dialog.Game().GameNumber(), -1);
        EXPECT_EQ(board.CardsLeft(), 52u);
        EXPECT_TRUE(board.AnyMoveLeft());  // dealt afresh, not left as it was
        EXPECT_EQ(TheStatistics().Games(), games + 1);
    }
}

// What the About command hands to its dialog: the name, version 1.5.0 and build 66, the main
// help topic, the main window as owner and the program icon.
TEST_F(MainDialogTest, AboutShowsTheProgramsNameVersionBuildHelpAndIcon) {
    HostedMain main;
    WithDialog<AboutDialog>(main, ID_TOOLS_ABOUT, [&main](AboutDialog& about) {
        EXPECT_EQ(platform::gui::OwnerOf(about), &main.dialog);
        EXPECT_EQ(about.Name(), u"Korvel Tessamo");
        EXPECT_EQ(about.windowTitle(), QStringLiteral("Korvel Tessamo"));
        EXPECT_EQ(about.HelpTopic(), u"VevivoZozoruv.htm#Main_Contents");
        ASSERT_NE(about.VersionControl(), nullptr);
        EXPECT_EQ(about.VersionControl()->text(), QStringLiteral("Version 1.5.0, Build 66"));

        // The icon group 128 holds an image of exactly the icon's size, so that one is shown.
        ASSERT_NE(about.IconControl(), nullptr);
        // Compared premultiplied: the colour of a fully transparent pixel does not count.
        const QImage shown = about.IconControl()->pixmap().toImage().convertToFormat(
            QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(shown.size(), QSize(32, 32) * kTestDisplayScale);
        QImage expected;
        for (const BitmapPtr& image : ProgramIconImages(kIconProgram)) {
            if (image && image->width == shown.width()) {
                expected = ToQImage(*image).convertToFormat(QImage::Format_ARGB32_Premultiplied);
            }
        }
        ASSERT_FALSE(expected.isNull());
        EXPECT_EQ(shown, expected);
        about.reject();
    });
}

TEST_F(MainDialogTest, SelectGameDealsTheTypedNumberAndCancelKeepsTheGame) {
    HostedMain main;
    main.dialog.Game().StartGame(100);
    Tap(main, 2, 10);
    const std::uint32_t games = TheStatistics().Games();

    answers_ = {IDYES};
    WithDialog<SelectGameDialog>(main, ID_GAME_SELECT,
                                 [](SelectGameDialog& select) { select.reject(); });
    EXPECT_EQ(main.dialog.Game().GameNumber(), 100);
    EXPECT_TRUE(main.dialog.Game().Board().CanUndo());
    EXPECT_EQ(TheStatistics().Games(), games);

    answers_ = {IDYES};
    WithDialog<SelectGameDialog>(main, ID_GAME_SELECT, [](SelectGameDialog& select) {
        ControlById<QLineEdit>(&select, IDC_GAME_NUMBER)->setText(QStringLiteral("31000"));
        select.accept();
    });
    EXPECT_EQ(main.dialog.Game().GameNumber(), 31000);
    EXPECT_EQ(main.dialog.Status()->Text(0), QStringLiteral("Game number: 31000"));
    EXPECT_EQ(TheStatistics().Games(), games + 1);
}

// The whole road of a game through the window: game -1 chosen in the Select-game dialog,
// then two clicks on the card field win it.
TEST_F(MainDialogTest, PlayingGameMinusOneToAWinThroughClicks) {
    HostedMain main;
    TheOptions().SetShowNoDragBox(false);
    answers_ = {IDYES};
    WithDialog<SelectGameDialog>(main, ID_GAME_SELECT, [](SelectGameDialog& select) {
        ControlById<QLineEdit>(&select, IDC_GAME_NUMBER)->setText(QStringLiteral("-1"));
        select.accept();
    });
    ASSERT_EQ(main.dialog.Game().GameNumber(), -1);
    EXPECT_EQ(main.dialog.Status()->Text(0), QStringLiteral("Game number: 0"));
    platform::gui::ClearMessageBoxLog();

    CardField& field = *main.dialog.Field();
    const GameBoard& board = main.dialog.Game().Board();
    ClickField(field, PileCentre(board, 0));
    ASSERT_NE(board.SelectedCard(), nullptr);
    ClickField(field, PileCentre(board, 8));

    EXPECT_TRUE(board.IsWon());
    EXPECT_EQ(BoxTexts(), std::vector<std::u16string>{u"Congratulations! You have won."});
    EXPECT_EQ(MessageBoxLog().at(0).type, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(main.dialog.Status()->Text(1), QStringLiteral("Cards left: 0"));
    EXPECT_EQ(TheStatistics().Won(), 1u);
    Statistics stored;
    stored.Load();
    EXPECT_EQ(stored.Won(), 1u);
    EXPECT_TRUE(stored.IsCompleted(-1));
}

}  // namespace
