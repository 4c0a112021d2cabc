#pragma once

#include <vector>

#include "engine/transitions/CCTransitionScene.h"
#include "engine/transitions/SceneTexture.h"

namespace cocos2d {

// The outgoing scene, cut into a grid of tiles, disappears tile by tile over the incoming one.
class CCTransitionTiles : public CCTransitionScene {
protected:
    bool isInSceneOnTop() const override { return false; }
    void step(float progress) override { m_progress = progress; }
    void drawScenes(DrawList& list, const CCAffineTransform& parentToWorld) override;

    // How much of tile (column, row) is left: 0 gone, 1 whole. Shrinking tiles keep their centre.
    virtual float tileSize(int column, int row, float progress) = 0;
    // Whether tiles shrink only in height.
    virtual bool shrinksVertically() const { return false; }

    int columns() const;
    static constexpr int kRows = 12;

private:
    float m_progress = 0;
    SceneTexture m_outTexture;
};

// Tiles go out one at a time in a random order.
class CCTransitionTurnOffTiles : public CCTransitionTiles {
public:
    static CCTransitionTurnOffTiles* create(float duration, CCScene* scene);

protected:
    float tileSize(int column, int row, float progress) override;

private:
    std::vector<int> m_order;  // for each tile, its place in the order
};

// Tiles shrink away from the bottom left corner to the top right one.
class CCTransitionFadeTR : public CCTransitionTiles {
public:
    static CCTransitionFadeTR* create(float duration, CCScene* scene);

protected:
    float tileSize(int column, int row, float progress) override;
};

// Tiles shrink away from the top right corner to the bottom left one.
class CCTransitionFadeBL : public CCTransitionTiles {
public:
    static CCTransitionFadeBL* create(float duration, CCScene* scene);

protected:
    float tileSize(int column, int row, float progress) override;
};

// Rows flatten away from the bottom up.
class CCTransitionFadeUp : public CCTransitionTiles {
public:
    static CCTransitionFadeUp* create(float duration, CCScene* scene);

protected:
    float tileSize(int column, int row, float progress) override;
    bool shrinksVertically() const override { return true; }
};

// Rows flatten away from the top down.
class CCTransitionFadeDown : public CCTransitionTiles {
public:
    static CCTransitionFadeDown* create(float duration, CCScene* scene);

protected:
    float tileSize(int column, int row, float progress) override;
    bool shrinksVertically() const override { return true; }
};

}  // namespace cocos2d
