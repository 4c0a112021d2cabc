#pragma once

#include <string>
#include <vector>

#include "game/model/CollapseModel.h"

namespace petalune::test {

enum ModelCode { R = 1, B = 2, G = 3, O = 4, X = 5, J = 6 };

// Kinds 1-4 are colours (R B G O), 5 a bomb (X), 6 a joker (J); bonus bricks: row
// clearer (h, -1), column clearer (v, -2), red killer (k, -3), one of unknown effect (u, -4).
CollapseRules modelRules();

// A board drawn as 9 rows of 8 letters, top row first ('.' for empty).
CellCodes board(const std::vector<std::string>& rowsTopFirst);

// Steps the model at 60 frames a second until it is idle; the frames it took, -1 if never.
int settle(CollapseModel& model, int frameCap = 600);

// The events of one type, in order.
std::vector<CollapseEvent> eventsOf(const std::vector<CollapseEvent>& events, CollapseEvent::Type type);

}  // namespace petalune::test
