// The card table: the cards in drawing order, painting onto a target, hit testing and
// repainting single cards. It knows nothing of piles or rules. The window it stands for is
// reached through TableHost, which its owner supplies.
#pragma once

#include <cstdint>
#include <vector>

#include "game/model/Card.h"
#include "game/model/DrawTarget.h"
#include "game/model/Geometry.h"

class TableHost {
  public:
    virtual ~TableHost() = default;
    // Marks the rectangle as needing repaint.
    virtual void InvalidateRect(const Rect& rect, bool erase) = 0;
    // Paints whatever is invalid at once.
    virtual void RepaintNow() = 0;
};

class CardTable {
  public:
    // `host` must outlive the table.
    explicit CardTable(TableHost& host);
    virtual ~CardTable();
    CardTable(const CardTable&) = delete;
    CardTable& operator=(const CardTable&) = delete;

    // Empties the card list. The cards are owned by their deck and stay alive.
    virtual void ClearAndDelete();
    // Fills the whole target with the background colour.
    virtual void DrawBackground(DrawTarget& target);
    // Draws the background, then every card of the card list from first to last.
    virtual void Paint(DrawTarget& target);

    // The game's green felt: red 0, green 130, blue 0.
    static constexpr std::uint32_t kTableColour = 0x00008200;

    // Colour as 0x00BBGGRR; the owner sets it before the first paint.
    void SetBackgroundColour(std::uint32_t colour) { background_ = colour; }
    std::uint32_t BackgroundColour() const { return background_; }

    // Appends the card on top. The card must outlive its time on the table.
    void AddCard(Card* card);
    // Moves the card to the top; false (and no change) when it is not on the table.
    bool BringToFront(Card* card);
    // Empties the card list without touching the cards.
    void ForgetAll();
    // The uppermost card whose rectangle holds the point, or null.
    Card* HitTest(int x, int y) const;
    // Marks the card's rectangle, grown by one pixel right and down, for repaint.
    void InvalidateCard(const Card& card);

    const std::vector<Card*>& CardList() const { return cards_; }

  protected:
    TableHost& Host() const { return host_; }

  private:
    TableHost& host_;
    std::uint32_t background_ = kTableColour;
    std::vector<Card*> cards_;
};
