#pragma once

#include "engine/text/FontRasterizer.h"

namespace petalune::test {

// Where a rendered text has ink (alpha above a faint threshold), in bitmap pixels, top row 0.
struct InkBox {
    int pixels = 0;
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; right < left when there is no ink
};

inline InkBox findInk(const cocos2d::TextBitmap& bitmap) {
    InkBox ink{0, bitmap.width, bitmap.height, -1, -1};
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) {
            if (bitmap.rgba[(static_cast<std::size_t>(y) * bitmap.width + x) * 4 + 3] < 64) continue;
            ++ink.pixels;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

}  // namespace petalune::test
