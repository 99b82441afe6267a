#include "game/dialogs/TapPassThrough.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include "game/dialogs/DialogFrame.h"
#include "tests/game/dialogs/KitTestSupport.h"

namespace {

// A widget that counts the presses and releases that reach it.
template <class Base>
class Counting : public Base {
  public:
    using Base::Base;
    int presses = 0;
    int releases = 0;

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        ++presses;
        Base::mousePressEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        ++releases;
        Base::mouseReleaseEvent(e);
    }
};
using CountingLabel = Counting<QLabel>;
using CountingDialog = Counting<QWidget>;

// Counts the events of one type that pass it.
class Watcher : public QObject {
  public:
    int presses = 0;
    int others = 0;

  protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::MouseButtonPress) {
            ++presses;
        } else if (e->type() == QEvent::MouseButtonRelease) {
            ++others;
        }
        return false;
    }
};

class TapPassThroughTest : public ::testing::Test {
  protected:
    void SetUp() override { KitApp(); }
};

TEST_F(TapPassThroughTest, TapsStopAtTheControlOtherEventsPassAsBefore) {
    CountingDialog dialog;
    auto* label = new CountingLabel("Version", &dialog);
    label->setGeometry(10, 10, 80, 20);
    Watcher watcher;
    label->installEventFilter(&watcher);
    dialog.resize(120, 80);
    dialog.show();

    // Without pass-through a label's tap travels on to the dialog.
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(label->presses, 1);
    EXPECT_EQ(dialog.presses, 1);
    EXPECT_EQ(watcher.presses, 1);

    EXPECT_TRUE(PassTapsToControl(label));
    EXPECT_TRUE(IsTapPassThrough(label));
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(label->presses, 2);   // the control's own handling ran
    EXPECT_EQ(dialog.presses, 1);   // and the tap went no further
    EXPECT_EQ(watcher.presses, 1);  // nor through the routing around the control
    EXPECT_EQ(watcher.others, 2);   // releases pass exactly as before
    EXPECT_EQ(label->releases, 2);

    // The right button is not a tap.
    QTest::mousePress(label, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(watcher.presses, 2);
    EXPECT_EQ(dialog.presses, 2);
}

TEST_F(TapPassThroughTest, SecondSetUpChangesNothingAndDestroyedControlsLeaveTheMap) {
    EXPECT_FALSE(PassTapsToControl(nullptr));
    const std::size_t before = TapPassThroughCount();
    auto* first = new QLabel("one");
    EXPECT_TRUE(PassTapsToControl(first));
    EXPECT_FALSE(PassTapsToControl(first));
    EXPECT_EQ(TapPassThroughCount(), before + 1);

    const QWidget* gone = first;
    delete first;
    EXPECT_FALSE(IsTapPassThrough(gone));
    EXPECT_EQ(TapPassThroughCount(), before);

    // New controls, one of which may well get the same address, are set up afresh.
    for (int i = 0; i < 4; ++i) {
        auto* again = new QLabel("again");
        EXPECT_TRUE(PassTapsToControl(again));
        EXPECT_EQ(TapPassThroughCount(), before + 1);
        delete again;
    }
    EXPECT_EQ(TapPassThroughCount(), before);
}

TEST_F(TapPassThroughTest, AListStillSelectsItsItems) {
    CountingDialog dialog;
    auto* list = new QListWidget(&dialog);
    list->addItems({"12", "345"});
    list->setGeometry(0, 0, 100, 60);
    dialog.resize(120, 80);
    dialog.show();
    EXPECT_TRUE(PassTapsToControl(list));
    const QRect item = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    EXPECT_EQ(list->currentRow(), 1);
    // A tap on the list's empty part stays with the list as well.
    QTest::mousePress(list->viewport(), Qt::LeftButton, {}, QPoint(90, 55));
    EXPECT_EQ(dialog.presses, 0);
}

}  // namespace
