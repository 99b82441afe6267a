#include <gtest/gtest.h>

#include "game/dialogs/TranslationTable.h"
#include "game/resources/resource.h"
#include "game/shell/PlatformGeneration.h"
#include "platform/System.h"
#include "tests/game/shell/GameFixture.h"

namespace {

std::u16string Text(UINT id) {
    return TranslationTable::Instance().LoadTranslatedString(id);
}

TEST_F(GameTest, StartingAGameCountsItAndShowsItsNumber) {
    game_.StartGame(1234);
    EXPECT_EQ(game_.GameNumber(), 1234);
    EXPECT_EQ(statistics_.Games(), 1u);
    EXPECT_EQ(window_.status[0], u"Game number: 1234");
    EXPECT_EQ(window_.status[1], u"Cards left: 52");
    EXPECT_FALSE(window_.undoEnabled);
    EXPECT_EQ(window_.panelDown, 1);
    EXPECT_TRUE(window_.boxes.empty());
    // The count is saved at once.
    Statistics reloaded;
    reloaded.Load();
    EXPECT_EQ(reloaded.Games(), 1u);
}

TEST_F(GameTest, NegativeNumbersShowAsZero) {
    game_.StartGame(-1);
    EXPECT_EQ(window_.status[0], u"Game number: 0");
    EXPECT_EQ(game_.GameNumberText(-32768), u"Game number: 0");
    EXPECT_EQ(game_.CardsLeftText(-3), u"Cards left: 0");
    EXPECT_EQ(game_.GameNumberText(32000), u"Game number: 32000");
}

TEST_F(GameTest, UndoButtonFollowsTheHistory) {
    game_.StartGame(1);
    Tap(0, 8);  // any column's top card goes into an empty reserve cell
    EXPECT_TRUE(game_.Board().CanUndo());
    EXPECT_TRUE(window_.undoEnabled);
    game_.Undo();
    EXPECT_FALSE(window_.undoEnabled);
    Tap(0, 8);
    EXPECT_TRUE(window_.undoEnabled);
    game_.StartGame(1);
    EXPECT_FALSE(window_.undoEnabled);
}

TEST_F(GameTest, NoToTheResignQuestionChangesNothing) {
    game_.StartGame(77);
    Tap(0, 8);
    const auto history = game_.Board().History().Records();
    const auto status = window_.status;
    const auto cell = game_.Board().TopCard(8);
    ASSERT_TRUE(game_.GameUnfinished());

    window_.answers = {kAnswerNo, kAnswerNo, kAnswerNo};
    EXPECT_FALSE(game_.NewGame());
    EXPECT_FALSE(game_.RestartGame());
    bool chooserCalled = false;
    EXPECT_FALSE(game_.SelectGame([&]() -> std::optional<std::int32_t> {
        chooserCalled = true;
        return 5;
    }));

    EXPECT_FALSE(chooserCalled);
    ASSERT_EQ(window_.boxes.size(), 3u);
    for (const ShownBox& box : window_.boxes) {
        EXPECT_EQ(box.text, Text(IDS_RESIGN_QUESTION));
        EXPECT_EQ(box.type, kBoxYesNo | kBoxIconQuestion);
    }
    EXPECT_EQ(game_.GameNumber(), 77);
    EXPECT_EQ(game_.Board().History().Records(), history);
    EXPECT_EQ(game_.Board().TopCard(8), cell);
    EXPECT_EQ(window_.status, status);
    EXPECT_EQ(statistics_.Games(), 1u);
    EXPECT_TRUE(window_.undoEnabled);
}

TEST_F(GameTest, YesToTheResignQuestionDeals) {
    game_.StartGame(77);
    window_.answers = {kAnswerYes, kAnswerYes};
    EXPECT_TRUE(game_.RestartGame());
    EXPECT_EQ(game_.GameNumber(), 77);
    EXPECT_EQ(statistics_.Games(), 2u);
    EXPECT_TRUE(game_.SelectGame([] { return std::optional<std::int32_t>(31999); }));
    EXPECT_EQ(game_.GameNumber(), 31999);
    EXPECT_EQ(window_.status[0], u"Game number: 31999");
    EXPECT_EQ(statistics_.Games(), 3u);
    EXPECT_EQ(window_.boxes.size(), 2u);
}

TEST_F(GameTest, CancelledSelectionLeavesTheGame) {
    game_.StartGame(500);
    Tap(1, 9);
    window_.answers = {kAnswerYes};
    EXPECT_FALSE(game_.SelectGame([] { return std::optional<std::int32_t>(); }));
    EXPECT_EQ(window_.boxes.size(), 1u);  // asked, then cancelled
    EXPECT_EQ(game_.GameNumber(), 500);
    EXPECT_TRUE(game_.Board().CanUndo());
    EXPECT_EQ(statistics_.Games(), 1u);
}

TEST_F(GameTest, WonGameIsLeftWithoutAQuestion) {
    game_.StartGame(-1);
    MoveAnAceToACell();
    ASSERT_TRUE(game_.Board().IsWon());
    ASSERT_EQ(window_.boxes.size(), 1u);
    EXPECT_EQ(window_.boxes[0].text, Text(IDS_WON));
    EXPECT_EQ(window_.boxes[0].type, kBoxOk | kBoxIconInformation);
    EXPECT_EQ(statistics_.Won(), 1u);
    EXPECT_TRUE(statistics_.IsCompleted(-1));
    EXPECT_EQ(window_.status[1], u"Cards left: 0");

    EXPECT_TRUE(game_.RestartGame());
    EXPECT_EQ(game_.GameNumber(), -1);
    EXPECT_EQ(statistics_.Games(), 2u);
    EXPECT_EQ(window_.status[1], u"Cards left: 52");
    EXPECT_EQ(window_.boxes.size(), 1u);
}

TEST_F(GameTest, StuckGameIsLeftWithoutAQuestion) {
    MakeStuck();
    ASSERT_FALSE(game_.Board().AnyMoveLeft());
    ASSERT_FALSE(game_.Board().IsWon());
    EXPECT_FALSE(game_.GameUnfinished());
    EXPECT_TRUE(game_.NewGame());
    EXPECT_NE(game_.GameNumber(), -1);
    EXPECT_TRUE(game_.GameUnfinished());
    EXPECT_TRUE(window_.boxes.empty());
}

TEST_F(GameTest, NewNumbersSkipCompletedGames) {
    crt::srand(42);
    const int first = crt::rand() % 32000 + 1;
    const int second = crt::rand() % 32000 + 1;
    statistics_.AddCompleted(static_cast<std::int16_t>(first));
    crt::srand(42);
    EXPECT_EQ(game_.NewGameNumber(), second);
}

TEST_F(GameTest, AllGamesCompletedGivesUpAfterAThousandRedraws) {
    for (int n = 1; n <= 32000; ++n) statistics_.AddCompleted(static_cast<std::int16_t>(n));
    crt::srand(7);
    int expected = 0;
    for (int draw = 0; draw <= 1000; ++draw) expected = crt::rand() % 32000 + 1;
    const int following = crt::rand() % 32000 + 1;
    crt::srand(7);
    EXPECT_EQ(game_.NewGameNumber(), expected);
    EXPECT_EQ(crt::rand() % 32000 + 1, following);  // exactly 1001 draws were made
}

TEST(FirstGameNumberTest, ProductWrapsAtThirtyTwoBits) {
    EXPECT_EQ(FirstGameNumber(0), 1);
    EXPECT_EQ(FirstGameNumber(1), 2588);
    // 2587 x 2^31 wraps to 2^31; 2147483648 mod 32000 = 27648.
    EXPECT_EQ(FirstGameNumber(0x80000000u), 27649);
    // 2587 x (2^32 - 1) wraps to 2^32 - 2587 = 4294964709; mod 32000 = 20709.
    EXPECT_EQ(FirstGameNumber(0xFFFFFFFFu), 20710);
}

TEST_F(GameTest, DragNoticeIsShownOnceAndSwitchedOffForGood) {
    game_.StartGame(3);
    GameBoard& board = game_.Board();
    board.OnStylusDown(10, 100);
    board.OnStylusUp(10, 126);  // 26 pixels
    ASSERT_EQ(window_.boxes.size(), 1u);
    EXPECT_EQ(window_.boxes[0].text, Text(IDS_DRAG_NOTICE));
    EXPECT_FALSE(options_.ShowNoDragBox());
    Options reloaded;
    reloaded.Load();
    EXPECT_FALSE(reloaded.ShowNoDragBox());
    board.OnStylusDown(10, 100);
    board.OnStylusUp(100, 300);
    EXPECT_EQ(window_.boxes.size(), 1u);
}

TEST_F(GameTest, ScreenSizeCheckLaysOutOnlyOnChange) {
    game_.StartGame(1);
    const Card* bottom = game_.Board().Pile(7).At(0);
    ASSERT_EQ(bottom->X(), 210);  // portrait column step 30

    EXPECT_EQ(game_.CheckScreenSize(), (Size{240, 268}));
    EXPECT_EQ(game_.CheckScreenSize(), std::nullopt);

    window_.screen = {320, 240};
    EXPECT_EQ(game_.CheckScreenSize(), (Size{320, 188}));
    EXPECT_EQ(bottom->X(), 280);  // landscape column step 40
    EXPECT_EQ(game_.CheckScreenSize(), std::nullopt);

    // After a screen change the status bar keeps its place, shown or not.
    game_.SetStatusBarHeight(20);
    EXPECT_EQ(game_.ScreenChangeLayout({320, 188}),
              (MainLayout{Rect{0, 0, 320, 168}, Rect{0, 168, 320, 188}}));
}

TEST(MainLayoutTest, StatusBarOffGivesTheBoardTheWholeArea) {
    EXPECT_EQ(StatusBarLayout({480, 536}, 40, true),
              (MainLayout{Rect{0, 0, 480, 496}, Rect{0, 496, 480, 536}}));
    EXPECT_EQ(StatusBarLayout({480, 536}, 40, false).board, (Rect{0, 0, 480, 536}));
}

TEST(MenuBarChoiceTest, SoftKeysOnlyOnGenerationThreeWithTheOption) {
    for (int generation = 0; generation <= 2; ++generation) {
        EXPECT_EQ(ChooseMenuBar(generation, true), (MenuBarChoice{false, true}));
        EXPECT_EQ(ChooseMenuBar(generation, false), (MenuBarChoice{false, true}));
    }
    EXPECT_EQ(ChooseMenuBar(3, true), (MenuBarChoice{true, false}));
    EXPECT_EQ(ChooseMenuBar(3, false), (MenuBarChoice{false, true}));
}

TEST(PlatformGenerationTest, FromTheMajorVersion) {
    EXPECT_EQ(PlatformGenerationFor(2, u"PocketPC"), 0);
    EXPECT_EQ(PlatformGenerationFor(3, u"PocketPC"), 1);
    EXPECT_EQ(PlatformGenerationFor(3, u"Jupiter"), 0);
    EXPECT_EQ(PlatformGenerationFor(4, u""), 2);
    EXPECT_EQ(PlatformGenerationFor(5, u""), 3);
    EXPECT_EQ(PlatformGenerationFor(6, u""), 3);
}

}  // namespace
