#include <cstdio>
#include <ctime>

#include "audio/PlaySample.h"
#include "config/IniLookup.h"
#include "config/Reload.h"
#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCProgressTimer.h"
#include "engine/nodes/CCSprite.h"
#include "game/CollapseRulesIni.h"
#include "game/GroupHighlight.h"
#include "game/LevelLayer.h"
#include "menu/BoardCursor.h"
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
    : m_gameSection(std::move(gameSection)), m_seed(seed), m_menuLayer(menuLayer) {
    s_current = this;
    // Held so that the HUD outlives this layer whatever order the scene releases them in.
    if (m_menuLayer) {
        m_menuLayer->retain();
        m_menuLayer->setClickCallback(this);
    }
    m_dropSample = iniGetString("audio", "block_drop", 0, "");
    m_slideSample = iniGetString("audio", "block_slide", 0, "");
    m_saveSlot = std::make_unique<SavedGameSlot>(m_gameSection);
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
    CollapseRules rules = readCollapseRules(m_gameSection);
    createPools(rules);
    rules.levelled = playsLevels();
    m_model.emplace(std::move(rules), m_seed);
    m_model->start();
    showEvents();
    refreshHud();
    scheduleUpdate();
    setTouchMode(kCCTouchesOneByOne);
    setTouchEnabled(true);
    m_cursor = BoardCursor::create(kColumns, kRows, kCellSize, kCellSize);
    if (!m_cursor) return false;
    addChild(m_cursor, 0);
    // Above the bricks and their bonuses, below the popups.
    m_highlight = GroupHighlight::create(kColumns, kRows, kCellSize);
    if (!m_highlight) return false;
    addChild(m_highlight, kPopupZ - 1);
    setKeypadEnabled(true);
    return true;
}

void LevelLayer::createPools(CollapseRules& rules) {
    for (std::size_t i = 0; i < rules.kinds.size(); ++i) {
        CollapseRules::Kind& kind = rules.kinds[i];
        std::string image = iniGetString(kind.section, "image", 0, "");
        // A kind whose image cannot be loaded keeps no sprites and is never dealt.
        for (int k = 0; k < kPoolSize; ++k) {
            CCSprite* sprite = CCSprite::create(image.c_str());
            if (!sprite) break;
            sprite->setVisible(false);
            sprite->setTag(static_cast<int>(i) + 1);
            addChild(sprite, 0);
            m_spritePool[i].push_back(sprite);
        }
        kind.dealt = !m_spritePool[i].empty();
        if (!kind.dealt) {
            std::fprintf(stderr, "%s: brick %s has no loadable image \"%s\"\n", m_gameSection.c_str(),
                         kind.section.c_str(), image.c_str());
        }
    }
}

CCNode* LevelLayer::hudItem(const char* id) const {
    return m_menuLayer ? m_menuLayer->findById(id) : nullptr;
}

CCProgressTimer* LevelLayer::progressBar() {
    CCNode* item = hudItem("progressbar");
    if (auto* bar = dynamic_cast<CCProgressTimer*>(item)) return bar;
    auto* image = dynamic_cast<CCSprite*>(item);
    if (!image) return nullptr;
    // The bar takes the image's place and tag, so the HUD finds it and a rebuild replaces it.
    image->retain();
    int tag = image->getTag(), z = image->getZOrder();
    CCPoint position = image->getPosition();
    float scaleX = image->getScaleX(), scaleY = image->getScaleY();
    m_menuLayer->removeChild(image, false);
    CCProgressTimer* bar = CCProgressTimer::create(image);
    image->release();
    bar->setPosition(position);
    bar->setScaleX(scaleX);
    bar->setScaleY(scaleY);
    bar->setType(kCCProgressTimerTypeBar);
    bar->setPercentage(0);
    bar->setMidpoint(CCPoint(0, 0));
    bar->setBarChangeRate(CCPoint(1, 0));
    m_menuLayer->addChild(bar, z, tag);
    return bar;
}

void LevelLayer::refreshHud() {
    m_hudStale = false;
    setText(hudItem("score"), std::to_string(m_model->score()));
    if (CCNode* level = hudItem("level")) setText(level, std::to_string(m_model->level()));
    if (CCNode* top = hudItem("topscore")) {
        // An empty table reads 0, like the score beside it, rather than a bare caption.
        HighscoreTable table = loadHighscoreTable(playsLevels() ? "h-normal" : "h-zen");
        setText(top, std::to_string(table.empty() ? 0 : table.front().score));
    }
    updateBrickDisplay();
    showUndoAvailable();
}

void LevelLayer::setText(CCNode* node, const std::string& text) {
    if (auto* label = dynamic_cast<CCLabelProtocol*>(node)) label->setString(text.c_str());
}

CCSprite* LevelLayer::takeFromPool(int kindIndex) {
    if (kindIndex < 0 || kindIndex >= CollapseRules::kMaxKinds || m_spritePool[kindIndex].empty())
        return nullptr;
    CCSprite* sprite = m_spritePool[kindIndex].back();
    m_spritePool[kindIndex].pop_back();
    sprite->setVisible(true);
    sprite->setOpacity(255);
    sprite->setScale(1);
    sprite->setRotation(0);
    return sprite;
}

void LevelLayer::returnToPool(CCSprite* sprite, int kindIndex) {
    sprite->setVisible(false);
    sprite->stopAllActions();
    m_spritePool[kindIndex].push_back(sprite);
}

bool LevelLayer::playConfigSample(const std::string& section, const char* key, int index) {
    const char* reference = iniGetString(section, key, index, nullptr);
    if (!reference) return false;
    playSample(reference);
    return true;
}
