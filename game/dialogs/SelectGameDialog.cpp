#include "game/dialogs/SelectGameDialog.h"

#include <QLineEdit>

#include "game/dialogs/DialogBuilder.h"
#include "game/dialogs/DialogInit.h"
#include "game/dialogs/FormatText.h"
#include "game/dialogs/HelpLaunch.h"
#include "game/dialogs/TranslationTable.h"
#include "game/resources/resource.h"
#include "platform/System.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/MessageBox.h"

unsigned ProposeGameNumber() {
    return static_cast<unsigned>(crt::rand() % 32000 + 1);
}

SelectGameDialog::SelectGameDialog(QWidget* parent) : FramedDialog(parent, kHelpPlay) {
    BuildDialog(this, IDD_SELECT_GAME);
    edit_ = ControlById<QLineEdit>(this, IDC_GAME_NUMBER);
    frame_.SetTitledPage(false);
    frame_.Attach(this);
}

SelectGameDialog::~SelectGameDialog() = default;

void SelectGameDialog::InitDialog() {
    ExchangeData(true);
    EnableOwnerWindow(*this);
    CenterDialog(*this);
    TranslateAndSetTitle(*this, frame_, IDS_GAME_NUMBER_TITLE);
    gameNumber_ = ProposeGameNumber();
    text_ = FormatText(u"%u", gameNumber_);
    ExchangeData(true);
    // The proposal is selected, so typing a number replaces it rather than adding to it.
    if (edit_) {
        edit_->setFocus();
        edit_->selectAll();
    }
}

void SelectGameDialog::ExchangeData(bool toControls) {
    if (!edit_) return;
    if (toControls) {
        edit_->setText(QString::fromStdU16String(text_));
    } else {
        text_ = edit_->text().toStdU16String();
    }
}

void SelectGameDialog::accept() {
    ExchangeData(false);
    unsigned number = 0;
    if (!ParseGameNumber(text_, &number)) {
        platform::gui::MessageBoxW(
            this, TranslationTable::Instance().LoadTranslatedString(IDS_ENTER_GAME_NUMBER),
            kMessageCaption, MB_OK);
        return;
    }
    gameNumber_ = number;
    QDialog::accept();
}
