#include <gtest/gtest.h>

#include "tests/tools/CliRunner.h"

namespace {

TEST(CliDealTest, PrintsRowsFromTheBottomCardUp) {
    const CliResult r = RunCli("deal 1");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "JD 2D 9H JC 5D 7H 7C 5H\n"
              "KD KC 9S 5S AD QC KH 3H\n"
              "2S KS 9D QD JS AS AH 3C\n"
              "4C 5C TS QH 4H AC 4D 7S\n"
              "3S TD 4S TH 8H 2C JH 7D\n"
              "6D 8S 8D QS 6C 3D 8C TC\n"
              "6S 9C 2H 6H\n");
}

TEST(CliDealTest, SignedAndUnsignedSpellingsNameTheSameDeal) {
    EXPECT_EQ(RunCli("deal -1").out, RunCli("deal 4294967295").out);
    EXPECT_EQ(RunCli("deal -1").out.substr(0, 24), "KC KD KS KH QC QD QS QH\n");
    EXPECT_EQ(RunCli("deal 2147483648").out, RunCli("deal -2147483648").out);
}

TEST(CliDealTest, RejectsNumbersThatAreNotThirtyTwoBits) {
    for (const char* bad : {"4294967296", "-2147483649", "12x", "0x10", "", "1 2"}) {
        const CliResult r = RunCli(std::string("deal ") + bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_TRUE(r.out.empty()) << bad;
        EXPECT_NE(r.err, "") << bad;
    }
}

TEST(CliPlayTest, WinningTheOrderedDealPrintsTheWholeState) {
    const CliResult r = RunCli("play -1", "# select the Ace of clubs\ntap 5 140\n\ntap 130 10\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "pile 0:\npile 1:\npile 2:\npile 3:\npile 4:\npile 5:\npile 6:\npile 7:\n"
              "pile 8:\npile 9:\npile 10:\npile 11:\n"
              "pile 12: AC 2C 3C 4C 5C 6C 7C 8C 9C TC JC QC KC\n"
              "pile 13: AD 2D 3D 4D 5D 6D 7D 8D 9D TD JD QD KD\n"
              "pile 14: AS 2S 3S 4S 5S 6S 7S 8S 9S TS JS QS KS\n"
              "pile 15: AH 2H 3H 4H 5H 6H 7H 8H 9H TH JH QH KH\n"
              "selected: -\ntapped: -\nhistory: 0\ncan undo: no\ncards left: 0\nwon: yes\n"
              "moves left: yes\nmessages: 57673\nwins recorded: -1\noptions saved: 0\n");
}

TEST(CliPlayTest, SelectionMoveUndoAndPositions) {
    // Game 1: the Six of spades goes to reserve cell 8, then a long stroke from column 0
    // brings the drag notice.
    const CliResult r =
        RunCli("play --positions 1", "tap 5 140\ntap 5 10\ndown 5 140\nup 60 140\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("pile 0: JD@0,55 KD@0,68 2S@0,81 4C@0,94 3S@0,107 6D@0,120\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("pile 8: 6S@0,3\n"), std::string::npos);
    EXPECT_NE(r.out.find("selected: 6D\ntapped: 6D\nhistory: 0\ncan undo: no\ncards left: 52\n"),
              std::string::npos);
    EXPECT_NE(r.out.find("messages: 57683\n"), std::string::npos);
    EXPECT_NE(r.out.find("options saved: 1\n"), std::string::npos);

    const CliResult undone = RunCli("play 1", "tap 5 140\ntap 5 10\nundo\n");
    EXPECT_EQ(undone.out, RunCli("play 1", "").out);
}

TEST(CliPlayTest, OptionsAndScreenChanges) {
    const CliResult quiet = RunCli("play --no-messages --no-dragbox 1",
                                   "tap 5 140\ntap 35 140\ndown 0 60\nup 200 300\n");
    EXPECT_NE(quiet.out.find("messages:\n"), std::string::npos);
    const CliResult noDouble =
        RunCli("play --no-dblclick 1", "down 65 140\ndtap 65 140\nup 65 140\n");
    EXPECT_NE(noDouble.out.find("selected: 2H\n"), std::string::npos);
    const CliResult turned = RunCli("play --positions --screen 480x640 1", "screen 640 480\n");
    EXPECT_NE(turned.out.find("pile 1: 2D@80,96 "), std::string::npos);  // landscape, scale 2
}

TEST(CliPlayTest, BadInputNamesTheLineAndPrintsNothing) {
    struct Case {
        const char* args;
        const char* input;
        const char* line;
    };
    for (const Case& c :
         {Case{"play 1", "tap 5 140\nfly 1 2\n", "line 2"},
          Case{"play 1", "\n\ndown 5\n", "line 3"}, Case{"play 1", "tap a b\n", "line 1"},
          Case{"play 1", "undo now\n", "line 1"}, Case{"play 1", "screen 0 10\n", "line 1"},
          Case{"play 99999999999", "", ""}, Case{"play --screen 12 1", "", ""},
          Case{"play --bogus 1", "", "unknown option '--bogus'"}}) {
        const CliResult r = RunCli(c.args, c.input);
        EXPECT_EQ(r.status, 2) << c.args << " / " << c.input;
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find(c.line), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << "one line: " << r.err;
    }
}

}  // namespace
