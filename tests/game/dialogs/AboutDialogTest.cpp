#include "game/dialogs/AboutDialog.h"

#include <gtest/gtest.h>

#include <vector>

#include <QLabel>

#include "game/dialogs/TapPassThrough.h"
#include "platform/gui/DeviceScreen.h"
#include "platform/gui/GuiEvents.h"
#include "tests/support/DialogTestSupport.h"
#include "tests/support/TempPlatform.h"

using dialog_test::RunWith;

// Readable rectangles in failure messages.
void PrintTo(const QRect& rect, std::ostream* out) {
    *out << "(" << rect.x() << ", " << rect.y() << ", " << rect.width() << " x " << rect.height()
         << ")";
}

namespace {

struct Placement {
    QRect name, version, notice, icon;
    int clientWidth = 0;
    int textPixels = 0;
};

Placement Measure(const AboutDialog& dialog) {
    return {dialog.NameControl()->geometry(),
            dialog.VersionControl()->geometry(),
            dialog.NoticeControl()->geometry(),
            dialog.IconControl()->geometry(),
            dialog.rect().width(),
            dialog.NameControl()->font().pixelSize()};
}

void Fill(AboutDialog& dialog) {
    dialog.SetName(u"Korvel Tessamo");
    dialog.SetVersion(u"1.5.0");
    dialog.SetBuild(u"66");
    dialog.SetHelpTopic(u"VevivoZozoruv.htm#Main_Contents");
    dialog.LoadIcon(-1);
}

// Runs the About dialog on a device screen of `size` at `dpi`, measures it, turns the screen
// and measures again.
std::pair<Placement, Placement> MeasureAndRotate(QSize size, int dpi) {
    dialog_test::App();
    SetScreenDensity(dpi, dpi);
    platform::gui::DeviceScreen screen(size);
    screen.show();
    AboutDialog dialog;
    Fill(dialog);
    Placement before, after;
    RunWith(dialog, [&](QDialog& d) {
        before = Measure(dialog);
        screen.Rotate();
        after = Measure(dialog);
        d.accept();
    });
    return {before, after};
}

class AboutDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { dialog_test::App(); }
    TempPlatform temp_;
};

TEST_F(AboutDialogTest, LaysOutFromTheTopAt96Dpi) {
    const auto [portrait, landscape] = MeasureAndRotate(QSize(240, 320), 96);
    EXPECT_EQ(portrait.clientWidth, 240);
    EXPECT_EQ(portrait.name, QRect(0, 30, 240, 27));
    EXPECT_EQ(portrait.version, QRect(0, 57, 240, 29));
    EXPECT_EQ(portrait.notice, QRect(0, 86, 240, 41));
    EXPECT_EQ(portrait.icon, QRect(104, 127, 32, 32));

    // Turned: the same block, centred for the new width.
    EXPECT_EQ(landscape.clientWidth, 320);
    EXPECT_EQ(landscape.name, QRect(0, 30, 320, 27));
    EXPECT_EQ(landscape.notice, QRect(0, 86, 320, 41));
    EXPECT_EQ(landscape.icon, QRect(144, 127, 32, 32));
}

TEST_F(AboutDialogTest, EverySizeDoublesAt192Dpi) {
    const auto [portrait, landscape] = MeasureAndRotate(QSize(480, 640), 192);
    EXPECT_EQ(portrait.name, QRect(0, 60, 480, 54));
    EXPECT_EQ(portrait.version, QRect(0, 114, 480, 58));
    EXPECT_EQ(portrait.notice, QRect(0, 172, 480, 82));
    EXPECT_EQ(portrait.icon, QRect(208, 254, 64, 64));
    EXPECT_EQ(landscape.version, QRect(0, 114, 640, 58));
    EXPECT_EQ(landscape.icon, QRect(288, 254, 64, 64));
    // The texts are in the device's default font at its density, so they double too.
    const int smallText = MeasureAndRotate(QSize(240, 320), 96).first.textPixels;
    EXPECT_GT(smallText, 0);
    EXPECT_NEAR(portrait.textPixels, 2 * smallText, 1);
}

// The title, name, version and notice, as shown.
std::vector<QString> ShownTexts(const AboutDialog& dialog) {
    return {dialog.windowTitle(), dialog.NameControl()->text(), dialog.VersionControl()->text(),
            dialog.NoticeControl()->text()};
}

TEST_F(AboutDialogTest, ShowsNameVersionNoticeAndIcon) {
    SetScreenDensity(96, 96);
    AboutDialog dialog;
    Fill(dialog);
    RunWith(dialog, [&](QDialog&) {
        EXPECT_EQ(
            ShownTexts(dialog),
            (std::vector<QString>{"Korvel Tessamo", "Korvel Tessamo", "Version 1.5.0, Build 66",
                                  "Copyright (C) 2003-2026\nKorvel Labs"}));
        const QPixmap icon = dialog.IconControl()->pixmap();
        EXPECT_FALSE(icon.isNull());
        EXPECT_EQ(icon.size(), QSize(32, 32));
        for (QLabel* control : {dialog.NameControl(), dialog.VersionControl(),
                                dialog.NoticeControl(), dialog.IconControl()}) {
            EXPECT_TRUE(IsTapPassThrough(control));
        }
        EXPECT_TRUE(dialog.Frame().title.empty()) << "no title strip";
    });
}

TEST_F(AboutDialogTest, TranslatesVersionAndNoticeButNeverTheName) {
    ASSERT_TRUE(dialog_test::LoadTranslations(
        temp_.Root() / "about_en.txt",
        "Korvel Tessamo|Anderer Name\n"
        "Version %s, Build %s|Ausgabe %s (Bau %s)\n"
        "Copyright (C) 2003-2026\\nKorvel Labs|Urheberrecht 2003-2026\\nKorvel Labs\n"));
    AboutDialog dialog;
    Fill(dialog);
    RunWith(dialog, [&](QDialog&) {
        EXPECT_EQ(
            ShownTexts(dialog),
            (std::vector<QString>{"Korvel Tessamo", "Korvel Tessamo", "Ausgabe 1.5.0 (Bau 66)",
                                  "Urheberrecht 2003-2026\nKorvel Labs"}));
    });
}

TEST_F(AboutDialogTest, HelpStartsTheViewerWithTheTopicGiven) {
    HelpViewerLog viewer(temp_.DeviceRoot());
    dialog_test::App();
    bool accepted = false;
    auto previous = platform::gui::SetModalObserver([&](QDialog& d) {
        accepted = dialog_test::RequestHelp(d);
        d.accept();
    });
    const int result = ShowAboutDialog(u"Korvel Tessamo", u"1.5.0", u"66",
                                       u"VevivoZozoruv.htm#Main_Contents", nullptr, 128);
    platform::gui::SetModalObserver(std::move(previous));
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(viewer.WaitFor(1), std::vector<std::string>{"file:VevivoZozoruv.htm#Main_Contents"});
}

}  // namespace
