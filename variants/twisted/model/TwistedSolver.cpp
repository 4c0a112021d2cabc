#include "variants/twisted/model/TwistedSolver.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "variants/twisted/model/TwistedBoard.h"

namespace {

constexpr int kCells = TwistedLevel::kColumns * TwistedLevel::kRows;
constexpr int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};

// Four bytes for every cell that holds a stone: the cell, the type with its flags, the
// connection mask and the limit.
std::string positionKey(const TwistedBoard& board) {
    std::string key;
    key.reserve(4 * 16);
    for (int cell = 0; cell < kCells; ++cell) {
        const TwistedStone& stone = board.stone(cell / TwistedLevel::kRows, cell % TwistedLevel::kRows);
        if (stone.type == TwistedLevel::kEmpty) continue;
        key += static_cast<char>(cell);
        key += static_cast<char>(stone.type | stone.glued << 4 | stone.movableH << 5 | stone.movableV << 6);
        key += static_cast<char>(stone.mask);
        key += static_cast<char>(stone.limit + 1);
    }
    return key;
}

void placeStones(TwistedBoard& board, const std::string& key) {
    for (int cell = 0; cell < kCells; ++cell)
        board.setStone(cell / TwistedLevel::kRows, cell % TwistedLevel::kRows, TwistedStone());
    for (std::size_t at = 0; at + 3 < key.size(); at += 4) {
        auto byte = [&](std::size_t i) { return static_cast<unsigned char>(key[at + i]); };
        TwistedStone stone;
        stone.type = byte(1) & 15;
        stone.glued = (byte(1) & 16) != 0;
        stone.movableH = (byte(1) & 32) != 0;
        stone.movableV = (byte(1) & 64) != 0;
        stone.mask = byte(2);
        stone.limit = byte(3) - 1;
        board.setStone(byte(0) / TwistedLevel::kRows, byte(0) % TwistedLevel::kRows, stone);
    }
}

// True when some kind of plain stone can no longer be finished: fewer of it than a group
// needs and no striped stone left that could turn into more.
bool isHopeless(const TwistedBoard& board) {
    std::array<int, TwistedLevel::kFirstChanging> counts{};
    for (int column = 0; column < TwistedLevel::kColumns; ++column) {
        for (int row = 0; row < TwistedLevel::kRows; ++row) {
            int type = board.stone(column, row).type;
            if (isChangingStone(type)) return false;
            ++counts[type];
        }
    }
    for (int type = 0; type < TwistedLevel::kEmpty; ++type)
        if (counts[type] > 0 && counts[type] < board.level().connect) return true;
    return false;
}

struct Node {
    const std::string* key;
    std::uint32_t parent;
    std::uint16_t depth;
    TwistedMove move;
};

std::vector<TwistedMove> movesTo(const std::vector<Node>& nodes, std::uint32_t last,
                                 const TwistedMove& final) {
    std::vector<TwistedMove> moves{final};
    for (std::uint32_t at = last; at != 0; at = nodes[at].parent) moves.push_back(nodes[at].move);
    std::reverse(moves.begin(), moves.end());
    return moves;
}

}  // namespace

TwistedSolution solveTwistedLevel(const TwistedLevel& level, bool alternativeRules, std::size_t maxStates) {
    TwistedLevel rules = level;
    rules.numVisible = 99;  // hidden faces change nothing in what can be played
    TwistedBoard start(rules, {.alternativeRules = alternativeRules});

    TwistedSolution solution;
    std::unordered_map<std::string, std::uint32_t> seen;
    std::vector<Node> nodes;
    nodes.push_back({&seen.emplace(positionKey(start), 0).first->first, 0, 0, {}});

    TwistedBoard board = start;
    for (std::uint32_t at = 0; at < nodes.size(); ++at) {
        const Node node = nodes[at];
        if (node.depth >= level.maxMoves) break;  // breadth first: every later node is as deep
        placeStones(board, *node.key);
        for (int column = 0; column < TwistedLevel::kColumns; ++column) {
            for (int row = 0; row < TwistedLevel::kRows; ++row) {
                if (!board.stone(column, row).canMove()) continue;
                for (const auto& step : kSteps) {
                    TwistedMove move{column, row, column + step[0], row + step[1]};
                    if (!board.isFree(move.toColumn, move.toRow)) continue;
                    TwistedBoard next = board;
                    next.hold(column, row);
                    if (!next.moveHeld(move.toColumn, move.toRow).moved || next.isLost()) continue;
                    if (next.activeStoneCount() == 0) {
                        solution.result = TwistedSolution::Result::Solved;
                        solution.moves = movesTo(nodes, at, move);
                        solution.statesSearched = nodes.size();
                        return solution;
                    }
                    if (isHopeless(next)) continue;
                    auto [it, fresh] =
                        seen.emplace(positionKey(next), static_cast<std::uint32_t>(nodes.size()));
                    if (!fresh) continue;
                    if (nodes.size() >= maxStates) {
                        solution.result = TwistedSolution::Result::GaveUp;
                        solution.statesSearched = nodes.size();
                        return solution;
                    }
                    nodes.push_back({&it->first, at, static_cast<std::uint16_t>(node.depth + 1), move});
                }
            }
        }
    }
    solution.statesSearched = nodes.size();
    return solution;
}
