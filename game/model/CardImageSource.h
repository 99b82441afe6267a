// Where the deck gets its card faces from; the card-image library implements it.
#pragma once

#include "platform/Bitmap.h"

class CardImageSource {
  public:
    virtual ~CardImageSource() = default;
    // The face of the card with this suit and rank code, or null when none is available.
    virtual BitmapPtr FaceImage(int suit, int rank) = 0;
};
