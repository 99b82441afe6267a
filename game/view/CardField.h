// The CARDFIELD control: the window on which a card table lies. It paints the table through
// one off-screen image per paint and passes the stylus (mouse) to its input handler.
#pragma once

#include <QRegion>
#include <QWidget>

#include "game/model/CardTable.h"

// Receives the stylus on the card field, in the field's client coordinates.
class CardFieldInput {
  public:
    virtual ~CardFieldInput() = default;
    virtual void StylusDown(int x, int y) = 0;
    virtual void StylusUp(int x, int y) = 0;
    virtual void DoubleTap(int x, int y) = 0;
};

class CardField : public QWidget, public TableHost {
  public:
    explicit CardField(QWidget* parent = nullptr);

    // The table to paint; not owned. Without one the field paints black.
    void SetTable(CardTable* table) { table_ = table; }
    CardTable* Table() const { return table_; }
    // Where stylus events go; not owned, may be null.
    void SetInput(CardFieldInput* input) { input_ = input; }

    // TableHost: a card's area needs repainting; the next paint covers it.
    void InvalidateRect(const Rect& rect, bool erase) override;
    // Paints the invalid areas now.
    void RepaintNow() override;

    // The image one paint puts on the screen, for the whole client area.
    QImage ComposeImage() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    CardTable* table_ = nullptr;
    CardFieldInput* input_ = nullptr;
    // Marked since the last paint, for RepaintNow.
    QRegion pending_;
};
