#pragma once

#include <memory>

#include "engine/base/CCGeometry.h"
#include "engine/renderer/DrawList.h"

namespace cocos2d {
class CCNode;
class Renderer;
}  // namespace cocos2d

// What fills the window beside the design area: the screen itself, drawn small into an
// offscreen picture and stretched dim over the whole window, so the bars show a soft,
// darkened blur of the screen's own colours instead of black. The small picture is drawn
// again only when the screen's drawing changed by half a pixel of it or more, and only the
// bars show it, so that a small change (a pulsing hint) does not count as a change of the
// whole window.
class SceneBackdrop {
public:
    static constexpr int kWidth = 40;  // a sixteenth of the design area per side
    static constexpr int kHeight = 54;

    SceneBackdrop() = default;
    SceneBackdrop(const SceneBackdrop&) = delete;
    SceneBackdrop& operator=(const SceneBackdrop&) = delete;
    ~SceneBackdrop();

    // Adds the backdrop of content (the node holding the design area) to the parts of window
    // outside area (both in window pixels). Adds nothing when no offscreen picture can be had.
    void draw(cocos2d::DrawList& list, cocos2d::CCNode* content, const cocos2d::CCRect& window,
              const cocos2d::CCRect& area);

private:
    cocos2d::TextureId m_target = 0;
    std::weak_ptr<cocos2d::Renderer> m_renderer;
    cocos2d::DrawList m_list;
    bool m_drawn = false;
};
