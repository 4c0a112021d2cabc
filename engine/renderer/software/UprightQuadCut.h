#pragma once

#include "engine/renderer/DrawList.h"

namespace cocos2d {

// An upright quad of one colour (edges along the axes, its texture likewise) cut to the
// target [0, width] x [0, height], its texture coordinates following the cut; any other
// quad, and one already inside, comes back as it was. SDL's software renderer scales an
// upright quad through a temporary picture the size of the whole quad, so a picture
// scaled far past the window (a backdrop blown up to cover any screen) would cost
// megabytes and tens of milliseconds for the few pixels shown. The texture's size in
// texels (0 for none) keeps at least one texel in the cut.
Quad cutUprightQuad(const Quad& quad, float width, float height, int textureWidth = 0, int textureHeight = 0);

}  // namespace cocos2d
