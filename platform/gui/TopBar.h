// The device screen's top bar: the active dialog's title, then the buttons that stand for
// the handheld's own keys: rotate the screen, OK (while the active dialog wants it) and help.
#pragma once

#include <QWidget>

class QAction;
class QLabel;
class QStyle;
class QToolButton;

namespace platform::gui {

class TopBar : public QWidget {
    Q_OBJECT

  public:
    // `rotate` is the screen's Rotate action, which the rotate button triggers.
    TopBar(QWidget* parent, int displayScale, QAction* rotate);

    QString Title() const;
    void SetTitle(const QString& title);
    bool OkVisible() const;
    void SetOkVisible(bool visible);

  signals:
    void okPressed();
    void helpPressed();

  private:
    QToolButton* AddButton(const char* objectName, const QString& text, const QString& toolTip);

    QLabel* title_ = nullptr;
    QToolButton* ok_ = nullptr;
    QFont buttonFont_;
    // Draws the buttons; the bar owns it.
    QStyle* buttonStyle_ = nullptr;
};

}  // namespace platform::gui
