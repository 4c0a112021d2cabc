#include "tests/variants/TwistedReplay.h"

#include "variants/twisted/model/TwistedBoard.h"

namespace petalune::test {

bool replayWins(const TwistedLevel& level, const std::vector<TwistedMove>& moves) {
    TwistedBoard board(level, {});
    for (const TwistedMove& move : moves) {
        if (board.isOver() || !board.hold(move.column, move.row)) return false;
        if (!board.moveHeld(move.toColumn, move.toRow).moved) return false;
        board.letGo();
        board.checkEnd();
    }
    return board.isWon();
}

}  // namespace petalune::test
