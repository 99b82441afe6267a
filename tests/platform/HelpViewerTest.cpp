#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "platform/helpviewer/HelpTopic.h"
#include "platform/helpviewer/HelpViewer.h"
#include "tests/support/TestApp.h"

namespace {

TEST(HelpTopicTest, SplitsFileAndAnchorAndRefusesPaths) {
    struct Case {
        const char* argument;
        const char* file;
        const char* anchor;
        bool valid;
    };
    const Case cases[] = {
        {"file:VevivoZozoruv.htm#Main_Contents", "VevivoZozoruv.htm", "Main_Contents", true},
        {"VevivoZozoruv.htm#play", "VevivoZozoruv.htm", "play", true},
        {"file:VevivoZozoruv.htm", "VevivoZozoruv.htm", "", true},
        {"file:\\Windows\\VevivoZozoruv.htm#play", "VevivoZozoruv.htm", "play", true},
        {"", "", "", false},
        {"file:#play", "", "play", false},
        {"file:../secret.htm#x", "../secret.htm", "x", false},
        {"file:/etc/passwd", "/etc/passwd", "", false},
        {"file:\\Temp\\x.htm", "\\Temp\\x.htm", "", false},
    };
    for (const Case& c : cases) {
        const HelpTopic topic = ParseHelpTopic(QString::fromUtf8(c.argument));
        EXPECT_EQ(topic.file, QString::fromUtf8(c.file)) << c.argument;
        EXPECT_EQ(topic.anchor, QString::fromUtf8(c.anchor)) << c.argument;
        EXPECT_EQ(topic.valid, c.valid) << c.argument;
    }
}

class HelpViewerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApp();
        ASSERT_TRUE(folder_.isValid());
        ASSERT_TRUE(QFile::copy(TESSAMO_HELP_SOURCE, folder_.filePath("VevivoZozoruv.htm")));
    }
    QTemporaryDir folder_;
};

TEST_F(HelpViewerTest, FindsHelpFilesOfItsFolderWithoutRegardToCase) {
    const QDir dir(folder_.path());
    EXPECT_EQ(FindHelpFile(dir, "VevivoZozoruv.htm"), dir.filePath("VevivoZozoruv.htm"));
    EXPECT_EQ(FindHelpFile(dir, "vevivozozoruv.HTM"), dir.filePath("VevivoZozoruv.htm"));
    EXPECT_TRUE(FindHelpFile(dir, "missing.htm").isEmpty());
    EXPECT_TRUE(FindHelpFile(dir, "").isEmpty());
    ASSERT_TRUE(dir.mkdir("folder.htm"));
    EXPECT_TRUE(FindHelpFile(dir, "folder.htm").isEmpty());
}

TEST_F(HelpViewerTest, OpensEachAnchorOfTheHelpFileScrolledToIt) {
    HelpViewer viewer(folder_.path());
    viewer.resize(240, 320);
    viewer.show();
    ASSERT_TRUE(viewer.Open("file:VevivoZozoruv.htm#Main_Contents"));
    for (const char* anchor : {"Main_Contents", "play", "Options"})
        EXPECT_TRUE(viewer.HasAnchor(anchor)) << anchor;
    EXPECT_FALSE(viewer.HasAnchor("nowhere"));
    EXPECT_EQ(viewer.AnchorPosition("nowhere"), -1);
    QScrollBar* bar = viewer.Browser()->verticalScrollBar();
    EXPECT_LE(bar->value(), viewer.AnchorPosition("Main_Contents"));
    ASSERT_GT(bar->maximum(), 0);

    // The viewer scrolls as far as the anchor or as the document allows.
    for (const char* anchor : {"play", "Options"}) {
        ASSERT_TRUE(viewer.Open(QString("file:VevivoZozoruv.htm#") + anchor));
        QApplication::processEvents();
        const int position = viewer.AnchorPosition(anchor);
        EXPECT_GT(position, 0) << anchor;
        EXPECT_NEAR(bar->value(), std::min(position, bar->maximum()), 2) << anchor;
        EXPECT_EQ(viewer.Anchor(), anchor);
    }
    EXPECT_LT(viewer.AnchorPosition("play"), viewer.AnchorPosition("Options"));

    // An anchor that the file does not hold opens the file at its top.
    ASSERT_TRUE(viewer.Open("file:VevivoZozoruv.htm#nowhere"));
    QApplication::processEvents();
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(viewer.windowTitle(), "Korvel Tessamo Help");
}

TEST_F(HelpViewerTest, AMissingOrForbiddenFileShowsANote) {
    HelpViewer viewer(folder_.path());
    viewer.show();
    EXPECT_FALSE(viewer.Open("file:Other.htm#play"));
    EXPECT_TRUE(viewer.FilePath().isEmpty());
    EXPECT_TRUE(viewer.Browser()->toPlainText().contains("not found"));
    EXPECT_FALSE(viewer.Open("file:../VevivoZozoruv.htm"));
    EXPECT_FALSE(viewer.Open(""));
}

// The program the build put into the device's \Windows folder, with its help file beside it.
TEST_F(HelpViewerTest, TheInstalledViewerOpensTheAnchorsOfTheInstalledFile) {
    const QString program = QString(TESSAMO_BUILD_DEVICE_DIR) + "/Windows/PegHelp.exe";
    ASSERT_TRUE(QFile::exists(program));
    for (const char* anchor : {"Main_Contents", "play", "Options", "nowhere"}) {
        QProcess viewer;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        viewer.setProcessEnvironment(environment);
        viewer.start(program, {"--dump", QString("file:VevivoZozoruv.htm#") + anchor});
        ASSERT_TRUE(viewer.waitForFinished(60000));
        const QString out = QString::fromUtf8(viewer.readAllStandardOutput());
        const bool known = QString(anchor) != "nowhere";
        EXPECT_EQ(viewer.exitCode(), known ? 0 : 1) << out.toStdString();
        EXPECT_TRUE(out.contains(QString("anchor: ") + anchor)) << out.toStdString();
        EXPECT_TRUE(out.contains(known ? "anchor-found: yes" : "anchor-found: no"))
            << out.toStdString();
        EXPECT_TRUE(out.contains("/Windows/VevivoZozoruv.htm")) << out.toStdString();
    }
}

}  // namespace
