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
constexpr int kTitleFontHeight = 13;
constexpr int kAlignBelowRight = 0x50;
const QColor kTitleColour(0, 0, 156);
// SetTitle repaints this many pixels of the strip, unscaled.
constexpr int kTitleInvalidHeight = 25;

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
    m.title = MakeTahoma(ScaleY(kTitleFontHeight), true);
    m.body = MakeTahoma(ScaleY(kTitleFontHeight), false);
}

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

bool EdgeAlignedPolyline(QPainter& painter, const QPoint* points, int count, int alignment,
                         int penWidth) {
    if (!painter.isActive() || count < 0 || (!points && count > 0)) return false;
    const QPen saved = painter.pen();
    QPen pen = saved;
    pen.setWidth(std::max(0, penWidth));
    painter.setPen(pen);

    const int w = penWidth;
    if ((alignment & 0xF0) == 0) {
        if (count > 1) painter.drawPolyline(points, count);
    } else {
        int shiftX = 0;
        if (alignment & 0x10) {
            shiftX = w / 2;
        } else if (alignment & 0x20) {
            shiftX = -((w - 1) / 2);
        }
        int shiftY = 0;
        if (alignment & 0x40) {
            shiftY = w / 2;
        } else if (alignment & 0x80) {
            shiftY = -((w - 1) / 2);
        }
        for (int i = 1; i < count; ++i) {
            const QPoint a = points[i - 1];
            const QPoint b = points[i];
            const bool upright = std::abs(b.y() - a.y()) >= std::abs(b.x() - a.x());
            const QPoint shift = upright ? QPoint(shiftX, 0) : QPoint(0, shiftY);
            painter.drawLine(a + shift, b + shift);
        }
    }
    painter.setPen(saved);
    return true;
}
