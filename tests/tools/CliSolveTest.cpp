#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "tests/tools/CliRunner.h"

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(CliSolveTest, OrderedDealIsOneMoveOfTheAceOfClubs) {
    const CliResult r = RunCli("solve -1");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "-1 winnable 1\nAC 0 12\n");
    EXPECT_EQ(RunCli("solve 4294967295").out, r.out);
}

TEST(CliSolveTest, WinnableDealListsOneLinePerMove) {
    const CliResult r = RunCli("solve 1");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_FALSE(lines.empty());
    std::smatch head;
    ASSERT_TRUE(std::regex_match(lines[0], head, std::regex("1 winnable ([0-9]+)")));
    EXPECT_EQ(std::stoul(head[1]), lines.size() - 1);
    const std::regex move("[A2-9TJQK][CDHS] ([0-9]|1[01]) ([0-9]|1[0-5])");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_TRUE(std::regex_match(lines[i], move)) << lines[i];
    }
    // Game 1's columns end in 6S 9C 2H 6H 6C 3D 8C TC; the first move takes one of them.
    EXPECT_NE(std::string("6S 9C 2H 6H 6C 3D 8C TC").find(lines[1].substr(0, 2)),
              std::string::npos);
}

TEST(CliSolveTest, ScriptWinsWhenPlayedOnTheSameScreen) {
    for (const char* screen : {"240x320", "480x640", "320x240"}) {
        const std::string size = screen;
        const CliResult script = RunCli("solve --script --screen " + size + " 7");
        ASSERT_EQ(script.status, 0) << script.err;
        EXPECT_EQ(script.out.rfind("# 7 winnable ", 0), 0u);
        EXPECT_NE(script.out.find("\ntap "), std::string::npos);
        const CliResult play = RunCli("play --screen " + size + " 7", script.out);
        ASSERT_EQ(play.status, 0) << play.err;
        EXPECT_NE(play.out.find("won: yes\n"), std::string::npos) << size;
        EXPECT_NE(play.out.find("messages: 57673\n"), std::string::npos) << size;
    }
}

TEST(CliSolveTest, LimitTooSmallGivesUnknownWithStatusThree) {
    const CliResult r = RunCli("solve --limit 3 1");
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "1 unknown\n");
    const CliResult s = RunCli("solve --script --limit 3 1");
    EXPECT_EQ(s.status, 3);
    EXPECT_EQ(s.out, "# 1 unknown\n");
}

TEST(CliSolveTest, RangePrintsDealsInOrderAndASummary) {
    const CliResult r = RunCli("solve --range 1-40 --jobs 2");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 41u);
    for (int n = 1; n <= 40; ++n) {
        EXPECT_TRUE(std::regex_match(
            lines[n - 1], std::regex(std::to_string(n) + " (winnable [0-9]+|unwinnable)")))
            << lines[n - 1];
    }
    std::smatch m;
    ASSERT_TRUE(std::regex_match(
        lines[40], m,
        std::regex("deals 40 winnable ([0-9]+) unwinnable ([0-9]+) unknown 0 seconds "
                   "[0-9]+\\.[0-9]+ deals/s [0-9]+")))
        << lines[40];
    EXPECT_EQ(std::stoi(m[1]) + std::stoi(m[2]), 40);
    // The same answers one job at a time, and the same as one deal at a time.
    auto one = Lines(RunCli("solve --range 1-40 --jobs 1").out);
    ASSERT_EQ(one.size(), 41u);
    one.pop_back();
    EXPECT_EQ(one, std::vector<std::string>(lines.begin(), lines.end() - 1));
    EXPECT_EQ(Lines(RunCli("solve 17").out)[0], lines[16]);
}

TEST(CliSolveTest, RangeWithTooSmallALimitCountsUnknownAndSaysSo) {
    const CliResult r = RunCli("solve --range 1-3 --limit 2");
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out.substr(0, 30), "1 unknown\n2 unknown\n3 unknown\n");
    EXPECT_NE(r.out.find("deals 3 winnable 0 unwinnable 0 unknown 3 seconds "), std::string::npos);
}

TEST(CliSolveTest, BadArgumentsGiveStatusTwo) {
    for (const char* bad :
         {"", "x", "1 2", "4294967296", "--limit 0 1", "--limit -5 1", "--limit", "--bogus 1",
          "--screen 10x10 1", "--script --screen 0x5 1", "--range 5-1", "--range 1-",
          "--range 1-4294967296", "--range 1-5 7", "--range 1-5 --script", "--jobs 2 1",
          "--range 1-5 --jobs 0", "--memory 0 1",
          // --stats keeps every deal's figures, so its ranges are bounded.
          "--range 0-16777216 --stats"}) {
        const CliResult r = RunCli(std::string("solve ") + bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_TRUE(r.out.empty()) << bad;
        EXPECT_NE(r.err, "") << bad;
    }
}

}  // namespace
