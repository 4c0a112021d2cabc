#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "config/IOnReload.h"
#include "core/xfer/VirtualBase.h"
#include "engine/nodes/CCLayer.h"
#include "game/BrickFunction.h"
#include "game/LevelState.h"
#include "game/Random.h"
#include "menu/IClickCallback.h"

namespace cocos2d {
class CCSprite;
class CCProgressTimer;
class CCLabelProtocol;
}  // namespace cocos2d
class MenuLayer;

// The collapse game: a board of 8 x 9 bricks; clicking a group of two or more touching
// bricks of one kind dissolves it, the rest falls down and slides left, and new columns
// arrive from the right. docs/game-rules.md describes the rules and the keys it reads.
class LevelLayer : public cocos2d::CCLayer, public IClickCallback, public IOnReload {
public:
    static constexpr int kColumns = 8;
    static constexpr int kRows = 9;
    static constexpr int kCellSize = 80;
    static constexpr int kMaxKinds = 10;
    static constexpr int kPoolSize = kColumns * kRows;
    static constexpr int kUndoCapacity = 4720;
    static constexpr int kMaxHistory = 10;
    static constexpr float kMoveSpeed = 1000;

    struct HitComboEntry {
        std::int32_t kind = 0;
        std::int32_t count = 0;
        void Transfer(core::xfer::VirtualBase& t) { t.TransferPacked(kind).TransferPacked(count); }
        bool operator==(const HitComboEntry&) const = default;
    };

    enum class HitMode { Act, Hint, Test };

    // Null when the layer cannot be initialised. Without a seed the generator starts from
    // the clock. The caller adds the layer to the scene after the menu layer.
    static LevelLayer* create(const std::string& gameSection, MenuLayer* menuLayer,
                              std::optional<std::uint32_t> seed = std::nullopt);
    ~LevelLayer() override;
    bool init() override;

    // Setup and catalogue.
    int chooseBrickKind();
    void fillBoard();
    void placeCellSprite(int x, int y);
    bool playConfigSample(const std::string& section, const char* key, int index);

    // Board and groups.
    int hitCell(int x, int y, HitMode mode);
    int removeCell(int x, int y, bool award, bool ownParticles);
    void clearBoard();
    // Replaces the board with these codes ([x][y]; see cellCode) at rest; no points paid.
    void setBoard(const CellCodes& codes);
    int cellCode(int x, int y) const;

    // Scoring.
    void awardPoints(int x, int y, std::int32_t points);
    static std::int32_t moveScore(int count, int mul1, int mul2);

    // Turn, hints, undo, levels.
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch*, cocos2d::CCEvent*) override {}
    void ccTouchEnded(cocos2d::CCTouch*, cocos2d::CCEvent*) override {}
    void ccTouchCancelled(cocos2d::CCTouch*, cocos2d::CCEvent*) override {}
    void onMenuClick(MenuLayer* layer, cocos2d::CCNode* item, const std::string& command) override;
    void onReload() override;
    // Plays the cell (x, y) as a click there would, settling permitting; the move's count.
    int playCell(int x, int y);
    void undo();
    void nextLevel(MenuLayer* popup);
    void setupLevel();
    void updateBrickDisplay();
    bool hasNoMove();
    void update(float dt) override;
    // Nothing fades, falls or slides.
    bool isIdle();

    // Saving.
    void transfer(core::xfer::VirtualBase& t);
    bool saveGame(std::uint8_t marker);
    bool loadGame();
    void onPause();
    void onResume();
    static std::string saveFilePath(const std::string& gameSection);
    // 0: no saved game; 1: saved on pause; 2: saved by "save".
    static int saveFileState(const std::string& gameSection);

    LevelState state();
    const std::string& gameSection() const { return m_gameSection; }
    std::int32_t score() const { return m_score; }
    int level() const { return m_level; }
    int bricksLeft() const { return m_bricksLeft; }
    bool levelWon() const { return m_levelWon; }
    bool undoAvailable() const { return m_undoAvailable; }
    int kindCount() const { return m_kindCount; }
    BrickFunction kindFunction(int kindIndex) const { return m_kindFunction[kindIndex]; }
    const std::vector<std::string>& bonusNames() const { return m_bonusNames; }
    const std::set<int>& hintCells() const { return m_hintCells; }
    float hintTimer() const { return m_hintTimer; }
    Random& random() { return m_random; }
    // The popups this layer has opened and that are still up, by section.
    std::vector<std::string> openPopups() const;

private:
    struct HitCombo {
        std::vector<HitComboEntry> entries;
        std::vector<int> bonuses;
    };
    struct PointBonus {
        int bricks = 0;
        std::string image;
        std::string section;
        int time = 0;
    };

    LevelLayer(std::string gameSection, MenuLayer* menuLayer, std::uint32_t seed);

    // Setup.
    void readKinds();
    void readHitCombos();
    void readPointBonuses();
    void bindDisplays();
    cocos2d::CCSprite* takeFromPool(int kindIndex);
    void returnToPool(cocos2d::CCSprite* sprite, int kindIndex);
    cocos2d::CCSprite* placeCode(int code, int x, int y);
    int kindNumberOf(const char* brickSection) const;
    static void setText(cocos2d::CCNode* node, const std::string& text);

    // Board.
    std::vector<std::pair<int, int>> findGroup(int x, int y, int code, bool stopAtTwo) const;
    int actOnBonus(int x, int y, int code, std::vector<std::pair<int, int>>& bombs);
    int explodeBombs(std::vector<std::pair<int, int>>& bombs);
    void spawnParticles(const std::string& section, const char* key, const cocos2d::CCPoint& at, bool toGoal);
    void spawnParticle(const char* plist, const cocos2d::CCPoint& at);
    void collectPointBonus(int x, int y, const cocos2d::CCPoint& at, bool award);
    void removePointBonusSprite(int x, int y);
    void shakeStep(float dt);
    void finishFadingBricks();

    // Settling.
    void settle(float dt);
    bool compactColumns();
    void compactRows();
    void refillColumns();
    void afterSettled();

    // Scoring.
    void scoreCounterStep(float dt);
    void checkHitCombos();
    int freeTopColumn();
    void placePointBonus(int count);
    void expirePointBonuses(float dt);

    // Turn.
    void hintStep(float dt);
    void hintDisplay();
    void takeUndoSnapshot();
    void setUndoAvailable(bool available);
    void openPopup(const char* section, int zOrder);
    void gameOver();
    void saveAndExit();

    // Saving.
    void loadBoard(core::xfer::VirtualBase& t);
    void settleLoadedGame();

    std::string m_gameSection;
    int m_kindCount = 0;
    std::array<std::array<cocos2d::CCSprite*, kPoolSize>, kMaxKinds> m_spritePool{};
    std::array<int, kMaxKinds> m_poolFree{};
    std::array<int, kMaxKinds> m_kindChance{};
    std::array<BrickFunction, kMaxKinds> m_kindFunction{};
    int m_chanceTotal = 0;
    std::array<std::array<cocos2d::CCSprite*, kRows>, kColumns> m_cells{};
    std::array<std::array<cocos2d::CCSprite*, kRows>, kColumns> m_bonusSprites{};
    std::array<std::array<float, kRows>, kColumns> m_bonusTimes{};
    std::array<std::array<std::string, kRows>, kColumns> m_bonusSections;
    bool m_removalPending = false;
    bool m_falling = false;
    bool m_sliding = false;
    std::string m_dropSample;
    std::string m_slideSample;
    std::array<std::string, kMaxKinds> m_kindSections;
    MenuLayer* m_menuLayer;
    cocos2d::CCNode* m_scoreLabel = nullptr;
    std::int32_t m_score = 0;
    int m_scoreMul1 = 0;
    int m_scoreMul2 = 0;
    std::vector<HitCombo> m_hitCombos;
    std::deque<HitComboEntry> m_removalHistory;
    std::vector<std::string> m_bonusNames;
    std::vector<PointBonus> m_pointBonuses;
    std::int32_t m_level = 1;
    std::int32_t m_bricksLeft = 0;
    std::int32_t m_bricksTarget = 0;
    cocos2d::CCNode* m_bricksLabel = nullptr;
    cocos2d::CCProgressTimer* m_progressBar = nullptr;
    std::set<int> m_hintCells;
    cocos2d::CCNode* m_levelLabel = nullptr;
    float m_scoreTimer = 0;
    bool m_levelWon = false;
    float m_hintTimer = 0;
    Random m_random;
    std::array<std::uint8_t, kUndoCapacity> m_undoBuffer{};
    std::size_t m_undoSize = 0;
    bool m_undoAvailable = false;
    cocos2d::CCNode* m_undoItem = nullptr;
    std::deque<std::int32_t> m_deck;
    bool m_useDeck = false;
    float m_shakeAmplitude = 0;
    float m_shakeTime = 0;
};

// The layer that exists, or null.
LevelLayer* currentLevelLayer();
