// The program's own pictures: the empty-place mark, the Undo button and the icon. cardgen
// draws them at build time into the program's resource module.
#pragma once

#include <QImage>

class QPainter;

// The mark of an empty reserve cell or foundation, at the card size (29 x 41 times `scale`);
// 16 colours at most.
QImage DrawEmptyPlace(int scale);
// The Undo button of the classic menu bar, 16 x 15 times `scale`; 16 colours at most.
QImage DrawUndoButton(int scale);
// The program icon, `size` pixels square, with transparency.
QImage DrawIcon(int size);
// Paints the icon into a `size`-pixel square at the painter's origin: the drawing behind
// DrawIcon, for any paint device (the desktop's icon sizes, a scalable SVG).
void PaintIcon(QPainter& painter, int size);
