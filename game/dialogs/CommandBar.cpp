#include "game/dialogs/CommandBar.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include "game/dialogs/DialogFrame.h"

CommandBar::CommandBar(QWidget* owner, QWidget* parent) : QToolBar(parent), owner_(owner) {
    setMovable(false);
    setFloatable(false);
    // Drop-down buttons of a menu bar show no arrow.
    setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; width: 0px; }"));
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
        button->setPopupMode(QToolButton::InstantPopup);
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    return button;
}

QAction* CommandBar::AddCommandButton(UINT commandId, const QIcon& image, const QString& toolTip) {
    QAction* action = addAction(image, QString());
    action->setData(commandId);
    action->setToolTip(toolTip);
    connect(action, &QAction::triggered, this, [this, commandId] { SendCommand(commandId); });
    if (auto* button = qobject_cast<QToolButton*>(widgetForAction(action))) {
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    return action;
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
