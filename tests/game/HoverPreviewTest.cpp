#include <algorithm>
#include <functional>

#include "engine/platform/CCEGLView.h"
#include "game/GroupHighlight.h"
#include "menu/BoardCursor.h"
#include "tests/game/GameTestSupport.h"

using namespace cocos2d;

namespace petalune::test {
namespace {

// No move but the reds in the lower left corner (three) and the blues beside them (two).
CellCodes boardWithTwoGroups() {
    std::vector<std::string> rows;
    for (int r = 0; r < 9; ++r) rows.push_back(r % 2 ? "GORBGORB" : "OGBROGBR");
    rows[7] = "RGORBGOR";
    rows[8] = "RRBBGORG";
    return boardFrom(rows);
}

using Cells = std::vector<std::array<int, 2>>;

class HoverPreview : public GameTest {
protected:
    void startAtRest() {
        start("game_orig");
        game->setBoard(boardWithTwoGroups());
        ASSERT_TRUE(settle());
    }
    void hoverCell(int x, int y) { driver.hover(x * 80 + 40.0f, y * 80 + 30.0f); }
    std::optional<MovePreviewState> preview() const { return game->previewState(); }
    static Cells sorted(Cells cells) {
        std::sort(cells.begin(), cells.end());
        return cells;
    }
};

TEST_F(HoverPreview, AGroupUnderThePointerShowsItsCellsAndThePointsTheClickThenPays) {
    startAtRest();

    hoverCell(1, 0);
    ASSERT_TRUE(preview());
    EXPECT_EQ(sorted(preview()->cells), (Cells{{0, 0}, {0, 1}, {1, 0}}));
    std::string promised = preview()->label;
    std::int32_t score = game->model().score();
    tapCell(1, 0);
    EXPECT_FALSE(preview()) << "hidden while the board moves";
    ASSERT_TRUE(settle());
    EXPECT_EQ(promised, "+" + std::to_string(game->model().score() - score));

    // The frame the board came to rest in shows the group now under the pointer, and the
    // preview keeps no frames coming once the score has counted up.
    ASSERT_TRUE(preview());
    Cells now;
    for (auto [x, y] : game->model().previewCell(1, 0).cells) now.push_back({x, y});
    EXPECT_EQ(sorted(preview()->cells), sorted(now));
    for (int frame = 0; frame < 5 * 60 && CCDirector::sharedDirector()->frameDueIn() == 0; ++frame)
        driver.step();
    EXPECT_GT(CCDirector::sharedDirector()->frameDueIn(), 0);
    EXPECT_TRUE(preview());
}

TEST_F(HoverPreview, NothingShowsOffTheBoardOverALoneBrickOrOnceThePointerLeaves) {
    startAtRest();
    struct Case {
        const char* name;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"a lone brick", [this] { hoverCell(5, 5); }},
        {"above the board", [this] { driver.hover(100, 800); }},
        {"the pointer left the window", [this] { driver.pointerLeave(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hoverCell(0, 0);
        ASSERT_TRUE(preview());
        c.act();
        EXPECT_FALSE(preview());
        EXPECT_FALSE(game->highlight()->isShown());
    }
}

TEST_F(HoverPreview, APopupHidesItUntilItIsClosed) {
    startAtRest();
    hoverCell(0, 0);
    game->onMenuClick(nullptr, nullptr, "ask_main");
    driver.step();
    EXPECT_FALSE(preview());
    CCArray* children = game->getChildren();
    for (unsigned int i = children->count(); i-- > 0;) {
        if (auto* popup = dynamic_cast<MenuLayer*>(children->objectAtIndex(i)))
            popup->removeFromParentAndCleanup(true);
    }
    driver.step();
    EXPECT_TRUE(preview());
}

TEST_F(HoverPreview, TheKeyboardCursorShowsTheGroupUnderIt) {
    startAtRest();
    hoverCell(5, 5);
    driver.keyPress(kVirtualKeySpace);  // shows the cursor, in the middle of the board
    game->cursor()->moveTo(2, 1);
    driver.keyPress(kVirtualKeyDown);
    driver.step();
    ASSERT_TRUE(preview()) << "the keys took over from the pointer";
    EXPECT_EQ(sorted(preview()->cells), (Cells{{2, 0}, {3, 0}}));
}

}  // namespace
}  // namespace petalune::test
