#include "engine/Move.h"

namespace kst {

std::string moveText(const Move& move)
{
    switch (move.kind) {
    case MoveKind::Drop: return "drop " + cardDigits(move.card) + ' ' + pileName(move.to);
    case MoveKind::Click:
    case MoveKind::TurnUp: return "click " + cardDigits(move.card);
    case MoveKind::None: break;
    }
    return {};
}

} // namespace kst
