#include "game/shell/StatusBar.h"

#include <QPainter>

#include "game/dialogs/DialogFrame.h"

namespace {

// Room above and below the text, and before it, in 96-dpi units.
constexpr int kVerticalPadding = 4;
constexpr int kTextIndent = 3;
// The status bar's text: a little smaller than the dialogs' body text, so that "Game number:
// 32000" fits the first part on every screen.
constexpr int kFontHeight = 11;

}  // namespace

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
    QFont font = BodyFont();
    font.setPixelSize(ScaleY(kFontHeight));
    setFont(font);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    resize(0, sizeHint().height());
}

void StatusBar::SetParts(const std::vector<int>& rightEdges) {
    edges_ = rightEdges;
    texts_.resize(edges_.size());
    update();
}

QRect StatusBar::PartRect(int part) const {
    if (part < 0 || part >= PartCount()) return {};
    const int left =
        part == 0 ? 0 : std::min(edges_[part - 1] < 0 ? width() : edges_[part - 1], width());
    const int edge = edges_[part];
    const int right = edge < 0 ? width() : std::min(edge, width());
    return QRect(QPoint(left, 0), QPoint(right - 1, height() - 1));
}

void StatusBar::SetText(int part, const QString& text) {
    if (part < 0 || part >= PartCount()) return;
    texts_[static_cast<std::size_t>(part)] = text;
    update(PartRect(part));
}

QString StatusBar::Text(int part) const {
    if (part < 0 || part >= PartCount()) return {};
    return texts_[static_cast<std::size_t>(part)];
}

QSize StatusBar::sizeHint() const {
    return QSize(width(), fontMetrics().height() + 2 * ScaleY(kVerticalPadding));
}

void StatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::ButtonText));
    // No border and no separator: the bar is its background and its texts.
    for (int part = 0; part < PartCount(); ++part) {
        const QRect area = PartRect(part).adjusted(ScaleX(kTextIndent), 0, 0, 0);
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         texts_[static_cast<std::size_t>(part)]);
    }
}
