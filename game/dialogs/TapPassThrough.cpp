#include "game/dialogs/TapPassThrough.h"

#include <QMouseEvent>
#include <QWidget>
#include <memory>
#include <unordered_map>

namespace {

// Hands a left-button press to the control's own event handling and ends its journey there:
// filters installed on the control before this one, and the dialog behind the control, never
// see it.
class TapPassThroughFilter : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonPress ||
            static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
            return false;
        }
        watched->event(event);
        event->accept();
        return true;
    }
};

// The map lives only while it has entries, so nothing of it is left at exit once the
// controls are gone.
std::unique_ptr<std::unordered_map<const QWidget*, TapPassThroughFilter*>>& Map() {
    static std::unique_ptr<std::unordered_map<const QWidget*, TapPassThroughFilter*>> map;
    return map;
}

void Forget(const QWidget* control) {
    auto& map = Map();
    if (!map) return;
    map->erase(control);
    if (map->empty()) map.reset();
}

}  // namespace

bool PassTapsToControl(QWidget* control) {
    if (!control) return false;
    auto& map = Map();
    if (map && map->count(control)) return false;
    if (!map) map = std::make_unique<std::unordered_map<const QWidget*, TapPassThroughFilter*>>();
    auto* filter = new TapPassThroughFilter(control);
    control->installEventFilter(filter);
    map->emplace(control, filter);
    QObject::connect(control, &QObject::destroyed, [control] { Forget(control); });
    return true;
}

bool IsTapPassThrough(const QWidget* control) {
    const auto& map = Map();
    return control && map && map->count(control) != 0;
}

std::size_t TapPassThroughCount() {
    const auto& map = Map();
    return map ? map->size() : 0;
}
