#include "engine/Move.h"

namespace kst {

std::string moveText(const Move& move)
{
    switch (move.kind) {
    case MoveKind::Drop: return "drop " + cardDigits(move.card) + ' ' + pileName(move.to);
    case MoveKind::Click:
    case MoveKind::TurnUp: return "click " + cardDigits(move.card);
    case MoveKind::Stock: return move.from == Mazzo ? "stock" : "# press on the empty waste";
    case MoveKind::Automatic: return "# auto " + cardDigits(move.card) + ' ' + pileName(move.to);
    case MoveKind::None: break;
    }
    return {};
}

} // namespace kst
