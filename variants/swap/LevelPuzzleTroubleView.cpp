#include <cmath>
#include <cstdlib>
#include <set>

#include "audio/PlaySample.h"
#include "config/IniLookup.h"
#include "engine/actions/CCActionComposite.h"
#include "engine/actions/CCActionFade.h"
#include "engine/actions/CCActionInstant.h"
#include "engine/actions/CCActionTransform.h"
#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCSprite.h"
#include "engine/text/CCLabelBMFont.h"
#include "game/FloatingPoints.h"
#include "game/LevelParticles.h"
#include "game/ScoreCounter.h"
#include "menu/MenuLayer.h"
#include "variants/swap/LevelPuzzleTrouble.h"

using namespace cocos2d;

namespace {

constexpr float kDimmed = 140;

CCPoint cellCentre(int x, int y) {
    return CCPoint(
        static_cast<float>(x * SwapGame::kCellWidth + SwapGame::kBoardLeft + SwapGame::kCellWidth / 2),
        SwapGame::centreHeight(y));
}

}  // namespace

void LevelPuzzleTrouble::setText(CCNode* node, const std::string& text) {
    if (auto* label = dynamic_cast<CCLabelProtocol*>(node)) label->setString(text.c_str());
}

void LevelPuzzleTrouble::playConfigSample(const std::string& section, const char* key) {
    if (const char* reference = iniGetString(section, key, 0, nullptr)) playSample(reference);
}

std::string LevelPuzzleTrouble::imageOf(int code) const {
    const SwapRules& rules = m_game.rules();
    if (code > 0 && code <= static_cast<int>(rules.kinds.size()))
        return iniGetString(rules.kinds[code - 1].section, "image", 0, "");
    if (code < 0 && -code <= static_cast<int>(rules.bonuses.size()))
        return iniGetString(rules.bonuses[-code - 1].section, "image", 0, "");
    return {};
}

void LevelPuzzleTrouble::particles(const std::string& section, const char* key, const CCPoint& at) {
    for (int i = 0;; ++i) {
        const char* file = iniGetString(section, key, i, nullptr);
        if (!file) break;
        if (CCNode* particle = makeParticle(file, this)) {
            particle->setPosition(at);
            addChild(particle, 4);
        }
    }
}

void LevelPuzzleTrouble::showEvents() {
    using Type = SwapEvent::Type;
    const SwapRules& rules = m_game.rules();
    for (const SwapEvent& e : m_game.takeEvents()) {
        CCPoint at = cellCentre(e.x, e.y);
        switch (e.type) {
            case Type::GroupFound:
                playConfigSample(rules.kinds[e.code - 1].section, "sample");
                break;
            case Type::BrickRemoved:
                if (e.value && e.code != 0)
                    particles(
                        e.code > 0 ? rules.kinds[e.code - 1].section : rules.bonuses[-e.code - 1].section,
                        "particle", at);
                break;
            case Type::BombExploded:
                particles("brick_bomb", "particle", at);
                break;
            case Type::Points:
                floatPoints(e.x, e.y, e.value);
                break;
            case Type::PointBonusPlaced:
                playConfigSample(rules.pointBonuses[e.value].section, "sample_appear");
                break;
            case Type::PointBonusTaken:
                playConfigSample(rules.pointBonuses[e.value].section, "sample");
                particles(rules.pointBonuses[e.value].section, "particle", at);
                break;
            case Type::PatternAwarded:
                playConfigSample(rules.bonuses[-e.code - 1].section, "sample_appear");
                break;
            case Type::Landed:
                playConfigSample("audio", "block_drop");
                break;
            case Type::Swapped:
                playConfigSample("audio", "block_swap");
                break;
            case Type::SwapRefused:
                playConfigSample("audio", "block_noswap");
                break;
            case Type::LevelUp:
                setText(hudItem("level"), std::to_string(e.value));
                playConfigSample("audio", "level_up");
                break;
            case Type::GameOver:
                if (MenuLayer* popup = MenuLayer::create("popup_game_over", this)) addChild(popup, 10);
                break;
            default:
                break;
        }
    }
}

void LevelPuzzleTrouble::floatPoints(int x, int y, std::int32_t points) {
    if (points == 0) return;
    showFloatingPoints(this, cellCentre(x, y), points, 4, 5);
}

void LevelPuzzleTrouble::syncBricks() {
    std::set<std::uint32_t> seen;
    int warnRow = m_game.warnColumn() >= 0 ? static_cast<int>(m_game.warnPhase()) : -1;
    for (int x = 0; x < SwapGame::kColumns; ++x) {
        for (int y = 0; y < SwapGame::kRows; ++y) {
            const SwapGame::Tile& tile = m_game.tile(x, y);
            if (!tile) continue;
            seen.insert(tile.id);
            CCSprite*& sprite = m_bricks[tile.id];
            if (!sprite) {
                sprite = CCSprite::create(imageOf(tile.code).c_str());
                if (!sprite) sprite = CCSprite::create();
                // As in the collapse game, a brick sprite carries its cell code as its tag.
                sprite->setTag(tile.code);
                addChild(sprite, 0);
            }
            CCPoint at(cellCentre(x, y).x, tile.height);
            float scale = 1, opacity = 255;
            int z = 0;
            bool dragged = m_game.dragging() && m_game.dragStart() == SwapGame::Cell{x, y};
            if (dragged) {
                at = CCPoint(m_game.dragX() * SwapGame::kCellWidth + SwapGame::kBoardLeft,
                             m_game.dragY() * SwapGame::kCellHeight);
                scale = 2;
                opacity = m_game.preview().x >= 0 ? 255 : 200;
                z = 2;
            } else if (tile.held) {
                at = cellCentre(m_game.dragStart().x, m_game.dragStart().y);
                scale = 1.5f;
                z = 1;
            } else if (tile.fading) {
                opacity = tile.busy > 0.1f ? 255 : 100 + 155 * tile.busy / 0.1f;
            } else if (tile.appearing) {
                scale = 1 + 7 * tile.busy / 0.2f;
                opacity = 255 * (1 - tile.busy / 0.2f);
            } else if (m_picked == SwapGame::Cell{x, y}) {
                scale = 1.15f;
                z = 1;
            } else if (x == m_game.warnColumn() && y == warnRow) {
                // Only a brick that is there and not leaving is dimmed by the warning light.
                opacity = kDimmed;
            }
            sprite->setPosition(at);
            sprite->setScale(scale);
            sprite->setOpacity(static_cast<unsigned char>(opacity));
            if (sprite->getZOrder() != z) reorderChild(sprite, z);
        }
    }
    for (auto it = m_bricks.begin(); it != m_bricks.end();) {
        if (seen.contains(it->first)) {
            ++it;
            continue;
        }
        it->second->removeFromParent();
        it = m_bricks.erase(it);
    }
}

void LevelPuzzleTrouble::syncPointBonuses() {
    const SwapRules& rules = m_game.rules();
    for (int x = 0; x < SwapGame::kColumns; ++x) {
        for (int y = 0; y < SwapGame::kRows; ++y) {
            int bonus = m_game.pointBonus(x, y).bonus;
            auto found = m_bonusSprites.find(x * 16 + y);
            CCSprite* sprite = found == m_bonusSprites.end() ? nullptr : found->second;
            if (sprite && (bonus < 0 || sprite->getTag() != bonus)) {
                sprite->removeFromParent();
                m_bonusSprites.erase(found);
                sprite = nullptr;
            }
            if (sprite || bonus < 0) continue;
            sprite = CCSprite::create(iniGetString(rules.pointBonuses[bonus].section, "image", 0, ""));
            if (!sprite) continue;
            sprite->setTag(bonus);
            sprite->setPosition(cellCentre(x, y));
            sprite->setScale(8);
            sprite->runAction(CCScaleTo::create(0.2f, 1));
            sprite->setOpacity(0);
            sprite->runAction(CCFadeIn::create(0.2f));
            addChild(sprite, 1);
            m_bonusSprites[x * 16 + y] = sprite;
        }
    }
}

void LevelPuzzleTrouble::syncPattern() {
    int pattern = m_game.activePattern();
    if (pattern == m_shownPattern && m_game.patternKind() == m_shownPatternKind) return;
    while (CCNode* old = getChildByTag(kPatternTag)) old->removeFromParent();
    m_shownPattern = pattern;
    m_shownPatternKind = m_game.patternKind();
    if (pattern < 0) return;
    const SwapRules::Pattern& shape = m_game.rules().patterns[pattern];
    std::string image = imageOf(m_shownPatternKind + 1);
    float x0 = static_cast<float>(iniGetInt(m_gameSection, "combo_x", 0, 0));
    float y0 = static_cast<float>(iniGetInt(m_gameSection, "combo_y", 0, 0));
    float w = static_cast<float>(iniGetInt(m_gameSection, "combo_w", 0, 0));
    float h = static_cast<float>(iniGetInt(m_gameSection, "combo_h", 0, 0));
    float scale = static_cast<float>(std::atof(iniGetString(m_gameSection, "combo_scale", 0, "1")));
    for (std::size_t r = 0; r < shape.rows.size(); ++r) {
        for (int b = 0; b < 32; ++b) {
            if (!(shape.rows[r] >> b & 1u)) continue;
            CCSprite* sprite = CCSprite::create(image.c_str());
            if (!sprite) continue;
            sprite->setPosition(CCPoint(x0 + static_cast<float>(b) * w, y0 + static_cast<float>(r) * h));
            sprite->setScale(scale);
            sprite->setTag(kPatternTag);
            addChild(sprite, 2);
        }
    }
}

void LevelPuzzleTrouble::syncWarning() {
    if (!m_warningLight) return;
    int column = m_game.warnColumn();
    m_warningLight->setVisible(column >= 0);
    if (column < 0) return;
    m_warningLight->setPosition(CCPoint(cellCentre(column, SwapGame::kEntryRow).x,
                                        SwapGame::kEntryRow * SwapGame::kCellHeight - 6.0f));
    m_warningLight->setOpacity(static_cast<unsigned char>(160 + 95 * std::fabs(std::sin(m_time * 6.0f))));
}

void LevelPuzzleTrouble::scoreCounterStep(float dt) {
    m_scoreTimer -= dt;
    if (m_scoreTimer >= 0) return;
    m_scoreTimer = static_cast<float>(std::atof(iniGetString(m_gameSection, "score_delay", 0, "0.1")));
    auto* label = dynamic_cast<CCLabelProtocol*>(hudItem("score"));
    if (!label) return;
    std::string target = std::to_string(m_game.score());
    std::string shown = label->getString();
    if (shown == target) return;
    label->setString(nextCounterText(shown, target).c_str());
    playConfigSample("audio", "score");
}
