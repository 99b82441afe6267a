// The handheld's display scale: its screens wider than 400 pixels draw everything twice as
// large. The rule is the platform's; the board, the card images and the dialogs follow it.
#pragma once

// 2 when the screen is wider than 400 pixels, else 1.
constexpr int DisplayScaleForScreenWidth(int screenWidth) {
    return screenWidth > 400 ? 2 : 1;
}
