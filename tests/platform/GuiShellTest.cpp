#include <QDialog>

#include <gtest/gtest.h>

#include "platform/gui/MessageBox.h"
#include "platform/gui/ShellRequests.h"
#include "tests/support/TestApp.h"

using namespace platform::gui;

namespace {

class GuiShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApp();
        platform::gui::ResetShellRequests();
    }
    void TearDown() override { platform::gui::ResetShellRequests(); }
};

TEST_F(GuiShellTest, SipPrefExistsOnlyAfterTheExtraControlsAreRegistered) {
    QDialog dialog;
    EXPECT_FALSE(IsWindowClassRegistered(u"SIPPREF"));
    EXPECT_EQ(CreateSipPrefControl(&dialog), nullptr);
    EXPECT_TRUE(dialog.findChildren<QWidget*>().isEmpty());

    EXPECT_TRUE(SHInitExtraControls());
    EXPECT_TRUE(IsWindowClassRegistered(u"SIPPREF"));
    EXPECT_TRUE(IsWindowClassRegistered(u"sipPref"));
    EXPECT_FALSE(IsWindowClassRegistered(u"CARDFIELD"));
    EXPECT_EQ(CreateSipPrefControl(nullptr), nullptr);

    QWidget* control = CreateSipPrefControl(&dialog);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->parentWidget(), &dialog);
    EXPECT_EQ(control->objectName(), "SIPPREF");
    EXPECT_TRUE(control->isHidden());
    EXPECT_EQ(control->size(), QSize(0, 0));

    // Each attempt is remembered, refused ones with state 0.
    EXPECT_EQ(CountShellRequests(ShellRequestKind::CreateSipPref), 3);
    EXPECT_EQ(CountShellRequests(ShellRequestKind::CreateSipPref, &dialog), 2);
    const auto& log = ShellRequestLog();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].state, 0u);
    EXPECT_EQ(log[1].kind, ShellRequestKind::InitExtraControls);
    EXPECT_EQ(log[3].state, 1u);

    platform::gui::ResetShellRequests();
    EXPECT_FALSE(IsWindowClassRegistered(u"SIPPREF"));
    EXPECT_TRUE(ShellRequestLog().empty());
}

TEST_F(GuiShellTest, InputPanelAndDoneButtonRequestsAreRememberedInOrder) {
    QDialog main;
    QDialog other;
    platform::gui::SetMessageBoxResponder(
        [](const platform::gui::MessageBoxRequest&) { return IDOK; });
    EXPECT_TRUE(SHSipPreference(&main, SIP_FORCEDOWN));
    platform::gui::MessageBoxW(nullptr, u"between", u"", MB_OK);
    EXPECT_TRUE(SHDoneButton(&main, SHDB_HIDE));
    EXPECT_TRUE(SHSipPreference(&other, SIP_FORCEDOWN));
    EXPECT_FALSE(SHSipPreference(&main, static_cast<SIPSTATE>(9)));
    EXPECT_FALSE(SHDoneButton(&other, 7));
    platform::gui::SetMessageBoxResponder({});

    EXPECT_EQ(CountShellRequests(ShellRequestKind::SipPreference), 3);
    EXPECT_EQ(CountShellRequests(ShellRequestKind::SipPreference, &main), 2);
    EXPECT_EQ(CountShellRequests(ShellRequestKind::DoneButton, &main), 1);
    EXPECT_EQ(CountShellRequests(ShellRequestKind::InitExtraControls), 0);

    const auto& log = ShellRequestLog();
    ASSERT_EQ(log.size(), 5u);
    EXPECT_EQ(log[0].window.data(), &main);
    EXPECT_EQ(log[0].state, static_cast<DWORD>(SIP_FORCEDOWN));
    EXPECT_EQ(log[1].kind, ShellRequestKind::DoneButton);
    EXPECT_EQ(log[1].state, SHDB_HIDE);
    // The message box came between the two requests.
    const std::uint64_t box = platform::gui::MessageBoxLog().back().sequence;
    EXPECT_LT(log[0].sequence, box);
    EXPECT_GT(log[1].sequence, box);
    for (std::size_t i = 1; i < log.size(); ++i) EXPECT_LT(log[i - 1].sequence, log[i].sequence);
    EXPECT_EQ(platform::gui::RequestSequence(), log.back().sequence);
}

}  // namespace
