// The program's own application object and one device screen for the whole test binary
// (480 x 640 at display scale 2 unless the build gives the binary another screen), a
// temporary registry per test, and message boxes answered from a queue.
#pragma once

#include <gtest/gtest.h>

#include <QSize>
#include <deque>

#include "game/shell/Application.h"
#include "game/shell/MainDialog.h"
#include "game/shell/OwnerWindow.h"
#include "platform/gui/DeviceScreen.h"
#include "platform/gui/MessageBox.h"
#include "tests/support/TempPlatform.h"

#ifndef TESSAMO_TEST_SCREEN_WIDTH
#define TESSAMO_TEST_SCREEN_WIDTH 480
#endif
#ifndef TESSAMO_TEST_SCREEN_HEIGHT
#define TESSAMO_TEST_SCREEN_HEIGHT 640
#endif
#ifndef TESSAMO_TEST_DISPLAY_SCALE
#define TESSAMO_TEST_DISPLAY_SCALE 2
#endif

// The screen of this binary and the display scale that the device gives it. A display scale
// is fixed when the screen is made, so each scale needs a binary of its own.
inline constexpr QSize kTestScreenSize(TESSAMO_TEST_SCREEN_WIDTH, TESSAMO_TEST_SCREEN_HEIGHT);
inline constexpr int kTestDisplayScale = TESSAMO_TEST_DISPLAY_SCALE;

// Created once and never destroyed: destroying them at exit would run after Qt's own
// exit-time clean-up.
Application& App();
platform::gui::DeviceScreen& Screen();

// Lets later modal loops run again after a test has sent the quit request.
void ClearQuitRequest();

// The menu bar of this object name ("ClassicMenuBar", "SoftKeyMenuBar") if one has been built,
// else null. Unlike the main dialog's accessors it never builds one.
QWidget* BuiltMenuBar(const char* objectName);

class ShellTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // The texts of the message boxes shown so far.
    std::vector<std::u16string> BoxTexts() const;

    TempPlatform temp_;
    // Answers for the next message boxes; IDOK once empty.
    std::deque<int> answers_;
};

// A main dialog hosted in the device screen and initialised, with its owner window.
class HostedMain {
  public:
    HostedMain();
    ~HostedMain();

    OwnerWindow owner;
    MainDialog dialog{&owner};
};

// Clicks (press and release) at a point of the card field.
void ClickField(CardField& field, QPoint point);
// The centre of the top card of `pile`, or of the pile's place when it is empty.
QPoint PileCentre(const GameBoard& board, int pile);
