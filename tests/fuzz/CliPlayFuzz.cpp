// The event reader of `tessamo-cli play`: any text on standard input, with options and a
// game number taken from the input's first bytes. A run ends with status 0 or 2 (a line it
// cannot read); a finished run prints a board that still holds the 52 cards once each, the
// foundations built up by suit from the Ace, and the cards-left and won lines agree with it.
#include <cstddef>
#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/fuzz/FuzzSupport.h"
#include "tools/cli/Commands.h"

namespace {

constexpr char kRanks[] = "A23456789TJQK";

void CheckBoard(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    std::set<std::string> cards;
    int onFoundations = 0;
    for (int pile = 0; pile < 16; ++pile) {
        FUZZ_CHECK(std::getline(lines, line));
        const std::string head = "pile " + std::to_string(pile) + ":";
        FUZZ_CHECK(line.starts_with(head));
        std::istringstream words(line.substr(head.size()));
        std::vector<std::string> pileCards;
        for (std::string card; words >> card;) {
            const std::string name = card.substr(0, card.find('@'));
            FUZZ_CHECK(name.size() == 2);
            FUZZ_CHECK(cards.insert(name).second);
            pileCards.push_back(name);
        }
        if (pile >= 8 && pile < 12) FUZZ_CHECK(pileCards.size() <= 1);
        if (pile >= 12) {
            for (std::size_t i = 0; i < pileCards.size(); ++i) {
                FUZZ_CHECK(i < 13 && pileCards[i][0] == kRanks[i]);
                FUZZ_CHECK(pileCards[i][1] == pileCards[0][1]);
            }
            onFoundations += static_cast<int>(pileCards.size());
        }
    }
    FUZZ_CHECK(cards.size() == 52);
    bool sawCardsLeft = false, sawWon = false;
    while (std::getline(lines, line)) {
        if (line.starts_with("cards left: ")) {
            sawCardsLeft = true;
            FUZZ_CHECK(line == "cards left: " + std::to_string(52 - onFoundations));
        } else if (line.starts_with("won: ")) {
            sawWon = true;
            FUZZ_CHECK(line == (onFoundations == 52 ? "won: yes" : "won: no"));
        }
    }
    FUZZ_CHECK(sawCardsLeft && sawWon);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    static const char* const kScreens[] = {"240x320", "480x640",   "320x240", "640x480",
                                           "1x1",     "4096x4096", "401x300", "800x600"};
    const std::uint8_t flags = data[0];
    Args args{"--screen", kScreens[flags & 7]};
    if (flags & 0x08) args.push_back("--no-messages");
    if (flags & 0x10) args.push_back("--no-dblclick");
    if (flags & 0x20) args.push_back("--no-dragbox");
    if (flags & 0x40) args.push_back("--positions");
    const std::int32_t game = static_cast<std::int32_t>(
        static_cast<std::uint32_t>(data[1]) | static_cast<std::uint32_t>(data[2]) << 8 |
        static_cast<std::uint32_t>(data[3]) << 16 | static_cast<std::uint32_t>(data[4]) << 24);
    // A game number by itself could be read as an option; "--" keeps it a number.
    args.push_back("--");
    args.push_back(std::to_string(game));

    std::istringstream in(std::string(reinterpret_cast<const char*>(data + 5), size - 5));
    std::ostringstream out, err;
    const int status = RunPlay(args, in, out, err);
    FUZZ_CHECK(status == 0 || status == 2);
    if (status == 0) {
        FUZZ_CHECK(err.str().empty());
        CheckBoard(out.str());
    } else {
        FUZZ_CHECK(out.str().empty());
        FUZZ_CHECK(err.str().starts_with("tessamo-cli play: line "));
    }
    return 0;
}
