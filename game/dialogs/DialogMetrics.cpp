#include "game/dialogs/DialogMetrics.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QPushButton>
#include <algorithm>
#include <climits>

#include "platform/gui/DeviceScreen.h"

namespace {

// The shared fonts' cell height in 96-dpi units.
constexpr int kFontHeight = 13;

struct SharedMetrics {
    int dpiX = 0;
    int dpiY = 0;
    QFont* title = nullptr;
    QFont* body = nullptr;
};

SharedMetrics& Shared() {
    static SharedMetrics metrics;
    return metrics;
}

void ReadDensity() {
    SharedMetrics& m = Shared();
    if (m.dpiX > 0) return;
    const int dpi = platform::gui::LogPixelsX();
    m.dpiX = dpi;
    m.dpiY = dpi;
}

int Scale(int length, int dpi) {
    const long long scaled = static_cast<long long>(length) * dpi / 96;
    return static_cast<int>(std::clamp<long long>(scaled, INT_MIN, INT_MAX));
}

void ReleaseFonts() {
    SharedMetrics& m = Shared();
    delete m.title;
    delete m.body;
    m.title = nullptr;
    m.body = nullptr;
}

// Tahoma with the given cell height (ascent + descent) in pixels. Qt sizes fonts by their em,
// so the size is corrected once by the ratio of the cell height the font actually gets.
QFont* MakeTahoma(int cellHeight, bool bold) {
    auto* font = new QFont(QStringLiteral("Tahoma"));
    font->setStyleHint(QFont::SansSerif);
    font->setWeight(bold ? QFont::Bold : QFont::Normal);
    font->setItalic(false);
    font->setUnderline(false);
    font->setStrikeOut(false);
    const int wanted = std::max(1, cellHeight);
    font->setPixelSize(wanted);
    const int got = QFontMetrics(*font).height();
    if (got > 0 && got != wanted) {
        font->setPixelSize(std::max(1, (wanted * wanted + got / 2) / got));
    }
    return font;
}

void MakeFonts() {
    SharedMetrics& m = Shared();
    if (m.title) return;
    static bool routineAdded = false;
    if (!routineAdded) {
        // The fonts must go before Qt's font system does.
        qAddPostRoutine(ReleaseFonts);
        routineAdded = true;
    }
    m.title = MakeTahoma(ScaleY(kFontHeight), true);
    m.body = MakeTahoma(ScaleY(kFontHeight), false);
}

}  // namespace

int ScreenDensityX() {
    ReadDensity();
    return Shared().dpiX;
}

int ScreenDensityY() {
    ReadDensity();
    return Shared().dpiY;
}

int ScaleX(int length) {
    return Scale(length, ScreenDensityX());
}
int ScaleY(int length) {
    return Scale(length, ScreenDensityY());
}

void SetScreenDensity(int dpiX, int dpiY) {
    SharedMetrics& m = Shared();
    m.dpiX = dpiX > 0 ? dpiX : 96;
    m.dpiY = dpiY > 0 ? dpiY : 96;
    ReleaseFonts();
}

const QFont& TitleFont() {
    MakeFonts();
    return *Shared().title;
}

const QFont& BodyFont() {
    MakeFonts();
    return *Shared().body;
}

void ApplyDialogFonts(QWidget* window) {
    if (!window) return;
    // A dialog's own font would pass on to controls it creates later, which keep the default.
    if (!qobject_cast<QDialog*>(window)) {
        window->setFont(qobject_cast<QPushButton*>(window) ? TitleFont() : BodyFont());
        window->update();
    }
    for (QObject* child : window->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        // Popup menus and other windows that a dialog parents are not its child windows.
        if (widget && !widget->isWindow()) ApplyDialogFonts(widget);
    }
}
