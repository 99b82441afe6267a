// The scroll area that one hosted dialog lies in (private to the device screen). It keeps
// the dialog as wide as the viewport and as high as the viewport or the dialog's controls
// need, and tells the dialog of every change of the scroll position (DialogScrollEvent).
#pragma once

#include <QPointer>
#include <QScrollArea>

class QDialog;

namespace platform::gui {

class DialogPort : public QScrollArea {
  public:
    // `margin` is the room left below the lowest control when the dialog scrolls.
    DialogPort(QWidget* parent, int margin);

    // Puts the dialog into the area, scrolled to its top.
    void Host(QDialog* dialog);
    // Takes the dialog out: it has no parent afterwards.
    void Release();
    // The dialog's scroll position goes back to 0, as after a screen change.
    void ScrollToTop();
    // Sizes the dialog for the viewport and its controls.
    void Fit();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    static int CodeFor(int action);
    void SendScroll(int value);
    int BarWidth() const;
    int NeededHeight(const QWidget* dialog, int viewHeight) const;
    void FitLater();

    QPointer<QWidget> dialog_;
    const int margin_;
    bool fitting_ = false;
    bool again_ = false;
    bool fitPending_ = false;
    int pendingCode_ = -1;
};

}  // namespace platform::gui
