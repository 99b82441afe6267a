#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "game/resources/resource.h"
#include "game/settings/OptionsDialog.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/ModalRun.h"
#include "tests/game/shell/ShellFixture.h"

namespace {

namespace fs = std::filesystem;

// A stand-in help viewer on the device that notes each start with its command line.
class HelpTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        const fs::path script = temp_.DeviceRoot() / "Windows" / "PegHelp.exe";
        std::ofstream out(script);
        out << "#!/bin/sh\necho \"$1\" >> '" << report_.string() << "'\n";
        out.close();
        fs::permissions(script, fs::perms::owner_all);
    }

    // The report's lines once it holds `count` of them (waits up to 20 s).
    std::vector<std::string> WaitForLines(std::size_t count) const {
        std::vector<std::string> lines;
        for (int i = 0; i < 2000; ++i) {
            lines.clear();
            std::ifstream in(report_);
            for (std::string line; std::getline(in, line);) lines.push_back(line);
            if (lines.size() >= count) break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return lines;
    }

    fs::path report_ = temp_.Root() / "viewer.txt";
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
