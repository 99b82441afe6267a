#include "game/settings/Options.h"

#include <gtest/gtest.h>

#include <fstream>

#include "platform/PlatformConfig.h"

#include "platform/RegistrySupport.h"
#include "platform/WideString.h"
#include "tests/game/settings/SettingsStore.h"
#include "tests/support/StoreText.h"
#include "tests/support/TempPlatform.h"

using settings_test::Dword;
using settings_test::ReadValue;
using settings_test::WriteValue;

namespace {

class OptionsTest : public ::testing::Test {
  protected:
    TempPlatform temp_;
};

TEST_F(OptionsTest, FirstStartStoresTheDefaults) {
    Options options;
    EXPECT_FALSE(options.DblClickMoves() || options.DisplayMessages() || options.ShowNoDragBox() ||
                 options.ShowStatusBar() || options.SoftKeyMenu());
    EXPECT_TRUE(options.Load());
    EXPECT_TRUE(options.DblClickMoves());
    EXPECT_TRUE(options.DisplayMessages());
    EXPECT_TRUE(options.ShowNoDragBox());
    EXPECT_TRUE(options.ShowStatusBar());
    EXPECT_TRUE(options.SoftKeyMenu());
    EXPECT_EQ(StoreText(),
              settings_test::kGameKeys +
                  "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo\\Options]\n"
                  "\"DblClickMoves\"=dword:00000001\n"
                  "\"DisplayMessages\"=dword:00000001\n"
                  "\"OldCommandBar\"=dword:00000000\n"
                  "\"ShowNoDragBox\"=dword:00000001\n"
                  "\"ShowStatusBar\"=dword:00000001\n");
}

TEST_F(OptionsTest, AnyNonZeroNumberReadsAsOnAndIsSavedAsOne) {
    WriteValue(u"Options", u"OldCommandBar", REG_DWORD, Dword(7));
    WriteValue(u"Options", u"ShowStatusBar", REG_DWORD, Dword(2));
    WriteValue(u"Options", u"DisplayMessages", REG_DWORD, Dword(0));
    Options options;
    options.Load();
    EXPECT_FALSE(options.SoftKeyMenu());  // "OldCommandBar" 7: the classic menu bar
    EXPECT_TRUE(options.ShowStatusBar());
    EXPECT_FALSE(options.DisplayMessages());
    options.Save();
    EXPECT_EQ(StoreText(),
              settings_test::kGameKeys +
                  "[HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo\\Options]\n"
                  "\"DblClickMoves\"=dword:00000001\n"
                  "\"DisplayMessages\"=dword:00000000\n"
                  "\"OldCommandBar\"=dword:00000001\n"
                  "\"ShowNoDragBox\"=dword:00000001\n"
                  "\"ShowStatusBar\"=dword:00000001\n");
}

TEST_F(OptionsTest, SavedChoicesSurviveARestart) {
    {
        Options options;
        options.Load();
        options.SetShowNoDragBox(false);  // the drag notice has been shown once
        options.SetSoftKeyMenu(false);
        options.SetDblClickMoves(false);
        options.Save();
    }
    Options later;
    later.Load();
    EXPECT_FALSE(later.ShowNoDragBox());
    EXPECT_FALSE(later.SoftKeyMenu());
    EXPECT_FALSE(later.DblClickMoves());
    EXPECT_TRUE(later.DisplayMessages());
    EXPECT_EQ(ReadValue(u"Options", u"ShowNoDragBox"), Dword(0));
    EXPECT_EQ(ReadValue(u"Options", u"OldCommandBar"), Dword(1));
}

TEST_F(OptionsTest, SaveFlushesTheOptionsKeyOnceAndLoadNever) {
    std::vector<std::u16string> flushed;
    platform::SetRegistryObserver([&](const platform::RegistryEvent& event) {
        if (event.kind == platform::RegistryEvent::Kind::kFlush) flushed.push_back(event.key);
    });
    Options options;
    options.Load();
    EXPECT_TRUE(flushed.empty());
    options.Save();
    platform::SetRegistryObserver({});
    ASSERT_EQ(flushed.size(), 1u);
    EXPECT_EQ(flushed[0], u"HKEY_LOCAL_MACHINE\\Software\\Korvel Labs\\Korvel Tessamo\\Options");
}

TEST_F(OptionsTest, AStoreThatCannotBeOpenedLeavesTheDefaults) {
    // The store's folder would have to lie below a plain file.
    const auto blocker = temp_.Root() / "blocker";
    std::ofstream(blocker) << "x";
    platform::SetRegistryPath(blocker / "registry.sqlite");
    Options options;
    EXPECT_TRUE(options.Load());
    EXPECT_TRUE(options.DblClickMoves() && options.DisplayMessages() && options.ShowNoDragBox() &&
                options.ShowStatusBar() && options.SoftKeyMenu());
    EXPECT_TRUE(options.Save());
}

}  // namespace
