#include "game/resources/ProgramResources.h"

#include <QPixmap>

#include "game/resources/ProgramResourceData.h"

HMODULE ProgramModule() {
    // Never freed: the program's resources live as long as the process, like its code.
    static const HMODULE module = platform::LoadModuleFromMemory(
        {reinterpret_cast<const BYTE*>(kProgramResourceModule), kProgramResourceModuleSize});
    return module;
}

BitmapPtr LoadProgramBitmap(int id) {
    return LoadBitmapW(ProgramModule(), id);
}

std::span<const BYTE> ProgramResource(DWORD type, DWORD id) {
    return platform::FindResourceBytes(ProgramModule(), type, id);
}

std::vector<BitmapPtr> ProgramIconImages(int id) {
    return platform::LoadIconGroup(ProgramModule(), id);
}

QImage ToQImage(const Bitmap& bitmap) {
    QImage image(bitmap.width, bitmap.height, QImage::Format_ARGB32);
    for (int y = 0; y < bitmap.height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < bitmap.width; ++x) line[x] = bitmap.At(x, y);
    }
    return image;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (const BitmapPtr& image : ProgramIconImages(kIconProgram)) {
        icon.addPixmap(QPixmap::fromImage(ToQImage(*image)));
    }
    return icon;
}
