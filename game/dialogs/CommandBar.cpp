#include "game/dialogs/CommandBar.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <QToolButton>

#include "game/dialogs/DialogFrame.h"
#include "platform/gui/DeviceFont.h"

namespace {

// The bar lies in the menu band at the bottom of the screen, so its drop-down menus open
// upwards, above their button, and never below the screen's edge.
class MenuAboveButton : public QObject {
  public:
    MenuAboveButton(QToolButton* button, QMenu* menu) : QObject(menu), button_(button) {
        menu->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && button_) {
            auto* menu = static_cast<QMenu*>(watched);
            const QPoint top = button_->mapToGlobal(QPoint(0, 0));
            menu->move(top.x(), top.y() - menu->sizeHint().height());
        }
        return false;
    }

  private:
    QPointer<QToolButton> button_;
};

// Drop-down buttons of a menu bar show no arrow: the bar's buttons are drawn as if they had
// no menu. A proxy of the style rather than a style sheet, which would cost the start a few
// milliseconds.
class NoMenuArrowStyle : public QProxyStyle {
  public:
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override {
        const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option);
        if (control != CC_ToolButton || !button) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        QStyleOptionToolButton plain = *button;
        plain.features &= ~QStyleOptionToolButton::HasMenu;
        QProxyStyle::drawComplexControl(control, &plain, painter, widget);
    }
};

// A menu and its sub-menus: windows of their own, which take no font from the bar.
void UseDeviceFont(QMenu* menu) {
    menu->setFont(platform::gui::AtDeviceDensity(QApplication::font(menu)));
    for (QAction* item : menu->actions()) {
        if (QMenu* sub = item->menu()) UseDeviceFont(sub);
    }
}

}  // namespace

CommandBar::CommandBar(QWidget* owner, QWidget* parent)
    : QWidget(parent), layout_(new QHBoxLayout(this)), owner_(owner) {
    // As on the tool bar: its background role, hover and sizing, and its style's metrics.
    setBackgroundRole(QPalette::Button);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    layout_->addStretch();
    ApplyStyleMetrics();
    // The bar's labels speak in the device's default font at its density, like its dialogs.
    setFont(platform::gui::AtDeviceDensity(QApplication::font(this)));
    buttonStyle_ = new NoMenuArrowStyle;
    buttonStyle_->setParent(this);
}

void CommandBar::SetCommandHandler(std::function<void(UINT id)> handler) {
    handler_ = std::move(handler);
}

int CommandBar::ButtonCount() const {
    return static_cast<int>(actions().size());
}

QToolButton* CommandBar::InsertMenuButton(int position, UINT commandId, const QString& label,
                                          QMenu* menu) {
    auto* action = new QAction(label, this);
    action->setData(commandId);
    action->setEnabled(true);
    if (menu) {
        UseDeviceFont(menu);
        action->setMenu(menu);
        // Items of the menu (and of its sub-menus, whose choices reach it too) are commands
        // of the bar.
        connect(menu, &QMenu::triggered, this, [this](QAction* chosen) {
            if (const UINT id = ActionCommandId(chosen)) SendCommand(id);
        });
    }
    const QList<QAction*> present = actions();
    QAction* before = (position >= 0 && position < present.size()) ? present[position] : nullptr;
    insertAction(before, action);
    auto* button = qobject_cast<QToolButton*>(widgetForAction(action));
    if (button) {
        button->setStyle(buttonStyle_);
        button->setFont(font());
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        if (menu) new MenuAboveButton(button, menu);
    }
    return button;
}

QAction* CommandBar::AddCommandButton(UINT commandId, const QIcon& image, const QString& toolTip) {
    QAction* action = addAction(image, QString());
    action->setData(commandId);
    action->setToolTip(toolTip);
    connect(action, &QAction::triggered, this, [this, commandId] { SendCommand(commandId); });
    if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action))) {
        button->setFont(font());
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    return action;
}

QToolButton* CommandBar::widgetForAction(QAction* action) const {
    return buttons_.value(action).data();
}

void CommandBar::ApplyStyleMetrics() {
    const int margin = style()->pixelMetric(QStyle::PM_ToolBarItemMargin, nullptr, this) +
                       style()->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, this);
    layout_->setContentsMargins(margin, margin, margin, margin);
    layout_->setSpacing(style()->pixelMetric(QStyle::PM_ToolBarItemSpacing, nullptr, this));
    const int icon = style()->pixelMetric(QStyle::PM_ToolBarIconSize, nullptr, this);
    for (const QPointer<QToolButton>& button : buttons_) {
        if (button) button->setIconSize(QSize(icon, icon));
    }
}

void CommandBar::changeEvent(QEvent* event) {
    if (event->type() == QEvent::StyleChange) ApplyStyleMetrics();
    QWidget::changeEvent(event);
}

void CommandBar::actionEvent(QActionEvent* event) {
    QAction* action = event->action();
    switch (event->type()) {
        case QEvent::ActionAdded: {
            auto* button = new QToolButton(this);
            button->setAutoRaise(true);
            button->setFocusPolicy(Qt::NoFocus);
            const int icon = style()->pixelMetric(QStyle::PM_ToolBarIconSize, nullptr, this);
            button->setIconSize(QSize(icon, icon));
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
            button->setDefaultAction(action);
            button->setVisible(action->isVisible());
            // The action is in actions() already, in its place; the stretch stays last.
            layout_->insertWidget(static_cast<int>(actions().indexOf(action)), button);
            buttons_.insert(action, button);
            break;
        }
        case QEvent::ActionChanged:
            if (QToolButton* button = widgetForAction(action))
                button->setVisible(action->isVisible());
            break;
        case QEvent::ActionRemoved:
            // Also when the action is being deleted: by then its button has let go of it.
            delete buttons_.take(action).data();
            break;
        default:
            break;
    }
    QWidget::actionEvent(event);
}

void CommandBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionToolBar option;
    option.initFrom(this);
    option.state |= QStyle::State_Horizontal;
    option.lineWidth = style()->pixelMetric(QStyle::PM_ToolBarFrameWidth, nullptr, this);
    option.features = QStyleOptionToolBar::None;
    option.toolBarArea = Qt::NoToolBarArea;
    style()->drawControl(QStyle::CE_ToolBar, &option, &painter, this);
}

QAction* CommandBar::CommandAction(UINT commandId) const {
    for (QAction* action : actions()) {
        if (ActionCommandId(action) == commandId) return action;
    }
    return nullptr;
}

void CommandBar::EnableCommand(UINT commandId, bool enable) {
    if (QAction* action = CommandAction(commandId)) action->setEnabled(enable);
}

void CommandBar::SendCommand(UINT id) {
    if (handler_) handler_(id);
}
