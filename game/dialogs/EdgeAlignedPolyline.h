// A polyline drawn with its pen on one side of the path, as the platform's drawing call
// aligns a wide pen.
#pragma once

class QPainter;
class QPoint;

// Draws the polyline `points[0..count)` with a pen `penWidth` pixels wide so that the pen
// lies on one side of the path. Alignment bits: 0x10 right (x + w/2), 0x20 left
// (x - (w-1)/2), 0x40 below (y + w/2), 0x80 above (y - (w-1)/2). With no bit set the points
// are drawn as one polyline; otherwise each segment on its own, a segment at least as tall
// as wide getting the horizontal shift, any other the vertical one. Draws with the painter's
// current pen colour at width `penWidth`. False when `painter` is not active, `points` is
// null with count > 0, or count < 0.
bool EdgeAlignedPolyline(QPainter& painter, const QPoint* points, int count, int alignment,
                         int penWidth);
