#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "game/resources/resource.h"
#include "game/settings/OptionsDialog.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/ModalRun.h"
#include "tests/game/shell/ShellFixture.h"
#include "tests/support/HelpViewerLog.h"

namespace {

namespace fs = std::filesystem;

// A stand-in help viewer on the device that notes each start with its command line.
class HelpTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        viewer_.emplace(temp_.DeviceRoot());
    }
    std::vector<std::string> WaitForLines(std::size_t count) const {
        return viewer_->WaitFor(count);
    }

    std::optional<HelpViewerLog> viewer_;
};

TEST_F(HelpTest, EveryHelpRequestOpensExactlyOneTopic) {
    HostedMain main;
    EXPECT_TRUE(Screen().SendHelpRequest());  // the main window is the active dialog

    // A window that does not answer the request itself gets the main topic all the same.
    QWidget plain;
    platform::gui::HelpRequestEvent request;
    QCoreApplication::sendEvent(&plain, &request);

    // A dialog with a topic of its own opens only that one.
    platform::gui::SetModalObserver([](QDialog& options) {
        Screen().SendHelpRequest();
        options.reject();
    });
    main.dialog.OnCommand(ID_TOOLS_OPTIONS);

    // The viewers run on their own, so their notes may come in any order.
    std::vector<std::string> lines = WaitForLines(3);
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"file:VevivoZozoruv.htm#Main_Contents",
                                               "file:VevivoZozoruv.htm#Main_Contents",
                                               "file:VevivoZozoruv.htm#Options"}));
    // Nothing more follows.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(WaitForLines(0).size(), 3u);
}

}  // namespace
