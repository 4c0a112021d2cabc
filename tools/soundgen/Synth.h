#pragma once

#include <vector>

#include "tools/soundgen/Recipe.h"

namespace soundgen {

// Renders the recipe into samples in [-peak, peak]: the voices mixed, echoed, freed of
// DC, normalised and faded at both edges so the sound starts and ends without a click.
std::vector<float> render(const Recipe& recipe);

}  // namespace soundgen
