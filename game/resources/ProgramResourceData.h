// The program's own resource module (empty-place and Undo bitmaps, toolbars, icon), drawn by
// cardgen at build time and compiled in. Read it through game/resources/ProgramResources.h.
#pragma once

#include <cstddef>

extern const unsigned char kProgramResourceModule[];
extern const std::size_t kProgramResourceModuleSize;
