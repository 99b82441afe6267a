#include "game/settings/OptionsDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>

#include "game/resources/resource.h"
#include "platform/PlatformConfig.h"
#include "platform/gui/GuiEvents.h"
#include "tests/game/settings/SettingsStore.h"
#include "tests/support/DialogTestSupport.h"
#include "tests/support/TempPlatform.h"

using dialog_test::RunWith;

namespace {

constexpr int kBoxes[] = {IDC_DISPLAY_MESSAGES, IDC_DBLCLICK_MOVES, IDC_SHOW_STATUSBAR,
                          IDC_SOFTKEY_MENU};

class OptionsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override { dialog_test::App(); }
    void TearDown() override { platform::SetPlatformMajorVersion(5); }

    void Fill(OptionsDialog& dialog, int display, int dblClick, int statusBar, int softKeys) {
        dialog.SetDisplayMessages(display);
        dialog.SetDblClickMoves(dblClick);
        dialog.SetShowStatusBar(statusBar);
        dialog.SetSoftKeyMenu(softKeys);
    }
    std::vector<int> Values(const OptionsDialog& dialog) {
        return {dialog.DisplayMessages(), dialog.DblClickMoves(), dialog.ShowStatusBar(),
                dialog.SoftKeyMenu()};
    }
    // Checked states of the four boxes, in the order of kBoxes.
    std::vector<int> Shown(const OptionsDialog& dialog) {
        std::vector<int> checked;
        for (int id : kBoxes) checked.push_back(dialog.CheckBoxFor(id)->isChecked() ? 1 : 0);
        return checked;
    }
    void ToggleAll(OptionsDialog& dialog) {
        for (int id : kBoxes) dialog.CheckBoxFor(id)->toggle();
    }

    TempPlatform temp_;
};

TEST_F(OptionsDialogTest, OkReturnsTheBoxesAndCancelTheValuesAsFilled) {
    OptionsDialog ok;
    Fill(ok, 1, 0, 1, 0);
    std::vector<int> shown;
    EXPECT_EQ(RunWith(ok,
                      [&](QDialog& d) {
                          shown = Shown(ok);
                          ToggleAll(ok);
                          d.accept();
                      }),
              IDOK);
    EXPECT_EQ(shown, (std::vector<int>{1, 0, 1, 0}));
    EXPECT_EQ(Values(ok), (std::vector<int>{0, 1, 0, 1}));

    OptionsDialog cancel;
    Fill(cancel, 1, 0, 1, 0);
    EXPECT_EQ(RunWith(cancel,
                      [&](QDialog& d) {
                          ToggleAll(cancel);
                          d.reject();
                      }),
              IDCANCEL);
    EXPECT_EQ(Values(cancel), (std::vector<int>{1, 0, 1, 0}));

    bool found = true;
    settings_test::ReadValue(u"Options", u"ShowStatusBar", &found);
    EXPECT_FALSE(found) << "the dialog never writes the registry";
}

TEST_F(OptionsDialogTest, SoftKeyBoxOnlyOnGenerationThree) {
    for (int major : {2, 3, 4, 5, 6}) {
        platform::SetPlatformMajorVersion(major);
        OptionsDialog dialog;
        Fill(dialog, 1, 1, 1, 1);
        bool hidden = false;
        RunWith(dialog, [&](QDialog& d) {
            hidden = dialog.CheckBoxFor(IDC_SOFTKEY_MENU)->isHidden();
            d.accept();
        });
        EXPECT_EQ(hidden, major < 5) << "major version " << major;
        EXPECT_EQ(dialog.SoftKeyMenu(), 1) << "a hidden box keeps its value";
    }
}

TEST_F(OptionsDialogTest, ShowsTranslatedLabelsAndTitle) {
    ASSERT_TRUE(dialog_test::LoadTranslations(temp_.Root() / "options_en.txt",
                                              "Show status bar|Statusleiste zeigen\n"
                                              "Options|Einstellungen\n"));
    OptionsDialog dialog;
    QString label;
    QString untouched;
    std::u16string title;
    RunWith(dialog, [&](QDialog& d) {
        label = dialog.CheckBoxFor(IDC_SHOW_STATUSBAR)->text();
        untouched = dialog.CheckBoxFor(IDC_DISPLAY_MESSAGES)->text();
        title = dialog.Frame().title;
        d.reject();
    });
    EXPECT_EQ(label, "Statusleiste zeigen");
    EXPECT_EQ(untouched, "Display messages on illegal moves");
    EXPECT_EQ(title, u"Einstellungen");
}

TEST_F(OptionsDialogTest, HelpStartsTheViewerOnOptions) {
    OptionsDialog dialog;
    EXPECT_EQ(dialog_test::HelpOpenedBy(dialog, temp_.DeviceRoot()),
              std::vector<std::string>{"file:VevivoZozoruv.htm#Options"});
}

}  // namespace
