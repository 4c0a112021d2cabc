#include "config/Reload.h"
#include "engine/menu/CCMenuItem.h"
#include "engine/nodes/CCProgressTimer.h"
#include "tests/game/GameTestSupport.h"

namespace petalune::test {
namespace {

// A live reload rebuilds the HUD's buttons and may rebuild its labels. Listeners are
// told in registration order; the HUD normally registers before the game, but the
// game must show the right state whichever goes first.
enum class Order { HudFirst, GameFirst };

class HudReloadTest : public GameTest, public ::testing::WithParamInterface<Order> {
protected:
    void startAndReload() {
        start("game_orig");
        if (GetParam() == Order::GameFirst) {
            unregisterOnReload(hud);
            registerOnReload(hud);
        }
    }
    void reload() {
        reloadAll();
        driver.step();
    }
    bool undoShown() {
        auto* item = dynamic_cast<cocos2d::CCMenuItem*>(hud->findById("undo"));
        EXPECT_NE(item, nullptr);
        return item && item->isEnabled();
    }
    int progressBars() {
        int bars = 0;
        for (cocos2d::CCObject* child : *hud->getChildren())
            if (dynamic_cast<cocos2d::CCProgressTimer*>(child)) ++bars;
        return bars;
    }
};

TEST_P(HudReloadTest, TheGamePlaysUndoesAndSavesAfterAReloadWithTheHudShowingItsState) {
    startAndReload();
    std::vector<std::string> rows;
    for (int r = 0; r < 9; ++r) rows.push_back(r % 2 ? "GOGOGOGO" : "OGOGOGOG");
    rows[8] = "RRRRRRVB";
    game->setBoard(boardFrom(rows));

    reload();
    EXPECT_FALSE(undoShown());
    ASSERT_EQ(game->playCell(0, 0), 6);
    EXPECT_TRUE(undoShown());
    ASSERT_TRUE(settle());

    reload();
    EXPECT_TRUE(undoShown());
    EXPECT_EQ(MenuLayer::itemText(hud->findById("bricks")), "6/60");
    EXPECT_EQ(MenuLayer::itemText(hud->findById("level")), "1");
    ASSERT_EQ(progressBars(), 1);
    auto* bar = dynamic_cast<cocos2d::CCProgressTimer*>(hud->findById("progressbar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->getPercentage(), 10);

    game->onMenuClick(hud, nullptr, "undo");
    EXPECT_FALSE(undoShown());
    EXPECT_EQ(game->model().bricksLeft(), 60);
    EXPECT_EQ(MenuLayer::itemText(hud->findById("bricks")), "0/60");
    EXPECT_EQ(bar->getPercentage(), 0);
    EXPECT_TRUE(game->saveGame(0));
}

INSTANTIATE_TEST_SUITE_P(BothOrders, HudReloadTest, ::testing::Values(Order::HudFirst, Order::GameFirst),
                         [](const ::testing::TestParamInfo<Order>& param) {
                             return param.param == Order::HudFirst ? "HudFirst" : "GameFirst";
                         });

}  // namespace
}  // namespace petalune::test
