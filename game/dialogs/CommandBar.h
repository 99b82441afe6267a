// The command bar: a strip of buttons that stands for the platform's command bar and soft-key
// menu bar. Menu buttons (from BuildMenuBar) open their drop-down menu at once when tapped and
// show no arrow; command buttons (such as the Undo image button) send their command.
// It is a plain widget with a row of tool buttons, one per action, drawn like Qt's tool bar:
// a QToolBar would cost the start a few milliseconds for its extension button alone, and a
// bar of two or three buttons never overflows.
//
// Every command of the bar, from a button or from an item of a drop-down menu, goes to the
// command handler by id. The drop-down menus also tell the owner dialog that they are about
// to open (MenuPopupEvent, see DialogFrame), so its frame can update their command states.
#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "platform/Types.h"

class QHBoxLayout;
class QMenu;
class QStyle;
class QToolButton;

class CommandBar : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kAppend = 0xFFFF;  // insert position: after the last button

    // `owner`: the dialog whose frame updates the drop-down menus and that owns the menu
    // (may be null). `parent`: where the bar lies (e.g. the device screen's menu band).
    explicit CommandBar(QWidget* owner, QWidget* parent = nullptr);

    QWidget* Owner() const { return owner_; }

    // Called with the command id of every button or menu item the user chooses.
    void SetCommandHandler(std::function<void(UINT id)> handler);

    // Buttons, in order (menu buttons and command buttons alike).
    int ButtonCount() const;

    // Inserts a drop-down button that opens `menu` (not taken over; the caller keeps it
    // alive as long as the bar) at `position` (kAppend, or a position past the end, appends).
    // Its action carries `commandId`; it is enabled and sized to its label.
    QToolButton* InsertMenuButton(int position, UINT commandId, const QString& label, QMenu* menu);

    // Appends a plain command button with an image (no text) and a tooltip.
    QAction* AddCommandButton(UINT commandId, const QIcon& image, const QString& toolTip);

    // The button action carrying `commandId`, or null.
    QAction* CommandAction(UINT commandId) const;
    // Enables or disables the button of `commandId`; nothing when there is none.
    void EnableCommand(UINT commandId, bool enable);

    // The menu that BuildMenuBar recorded as the bar's menu (the first one built), or null.
    QMenu* Menu() const { return menu_; }
    void SetMenu(QMenu* menu) { menu_ = menu; }

    // Runs the command handler, if any, with `id`.
    void SendCommand(UINT id);

    // The button that shows `action`, or null; named as on Qt's tool bar.
    QToolButton* widgetForAction(QAction* action) const;

  protected:
    // Every action added to the bar gets its button, in the action's place.
    void actionEvent(QActionEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    // Margins, spacing and icon size from the style, as a tool bar takes them.
    void ApplyStyleMetrics();

    QHBoxLayout* layout_;
    // Each action's button.
    QHash<QAction*, QPointer<QToolButton>> buttons_;
    QWidget* owner_;
    QMenu* menu_ = nullptr;
    // Draws the menu buttons; the bar owns it.
    QStyle* buttonStyle_ = nullptr;
    std::function<void(UINT)> handler_;
};
