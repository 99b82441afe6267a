#include "platform/gui/DialogPort.h"

#include <QCoreApplication>
#include <QDialog>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

#include "platform/gui/DeviceScreen.h"

namespace platform::gui {

namespace {

bool HiddenOnPurpose(const QWidget* widget) {
    return widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
}

}  // namespace

DialogPort::DialogPort(QWidget* parent, int margin) : QScrollArea(parent), margin_(margin) {
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

void DialogPort::Host(QDialog* dialog) {
    dialog_ = dialog;
    dialog->setParent(viewport(), Qt::Widget);
    setWidget(dialog);  // watches the dialog's size and shows it with the area
    for (QObject* child : dialog->children()) child->installEventFilter(this);
    ScrollToTop();
    Fit();
}

void DialogPort::Release() {
    if (QWidget* dialog = dialog_) {
        for (QObject* child : dialog->children()) child->removeEventFilter(this);
        dialog->removeEventFilter(this);
    }
    if (widget()) takeWidget();
    dialog_ = nullptr;
    hide();
}

void DialogPort::ScrollToTop() {
    pendingCode_ = DialogScrollEvent::kTop;
    verticalScrollBar()->setValue(0);
    pendingCode_ = -1;
}

void DialogPort::Fit() {
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
        dialog->resize(std::max(0, width() - (bar ? BarWidth() : 0)), std::max(viewHeight, needed));
        // The dialog may have moved itself (centring): its place is the scroll position.
        dialog->move(0, -verticalScrollBar()->value());
        if (!again_) break;
    }
    fitting_ = false;
}

bool DialogPort::eventFilter(QObject* watched, QEvent* event) {
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

bool DialogPort::viewportEvent(QEvent* event) {
    const bool handled = QScrollArea::viewportEvent(event);
    // The viewport narrows and widens as the scroll bar comes and goes.
    if (event->type() == QEvent::Resize) Fit();
    return handled;
}

int DialogPort::CodeFor(int action) {
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

void DialogPort::SendScroll(int value) {
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
int DialogPort::BarWidth() const {
    int width = verticalScrollBar()->sizeHint().width();
    if (style()->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, nullptr, this))
        width += style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, nullptr, this);
    return width;
}

// The height the dialog's content takes: what its layout needs, or else down to the lowest
// bottom of its controls, with a margin below when that lies beyond the viewport.
int DialogPort::NeededHeight(const QWidget* dialog, int viewHeight) const {
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

void DialogPort::FitLater() {
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

}  // namespace platform::gui
