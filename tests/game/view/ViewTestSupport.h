// Helpers for the view tests: a board owner that only answers questions, and card libraries
// whose faces are plain colours, so that every pixel of a painted board can be explained.
#pragma once

#include <QImage>
#include <filesystem>

#include "game/model/BoardOwner.h"
#include "platform/Bitmap.h"

class PaintOwner : public BoardOwner {
  public:
    explicit PaintOwner(Size screen) : screen_(screen) {}
    void InvalidateRect(const Rect& rect, bool) override { invalidated.push_back(rect); }
    void RepaintNow() override {}
    int ShowMessage(int) override { return 1; }
    void ShowCardsLeft(unsigned) override {}
    void UndoStateChanged() override {}
    bool DisplayMessages() const override { return false; }
    bool DblClickMoves() const override { return true; }
    bool ShowNoDragBox() const override { return false; }
    void SetShowNoDragBox(bool) override {}
    void SaveOptions() override {}
    void RecordWin(std::int16_t) override {}
    std::int32_t CurrentGameNumber() const override { return 1; }
    Size ScreenSize() const override { return screen_; }

    std::vector<Rect> invalidated;

  private:
    Size screen_;
};

// The colour (0xFFRRGGBB) of face `id` in the plain-colour libraries: distinct for every id,
// and neither the table colour nor the negative of any face.
std::uint32_t FaceColour(int id);

// Writes a library with bitmaps 1..52, each `width` x `height` in its face colour.
void WritePlainLibrary(const std::filesystem::path& path, int width, int height);

// The table colour 0x008200 as a pixel.
constexpr std::uint32_t kTablePixel = 0xFF008200;

// True when the image shows `bitmap` unchanged with its top-left corner at (x, y).
bool ShowsBitmap(const QImage& image, const Bitmap& bitmap, int x, int y);
// True when every pixel of the rectangle has this colour.
bool AllPixels(const QImage& image, int left, int top, int right, int bottom, std::uint32_t pixel);
