#pragma once

#include "engine/base/ccTypes.h"
#include "engine/transitions/CCTransitionScene.h"

namespace cocos2d {

// The outgoing scene fades into a colour in the first half; the incoming one fades out of it
// in the second.
class CCTransitionFade : public CCTransitionScene {
public:
    static CCTransitionFade* create(float duration, CCScene* scene);
    static CCTransitionFade* create(float duration, CCScene* scene, const ccColor3B& color);

    bool initWithDuration(float duration, CCScene* scene, const ccColor3B& color);
    using CCTransitionScene::initWithDuration;

    const ccColor3B& getColor() const { return m_color; }
    // How much of the colour covers the scenes now, 0 to 255.
    std::uint8_t coverOpacity() const { return m_cover; }

protected:
    void step(float progress) override;
    void drawScenes(DrawList& list, const CCAffineTransform& parentToWorld) override;

private:
    ccColor3B m_color;
    std::uint8_t m_cover = 0;
};

}  // namespace cocos2d
