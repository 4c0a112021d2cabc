#pragma once

namespace cocos2d {

enum CCTextAlignment {
    kCCTextAlignmentLeft,
    kCCTextAlignmentCenter,
    kCCTextAlignmentRight,
};

enum CCVerticalTextAlignment {
    kCCVerticalTextAlignmentTop,
    kCCVerticalTextAlignmentCenter,
    kCCVerticalTextAlignmentBottom,
};

}  // namespace cocos2d
