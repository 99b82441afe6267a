#include "game/dialogs/DialogFrame.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWidget>
#include <algorithm>
#include <climits>

#include "game/dialogs/EdgeAlignedPolyline.h"
#include "platform/PlatformConfig.h"
#include "platform/gui/DeviceScreen.h"
#include "platform/gui/GuiEvents.h"
#include "platform/gui/ShellRequests.h"

namespace {

QEvent::Type RegisteredType() {
    return static_cast<QEvent::Type>(QEvent::registerEventType());
}

// Title strip geometry in 96-dpi units, and its colour.
constexpr int kTitleLeft = 8;
constexpr int kTitleHeight = 24;
constexpr int kSeparatorWidth = 1;
constexpr int kAlignBelowRight = 0x50;
const QColor kTitleColour(0, 0, 156);
// SetTitle repaints this many pixels of the strip, unscaled.
constexpr int kTitleInvalidHeight = 25;

// The scroll area whose viewport the dialog lies in (the device screen hosts every dialog so),
// or null.
QAbstractScrollArea* ScrollAreaAround(const QWidget* dialog) {
    QWidget* parent = dialog->parentWidget();
    auto* area = parent ? qobject_cast<QAbstractScrollArea*>(parent->parentWidget()) : nullptr;
    return area && area->viewport() == parent ? area : nullptr;
}

// The dialog's y at the top of the part in view. A dialog in a scroll area scrolls by moving as
// a whole, so its own coordinates scroll with it already; the scroll offset counts from here.
int ViewTop(const QWidget* dialog) {
    return ScrollAreaAround(dialog) ? -dialog->y() : 0;
}

bool IsLeftPress(const QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    return static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

}  // namespace

UINT ActionCommandId(const QAction* action) {
    if (!action || action->isSeparator()) return 0;
    bool ok = false;
    const uint id = action->data().toUInt(&ok);
    return ok ? id : 0;
}

QEvent::Type InitDialogEvent::Type() {
    static const QEvent::Type type = RegisteredType();
    return type;
}

QEvent::Type MenuPopupEvent::Type() {
    static const QEvent::Type type = RegisteredType();
    return type;
}

QEvent::Type HideScrollBarEvent::Type() {
    static const QEvent::Type type = RegisteredType();
    return type;
}

void TrackPopupMenus(QWidget* dialog, QMenu* popup) {
    if (!dialog || !popup) return;
    QObject::connect(popup, &QMenu::aboutToShow, dialog, [dialog, popup] {
        MenuPopupEvent event(popup, false);
        QCoreApplication::sendEvent(dialog, &event);
    });
    for (QAction* action : popup->actions()) {
        if (QMenu* sub = action->menu()) TrackPopupMenus(dialog, sub);
    }
}

DialogFrame::DialogFrame() = default;
DialogFrame::~DialogFrame() = default;

void DialogFrame::Attach(QWidget* dialog, CommandTarget* commands) {
    if (dialog_) dialog_->removeEventFilter(this);
    dialog_ = dialog;
    commands_ = commands;
    initialised_ = false;
    if (dialog) dialog->installEventFilter(this);
}

void DialogFrame::Initialise() {
    if (!dialog_ || initialised_) return;
    initialised_ = true;
    InitDialogEvent event;
    QCoreApplication::sendEvent(dialog_, &event);
}

bool DialogFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched != dialog_ || !dialog_) return false;
    // Deletion is the object's own business; nothing may run after it.
    if (event->type() == QEvent::DeferredDelete) return false;
    if (event->type() == QEvent::Show && !initialised_) Initialise();

    QWidget* dialog = dialog_;
    if (BeforeMessage(dialog, event)) return true;
    // The dialog's own handling, in place of the normal delivery (which returning true skips).
    // The dialog may delete itself, and this frame with it, while handling the event.
    QPointer<DialogFrame> self(this);
    QPointer<QWidget> alive(dialog);
    static_cast<QObject*>(dialog)->event(event);
    if (self && alive) AfterMessage(dialog, event);
    return true;
}

bool DialogFrame::BeforeMessage(QWidget* dialog, QEvent* event) {
    if (!dialog || !event) return false;
    const QEvent::Type type = event->type();

    if (!title.empty()) {
        if (type == DialogScrollEvent::Type()) {
            scrollOffset = -std::max(0, static_cast<DialogScrollEvent*>(event)->position);
            dialog->update();
        } else if (type == QEvent::Paint) {
            PaintTitleStrip(dialog);
        }
    }

    if (hideScrollBar) {
        if (type == InitDialogEvent::Type() ||
            type == platform::gui::SettingChangeEvent::EventType()) {
            QCoreApplication::postEvent(dialog, new HideScrollBarEvent);
        } else if (type == HideScrollBarEvent::Type()) {
            HideVerticalScrollBar(dialog);
            return true;
        }
    }

    if (applyFonts && type == InitDialogEvent::Type()) ApplyDialogFonts(dialog);

    if (swallowTaps && IsLeftPress(event)) {
        event->accept();
        return true;
    }

    if (menuCommandStates && type == MenuPopupEvent::Type()) {
        const auto* popup = static_cast<MenuPopupEvent*>(event);
        if (!popup->systemMenu) {
            UpdateMenuCommandStates(popup->popup);
            return true;
        }
    }
    return false;
}

void DialogFrame::AfterMessage(QWidget* dialog, QEvent* event) {
    if (!dialog || !event) return;
    const QEvent::Type type = event->type();
    if (inputPanelControl && type == InitDialogEvent::Type()) {
        if (!platform::gui::IsWindowClassRegistered(u"SIPPREF")) SHInitExtraControls();
        if (QWidget* sip = platform::gui::CreateSipPrefControl(dialog)) {
            sip->setProperty("controlId", 0);
        }
    }
    if (type == QEvent::Resize) clientWidth = dialog->rect().width();
    if (type == platform::gui::SettingChangeEvent::EventType() &&
        static_cast<platform::gui::SettingChangeEvent*>(event)->Flag() ==
            platform::gui::SETTINGCHANGE_RESET) {
        scrollOffset = 0;
    }
}

void DialogFrame::SetTitle(QWidget* dialog, std::u16string_view text) {
    title.assign(text);
    if (dialog && clientWidth > 0) dialog->update(QRect(0, 0, clientWidth, kTitleInvalidHeight));
}

void DialogFrame::PaintTitleStrip(QWidget* dialog) {
    QPainter painter(dialog);
    painter.fillRect(dialog->rect(), dialog->palette().color(QPalette::Base));

    const int stripTop = ViewTop(dialog) + scrollOffset;
    const int stripBottom = stripTop + ScaleY(kTitleHeight);
    painter.setFont(TitleFont());
    painter.setPen(kTitleColour);
    const QRect textRect(QPoint(ScaleX(kTitleLeft), stripTop),
                         QPoint(clientWidth - 1, stripBottom - 1));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QString::fromStdU16String(title));

    QPen pen(Qt::black);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    const int penWidth = ScaleY(kSeparatorWidth);
    const QPoint line[2] = {QPoint(0, stripBottom), QPoint(dialog->rect().width(), stripBottom)};
    EdgeAlignedPolyline(painter, line, 2, kAlignBelowRight, penWidth);
}

void DialogFrame::UpdateMenuCommandStates(QMenu* popup) {
    if (!popup) return;
    QList<QAction*> actions = popup->actions();
    for (qsizetype i = 0; i < actions.size(); ++i) {
        QAction* action = actions[i];
        if (action->isSeparator()) continue;
        UINT id = 0;
        if (QMenu* sub = action->menu()) {
            // A sub-menu item takes the state of its first command, and is never disabled for
            // lack of a handler.
            const QList<QAction*> subActions = sub->actions();
            if (subActions.isEmpty()) continue;
            id = ActionCommandId(subActions.first());
            if (id == 0 || subActions.first()->menu()) continue;
            if (commands_) commands_->UpdateCommandUi(id, action);
        } else {
            id = ActionCommandId(action);
            if (id == 0) continue;
            const bool updated = commands_ && commands_->UpdateCommandUi(id, action);
            if (!updated) action->setEnabled(commands_ && commands_->HasCommandHandler(id));
        }
        // A handler may have taken items out of the menu: go on after the items of this id.
        const QList<QAction*> now = popup->actions();
        if (now.size() < actions.size()) {
            i -= actions.size() - now.size();
            if (i < -1) i = -1;
            while (i + 1 < now.size() && ActionCommandId(now[i + 1]) == id) ++i;
        }
        actions = now;
    }
}

void DialogFrame::HideVerticalScrollBar(QWidget* dialog) {
    scrollBarHidden_ = true;
    if (auto* own = qobject_cast<QAbstractScrollArea*>(dialog)) {
        own->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        return;
    }
    if (QAbstractScrollArea* area = ScrollAreaAround(dialog))
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void DialogFrame::SetTitledPage(bool inputPanel) {
    title = std::u16string(1, u'_');  // placeholder until the translated title
    applyFonts = true;
    inputPanelControl = inputPanel;
    menuCommandStates = true;
    swallowTaps = true;
}
