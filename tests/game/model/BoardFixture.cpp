#include "tests/game/model/BoardFixture.h"

#include <sstream>
#include <stdexcept>

namespace {
constexpr const char* kRanks = "23456789TJQKA";
constexpr const char* kSuits = "CDSH";
}  // namespace

Card* BoardTest::C(const std::string& name) const {
    const std::string ranks = kRanks, suits = kSuits;
    if (name.size() != 2 || ranks.find(name[0]) == std::string::npos ||
        suits.find(name[1]) == std::string::npos) {
        throw std::invalid_argument("bad card name " + name);
    }
    return deck_.Find(static_cast<int>(suits.find(name[1])), static_cast<int>(ranks.find(name[0])));
}

void BoardTest::Arrange(const std::vector<std::pair<int, std::vector<std::string>>>& piles) {
    board_.ClearKeepCards();
    for (const auto& [pile, cards] : piles) {
        for (const auto& name : cards) board_.PlaceCard(C(name), pile);
    }
    board_.ClearHistory();
    board_.Deselect();
    owner_.messages.clear();
    owner_.cardsLeftShown.clear();
}

std::vector<std::string> BoardTest::SuitUpTo(const std::string& top) const {
    const std::string order = "A23456789TJQK";
    std::vector<std::string> cards;
    for (char r : order) {
        cards.push_back(std::string{r, top[1]});
        if (r == top[0]) break;
    }
    return cards;
}

Point BoardTest::CentreOf(int pile, int index) const {
    const Point at = board_.CardPosition(pile, index);
    const Size size = board_.Layout().CardSize();
    // Columns fan downwards: aim into the visible strip of a covered card.
    const int dy = GameBoard::IsColumn(pile) && index + 1 < board_.Pile(pile).Count()
                       ? 2 * board_.Layout().Scale()
                       : size.height / 2;
    return {at.x + size.width / 2, at.y + dy};
}

Point BoardTest::CentreOfTop(int pile) const {
    const int count = board_.Pile(pile).Count();
    if (count == 0) {
        const Point at = board_.CardPosition(pile, 0);
        return {at.x + 5, at.y + 5};
    }
    return CentreOf(pile, count - 1);
}

std::string BoardTest::BoardText() const {
    std::ostringstream text;
    for (int p = 0; p < GameBoard::kPiles; ++p) {
        text << p << ':';
        const CardPile& pile = board_.Pile(p);
        for (int i = 0; i < pile.Count(); ++i) text << ' ' << CardName(*pile.At(i));
        text << '\n';
    }
    auto name = [](const Card* c) { return c ? std::string(CardName(*c)) : std::string("-"); };
    text << "selected " << name(board_.SelectedCard()) << " tapped " << name(board_.TappedCard())
         << " history " << board_.History().Count() << '\n';
    return text.str();
}
