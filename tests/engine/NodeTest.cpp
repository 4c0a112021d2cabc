#include <gtest/gtest.h>

#include "tests/engine/EngineTestSupport.h"

using namespace cocos2d;
using petalune::test::EngineTest;

namespace {

class NodeTest : public EngineTest {
protected:
    // Sprites told apart in the frame by their red channel.
    CCSprite* marked(std::uint8_t red) {
        CCSprite* sprite = solidSprite(4, 4);
        sprite->setColor(ccc3(red, 0, 0));
        return sprite;
    }

    std::vector<int> drawnReds() {
        driver.step();
        std::vector<int> reds;
        for (const Quad& quad : frame().quads()) reds.push_back(quad.bl.color.r);
        return reds;
    }
};

TEST(NodeChecks, ProgrammerMistakesStopTheProgramInEveryBuild) {
    // Checked also where NDEBUG is set (the release and test builds).
    EXPECT_DEATH(
        {
            CCNode* node = CCNode::create();
            node->addChild(node);
        },
        "check failed: child != this");
    EXPECT_DEATH(CCNode::create()->runAction(nullptr), "check failed: action");
}

TEST_F(NodeTest, DrawsBelowZeroFirstThenSelfThenByZThenArrival) {
    CCSprite* parent = marked(100);
    scene->addChild(parent);
    parent->addChild(marked(3), 2);
    parent->addChild(marked(1), -1);
    parent->addChild(marked(4), 2);
    parent->addChild(marked(2), 0);
    EXPECT_EQ(drawnReds(), (std::vector<int>{1, 100, 2, 3, 4}));
}

TEST_F(NodeTest, ReorderedChildGoesToTheEndOfItsNewZGroup) {
    CCSprite* a = marked(1);
    CCSprite* b = marked(2);
    CCSprite* c = marked(3);
    scene->addChild(a, 1);
    scene->addChild(b, 1);
    scene->addChild(c, 0);
    a->setZOrder(1);  // same z, later arrival: now after b
    EXPECT_EQ(drawnReds(), (std::vector<int>{3, 2, 1}));
    c->setZOrder(5);
    EXPECT_EQ(drawnReds(), (std::vector<int>{2, 1, 3}));
}

TEST_F(NodeTest, InvisibleNodeHidesItsChildren) {
    CCSprite* parent = marked(1);
    parent->addChild(marked(2));
    scene->addChild(parent);
    parent->setVisible(false);
    EXPECT_TRUE(drawnReds().empty());
}

TEST_F(NodeTest, AnchorAndTransformsThroughAScaledOffsetLayer) {
    // A window-sized layer scaled about its centre and placed by its corner, as the
    // design area is.
    CCLayer* root = CCLayer::create();
    root->setScale(0.5f);
    root->setPosition(ccp(10, 20));
    scene->addChild(root);
    CCSprite* sprite = solidSprite(80, 40);
    sprite->setPosition(ccp(100, 100));  // anchor at the centre by default
    root->addChild(sprite);

    // The layer maps p to centre + (p - centre) * 0.5 + offset = p * 0.5 + (170, 235).
    CCPoint world = sprite->convertToWorldSpace(ccp(0, 0));
    EXPECT_FLOAT_EQ(world.x, (100 - 40) * 0.5f + 170);
    EXPECT_FLOAT_EQ(world.y, (100 - 20) * 0.5f + 235);
    CCPoint back = sprite->convertToNodeSpace(world);
    EXPECT_NEAR(back.x, 0, 1e-4);
    EXPECT_NEAR(back.y, 0, 1e-4);
    EXPECT_EQ(root->convertToNodeSpace(ccp(220, 285)), ccp(100, 100));

    driver.step();
    ASSERT_EQ(frame().quads().size(), 1u);
    const Quad& quad = frame().quads()[0];
    EXPECT_FLOAT_EQ(quad.bl.x, 200);
    EXPECT_FLOAT_EQ(quad.bl.y, 275);
    EXPECT_FLOAT_EQ(quad.tr.x, 240);
    EXPECT_FLOAT_EQ(quad.tr.y, 295);
}

TEST_F(NodeTest, BoundingBoxFollowsAnchorScaleAndRotation) {
    CCNode* node = CCNode::create();
    node->setContentSize(CCSize(40, 20));
    node->setAnchorPoint(ccp(0.5f, 0));
    node->setPosition(ccp(100, 50));
    node->setScaleX(2);
    EXPECT_EQ(node->boundingBox(), CCRect(60, 50, 80, 20));

    node->setScale(1);
    node->setRotation(90);  // clockwise: the box stands upright and hangs to the left of x
    CCRect box = node->boundingBox();
    EXPECT_NEAR(box.getMinX(), 100, 1e-4);
    EXPECT_NEAR(box.getMaxX(), 120, 1e-4);
    EXPECT_NEAR(box.getMinY(), 30, 1e-4);
    EXPECT_NEAR(box.getMaxY(), 70, 1e-4);
}

TEST_F(NodeTest, EnterAndExitFollowTheRunningScene) {
    CCNode* parent = CCNode::create();
    CCNode* child = CCNode::create();
    parent->addChild(child);
    EXPECT_FALSE(child->isRunning());
    scene->addChild(parent);
    EXPECT_TRUE(child->isRunning());
    parent->removeFromParentAndCleanup(false);
    EXPECT_FALSE(child->isRunning());
}

TEST_F(NodeTest, TagsFindAndRemoveChildren) {
    CCNode* parent = CCNode::create();
    CCNode* child = CCNode::create();
    parent->addChild(child, 0, 7);
    EXPECT_EQ(parent->getChildByTag(7), child);
    EXPECT_EQ(parent->getChildByTag(8), nullptr);
    parent->removeChildByTag(7);
    EXPECT_EQ(parent->getChildrenCount(), 0u);
}

// A child that removes a sibling when it enters must not break the parent's walk.
class RemovesSiblingOnEnter : public CCNode {
public:
    CCNode* victim = nullptr;
    void onEnter() override {
        CCNode::onEnter();
        if (victim) getParent()->removeChild(victim);
    }
};

TEST_F(NodeTest, ChildrenMayChangeTheTreeDuringEnter) {
    CCNode* parent = CCNode::create();
    auto* first = new RemovesSiblingOnEnter();
    first->autorelease();
    CCNode* second = CCNode::create();
    first->victim = second;
    parent->addChild(first);
    parent->addChild(second);
    scene->addChild(parent);
    EXPECT_EQ(parent->getChildrenCount(), 1u);
    EXPECT_TRUE(first->isRunning());
}

}  // namespace
