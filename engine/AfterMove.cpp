#include "engine/AfterMove.h"

#include <vector>

#include "engine/AutoMoves.h"
#include "engine/Moves.h"
#include "engine/RuleCodes.h"

namespace kst {
namespace {

bool makeOne(StepMaker& maker, const Move& move, AutoStep step) { return maker.make({&move, 1}, step); }

bool turnUp(const Game& game, int pile, AutomaticPlay play, StepMaker& maker)
{
    const int top = topCard(game.cards.piles.fila[std::size_t(pile)]);
    if (!play.turnUps || !isCardNumber(top) || !game.cards.deck.isFaceDown(top))
        return false;
    return makeOne(maker, {MoveKind::TurnUp, std::uint8_t(top), filaPile(pile), {}}, AutoStep::TurnUp);
}

void sendCompletedRun(const Game& game, PileRef pile, StepMaker& maker)
{
    const std::vector<Move> run = completedRunMoves(game, pile);
    if (!run.empty())
        maker.make(run, AutoStep::CompletedRun);
}

bool fillEmptyTableaus(const Game& game, StepMaker& maker)
{
    bool filled = false;
    for (const Move& m : fillMoves(game))
        filled = makeOne(maker, m, AutoStep::Fill) || filled;
    return filled;
}

// One pass of automatic play: the reserves' cards first, the waste's, then the tableau's, again
// while any moves.
bool autoplayPass(const Game& game, AutomaticPlay play, StepMaker& maker)
{
    if (!play.autoplay || tableausInUse(game.rules) == 0)
        return false;
    // The card's move to a foundation, when one takes it and automatic play may choose it.
    const auto toFoundation = [&](int card) {
        if (!isCardNumber(card) || maker.stopped())
            return false;
        const Move m = autoMove(game, card, {true, false});
        if (m.isNone() || m.to.group != PileGroup::Dest || m.from.group == PileGroup::Dest
            || playerStartsFoundation(game, m.to.index))
            return false;
        return makeOne(maker, m, AutoStep::ToFoundation);
    };
    const bool reserves = reservesInUse(game.rules) > 0;
    bool movedAny = false;
    for (bool round = true; round && !game.won && !maker.stopped();) {
        round = false;
        for (bool again = true; again;) {
            again = false;
            for (int r = 0; r < reservesInUse(game.rules); ++r)
                again = toFoundation(topCard(game.cards.piles.appogg[std::size_t(r)])) || again;
            round = round || again;
        }
        if (game.rules[Rule::WasteUse] != WasteTopFixed)
            round = toFoundation(topCard(game.cards.piles.stock[1])) || round;
        for (int i = 0; i < tableausInUse(game.rules); ++i) {
            turnUp(game, i, play, maker);
            if (toFoundation(topCard(game.cards.piles.fila[std::size_t(i)]))) {
                round = true;
                if (reserves)
                    break; // the reserves first again
            }
        }
        movedAny = movedAny || round;
    }
    return movedAny;
}

} // namespace

void stepsAfterMove(const Game& game, const Move& move, int movesBefore, AutomaticPlay play, StepMaker& maker)
{
    if (collectsCompletedRuns(game.rules)) {
        if (move.kind == MoveKind::Stock) {
            for (int i = 0; i < tableausInUse(game.rules); ++i)
                sendCompletedRun(game, filaPile(i), maker);
        } else if (move.kind != MoveKind::TurnUp) {
            sendCompletedRun(game, move.to, maker);
            sendCompletedRun(game, move.from, maker);
        }
    }
    if (move.kind != MoveKind::TurnUp && !play.autoplay)
        for (int i = 0; i < tableausInUse(game.rules); ++i)
            turnUp(game, i, play, maker);
    if (game.rules[Rule::FillAfterFirstMove] == 1 && movesBefore == 0 && game.movesMade > 0)
        if (const Move fill = fillTableausMove(game); !fill.isNone())
            makeOne(maker, fill, AutoStep::Fill);
}

bool runAutoplay(const Game& game, AutomaticPlay play, StepMaker& maker)
{
    bool moved = false;
    for (bool again = true; again && !game.won && !maker.stopped();) {
        moved = fillEmptyTableaus(game, maker) || moved;
        again = autoplayPass(game, play, maker);
        moved = moved || again;
    }
    return moved;
}

void followMove(const Game& game, const Move& move, int movesBefore, AutomaticPlay play, StepMaker& maker)
{
    stepsAfterMove(game, move, movesBefore, play, maker);
    if (!game.won)
        runAutoplay(game, play, maker);
}

} // namespace kst
