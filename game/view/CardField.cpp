#include "game/view/CardField.h"

#include <QMouseEvent>
#include <QPainter>

#include "game/view/ImageDrawTarget.h"

CardField::CardField(QWidget* parent) : QWidget(parent) {
    // The paint covers every pixel, so the background is never erased: no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setObjectName(QStringLiteral("CARDFIELD"));
}

void CardField::InvalidateRect(const Rect& rect, bool) {
    const QRect area(rect.left, rect.top, rect.Width(), rect.Height());
    pending_ += area;
    update(area);
}

void CardField::RepaintNow() {
    // Only what was marked reaches the screen, as a queued paint would.
    if (pending_.isEmpty()) return;
    repaint(pending_);
}

QImage CardField::ComposeImage() const {
    if (!table_) {
        QImage blank(size(), QImage::Format_RGB32);
        blank.fill(Qt::black);
        return blank;
    }
    return PaintTableImage(*table_, size());
}

void CardField::paintEvent(QPaintEvent*) {
    pending_ = QRegion();
    // The whole client area is composed off screen and copied in one transfer; the paint
    // region clips what reaches the screen.
    const QImage image = ComposeImage();
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void CardField::mousePressEvent(QMouseEvent* event) {
    if (input_ && event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        input_->StylusDown(p.x(), p.y());
    }
}

void CardField::mouseReleaseEvent(QMouseEvent* event) {
    if (input_ && event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        input_->StylusUp(p.x(), p.y());
    }
}

void CardField::mouseDoubleClickEvent(QMouseEvent* event) {
    if (input_ && event->button() == Qt::LeftButton) {
        const QPoint p = event->position().toPoint();
        input_->DoubleTap(p.x(), p.y());
    }
}
