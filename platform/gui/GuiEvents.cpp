#include "platform/gui/GuiEvents.h"

namespace platform::gui {

HelpRequestEvent::HelpRequestEvent() : QEvent(EventType()) {
    ignore();
}

QEvent::Type HelpRequestEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

SettingChangeEvent::SettingChangeEvent(UINT flag) : QEvent(EventType()), flag_(flag) {}

QEvent::Type SettingChangeEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

}  // namespace platform::gui
