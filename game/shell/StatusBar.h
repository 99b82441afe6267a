// The main window's status bar: one line of parts, each ending at its right edge (-1: at the
// bar's right end), each with a text drawn without border. It stands for the platform's
// status bar control; its height follows its font, as that control's does.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

class StatusBar : public QWidget {
  public:
    explicit StatusBar(QWidget* parent = nullptr);

    // The parts' right edges in pixels, left to right; -1 runs to the bar's right end.
    // Texts of parts that remain are kept.
    void SetParts(const std::vector<int>& rightEdges);
    int PartCount() const { return static_cast<int>(edges_.size()); }
    // The part's rectangle in the bar; empty for a part that does not exist.
    QRect PartRect(int part) const;

    // Sets the text of a part; nothing for a part that does not exist.
    void SetText(int part, const QString& text);
    QString Text(int part) const;

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::vector<int> edges_;
    std::vector<QString> texts_;
};
