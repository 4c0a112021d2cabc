#include <cstdlib>

#include "config/IniLookup.h"
#include "engine/actions/CCActionComposite.h"
#include "engine/actions/CCActionFade.h"
#include "engine/actions/CCActionInstant.h"
#include "engine/actions/CCActionTransform.h"
#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCSprite.h"
#include "engine/text/CCLabelBMFont.h"
#include "game/LevelLayer.h"

using namespace cocos2d;

namespace {

constexpr int kPlacementTries = 1000;

// Zooms a new sprite in from eight times its size.
void zoomIn(CCSprite* sprite) {
    sprite->setScale(8);
    sprite->runAction(CCScaleTo::create(0.2f, 1));
    sprite->setOpacity(0);
    sprite->runAction(CCFadeIn::create(0.2f));
}

}  // namespace

std::int32_t LevelLayer::moveScore(int count, int mul1, int mul2) {
    // Wraps like the 32-bit arithmetic it stands for.
    auto f = static_cast<std::uint32_t>(count) * static_cast<std::uint32_t>(mul1);
    return static_cast<std::int32_t>((f - 1) * f * static_cast<std::uint32_t>(mul2));
}

void LevelLayer::awardPoints(int x, int y, std::int32_t points) {
    m_score =
        static_cast<std::int32_t>(static_cast<std::uint32_t>(m_score) + static_cast<std::uint32_t>(points));
    CCLabelBMFont* label = CCLabelBMFont::create(std::to_string(points).c_str(), "playtime_40.fnt");
    if (!label) return;
    label->setPosition(x * kCellSize + 40.0f, y * kCellSize + 40.0f);
    label->runAction(CCSequence::createWithTwoActions(
        CCFadeOut::create(0.5f), CCCallFuncN::create([](CCNode* node) { node->removeFromParent(); })));
    label->runAction(CCMoveBy::create(0.5f, CCPoint(0, 50)));
    label->runAction(CCScaleTo::create(0.5f, 8));
    addChild(label, 0);
}

void LevelLayer::scoreCounterStep(float dt) {
    m_scoreTimer -= dt;
    if (m_scoreTimer >= 0) return;
    m_scoreTimer = static_cast<float>(std::atof(iniGetString(m_gameSection, "score_delay", 0, "0.1")));
    auto* label = dynamic_cast<CCLabelProtocol*>(m_scoreLabel);
    if (!label) return;
    std::string target = std::to_string(m_score);
    std::string shown = label->getString();
    if (shown == target) return;
    // A shown text longer than the score (never in play) is replaced at once.
    if (shown.size() > target.size()) shown.clear();
    std::string padded = std::string(target.size() - shown.size(), '0') + shown;
    std::size_t i = 0;
    while (padded[i] == target[i]) ++i;
    label->setString((target.substr(0, i + 1) + padded.substr(i + 1)).c_str());
    playConfigSample("audio", "score", 0);
}

void LevelLayer::checkHitCombos() {
    for (const HitCombo& combo : m_hitCombos) {
        std::size_t k = combo.entries.size();
        if (combo.bonuses.empty() || m_removalHistory.size() < k) continue;
        std::size_t first = m_removalHistory.size() - k;
        bool matches = true;
        for (std::size_t j = 0; j < k && matches; ++j)
            matches = m_removalHistory[first + j] == combo.entries[j];
        if (!matches) continue;
        int column = freeTopColumn();
        // A full board has no room for the bonus; the history waits for a later chance.
        if (column < 0) return;
        int b = combo.bonuses[m_random.below(static_cast<std::uint32_t>(combo.bonuses.size()))];
        int row = kRows - 1;
        while (row > 0 && !m_cells[column][row - 1]) --row;
        const std::string& name = m_bonusNames[b];
        CCSprite* sprite = CCSprite::create(iniGetString(name, "image", 0, ""));
        if (sprite) {
            sprite->setTag(-(b + 1));
            sprite->setPosition(column * kCellSize + 40.0f, 680);
            zoomIn(sprite);
            playConfigSample(name, "sample_appear", 0);
            addChild(sprite, 0);
            m_cells[column][row] = sprite;
        }
        m_removalHistory.clear();
        return;
    }
}

int LevelLayer::freeTopColumn() {
    bool anyFree = false;
    for (int x = 0; x < kColumns; ++x) anyFree = anyFree || !m_cells[x][kRows - 1];
    if (!anyFree) return -1;
    for (int tries = 0; tries < kPlacementTries; ++tries) {
        int a = m_random.below(kColumns);
        if (!m_cells[a][kRows - 1]) return a;
    }
    for (int x = 0; x < kColumns; ++x) {
        if (!m_cells[x][kRows - 1]) return x;
    }
    return -1;
}

void LevelLayer::placePointBonus(int count) {
    const PointBonus* bonus = nullptr;
    for (const PointBonus& candidate : m_pointBonuses) {
        if (count >= candidate.bricks) {
            bonus = &candidate;
            break;
        }
    }
    if (!bonus) return;
    int x = -1, y = -1;
    for (int tries = 0; tries < kPlacementTries; ++tries) {
        int cx = m_random.below(kColumns);
        int cy = m_random.below(kRows);
        if (m_cells[cx][cy] && !m_bonusSprites[cx][cy]) {
            x = cx;
            y = cy;
            break;
        }
    }
    // Every brick already carries a bonus: this one is not placed.
    if (x < 0) return;
    CCSprite* sprite = CCSprite::create(bonus->image.c_str());
    if (!sprite) return;
    sprite->setPosition(x * kCellSize + 40.0f, y * kCellSize + 40.0f);
    zoomIn(sprite);
    addChild(sprite, 1);
    m_bonusSprites[x][y] = sprite;
    m_bonusTimes[x][y] = static_cast<float>(bonus->time);
    m_bonusSections[x][y] = bonus->section;
    playConfigSample(bonus->section, "sample_appear", 0);
}

void LevelLayer::expirePointBonuses(float dt) {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            if (!m_bonusSprites[x][y]) continue;
            m_bonusTimes[x][y] -= dt;
            if (m_bonusTimes[x][y] < 0) removePointBonusSprite(x, y);
        }
    }
}
