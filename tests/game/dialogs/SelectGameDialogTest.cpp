#include "game/dialogs/SelectGameDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

#include "game/dialogs/DialogBuilder.h"
#include "game/resources/resource.h"
#include "platform/System.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/MessageBox.h"
#include "tests/support/DialogTestSupport.h"
#include "tests/support/TempPlatform.h"

using dialog_test::RunWith;
using platform::gui::MessageBoxLog;

namespace {

class SelectGameDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog_test::App();
        platform::gui::ClearMessageBoxLog();
        platform::gui::SetMessageBoxResponder(
            [](const platform::gui::MessageBoxRequest&) { return IDOK; });
    }
    void TearDown() override { platform::gui::SetMessageBoxResponder({}); }

    TempPlatform temp_;
};

TEST_F(SelectGameDialogTest, ProposesTheGeneratorsNextNumberAndOkDealsIt) {
    crt::srand(2026);
    const unsigned expected = static_cast<unsigned>(crt::rand() % 32000 + 1);
    const int following = crt::rand();
    crt::srand(2026);

    SelectGameDialog dialog;
    std::u16string title;
    QString shown;
    const int result = RunWith(dialog, [&](QDialog& d) {
        title = dialog.Frame().title;
        shown = dialog.Edit()->text();
        d.accept();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(shown, QString::number(expected));
    EXPECT_EQ(dialog.GameNumber(), expected);
    EXPECT_EQ(title, u"Game Number");
    EXPECT_EQ(crt::rand(), following) << "the dialog takes one value and never seeds";
    EXPECT_TRUE(MessageBoxLog().empty());
}

TEST_F(SelectGameDialogTest, TextWithoutNumberKeepsTheDialogOpenWithAMessage) {
    SelectGameDialog dialog;
    std::vector<bool> stillOpen;
    const int result = RunWith(dialog, [&](QDialog& d) {
        for (const char16_t* bad : {u"abc", u"", u"   ", u"4294967296"}) {
            dialog.Edit()->setText(QString::fromStdU16String(bad));
            d.accept();
            stillOpen.push_back(d.isVisible() &&
                                dialog.Edit()->text() == QString::fromStdU16String(bad));
        }
        dialog.Edit()->setText("  77abc");
        d.accept();
    });
    EXPECT_EQ(stillOpen, std::vector<bool>(4, true));
    ASSERT_EQ(MessageBoxLog().size(), 4u);
    for (const auto& request : MessageBoxLog()) {
        EXPECT_EQ(request.text, u"Please enter an integer game number");
        EXPECT_EQ(request.type & MB_TYPEMASK, MB_OK);
    }
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GameNumber(), 77u);
}

TEST_F(SelectGameDialogTest, AnyNumberIsPassedOnUnchecked) {
    const std::pair<QString, unsigned> cases[] = {
        {"12345", 12345u}, {"0", 0u}, {"40000", 40000u}, {"-1", 4294967295u}};
    for (const auto& [text, number] : cases) {
        SelectGameDialog dialog;
        const int result = RunWith(dialog, [&](QDialog& d) {
            dialog.Edit()->setText(text);
            d.accept();
        });
        EXPECT_EQ(result, IDOK) << text.toStdString();
        EXPECT_EQ(dialog.GameNumber(), number) << text.toStdString();
    }
    EXPECT_TRUE(MessageBoxLog().empty());
}

TEST_F(SelectGameDialogTest, TypedDigitsReplaceTheProposal) {
    SelectGameDialog dialog;
    const int result = RunWith(dialog, [&](QDialog& d) {
        ASSERT_FALSE(dialog.Edit()->text().isEmpty());
        for (const char* digit : {"1", "2", "3", "4", "5"}) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + (digit[0] - '0'), Qt::NoModifier,
                            QString::fromLatin1(digit));
            QApplication::sendEvent(dialog.Edit(), &press);
        }
        d.accept();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GameNumber(), 12345u);
}

TEST_F(SelectGameDialogTest, EnterKeyIsOk) {
    SelectGameDialog dialog;
    const int result = RunWith(dialog, [&](QDialog&) {
        dialog.Edit()->setText("321");
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(dialog.Edit(), &press);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.GameNumber(), 321u);
}

TEST_F(SelectGameDialogTest, EnablesTheOwnerWindowButNotTheMainWindow) {
    QWidget ownerWindow;
    QDialog mainWindow(&ownerWindow);
    ownerWindow.setEnabled(false);
    SelectGameDialog dialog(&mainWindow);
    bool ownerEnabled = false;
    bool mainEnabled = true;
    RunWith(dialog, [&](QDialog& d) {
        ownerEnabled = ownerWindow.isEnabled();
        mainEnabled = platform::gui::IsWindowEnabled(&mainWindow) != FALSE;
        d.reject();
    });
    EXPECT_TRUE(ownerEnabled);
    EXPECT_FALSE(mainEnabled) << "the modal run keeps its owner disabled";
    EXPECT_TRUE(mainWindow.isEnabled()) << "and enables it again afterwards";
}

TEST_F(SelectGameDialogTest, HelpStartsTheViewerOnPlay) {
    SelectGameDialog dialog;
    EXPECT_EQ(dialog_test::HelpOpenedBy(dialog, temp_.DeviceRoot()),
              std::vector<std::string>{"file:VevivoZozoruv.htm#play"});
}

}  // namespace
