#include "tests/variants/swap/SwapTestRules.h"

namespace petalune::test {

SwapRules swapTestRules() {
    SwapRules rules;
    for (const char* name : {"brick_red", "brick_blue", "brick_green", "brick_gold"})
        rules.kinds.push_back({name, 100, BrickFunction::Normal});
    rules.kinds.push_back({"brick_bomb", 5, BrickFunction::Bomb});
    rules.kinds.push_back({"brick_joker", 5, BrickFunction::Joker});
    rules.bonuses.push_back({"bonus_kill_h", SwapRules::BonusEffect::KillRow, 0});
    rules.bonuses.push_back({"bonus_kill_red", SwapRules::BonusEffect::KillAll, 1});
    rules.patterns.push_back({{0b111, 0b001}, 4, {0}});
    rules.pointBonuses.push_back({10, "pointbonus0", 30, 1000});
    rules.scoreMul1 = 1;
    rules.scoreMul2 = 31;
    rules.bricksPerLevel = 10;
    rules.dropDelays = {3, 2.5f, 0, 2};
    rules.minBricks1 = 0;
    rules.minBricks2 = 0;
    return rules;
}

SwapGame craftedWell(const std::vector<std::string>& rowsTopFirst, std::uint32_t seed) {
    SwapGame game(swapTestRules(), seed);
    game.start();
    for (int x = 0; x < SwapGame::kColumns; ++x) {
        for (int y = 0; y < SwapGame::kRows; ++y) game.setCell(x, y, 0);
    }
    int rows = static_cast<int>(rowsTopFirst.size());
    for (int r = 0; r < rows; ++r) {
        int y = rows - 1 - r;
        const std::string& row = rowsTopFirst[r];
        for (int x = 0; x < SwapGame::kColumns && x < static_cast<int>(row.size()); ++x) {
            char c = row[x];
            game.setCell(x, y, c >= '1' && c <= '9' ? c - '0' : c >= 'a' && c <= 'z' ? -(c - 'a' + 1) : 0);
        }
    }
    game.takeEvents();
    return game;
}

std::vector<std::string> wellRows(const SwapGame& game, int rows) {
    std::vector<std::string> result;
    for (int y = rows - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < SwapGame::kColumns; ++x) {
            int code = game.cellCode(x, y);
            row += code == 0  ? '.'
                   : code > 0 ? static_cast<char>('0' + code)
                              : static_cast<char>('a' - code - 1);
        }
        result.push_back(row);
    }
    return result;
}

void runFor(SwapGame& game, float seconds) {
    for (int frame = 0; frame < static_cast<int>(seconds * 60 + 0.5f); ++frame) game.update(1.0f / 60);
}

float cellX(int x) {
    return static_cast<float>(x * SwapGame::kCellWidth + SwapGame::kBoardLeft + SwapGame::kCellWidth / 2);
}

float cellY(int y) {
    return SwapGame::centreHeight(y);
}

}  // namespace petalune::test
