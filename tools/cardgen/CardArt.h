// Our own card faces and the program's own pictures, drawn at build time.
#pragma once

#include <QImage>

// The face of the card in image group `group` (0 clubs, 1 diamonds, 2 hearts, 3 spades) and
// position `k` in the group (0 Ace, 1 Two ... 12 King), at 29 x 41 times `scale` (1 or 2).
QImage DrawCardFace(int group, int k, int scale);

// The mark of an empty reserve cell or foundation, at the card size; 16 colours at most.
QImage DrawEmptyPlace(int scale);
// The Undo button of the classic menu bar, 16 x 15 times `scale`; 16 colours at most.
QImage DrawUndoButton(int scale);
// The program icon, `size` pixels square, with transparency.
QImage DrawIcon(int size);
