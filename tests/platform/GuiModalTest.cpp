#include <QDialog>
#include <QEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

#include <gtest/gtest.h>

#include "platform/gui/DeviceScreen.h"
#include "platform/gui/ModalRun.h"
#include "tests/support/TestApp.h"

using namespace platform::gui;

namespace {

// Stands for the game's invisible owner window: it never stays disabled.
class SelfEnablingWindow : public QWidget {
  public:
    int disables = 0;

  protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::EnabledChange && !isEnabled()) {
            ++disables;
            setEnabled(true);
        }
        QWidget::changeEvent(event);
    }
};

class GuiModalTest : public ::testing::Test {
  protected:
    void SetUp() override { TestApp(); }
    void TearDown() override { SetModalObserver({}); }

    // Finishes every modal run at once with `result`, after `check` has looked at the dialog.
    void FinishWith(int result, std::function<void(QDialog&)> check = {}) {
        SetModalObserver([result, check](QDialog& dialog) {
            if (check) check(dialog);
            dialog.done(result);
        });
    }
};

TEST_F(GuiModalTest, ResultsMapToThePlatformIds) {
    DeviceScreen screen(QSize(480, 640));
    QDialog dialog;
    FinishWith(QDialog::Accepted);
    EXPECT_EQ(RunModal(dialog), IDOK);
    FinishWith(QDialog::Rejected);
    EXPECT_EQ(RunModal(dialog), IDCANCEL);
    FinishWith(IDCANCEL);
    EXPECT_EQ(RunModal(dialog), IDCANCEL);
    FinishWith(IDYES);
    EXPECT_EQ(RunModal(dialog), IDYES);

    // Finished later from inside the loop, by the Escape key.
    SetModalObserver([](QDialog& d) {
        QTimer::singleShot(0, &d, [&d] { QTest::keyClick(&d, Qt::Key_Escape); });
    });
    EXPECT_EQ(RunModal(dialog), IDCANCEL);
}

TEST_F(GuiModalTest, TheDialogFillsTheWorkAreaAndItsOwnerIsDisabledWhileItRuns) {
    DeviceScreen screen(QSize(240, 320));
    screen.show();
    SelfEnablingWindow ownerWindow;
    QDialog main(&ownerWindow);
    main.setWindowTitle("Korvel Tessamo");
    QDialog options(&main);
    options.setWindowTitle("Options");

    bool checkedInner = false;
    SetModalObserver([&](QDialog& running) {
        if (&running == &main) {
            EXPECT_TRUE(screen.WorkArea()->isAncestorOf(&running));
            EXPECT_EQ(running.geometry(), QRect(0, 0, 240, 320 - 52));
            EXPECT_TRUE(running.isVisible());
            EXPECT_EQ(OwnerOf(running), &ownerWindow);
            EXPECT_EQ(ownerWindow.disables, 1);  // disabled by the run, enabled again by itself
            EXPECT_TRUE(IsWindowEnabled(&ownerWindow));
            EXPECT_EQ(RunModal(main), -1);  // already running

            // The Options dialog over the main window: the main window is disabled meanwhile.
            SetModalObserver([&](QDialog& inner) {
                EXPECT_EQ(&inner, &options);
                EXPECT_FALSE(IsWindowEnabled(&main));
                EXPECT_TRUE(inner.isEnabled());
                EXPECT_EQ(OwnerOf(inner), &main);
                EXPECT_EQ(screen.ActiveDialog(), &options);
                EXPECT_EQ(screen.TopBarTitle(), "Options");
                EXPECT_EQ(screen.HostedDialogs(), (std::vector<QDialog*>{&main, &options}));
                checkedInner = true;
                inner.accept();
            });
            EXPECT_EQ(RunModal(options), IDOK);
            EXPECT_TRUE(IsWindowEnabled(&main));
            EXPECT_EQ(screen.ActiveDialog(), &main);
            EXPECT_EQ(screen.TopBarTitle(), "Korvel Tessamo");
            running.reject();
        }
    });
    EXPECT_EQ(RunModal(main), IDCANCEL);
    EXPECT_TRUE(checkedInner);
    EXPECT_FALSE(IsRunningModal(main));
    EXPECT_EQ(main.parentWidget(), &ownerWindow);
    EXPECT_TRUE(main.windowFlags() & Qt::Dialog);
    EXPECT_EQ(options.parentWidget(), &main);
    EXPECT_TRUE(screen.HostedDialogs().empty());
    EXPECT_FALSE(main.isVisible());
}

TEST_F(GuiModalTest, AnOwnerThatWasDisabledStaysDisabled) {
    DeviceScreen screen(QSize(480, 640));
    QWidget owner;
    QDialog dialog(&owner);
    EXPECT_EQ(platform::gui::EnableWindow(&owner, FALSE), FALSE);  // was enabled
    FinishWith(QDialog::Accepted);
    EXPECT_EQ(RunModal(dialog), IDOK);
    EXPECT_FALSE(IsWindowEnabled(&owner));
    EXPECT_EQ(platform::gui::EnableWindow(&owner, TRUE), TRUE);  // was disabled
    EXPECT_TRUE(IsWindowEnabled(&owner));
    EXPECT_EQ(platform::gui::EnableWindow(nullptr, TRUE), FALSE);
    EXPECT_EQ(IsWindowEnabled(nullptr), FALSE);
}

TEST_F(GuiModalTest, WithoutAParentTheActiveDialogIsTheOwner) {
    DeviceScreen screen(QSize(480, 640));
    QDialog below;
    screen.PushDialog(&below);
    QDialog box;
    FinishWith(QDialog::Accepted, [&](QDialog& running) {
        EXPECT_EQ(OwnerOf(running), &below);
        EXPECT_FALSE(below.isEnabled());
    });
    EXPECT_EQ(RunModal(box), IDOK);
    EXPECT_TRUE(below.isEnabled());
    EXPECT_EQ(box.parentWidget(), nullptr);
    screen.RemoveDialog(&below);
}

TEST_F(GuiModalTest, ADialogDestroyedWhileRunningEndsTheRunAsCancelled) {
    DeviceScreen screen(QSize(480, 640));
    QWidget owner;
    auto* dialog = new QDialog(&owner);
    SetModalObserver([](QDialog& d) { QTimer::singleShot(0, [&d] { delete &d; }); });
    EXPECT_EQ(RunModal(*dialog), IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(&owner));
    EXPECT_EQ(screen.ActiveDialog(), nullptr);
    EXPECT_TRUE(owner.children().isEmpty());
}

TEST_F(GuiModalTest, WithoutAScreenTheDialogRunsAsAWindowOfItsOwn) {
    ASSERT_EQ(DeviceScreen::Instance(), nullptr);
    QWidget owner;
    QDialog dialog(&owner);
    FinishWith(QDialog::Accepted, [&](QDialog& running) {
        EXPECT_TRUE(running.isWindow());
        EXPECT_TRUE(running.isEnabled());
        EXPECT_FALSE(IsWindowEnabled(&owner));
    });
    EXPECT_EQ(RunModal(dialog), IDOK);
    EXPECT_TRUE(IsWindowEnabled(&owner));
    EXPECT_EQ(dialog.parentWidget(), &owner);
}

TEST_F(GuiModalTest, ClosingTheScreenEndsEveryRunningDialog) {
    DeviceScreen screen(QSize(480, 640));
    screen.show();
    QSignalSpy closing(&screen, &DeviceScreen::closeRequested);
    QWidget ownerWindow;
    QDialog main(&ownerWindow);
    QDialog options(&main);
    int innerResult = 0;
    SetModalObserver([&](QDialog& running) {
        if (&running != &main) {
            QTimer::singleShot(0, &screen, [&] { screen.close(); });
            return;
        }
        innerResult = RunModal(options);
    });
    EXPECT_EQ(RunModal(main), IDCANCEL);
    EXPECT_EQ(innerResult, IDCANCEL);
    EXPECT_EQ(closing.count(), 1);
    EXPECT_TRUE(IsWindowEnabled(&main));
    EXPECT_TRUE(IsWindowEnabled(&ownerWindow));

    // The application's own loop clears the quit, as a fresh program start would.
    SetModalObserver({});
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    SetModalObserver([](QDialog& d) { QTimer::singleShot(0, &d, [&d] { d.accept(); }); });
    EXPECT_EQ(RunModal(main), IDOK);
}

TEST_F(GuiModalTest, TheActiveDialogHasTheKeyboardFocus) {
    DeviceScreen screen(QSize(480, 640));
    screen.show();
    QApplication::setActiveWindow(&screen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    QDialog main;
    auto* mainEdit = new QLineEdit(&main);
    QDialog options(&main);
    auto* optionsEdit = new QLineEdit(&options);
    bool checked = false;
    SetModalObserver([&](QDialog& running) {
        if (&running == &options) {
            EXPECT_EQ(QApplication::focusWidget(), optionsEdit);
            running.accept();
            return;
        }
        EXPECT_EQ(QApplication::focusWidget(), mainEdit);
        RunModal(options);
        EXPECT_EQ(QApplication::focusWidget(), mainEdit);
        checked = true;
        running.accept();
    });
    EXPECT_EQ(RunModal(main), IDOK);
    EXPECT_TRUE(checked);
}

TEST_F(GuiModalTest, AFinishedDialogTakesItsFocusAlongWhenItIsDeleted) {
    DeviceScreen screen(QSize(480, 640));
    screen.show();
    QApplication::setActiveWindow(&screen);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    for (int i = 0; i < 3; ++i) {
        auto* dialog = new QDialog;
        new QLineEdit(dialog);
        SetModalObserver([](QDialog& running) { running.reject(); });
        RunModal(*dialog);
        QWidget* focus = screen.focusWidget();
        EXPECT_FALSE(focus && (focus == dialog || dialog->isAncestorOf(focus)));
        delete dialog;
    }
    screen.Rotate();  // a focus change after the deletions must not touch them
    EXPECT_EQ(screen.size(), QSize(640, 480));
}

}  // namespace
