#include <gtest/gtest.h>

#include "engine/platform/CCEGLView.h"
#include "menu/BoardCursor.h"
#include "tests/menu/MenuTestSupport.h"

using namespace cocos2d;
using Action = BoardCursor::Action;

namespace {

class BoardCursorTest : public petalune::test::MenuTest {
protected:
    void SetUp() override {
        cursor = BoardCursor::create(4, 3, 80, 60);
        ASSERT_NE(cursor, nullptr);
        scene->addChild(cursor);
    }
    BoardCursor* cursor = nullptr;
};

TEST_F(BoardCursorTest, TheFirstKeyOnlyShowsTheCursorInTheMiddle) {
    EXPECT_FALSE(cursor->isShown());
    EXPECT_EQ(cursor->handleKey(kVirtualKeyReturn), Action::Moved);
    EXPECT_TRUE(cursor->isShown());
    EXPECT_EQ(cursor->column(), 2);
    EXPECT_EQ(cursor->row(), 1);
    EXPECT_EQ(cursor->handleKey(kVirtualKeySpace), Action::Play);
    EXPECT_EQ(cursor->handleKey(kVirtualKeyReturn), Action::Play);
    EXPECT_EQ(cursor->handleKey('U'), Action::None);
    EXPECT_EQ(cursor->handleKey(kVirtualKeyTab), Action::None);

    cursor->hide();
    EXPECT_EQ(cursor->handleKey(kVirtualKeyLeft), Action::Moved);
    EXPECT_EQ(cursor->column(), 2) << "the key that shows the cursor does not move it";
}

TEST_F(BoardCursorTest, ArrowsMoveOneCellAndStopAtTheEdges) {
    cursor->handleKey(kVirtualKeyUp);
    struct Case {
        int key;
        int column, row;
    };
    const Case cases[] = {
        {kVirtualKeyUp, 2, 2},   {kVirtualKeyUp, 2, 2},   {kVirtualKeyRight, 3, 2}, {kVirtualKeyRight, 3, 2},
        {kVirtualKeyDown, 3, 1}, {kVirtualKeyDown, 3, 0}, {kVirtualKeyDown, 3, 0},  {kVirtualKeyLeft, 2, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cursor->handleKey(c.key), Action::Moved);
        EXPECT_EQ(cursor->column(), c.column);
        EXPECT_EQ(cursor->row(), c.row);
    }
    // The frame covers the cell, counted from the lower left.
    CCNode* frame = static_cast<CCNode*>(cursor->getChildren()->objectAtIndex(0));
    EXPECT_EQ(frame->getPosition(), CCPoint(160, 0));
    EXPECT_EQ(frame->getContentSize(), CCSize(80, 60));

    cursor->setBoardSize(2, 2);
    EXPECT_EQ(cursor->column(), 1);
    EXPECT_EQ(cursor->row(), 0);
}

}  // namespace
