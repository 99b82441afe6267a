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

TEST(PlatformGenerationTest, FromTheMajorVersion) {
    EXPECT_EQ(PlatformGenerationFor(2, u"PocketPC"), 0);
    EXPECT_EQ(PlatformGenerationFor(3, u"PocketPC"), 1);
    EXPECT_EQ(PlatformGenerationFor(3, u"Jupiter"), 0);
    EXPECT_EQ(PlatformGenerationFor(4, u""), 2);
    EXPECT_EQ(PlatformGenerationFor(5, u""), 3);
    EXPECT_EQ(PlatformGenerationFor(6, u""), 3);
}

}  // namespace
