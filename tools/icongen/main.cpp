// icongen: draws the desktop icons of the game into a hicolor theme folder, each size painted
// by the icon's own drawing at that size, plus a scalable SVG of the same drawing.
//
//   icongen DIR NAME      writes DIR/<N>x<N>/apps/NAME.png and DIR/scalable/apps/NAME.svg
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>
#include <filesystem>

#include "tools/art/ProgramImages.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: icongen DIR NAME\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const fs::path root = argv[1];
    const std::string name = argv[2];
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const fs::path dir = root / folder / "apps";
        fs::create_directories(dir);
        const fs::path file = dir / (name + ".png");
        if (!DrawIcon(size).save(QString::fromStdString(file.string()), "PNG")) {
            std::fprintf(stderr, "icongen: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    const fs::path scalable = root / "scalable" / "apps";
    fs::create_directories(scalable);
    const fs::path svgFile = scalable / (name + ".svg");
    QSvgGenerator svg;
    svg.setFileName(QString::fromStdString(svgFile.string()));
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle(QStringLiteral("Korvel Tessamo"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        std::fprintf(stderr, "icongen: cannot write %s\n", svgFile.c_str());
        return 1;
    }
    PaintIcon(painter, 32);
    painter.end();
    return 0;
}
