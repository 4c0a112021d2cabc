#include "game/CollapseRulesIni.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "config/IniLookup.h"

namespace {

int kindNumberOf(const CollapseRules& rules, const char* brickSection) {
    for (std::size_t m = 0; m < rules.kinds.size(); ++m) {
        if (rules.kinds[m].section == brickSection) return static_cast<int>(m) + 1;
    }
    return 0;
}

void readKinds(CollapseRules& rules) {
    for (int n = 1; n <= CollapseRules::kMaxKinds; ++n) {
        int chance = iniGetInt(rules.section, "chance", n, 0);
        if (chance == 0) break;
        if (chance < 0 || chance > CollapseRules::kMaxChance) {
            int usable = std::clamp(chance, 0, CollapseRules::kMaxChance);
            std::fprintf(stderr, "%s: chance(%d)=%d is out of range 0..%d; it counts as %d\n",
                         rules.section.c_str(), n, chance, CollapseRules::kMaxChance, usable);
            chance = usable;
        }
        CollapseRules::Kind kind;
        kind.chance = chance;
        kind.section = iniGetString(rules.section, "brick", n, "");
        kind.function = brickFunctionFromName(iniGetString(kind.section, "function", 0, ""));
        rules.kinds.push_back(std::move(kind));
    }
    if (rules.chanceTotal() <= 0)
        std::fprintf(stderr, "%s: no brick kind has a chance\n", rules.section.c_str());
}

// Each kind keeps its share, and a kind with a chance keeps at least one card.
void shrinkDeck(CollapseRules& rules) {
    int total = rules.chanceTotal();
    for (CollapseRules::Kind& kind : rules.kinds) {
        int share = static_cast<int>(
            kind.chance * std::int64_t{CollapseRules::kMaxDeck - CollapseRules::kMaxKinds} / total);
        kind.chance = kind.chance > 0 ? std::max(1, share) : 0;
    }
    std::fprintf(stderr, "%s: a deck of %d bricks is too big; it is dealt as %d in the same shares\n",
                 rules.section.c_str(), total, rules.chanceTotal());
}

CollapseRules::Bonus readBonus(const CollapseRules& rules, const std::string& section) {
    CollapseRules::Bonus bonus;
    bonus.section = section;
    if (const char* killAll = iniGetString(section, "kill_all", 0, nullptr)) {
        bonus.effect = CollapseRules::BonusEffect::KillKind;
        bonus.killKind = kindNumberOf(rules, killAll);
    } else if (const char* effect = iniGetString(section, "effect", 0, nullptr)) {
        bonus.effect = std::strcmp(effect, "kill_h") == 0   ? CollapseRules::BonusEffect::ClearRow
                       : std::strcmp(effect, "kill_v") == 0 ? CollapseRules::BonusEffect::ClearColumn
                                                            : CollapseRules::BonusEffect::Unknown;
    }
    return bonus;
}

void readHitCombos(CollapseRules& rules) {
    for (int k = 0;; ++k) {
        std::string section = "hitcombo" + std::to_string(k);
        if (!iniGetString(section, "type", 1, nullptr)) break;
        CollapseRules::HitCombo combo;
        for (int j = 1; const char* type = iniGetString(section, "type", j, nullptr); ++j) {
            int kind = kindNumberOf(rules, type);
            if (kind == 0)
                std::fprintf(stderr, "%s: type(%d) %s is no brick of %s\n", section.c_str(), j, type,
                             rules.section.c_str());
            combo.entries.push_back({kind, iniGetInt(section, "count", j, 0)});
        }
        for (int j = 1; const char* bonus = iniGetString(section, "bonus", j, nullptr); ++j) {
            std::size_t index = 0;
            while (index < rules.bonuses.size() && rules.bonuses[index].section != bonus) ++index;
            if (index == rules.bonuses.size()) rules.bonuses.push_back(readBonus(rules, bonus));
            combo.bonuses.push_back(static_cast<int>(index));
        }
        if (combo.bonuses.empty()) std::fprintf(stderr, "%s: no bonus(1); never awarded\n", section.c_str());
        rules.hitCombos.push_back(std::move(combo));
    }
}

void readPointBonuses(CollapseRules& rules) {
    for (int k = 0;; ++k) {
        std::string section = "pointbonus" + std::to_string(k);
        const char* image = iniGetString(section, "image", 0, nullptr);
        if (!image) break;
        rules.pointBonuses.push_back({section, image, iniGetInt(section, "bricks", 0, 0),
                                      iniGetInt(section, "time", 0, 0), iniGetInt(section, "points", 0, 0)});
    }
}

}  // namespace

CollapseRules readCollapseRules(const std::string& gameSection) {
    CollapseRules rules;
    rules.section = gameSection;
    readKinds(rules);
    readHitCombos(rules);
    readPointBonuses(rules);
    rules.useDeck = iniGetInt(gameSection, "use_deck", 0, 0) != 0;
    if (rules.useDeck && rules.chanceTotal() > CollapseRules::kMaxDeck) shrinkDeck(rules);
    rules.scoreMul1 = iniGetInt(gameSection, "scoremul_1", 0, 0);
    rules.scoreMul2 = iniGetInt(gameSection, "scoremul_2", 0, 0);
    rules.bricksToComplete = iniGetInt(gameSection, "bricks_to_complete", 0, 0);
    rules.bricksPerLevel = iniGetInt(gameSection, "bricks_per_level", 0, 0);
    rules.hintDelay = static_cast<float>(std::atof(iniGetString(gameSection, "hint_delay", 0, "3")));
    return rules;
}
