// The record that every dialog of the program embeds: it gives the controls the shared Tahoma
// fonts, paints the title strip (dark blue bold title, black separator line), creates the
// input-panel preference control, runs the command-state updates of popup menus, swallows
// taps on the dialog's own background and keeps a vertical scroll bar away.
//
// How a dialog uses it:
//   - hold a DialogFrame member, set the options in the constructor (title "_" makes the
//     strip active until the translated title arrives through SetTitle);
//   - call frame.Attach(this, commandTarget) once, in the constructor after the controls exist;
//     from then on every event of the dialog passes BeforeMessage, then the dialog's own
//     event() (when BeforeMessage did not consume it), then AfterMessage;
//   - do the dialog's initialisation on InitDialogEvent (override event() or customEvent()).
//     The frame sends it once, when the dialog is first shown, or earlier through
//     DialogFrame::Initialise. The frame's own initialisation work (fonts, the scroll-bar
//     request) runs before the dialog sees the event, the input-panel control after it.
//
// The platform's window messages and their events here:
//   paint            QEvent::Paint        resize (client width)  QEvent::Resize
//   initialisation   InitDialogEvent      left-button-down       QEvent::MouseButtonPress
//   vertical scroll  DialogScrollEvent    setting change         platform::gui::SettingChangeEvent
//   popup menu init  MenuPopupEvent       "DisableScrollBarMessage"  HideScrollBarEvent
//
// Painting: Qt's painters on a widget do not nest, so BeforeMessage draws the background
// and the title strip and ends its painter before the dialog's own paintEvent runs; the
// order (frame first, dialog second, one paint cycle) is kept.
#pragma once

#include <QEvent>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <string>
#include <string_view>

#include "game/dialogs/DialogMetrics.h"
#include "platform/Types.h"
#include "platform/gui/DeviceScreen.h"

class QAction;
class QMenu;
class QPainter;
class QPoint;
class QWidget;

// The dialog's command handlers and command-update handlers, by command id (the two kinds
// of entries of its message map).
class CommandTarget {
  public:
    virtual ~CommandTarget() = default;
    // True when the dialog carries out command `id`.
    virtual bool HasCommandHandler(UINT id) const = 0;
    // Runs the dialog's update handler for `id` on the menu item `action` (enable, check,
    // change the text, or remove it from its menu) and returns true; false when the dialog
    // has no update handler for `id` (then `action` is left as it is).
    virtual bool UpdateCommandUi(UINT id, QAction* action) = 0;
};

// The command id that a menu item or button carries (QAction::data as an unsigned number);
// 0 for separators and items without one.
UINT ActionCommandId(const QAction* action);

// The dialog's initialisation (the platform's WM_INITDIALOG).
class InitDialogEvent : public QEvent {
  public:
    InitDialogEvent() : QEvent(Type()) {}
    static QEvent::Type Type();
};

// A vertical scroll of the dialog: the device screen sends it when the user scrolls a hosted
// dialog (DeviceScreen.h). `code` is the scroll code (5 = thumb tracking), `position` the
// scroll position (tracking or current), >= 0.
using platform::gui::DialogScrollEvent;

// A popup menu of the dialog is about to open (the platform's WM_INITMENUPOPUP). A system
// menu is never updated.
class MenuPopupEvent : public QEvent {
  public:
    MenuPopupEvent(QMenu* popup, bool systemMenu)
        : QEvent(Type()), popup(popup), systemMenu(systemMenu) {}
    static QEvent::Type Type();
    QMenu* popup;
    bool systemMenu;
};

// The frame's request to itself to take the vertical scroll bar away (the message registered
// under "DisableScrollBarMessage"); posted, so it arrives after the event that caused it.
class HideScrollBarEvent : public QEvent {
  public:
    HideScrollBarEvent() : QEvent(Type()) {}
    static QEvent::Type Type();
};

// Sends a MenuPopupEvent for `popup` to `dialog` each time `popup` or one of its sub-menus
// is about to show, so the dialog's frame can update the items' command states first.
// The connections end when either side is destroyed.
void TrackPopupMenus(QWidget* dialog, QMenu* popup);

class DialogFrame : public QObject {
  public:
    DialogFrame();
    ~DialogFrame() override;
    DialogFrame(const DialogFrame&) = delete;
    DialogFrame& operator=(const DialogFrame&) = delete;

    // Options: each dialog's constructor sets them before Attach.
    std::u16string title;            // empty: no title strip, no scroll tracking
    bool applyFonts = false;         // ApplyDialogFonts on the dialog at initialisation
    bool inputPanelControl = false;  // create a "SIPPREF" control at initialisation
    bool menuCommandStates = false;  // update popup menu items from the command target
    bool swallowTaps = false;        // consume left-button presses on the dialog itself
    bool hideScrollBar = false;      // keep the vertical scroll bar off

    // State.
    int clientWidth = -1;  // from the last resize; -1 until the first
    int scrollOffset = 0;  // minus the vertical scroll position, 0 or negative

    // Routes every event of `dialog` through this frame from now on (an event filter that
    // calls the dialog's own event handling between the two hooks). `commands` answers the
    // command-state updates; null means the dialog has no handlers, so every plain menu item
    // gets disabled when menu command states are on. Neither is owned; a destroyed dialog
    // simply stops sending events. Attaching again moves the frame to the new dialog.
    void Attach(QWidget* dialog, CommandTarget* commands = nullptr);
    // The options of the game's titled pages (Select game, Options, Statistics): a title
    // strip with a placeholder until the translated title, the device fonts, popup menu
    // states from the command target and taps on the dialog itself swallowed; with
    // `inputPanel` also the input panel control.
    void SetTitledPage(bool inputPanel);
    QWidget* Dialog() const { return dialog_; }

    // Sends InitDialogEvent to the attached dialog now, unless it had it already.
    void Initialise();
    bool Initialised() const { return initialised_; }

    // The two hooks. BeforeMessage returns true when the event is consumed; the dialog then
    // does not see it and AfterMessage does not run.
    bool BeforeMessage(QWidget* dialog, QEvent* event);
    void AfterMessage(QWidget* dialog, QEvent* event);

    // Stores `text` as the title. If `dialog` is given, it repaints the strip's area
    // (0, 0, client width, 25 pixels, unscaled); before the first resize that area is empty,
    // so nothing is repainted.
    void SetTitle(QWidget* dialog, std::u16string_view text);

    // True once the frame has turned the dialog's vertical scroll bar off.
    bool ScrollBarHidden() const { return scrollBarHidden_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void PaintTitleStrip(QWidget* dialog);
    void UpdateMenuCommandStates(QMenu* popup);
    void HideVerticalScrollBar(QWidget* dialog);

    QPointer<QWidget> dialog_;
    CommandTarget* commands_ = nullptr;
    bool initialised_ = false;
    bool scrollBarHidden_ = false;
};
