#include "game/settings/StatisticsDialog.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

#include "game/dialogs/DialogBuilder.h"
#include "game/dialogs/DialogFrame.h"
#include "game/dialogs/TapPassThrough.h"
#include "game/resources/resource.h"
#include "game/settings/Statistics.h"
#include "platform/PlatformConfig.h"
#include "platform/gui/DeviceScreen.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/MessageBox.h"
#include "tests/game/settings/SettingsStore.h"
#include "tests/support/DialogTestSupport.h"
#include "tests/support/TempPlatform.h"

using dialog_test::RunWith;
using platform::gui::MessageBoxLog;

namespace {

TEST(FormatResults, LostPercentIsWhatTheWonPercentLeaves) {
    struct Case {
        DWORD won, played;
        std::u16string wonText, lostText;
    };
    const Case cases[] = {
        {0, 0, u"0 (0%)", u"0 (0%)"},
        {1, 3, u"1 (33%)", u"2 (67%)"},
        {2, 3, u"2 (67%)", u"1 (33%)"},
        {0, 1, u"0 (0%)", u"1 (100%)"},
        {1, 1, u"1 (100%)", u"0 (0%)"},
        {1, 8, u"1 (13%)", u"7 (87%)"},
        {1, 200, u"1 (1%)", u"199 (99%)"},
        {1, 201, u"1 (0%)", u"200 (100%)"},
        // Records that play cannot make: no division by zero, no percentage beyond 100.
        {3, 0, u"3 (100%)", u"0 (0%)"},
        {5, 2, u"5 (100%)", u"0 (0%)"},
        {0, 4294967295u, u"0 (0%)", u"-1 (100%)"},
    };
    for (const Case& c : cases) {
        const ResultTexts texts = FormatResults(c.won, c.played);
        EXPECT_EQ(texts.won, c.wonText) << c.won << " of " << c.played;
        EXPECT_EQ(texts.lost, c.lostText) << c.won << " of " << c.played;
    }
}

TEST(FormatResults, GameInProgressIsNotCounted) {
    EXPECT_EQ(PlayedGames(4, true), 3u);
    EXPECT_EQ(PlayedGames(4, false), 4u);
    EXPECT_EQ(PlayedGames(0, true), 0u) << "never wraps below zero";
}

class StatisticsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog_test::App();
        platform::gui::ClearMessageBoxLog();
        Statistics& statistics = TheStatistics();
        statistics.Load();  // a fresh record from the empty temporary store
    }
    void TearDown() override { platform::gui::SetMessageBoxResponder({}); }

    void Answer(int button) {
        platform::gui::SetMessageBoxResponder(
            [button](const platform::gui::MessageBoxRequest&) { return button; });
    }

    struct Shown {
        QString won, lost;
        QStringList items;
        bool clearEnabled = false;
    };
    static Shown Read(const StatisticsDialog& dialog) {
        Shown shown;
        shown.won = ControlById<QLabel>(&dialog, IDC_WON)->text();
        shown.lost = ControlById<QLabel>(&dialog, IDC_LOST)->text();
        for (int i = 0; i < dialog.CompletedList()->count(); ++i) {
            shown.items << dialog.CompletedList()->item(i)->text();
        }
        shown.clearEnabled = dialog.ClearButton()->isEnabled();
        return shown;
    }
    // Opens the dialog, reads it, optionally presses Clear, reads it again.
    std::pair<Shown, Shown> Open(bool unfinished, bool pressClear = false) {
        StatisticsDialog dialog(unfinished);
        Shown before, after;
        RunWith(dialog, [&](QDialog& d) {
            before = Read(dialog);
            if (pressClear) dialog.ClearButton()->click();
            after = Read(dialog);
            d.accept();
        });
        return {before, after};
    }

    TempPlatform temp_;
};

TEST_F(StatisticsDialogTest, FreshRecordShowsNothingToClear) {
    const Shown shown = Open(false).first;
    EXPECT_EQ(shown.won, "0 (0%)");
    EXPECT_EQ(shown.lost, "0 (0%)");
    EXPECT_TRUE(shown.items.isEmpty());
    EXPECT_FALSE(shown.clearEnabled);
}

TEST_F(StatisticsDialogTest, GameInProgressIsDeducted) {
    TheStatistics().SetGames(4);
    TheStatistics().SetWon(1);
    const Shown inProgress = Open(true).first;
    EXPECT_EQ(inProgress.won, "1 (33%)");
    EXPECT_EQ(inProgress.lost, "2 (67%)");

    TheStatistics().SetGames(1);
    TheStatistics().SetWon(0);
    EXPECT_EQ(Open(false).first.lost, "1 (100%)") << "a stuck game counts as lost";
    EXPECT_EQ(Open(true).first.lost, "0 (0%)") << "a game with moves left does not";
}

TEST_F(StatisticsDialogTest, ListsWonGamesAscendingWithMinusOneUnsigned) {
    Statistics& statistics = TheStatistics();
    statistics.SetGames(3);
    statistics.RecordWin(5);
    statistics.RecordWin(-1);
    statistics.RecordWin(31999);
    const Shown shown = Open(false).first;
    EXPECT_EQ(shown.items, (QStringList{"4294967295", "5", "31999"}));
    EXPECT_TRUE(shown.clearEnabled);
    EXPECT_EQ(shown.won, "3 (100%)");
}

TEST_F(StatisticsDialogTest, ClearAnsweredNoChangesNothing) {
    Statistics& statistics = TheStatistics();
    statistics.SetGames(7);
    statistics.RecordWin(12);
    const std::vector<BYTE> storedGames = settings_test::ReadValue(u"Statistics", u"Games");
    Answer(IDNO);
    const auto [before, after] = Open(true, true);
    ASSERT_EQ(MessageBoxLog().size(), 1u);
    EXPECT_EQ(MessageBoxLog()[0].text, u"Are you sure you want to delete all statistics?");
    EXPECT_EQ(MessageBoxLog()[0].type & MB_TYPEMASK, MB_YESNO);
    EXPECT_EQ(after.won, before.won);
    EXPECT_EQ(after.items, QStringList{"12"});
    EXPECT_TRUE(after.clearEnabled);
    EXPECT_EQ(statistics.Games(), 7u);
    EXPECT_EQ(statistics.Won(), 1u);
    EXPECT_EQ(settings_test::ReadValue(u"Statistics", u"Games"), storedGames);
}

TEST_F(StatisticsDialogTest, ClearKeepsTheGameInProgressDealt) {
    Statistics& statistics = TheStatistics();
    statistics.SetGames(9);
    statistics.RecordWin(12);
    statistics.RecordWin(400);
    Answer(IDYES);
    const Shown after = Open(true, true).second;
    EXPECT_EQ(after.won, "0 (0%)");
    EXPECT_EQ(after.lost, "0 (0%)");
    EXPECT_TRUE(after.items.isEmpty());
    EXPECT_FALSE(after.clearEnabled);
    EXPECT_EQ(settings_test::ReadValue(u"Statistics", u"Games"), settings_test::Dword(1));
    EXPECT_EQ(settings_test::ReadValue(u"Statistics", u"Won"), settings_test::Dword(0));
    EXPECT_EQ(settings_test::ReadValue(u"Statistics", u"Completed"),
              (std::vector<BYTE>{0x00, 0x80, 0xFF, 0x7F}));

    // The game on the table is then won: one of one.
    statistics.RecordWin(77);
    const Shown won = Open(false).first;
    EXPECT_EQ(won.won, "1 (100%)");
    EXPECT_EQ(won.lost, "0 (0%)");

    // Without a game in progress Clear leaves nothing dealt.
    Open(false, true);
    EXPECT_EQ(settings_test::ReadValue(u"Statistics", u"Games"), settings_test::Dword(0));
}

TEST_F(StatisticsDialogTest, TitleListTapsAndHelp) {
    HelpViewerLog viewer(temp_.DeviceRoot());
    StatisticsDialog dialog(false);
    bool helpAccepted = false;
    bool passThrough = false;
    bool menuSwallowed = false;
    std::u16string title;
    RunWith(dialog, [&](QDialog& d) {
        title = dialog.Frame().title;
        passThrough = IsTapPassThrough(dialog.CompletedList());
        QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(2, 2), QPoint(2, 2));
        menuSwallowed = QApplication::sendEvent(dialog.CompletedList()->viewport(), &menu);
        helpAccepted = dialog_test::RequestHelp(d);
    });
    EXPECT_EQ(title, u"Statistics");
    EXPECT_TRUE(passThrough);
    EXPECT_TRUE(menuSwallowed);
    EXPECT_TRUE(helpAccepted);
    EXPECT_EQ(viewer.WaitFor(1), std::vector<std::string>{"file:VevivoZozoruv.htm#play"});
}

TEST_F(StatisticsDialogTest, EveryControlCanBeScrolledIntoViewOnALowScreen) {
    const int density = ScreenDensityY();
    const QSize platformScreen(platform::ScreenWidth(), platform::ScreenHeight());
    TheStatistics().SetGames(2);
    TheStatistics().RecordWin(12);  // so that Clear is enabled
    struct Case {
        QSize size;
        int dpi;
    };
    for (const Case& c : {Case{{320, 240}, 96}, Case{{640, 480}, 192}}) {
        SCOPED_TRACE(c.size.width());
        SetScreenDensity(c.dpi, c.dpi);
        platform::gui::DeviceScreen screen(c.size);
        screen.show();
        StatisticsDialog dialog(false);
        int controls = 0;
        bool clearHit = false;
        RunWith(dialog, [&](QDialog& d) {
            for (int round = 0; round < 5; ++round) QApplication::processEvents();
            QScrollArea* area = screen.ScrollAreaOf(&d);
            ASSERT_NE(area, nullptr);
            QWidget* view = area->viewport();
            // Taller than the work area on both screens: it scrolls.
            EXPECT_TRUE(area->verticalScrollBar()->isVisible());
            EXPECT_EQ(d.width(), view->width());
            for (QWidget* control : dialog_test::ShownControls(d)) {
                ++controls;
                area->ensureWidgetVisible(control, 0, 0);
                const QRect shown(control->mapTo(view, QPoint(0, 0)), control->size());
                EXPECT_GE(shown.top(), 0) << control->objectName().toStdString();
                EXPECT_LE(shown.bottom(), view->rect().bottom())
                    << control->objectName().toStdString();
            }
            // Clear, scrolled into view, is what lies under a tap on its middle.
            QPushButton* clear = dialog.ClearButton();
            area->ensureWidgetVisible(clear, 0, 0);
            const QPoint middle = clear->mapTo(view, clear->rect().center());
            clearHit = view->childAt(middle) == clear && clear->isEnabled();
        });
        EXPECT_GE(controls, 5);
        EXPECT_TRUE(clearHit);
    }
    SetScreenDensity(density, density);
    platform::SetScreenSize(platformScreen.width(), platformScreen.height());
}

}  // namespace
