// Our own card faces, drawn at build time.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRectF>

// The face of the card in image group `group` (0 clubs, 1 diamonds, 2 hearts, 3 spades) and
// position `k` in the group (0 Ace, 1 Two ... 12 King), at 29 x 41 times `scale` (1 or 2).
QImage DrawCardFace(int group, int k, int scale);

// Fills the suit shape of image group `group` into `box` in the suit's colour, antialiased
// when the painter is; turned upside down when `upsideDown` is set.
void PaintSuit(QPainter& p, int group, const QRectF& box, bool upsideDown = false);
