#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "config/IOnReload.h"
#include "core/xfer/VirtualBase.h"
#include "engine/nodes/CCLayer.h"
#include "game/LevelState.h"
#include "game/SavedGameSlot.h"
#include "game/model/CollapseModel.h"
#include "menu/IClickCallback.h"

namespace cocos2d {
class CCSprite;
class CCProgressTimer;
}  // namespace cocos2d
class BoardCursor;
class GroupHighlight;
class MenuLayer;

// Shows the collapse game (CollapseModel) on the scene: turns the model's events into
// sprites, actions, particles, sounds and HUD updates and forwards touches and menu
// commands to it as actions. docs/game-rules.md describes the rules and the keys it reads.
class LevelLayer : public cocos2d::CCLayer, public IClickCallback, public IOnReload {
public:
    using HitMode = CollapseModel::HitMode;
    static constexpr int kColumns = CollapseModel::kColumns;
    static constexpr int kRows = CollapseModel::kRows;
    static constexpr int kCellSize = CollapseModel::kCellSize;
    static constexpr int kPoolSize = kColumns * kRows;
    static constexpr int kKeypadPriority = 130;

    // Null when the layer cannot be initialised. Without a seed the generator starts from
    // the clock. The caller adds the layer to the scene after the menu layer.
    static LevelLayer* create(const std::string& gameSection, MenuLayer* menuLayer,
                              std::optional<std::uint32_t> seed = std::nullopt);
    ~LevelLayer() override;
    bool init() override;

    const CollapseModel& model() const { return *m_model; }

    // Actions, each passed to the model and shown.
    int playCell(int x, int y);
    int hitCell(int x, int y, HitMode mode);
    int removeCell(int x, int y, bool award, bool ownParticles);
    // Replaces the board with these codes ([x][y]; see CellCodes) at rest; no points paid.
    void setBoard(const CellCodes& codes);
    int chooseBrickKind();
    void undo();
    void nextLevel(MenuLayer* popup);

    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch*, cocos2d::CCEvent*) override {}
    void ccTouchEnded(cocos2d::CCTouch*, cocos2d::CCEvent*) override {}
    void ccTouchCancelled(cocos2d::CCTouch*, cocos2d::CCEvent*) override {}
    // The pointer over the board shows what playing its group would take and pay.
    void ccPointerHovered(const cocos2d::CCPoint& location) override;
    void ccPointerLeft() override;
    void onMenuClick(MenuLayer* layer, cocos2d::CCNode* item, const std::string& command) override;
    // The board cursor's keys, U and Backspace for undo; asked before the game's menu,
    // after its popups.
    bool keyDown(int virtualKey, bool shift) override;
    int getKeypadPriority() override { return kKeypadPriority; }
    BoardCursor* cursor() const { return m_cursor; }
    GroupHighlight* highlight() const { return m_highlight; }
    void onReload() override;
    void update(float dt) override;
    // Every frame while something moves, shakes, counts or the hint pulses; else when the
    // model next changes by itself.
    float updateDueIn() const override;
    // Nothing fades, falls or slides.
    bool isIdle() const { return m_model->isIdle(); }

    // Saving.
    bool saveGame(std::uint8_t marker);
    bool loadGame();
    void onPause();
    void onResume();
    // 0: no saved game; 1: saved on pause; 2: saved by "save".
    static int saveFileState(const std::string& gameSection);

    LevelState state() const;
    // What the move preview shows, if it shows.
    std::optional<MovePreviewState> previewState() const;
    const std::string& gameSection() const { return m_gameSection; }
    // The popups this layer has opened and that are still up, by section.
    std::vector<std::string> openPopups() const;

private:
    // Popups the game opens cover every board sprite (bricks and bonuses sit at 0 and 1).
    static constexpr int kPopupZ = 10;

    LevelLayer(std::string gameSection, MenuLayer* menuLayer, std::uint32_t seed);

    // Setup.
    void createPools(CollapseRules& rules);
    // HUD items are looked up where used: a reload rebuilds the HUD and frees the old ones.
    cocos2d::CCNode* hudItem(const char* id) const;
    cocos2d::CCProgressTimer* progressBar();
    // A HUD with a level display plays levels with targets; without one the game is endless.
    bool playsLevels() const { return hudItem("level") != nullptr; }
    void refreshHud();
    cocos2d::CCSprite* takeFromPool(int kindIndex);
    void returnToPool(cocos2d::CCSprite* sprite, int kindIndex);
    static void setText(cocos2d::CCNode* node, const std::string& text);
    bool playConfigSample(const std::string& section, const char* key, int index);

    // Showing the model's events.
    void showEvents();
    void show(const CollapseEvent& event);
    void placeBrick(const CollapseEvent& event);
    void removeBrick(const CollapseEvent& event);
    void placePointBonus(const CollapseEvent& event);
    void removePointBonusSprite(int x, int y);
    void showPoints(int x, int y, std::int32_t points);
    void spawnParticles(const std::string& section, const char* key, const cocos2d::CCPoint& at, bool toGoal);
    void spawnParticle(const char* plist, const cocos2d::CCPoint& at);
    void placeBrickSprites();
    cocos2d::CCSprite* spriteAt(int x, int y);

    // Per frame.
    void shakeStep(float dt);
    void hintDisplay();
    bool hintPulsing() const;
    void scoreCounterStep(float dt);

    // The move preview under the pointer, else under the keyboard cursor: shown while the
    // board rests with no popup up, worked out again only when the board changed.
    std::optional<std::pair<int, int>> previewCell() const;
    void refreshPreview();

    // HUD.
    void updateBrickDisplay();
    void showUndoAvailable();
    void afterSettled(bool levelWon);
    void openPopup(const char* section);
    void gameOver();
    void saveAndExit();

    std::string m_gameSection;
    std::uint32_t m_seed;
    // Made in init(), once the HUD and the sprite pools tell which rules apply.
    std::optional<CollapseModel> m_model;
    std::unique_ptr<SavedGameSlot> m_saveSlot;
    std::array<std::vector<cocos2d::CCSprite*>, CollapseRules::kMaxKinds> m_spritePool;
    // The sprite of each brick on the board, by the model's brick id.
    std::unordered_map<int, cocos2d::CCSprite*> m_brickSprites;
    // The sprite last found on each cell: bricks mostly stay put, and the map lookup for all
    // cells twice a frame was a good share of a frame. Ids are never reused, so an id match
    // means the same brick.
    struct CellSprite {
        int id = 0;
        cocos2d::CCSprite* sprite = nullptr;
    };
    std::array<std::array<CellSprite, kRows>, kColumns> m_cellSprites{};
    std::array<std::array<cocos2d::CCSprite*, kRows>, kColumns> m_bonusSprites{};
    std::string m_dropSample;
    std::string m_slideSample;
    MenuLayer* m_menuLayer;
    bool m_hudStale = false;
    // What the undo button shows; a rebuilt HUD is written whole (m_hudStale).
    std::optional<bool> m_undoShown;
    BoardCursor* m_cursor = nullptr;
    GroupHighlight* m_highlight = nullptr;
    // The cell the pointer hovers over and where, in the layer's parent's space.
    std::optional<std::pair<int, int>> m_pointerCell;
    cocos2d::CCPoint m_pointerAt;
    // The cell whose preview is shown; stale once the model has changed.
    std::optional<std::pair<int, int>> m_previewShownFor;
    bool m_previewStale = true;
    float m_scoreTimer = 0;
    // The score the label came to rest at; none while it counts.
    std::optional<std::int32_t> m_scoreLabelRest;
    float m_shakeAmplitude = 0;
    float m_shakeTime = 0;
};

// The layer that exists, or null.
LevelLayer* currentLevelLayer();
