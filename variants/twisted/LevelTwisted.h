#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/nodes/CCLayer.h"
#include "menu/IClickCallback.h"
#include "variants/twisted/model/TwistedBoard.h"
#include "variants/twisted/model/TwistedLevel.h"

class BoardCursor;
class MenuLayer;

// The stone-connecting puzzle on screen: it shows a TwistedBoard (the rules) as sprites,
// turns drags into the board's moves and opens the popups of its outcome. The same layer
// is the level editor (editor flag) and the test play of an edited level.
class LevelTwisted : public cocos2d::CCLayer, public IClickCallback {
public:
    class Stone;

    static constexpr int kCellSize = 80;
    static constexpr int kPopupZ = 10;
    static constexpr int kWallTag = 103;
    // Above the menu layer's buttons, below its popups'.
    static constexpr int kKeypadPriority = 130;

    enum class EditorMode { Tiles = 0, Moves = 1, Connections = 2, Walls = 3 };

    using Options = TwistedBoard::Options;

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
    // When the clock shows its next second; nothing while it stands.
    float updateDueIn() const override;
    bool ccTouchBegan(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchMoved(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchEnded(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void ccTouchCancelled(cocos2d::CCTouch* touch, cocos2d::CCEvent* event) override;
    void onMenuClick(MenuLayer* layer, cocos2d::CCNode* item, const std::string& command) override;
    // Arrows move the cursor; Space or Return picks the stone under it, arrows then move the
    // stone one cell each (as a drag does), and Space or Return lets it go.
    bool keyDown(int virtualKey, bool shift) override;
    int getKeypadPriority() override { return kKeypadPriority; }
    // Null in the editor.
    BoardCursor* cursor() const { return m_cursor; }

    const std::string& levelName() const { return m_levelName; }
    const TwistedLevel& level() const { return m_level; }
    const TwistedBoard& board() const { return m_board; }
    Stone* stoneAt(int column, int row) const;
    bool isWon() const { return m_board.isWon(); }
    bool isLost() const { return m_board.isLost(); }
    int movesMade() const { return m_board.movesMade(); }
    float timeLeft() const { return m_board.timeLeft(); }
    bool isEditor() const { return m_options.editor; }
    bool isTestPlay() const { return m_testPlay; }
    EditorMode editorMode() const { return m_editorMode; }
    int selectedTile() const { return m_selectedTile; }
    // Sections of the popups open on the layer, oldest first.
    std::vector<std::string> openPopups() const;

private:
    LevelTwisted(std::string levelName, MenuLayer* menuLayer, const Options& options);

    // Board and rules.
    void buildBoard();
    void clearBoard();
    void addWallMarker(int column, int row);
    // Brings the stone sprites in line with the board.
    void showStones();
    // Opens the popup of an outcome the board reached since the last call.
    void showOutcome();
    bool popupIsOpen() const;

    // Play input.
    static cocos2d::CCPoint cellCentre(int column, int row);
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
    void showChangeImages(MenuLayer* popup) const;
    void readOptionsPopup(MenuLayer* popup);
    void stepChangeTable(const std::string& command);

    std::string m_levelName;
    MenuLayer* m_menuLayer;
    Options m_options;
    bool m_testPlay = false;
    TwistedLevel m_level;
    TwistedBoard m_board;
    std::array<std::array<Stone*, TwistedLevel::kRows>, TwistedLevel::kColumns> m_stones{};

    Stone* m_dragged = nullptr;
    int m_touchId = -1;
    int m_dragColumn = 0;
    int m_dragRow = 0;
    BoardCursor* m_cursor = nullptr;

    bool m_outcomeShown = false;
    bool m_infoPending = true;

    EditorMode m_editorMode = EditorMode::Connections;
    int m_selectedTile = -1;
    int m_selectedBlock = 3;
    int m_selectedConnection = 0;
    bool m_paintWall = false;
};
