// The program's own pictures, from the resource module compiled into the program (drawn by
// tools/cardgen at build time; their ids are in resource.h).
#pragma once

#include <QIcon>
#include <span>

#include "game/resources/resource.h"
#include "platform/Bitmap.h"
#include "platform/Modules.h"


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
