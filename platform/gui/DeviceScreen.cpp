#include "platform/gui/DeviceScreen.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QPointer>
#include <QResizeEvent>
#include <QShortcut>
#include <QStackedWidget>
#include <algorithm>

#include "platform/DisplayScale.h"
#include "platform/PlatformConfig.h"
#include "platform/StartupSettings.h"
#include "platform/gui/DialogPort.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/ShellRequests.h"
#include "platform/gui/TopBar.h"

namespace platform::gui {

namespace {

DeviceScreen* g_screen = nullptr;

// The first control of the dialog that takes the focus by tabbing, else the dialog itself.
QWidget* FirstFocusable(QWidget* dialog) {
    for (QWidget* widget = dialog->nextInFocusChain(); widget && widget != dialog;
         widget = widget->nextInFocusChain()) {
        if (dialog->isAncestorOf(widget) && widget->isVisibleTo(dialog) && widget->isEnabled() &&
            (widget->focusPolicy() & Qt::TabFocus))
            return widget;
    }
    return dialog;
}

}  // namespace

QEvent::Type DialogScrollEvent::Type() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// What the screen keeps of one dialog, from its first hosting or attached bar until the
// dialog is destroyed: its scroll area, so that a scroll bar the dialog switched off stays
// off in its later runs, and its page of the menu band with the bars attached to it. The
// dialog's address is only a key; `alive` tells whether the dialog still exists. It is held
// as QWidget: a dialog announces its destruction from ~QWidget, when it is no longer a
// QDialog, and must not be looked at as one then.
struct DeviceScreen::Record {
    QObject* dialog = nullptr;
    QPointer<QWidget> alive;
    QPointer<DialogPort> port;
    QPointer<QWidget> page;
    std::vector<QPointer<QWidget>> bars;
    QDialog* Dialog() const { return static_cast<QDialog*>(alive.data()); }
};

DeviceScreen::DeviceScreen(QSize size) {
    if (!g_screen) g_screen = this;
    if (!size.isValid() || size.width() < kMinimumScreenSide || size.height() < kMinimumScreenSide)
        size = QSize(kDefaultWidth, kDefaultHeight);
    displayScale_ = DisplayScaleForScreenWidth(size.width());
    ApplyPlatformVersionFromEnvironment();
    const int bar = kBarHeight * displayScale_;

    setObjectName(QStringLiteral("DeviceScreen"));
    setMinimumSize(kMinimumScreenSide, std::max(kMinimumScreenSide, 2 * bar + 40));

    auto* rotateAction = new QAction(QStringLiteral("Rotate"), this);
    rotateAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    rotateAction->setShortcutContext(Qt::WindowShortcut);
    connect(rotateAction, &QAction::triggered, this, &DeviceScreen::Rotate);
    addAction(rotateAction);
    topBar_ = new TopBar(this, displayScale_, rotateAction);
    connect(topBar_, &TopBar::okPressed, this, &DeviceScreen::PressOk);
    connect(topBar_, &TopBar::helpPressed, this, [this] { SendHelpRequest(); });
    auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
    helpKey->setContext(Qt::WindowShortcut);
    connect(helpKey, &QShortcut::activated, this, [this] { SendHelpRequest(); });

    workArea_ = new QWidget(this);
    workArea_->setObjectName(QStringLiteral("WorkArea"));
    workArea_->installEventFilter(this);

    band_ = new QStackedWidget(this);
    band_->setObjectName(QStringLiteral("MenuBand"));
    emptyPage_ = new QWidget(band_);
    band_->addWidget(emptyPage_);

    resize(size);
    HandleSize();
}

DeviceScreen::~DeviceScreen() {
    // Hosted dialogs and attached bars belong to their callers: hand them back before Qt
    // deletes this window's children.
    for (Record* record : stack_) {
        if (!record->alive) continue;
        if (record->port) record->port->Release();
        record->alive->setParent(nullptr, record->alive->windowFlags() | Qt::Dialog);
    }
    for (const auto& record : records_) {
        for (QPointer<QWidget>& bar : record->bars) {
            if (!bar) continue;
            bar->hide();
            bar->setParent(static_cast<QWidget*>(record->dialog));
        }
    }
    stack_.clear();
    records_.clear();
    if (g_screen == this) g_screen = nullptr;
}

DeviceScreen* DeviceScreen::Instance() {
    return g_screen;
}

QSize DeviceScreen::ParseSize(const QString& text) {
    const auto size = ParseScreenDimensions(text.toStdString());
    return size ? QSize(size->width, size->height) : QSize();
}

QSize DeviceScreen::StartSize() {
    const ScreenDimensions size = StartScreenDimensions();
    return {size.width, size.height};
}

QSize DeviceScreen::StartSizeFromArguments(int argc, const char* const* argv) {
    const ScreenDimensions size = StartScreenDimensions(argc, argv);
    return {size.width, size.height};
}

QSize DeviceScreen::ScreenSize() const {
    return size();
}

QRect DeviceScreen::WorkAreaRect() const {
    const int bar = kBarHeight * displayScale_;
    return QRect(0, bar, width(), std::max(0, height() - 2 * bar));
}

void DeviceScreen::SetScreenSize(QSize size) {
    if (!size.isValid()) return;
    resize(size.expandedTo(minimumSize()));
    // A hidden window gets its resize event only when shown; the screen changes now.
    HandleSize();
}

void DeviceScreen::Rotate() {
    SetScreenSize(size().transposed());
}

void DeviceScreen::HoldInput() {
    if (inputHolds_++ > 0) return;
    for (QWidget* part : {static_cast<QWidget*>(topBar_), workArea_, static_cast<QWidget*>(band_)})
        part->setEnabled(false);
}

void DeviceScreen::ReleaseInput() {
    if (inputHolds_ == 0 || --inputHolds_ > 0) return;
    for (QWidget* part : {static_cast<QWidget*>(topBar_), workArea_, static_cast<QWidget*>(band_)})
        part->setEnabled(true);
}

void DeviceScreen::closeEvent(QCloseEvent* event) {
    // Switching the handheld off: every modal run ends (with IDCANCEL) and the program with it.
    event->accept();
    emit closeRequested();
    // exit(), not quit(): quit() does nothing while the application's own exec() is not
    // running, and the program runs only modal loops.
    QCoreApplication::exit(0);
}

void DeviceScreen::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    HandleSize();
}

bool DeviceScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == workArea_ && event->type() == QEvent::Resize) FitHostedDialogs();
    return QWidget::eventFilter(watched, event);
}

// Lays the three parts out for the current size and, when the size really changed, tells
// the platform and broadcasts the settings change.
void DeviceScreen::HandleSize() {
    const QSize now = size();
    const bool changed = now != lastSize_;
    const bool first = !lastSize_.isValid();
    // A screen change shows every dialog from its top again, as the frames expect after it;
    // first, so that no dialog hears of a position that the new size merely clamps.
    if (changed && !first) {
        for (Record* record : stack_)
            if (record->alive && record->port) record->port->ScrollToTop();
    }
    const int bar = kBarHeight * displayScale_;
    topBar_->setGeometry(0, 0, now.width(), bar);
    workArea_->setGeometry(WorkAreaRect());
    band_->setGeometry(0, std::max(bar, now.height() - bar), now.width(), bar);
    FitHostedDialogs();
    if (!changed) return;
    lastSize_ = now;
    platform::SetScreenSize(now.width(), now.height());
    if (first) return;  // the start size is no change

    std::vector<QPointer<QWidget>> receivers;
    for (Record* record : stack_)
        if (record->alive) receivers.emplace_back(record->alive);
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != this) receivers.emplace_back(widget);
    for (QPointer<QWidget>& receiver : receivers) {
        if (!receiver) continue;
        SettingChangeEvent change(SETTINGCHANGE_RESET);
        QCoreApplication::sendEvent(receiver, &change);
    }
    // The dialogs have laid their controls out for the new size meanwhile.
    FitHostedDialogs();
    emit settingChange(now.width(), now.height());
}

DeviceScreen::Record* DeviceScreen::RecordFor(const QObject* dialog, QDialog* create) {
    if (!dialog) return nullptr;
    for (const auto& record : records_)
        if (record->dialog == dialog) return record.get();
    if (!create) return nullptr;
    auto record = std::make_unique<Record>();
    record->dialog = create;
    record->alive = create;
    records_.push_back(std::move(record));
    connect(create, &QObject::destroyed, this, &DeviceScreen::ForgetDialog, Qt::UniqueConnection);
    return records_.back().get();
}

bool DeviceScreen::IsHosted(const Record* record) const {
    return std::find(stack_.begin(), stack_.end(), record) != stack_.end();
}

void DeviceScreen::PushDialog(QDialog* dialog) {
    if (!dialog) return;
    Record* record = RecordFor(dialog, dialog);
    if (IsHosted(record)) return;
    if (!record->port) record->port = new DialogPort(workArea_, 4 * displayScale_);
    DialogPort* port = record->port;
    port->setGeometry(workArea_->rect());
    // A hosted dialog covers what lies below it: as a child widget it would otherwise let the
    // dialog below show through wherever it paints nothing. Dialogs are white, as the
    // handheld's window colour.
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
    stack_.push_back(record);
    port->Host(dialog);
    dialog->show();
    port->show();
    port->raise();
    // Its initialisation, on the first show, may have added and moved controls.
    port->Fit();
    ActiveChanged();
}

void DeviceScreen::RemoveDialog(QDialog* dialog) {
    if (!dialog) return;
    Record* record = RecordFor(dialog, nullptr);
    auto found = std::find(stack_.begin(), stack_.end(), record);
    if (!record || found == stack_.end()) return;
    stack_.erase(found);
    // The screen must not keep pointing its focus at a widget that leaves it: a later focus
    // change would touch the widget after it is gone.
    QWidget* focus = focusWidget();
    if (focus && (focus == dialog || dialog->isAncestorOf(focus))) focus->clearFocus();
    dialog->hide();
    if (record->port) record->port->Release();
    dialog->setParent(nullptr, dialog->windowFlags() | Qt::Dialog);
    ActiveChanged();
}

QDialog* DeviceScreen::ActiveDialog() const {
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it)
        if ((*it)->alive) return (*it)->Dialog();
    return nullptr;
}

QScrollArea* DeviceScreen::ScrollAreaOf(const QDialog* dialog) const {
    for (const Record* record : stack_)
        if (record->dialog == dialog && record->alive) return record->port;
    return nullptr;
}

void DeviceScreen::FitHostedDialogs() {
    for (Record* record : stack_) {
        if (!record->alive || !record->port) continue;
        record->port->setGeometry(workArea_->rect());
        record->port->Fit();
    }
}

std::vector<QDialog*> DeviceScreen::HostedDialogs() const {
    std::vector<QDialog*> dialogs;
    for (const Record* record : stack_)
        if (record->alive) dialogs.push_back(record->Dialog());
    return dialogs;
}

void DeviceScreen::AttachMenuBar(QDialog* dialog, QWidget* menuBar) {
    if (!dialog || !menuBar) return;
    DetachMenuBar(menuBar);
    Record* record = RecordFor(dialog, dialog);
    if (!record->page) {
        auto* page = new QWidget(band_);
        auto* layout = new QHBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        band_->addWidget(page);
        record->page = page;
    }
    // Only a bar that its owner hid on purpose stays hidden; a new one is shown.
    const bool hidden =
        menuBar->isHidden() && menuBar->testAttribute(Qt::WA_WState_ExplicitShowHide);
    record->page->layout()->addWidget(menuBar);
    menuBar->setVisible(!hidden);
    record->bars.emplace_back(menuBar);
    ActiveChanged();
}

void DeviceScreen::DetachMenuBar(QWidget* menuBar) {
    if (!menuBar) return;
    for (const auto& record : records_) {
        auto found = std::find(record->bars.begin(), record->bars.end(), menuBar);
        if (found == record->bars.end()) continue;
        record->bars.erase(found);
        menuBar->hide();
        menuBar->setParent(static_cast<QWidget*>(record->dialog));
        return;
    }
}

// Called from the dialog's QObject destructor: only the address is used.
void DeviceScreen::ForgetDialog(QObject* dialog) {
    stack_.erase(std::remove_if(stack_.begin(), stack_.end(),
                                [dialog](const Record* record) {
                                    return !record->alive || record->dialog == dialog;
                                }),
                 stack_.end());
    for (auto it = records_.begin(); it != records_.end(); ++it) {
        Record& record = **it;
        if (record.dialog != dialog) continue;
        for (QPointer<QWidget>& bar : record.bars) delete bar.data();
        delete record.page.data();
        // Later: the dying dialog still counts among the viewport's children now.
        if (record.port) {
            record.port->hide();
            record.port->deleteLater();
        }
        records_.erase(it);
        break;
    }
    ActiveChanged();
}

void DeviceScreen::ActiveChanged() {
    QDialog* active = ActiveDialog();
    disconnect(titleConnection_);
    Record* record = active ? RecordFor(active, nullptr) : nullptr;
    if (active) {
        topBar_->SetTitle(active->windowTitle());
        titleConnection_ =
            connect(active, &QWidget::windowTitleChanged, topBar_, &TopBar::SetTitle);
        if (record && record->port) record->port->raise();
        QWidget* focus = QApplication::focusWidget();
        if (focus != active && !active->isAncestorOf(focus)) {
            QWidget* target = active->focusWidget();
            if (!target || target == active) target = FirstFocusable(active);
            target->setFocus(Qt::OtherFocusReason);
        }
    } else {
        topBar_->SetTitle(QString());
    }
    RefreshOkButton();
    band_->setCurrentWidget(record && record->page ? record->page.data() : emptyPage_);
    emit activeDialogChanged(active);
}

bool DeviceScreen::OkButtonVisible() const {
    return topBar_->OkVisible();
}

void DeviceScreen::RefreshOkButton() {
    QDialog* active = ActiveDialog();
    topBar_->SetOkVisible(active && !active->property(kDoneButtonHiddenProperty).toBool());
}

void DeviceScreen::PressOk() {
    // accept() is virtual: a dialog that checks its input first (Select game) does so here.
    if (QDialog* active = ActiveDialog(); active && active->isEnabled()) active->accept();
}

bool DeviceScreen::SendHelpRequest() {
    QDialog* active = ActiveDialog();
    if (!active) return false;
    HelpRequestEvent request;
    QCoreApplication::sendEvent(active, &request);
    return request.isAccepted();
}

QString DeviceScreen::TopBarTitle() const {
    return topBar_->Title();
}

int LogPixelsX() {
    if (DeviceScreen* screen = DeviceScreen::Instance()) return screen->LogPixels();
    return 96 * DisplayScaleForScreenWidth(platform::ScreenWidth());
}

int LogPixelsY() {
    return LogPixelsX();
}

}  // namespace platform::gui
