#include "game/dialogs/EdgeAlignedPolyline.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>

bool EdgeAlignedPolyline(QPainter& painter, const QPoint* points, int count, int alignment,
                         int penWidth) {
    if (!painter.isActive() || count < 0 || (!points && count > 0)) return false;
    const QPen saved = painter.pen();
    QPen pen = saved;
    pen.setWidth(std::max(0, penWidth));
    painter.setPen(pen);

    const int w = penWidth;
    if ((alignment & 0xF0) == 0) {
        if (count > 1) painter.drawPolyline(points, count);
    } else {
        int shiftX = 0;
        if (alignment & 0x10) {
            shiftX = w / 2;
        } else if (alignment & 0x20) {
            shiftX = -((w - 1) / 2);
        }
        int shiftY = 0;
        if (alignment & 0x40) {
            shiftY = w / 2;
        } else if (alignment & 0x80) {
            shiftY = -((w - 1) / 2);
        }
        for (int i = 1; i < count; ++i) {
            const QPoint a = points[i - 1];
            const QPoint b = points[i];
            const bool upright = std::abs(b.y() - a.y()) >= std::abs(b.x() - a.x());
            const QPoint shift = upright ? QPoint(shiftX, 0) : QPoint(0, shiftY);
            painter.drawLine(a + shift, b + shift);
        }
    }
    painter.setPen(saved);
    return true;
}
