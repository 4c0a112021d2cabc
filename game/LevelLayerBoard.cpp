#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "config/IniLookup.h"
#include "engine/actions/CCActionComposite.h"
#include "engine/actions/CCActionFade.h"
#include "engine/actions/CCActionInterval.h"
#include "engine/actions/CCActionTransform.h"
#include "engine/nodes/CCSprite.h"
#include "game/LevelLayer.h"
#include "game/LevelParticles.h"

using namespace cocos2d;

namespace {

bool onBoard(int x, int y) {
    return x >= 0 && x < LevelLayer::kColumns && y >= 0 && y < LevelLayer::kRows;
}

CCPoint cellCentre(int x, int y) {
    return CCPoint(x * LevelLayer::kCellSize + 40.0f, y * LevelLayer::kCellSize + 40.0f);
}

}  // namespace

int LevelLayer::cellCode(int x, int y) const {
    return onBoard(x, y) && m_cells[x][y] ? m_cells[x][y]->getTag() : 0;
}

std::vector<std::pair<int, int>> LevelLayer::findGroup(int x, int y, int code, bool stopAtTwo) const {
    bool visited[kColumns][kRows] = {};
    std::vector<std::pair<int, int>> stack{{x, y}};
    std::vector<std::pair<int, int>> group;
    visited[x][y] = true;
    while (!stack.empty()) {
        auto [cx, cy] = stack.back();
        stack.pop_back();
        int tag = cellCode(cx, cy);
        if (tag == 0) continue;
        bool joker = tag > 0 && tag <= m_kindCount && m_kindFunction[tag - 1] == BrickFunction::Joker;
        if (tag != code && !joker) continue;
        group.emplace_back(cx, cy);
        if (stopAtTwo && group.size() == 2) break;
        const std::pair<int, int> neighbours[] = {{cx - 1, cy}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy + 1}};
        for (auto [nx, ny] : neighbours) {
            if (!onBoard(nx, ny) || visited[nx][ny]) continue;
            visited[nx][ny] = true;
            stack.emplace_back(nx, ny);
        }
    }
    return group;
}

int LevelLayer::hitCell(int x, int y, HitMode mode) {
    if (!onBoard(x, y) || !m_cells[x][y]) return 0;
    int code = m_cells[x][y]->getTag();
    int count = 0;
    std::vector<std::pair<int, int>> bombs;
    if (code < 0) {
        if (mode == HitMode::Hint) {
            m_hintCells = {x * 65536 + y};
            return 1;
        }
        if (mode == HitMode::Test) return 1;
        count = actOnBonus(x, y, code, bombs);
    } else {
        // A code beyond the catalogue (an inconsistent saved game) behaves as an empty brick.
        BrickFunction function = code <= m_kindCount ? m_kindFunction[code - 1] : BrickFunction::Empty;
        if (function == BrickFunction::Joker || function == BrickFunction::Empty) return 0;
        if (function == BrickFunction::Bomb) {
            if (mode == HitMode::Hint) m_hintCells = {x * 65536 + y};
            if (mode != HitMode::Act) return 1;
            bombs.emplace_back(x, y);
            m_removalHistory.clear();
            playConfigSample(m_kindSections[code - 1], "sample", 0);
        } else {
            auto group = findGroup(x, y, code, mode == HitMode::Test);
            if (group.size() < 2) return 0;
            if (mode == HitMode::Test) return static_cast<int>(group.size());
            if (mode == HitMode::Hint) {
                m_hintCells.clear();
                for (auto [gx, gy] : group) m_hintCells.insert(gx * 65536 + gy);
                return static_cast<int>(group.size());
            }
            for (std::size_t i = 0; i < group.size(); ++i) {
                CCSprite* sprite = m_cells[group[i].first][group[i].second];
                sprite->setScale(1);
                sprite->runAction(CCSequence::createWithTwoActions(CCDelayTime::create(i * 0.05f),
                                                                   CCFadeTo::create(0.1f, 128)));
            }
            count = static_cast<int>(group.size());
            m_removalHistory.push_back({code, count});
            if (m_removalHistory.size() > kMaxHistory) m_removalHistory.pop_front();
            playConfigSample(m_kindSections[code - 1], "sample", 0);
        }
    }
    count += explodeBombs(bombs);
    m_removalPending = true;
    return count;
}

int LevelLayer::actOnBonus(int x, int y, int code, std::vector<std::pair<int, int>>& bombs) {
    if (-code - 1 >= static_cast<int>(m_bonusNames.size())) {
        removeCell(x, y, true, true);
        return 0;
    }
    const std::string section = m_bonusNames[-code - 1];
    if (const char* killAll = iniGetString(section, "kill_all", 0, nullptr)) {
        int kind = kindNumberOf(killAll);
        int count = 1;
        removeCell(x, y, true, true);
        for (int cx = 0; cx < kColumns; ++cx) {
            for (int cy = 0; cy < kRows; ++cy) {
                if (kind != 0 && cellCode(cx, cy) == kind) {
                    removeCell(cx, cy, true, true);
                    ++count;
                }
            }
        }
        return count;
    }
    const char* effect = iniGetString(section, "effect", 0, nullptr);
    if (!effect) {
        removeCell(x, y, true, true);
        return 0;
    }
    bool row = std::strcmp(effect, "kill_h") == 0;
    if (!row && std::strcmp(effect, "kill_v") != 0) return 0;
    int count = 0;
    for (int i = 0; i < (row ? kColumns : kRows); ++i) {
        int cx = row ? i : x, cy = row ? y : i;
        int taken = removeCell(cx, cy, true, true);
        if (taken != 0) ++count;
        if (taken == static_cast<int>(BrickFunction::Bomb)) bombs.emplace_back(cx, cy);
    }
    return count;
}

int LevelLayer::explodeBombs(std::vector<std::pair<int, int>>& bombs) {
    if (bombs.empty()) return 0;
    const char* blast = iniGetString("brick_bomb", "particle", 0, nullptr);
    std::string blastFile = blast ? blast : "";
    int count = 0;
    // Every bomb is pushed once: it is taken off the board when its cell is cleared.
    while (!bombs.empty()) {
        auto [bx, by] = bombs.back();
        bombs.pop_back();
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                int taken = removeCell(bx + dx, by + dy, true, false);
                if (taken == 0) continue;
                ++count;
                if (taken == static_cast<int>(BrickFunction::Bomb)) bombs.emplace_back(bx + dx, by + dy);
                if (blast) spawnParticle(blastFile.c_str(), cellCentre(bx + dx, by + dy));
            }
        }
    }
    return count;
}

int LevelLayer::removeCell(int x, int y, bool award, bool ownParticles) {
    if (!onBoard(x, y)) return 0;
    CCSprite* sprite = m_cells[x][y];
    if (!sprite) {
        if (!award) removePointBonusSprite(x, y);
        return 0;
    }
    int code = sprite->getTag();
    m_cells[x][y] = nullptr;
    CCPoint at = sprite->getPosition();
    collectPointBonus(x, y, at, award);
    bool isKind = code > 0 && code <= m_kindCount;
    bool isBonus = code < 0 && -code - 1 < static_cast<int>(m_bonusNames.size());
    std::string section = isKind ? m_kindSections[code - 1] : isBonus ? m_bonusNames[-code - 1] : "";
    if ((award || ownParticles) && !section.empty()) {
        spawnParticles(section, "particle_goal", at, true);
        if (ownParticles) spawnParticles(section, "particle", at, false);
        if (const char* shake = iniGetString(section, "screen_shake", 0, nullptr)) {
            const char* comma = std::strchr(shake, ',');
            float duration = static_cast<float>(std::atof(shake));
            float amplitude = comma ? static_cast<float>(std::atof(comma + 1)) : 0.0f;
            m_shakeAmplitude = std::max(m_shakeAmplitude, amplitude);
            m_shakeTime = std::max(m_shakeTime, duration);
        }
    }
    if (isKind) {
        returnToPool(sprite, code - 1);
        return static_cast<int>(m_kindFunction[code - 1]);
    }
    sprite->stopAllActions();
    removeChild(sprite, true);
    return -1;
}

void LevelLayer::collectPointBonus(int x, int y, const CCPoint& at, bool award) {
    if (!m_bonusSprites[x][y]) return;
    if (award) {
        const std::string section = m_bonusSections[x][y];
        awardPoints(x, y, iniGetInt(section, "points", 0, 0));
        playConfigSample(section, "sample", 0);
        spawnParticles(section, "particle", at, false);
    }
    removePointBonusSprite(x, y);
}

void LevelLayer::removePointBonusSprite(int x, int y) {
    if (CCSprite* bonus = m_bonusSprites[x][y]) {
        removeChild(bonus, true);
        m_bonusSprites[x][y] = nullptr;
        m_bonusSections[x][y].clear();
    }
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

void LevelLayer::clearBoard() {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) removeCell(x, y, false, false);
    }
}

CCSprite* LevelLayer::placeCode(int code, int x, int y) {
    CCSprite* sprite = nullptr;
    if (code > 0) {
        sprite = takeFromPool(code - 1);
    } else if (code < 0 && -code - 1 < static_cast<int>(m_bonusNames.size())) {
        sprite = CCSprite::create(iniGetString(m_bonusNames[-code - 1], "image", 0, ""));
        if (sprite) {
            sprite->setTag(code);
            addChild(sprite, 0);
        }
    }
    m_cells[x][y] = sprite;
    placeCellSprite(x, y);
    return sprite;
}

void LevelLayer::setBoard(const CellCodes& codes) {
    clearBoard();
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) placeCode(codes[x][y], x, y);
    }
    m_removalPending = m_falling = m_sliding = false;
}

void LevelLayer::finishFadingBricks() {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            CCSprite* sprite = m_cells[x][y];
            if (!sprite || sprite->getTag() < 0) continue;
            // A group brick has its fade running or finished; either way it is already counted.
            if (sprite->getOpacity() < 255 || sprite->numberOfRunningActions() > 0)
                removeCell(x, y, true, true);
        }
    }
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
