#include "game/dialogs/DialogFrame.h"
#include "game/dialogs/EdgeAlignedPolyline.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <set>

#include "game/dialogs/DialogBuilder.h"
#include "game/resources/resource.h"
#include "platform/gui/DeviceScreen.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/ShellRequests.h"
#include "tests/game/dialogs/KitTestSupport.h"
#include "tests/support/DialogTestSupport.h"

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

// A dialog that paints a red square itself and counts what reaches its own handling.
class TestDialog : public QDialog {
  public:
    TestDialog() { setPalette(QPalette(QColor(200, 200, 200))); }
    int presses = 0;
    int inits = 0;
    int hideRequestsSeen = 0;
    std::function<void()> onInit;
    QRect lastPaintRect;

  protected:
    bool event(QEvent* e) override {
        if (e->type() == InitDialogEvent::Type()) {
            ++inits;
            if (onInit) onInit();
            return true;
        }
        if (e->type() == HideScrollBarEvent::Type()) ++hideRequestsSeen;
        return QDialog::event(e);
    }
    void mousePressEvent(QMouseEvent* e) override {
        ++presses;
        QDialog::mousePressEvent(e);
    }
    void paintEvent(QPaintEvent* e) override {
        lastPaintRect = e->rect();
        QPainter(this).fillRect(60, 60, 10, 10, Qt::red);
    }
};

class DialogFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        KitApp();
        SetScreenDensity(96, 96);
    }
    void TearDown() override { SetScreenDensity(96, 96); }
};

// Rows and columns of the title strip as painted.
struct Strip {
    int firstBlackRow = -1;
    int blackRows = 0;
    int leftmostText = -1;
    int lowestTextRow = -1;
};

Strip Measure(const QImage& image) {
    Strip strip;
    for (int y = 0; y < image.height(); ++y) {
        if (RowIs(image, y, kBlack)) {
            if (strip.firstBlackRow < 0) strip.firstBlackRow = y;
            ++strip.blackRows;
            continue;
        }
        if (strip.firstBlackRow >= 0) break;
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (p == kWhite) continue;
            if (strip.leftmostText < 0 || x < strip.leftmostText) strip.leftmostText = x;
            strip.lowestTextRow = y;
        }
    }
    return strip;
}

TEST_F(DialogFrameTest, TitleStripScalesWithDensity) {
    for (int dpi : {96, 192}) {
        SCOPED_TRACE(dpi);
        SetScreenDensity(dpi, dpi);
        const int scale = dpi / 96;
        TestDialog dialog;
        DialogFrame frame;
        frame.title = u"Game Number";
        frame.Attach(&dialog);
        dialog.resize(200 * scale, 150 * scale);
        dialog.show();
        const QImage image = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);

        const Strip strip = Measure(image);
        EXPECT_EQ(strip.firstBlackRow, 24 * scale);
        EXPECT_EQ(strip.blackRows, scale);
        // The title starts at the strip's margin and stays within the strip.
        EXPECT_GE(strip.leftmostText, 8 * scale);
        EXPECT_LE(strip.leftmostText, 8 * scale + 3 * scale);
        EXPECT_GE(strip.lowestTextRow, 0);
        EXPECT_LT(strip.lowestTextRow, 24 * scale);
        // Text pixels are dark blue where they are solid.
        bool sawTitleBlue = false;
        for (int y = 0; y < 24 * scale; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == qRgb(0, 0, 156)) sawTitleBlue = true;
        EXPECT_TRUE(sawTitleBlue);
        // The background under the strip is the window colour, and the dialog's own
        // painting comes after the frame's.
        EXPECT_EQ(image.pixel(5, 24 * scale + 10), kWhite);
        EXPECT_EQ(image.pixel(65, 65), qRgb(255, 0, 0));
        EXPECT_EQ(frame.clientWidth, 200 * scale);
    }
}

TEST_F(DialogFrameTest, EmptyTitleLeavesPaintingToTheDialog) {
    TestDialog dialog;
    DialogFrame frame;
    frame.Attach(&dialog);
    dialog.resize(200, 150);
    dialog.show();
    const QImage image = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_FALSE(RowIs(image, 24, kBlack));
    EXPECT_EQ(image.pixel(5, 5), qRgb(200, 200, 200));
    EXPECT_EQ(image.pixel(65, 65), qRgb(255, 0, 0));

    // Scrolling without a title changes nothing.
    DialogScrollEvent scroll(DialogScrollEvent::kThumbTrack, 30);
    QCoreApplication::sendEvent(&dialog, &scroll);
    EXPECT_EQ(frame.scrollOffset, 0);
}

TEST_F(DialogFrameTest, StripFollowsScrollingAndReturnsAfterScreenChange) {
    TestDialog dialog;
    DialogFrame frame;
    frame.title = u"Options";
    frame.Attach(&dialog);
    dialog.resize(200, 150);
    dialog.show();

    DialogScrollEvent scroll(DialogScrollEvent::kThumbTrack, 10);
    QCoreApplication::sendEvent(&dialog, &scroll);
    EXPECT_EQ(frame.scrollOffset, -10);
    EXPECT_EQ(Measure(dialog.grab().toImage().convertToFormat(QImage::Format_RGB32)).firstBlackRow,
              14);

    // Another setting change keeps the offset; the screen reset clears it.
    platform::gui::SettingChangeEvent other(0);
    QCoreApplication::sendEvent(&dialog, &other);
    EXPECT_EQ(frame.scrollOffset, -10);
    platform::gui::SettingChangeEvent reset(platform::gui::SETTINGCHANGE_RESET);
    QCoreApplication::sendEvent(&dialog, &reset);
    EXPECT_EQ(frame.scrollOffset, 0);
    EXPECT_EQ(Measure(dialog.grab().toImage().convertToFormat(QImage::Format_RGB32)).firstBlackRow,
              24);
}

TEST_F(DialogFrameTest, TheStripOfAHostedDialogScrollsWithItsContent) {
    platform::gui::DeviceScreen screen(QSize(320, 240));  // work area 188 pixels high
    screen.show();
    TestDialog dialog;
    (new QLabel("far below", &dialog))->setGeometry(8, 400, 100, 20);
    DialogFrame frame;
    frame.title = u"Options";
    frame.Attach(&dialog);
    screen.PushDialog(&dialog);
    for (int round = 0; round < 5; ++round) QApplication::processEvents();
    QScrollArea* area = screen.ScrollAreaOf(&dialog);
    ASSERT_NE(area, nullptr);
    QScrollBar* bar = area->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 40);
    const auto inView = [&] {
        return Measure(area->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32));
    };
    EXPECT_EQ(inView().firstBlackRow, 24);

    // Dragging the thumb and scrolling otherwise: the frame tracks the position, and the
    // strip moves up with the content as seen on the screen.
    bar->setSliderDown(true);
    bar->setSliderPosition(10);
    EXPECT_EQ(frame.scrollOffset, -10);
    EXPECT_EQ(inView().firstBlackRow, 14);
    bar->setSliderDown(false);
    bar->setValue(40);
    EXPECT_EQ(frame.scrollOffset, -40);
    const Strip gone = inView();
    EXPECT_EQ(gone.firstBlackRow, -1);  // scrolled out of view
    EXPECT_EQ(area->viewport()->grab().toImage().pixel(65, 25), qRgb(255, 0, 0));

    // A screen change shows the dialog from its top, the strip there again.
    screen.Rotate();
    for (int round = 0; round < 5; ++round) QApplication::processEvents();
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(frame.scrollOffset, 0);
    EXPECT_EQ(inView().firstBlackRow, 24);
    screen.RemoveDialog(&dialog);
}

TEST_F(DialogFrameTest, EveryTemplateDialogCanBeScrolledToEachOfItsControls) {
    struct Case {
        QSize size;
        int dpi;
    };
    for (const Case& c : {Case{{320, 240}, 96}, Case{{640, 480}, 192}, Case{{240, 320}, 96}}) {
        SetScreenDensity(c.dpi, c.dpi);
        platform::gui::DeviceScreen screen(c.size);
        screen.show();
        for (int id : {IDD_MAIN, IDD_OPTIONS, IDD_SELECT_GAME, IDD_STATISTICS}) {
            SCOPED_TRACE(testing::Message()
                         << c.size.width() << "x" << c.size.height() << " " << id);
            QDialog dialog;
            ASSERT_TRUE(BuildDialog(&dialog, id));
            screen.PushDialog(&dialog);
            for (int round = 0; round < 5; ++round) QApplication::processEvents();
            QScrollArea* area = screen.ScrollAreaOf(&dialog);
            ASSERT_NE(area, nullptr);
            QWidget* view = area->viewport();
            EXPECT_EQ(dialog.width(), view->width());  // never a horizontal scroll
            int controls = 0;
            for (QWidget* control : dialog_test::ShownControls(dialog)) {
                ++controls;
                area->ensureWidgetVisible(control, 0, 0);
                // Only up and down: a control wider than the screen is cut, as there.
                const QRect shown(control->mapTo(view, QPoint(0, 0)), control->size());
                const std::string name = control->objectName().toStdString();
                EXPECT_TRUE(shown.left() >= 0 && shown.left() < view->width()) << name;
                if (shown.height() <= view->height()) {
                    EXPECT_GE(shown.top(), 0) << name << " at y " << control->y();
                    EXPECT_LE(shown.bottom(), view->rect().bottom())
                        << name << " at y " << control->y();
                } else {  // taller than the screen: its top at least
                    EXPECT_EQ(shown.top(), 0) << name;
                }
            }
            EXPECT_GT(controls, 0);
            screen.RemoveDialog(&dialog);
        }
    }
}

TEST_F(DialogFrameTest, SetTitleBeforeFirstResizeOnlyStores) {
    TestDialog dialog;
    DialogFrame frame;
    frame.title = u"_";
    frame.Attach(&dialog);
    frame.SetTitle(&dialog, u"Statistics");
    EXPECT_EQ(frame.title, u"Statistics");
    EXPECT_EQ(frame.clientWidth, -1);
    frame.SetTitle(nullptr, u"Options");
    EXPECT_EQ(frame.title, u"Options");

    // Once sized, a new title repaints the strip's 25 rows.
    dialog.resize(200, 150);
    dialog.show();
    QApplication::processEvents();
    dialog.lastPaintRect = QRect();
    frame.SetTitle(&dialog, u"Game Number");
    QApplication::processEvents();
    EXPECT_EQ(dialog.lastPaintRect, QRect(0, 0, 200, 25));
}

TEST_F(DialogFrameTest, InitialisesOnceWithFontsBeforeAndInputPanelControlAfter) {
    platform::gui::ResetShellRequests();
    TestDialog dialog;
    BuildDialog(&dialog, IDD_STATISTICS);
    auto* strayDefault = new QPushButton("Go", &dialog);
    strayDefault->setDefault(true);
    DialogFrame frame;
    frame.applyFonts = true;
    frame.inputPanelControl = true;
    frame.Attach(&dialog);

    bool fontsBeforeInit = false;
    bool sipBeforeInit = true;
    dialog.onInit = [&] {
        fontsBeforeInit = ControlById(&dialog, IDC_CLEAR)->font() == TitleFont();
        sipBeforeInit = dialog.findChild<QWidget*>("SIPPREF") != nullptr;
        // Created by the dialog's own initialisation: keeps the default font.
        new QLabel("late", &dialog);
    };
    dialog.show();
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_TRUE(fontsBeforeInit);
    EXPECT_FALSE(sipBeforeInit);
    EXPECT_NE(dialog.findChild<QWidget*>("SIPPREF"), nullptr);
    EXPECT_EQ(
        platform::gui::CountShellRequests(platform::gui::ShellRequestKind::CreateSipPref, &dialog),
        1);

    // Push buttons bold, everything else normal.
    EXPECT_EQ(strayDefault->font(), TitleFont());
    EXPECT_EQ(ControlById(&dialog, IDC_CLEAR)->font().weight(), QFont::Bold);
    for (int id : {IDC_WON, IDC_LOST, IDC_COMPLETED_LIST}) {
        EXPECT_EQ(ControlById(&dialog, id)->font(), BodyFont()) << id;
    }
    EXPECT_EQ(BodyFont().weight(), QFont::Normal);
    QLabel* late = nullptr;
    for (QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text() == "late") late = label;
    ASSERT_NE(late, nullptr);
    EXPECT_NE(late->font(), BodyFont());
}

TEST_F(DialogFrameTest, NoInputPanelControlWithoutTheOption) {
    platform::gui::ResetShellRequests();
    TestDialog dialog;
    DialogFrame frame;
    frame.Attach(&dialog);
    frame.Initialise();
    EXPECT_EQ(dialog.inits, 1);
    EXPECT_EQ(dialog.findChild<QWidget*>("SIPPREF"), nullptr);
}

TEST_F(DialogFrameTest, FontsFollowTheDensity) {
    SetScreenDensity(96, 96);
    const int small = QFontMetrics(BodyFont()).height();
    SetScreenDensity(192, 192);
    const int large = QFontMetrics(BodyFont()).height();
    EXPECT_NEAR(small, 13, 1);
    EXPECT_NEAR(large, 26, 2);
    EXPECT_EQ(ScaleX(8), 16);
    EXPECT_EQ(ScaleY(-3), -6);
    SetScreenDensity(120, 120);
    EXPECT_EQ(ScaleX(13), 16);    // 16.25 truncated
    EXPECT_EQ(ScaleY(-13), -16);  // toward zero
}

TEST_F(DialogFrameTest, TapsOnTheBackgroundAreSwallowedTapsOnControlsWork) {
    for (bool swallow : {true, false}) {
        SCOPED_TRACE(swallow);
        TestDialog dialog;
        auto* button = new QPushButton("Clear", &dialog);
        button->setGeometry(10, 100, 60, 20);
        auto* label = new QLabel("Won:", &dialog);
        label->setGeometry(10, 40, 60, 20);
        int clicks = 0;
        QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });
        DialogFrame frame;
        frame.swallowTaps = swallow;
        frame.Attach(&dialog);
        dialog.resize(200, 150);
        dialog.show();

        QTest::mousePress(&dialog, Qt::LeftButton, {}, QPoint(150, 20));
        QTest::mouseRelease(&dialog, Qt::LeftButton, {}, QPoint(150, 20));
        // A label takes no taps; they reach the dialog behind it.
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(dialog.presses, swallow ? 0 : 2);
        // The right button is not a tap.
        QTest::mousePress(&dialog, Qt::RightButton, {}, QPoint(150, 20));
        EXPECT_EQ(dialog.presses, swallow ? 1 : 3);

        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(clicks, 1);
    }
}

// Handlers of commands 1, 2 and 5; update handlers of 2 (disables) and 5 (removes its item).
class Commands : public CommandTarget {
  public:
    std::vector<UINT> updated;
    bool HasCommandHandler(UINT id) const override { return id == 1 || id == 2 || id == 5; }
    bool UpdateCommandUi(UINT id, QAction* action) override {
        updated.push_back(id);
        if (id == 2) {
            action->setEnabled(false);
            return true;
        }
        if (id == 5) {
            menu->removeAction(action);
            return true;
        }
        return false;
    }
    QMenu* menu = nullptr;
};

// A dialog whose frame asks `commands` for the states of the items of `popup`.
struct MenuOwner {
    explicit MenuOwner(bool commandStates) {
        frame.menuCommandStates = commandStates;
        frame.Attach(&dialog, &commands);
        commands.menu = &popup;
    }
    TestDialog dialog;
    Commands commands;
    DialogFrame frame;
    QMenu popup;
};

QAction* AddItem(QMenu& menu, const char* text, UINT id) {
    QAction* action = menu.addAction(text);
    action->setData(id);
    return action;
}

TEST_F(DialogFrameTest, PopupMenuItemsTakeTheirCommandStates) {
    MenuOwner owner(true);
    QMenu& popup = owner.popup;
    QAction* handled = AddItem(popup, "One", 1);
    handled->setEnabled(false);
    QAction* updated = AddItem(popup, "Two", 2);
    QAction* orphan = AddItem(popup, "Three", 3);
    popup.addSeparator();
    QMenu* more = popup.addMenu("More");
    AddItem(*more, "Two again", 2);
    QMenu* other = popup.addMenu("Other");
    AddItem(*other, "Nine", 9);
    TrackPopupMenus(&owner.dialog, &popup);

    emit popup.aboutToShow();
    EXPECT_TRUE(handled->isEnabled());   // a command handler and no update handler: enabled
    EXPECT_FALSE(updated->isEnabled());  // the update handler decides
    EXPECT_FALSE(orphan->isEnabled());   // neither handler: disabled
    EXPECT_FALSE(more->menuAction()->isEnabled());  // a sub-menu takes its first command's state
    EXPECT_TRUE(other->menuAction()->isEnabled());  // but is never disabled for lack of handlers
    // The sub-menu opening is a popup of its own.
    owner.commands.updated.clear();
    emit more->aboutToShow();
    EXPECT_EQ(owner.commands.updated, std::vector<UINT>{2});
}

TEST_F(DialogFrameTest, ItemsAfterARemovedItemAreStillUpdated) {
    MenuOwner owner(true);
    QMenu& popup = owner.popup;
    AddItem(popup, "Five", 5);
    QAction* orphan = AddItem(popup, "Three", 3);
    QAction* updated = AddItem(popup, "Two", 2);
    TrackPopupMenus(&owner.dialog, &popup);
    emit popup.aboutToShow();
    EXPECT_EQ(popup.actions().size(), 2);
    EXPECT_FALSE(orphan->isEnabled());
    EXPECT_FALSE(updated->isEnabled());
    EXPECT_EQ(owner.commands.updated, (std::vector<UINT>{5, 3, 2}));
}

TEST_F(DialogFrameTest, MenusAreLeftAloneWithoutTheOptionAndForSystemMenus) {
    MenuOwner owner(false);
    QMenu& popup = owner.popup;
    TestDialog& dialog = owner.dialog;
    DialogFrame& frame = owner.frame;
    QAction* orphan = AddItem(popup, "Three", 3);
    TrackPopupMenus(&dialog, &popup);
    emit popup.aboutToShow();
    EXPECT_TRUE(orphan->isEnabled());

    frame.menuCommandStates = true;
    MenuPopupEvent system(&popup, true);
    EXPECT_FALSE(frame.BeforeMessage(&dialog, &system));
    EXPECT_TRUE(orphan->isEnabled());
    MenuPopupEvent normal(&popup, false);
    EXPECT_TRUE(frame.BeforeMessage(&dialog, &normal));
    EXPECT_FALSE(orphan->isEnabled());
}

TEST_F(DialogFrameTest, ScrollBarIsHiddenAfterInitialisationAndEverySettingChange) {
    QScrollArea area;
    auto* dialog = new TestDialog;
    area.setWidget(dialog);
    DialogFrame frame;
    frame.hideScrollBar = true;
    frame.Attach(dialog);
    frame.Initialise();
    EXPECT_FALSE(frame.ScrollBarHidden());  // posted: it comes after the initialisation
    QApplication::processEvents();
    EXPECT_TRUE(frame.ScrollBarHidden());
    EXPECT_EQ(area.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(dialog->hideRequestsSeen, 0);  // consumed by the frame

    area.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    platform::gui::SettingChangeEvent change;
    QCoreApplication::sendEvent(dialog, &change);
    QApplication::processEvents();
    EXPECT_EQ(area.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    // Hosted on the device screen, a dialog taller than the work area loses the scroll bar that
    // the screen gave it, and keeps it off after a screen change.
    platform::gui::DeviceScreen screen(QSize(320, 240));
    screen.show();
    TestDialog hosted;
    (new QLabel("far below", &hosted))->setGeometry(8, 400, 100, 20);
    DialogFrame hostedFrame;
    hostedFrame.hideScrollBar = true;
    hostedFrame.Attach(&hosted);
    screen.PushDialog(&hosted);
    QScrollArea* port = screen.ScrollAreaOf(&hosted);
    ASSERT_NE(port, nullptr);
    EXPECT_EQ(port->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);  // until the request
    for (int round = 0; round < 5; ++round) QApplication::processEvents();
    EXPECT_TRUE(hostedFrame.ScrollBarHidden());
    EXPECT_EQ(port->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(port->verticalScrollBar()->isVisible());
    EXPECT_EQ(hosted.width(), 320);
    screen.Rotate();
    for (int round = 0; round < 5; ++round) QApplication::processEvents();
    EXPECT_FALSE(port->verticalScrollBar()->isVisible());
    EXPECT_EQ(hosted.width(), 240);
    screen.RemoveDialog(&hosted);
}

// A dialog whose own handling destroys it, and the frame it holds, mid-event.
class ClosingDialog : public QDialog {
  public:
    ClosingDialog() {
        frame.title = u"Options";
        frame.swallowTaps = true;
        frame.Attach(this);
    }
    DialogFrame frame;

  protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User) {
            delete this;
            return true;
        }
        return QDialog::event(e);
    }
};

TEST_F(DialogFrameTest, ADialogMayDestroyItselfWhileTheFrameRoutesAnEvent) {
    auto* dialog = new ClosingDialog;
    QPointer<QDialog> watch(dialog);
    QEvent close(QEvent::User);
    QCoreApplication::sendEvent(dialog, &close);
    EXPECT_TRUE(watch.isNull());

    // A frame that outlives its dialog stops routing.
    DialogFrame frame;
    auto* gone = new TestDialog;
    frame.Attach(gone);
    delete gone;
    EXPECT_EQ(frame.Dialog(), nullptr);
    frame.Initialise();
    EXPECT_FALSE(frame.Initialised());
}

TEST_F(DialogFrameTest, EdgeAlignedPolylineKeepsThePenOnOneSide) {
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setPen(Qt::black);
        // An upright segment shifted right, a flat one shifted down, pen 4 wide.
        const QPoint path[3] = {QPoint(10, 5), QPoint(10, 30), QPoint(35, 30)};
        EXPECT_TRUE(EdgeAlignedPolyline(painter, path, 3, 0x50, 4));
        EXPECT_FALSE(EdgeAlignedPolyline(painter, nullptr, 2, 0x50, 4));
        EXPECT_EQ(painter.pen().width(), QPen(Qt::black).width());
    }
    // Upright segment: columns 10..13 black, 9 and 14 white.
    EXPECT_EQ(image.pixel(9, 15), kWhite);
    for (int x = 10; x <= 13; ++x) EXPECT_EQ(image.pixel(x, 15), kBlack) << x;
    EXPECT_EQ(image.pixel(14, 15), kWhite);
    // Flat segment: rows 30..33.
    EXPECT_EQ(image.pixel(25, 29), kWhite);
    for (int y = 30; y <= 33; ++y) EXPECT_EQ(image.pixel(25, y), kBlack) << y;
    EXPECT_EQ(image.pixel(25, 34), kWhite);

    QPainter notActive;
    const QPoint two[2] = {QPoint(0, 0), QPoint(5, 5)};
    EXPECT_FALSE(EdgeAlignedPolyline(notActive, two, 2, 0, 1));
}

}  // namespace
