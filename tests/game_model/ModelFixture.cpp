#include "tests/game_model/ModelFixture.h"

#include <algorithm>

namespace petalune::test {

CollapseRules modelRules() {
    CollapseRules rules;
    rules.section = "game_test";
    const std::pair<const char*, BrickFunction> kinds[] = {
        {"red", BrickFunction::Normal},    {"blue", BrickFunction::Normal}, {"green", BrickFunction::Normal},
        {"orange", BrickFunction::Normal}, {"bomb", BrickFunction::Bomb},   {"joker", BrickFunction::Joker}};
    for (auto [section, function] : kinds) rules.kinds.push_back({section, 10, function, true});
    using Effect = CollapseRules::BonusEffect;
    rules.bonuses = {{"row", Effect::ClearRow, 0},
                     {"column", Effect::ClearColumn, 0},
                     {"kill_red", Effect::KillKind, 1},
                     {"odd", Effect::Unknown, 0}};
    rules.hitCombos = {{{{1, 2}, {2, 2}}, {0}}};
    rules.pointBonuses = {{"coin", "coin.png", 4, 5, 100}};
    rules.scoreMul1 = 1;
    rules.scoreMul2 = 10;
    rules.bricksToComplete = 30;
    rules.bricksPerLevel = 10;
    return rules;
}

CellCodes board(const std::vector<std::string>& rowsTopFirst) {
    const std::string letters = ".RBGOXJ";
    CellCodes codes{};
    for (int row = 0; row < 9; ++row) {
        for (int x = 0; x < 8; ++x) {
            char c = rowsTopFirst.at(row).at(x);
            std::size_t kind = letters.find(c);
            int code = kind != std::string::npos ? static_cast<int>(kind)
                       : c == 'h'                ? -1
                       : c == 'v'                ? -2
                       : c == 'k'                ? -3
                                                 : -4;
            codes[x][8 - row] = code;
        }
    }
    return codes;
}

int settle(CollapseModel& model, int frameCap) {
    for (int frame = 0; frame < frameCap; ++frame) {
        if (model.isIdle()) return frame;
        model.update(1.0f / 60);
    }
    return model.isIdle() ? frameCap : -1;
}

std::vector<CollapseEvent> eventsOf(const std::vector<CollapseEvent>& events, CollapseEvent::Type type) {
    std::vector<CollapseEvent> out;
    std::copy_if(events.begin(), events.end(), std::back_inserter(out),
                 [type](const CollapseEvent& e) { return e.type == type; });
    return out;
}

}  // namespace petalune::test
