#include "game/dialogs/DialogInit.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include "game/dialogs/DialogBuilder.h"
#include "game/dialogs/DialogFrame.h"
#include "game/dialogs/TranslateWidgets.h"
#include "game/dialogs/TranslationTable.h"
#include "platform/gui/ModalRun.h"

void EnableOwnerWindow(const QDialog& dialog) {
    QWidget* owner = platform::gui::OwnerOf(dialog);
    // Bounded walk: a chain of owners never holds more windows than the application has.
    for (int steps = 0; owner && steps < 64; ++steps) {
        auto* ownerDialog = qobject_cast<QDialog*>(owner);
        if (!ownerDialog) {
            platform::gui::EnableWindow(owner, TRUE);
            return;
        }
        owner = platform::gui::OwnerOf(*ownerDialog);
    }
}

void CenterDialog(QDialog& dialog) {
    QRect area;
    if (!dialog.isWindow() && dialog.parentWidget()) {
        area = dialog.parentWidget()->rect();
    } else {
        QWidget* owner = platform::gui::OwnerOf(dialog);
        QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
        if (!screen) return;
        area = screen->availableGeometry();
    }
    QRect frame = dialog.geometry();
    frame.moveCenter(area.center());
    dialog.move(frame.topLeft());
}

void TranslateAndSetTitle(QDialog& dialog, DialogFrame& frame, UINT titleId) {
    TranslateDialog(&dialog);
    FitStaticTexts(&dialog);
    frame.SetTitle(&dialog, TranslationTable::Instance().LoadTranslatedString(titleId));
}

bool HandleOkKey(QDialog& dialog, QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (!enter || modifiers != Qt::NoModifier) return false;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
        if (button->isDefault() && button->isVisible()) return false;
    }
    dialog.accept();
    return true;
}
