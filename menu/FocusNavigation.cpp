#include "menu/FocusNavigation.h"

#include <cmath>
#include <limits>

using namespace cocos2d;

int nextFocus(const std::vector<CCPoint>& centres, int current, FocusMove move) {
    int count = static_cast<int>(centres.size());
    if (count == 0) return -1;
    if (current < 0 || current >= count) return 0;
    if (move == FocusMove::Next) return (current + 1) % count;
    if (move == FocusMove::Previous) return (current + count - 1) % count;

    const CCPoint& from = centres[current];
    int best = current;
    float bestCost = std::numeric_limits<float>::max();
    for (int i = 0; i < count; ++i) {
        float dx = centres[i].x - from.x, dy = centres[i].y - from.y;
        float along = 0, across = 0;
        switch (move) {
            case FocusMove::Left:
                along = -dx, across = dy;
                break;
            case FocusMove::Right:
                along = dx, across = dy;
                break;
            case FocusMove::Up:
                along = dy, across = dx;
                break;
            case FocusMove::Down:
                along = -dy, across = dx;
                break;
            default:
                break;
        }
        if (along <= 0) continue;
        // Sideways distance counts double, so a button straight ahead wins over a nearer
        // one off to the side.
        float cost = along + 2 * std::fabs(across);
        if (cost < bestCost) {
            bestCost = cost;
            best = i;
        }
    }
    return best;
}
