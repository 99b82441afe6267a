// The help viewer's window: a browser over one help file of the device's \Windows folder,
// scrolled to the anchor it was asked for.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

class HelpViewer : public QWidget {
    Q_OBJECT

  public:
    // `folder` is where help files are looked up: the device's \Windows folder, which is the
    // viewer program's own folder.
    explicit HelpViewer(const QString& folder, QWidget* parent = nullptr);

    // Opens the topic of a "file:NAME#ANCHOR" argument. Returns true when the file was found
    // and shown. A missing or invalid file shows a short note instead (false); an anchor the
    // file does not hold leaves the file at its top (still true). Scrolling to the anchor
    // happens once the window is shown, so show it before or after, as convenient.
    bool Open(const QString& argument);

    QTextBrowser* Browser() const { return browser_; }
    QString FilePath() const { return filePath_; }  // the file shown, empty when none
    QString Anchor() const { return anchor_; }      // the anchor asked for
    // Whether the shown document holds an anchor of this name.
    bool HasAnchor(const QString& name) const;
    // The document's vertical position, in pixels, where the anchor begins; -1 if absent.
    int AnchorPosition(const QString& name) const;

  private:
    QString folder_;
    QTextBrowser* browser_;
    QString filePath_;
    QString anchor_;
};
