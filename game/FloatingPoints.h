#pragma once

#include <cstdint>

#include "engine/nodes/CCNode.h"

// Points that rise from a cell, grow to scale and fade out within half a second.
void showFloatingPoints(cocos2d::CCNode* parent, const cocos2d::CCPoint& at, std::int32_t points, float scale,
                        int z);
