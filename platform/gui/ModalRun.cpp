#include "platform/gui/ModalRun.h"

#include <QDialog>
#include <QEventLoop>
#include <QPointer>
#include <algorithm>
#include <vector>

#include "platform/gui/DeviceScreen.h"

namespace platform::gui {

namespace {

struct Run {
    const QDialog* dialog;
    QPointer<QWidget> owner;
};

std::vector<Run>& Runs() {
    static std::vector<Run> runs;
    return runs;
}

ModalObserver& Observer() {
    static ModalObserver observer;
    return observer;
}

int ToPlatformResult(int result) {
    if (result == QDialog::Accepted) return IDOK;
    if (result == QDialog::Rejected) return IDCANCEL;
    return result;
}

}  // namespace

int RunModal(QDialog& dialog) {
    if (IsRunningModal(dialog)) return -1;

    QPointer<QDialog> guard(&dialog);
    QPointer<QWidget> originalParent = dialog.parentWidget();
    const Qt::WindowFlags originalFlags = dialog.windowFlags();
    QPointer<DeviceScreen> screen = DeviceScreen::Instance();
    QPointer<QWidget> owner = originalParent;
    if (!owner && screen) owner = screen->ActiveDialog();
    Runs().push_back(Run{&dialog, owner});

    bool finished = false;
    int result = QDialog::Rejected;
    QEventLoop loop;
    const auto done = QObject::connect(&dialog, &QDialog::finished, &loop, [&](int value) {
        finished = true;
        result = value;
        loop.quit();
    });
    const auto gone = QObject::connect(&dialog, &QObject::destroyed, &loop, [&] {
        finished = true;
        result = QDialog::Rejected;
        loop.quit();
    });

    // Move the dialog out of its owner first, so that disabling the owner leaves it enabled.
    dialog.setResult(0);
    if (screen) {
        screen->PushDialog(&dialog);
    } else {
        dialog.setParent(nullptr, (originalFlags & ~Qt::WindowType_Mask) | Qt::Dialog);
        dialog.show();
    }
    bool disabledOwner = false;
    if (owner && IsWindowEnabled(owner)) {
        owner->setEnabled(false);
        disabledOwner = true;
    }
    if (guard && !finished) {
        if (!screen) guard->setFocus(Qt::OtherFocusReason);
        if (Observer()) {
            ModalObserver observer = Observer();  // may replace itself while running
            observer(*guard);
        }
    }
    if (guard && !finished) loop.exec(QEventLoop::DialogExec);

    QObject::disconnect(done);
    QObject::disconnect(gone);
    Runs().erase(std::remove_if(Runs().begin(), Runs().end(),
                                [&](const Run& run) { return run.dialog == &dialog; }),
                 Runs().end());
    // The owner is enabled again before the dialog goes, so that it can take the focus back.
    if (disabledOwner && owner) owner->setEnabled(true);
    if (guard) {
        guard->hide();
        if (screen) screen->RemoveDialog(guard);
        guard->setParent(originalParent, originalFlags);
    }
    return ToPlatformResult(result);
}

QWidget* OwnerOf(const QDialog& dialog) {
    for (const Run& run : Runs())
        if (run.dialog == &dialog) return run.owner;
    return dialog.parentWidget();
}

bool IsRunningModal(const QDialog& dialog) {
    return std::any_of(Runs().begin(), Runs().end(),
                       [&](const Run& run) { return run.dialog == &dialog; });
}

BOOL EnableWindow(QWidget* window, BOOL enable) {
    if (!window) return FALSE;
    const BOOL wasDisabled = IsWindowEnabled(window) ? FALSE : TRUE;
    window->setEnabled(enable != FALSE);
    return wasDisabled;
}

BOOL IsWindowEnabled(const QWidget* window) {
    if (!window) return FALSE;
    return window->testAttribute(Qt::WA_ForceDisabled) ? FALSE : TRUE;
}

ModalObserver SetModalObserver(ModalObserver observer) {
    ModalObserver previous = std::move(Observer());
    Observer() = std::move(observer);
    return previous;
}

}  // namespace platform::gui
