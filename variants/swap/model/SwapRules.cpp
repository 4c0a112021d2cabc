#include "variants/swap/model/SwapRules.h"

bool SwapRules::playable() const {
    for (const Kind& kind : kinds) {
        if (kind.chance > 0) return true;
    }
    return false;
}

BrickFunction SwapRules::functionOf(int code) const {
    if (code < 1 || code > static_cast<int>(kinds.size())) return BrickFunction::Empty;
    return kinds[code - 1].function;
}
