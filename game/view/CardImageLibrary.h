// The card faces from the platform's card-image library ("pegcards.dll" or a high-resolution
// variant such as "pegcards.192.dll" in the device's \Windows folder), and the two size
// figures that follow from the screen: the display scale and the card size.
#pragma once

#include <string>

#include "game/model/Card.h"
#include "game/model/CardImageSource.h"
#include "game/model/Geometry.h"
#include "platform/Modules.h"

// 2 when the screen is wider than 400 pixels, else 1. Worked out once, from
// platform::ScreenWidth() at the first call, and kept for the rest of the process, also
// when the screen turns.
int DisplayScale();
bool IsHighResolution();
// 29 x 41 pixels times the display scale.
Size CardSize();

// The bare file name of the library to load at this display scale: "pegcards.dll" at 1; at 2
// "pegcards.192.dll" when \Windows holds it as a regular file, else the first other match
// of "\Windows\pegcards*.dll" in enumeration order, else "pegcards.dll".
std::u16string CardLibraryName(int displayScale);

// Resource id of a card's face: 1 + 13 x suit block + index, the blocks running clubs,
// diamonds, hearts, spades and each block Ace, Two ... King. 0 for codes out of range.
int CardResourceId(int suit, int rank);

// Card faces from one loaded library module.
class CardImageLibrary : public CardImageSource {
  public:
    // `module` may be null (every face is then missing); the library does not free it.
    explicit CardImageLibrary(HMODULE module) : module_(module) {}

    // The face bitmap, or null when the library or this bitmap is missing or damaged.
    BitmapPtr FaceImage(int suit, int rank) override;
    // Gives the card its face; true when one was loaded. A card without a face stays blank.
    bool LoadCardImage(Card& card);

    HMODULE Module() const { return module_; }

  private:
    HMODULE module_;
};

// The process-wide library: the first call searches and loads it (with the display scale
// of DisplayScale()) and registers an exit-time release; later calls return the same object.
// The handle may be null when no library could be loaded.
CardImageLibrary& ProcessCardLibrary();
// Releases the process-wide library; the exit-time handler calls it, and a second call does
// nothing. Faces already given to cards stay valid.
void ReleaseProcessCardLibrary();
