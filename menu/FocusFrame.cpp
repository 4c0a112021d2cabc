#include "menu/FocusFrame.h"

#include "engine/nodes/QuadBuilder.h"

using namespace cocos2d;

namespace {

constexpr Color4B kOuter{20, 20, 40, 220};
constexpr Color4B kInner{255, 250, 205, 255};

void addOutline(DrawList& list, const CCAffineTransform& nodeToWorld, const CCRect& box, float band,
                Color4B color) {
    float x = box.origin.x, y = box.origin.y, w = box.size.width, h = box.size.height;
    for (const CCRect& side :
         {CCRect(x, y, w, band), CCRect(x, y + h - band, w, band), CCRect(x, y + band, band, h - 2 * band),
          CCRect(x + w - band, y + band, band, h - 2 * band)})
        list.addQuad(0, kBlendPremultiplied, makeQuad(nodeToWorld, side, UvRect{}, color));
}

}  // namespace

FocusFrame* FocusFrame::create() {
    auto* frame = new FocusFrame();
    frame->init();
    frame->autorelease();
    return frame;
}

void FocusFrame::frame(const CCRect& box) {
    setAnchorPoint(CCPointZero);
    setPosition(box.origin);
    setContentSize(box.size);
}

void FocusFrame::draw(DrawList& list, const CCAffineTransform& nodeToWorld) {
    const CCSize& size = getContentSize();
    if (size.width < 4 * kBandWidth || size.height < 4 * kBandWidth) return;
    CCRect box(0, 0, size.width, size.height);
    addOutline(list, nodeToWorld, box, kBandWidth, kOuter);
    addOutline(list, nodeToWorld,
               CCRect(kBandWidth, kBandWidth, size.width - 2 * kBandWidth, size.height - 2 * kBandWidth),
               kBandWidth, kInner);
}
