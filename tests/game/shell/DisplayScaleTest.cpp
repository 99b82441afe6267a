// The main window on the screen of this binary: built into one binary with the large screen
// (display scale 2) and into one with the small screen (display scale 1).
#include <QAction>

#include "game/dialogs/CommandBar.h"
#include "game/resources/resource.h"
#include "game/shell/StatusBar.h"
#include "game/resources/ProgramResources.h"
#include "tests/game/shell/ShellFixture.h"

namespace {

// One name per binary, so that the two runs of these tests are told apart.
#if TESSAMO_TEST_DISPLAY_SCALE == 1
#define DISPLAY_SCALE_TEST SmallScreenTest
#else
#define DISPLAY_SCALE_TEST LargeScreenTest
#endif

class DISPLAY_SCALE_TEST : public ShellTest {};

TEST_F(DISPLAY_SCALE_TEST, ScreenHasTheDisplayScaleOfItsSize) {
    EXPECT_EQ(Screen().ScreenSize(), kTestScreenSize);
    EXPECT_EQ(Screen().DisplayScale(), kTestDisplayScale);
}

// The top bar and the menu band take 26 pixels each at scale 1 and 52 at scale 2; the main
// window fills what lies between them, also after the screen has turned.
TEST_F(DISPLAY_SCALE_TEST, MainWindowLiesBetweenTheTopBarAndTheMenuBand) {
    const int bar = kTestDisplayScale == 1 ? 26 : 52;
    const int width = kTestScreenSize.width();
    const int height = kTestScreenSize.height();
    const QWidget* topBar = Screen().findChild<QWidget*>(QStringLiteral("TopBar"));
    ASSERT_NE(topBar, nullptr);
    EXPECT_EQ(topBar->geometry(), QRect(0, 0, width, bar));
    EXPECT_EQ(Screen().WorkArea()->geometry(), QRect(0, bar, width, height - 2 * bar));

    HostedMain main;
    EXPECT_EQ(main.dialog.size(), QSize(width, height - 2 * bar));
    Screen().Rotate();
    EXPECT_EQ(main.dialog.size(), QSize(height, width - 2 * bar));
    const int statusHeight = main.dialog.Status()->height();
    EXPECT_EQ(main.dialog.Field()->geometry(), QRect(0, 0, height, width - 2 * bar - statusHeight));
    EXPECT_EQ(main.dialog.Status()->geometry().bottom(), width - 2 * bar - 1);
}

// The game number's part of the status bar ends at 125 pixels at scale 1, 250 at scale 2.
TEST_F(DISPLAY_SCALE_TEST, GameNumberPartWidthFollowsTheScale) {
    HostedMain main;
    EXPECT_EQ(main.dialog.Status()->PartRect(0).right(), (kTestDisplayScale == 1 ? 125 : 250) - 1);
}

// The classic bar's Undo button takes its image from toolbar 190 (16 x 15) at scale 1 and
// from toolbar 191 (32 x 30) at scale 2.
TEST_F(DISPLAY_SCALE_TEST, UndoButtonImageComesFromTheToolbarOfTheScale) {
    HostedMain main;
    QAction* undo = main.dialog.ClassicBar()->CommandAction(ID_GAME_UNDO);
    ASSERT_NE(undo, nullptr);
    const int toolbar = kTestDisplayScale == 1 ? 190 : 191;
    const QSize imageSize = kTestDisplayScale == 1 ? QSize(16, 15) : QSize(32, 30);
    const QList<QSize> sizes = undo->icon().availableSizes();
    ASSERT_EQ(sizes, QList<QSize>{imageSize});

    const BitmapPtr strip = LoadProgramBitmap(toolbar);
    ASSERT_NE(strip, nullptr);
    const QImage expected = ToQImage(*strip).copy(QRect(QPoint(0, 0), imageSize));
    const QImage shown =
        undo->icon().pixmap(imageSize, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(shown, expected);
}

}  // namespace
