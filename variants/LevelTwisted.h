#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/nodes/CCLayer.h"
#include "game/Random.h"
#include "menu/IClickCallback.h"
#include "variants/TwistedGroup.h"
#include "variants/TwistedLevel.h"

class MenuLayer;

// The stone-connecting puzzle: stones are dragged one cell at a time into empty cells;
// touching stones of one type form groups (limited by their connection marks); a group of
// the level's connect size is finished, a smaller one of its glue size is glued in place.
// The level is won when no active stone is left, lost when moves or time run out or, on a
// level with walls, when a stone is finished off the walls. The same layer is the level
// editor (editor flag) and the test play of an edited level.
class LevelTwisted : public cocos2d::CCLayer, public IClickCallback {
public:
    class Stone;

    static constexpr int kCellSize = 80;
    static constexpr int kPopupZ = 10;
    static constexpr int kWallTag = 103;

    enum class EditorMode { Tiles = 0, Moves = 1, Connections = 2, Walls = 3 };

    struct Options {
        bool editor = false;
        bool alternativeRules = true;  // how unmarked stones join (TwistedGroup)
        std::uint32_t seed = 0;        // of the generator that picks the hidden stones
    };

    // The level "level<n>" from its edited file or the configuration; an empty name gives
    // the default (empty) level. The menu layer shows time, moves and level and sends its
    // commands here. Autoreleased, or null.
    static LevelTwisted* create(const std::string& levelName, MenuLayer* menuLayer, const Options& options);
    // A test play of an edited level record (shown as level "///").
    static LevelTwisted* createTestPlay(const TwistedLevel& level, MenuLayer* menuLayer,
                                        const Options& options);

    ~LevelTwisted() override;
    bool init() override;

    void update(float dt) override;
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchCancelled(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void onMenuClick(MenuLayer* layer, cocos2d::CCNode* item, const std::string& command) override;

    const std::string& levelName() const { return m_levelName; }
    const TwistedLevel& level() const { return m_level; }
    Stone* stoneAt(int column, int row) const;
    bool isWon() const { return m_won; }
    bool isLost() const { return m_lost; }
    int movesMade() const { return m_movesMade; }
    float timeLeft() const { return m_timeLeft; }
    bool isEditor() const { return m_options.editor; }
    bool isTestPlay() const { return m_testPlay; }
    EditorMode editorMode() const { return m_editorMode; }
    int selectedTile() const { return m_selectedTile; }
    int selectedBlock() const { return m_selectedBlock; }
    int selectedConnection() const { return m_selectedConnection; }
    // Sections of the popups open on the layer, oldest first.
    std::vector<std::string> openPopups() const;

private:
    LevelTwisted(std::string levelName, MenuLayer* menuLayer, const Options& options);

    // Board and rules.
    void buildBoard();
    void clearBoard();
    void addWallMarker(int column, int row);
    TwistedGrid grid() const;
    int activeStoneCount() const;
    void updateHiddenStones();
    void hideRandomStone();
    bool finishGroup(int column, int row);
    void glueGroup(int column, int row);
    void loseLevel();
    bool popupIsOpen() const;

    // Play input.
    cocos2d::CCPoint touchCell(cocos2d::CCTouch* touch) const;
    bool pickStone(int column, int row);
    void dragTo(cocos2d::CCPoint cell);
    void moveDraggedStone(int column, int row);
    void endDrag(int touchId, bool byPlayer);

    // Menus and scenes.
    MenuLayer* openPopup(const char* section);
    void closePopup(MenuLayer* popup);
    void setLabel(const char* id, const std::string& text) const;
    void showMoves();
    void fillInfoPopup(MenuLayer* popup) const;
    bool runPlayCommand(MenuLayer* layer, const std::string& command);
    void startTestPlay(bool replacing);

    // Editor.
    void editorTouchBegan(int column, int row);
    void editCell(int column, int row);
    void selectTile(int tile);
    void selectBlock(int block);
    void selectConnection(int connection);
    void switchMode(EditorMode mode);
    void applyPaletteSelection();
    void runEditorCommand(MenuLayer* layer, const std::string& command);
    void fillOptionsPopup(MenuLayer* popup) const;
    void readOptionsPopup(MenuLayer* popup);
    void stepChangeTable(const std::string& command);

    std::string m_levelName;
    MenuLayer* m_menuLayer;
    Options m_options;
    bool m_testPlay = false;
    TwistedLevel m_level;
    std::array<std::array<Stone*, TwistedLevel::kRows>, TwistedLevel::kColumns> m_board{};
    Random m_random;

    Stone* m_dragged = nullptr;
    int m_touchId = -1;
    int m_dragColumn = 0;
    int m_dragRow = 0;

    float m_timeLeft = 0;
    int m_movesMade = 0;
    bool m_won = false;
    bool m_lost = false;
    bool m_infoPending = true;

    EditorMode m_editorMode = EditorMode::Connections;
    int m_selectedTile = -1;
    int m_selectedBlock = 3;
    int m_selectedConnection = 0;
    bool m_paintWall = false;
};
