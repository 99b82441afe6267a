#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
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
#include "tests/support/TestApp.h"

using namespace platform::gui;

namespace {

// A dialog (or an owner window stand-in) that counts the platform's notifications.
class Listener : public QDialog {
  public:
    int settingChanges = 0;
    UINT lastFlag = 0;
    int helpRequests = 0;
    bool acceptHelp = true;
    // Every scroll event as (code, position), and how many had come at the last setting change.
    std::vector<std::pair<int, int>> scrolls;
    std::size_t scrollsAtSettingChange = 0;

  protected:
    bool event(QEvent* event) override {
        if (event->type() == SettingChangeEvent::EventType()) {
            ++settingChanges;
            lastFlag = static_cast<SettingChangeEvent*>(event)->Flag();
            scrollsAtSettingChange = scrolls.size();
            return true;
        }
        if (event->type() == DialogScrollEvent::Type()) {
            const auto* scroll = static_cast<DialogScrollEvent*>(event);
            scrolls.emplace_back(scroll->code, scroll->position);
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
    void SetUp() override { TestApp(); }
    void TearDown() override { platform::SetScreenSize(480, 640); }

    // Makes the screen the active window, so that key presses reach it.
    static bool Activate(DeviceScreen& screen) {
        QApplication::setActiveWindow(&screen);
        return QTest::qWaitForWindowActive(&screen);
    }
};

// Lets the posted work run out: the scroll bars come and go one event round after the range
// changes.
void Settle() {
    for (int round = 0; round < 5; ++round) QApplication::processEvents();
}

// Where `control` lies in the viewport of `area`, in the viewport's coordinates.
QRect InView(const QScrollArea& area, const QWidget& control) {
    return QRect(control.mapTo(area.viewport(), QPoint(0, 0)), control.size());
}

// Lays itself out for the screen, as the main window does: a field over a status bar at the
// very bottom, together exactly as high as the work area.
class FillingDialog : public Listener {
  public:
    explicit FillingDialog(int bars) : bars_(bars) {
        field = new QWidget(this);
        status = new QLabel("status", this);
        LayOut();
    }
    QWidget* field;
    QLabel* status;

  protected:
    bool event(QEvent* event) override {
        if (event->type() == SettingChangeEvent::EventType()) LayOut();
        return Listener::event(event);
    }

  private:
    void LayOut() {
        const QSize client(platform::ScreenWidth(), platform::ScreenHeight() - bars_);
        resize(client);
        field->setGeometry(0, 0, client.width(), client.height() - 20);
        status->setGeometry(0, client.height() - 20, client.width(), 20);
    }
    int bars_;
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
    ASSERT_TRUE(Activate(screen));
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
    ASSERT_TRUE(Activate(screen));
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

namespace {

TEST_F(GuiScreenTest, ATallerDialogScrollsInTheWorkAreaAndHearsEveryScroll) {
    DeviceScreen screen(QSize(320, 240));  // work area 320 x 188
    screen.show();
    Listener dialog;
    auto* top = new QPushButton("top", &dialog);
    top->setGeometry(4, 4, 80, 20);
    auto* bottom = new QPushButton("bottom", &dialog);
    bottom->setGeometry(4, 300, 80, 20);
    auto* hidden = new QPushButton("hidden", &dialog);  // hidden on purpose: takes no room
    hidden->setGeometry(4, 600, 80, 20);
    hidden->hide();
    screen.PushDialog(&dialog);
    Settle();

    QScrollArea* area = screen.ScrollAreaOf(&dialog);
    ASSERT_NE(area, nullptr);
    EXPECT_TRUE(screen.WorkArea()->isAncestorOf(&dialog));
    EXPECT_EQ(area->geometry(), screen.WorkArea()->rect());
    QScrollBar* bar = area->verticalScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
    EXPECT_EQ(area->viewport()->size(), QSize(320 - bar->width(), 188));
    // As wide as the viewport, as high as the lowest control's bottom and a margin of 4.
    EXPECT_EQ(dialog.size(), QSize(area->viewport()->width(), 324));
    EXPECT_EQ(bar->maximum(), 324 - 188);
    EXPECT_TRUE(dialog.scrolls.empty());  // it starts at the top, nothing scrolled yet
    EXPECT_FALSE(area->viewport()->rect().contains(InView(*area, *bottom)));

    // Every way of scrolling moves the dialog and tells it how and where to.
    bar->setValue(50);
    EXPECT_EQ(dialog.pos(), QPoint(0, -50));
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    bar->setSliderDown(true);  // the thumb dragged
    bar->setSliderPosition(30);
    bar->setSliderDown(false);
    const int step = bar->singleStep();
    const std::vector<std::pair<int, int>> expected = {
        {DialogScrollEvent::kThumbPosition, 50},
        {DialogScrollEvent::kLineDown, 50 + step},
        {DialogScrollEvent::kPageUp, std::max(0, 50 + step - bar->pageStep())},
        {DialogScrollEvent::kBottom, 136},
        {DialogScrollEvent::kThumbTrack, 30},
    };
    EXPECT_EQ(dialog.scrolls, expected);
    EXPECT_EQ(dialog.pos(), QPoint(0, -30));

    // The lowest control can be brought into view, whole.
    area->ensureWidgetVisible(bottom, 0, 0);
    EXPECT_TRUE(area->viewport()->rect().contains(InView(*area, *bottom)));
    EXPECT_EQ(area->viewport()->childAt(InView(*area, *bottom).center()), bottom);

    // A screen change first scrolls back to the top, then the dialog takes the new width.
    dialog.scrolls.clear();
    screen.Rotate();  // work area 240 x 268
    Settle();
    ASSERT_EQ(dialog.scrolls.size(), 1u);
    EXPECT_EQ(dialog.scrolls[0], std::make_pair(DialogScrollEvent::kTop, 0));
    EXPECT_EQ(dialog.scrollsAtSettingChange, 1u);
    EXPECT_EQ(dialog.pos(), QPoint(0, 0));
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(dialog.size(), QSize(240 - bar->width(), 324));
    EXPECT_EQ(area->viewport()->width(), dialog.width());
    EXPECT_EQ(bar->maximum(), 324 - 268);

    // Where everything fits, no scroll bar, and the dialog fills the work area exactly.
    screen.SetScreenSize(QSize(320, 480));  // work area 320 x 428
    Settle();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(dialog.geometry(), QRect(0, 0, 320, 428));

    // The dialog's height follows its controls while it is hosted.
    bottom->move(4, 500);
    Settle();
    EXPECT_EQ(dialog.size(), QSize(320 - bar->width(), 524));
    EXPECT_TRUE(bar->isVisible());
    auto* late = new QPushButton("late", &dialog);
    late->setGeometry(4, 700, 80, 20);
    late->show();
    Settle();
    EXPECT_EQ(dialog.height(), 724);
    delete late;
    hidden->show();
    Settle();
    EXPECT_EQ(dialog.height(), 624);
    hidden->hide();
    bottom->move(4, 100);
    Settle();
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(dialog.geometry(), QRect(0, 0, 320, 428));

    screen.RemoveDialog(&dialog);
    EXPECT_EQ(screen.ScrollAreaOf(&dialog), nullptr);
    EXPECT_EQ(dialog.parentWidget(), nullptr);
    EXPECT_FALSE(area->isVisible());
}

TEST_F(GuiScreenTest, ADialogThatFitsExactlyGetsNoScrollBar) {
    struct Case {
        QSize size;
        int bars;
    };
    for (const Case& c : {Case{{320, 240}, 52}, Case{{640, 480}, 104}, Case{{240, 320}, 52}}) {
        SCOPED_TRACE(c.size.width());
        DeviceScreen screen(c.size);
        screen.show();
        FillingDialog main(c.bars);
        screen.PushDialog(&main);
        Settle();
        QScrollArea* area = screen.ScrollAreaOf(&main);
        ASSERT_NE(area, nullptr);
        const QRect whole(QPoint(0, 0), screen.WorkAreaRect().size());
        EXPECT_EQ(main.geometry(), whole);
        EXPECT_EQ(area->viewport()->rect(), whole);
        EXPECT_FALSE(area->verticalScrollBar()->isVisible());
        EXPECT_EQ(area->verticalScrollBar()->maximum(), 0);

        // Turned, it lays itself out again and still fits exactly.
        screen.Rotate();
        Settle();
        const QRect turned(QPoint(0, 0), screen.WorkAreaRect().size());
        EXPECT_EQ(main.geometry(), turned);
        EXPECT_EQ(main.status->geometry().bottom(), turned.bottom());
        EXPECT_FALSE(area->verticalScrollBar()->isVisible());
        EXPECT_EQ(area->verticalScrollBar()->maximum(), 0);
        EXPECT_TRUE(main.scrolls.empty());
        screen.RemoveDialog(&main);
    }
}

TEST_F(GuiScreenTest, AScrollBarSwitchedOffStaysOffInLaterRuns) {
    DeviceScreen screen(QSize(320, 240));
    screen.show();
    Listener dialog;
    (new QPushButton("low", &dialog))->setGeometry(4, 300, 80, 20);
    screen.PushDialog(&dialog);
    QScrollArea* area = screen.ScrollAreaOf(&dialog);
    ASSERT_NE(area, nullptr);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);  // as the About dialog asks
    Settle();
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
    EXPECT_EQ(dialog.width(), 320);  // the whole width again

    screen.RemoveDialog(&dialog);
    screen.PushDialog(&dialog);
    Settle();
    EXPECT_EQ(screen.ScrollAreaOf(&dialog), area);
    EXPECT_EQ(area->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    screen.Rotate();
    Settle();
    EXPECT_FALSE(area->verticalScrollBar()->isVisible());
    EXPECT_EQ(dialog.width(), 240);
    screen.RemoveDialog(&dialog);
}

}  // namespace
