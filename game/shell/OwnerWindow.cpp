#include "game/shell/OwnerWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>

#include "game/shell/MainDialog.h"
#include "platform/gui/GuiEvents.h"

namespace {

MainDialog* mainDialog = nullptr;

}  // namespace

OwnerWindow::OwnerWindow() : QWidget(nullptr, Qt::Window) {
    setWindowTitle(QString::fromUtf16(kDisplayName));
    setObjectName(QStringLiteral("OwnerWindow"));
    // The handheld created it at (-1, -1) with no size: it covers no pixel.
    setGeometry(-1, -1, 0, 0);
}

OwnerWindow::~OwnerWindow() = default;

MainDialog* OwnerWindow::MainDialogPointer() {
    return mainDialog;
}

void OwnerWindow::SetMainDialog(MainDialog* dialog) {
    mainDialog = dialog;
}

bool OwnerWindow::event(QEvent* event) {
    if (event->type() == platform::gui::SettingChangeEvent::EventType()) {
        // Answered here in every case; nothing else handles it.
        if (mainDialog) {
            mainDialog->CheckScreenSize();
        } else {
            ++ignoredSettingChanges_;
        }
        return true;
    }
    return QWidget::event(event);
}

void OwnerWindow::changeEvent(QEvent* event) {
    // The modal main dialog disables its owner; the owner does not stay disabled.
    if (event->type() == QEvent::EnabledChange && !isEnabled()) setEnabled(true);
    QWidget::changeEvent(event);
}

void OwnerWindow::closeEvent(QCloseEvent* event) {
    // The quit request ends every modal loop, the main dialog's first of all.
    QCoreApplication::exit(0);
    event->accept();
}
