// The two platform notifications that reach the program's windows as Qt events: the help
// request and the settings change. Dialogs catch them in event() or an event filter.
#pragma once

#include <QEvent>

#include "platform/Types.h"

namespace platform::gui {

// The handheld's help message. The device screen sends it (QCoreApplication::sendEvent,
// never posted) straight to the active dialog when the top bar's Help button is pressed or
// F1 is typed in the screen. Because it is sent, not posted, it never passes an application
// event filter that stands for message pre-translation before the dialog: a dialog that
// handles it (accept()) is the only one that reacts. The event starts out ignored.
class HelpRequestEvent : public QEvent {
  public:
    HelpRequestEvent();
    static QEvent::Type EventType();
};

// wParam of the settings change that follows a change of screen orientation or size.
constexpr UINT SETTINGCHANGE_RESET = 0x3002;

// The handheld's settings-change message, broadcast by the device screen after every real
// change of the screen size (resize or rotation): sent first to each dialog hosted in the
// work area (bottom to top), then to every other top-level widget of the application except
// the screen itself (so an invisible owner window receives it too). `Flag()` is
// SETTINGCHANGE_RESET for a screen change. platform::ScreenWidth()/ScreenHeight() already
// give the new size when it arrives.
class SettingChangeEvent : public QEvent {
  public:
    explicit SettingChangeEvent(UINT flag = SETTINGCHANGE_RESET);
    static QEvent::Type EventType();
    UINT Flag() const { return flag_; }

  private:
    UINT flag_;
};

}  // namespace platform::gui
