#include "game/settings/OptionsDialog.h"

#include <QCheckBox>

#include "game/dialogs/DialogBuilder.h"
#include "game/dialogs/DialogInit.h"
#include "game/dialogs/HelpLaunch.h"
#include "game/resources/resource.h"
#include "platform/PlatformConfig.h"
#include "platform/gui/GuiEvents.h"

namespace {

// The soft-key menu bar exists only on platform generation 3: major version 5 or later.
bool HasSoftKeyMenuBar() {
    return platform::PlatformMajorVersion() >= 5;
}

void Exchange(QCheckBox* box, int* value, bool toControls) {
    if (!box) return;
    if (toControls) {
        box->setChecked(*value != 0);
    } else {
        *value = box->isChecked() ? 1 : 0;
    }
}

}  // namespace

OptionsDialog::OptionsDialog(QWidget* parent) : FramedDialog(parent, kHelpOptions) {
    BuildDialog(this, IDD_OPTIONS);
    frame_.SetTitledPage(true);
    frame_.Attach(this);
}

OptionsDialog::~OptionsDialog() = default;

QCheckBox* OptionsDialog::CheckBoxFor(int id) const {
    return ControlById<QCheckBox>(this, id);
}

void OptionsDialog::ExchangeData(bool toControls) {
    Exchange(CheckBoxFor(IDC_DISPLAY_MESSAGES), &displayMessages_, toControls);
    Exchange(CheckBoxFor(IDC_DBLCLICK_MOVES), &dblClickMoves_, toControls);
    Exchange(CheckBoxFor(IDC_SHOW_STATUSBAR), &showStatusBar_, toControls);
    // A hidden box still carries its value there and back unchanged (unless the value was
    // not 0 or 1: it comes back as 1).
    Exchange(CheckBoxFor(IDC_SOFTKEY_MENU), &softKeyMenu_, toControls);
}

void OptionsDialog::InitDialog() {
    ExchangeData(true);
    EnableOwnerWindow(*this);
    CenterDialog(*this);
    if (QCheckBox* softKeys = CheckBoxFor(IDC_SOFTKEY_MENU)) {
        softKeys->setVisible(HasSoftKeyMenuBar());
    }
    TranslateAndSetTitle(*this, frame_, IDS_OPTIONS_TITLE);
}

void OptionsDialog::accept() {
    ExchangeData(false);
    QDialog::accept();
}
