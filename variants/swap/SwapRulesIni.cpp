#include "variants/swap/SwapRulesIni.h"

#include <algorithm>
#include <cstdlib>

#include "config/IniLookup.h"

namespace {

constexpr int kMaxKinds = 10;
constexpr int kMaxLevels = 100;

float decimal(const std::string& section, const char* key, int index, const char* fallback) {
    return static_cast<float>(std::atof(iniGetString(section, key, index, fallback)));
}

void readKinds(const std::string& gameSection, SwapRules& rules) {
    for (int n = 1; n <= kMaxKinds; ++n) {
        int chance = iniGetInt(gameSection, "chance", n, 0);
        if (chance == 0) break;
        std::string section = iniGetString(gameSection, "brick", n, "");
        rules.kinds.push_back(
            {section, std::max(chance, 0), brickFunctionFromName(iniGetString(section, "function", 0, ""))});
    }
}

int bonusIndex(SwapRules& rules, const std::string& name) {
    auto found = std::find_if(rules.bonuses.begin(), rules.bonuses.end(),
                              [&](const SwapRules::Bonus& bonus) { return bonus.section == name; });
    if (found != rules.bonuses.end()) return static_cast<int>(found - rules.bonuses.begin());
    SwapRules::Bonus bonus{name};
    if (const char* kind = iniGetString(name, "kill_all", 0, nullptr)) {
        bonus.effect = SwapRules::BonusEffect::KillAll;
        // A colour that is not among the kinds kills nothing but the bonus brick itself.
        for (std::size_t k = 0; k < rules.kinds.size() && bonus.killKind == 0; ++k) {
            if (rules.kinds[k].section == kind) bonus.killKind = static_cast<int>(k) + 1;
        }
    } else if (const char* effect = iniGetString(name, "effect", 0, nullptr)) {
        std::string_view e = effect;
        bonus.effect = e == "kill_h"   ? SwapRules::BonusEffect::KillRow
                       : e == "kill_v" ? SwapRules::BonusEffect::KillColumn
                                       : SwapRules::BonusEffect::None;
    }
    rules.bonuses.push_back(bonus);
    return static_cast<int>(rules.bonuses.size()) - 1;
}

void readPatterns(SwapRules& rules) {
    for (int k = 0;; ++k) {
        std::string section = "hitcombo" + std::to_string(k);
        if (!iniGetString(section, "pattern", 1, nullptr)) break;
        SwapRules::Pattern pattern;
        for (int j = 1;; ++j) {
            const char* row = iniGetString(section, "pattern", j, nullptr);
            if (!row) break;
            std::uint32_t mask = 0;
            for (int i = 0; row[i] && i < 32; ++i) {
                if (row[i] == 'X') {
                    mask |= 1u << i;
                    ++pattern.xCount;
                }
            }
            pattern.rows.push_back(mask);
        }
        for (int j = 1;; ++j) {
            const char* bonus = iniGetString(section, "bonus", j, nullptr);
            if (!bonus) break;
            pattern.bonuses.push_back(bonusIndex(rules, bonus));
        }
        rules.patterns.push_back(std::move(pattern));
    }
}

void readPointBonuses(SwapRules& rules) {
    for (int k = 0;; ++k) {
        std::string section = "pointbonus" + std::to_string(k);
        if (!iniGetString(section, "image", 0, nullptr)) break;
        rules.pointBonuses.push_back({iniGetInt(section, "bricks", 0, 0), section,
                                      static_cast<float>(iniGetInt(section, "time", 0, 0)),
                                      iniGetInt(section, "points", 0, 0)});
    }
}

}  // namespace

SwapRules readSwapRules(const std::string& gameSection) {
    SwapRules rules;
    readKinds(gameSection, rules);
    readPatterns(rules);
    readPointBonuses(rules);
    rules.scoreMul1 = iniGetInt(gameSection, "scoremul_1", 0, 0);
    rules.scoreMul2 = iniGetInt(gameSection, "scoremul_2", 0, 0);
    rules.bricksPerLevel = iniGetInt(gameSection, "bricks_per_level", 0, 0);
    for (int level = 1; level <= kMaxLevels; ++level) {
        const char* delay = iniGetString(gameSection, "drop_delay", level, nullptr);
        if (!delay) continue;
        rules.dropDelays.resize(level, 0);
        rules.dropDelays[level - 1] = static_cast<float>(std::atof(delay));
    }
    rules.minBricks1 = iniGetInt(gameSection, "min_bricks_1", 0, 0);
    rules.minBricks2 = decimal(gameSection, "min_bricks_2", 0, "0");
    rules.brickDropDelay = decimal(gameSection, "brick_drop_delay", 0, "0.2");
    return rules;
}
