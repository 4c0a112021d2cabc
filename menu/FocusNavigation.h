#pragma once

#include <vector>

#include "engine/base/CCGeometry.h"

enum class FocusMove { Left, Right, Up, Down, Next, Previous };

// Which button takes the focus from button `current` (an index into centres, -1 for
// none). Arrows pick the nearest button whose centre lies in that direction, preferring
// buttons in line with the current one, and stay put at the edge; Next and Previous step
// through the list in order and wrap. Without a current button the first one is taken.
// -1 when there are no buttons.
int nextFocus(const std::vector<cocos2d::CCPoint>& centres, int current, FocusMove move);
