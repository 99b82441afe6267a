#include "platform/gui/DeviceScreen.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPointer>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <cstdlib>

#include "platform/DisplayScale.h"
#include "platform/PlatformConfig.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/ShellRequests.h"

namespace platform::gui {

namespace {

DeviceScreen* g_screen = nullptr;

constexpr int kMinimumSide = 160;

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

bool HiddenOnPurpose(const QWidget* widget) {
    return widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

// The scroll area that one hosted dialog lies in. It keeps the dialog as wide as the viewport
// and as high as the viewport or the dialog's controls need, and tells the dialog of every
// change of the scroll position.
class DialogPort : public QScrollArea {
  public:
    DialogPort(QWidget* parent, int margin) : QScrollArea(parent), margin_(margin) {
        setObjectName(QStringLiteral("DialogScrollArea"));
        setFrameShape(QFrame::NoFrame);
        // Scrolling is the dialog's business, not a stop of the focus chain.
        setFocusPolicy(Qt::NoFocus);
        verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setWidgetResizable(false);
        QScrollBar* bar = verticalScrollBar();
        connect(bar, &QScrollBar::actionTriggered, this,
                [this](int action) { pendingCode_ = CodeFor(action); });
        // Connected after the area's own connection, so the dialog has moved already.
        connect(bar, &QScrollBar::valueChanged, this, &DialogPort::SendScroll);
    }

    void Host(QDialog* dialog) {
        dialog_ = dialog;
        dialog->setParent(viewport(), Qt::Widget);
        setWidget(dialog);  // watches the dialog's size and shows it with the area
        for (QObject* child : dialog->children()) child->installEventFilter(this);
        ScrollToTop();
        Fit();
    }

    // Takes the dialog out: it has no parent afterwards.
    void Release() {
        if (QWidget* dialog = dialog_) {
            for (QObject* child : dialog->children()) child->removeEventFilter(this);
            dialog->removeEventFilter(this);
        }
        if (widget()) takeWidget();
        dialog_ = nullptr;
        hide();
    }

    // The dialog's scroll position goes back to 0, as after a screen change.
    void ScrollToTop() {
        pendingCode_ = DialogScrollEvent::kTop;
        verticalScrollBar()->setValue(0);
        pendingCode_ = -1;
    }

    void Fit() {
        QWidget* dialog = dialog_;
        if (!dialog) return;
        if (fitting_) {
            again_ = true;
            return;
        }
        fitting_ = true;
        // Bounded: a dialog that moves its controls on every resize gets two more tries.
        for (int round = 0; round < 3; ++round) {
            again_ = false;
            // No frame and no horizontal scroll bar: the viewport is as high as the area.
            const int viewHeight = height();
            const int needed = NeededHeight(dialog, viewHeight);
            const Qt::ScrollBarPolicy policy = verticalScrollBarPolicy();
            const bool bar = policy == Qt::ScrollBarAlwaysOn ||
                             (policy == Qt::ScrollBarAsNeeded && needed > viewHeight);
            dialog->resize(std::max(0, width() - (bar ? BarWidth() : 0)),
                           std::max(viewHeight, needed));
            // The dialog may have moved itself (centring): its place is the scroll position.
            dialog->move(0, -verticalScrollBar()->value());
            if (!again_) break;
        }
        fitting_ = false;
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool consumed = QScrollArea::eventFilter(watched, event);
        QWidget* dialog = dialog_;
        if (!dialog || fitting_) return consumed;
        const QEvent::Type type = event->type();
        if (watched == dialog) {
            if (type == QEvent::ChildAdded) {
                static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
                FitLater();
            } else if (type == QEvent::Move) {
                if (dialog->pos() != QPoint(0, -verticalScrollBar()->value())) FitLater();
            } else if (type == QEvent::ChildRemoved || type == QEvent::Resize ||
                       type == QEvent::LayoutRequest || type == QEvent::Show) {
                FitLater();
            }
        } else if (watched->parent() == dialog && watched->isWidgetType()) {
            if (type == QEvent::Move || type == QEvent::Resize || type == QEvent::ShowToParent ||
                type == QEvent::HideToParent)
                FitLater();
        }
        return consumed;
    }

    bool viewportEvent(QEvent* event) override {
        const bool handled = QScrollArea::viewportEvent(event);
        // The viewport narrows and widens as the scroll bar comes and goes.
        if (event->type() == QEvent::Resize) Fit();
        return handled;
    }

  private:
    static int CodeFor(int action) {
        switch (action) {
            case QAbstractSlider::SliderSingleStepAdd:
                return DialogScrollEvent::kLineDown;
            case QAbstractSlider::SliderSingleStepSub:
                return DialogScrollEvent::kLineUp;
            case QAbstractSlider::SliderPageStepAdd:
                return DialogScrollEvent::kPageDown;
            case QAbstractSlider::SliderPageStepSub:
                return DialogScrollEvent::kPageUp;
            case QAbstractSlider::SliderToMinimum:
                return DialogScrollEvent::kTop;
            case QAbstractSlider::SliderToMaximum:
                return DialogScrollEvent::kBottom;
            default:
                return -1;
        }
    }

    void SendScroll(int value) {
        QWidget* dialog = dialog_;
        QScrollBar* bar = verticalScrollBar();
        const bool tracking = bar->isSliderDown();
        int code = pendingCode_ >= 0 ? pendingCode_ : DialogScrollEvent::kThumbPosition;
        if (tracking) code = DialogScrollEvent::kThumbTrack;
        pendingCode_ = -1;
        if (!dialog) return;
        DialogScrollEvent scroll(code, std::max(0, tracking ? bar->sliderPosition() : value));
        QCoreApplication::sendEvent(dialog, &scroll);
    }

    // The width the viewport loses to the vertical scroll bar, as the area lays it out.
    int BarWidth() const {
        int width = verticalScrollBar()->sizeHint().width();
        if (style()->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, nullptr, this))
            width += style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, nullptr, this);
        return width;
    }

    // The height the dialog's content takes: what its layout needs, or else down to the lowest
    // bottom of its controls, with a margin below when that lies beyond the viewport.
    int NeededHeight(const QWidget* dialog, int viewHeight) const {
        int needed = dialog->minimumHeight();
        if (dialog->layout()) return std::max(needed, dialog->minimumSizeHint().height());
        int lowest = 0;
        for (QObject* child : dialog->children()) {
            auto* control = qobject_cast<QWidget*>(child);
            if (!control || control->isWindow() || HiddenOnPurpose(control)) continue;
            lowest = std::max(lowest, control->geometry().bottom() + 1);
        }
        if (lowest > viewHeight) lowest += margin_;
        return std::max(needed, lowest);
    }

    void FitLater() {
        if (fitPending_) return;
        fitPending_ = true;
        QMetaObject::invokeMethod(
            this,
            [this] {
                fitPending_ = false;
                Fit();
            },
            Qt::QueuedConnection);
    }

    QPointer<QWidget> dialog_;
    const int margin_;
    bool fitting_ = false;
    bool again_ = false;
    bool fitPending_ = false;
    int pendingCode_ = -1;
};

}  // namespace

QEvent::Type DialogScrollEvent::Type() {
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

// Held as QWidget: a hosted dialog announces its destruction from ~QWidget, when it is no
// longer a QDialog, and must not be looked at as one then.
struct DeviceScreen::Hosted {
    QPointer<QWidget> dialog;
    QDialog* Dialog() const { return static_cast<QDialog*>(dialog.data()); }
};

// The band's page of one dialog and the bars attached to it. The dialog pointer is only a
// key: the page outlives nothing, it is removed when the dialog is destroyed.
struct DeviceScreen::Page {
    QObject* dialog = nullptr;
    QPointer<QWidget> page;
    std::vector<QPointer<QWidget>> bars;
};

// The scroll area of one dialog, kept from its first hosting until the dialog is destroyed,
// so that a scroll bar the dialog switched off stays off in its later runs.
struct DeviceScreen::Port {
    QObject* dialog = nullptr;
    QPointer<DialogPort> area;
};

DeviceScreen::DeviceScreen(QSize size) {
    if (!g_screen) g_screen = this;
    if (!size.isValid() || size.width() < kMinimumSide || size.height() < kMinimumSide)
        size = QSize(kDefaultWidth, kDefaultHeight);
    displayScale_ = DisplayScaleForScreenWidth(size.width());
    if (const char* version = std::getenv("KORVEL_PLATFORM_VERSION")) {
        bool ok = false;
        const int major = QByteArray(version).trimmed().toInt(&ok);
        if (ok && major >= 1 && major <= 99) platform::SetPlatformMajorVersion(major);
    }
    const int bar = kBarHeight * displayScale_;

    setObjectName(QStringLiteral("DeviceScreen"));
    setWindowTitle(QStringLiteral("Korvel Tessamo"));
    setMinimumSize(kMinimumSide, std::max(kMinimumSide, 2 * bar + 40));

    topBar_ = new QWidget(this);
    topBar_->setObjectName(QStringLiteral("TopBar"));
    topBar_->setAutoFillBackground(true);
    QPalette barPalette = topBar_->palette();
    barPalette.setColor(QPalette::Window, QColor(0, 40, 110));
    barPalette.setColor(QPalette::WindowText, Qt::white);
    barPalette.setColor(QPalette::ButtonText, Qt::white);
    topBar_->setPalette(barPalette);
    // The style's own hover fill is light, which would hide the white glyphs.
    const QString buttonStyle = QStringLiteral(
        "QToolButton { color: white; background: transparent; border: none; padding: 0 4px; }"
        "QToolButton:hover { background: rgb(30, 80, 160); }"
        "QToolButton:pressed { background: rgb(10, 60, 140); }");
    auto* barLayout = new QHBoxLayout(topBar_);
    barLayout->setContentsMargins(4 * displayScale_, 0, 2 * displayScale_, 0);
    barLayout->setSpacing(2 * displayScale_);
    title_ = new QLabel(topBar_);
    title_->setObjectName(QStringLiteral("TopBarTitle"));
    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPixelSize(12 * displayScale_);
    title_->setFont(titleFont);
    barLayout->addWidget(title_, 1);
    QFont buttonFont = titleFont;
    buttonFont.setPixelSize(14 * displayScale_);

    auto* rotateAction = new QAction(QStringLiteral("Rotate"), this);
    rotateAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    rotateAction->setShortcutContext(Qt::WindowShortcut);
    connect(rotateAction, &QAction::triggered, this, &DeviceScreen::Rotate);
    addAction(rotateAction);
    rotate_ = new QToolButton(topBar_);
    rotate_->setObjectName(QStringLiteral("RotateButton"));
    rotate_->setDefaultAction(rotateAction);
    rotate_->setText(QStringLiteral("\u27f3"));
    rotate_->setToolTip(QStringLiteral("Rotate the screen (Ctrl+R)"));
    rotate_->setAutoRaise(true);
    rotate_->setStyleSheet(buttonStyle);
    rotate_->setFont(buttonFont);
    rotate_->setFocusPolicy(Qt::NoFocus);
    barLayout->addWidget(rotate_);

    ok_ = new QToolButton(topBar_);
    ok_->setObjectName(QStringLiteral("OkButton"));
    ok_->setText(QStringLiteral("ok"));
    ok_->setToolTip(QStringLiteral("OK"));
    ok_->setAutoRaise(true);
    ok_->setStyleSheet(buttonStyle);
    ok_->setFont(buttonFont);
    ok_->setFocusPolicy(Qt::NoFocus);
    ok_->hide();
    connect(ok_, &QToolButton::clicked, this, &DeviceScreen::PressOk);
    barLayout->addWidget(ok_);

    help_ = new QToolButton(topBar_);
    help_->setObjectName(QStringLiteral("HelpButton"));
    help_->setText(QStringLiteral("?"));
    help_->setToolTip(QStringLiteral("Help (F1)"));
    help_->setAutoRaise(true);
    help_->setStyleSheet(buttonStyle);
    help_->setFont(buttonFont);
    help_->setFocusPolicy(Qt::NoFocus);
    connect(help_, &QToolButton::clicked, this, [this] { SendHelpRequest(); });
    barLayout->addWidget(help_);
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
    for (Hosted& entry : hosted_) {
        if (!entry.dialog) continue;
        if (Port* port = PortFor(entry.dialog); port && port->area) port->area->Release();
        entry.dialog->setParent(nullptr, entry.dialog->windowFlags() | Qt::Dialog);
    }
    for (Page& page : pages_) {
        for (QPointer<QWidget>& bar : page.bars) {
            if (!bar) continue;
            bar->hide();
            bar->setParent(static_cast<QWidget*>(page.dialog));
        }
    }
    hosted_.clear();
    pages_.clear();
    ports_.clear();
    if (g_screen == this) {
        g_screen = nullptr;
    }
}

DeviceScreen* DeviceScreen::Instance() {
    return g_screen;
}

QSize DeviceScreen::ParseSize(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d{1,5})\\s*[xX*]\\s*(\\d{1,5})\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) return {};
    const int width = match.captured(1).toInt();
    const int height = match.captured(2).toInt();
    if (width < kMinimumSide || height < kMinimumSide) return {};
    return {width, height};
}

QSize DeviceScreen::StartSize() {
    const char* value = std::getenv("KORVEL_SCREEN");
    if (value) {
        const QSize size = ParseSize(QString::fromLocal8Bit(value));
        if (size.isValid()) return size;
    }
    return {kDefaultWidth, kDefaultHeight};
}

QSize DeviceScreen::StartSizeFromArguments(int argc, const char* const* argv) {
    for (int i = 1; i < argc && argv && argv[i]; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        QString value;
        if (argument.startsWith(QLatin1String("--screen=")))
            value = argument.mid(9);
        else if (argument == QLatin1String("--screen") && i + 1 < argc && argv[i + 1])
            value = QString::fromLocal8Bit(argv[i + 1]);
        else
            continue;
        const QSize size = ParseSize(value);
        if (size.isValid()) return size;
    }
    return StartSize();
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
    for (QWidget* part : {topBar_, workArea_, static_cast<QWidget*>(band_)})
        part->setEnabled(false);
}

void DeviceScreen::ReleaseInput() {
    if (inputHolds_ == 0 || --inputHolds_ > 0) return;
    for (QWidget* part : {topBar_, workArea_, static_cast<QWidget*>(band_)}) part->setEnabled(true);
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
        for (Hosted& entry : hosted_)
            if (Port* port = PortFor(entry.dialog); port && port->area) port->area->ScrollToTop();
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
    for (Hosted& entry : hosted_)
        if (entry.dialog) receivers.emplace_back(entry.dialog);
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

void DeviceScreen::PushDialog(QDialog* dialog) {
    if (!dialog) return;
    for (const Hosted& entry : hosted_)
        if (entry.dialog == dialog) return;
    Port* port = PortFor(dialog);
    if (!port || !port->area) {
        if (!port) {
            ports_.push_back(Port{dialog, nullptr});
            port = &ports_.back();
        }
        port->area = new DialogPort(workArea_, 4 * displayScale_);
    }
    DialogPort* area = port->area;
    area->setGeometry(workArea_->rect());
    // A hosted dialog covers what lies below it: as a child widget it would otherwise let the
    // dialog below show through wherever it paints nothing. Dialogs are white, as the
    // handheld's window colour.
    QPalette palette = dialog->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    dialog->setPalette(palette);
    dialog->setAutoFillBackground(true);
    hosted_.push_back(Hosted{dialog});
    connect(dialog, &QObject::destroyed, this, &DeviceScreen::ForgetDialog, Qt::UniqueConnection);
    area->Host(dialog);
    dialog->show();
    area->show();
    area->raise();
    // Its initialisation, on the first show, may have added and moved controls.
    area->Fit();
    ActiveChanged();
}

void DeviceScreen::RemoveDialog(QDialog* dialog) {
    if (!dialog) return;
    auto found = std::find_if(hosted_.begin(), hosted_.end(),
                              [dialog](const Hosted& entry) { return entry.dialog == dialog; });
    if (found == hosted_.end()) return;
    hosted_.erase(found);
    // The screen must not keep pointing its focus at a widget that leaves it: a later focus
    // change would touch the widget after it is gone.
    QWidget* focus = focusWidget();
    if (focus && (focus == dialog || dialog->isAncestorOf(focus))) focus->clearFocus();
    dialog->hide();
    if (Port* port = PortFor(dialog); port && port->area) port->area->Release();
    dialog->setParent(nullptr, dialog->windowFlags() | Qt::Dialog);
    ActiveChanged();
}

QDialog* DeviceScreen::ActiveDialog() const {
    for (auto it = hosted_.rbegin(); it != hosted_.rend(); ++it)
        if (it->dialog) return it->Dialog();
    return nullptr;
}

QScrollArea* DeviceScreen::ScrollAreaOf(const QDialog* dialog) const {
    if (!dialog) return nullptr;
    for (const Hosted& entry : hosted_) {
        if (entry.dialog != dialog) continue;
        for (const Port& port : ports_)
            if (port.dialog == dialog) return port.area;
    }
    return nullptr;
}

DeviceScreen::Port* DeviceScreen::PortFor(const QObject* dialog) {
    if (!dialog) return nullptr;
    for (Port& port : ports_)
        if (port.dialog == dialog) return &port;
    return nullptr;
}

void DeviceScreen::FitHostedDialogs() {
    for (Hosted& entry : hosted_) {
        Port* port = PortFor(entry.dialog);
        if (!port || !port->area) continue;
        port->area->setGeometry(workArea_->rect());
        port->area->Fit();
    }
}

std::vector<QDialog*> DeviceScreen::HostedDialogs() const {
    std::vector<QDialog*> dialogs;
    for (const Hosted& entry : hosted_)
        if (entry.dialog) dialogs.push_back(entry.Dialog());
    return dialogs;
}

DeviceScreen::Page* DeviceScreen::PageFor(QDialog* dialog, bool create) {
    for (Page& page : pages_)
        if (page.dialog == dialog) return &page;
    if (!create) return nullptr;
    auto* widget = new QWidget(band_);
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    band_->addWidget(widget);
    pages_.push_back(Page{dialog, widget, {}});
    connect(dialog, &QObject::destroyed, this, &DeviceScreen::ForgetDialog, Qt::UniqueConnection);
    return &pages_.back();
}

void DeviceScreen::AttachMenuBar(QDialog* dialog, QWidget* menuBar) {
    if (!dialog || !menuBar) return;
    DetachMenuBar(menuBar);
    Page* page = PageFor(dialog, true);
    // Only a bar that its owner hid on purpose stays hidden; a new one is shown.
    const bool hidden =
        menuBar->isHidden() && menuBar->testAttribute(Qt::WA_WState_ExplicitShowHide);
    page->page->layout()->addWidget(menuBar);
    menuBar->setVisible(!hidden);
    page->bars.emplace_back(menuBar);
    ActiveChanged();
}

void DeviceScreen::DetachMenuBar(QWidget* menuBar) {
    if (!menuBar) return;
    for (Page& page : pages_) {
        auto found = std::find(page.bars.begin(), page.bars.end(), menuBar);
        if (found == page.bars.end()) continue;
        page.bars.erase(found);
        menuBar->hide();
        menuBar->setParent(static_cast<QWidget*>(page.dialog));
        return;
    }
}

// Called from the dialog's QObject destructor: only the address is used.
void DeviceScreen::ForgetDialog(QObject* dialog) {
    hosted_.erase(std::remove_if(hosted_.begin(), hosted_.end(),
                                 [dialog](const Hosted& entry) {
                                     return !entry.dialog || entry.dialog.data() == dialog;
                                 }),
                  hosted_.end());
    for (auto it = pages_.begin(); it != pages_.end(); ++it) {
        if (it->dialog != dialog) continue;
        for (QPointer<QWidget>& bar : it->bars) delete bar.data();
        delete it->page.data();
        pages_.erase(it);
        break;
    }
    for (auto it = ports_.begin(); it != ports_.end(); ++it) {
        if (it->dialog != dialog) continue;
        // Later: the dying dialog still counts among the viewport's children now.
        if (it->area) {
            it->area->hide();
            it->area->deleteLater();
        }
        ports_.erase(it);
        break;
    }
    ActiveChanged();
}

void DeviceScreen::ActiveChanged() {
    QDialog* active = ActiveDialog();
    disconnect(titleConnection_);
    if (active) {
        title_->setText(active->windowTitle());
        titleConnection_ = connect(active, &QWidget::windowTitleChanged, title_, &QLabel::setText);
        if (Port* port = PortFor(active); port && port->area) port->area->raise();
        QWidget* focus = QApplication::focusWidget();
        if (focus != active && !active->isAncestorOf(focus)) {
            QWidget* target = active->focusWidget();
            if (!target || target == active) target = FirstFocusable(active);
            target->setFocus(Qt::OtherFocusReason);
        }
    } else {
        title_->clear();
    }
    RefreshOkButton();
    Page* page = active ? PageFor(active, false) : nullptr;
    band_->setCurrentWidget(page && page->page ? page->page.data() : emptyPage_);
    emit activeDialogChanged(active);
}

bool DeviceScreen::OkButtonVisible() const {
    return !ok_->isHidden();
}

void DeviceScreen::RefreshOkButton() {
    QDialog* active = ActiveDialog();
    ok_->setVisible(active && !active->property(kDoneButtonHiddenProperty).toBool());
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
    return title_->text();
}

int LogPixelsX() {
    if (DeviceScreen* screen = DeviceScreen::Instance()) return screen->LogPixels();
    return 96 * DisplayScaleForScreenWidth(platform::ScreenWidth());
}

int LogPixelsY() {
    return LogPixelsX();
}

}  // namespace platform::gui
