#include <cstdio>
#include <ctime>

#include "audio/PlaySample.h"
#include "config/IniLookup.h"
#include "config/Reload.h"
#include "engine/base/CCProtocols.h"
#include "engine/nodes/CCProgressTimer.h"
#include "engine/nodes/CCSprite.h"
#include "game/CollapseRulesIni.h"
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
    m_saveLock = std::make_unique<FileLock>(saveFilePath(m_gameSection) + ".lock", FileLock::Wait::No);
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
    bindDisplays();
    rules.levelled = m_levelLabel != nullptr;
    m_model.emplace(std::move(rules), m_seed);
    m_model->start();
    showEvents();
    setText(m_scoreLabel, std::to_string(m_model->score()));
    scheduleUpdate();
    setTouchMode(kCCTouchesOneByOne);
    setTouchEnabled(true);
    m_cursor = BoardCursor::create(kColumns, kRows, kCellSize, kCellSize);
    if (!m_cursor) return false;
    addChild(m_cursor, 0);
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
