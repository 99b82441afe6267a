#include <QImage>
#include <QRect>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/tools/CliRunner.h"

namespace fs = std::filesystem;

namespace {

class CliRenderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tessamo-render-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    QImage Load(const std::string& name) {
        return QImage(QString::fromStdString((dir_ / name).string()))
            .convertToFormat(QImage::Format_RGB32);
    }
    std::string Out(const std::string& name) { return (dir_ / name).string(); }

    fs::path dir_;
};

// The area under the command bar, on the green table, with the dealt cards on it: the
// same game twice is the same picture, another game another one.
TEST_F(CliRenderTest, WritesTheWorkAreaOnTheTable) {
    const QRgb table = qRgb(0, 130, 0);
    ASSERT_EQ(RunCli("render 1 --out " + Out("a.png")).status, 0);
    ASSERT_EQ(RunCli("render 1 --out " + Out("a2.png")).status, 0);
    ASSERT_EQ(RunCli("render 2 --out " + Out("c.png")).status, 0);
    const QImage a = Load("a.png");
    EXPECT_EQ(a.size(), QSize(240, 268));
    EXPECT_EQ(a.pixel(239, 267), table);  // below the columns
    EXPECT_EQ(a, Load("a2.png"));
    EXPECT_NE(a, Load("c.png"));

    ASSERT_EQ(RunCli("render --screen 640x480 -1 --out " + Out("b.png")).status, 0);
    const QImage b = Load("b.png");
    EXPECT_EQ(b.size(), QSize(640, 376));
    EXPECT_EQ(b.pixel(639, 375), table);
}

// A tap that selects a card shows that card inverted, and changes nothing else.
TEST_F(CliRenderTest, SelectTapsBeforePainting) {
    // The top card of column 0 on a 480 x 640 screen.
    ASSERT_EQ(RunCli("render --screen 480x640 --select 10 271 7 --out " + Out("s.png")).status, 0);
    ASSERT_EQ(RunCli("render --screen 480x640 7 --out " + Out("u.png")).status, 0);
    const QImage selected = Load("s.png");
    const QImage plain = Load("u.png");
    ASSERT_EQ(selected.size(), plain.size());
    QRect changed;
    int notInverted = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb before = plain.pixel(x, y), after = selected.pixel(x, y);
            if (before == after) continue;
            changed |= QRect(x, y, 1, 1);
            notInverted += (after & 0xFFFFFFu) != (~before & 0xFFFFFFu);
        }
    EXPECT_EQ(notInverted, 0);
    EXPECT_EQ(changed.size(), QSize(58, 82));  // one card at display scale 2
    EXPECT_TRUE(changed.contains(10, 271));
}

TEST_F(CliRenderTest, MistakesGiveOneLineAndStatusTwo) {
    const char* bad[] = {"",
                         "1",
                         "--out "
                         "x.png",
                         "--screen 0x320 1 --out x.png",
                         "--screen 240 1 --out x.png",
                         "--screen 5000x5000 1 --out x.png",
                         "--screen 240x52 1 --out x.png",
                         "--select 3 1 --out x.png",
                         "1 2 --out x.png",
                         "zz --out x.png",
                         "1 --out /nonexistent-folder/x.png"};
    for (const char* args : bad) {
        const CliResult r = RunCli(std::string("render ") + args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(r.out.empty()) << args;
        ASSERT_FALSE(r.err.empty()) << args;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << args << ": " << r.err;
    }
    EXPECT_FALSE(fs::exists("x.png"));
}

}  // namespace
