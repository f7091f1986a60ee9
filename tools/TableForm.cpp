#include "tools/TableForm.h"

namespace kst::cli {

void printTableForm(std::ostream& out, const Game& game)
{
    forEachPile(game.cards.piles, [&](PileRef ref, const std::string& pile) {
        out << pileName(ref) << '=' << savedPileString(game.cards.deck, pile) << '\n';
    });
    out << "BaseRanks=";
    for (int i = 0; i < Rule::MaxFoundations; ++i) {
        const int base = game.rules[Rule::BaseRank + i];
        // Two characters as a saved game writes them; a value outside 0..99 cannot be written.
        const int shown = base < 0 || base > 99 ? 0 : base;
        out << char('0' + shown / 10) << char('0' + shown % 10);
    }
    out << "\nScore=" << game.score << "\nWon=" << (game.won ? 'Y' : 'N')
        << "\nDealCounter=" << game.counters.DealCounter << "\nSpecialCounter=" << game.counters.SpecialCounter
        << '\n';
}

} // namespace kst::cli
