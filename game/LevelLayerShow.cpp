#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "audio/PlaySample.h"
#include "config/IniLookup.h"
#include "engine/actions/CCActionComposite.h"
#include "engine/actions/CCActionFade.h"
#include "engine/actions/CCActionInstant.h"
#include "engine/actions/CCActionInterval.h"
#include "engine/actions/CCActionTransform.h"
#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCSprite.h"
#include "engine/text/CCLabelBMFont.h"
#include "game/FloatingPoints.h"
#include "game/GroupHighlight.h"
#include "game/LevelLayer.h"
#include "game/LevelParticles.h"
#include "game/ScoreCounter.h"

using namespace cocos2d;

namespace {

// A hinted brick pulses once, each column a little after the one to its left.
constexpr float kHintPulseSeconds = 1;
constexpr float kHintColumnLag = 0.1f;

CCPoint cellCentre(int x, int y) {
    return CCPoint(x * LevelLayer::kCellSize + 40.0f, y * LevelLayer::kCellSize + 40.0f);
}

// Zooms a new sprite in from eight times its size.
void zoomIn(CCSprite* sprite) {
    sprite->setScale(8);
    sprite->runAction(CCScaleTo::create(0.2f, 1));
    sprite->setOpacity(0);
    sprite->runAction(CCFadeIn::create(0.2f));
}

}  // namespace

void LevelLayer::showEvents() {
    std::vector<CollapseEvent> events = m_model->takeEvents();
    if (!events.empty()) m_previewStale = true;
    for (const CollapseEvent& event : events) show(event);
    // The HUD lookup costs more than a frame's worth of board work: only on a change.
    if (m_model->undoAvailable() != m_undoShown) showUndoAvailable();
}

void LevelLayer::show(const CollapseEvent& event) {
    using Type = CollapseEvent::Type;
    switch (event.type) {
        case Type::BrickPlaced:
            placeBrick(event);
            break;
        case Type::BrickFades:
            if (CCSprite* sprite = m_brickSprites[event.id]) {
                sprite->setScale(1);
                sprite->runAction(CCSequence::createWithTwoActions(CCDelayTime::create(event.order * 0.05f),
                                                                   CCFadeTo::create(0.1f, 128)));
            }
            break;
        case Type::BrickRemoved:
            removeBrick(event);
            break;
        case Type::Blast:
            if (const char* blast = iniGetString("brick_bomb", "particle", 0, nullptr)) {
                std::string blastFile = blast;
                spawnParticle(blastFile.c_str(), cellCentre(event.x, event.y));
            }
            break;
        case Type::Points:
            showPoints(event.x, event.y, event.points);
            break;
        case Type::PointBonusPlaced:
            placePointBonus(event);
            break;
        case Type::PointBonusCollected: {
            auto found = m_brickSprites.find(event.id);
            CCPoint at = found != m_brickSprites.end() && found->second ? found->second->getPosition()
                                                                        : cellCentre(event.x, event.y);
            playConfigSample(*event.section, "sample", 0);
            spawnParticles(*event.section, "particle", at, false);
            break;
        }
        case Type::PointBonusRemoved:
            removePointBonusSprite(event.x, event.y);
            break;
        case Type::Sample:
            playConfigSample(*event.section, "sample", 0);
            break;
        case Type::Landed:
            playSample(m_dropSample);
            break;
        case Type::Slid:
            playSample(m_slideSample);
            break;
        case Type::BricksChanged:
            updateBrickDisplay();
            break;
        case Type::LevelStarted:
            if (CCNode* level = hudItem("level")) setText(level, std::to_string(m_model->level()));
            updateBrickDisplay();
            break;
        case Type::Loaded:
            refreshHud();
            break;
        case Type::LevelWon:
        case Type::GameOver:
            afterSettled(event.type == Type::LevelWon);
            break;
    }
}

void LevelLayer::placeBrick(const CollapseEvent& event) {
    CCSprite* sprite = nullptr;
    if (event.code > 0) {
        sprite = takeFromPool(event.code - 1);
    } else {
        const std::string& section = m_model->rules().bonuses[-event.code - 1].section;
        sprite = CCSprite::create(iniGetString(section, "image", 0, ""));
        if (sprite) {
            sprite->setTag(event.code);
            if (event.appears) {
                sprite->setPosition(event.px, event.py);
                zoomIn(sprite);
                playConfigSample(section, "sample_appear", 0);
            }
            addChild(sprite, 0);
        }
    }
    if (!sprite) return;
    sprite->setPosition(event.px, event.py);
    m_brickSprites[event.id] = sprite;
}

void LevelLayer::removeBrick(const CollapseEvent& event) {
    auto found = m_brickSprites.find(event.id);
    if (found == m_brickSprites.end()) return;
    CCSprite* sprite = found->second;
    m_brickSprites.erase(found);
    if (!sprite) return;
    CCPoint at = sprite->getPosition();
    const CollapseRules& rules = m_model->rules();
    const std::string& section =
        event.code > 0 ? rules.kinds[event.code - 1].section : rules.bonuses[-event.code - 1].section;
    if (event.award || event.ownParticles) {
        spawnParticles(section, "particle_goal", at, true);
        if (event.ownParticles) spawnParticles(section, "particle", at, false);
        if (const char* shake = iniGetString(section, "screen_shake", 0, nullptr)) {
            const char* comma = std::strchr(shake, ',');
            float duration = static_cast<float>(std::atof(shake));
            float amplitude = comma ? static_cast<float>(std::atof(comma + 1)) : 0.0f;
            m_shakeAmplitude = std::max(m_shakeAmplitude, amplitude);
            m_shakeTime = std::max(m_shakeTime, duration);
        }
    }
    if (event.code > 0) {
        returnToPool(sprite, event.code - 1);
        return;
    }
    sprite->stopAllActions();
    removeChild(sprite, true);
}

void LevelLayer::placePointBonus(const CollapseEvent& event) {
    const CollapseRules::PointBonus* bonus = nullptr;
    for (const CollapseRules::PointBonus& candidate : m_model->rules().pointBonuses) {
        if (&candidate.section == event.section) bonus = &candidate;
    }
    if (!bonus) return;
    CCSprite* sprite = CCSprite::create(bonus->image.c_str());
    if (!sprite) return;
    sprite->setPosition(cellCentre(event.x, event.y));
    if (event.appears) zoomIn(sprite);
    addChild(sprite, 1);
    m_bonusSprites[event.x][event.y] = sprite;
    if (event.appears) playConfigSample(bonus->section, "sample_appear", 0);
}

void LevelLayer::removePointBonusSprite(int x, int y) {
    if (CCSprite* bonus = m_bonusSprites[x][y]) {
        removeChild(bonus, true);
        m_bonusSprites[x][y] = nullptr;
    }
}

void LevelLayer::showPoints(int x, int y, std::int32_t points) {
    showFloatingPoints(this, cellCentre(x, y), points, 8, 0);
}

void LevelLayer::spawnParticles(const std::string& section, const char* key, const CCPoint& at, bool toGoal) {
    int goalX = 0, goalY = 0;
    if (toGoal) {
        goalX = iniGetInt(m_gameSection, "goal_x", 0, 0);
        goalY = iniGetInt(m_gameSection, "goal_y", 0, 0);
        if (goalX == 0) return;
    }
    for (int i = 0;; ++i) {
        const char* file = iniGetString(section, key, i, nullptr);
        if (!file) break;
        std::string plist = file;
        CCNode* particle = makeParticle(plist.c_str(), this);
        if (!particle) continue;
        particle->setPosition(at);
        if (toGoal) {
            float duration =
                static_cast<float>(std::atof(iniGetString(section, "particle_goal_duration", i, "1.0")));
            particle->runAction(CCMoveTo::create(duration, CCPoint(goalX, goalY)));
        }
        addChild(particle, 0);
    }
}

void LevelLayer::spawnParticle(const char* plist, const CCPoint& at) {
    if (CCNode* particle = makeParticle(plist, this)) {
        particle->setPosition(at);
        addChild(particle, 0);
    }
}

CCSprite* LevelLayer::spriteAt(int x, int y) {
    int id = m_model->brickId(x, y);
    if (id == 0) return nullptr;
    CellSprite& seen = m_cellSprites[x][y];
    if (seen.sprite && seen.id == id) return seen.sprite;
    auto found = m_brickSprites.find(id);
    if (found == m_brickSprites.end() || !found->second) return nullptr;
    seen = {id, found->second};
    return found->second;
}

void LevelLayer::placeBrickSprites() {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            CCSprite* sprite = spriteAt(x, y);
            if (!sprite) continue;
            auto [px, py] = m_model->brickPosition(x, y);
            const CCPoint& at = sprite->getPosition();
            if (at.x != px || at.y != py) sprite->setPosition(px, py);
        }
    }
}

void LevelLayer::update(float dt) {
    // A long step while something moves is a stall the board does not jump over; after the
    // loop slept over a still board it is time that passed.
    bool still = updateDueIn() > 0;
    // The model's fades and zooms count time as the sprites' actions do, raw.
    m_model->advanceClocks(dt);
    if (dt > 0.1f && !still) dt = 0.1f;
    if (m_hudStale) refreshHud();
    shakeStep(dt);
    m_model->updateHints(dt);
    showEvents();
    hintDisplay();
    scoreCounterStep(dt);
    m_model->updateBoard(dt);
    // Removed bricks leave from where they stood; the rest then take their new places.
    showEvents();
    placeBrickSprites();
    // The frame the board comes to rest also shows the next preview: the loop may sleep after it.
    if (m_highlight->isShown() || previewCell()) refreshPreview();
}

void LevelLayer::shakeStep(float dt) {
    m_shakeTime -= dt;
    if (m_shakeTime > 0) {
        int a = std::max(0, static_cast<int>(m_shakeAmplitude));
        m_shakeAmplitude = (1 - dt / m_shakeTime) * m_shakeAmplitude;
        int oy = std::rand() % (2 * a + 1) - a;
        int ox = std::rand() % (2 * a + 1) - a;
        setPosition(static_cast<float>(ox), static_cast<float>(oy));
    } else {
        m_shakeAmplitude = 0;
        setPosition(0, 0);
    }
}

void LevelLayer::hintDisplay() {
    const std::set<int>& hints = m_model->hintCells();
    float timer = m_model->hintTimer();
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            CCSprite* sprite = spriteAt(x, y);
            if (!sprite || sprite->numberOfRunningActions() > 0) continue;
            if (timer < 0 && hints.count(x * 65536 + y)) {
                float t = std::clamp((-timer - kHintColumnLag * x) / kHintPulseSeconds, 0.0f, 1.0f);
                sprite->setScale(std::sin(t * 2 * 3.141f) * 0.1f + 0.9f);
            } else if (sprite->getScaleX() != 1 || sprite->getScaleY() != 1 || sprite->getRotation() != 0) {
                // Only on a change: a set marks the sprite's transform for recomputing.
                sprite->setScale(1);
                sprite->setRotation(0);
            }
        }
    }
}

bool LevelLayer::hintPulsing() const {
    float timer = m_model->hintTimer();
    if (timer >= 0 || m_model->hintCells().empty()) return false;
    int lastColumn = *m_model->hintCells().rbegin() / 65536;
    return -timer < kHintPulseSeconds + kHintColumnLag * static_cast<float>(lastColumn);
}

float LevelLayer::updateDueIn() const {
    if (m_hudStale || m_shakeTime > 0 || m_scoreLabelRest != m_model->score() || hintPulsing()) return 0;
    return m_model->secondsUntilChange();
}

void LevelLayer::scoreCounterStep(float dt) {
    m_scoreTimer -= dt;
    if (m_scoreTimer >= 0) return;
    m_scoreTimer = static_cast<float>(std::atof(iniGetString(m_gameSection, "score_delay", 0, "0.1")));
    auto* label = dynamic_cast<CCLabelProtocol*>(hudItem("score"));
    m_scoreLabelRest = m_model->score();
    if (!label) return;
    std::string target = std::to_string(m_model->score());
    std::string shown = label->getString();
    if (shown == target) return;
    std::string next = nextCounterText(shown, target);
    label->setString(next.c_str());
    if (next != target) m_scoreLabelRest.reset();
    playConfigSample("audio", "score", 0);
}
