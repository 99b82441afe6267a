#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <cstdlib>
#include <memory>

#include <gtest/gtest.h>

#include "platform/PlatformConfig.h"
#include "platform/gui/DeviceScreen.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/ShellRequests.h"
#include "tests/platform/GuiTestApp.h"

using platform::gui::DeviceScreen;
using platform::gui::HelpRequestEvent;
using platform::gui::SettingChangeEvent;

namespace {

// A dialog (or an owner window stand-in) that counts the platform's notifications.
class Listener : public QDialog {
  public:
    int settingChanges = 0;
    UINT lastFlag = 0;
    int helpRequests = 0;
    bool acceptHelp = true;

  protected:
    bool event(QEvent* event) override {
        if (event->type() == SettingChangeEvent::EventType()) {
            ++settingChanges;
            lastFlag = static_cast<SettingChangeEvent*>(event)->Flag();
            return true;
        }
        if (event->type() == HelpRequestEvent::EventType()) {
            ++helpRequests;
            event->setAccepted(acceptHelp);
            return true;
        }
        return QDialog::event(event);
    }
};

class GuiScreenTest : public ::testing::Test {
  protected:
    void SetUp() override { GuiTestApp(); }
    void TearDown() override { platform::SetScreenSize(480, 640); }
};

TEST_F(GuiScreenTest, StartSizeComesFromTheOptionTheEnvironmentOrTheDefault) {
    EXPECT_EQ(DeviceScreen::ParseSize("240x320"), QSize(240, 320));
    EXPECT_EQ(DeviceScreen::ParseSize(" 640 X 480 "), QSize(640, 480));
    EXPECT_EQ(DeviceScreen::ParseSize("800*480"), QSize(800, 480));
    for (const char* bad : {"", "240", "240x", "x320", "-240x320", "100x320", "240x159", "2.5x3",
                            "240x320x2", "999999x320"})
        EXPECT_FALSE(DeviceScreen::ParseSize(bad).isValid()) << bad;

    ::unsetenv("KORVEL_SCREEN");
    EXPECT_EQ(DeviceScreen::StartSize(), QSize(480, 640));
    ::setenv("KORVEL_SCREEN", "240x320", 1);
    EXPECT_EQ(DeviceScreen::StartSize(), QSize(240, 320));
    const char* args1[] = {"tessamo", "--screen=320x240"};
    EXPECT_EQ(DeviceScreen::StartSizeFromArguments(2, args1), QSize(320, 240));
    const char* args2[] = {"tessamo", "--screen", "640x480"};
    EXPECT_EQ(DeviceScreen::StartSizeFromArguments(3, args2), QSize(640, 480));
    const char* args3[] = {"tessamo", "--screen"};  // no value: the environment decides
    EXPECT_EQ(DeviceScreen::StartSizeFromArguments(2, args3), QSize(240, 320));
    ::setenv("KORVEL_SCREEN", "tiny", 1);
    EXPECT_EQ(DeviceScreen::StartSize(), QSize(480, 640));
    ::unsetenv("KORVEL_SCREEN");
}

TEST_F(GuiScreenTest, ThePlatformVersionMayComeFromTheEnvironment) {
    platform::SetPlatformMajorVersion(5);
    ::setenv("KORVEL_PLATFORM_VERSION", "4", 1);
    { DeviceScreen screen; }
    EXPECT_EQ(platform::PlatformMajorVersion(), 4);
    ::setenv("KORVEL_PLATFORM_VERSION", "four", 1);
    { DeviceScreen screen; }
    EXPECT_EQ(platform::PlatformMajorVersion(), 4);
    ::unsetenv("KORVEL_PLATFORM_VERSION");
    platform::SetPlatformMajorVersion(5);
    { DeviceScreen screen; }
    EXPECT_EQ(platform::PlatformMajorVersion(), 5);
}

TEST_F(GuiScreenTest, MetricsDisplayScaleAndBarsFollowTheStartSize) {
    struct Case {
        QSize size;
        int scale;
    };
    for (const Case& c :
         {Case{{480, 640}, 2}, Case{{240, 320}, 1}, Case{{640, 480}, 2}, Case{{320, 240}, 1}}) {
        DeviceScreen screen(c.size);
        EXPECT_EQ(DeviceScreen::Instance(), &screen);
        EXPECT_EQ(platform::ScreenWidth(), c.size.width());
        EXPECT_EQ(platform::ScreenHeight(), c.size.height());
        EXPECT_EQ(screen.DisplayScale(), c.scale);
        EXPECT_EQ(platform::gui::LogPixelsX(), 96 * c.scale);
        EXPECT_EQ(platform::gui::LogPixelsY(), 96 * c.scale);
        const int bar = 26 * c.scale;
        EXPECT_EQ(screen.WorkAreaRect(), QRect(0, bar, c.size.width(), c.size.height() - 2 * bar));
        EXPECT_EQ(screen.WorkArea()->geometry(), screen.WorkAreaRect());
        EXPECT_EQ(screen.findChild<QWidget*>("TopBar")->geometry(),
                  QRect(0, 0, c.size.width(), bar));
        EXPECT_EQ(screen.findChild<QWidget*>("MenuBand")->geometry(),
                  QRect(0, c.size.height() - bar, c.size.width(), bar));
    }
    EXPECT_EQ(DeviceScreen::Instance(), nullptr);
    // Without a screen the density follows the platform's screen width.
    platform::SetScreenSize(240, 320);
    EXPECT_EQ(platform::gui::LogPixelsX(), 96);
    platform::SetScreenSize(480, 640);
    EXPECT_EQ(platform::gui::LogPixelsX(), 192);
}

TEST_F(GuiScreenTest, EveryRealScreenChangeNotifiesOnceAndHostedDialogsFollow) {
    DeviceScreen screen(QSize(480, 640));
    screen.show();
    QSignalSpy spy(&screen, &DeviceScreen::settingChange);
    Listener hosted;
    screen.PushDialog(&hosted);
    Listener ownerWindow;  // an invisible top-level window, like the game's owner window

    screen.SetScreenSize(QSize(480, 640));  // same size: no change
    EXPECT_EQ(spy.count(), 0);

    screen.Rotate();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 640);
    EXPECT_EQ(spy.at(0).at(1).toInt(), 480);
    EXPECT_EQ(platform::ScreenWidth(), 640);
    EXPECT_EQ(platform::ScreenHeight(), 480);
    EXPECT_EQ(hosted.settingChanges, 1);
    EXPECT_EQ(hosted.lastFlag, platform::gui::SETTINGCHANGE_RESET);
    EXPECT_EQ(ownerWindow.settingChanges, 1);
    EXPECT_EQ(hosted.geometry(), QRect(0, 0, 640, 480 - 104));
    EXPECT_EQ(screen.DisplayScale(), 2);  // fixed for the screen's life

    // A user resize of the window is a screen change as well.
    screen.resize(600, 500);
    QApplication::processEvents();
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(platform::ScreenWidth(), 600);
    EXPECT_EQ(platform::ScreenHeight(), 500);
    EXPECT_EQ(hosted.geometry(), QRect(0, 0, 600, 500 - 104));

    screen.Rotate();
    screen.Rotate();
    EXPECT_EQ(spy.count(), 4);
    EXPECT_EQ(screen.ScreenSize(), QSize(600, 500));
    EXPECT_EQ(hosted.settingChanges, 4);
    EXPECT_EQ(ownerWindow.settingChanges, 4);
    screen.RemoveDialog(&hosted);
}

TEST_F(GuiScreenTest, CtrlRRotatesTheScreen) {
    DeviceScreen screen(QSize(240, 320));
    screen.show();
    QApplication::setActiveWindow(&screen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    QTest::keyClick(&screen, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(screen.ScreenSize(), QSize(320, 240));
    EXPECT_EQ(platform::ScreenWidth(), 320);
}

TEST_F(GuiScreenTest, HelpGoesToTheActiveDialogOnly) {
    DeviceScreen screen(QSize(480, 640));
    screen.show();
    EXPECT_FALSE(screen.SendHelpRequest());  // no dialog: nothing to ask

    Listener below;
    Listener top;
    screen.PushDialog(&below);
    screen.PushDialog(&top);
    EXPECT_EQ(screen.ActiveDialog(), &top);
    EXPECT_TRUE(screen.SendHelpRequest());
    top.acceptHelp = false;
    EXPECT_FALSE(screen.SendHelpRequest());
    EXPECT_EQ(top.helpRequests, 2);
    EXPECT_EQ(below.helpRequests, 0);

    // The top bar's Help button and F1 deliver the same request.
    top.acceptHelp = true;
    auto* help = screen.findChild<QToolButton*>("HelpButton");
    ASSERT_NE(help, nullptr);
    QTest::mouseClick(help, Qt::LeftButton);
    EXPECT_EQ(top.helpRequests, 3);
    QApplication::setActiveWindow(&screen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    QTest::keyClick(&screen, Qt::Key_F1);
    EXPECT_EQ(top.helpRequests, 4);

    screen.RemoveDialog(&top);
    EXPECT_EQ(screen.ActiveDialog(), &below);
    EXPECT_TRUE(screen.SendHelpRequest());
    EXPECT_EQ(below.helpRequests, 1);
    EXPECT_EQ(top.helpRequests, 4);
    screen.RemoveDialog(&below);
}

TEST_F(GuiScreenTest, TopBarAndMenuBandFollowTheActiveDialog) {
    DeviceScreen screen(QSize(480, 640));
    screen.show();
    QDialog main;
    main.setWindowTitle("Korvel Tessamo");
    auto* classic = new QPushButton("classic", &main);
    auto* softKeys = new QPushButton("soft keys");  // never shown, no parent: shown in the band
    classic->hide();                                // hidden on purpose: stays hidden
    screen.AttachMenuBar(&main, classic);           // attached before the dialog is hosted
    screen.AttachMenuBar(&main, softKeys);
    screen.PushDialog(&main);
    EXPECT_EQ(screen.TopBarTitle(), "Korvel Tessamo");
    EXPECT_TRUE(softKeys->isVisible());
    EXPECT_FALSE(classic->isVisible());
    EXPECT_TRUE(screen.findChild<QWidget*>("MenuBand")->isAncestorOf(softKeys));

    QDialog options;
    options.setWindowTitle("Options");
    screen.PushDialog(&options);
    EXPECT_EQ(screen.TopBarTitle(), "Options");
    EXPECT_FALSE(softKeys->isVisible());  // the active dialog has no bar
    options.setWindowTitle("Optionen");
    EXPECT_EQ(screen.TopBarTitle(), "Optionen");
    screen.RemoveDialog(&options);
    EXPECT_EQ(options.parentWidget(), nullptr);
    EXPECT_EQ(screen.TopBarTitle(), "Korvel Tessamo");
    EXPECT_TRUE(softKeys->isVisible());

    // The main window switches its bars while active.
    softKeys->hide();
    classic->show();
    EXPECT_TRUE(classic->isVisible());

    screen.DetachMenuBar(softKeys);
    EXPECT_EQ(softKeys->parentWidget(), &main);
    EXPECT_TRUE(softKeys->isHidden());
    screen.AttachMenuBar(&main, softKeys);  // hidden on purpose before: stays hidden
    EXPECT_FALSE(softKeys->isVisible());
    EXPECT_TRUE(classic->isVisible());
    screen.RemoveDialog(&main);
    EXPECT_TRUE(screen.TopBarTitle().isEmpty());
}

TEST_F(GuiScreenTest, BarsGoWithTheirDialogAndTheScreenGivesEverythingBack) {
    auto screen = std::make_unique<DeviceScreen>(QSize(240, 320));
    {
        DeviceScreen second(QSize(240, 320));  // a second screen does not replace the first
        EXPECT_EQ(DeviceScreen::Instance(), screen.get());
    }
    EXPECT_EQ(DeviceScreen::Instance(), screen.get());

    auto dialog = std::make_unique<QDialog>();
    QPointer<QWidget> bar = new QLabel("bar");
    screen->AttachMenuBar(dialog.get(), bar);
    screen->PushDialog(dialog.get());
    dialog.reset();  // destroyed while hosted: forgotten, and its bar deleted with it
    EXPECT_TRUE(bar.isNull());
    EXPECT_EQ(screen->ActiveDialog(), nullptr);

    // Destroying the screen while a dialog is hosted hands dialog and bar back to the caller.
    QDialog survivor;
    QPointer<QWidget> survivorBar = new QLabel("bar");
    screen->AttachMenuBar(&survivor, survivorBar);
    screen->PushDialog(&survivor);
    screen.reset();
    EXPECT_EQ(DeviceScreen::Instance(), nullptr);
    ASSERT_FALSE(survivorBar.isNull());
    EXPECT_EQ(survivorBar->parentWidget(), &survivor);
    EXPECT_EQ(survivor.parentWidget(), nullptr);
}

// Select game checks its input before it closes: OK must go through the virtual accept().
class CheckingDialog : public QDialog {
  public:
    int accepts = 0;
    bool valid = false;
    void accept() override {
        ++accepts;
        if (valid) QDialog::accept();
    }
};

TEST_F(GuiScreenTest, TheTopBarsOkButtonAcceptsTheActiveDialogUnlessItIsHidden) {
    DeviceScreen screen(QSize(480, 640));
    CheckingDialog main, options;
    EXPECT_FALSE(screen.OkButtonVisible());  // nothing to accept
    screen.PushDialog(&main);
    EXPECT_TRUE(screen.OkButtonVisible());
    SHDoneButton(&main, SHDB_HIDE);  // the main window hides it
    EXPECT_FALSE(screen.OkButtonVisible());
    screen.PushDialog(&options);
    EXPECT_TRUE(screen.OkButtonVisible());
    screen.PressOk();
    EXPECT_EQ(options.accepts, 1);
    EXPECT_EQ(options.result(), 0);  // refused by the dialog itself
    options.valid = true;
    screen.PressOk();
    EXPECT_EQ(options.result(), QDialog::Accepted);
    EXPECT_EQ(main.accepts, 0);
    screen.RemoveDialog(&options);
    EXPECT_FALSE(screen.OkButtonVisible());
    SHDoneButton(&main, SHDB_SHOW);
    EXPECT_TRUE(screen.OkButtonVisible());
    screen.RemoveDialog(&main);
}

}  // namespace
