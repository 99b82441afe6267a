// Lengths and fonts of the program's dialogs, at the screen's pixel density.
#pragma once

#include <QFont>

class QWidget;

// Lengths in 96-dpi units scaled by the screen's pixel density (truncating toward zero).
// The densities are read once per process, at the first call: the device screen's LogPixels()
// when a screen exists, else 96 x the display scale of the platform's screen width; unless
// SetScreenDensity came first.
int ScaleX(int length);
int ScaleY(int length);
int ScreenDensityX();
int ScreenDensityY();
// Fixes the densities (for tests that look at 96 and 192 dpi in one process); the shared
// fonts are made again at the next use. Fonts already given to widgets stay as they are.
void SetScreenDensity(int dpiX, int dpiY);

// The shared fonts: Tahoma (or Qt's substitute where Tahoma is missing), cell height
// ScaleY(13) pixels, bold (TitleFont) or normal (BodyFont). Made on first use.
const QFont& TitleFont();
const QFont& BodyFont();

// Gives `window` and, depth first, all its descendant widgets the shared fonts: push buttons
// (default or not) TitleFont, every other widget BodyFont. A QDialog itself keeps its font,
// because Qt would pass it on to controls created later, which must keep the default font.
// Windows among the descendants (popup menus) are skipped. Null does nothing.
void ApplyDialogFonts(QWidget* window);
