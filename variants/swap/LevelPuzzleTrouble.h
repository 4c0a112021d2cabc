#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "engine/nodes/CCLayer.h"
#include "game/SavedGameSlot.h"
#include "menu/IClickCallback.h"
#include "variants/swap/model/SwapGame.h"

namespace cocos2d {
class CCSprite;
}
class BoardCursor;
class MenuLayer;

// The swap game on screen: draws its SwapGame (bricks, point bonuses, the offered pattern,
// the warning light), plays its sounds, keeps the HUD's score and level, and turns touches
// into the game's actions. docs/game-rules.md describes the rules, docs/variants.md its keys.
class LevelPuzzleTrouble : public cocos2d::CCLayer, public IClickCallback {
public:
    static constexpr int kPatternTag = static_cast<int>(0xDEADBEEF);
    static constexpr int kKeypadPriority = 130;

    // Null when the section names no brick kind with a chance.
    static LevelPuzzleTrouble* create(const std::string& gameSection, MenuLayer* hud,
                                      std::optional<std::uint32_t> seed = std::nullopt);
    ~LevelPuzzleTrouble() override;

    bool init() override;
    void update(float dt) override;
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchCancelled(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void onMenuClick(MenuLayer* layer, cocos2d::CCNode* item, const std::string& command) override;
    // Keyboard and gamepad: the arrows move the board cursor; Return or Space picks the brick
    // under it, an arrow then swaps it with that neighbour, and a second Return fires it.
    bool keyDown(int virtualKey, bool shift) override;
    int getKeypadPriority() override { return kKeypadPriority; }
    BoardCursor* cursor() const { return m_cursor; }
    // The brick picked by the keys, or x = -1.
    SwapGame::Cell picked() const { return m_picked; }

    // Saving: "save" writes marker 1, a pause marker 0; a resume deletes the file.
    bool saveGame(std::uint8_t marker);
    bool loadGame();
    void onPause();
    void onResume();

    const SwapGame& game() const { return m_game; }
    SwapGame& game() { return m_game; }
    const std::string& gameSection() const { return m_gameSection; }
    std::vector<std::string> openPopups() const;
    // The text of the HUD's score counter, which rolls toward the score.
    std::string shownScore() const;
    // Nothing in the well moves.
    bool isIdle() const;

private:
    LevelPuzzleTrouble(std::string gameSection, MenuLayer* hud, std::uint32_t seed);

    cocos2d::CCPoint boardPoint(cocos2d::CCTouch* touch) const;
    void showEvents();
    void syncBricks();
    void syncPointBonuses();
    void syncPattern();
    void syncWarning();
    void scoreCounterStep(float dt);
    void floatPoints(int x, int y, std::int32_t points);
    void particles(const std::string& section, const char* key, const cocos2d::CCPoint& at);
    void playConfigSample(const std::string& section, const char* key);
    std::string imageOf(int code) const;
    static void setText(cocos2d::CCNode* node, const std::string& text);
    void touchesFromKeys(SwapGame::Cell from, SwapGame::Cell to);
    void gameOver();
    void saveAndExit();

    std::string m_gameSection;
    std::string m_highscoreTable;
    MenuLayer* m_hud;
    // HUD items are looked up where used: a reload may rebuild the HUD and free the old ones.
    cocos2d::CCNode* hudItem(const char* id) const;
    SwapGame m_game;
    SavedGameSlot m_saveSlot;
    std::map<std::uint32_t, cocos2d::CCSprite*> m_bricks;  // by brick id
    std::map<int, cocos2d::CCSprite*> m_bonusSprites;      // by x * 16 + y
    cocos2d::CCSprite* m_warningLight = nullptr;
    BoardCursor* m_cursor = nullptr;
    SwapGame::Cell m_picked;
    int m_shownPattern = -1;
    int m_shownPatternKind = -1;
    float m_scoreTimer = 0;
    float m_time = 0;
};
