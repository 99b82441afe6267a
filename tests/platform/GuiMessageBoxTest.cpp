#include <qpa/qwindowsysteminterface.h>
#include <QAbstractButton>
#include <QDialog>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/gui/DeviceScreen.h"
#include "platform/gui/MessageBox.h"
#include "platform/gui/ModalRun.h"
#include "tests/support/TestApp.h"

using namespace platform::gui;

namespace {

class GuiMessageBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        TestApp();
        platform::gui::ClearMessageBoxLog();
    }
    void TearDown() override { SetMessageBoxResponder({}); }

    // Answers the next real message box by pressing its `button`, and records what it showed.
    void PressLater(QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [this, button] {
            QMessageBox* box = ShownBox();
            ASSERT_NE(box, nullptr);
            shownText_ = box->text();
            shownTitle_ = box->windowTitle();
            shownIcon_ = box->icon();
            shownButtons_ = box->standardButtons();
            shownPixels_ = box->font().pixelSize();
            box->button(button)->click();
        });
    }

    // The message box on the screen now, or null.
    static QMessageBox* ShownBox() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box && box->isVisible()) return box;
        }
        return nullptr;
    }

    QString shownText_, shownTitle_;
    QMessageBox::Icon shownIcon_ = QMessageBox::NoIcon;
    QMessageBox::StandardButtons shownButtons_;
    int shownPixels_ = 0;
};

TEST_F(GuiMessageBoxTest, TheResponderAnswersAndEveryCallIsLogged) {
    QWidget owner;
    std::vector<MessageBoxRequest> seen;
    SetMessageBoxResponder([&](const MessageBoxRequest& request) {
        seen.push_back(request);
        return (request.type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    });
    EXPECT_EQ(MessageBoxW(&owner, u"Do you want to resign this game?", u"Korvel Tessamo",
                          MB_YESNO | MB_ICONQUESTION),
              IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, u"That move is not allowed.", u"", MB_OK | MB_ICONINFORMATION),
              IDOK);

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].parent.data(), &owner);
    EXPECT_EQ(seen[0].text, u"Do you want to resign this game?");
    EXPECT_EQ(seen[0].caption, u"Korvel Tessamo");
    EXPECT_EQ(seen[0].type, MB_YESNO | MB_ICONQUESTION);

    const auto& log = MessageBoxLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].result, IDNO);
    EXPECT_EQ(log[1].result, IDOK);
    EXPECT_EQ(log[1].text, u"That move is not allowed.");
    EXPECT_LT(log[0].sequence, log[1].sequence);

    EXPECT_TRUE(static_cast<bool>(SetMessageBoxResponder({})));  // hands back the previous one
    platform::gui::ClearMessageBoxLog();
    EXPECT_TRUE(MessageBoxLog().empty());
}

TEST_F(GuiMessageBoxTest, WithoutAResponderARealBoxShowsTheTextAndButtons) {
    platform::gui::DeviceScreen screen(QSize(480, 640));
    screen.show();
    PressLater(QMessageBox::No);
    EXPECT_EQ(MessageBoxW(&screen, u"Do you want to resign this game?", u"Korvel Tessamo",
                          MB_YESNO | MB_ICONQUESTION),
              IDNO);
    EXPECT_EQ(shownText_, "Do you want to resign this game?");
    EXPECT_EQ(shownTitle_, "Korvel Tessamo");
    EXPECT_EQ(shownIcon_, QMessageBox::Question);
    EXPECT_EQ(shownButtons_, QMessageBox::Yes | QMessageBox::No);
    // The default font's points at the large screen's 192 dots per inch.
    EXPECT_EQ(shownPixels_, (QApplication::font().pointSize() * 192 + 36) / 72);

    PressLater(QMessageBox::Yes);
    EXPECT_EQ(MessageBoxW(nullptr, u"Clear?", u"", MB_YESNO | MB_ICONEXCLAMATION), IDYES);
    EXPECT_EQ(shownIcon_, QMessageBox::Warning);

    PressLater(QMessageBox::Ok);
    EXPECT_EQ(
        MessageBoxW(nullptr, u"Congratulations! You have won.", u"", MB_OK | MB_ICONINFORMATION),
        IDOK);
    EXPECT_EQ(shownIcon_, QMessageBox::Information);
    EXPECT_EQ(shownButtons_, QMessageBox::Ok);

    PressLater(QMessageBox::Cancel);
    EXPECT_EQ(MessageBoxW(nullptr, u"x", u"", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(MessageBoxLog().size(), 4u);
    EXPECT_EQ(MessageBoxLog().back().result, IDCANCEL);
}

// A box up over the screen must not swallow the user's close request: the window manager's
// close of the screen window ends the box, the dialog below it and the program, as it does
// at any other moment. Until then nothing on the screen takes input.
TEST_F(GuiMessageBoxTest, ClosingTheScreenWhileABoxIsUpEndsTheBoxAndEveryDialog) {
    platform::gui::DeviceScreen screen(QSize(480, 640));
    screen.show();
    QSignalSpy closing(&screen, &platform::gui::DeviceScreen::closeRequested);
    QDialog main;
    int answer = 0;
    bool heldWhileUp = false;
    platform::gui::SetModalObserver([&](QDialog&) {
        QTimer::singleShot(0, &screen, [&] {
            ASSERT_NE(ShownBox(), nullptr);
            heldWhileUp = screen.InputHeld() && !screen.WorkArea()->isEnabled();
            // As the window manager delivers it, not as a program's own close() would.
            QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
                screen.windowHandle());
        });
        answer = MessageBoxW(&main, u"Do you want to resign this game?", u"Korvel Tessamo",
                             MB_YESNO | MB_ICONQUESTION);
    });
    EXPECT_EQ(platform::gui::RunModal(main), IDCANCEL);
    platform::gui::SetModalObserver({});
    EXPECT_EQ(answer, IDNO);  // what the escape button stands for: nothing is given up
    EXPECT_EQ(closing.count(), 1);
    EXPECT_TRUE(heldWhileUp);
    EXPECT_FALSE(screen.InputHeld());
    EXPECT_TRUE(screen.WorkArea()->isEnabled());
    EXPECT_EQ(ShownBox(), nullptr);

    // The application's own loop clears the quit, as a fresh program start would.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

}  // namespace
