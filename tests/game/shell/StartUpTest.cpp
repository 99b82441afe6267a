#include <QCloseEvent>
#include <QTimer>

#include "game/dialogs/CommandBar.h"
#include "game/resources/resource.h"
#include "game/settings/Options.h"
#include "game/settings/Statistics.h"
#include "game/shell/StatusBar.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/ModalRun.h"
#include "platform/gui/ShellRequests.h"
#include "tests/game/settings/SettingsStore.h"
#include "tests/game/shell/ShellFixture.h"

namespace {

using platform::gui::IsWindowEnabled;
using platform::gui::ShellRequestKind;

class StartUpTest : public ShellTest {
  protected:
    // Should the game not end as expected, ends the dialog after a while instead of hanging,
    // and says so.
    static void EndLateRun(QDialog& dialog, bool& stillRunning) {
        QTimer::singleShot(5000, &dialog, [&dialog, &stillRunning] {
            stillRunning = true;
            dialog.reject();
        });
    }
};

TEST_F(StartUpTest, StartUpDealsOneCountedGameAndExitEndsIt) {
    bool ran = false;
    platform::gui::SetModalObserver([&](QDialog& shown) {
        auto* dialog = dynamic_cast<MainDialog*>(&shown);
        ASSERT_NE(dialog, nullptr);
        ran = true;
        EXPECT_TRUE(dialog->Initialised());
        EXPECT_EQ(OwnerWindow::MainDialogPointer(), dialog);
        // The modal run disabled the owner; it enabled itself again.
        EXPECT_TRUE(IsWindowEnabled(App().Owner()));
        EXPECT_EQ(TheStatistics().Games(), 1u);
        const std::int32_t number = dialog->Game().GameNumber();
        EXPECT_GE(number, 1);
        EXPECT_LE(number, 32000);
        EXPECT_EQ(dialog->Status()->Text(0), QStringLiteral("Game number: %1").arg(number));
        EXPECT_EQ(dialog->Status()->Text(1), QStringLiteral("Cards left: 52"));
        EXPECT_EQ(dialog->Game().Board().CardList().size(), 52u);
        EXPECT_TRUE(platform::gui::MessageBoxLog().empty());
        dialog->OnCommand(ID_APP_EXIT);
    });
    EXPECT_TRUE(App().InitInstance());
    EXPECT_TRUE(ran);
    EXPECT_EQ(OwnerWindow::MainDialogPointer(), nullptr);
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("Korvel Tessamo"));
    EXPECT_EQ(platform::gui::CountShellRequests(ShellRequestKind::InitExtraControls), 1);

    Statistics stored;
    stored.Load();
    EXPECT_EQ(stored.Games(), 1u);
    EXPECT_EQ(App().ExitInstance(), 0);
}

// The stored choices shape the very first layout, before any Options change: the board takes
// the whole work area and the classic bar stands in the menu band.
TEST_F(StartUpTest, StoredStatusBarAndMenuBarChoicesShapeTheFirstLayout) {
    using settings_test::Dword;
    settings_test::WriteValue(u"Options", u"ShowStatusBar", REG_DWORD, Dword(0));
    settings_test::WriteValue(u"Options", u"OldCommandBar", REG_DWORD, Dword(1));
    // The fixture read the store before the values were written: only the start-up can
    // bring them in.
    ASSERT_TRUE(TheOptions().ShowStatusBar());
    ASSERT_TRUE(TheOptions().SoftKeyMenu());

    bool ran = false;
    platform::gui::SetModalObserver([&](QDialog& shown) {
        auto* dialog = dynamic_cast<MainDialog*>(&shown);
        ASSERT_NE(dialog, nullptr);
        ran = true;
        EXPECT_EQ(dialog->size(), Screen().WorkArea()->size());
        EXPECT_EQ(dialog->Field()->geometry(), QRect(QPoint(0, 0), dialog->size()));
        EXPECT_TRUE(dialog->Status()->isHidden());
        // Looked up by name: the dialog's accessors would build a bar that is not there.
        QWidget* classic = BuiltMenuBar("ClassicMenuBar");
        ASSERT_NE(classic, nullptr);
        EXPECT_FALSE(classic->isHidden());
        QWidget* softKeys = BuiltMenuBar("SoftKeyMenuBar");
        EXPECT_TRUE(!softKeys || softKeys->isHidden());
        dialog->OnCommand(ID_APP_EXIT);
    });
    EXPECT_TRUE(App().InitInstance());
    EXPECT_TRUE(ran);
    App().ExitInstance();
}

TEST_F(StartUpTest, CloseRequestToTheOwnerWindowEndsTheGame) {
    int runs = 0;
    bool stillRunning = false;
    platform::gui::SetModalObserver([&](QDialog& dialog) {
        ++runs;
        EndLateRun(dialog, stillRunning);
        QTimer::singleShot(0, App().Owner(), [] {
            QCloseEvent close;
            QCoreApplication::sendEvent(App().Owner(), &close);
        });
    });
    EXPECT_TRUE(App().InitInstance());
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(stillRunning);
    EXPECT_EQ(OwnerWindow::MainDialogPointer(), nullptr);
    ClearQuitRequest();
}

TEST_F(StartUpTest, ClosingTheScreenWindowIsACloseRequest) {
    bool stillRunning = false;
    platform::gui::SetModalObserver([&](QDialog& dialog) {
        QTimer::singleShot(0, &Screen(), [] {
            QCloseEvent close;
            QCoreApplication::sendEvent(&Screen(), &close);
        });
        EndLateRun(dialog, stillRunning);
    });
    EXPECT_TRUE(App().InitInstance());
    EXPECT_FALSE(stillRunning);
    EXPECT_EQ(OwnerWindow::MainDialogPointer(), nullptr);
    ClearQuitRequest();
}

TEST_F(StartUpTest, OwnerWindowDoesNotStayDisabled) {
    OwnerWindow owner;
    owner.setEnabled(false);
    EXPECT_TRUE(IsWindowEnabled(&owner));
    EXPECT_EQ(platform::gui::EnableWindow(&owner, FALSE), FALSE);
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(StartUpTest, SettingChangeBeforeInitialisationChangesNothing) {
    OwnerWindow owner;
    MainDialog dialog(&owner);
    ASSERT_FALSE(dialog.Initialised());
    Screen().Rotate();  // the screen's settings change reaches every top-level window
    EXPECT_EQ(owner.IgnoredSettingChanges(), 1);
    platform::gui::SettingChangeEvent change;
    EXPECT_TRUE(QCoreApplication::sendEvent(&owner, &change));  // answered all the same
    EXPECT_EQ(owner.IgnoredSettingChanges(), 2);
    EXPECT_EQ(OwnerWindow::MainDialogPointer(), nullptr);
    EXPECT_TRUE(dialog.Game().Board().CardList().empty());
    EXPECT_EQ(TheStatistics().Games(), 0u);
}

}  // namespace
