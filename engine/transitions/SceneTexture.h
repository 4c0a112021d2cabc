#pragma once

#include <memory>

#include "engine/base/CCAffineTransform.h"
#include "engine/renderer/DrawList.h"

namespace cocos2d {

class CCNode;
class Renderer;

// An offscreen picture of a scene as big as the window, redrawn on every capture, for the
// transitions that move pieces of a scene or blend whole scenes.
class SceneTexture {
public:
    SceneTexture() = default;
    SceneTexture(const SceneTexture&) = delete;
    SceneTexture& operator=(const SceneTexture&) = delete;
    ~SceneTexture();

    // Draws the node into the texture; 0 when the renderer has no render targets.
    TextureId capture(CCNode* node, const CCAffineTransform& parentToWorld, Color4B clear);

    // The part of the window under rect (in the space parentToWorld maps from), drawn by the
    // given corners in that space with a premultiplied colour.
    static void addPiece(DrawList& list, TextureId texture, const CCAffineTransform& parentToWorld,
                         const CCRect& source, const CCPoint corners[4], Color4B color);

private:
    TextureId m_target = 0;
    int m_width = 0, m_height = 0;
    std::weak_ptr<Renderer> m_renderer;
    DrawList m_list;
};

}  // namespace cocos2d
