// The program's own pictures, from the resource module compiled into the program (drawn by
// tools/cardgen at build time; see game/resources/images.cmake).
#pragma once

#include <QIcon>
#include <span>

#include "platform/Bitmap.h"
#include "platform/Modules.h"

constexpr int kBitmapEmptyPlace = 182;       // 29 x 41, 16 colours
constexpr int kBitmapEmptyPlaceLarge = 193;  // 58 x 82, 16 colours
constexpr int kBitmapUndoButton = 190;       // 16 x 15, with toolbar 190
constexpr int kBitmapUndoButtonLarge = 191;  // 32 x 30, with toolbar 191
constexpr int kIconProgram = 128;            // 16, 32 and 64 pixels

// The program's resource module, opened on first use and kept for the process.
HMODULE ProgramModule();

// A bitmap of the program by id; null when it has none of that id.
BitmapPtr LoadProgramBitmap(int id);
// Raw bytes of any resource of the program (toolbars: 16-bit words version, button width,
// button height, button count, then the command ids); empty when missing.
std::span<const BYTE> ProgramResource(DWORD type, DWORD id);
// The images of an icon group, smallest first as stored.
std::vector<BitmapPtr> ProgramIconImages(int id);
// The program icon with all its sizes.
QIcon ProgramIcon();

// A bitmap as a QImage (ARGB32: the icon's transparency is kept).
QImage ToQImage(const Bitmap& bitmap);
