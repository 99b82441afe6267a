// The one top-level window that stands for the handheld's screen.
//
//   +--------------------------------------+
//   | top bar: active dialog's title  [?]  |  26 x display scale pixels
//   +--------------------------------------+
//   | work area: the main dialog and every |
//   | modal dialog lie here, each filling  |
//   | the whole area, the active one on    |
//   | top; a taller one scrolls            |
//   +--------------------------------------+
//   | menu band: active dialog's menu bar  |  26 x display scale pixels
//   +--------------------------------------+
//
// The window's client size IS the handheld's screen: platform::ScreenWidth()/ScreenHeight()
// follow it at all times. Resizing the window, or Rotate() (Ctrl+R, also a top-bar button),
// is the handheld's screen change: the work area and every hosted dialog take the new size,
// then the screen broadcasts a SettingChangeEvent (GuiEvents.h) and emits settingChange().
// A resize to the same size is no change and notifies nothing.
//
// The display scale (DisplayScale.h, of the start width) is fixed at construction, like the
// handheld's; so is the pixel density, 96 x display scale dpi.
//
// Start size and platform version: see platform/StartupSettings.h. The screen applies
// KORVEL_PLATFORM_VERSION at construction, e.g. 4 for a device without soft keys.
//
// Each hosted dialog lies in a scroll area of its own that fills the work area (ScrollAreaOf).
// The dialog is as wide as the area's viewport and as high as the viewport or, when its
// controls reach further down, as their lowest bottom plus a small margin; then the area shows
// a vertical scroll bar (never a horizontal one), as the handheld gives such a dialog. The
// dialog's height follows its controls while it is hosted (moved, resized, shown, hidden,
// added). Every change of the scroll position is sent to the dialog as a DialogScrollEvent;
// a screen change scrolls every hosted dialog back to the top first. A dialog that switches
// its scroll area's vertical scroll bar off keeps it off for the rest of its life, also in
// later runs: the area is kept for the dialog until the dialog is destroyed.
//
// The active dialog is the top of the modal stack (ModalRun.h). The top bar shows its
// windowTitle() and follows later title changes; the menu band shows the menu bars that
// were attached to it (AttachMenuBar), each keeping its own shown/hidden state. The Help
// button and F1 send a HelpRequestEvent to the active dialog.
//
// Create the screen after the QApplication and before anything reads the display scale
// or the screen metrics (the card library, the board layout). At most one screen exists at
// a time; it is not a singleton owner of dialogs: dialogs are owned by their callers.
#pragma once

#include <QEvent>
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/StartupSettings.h"

class QScrollArea;
class QStackedWidget;
class QDialog;

namespace platform::gui {

class TopBar;

// The handheld's vertical scroll message of a dialog. The screen sends it (never posts it) to
// a hosted dialog each time the dialog's scroll position changes: `code` says how (thumb
// tracking while the scroll bar's thumb is dragged), `position` is the tracking position
// then and the new scroll position otherwise, in pixels, never negative.
class DialogScrollEvent : public QEvent {
  public:
    static constexpr int kLineUp = 0;
    static constexpr int kLineDown = 1;
    static constexpr int kPageUp = 2;
    static constexpr int kPageDown = 3;
    static constexpr int kThumbPosition = 4;
    static constexpr int kThumbTrack = 5;
    static constexpr int kTop = 6;
    static constexpr int kBottom = 7;
    DialogScrollEvent(int code, int position) : QEvent(Type()), code(code), position(position) {}
    static QEvent::Type Type();
    int code;
    int position;
};

class DeviceScreen : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kDefaultWidth = kDefaultScreenWidth;
    static constexpr int kDefaultHeight = kDefaultScreenHeight;
    static constexpr int kBarHeight = 26;  // top bar and menu band, times the display scale

    // Sets platform::SetScreenSize(size) at once. An invalid or too small size gives the
    // default. The window is not shown; call show().
    explicit DeviceScreen(QSize size = StartSize());
    ~DeviceScreen() override;

    // The screen that exists now, or null.
    static DeviceScreen* Instance();

    // KORVEL_SCREEN from the environment when it is a valid "WxH", else 480 x 640.
    static QSize StartSize();
    // Looks for "--screen=WxH" or "--screen WxH" among the arguments first, then StartSize().
    static QSize StartSizeFromArguments(int argc, const char* const* argv);
    // Parses "WxH" (also "W*H"); an invalid QSize for anything else or sides below 160.
    static QSize ParseSize(const QString& text);

    int DisplayScale() const { return displayScale_; }
    int LogPixels() const { return 96 * displayScale_; }
    QSize ScreenSize() const;    // the client size, what platform::ScreenWidth/Height report
    QRect WorkAreaRect() const;  // in screen coordinates: below the top bar, above the band

    // The widget inside which hosted dialogs lie (their parent while they are hosted).
    QWidget* WorkArea() const { return workArea_; }

    // The screen change: resize the window's client area to `size` (the same as a user
    // resize), or swap width and height.
    void SetScreenSize(QSize size);
    void Rotate();

    // Hosting, used by RunModal (ModalRun.h): the dialog goes into its scroll area in the
    // work area, scrolled to the top, fills it and lies on top; it becomes the active dialog.
    // Removing it makes the one below active again and gives the dialog back no parent (the
    // caller restores it).
    void PushDialog(QDialog* dialog);
    void RemoveDialog(QDialog* dialog);
    QDialog* ActiveDialog() const;
    std::vector<QDialog*> HostedDialogs() const;  // bottom to top
    // The scroll area that a hosted dialog lies in; null for a dialog that is not hosted.
    QScrollArea* ScrollAreaOf(const QDialog* dialog) const;

    // Attaches a menu bar widget to `dialog` (before or while it is hosted): the widget is
    // moved into the menu band and is visible there only while `dialog` is active, and only
    // while it is not hidden itself (hide()/show() on the bar keep working). A dialog may
    // attach several (a classic and a soft-key bar) and show one of them; shown bars share
    // the band from left to right. The bar stays attached while the dialog runs again later.
    // Ownership goes with the dialog: when the dialog is destroyed, its bars still attached
    // are deleted too; DetachMenuBar (or the screen's destruction) gives the bar back to the
    // dialog as a hidden child. A destroyed bar is simply forgotten.
    void AttachMenuBar(QDialog* dialog, QWidget* menuBar);
    void DetachMenuBar(QWidget* menuBar);

    // Sends a HelpRequestEvent to the active dialog; returns whether it was accepted.
    // Nothing happens (false) without an active dialog.
    bool SendHelpRequest();

    QString TopBarTitle() const;

    // While a message box is up over the screen, nothing on the screen takes input, but the
    // window itself is not blocked the way a modal window blocks it: the user's close request
    // still reaches it. Calls nest; input comes back when each hold has been released.
    void HoldInput();
    void ReleaseInput();
    bool InputHeld() const { return inputHolds_ > 0; }

    // The top bar's OK button: shown while the active dialog has not asked to hide it
    // (SHDoneButton). It accepts the active dialog, as the handheld's OK does.
    bool OkButtonVisible() const;
    void PressOk();
    // Re-reads the active dialog's OK button request (SHDoneButton calls it).
    void RefreshOkButton();

  signals:
    // After every real screen change, once, after the SettingChangeEvent broadcast.
    void settingChange(int width, int height);
    void activeDialogChanged(QDialog* dialog);
    // The user closed the screen window. Right after this signal the screen calls
    // QCoreApplication::exit(0), which ends every running event loop (RunModal gives IDCANCEL).
    void closeRequested();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Record;
    void HandleSize();
    void ActiveChanged();
    void ForgetDialog(QObject* dialog);
    // The record of `dialog`; made for `create` (the same dialog) when there is none and
    // `create` is given.
    Record* RecordFor(const QObject* dialog, QDialog* create);
    bool IsHosted(const Record* record) const;
    void FitHostedDialogs();

    int displayScale_ = 2;
    int inputHolds_ = 0;
    QSize lastSize_;
    TopBar* topBar_ = nullptr;
    QWidget* workArea_ = nullptr;
    QStackedWidget* band_ = nullptr;
    QWidget* emptyPage_ = nullptr;
    // Every dialog the screen knows, and the hosted ones, bottom to top.
    std::vector<std::unique_ptr<Record>> records_;
    std::vector<Record*> stack_;
    QMetaObject::Connection titleConnection_;
};

// Pixel density of the screen in dots per inch (the handheld's LOGPIXELSX/LOGPIXELSY):
// 96 x the device screen's display scale; without a screen, 96 x the display scale of
// platform::ScreenWidth().
int LogPixelsX();
int LogPixelsY();

}  // namespace platform::gui
