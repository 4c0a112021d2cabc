#include <cstdio>
#include <ctime>

#include "audio/PlaySample.h"
#include "config/IniLookup.h"
#include "config/Reload.h"
#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCProgressTimer.h"
#include "engine/nodes/CCSprite.h"
#include "game/LevelLayer.h"
#include "menu/HighscoreTable.h"
#include "menu/MenuLayer.h"

using namespace cocos2d;

namespace {

LevelLayer* s_current = nullptr;

}  // namespace

LevelLayer* currentLevelLayer() {
    return s_current;
}

LevelLayer* LevelLayer::create(const std::string& gameSection, MenuLayer* menuLayer,
                               std::optional<std::uint32_t> seed) {
    auto* layer =
        new LevelLayer(gameSection, menuLayer, seed.value_or(static_cast<std::uint32_t>(std::time(nullptr))));
    if (!layer->init()) {
        layer->release();
        return nullptr;
    }
    layer->autorelease();
    return layer;
}

LevelLayer::LevelLayer(std::string gameSection, MenuLayer* menuLayer, std::uint32_t seed)
    : m_gameSection(std::move(gameSection)), m_menuLayer(menuLayer), m_random(seed) {
    s_current = this;
    // Held so that the HUD outlives this layer whatever order the scene releases them in.
    if (m_menuLayer) {
        m_menuLayer->retain();
        m_menuLayer->setClickCallback(this);
    }
    m_dropSample = iniGetString("audio", "block_drop", 0, "");
    m_slideSample = iniGetString("audio", "block_slide", 0, "");
    m_useDeck = iniGetInt(m_gameSection, "use_deck", 0, 0) != 0;
    registerOnReload(this);
}

LevelLayer::~LevelLayer() {
    unregisterOnReload(this);
    if (m_menuLayer) {
        if (m_menuLayer->clickCallback() == this) m_menuLayer->setClickCallback(nullptr);
        m_menuLayer->release();
    }
    if (s_current == this) s_current = nullptr;
}

bool LevelLayer::init() {
    if (!CCLayer::init()) return false;
    readKinds();
    readHitCombos();
    readPointBonuses();
    fillBoard();
    bindDisplays();
    setText(m_scoreLabel, std::to_string(m_score));
    setupLevel();
    m_scoreMul1 = iniGetInt(m_gameSection, "scoremul_1", 0, 0);
    m_scoreMul2 = iniGetInt(m_gameSection, "scoremul_2", 0, 0);
    scheduleUpdate();
    setTouchMode(kCCTouchesOneByOne);
    setTouchEnabled(true);
    return true;
}

void LevelLayer::readKinds() {
    for (int n = 1; n <= kMaxKinds; ++n) {
        int chance = iniGetInt(m_gameSection, "chance", n, 0);
        if (chance == 0) break;
        int i = n - 1;
        m_kindCount = n;
        m_chanceTotal += chance;
        m_kindChance[i] = chance;
        m_kindSections[i] = iniGetString(m_gameSection, "brick", n, "");
        std::string image = iniGetString(m_kindSections[i], "image", 0, "");
        m_kindFunction[i] = brickFunctionFromName(iniGetString(m_kindSections[i], "function", 0, ""));
        // A kind whose image cannot be loaded keeps no sprites and is never dealt.
        int created = 0;
        for (int k = 0; k < kPoolSize; ++k) {
            CCSprite* sprite = CCSprite::create(image.c_str());
            if (!sprite) break;
            sprite->setVisible(false);
            sprite->setTag(n);
            addChild(sprite, 0);
            m_spritePool[i][k] = sprite;
            ++created;
        }
        m_poolFree[i] = created;
        if (created == 0) {
            std::fprintf(stderr, "%s: brick %s has no loadable image \"%s\"\n", m_gameSection.c_str(),
                         m_kindSections[i].c_str(), image.c_str());
        }
    }
    if (m_chanceTotal <= 0) std::fprintf(stderr, "%s: no brick kind has a chance\n", m_gameSection.c_str());
}

int LevelLayer::kindNumberOf(const char* brickSection) const {
    for (int m = 1; m <= m_kindCount; ++m) {
        if (m_kindSections[m - 1] == brickSection) return m;
    }
    return 0;
}

void LevelLayer::readHitCombos() {
    for (int k = 0;; ++k) {
        std::string section = "hitcombo" + std::to_string(k);
        if (!iniGetString(section, "type", 1, nullptr)) break;
        HitCombo combo;
        for (int j = 1; const char* type = iniGetString(section, "type", j, nullptr); ++j) {
            int kind = kindNumberOf(type);
            if (kind == 0)
                std::fprintf(stderr, "%s: type(%d) %s is no brick of %s\n", section.c_str(), j, type,
                             m_gameSection.c_str());
            combo.entries.push_back({kind, iniGetInt(section, "count", j, 0)});
        }
        for (int j = 1; const char* bonus = iniGetString(section, "bonus", j, nullptr); ++j) {
            std::size_t index = 0;
            while (index < m_bonusNames.size() && m_bonusNames[index] != bonus) ++index;
            if (index == m_bonusNames.size()) m_bonusNames.emplace_back(bonus);
            combo.bonuses.push_back(static_cast<int>(index));
        }
        if (combo.bonuses.empty()) std::fprintf(stderr, "%s: no bonus(1); never awarded\n", section.c_str());
        m_hitCombos.push_back(std::move(combo));
    }
}

void LevelLayer::readPointBonuses() {
    for (int k = 0;; ++k) {
        std::string section = "pointbonus" + std::to_string(k);
        const char* image = iniGetString(section, "image", 0, nullptr);
        if (!image) break;
        m_pointBonuses.push_back(
            {iniGetInt(section, "bricks", 0, 0), image, section, iniGetInt(section, "time", 0, 0)});
    }
}

void LevelLayer::bindDisplays() {
    if (!m_menuLayer) return;
    m_scoreLabel = m_menuLayer->findById("score");
    m_levelLabel = m_menuLayer->findById("level");
    onReload();
    if (CCNode* top = m_menuLayer->findById("topscore")) {
        // An empty table reads 0, like the score beside it, rather than a bare caption.
        HighscoreTable table = loadHighscoreTable(m_levelLabel ? "h-normal" : "h-zen");
        setText(top, std::to_string(table.empty() ? 0 : table.front().score));
    }
    m_bricksLabel = m_menuLayer->findById("bricks");
    if (auto* bar = dynamic_cast<CCSprite*>(m_menuLayer->findById("progressbar"))) {
        CCPoint position = bar->getPosition();
        float scaleX = bar->getScaleX(), scaleY = bar->getScaleY();
        int z = bar->getZOrder();
        bar->retain();
        m_menuLayer->removeChild(bar, false);
        m_progressBar = CCProgressTimer::create(bar);
        bar->release();
        m_progressBar->setPosition(position);
        m_progressBar->setScaleX(scaleX);
        m_progressBar->setScaleY(scaleY);
        m_menuLayer->addChild(m_progressBar, z);
        m_progressBar->setType(kCCProgressTimerTypeBar);
        m_progressBar->setPercentage(0);
        m_progressBar->setMidpoint(CCPoint(0, 0));
        m_progressBar->setBarChangeRate(CCPoint(1, 0));
    }
}

void LevelLayer::setText(CCNode* node, const std::string& text) {
    if (auto* label = dynamic_cast<CCLabelProtocol*>(node)) label->setString(text.c_str());
}

int LevelLayer::chooseBrickKind() {
    if (!m_useDeck) {
        int r = m_random.below(static_cast<std::uint32_t>(m_chanceTotal));
        int j = 0;
        while (j < m_kindCount - 1 && r >= m_kindChance[j]) r -= m_kindChance[j++];
        return j;
    }
    if (m_deck.empty()) {
        for (int i = 0; i < m_kindCount; ++i) m_deck.insert(m_deck.end(), m_kindChance[i], i);
        for (int k = static_cast<int>(m_deck.size()) - 1; k >= 0; --k) {
            int a = m_random.below(static_cast<std::uint32_t>(k + 1));
            if (a != k) std::swap(m_deck[a], m_deck[k]);
        }
    }
    int kind = m_deck.empty() ? 0 : m_deck.front();
    if (!m_deck.empty()) m_deck.pop_front();
    return kind;
}

CCSprite* LevelLayer::takeFromPool(int kindIndex) {
    if (kindIndex < 0 || kindIndex >= m_kindCount || m_poolFree[kindIndex] == 0) return nullptr;
    CCSprite* sprite = m_spritePool[kindIndex][--m_poolFree[kindIndex]];
    sprite->setVisible(true);
    sprite->setOpacity(255);
    sprite->setScale(1);
    sprite->setRotation(0);
    return sprite;
}

void LevelLayer::returnToPool(CCSprite* sprite, int kindIndex) {
    sprite->setVisible(false);
    sprite->stopAllActions();
    m_spritePool[kindIndex][m_poolFree[kindIndex]++] = sprite;
}

void LevelLayer::fillBoard() {
    for (int x = 0; x < kColumns; ++x) {
        for (int y = 0; y < kRows; ++y) {
            m_cells[x][y] = takeFromPool(chooseBrickKind());
            placeCellSprite(x, y);
        }
    }
}

void LevelLayer::placeCellSprite(int x, int y) {
    if (CCSprite* sprite = m_cells[x][y]) sprite->setPosition(x * kCellSize + 40.0f, y * kCellSize + 40.0f);
}

bool LevelLayer::playConfigSample(const std::string& section, const char* key, int index) {
    const char* reference = iniGetString(section, key, index, nullptr);
    if (!reference) return false;
    playSample(reference);
    return true;
}
