// Resource-only modules: the card-image libraries and the program's own resources.
//
// A module is a file in our own small container format, little-endian throughout:
//
//   offset  size  field
//   0       4     magic "KTRM"
//   4       2     format version, 1
//   6       2     header size in bytes (16 for version 1; the directory starts here)
//   8       4     entry count N
//   12      4     total file size in bytes
//   16      16*N  directory, one entry per resource:
//                   u32 type, u32 id, u32 offset of the data from the file start, u32 size
//   ...           resource data
//
// Resource data lies after the directory and inside the file. When a (type, id) pair occurs
// twice the first entry counts. Bitmaps (type 2) are complete BMP files (uncompressed,
// 1, 4, 8, 24 or 32 bits per pixel). Icon images (type 3) are icon DIBs: a BITMAPINFOHEADER
// with twice the height, the palette, the colour rows and a 1-bit transparency mask. Icon
// groups (type 14) list their images as a GRPICONDIR. Toolbars (type 241) are 16-bit words.
//
// A module whose header or directory does not hold together is not loaded at all; a single
// resource whose data cannot be decoded yields null, as if it were missing.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Types.h"

using HMODULE = HANDLE;

constexpr DWORD RT_BITMAP = 2;
constexpr DWORD RT_ICON = 3;
constexpr DWORD RT_GROUP_ICON = 14;
constexpr DWORD RT_TOOLBAR = 241;

// A bare name ("pegcards.dll") is looked for in the program's folder, then in the device's
// \Windows folder; a name with a path separator loads exactly that file (device paths begin
// with a backslash). Returns null, with the last error set, when no valid module is found.
HMODULE LoadLibraryW(LPCWSTR name);
// Releases a handle from LoadLibraryW or LoadModuleFromMemory; FALSE for anything else.
BOOL FreeLibrary(HMODULE module);

// The bitmap resource with this id, decoded; null when missing or damaged.
BitmapPtr LoadBitmapW(HMODULE module, int id);

namespace platform {

// Takes a copy of a module image held in memory (the program's built-in resources).
HMODULE LoadModuleFromMemory(std::span<const BYTE> image);

// The raw bytes of a resource, valid until the module is freed; empty when missing.
std::span<const BYTE> FindResourceBytes(HMODULE module, DWORD type, DWORD id);

// The images of an icon group, in directory order, with the mask as alpha (0 where
// transparent, else 0xFF). Images that cannot be decoded are left out.
std::vector<BitmapPtr> LoadIconGroup(HMODULE module, int id);

// Decoders, for data from any source; null on anything malformed.
BitmapPtr DecodeBmp(std::span<const BYTE> data);
BitmapPtr DecodeIconImage(std::span<const BYTE> data);

}  // namespace platform
