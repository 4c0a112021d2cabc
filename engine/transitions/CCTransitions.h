#pragma once

#include "engine/transitions/CCTransitionCrossFade.h"
#include "engine/transitions/CCTransitionFade.h"
#include "engine/transitions/CCTransitionFlip.h"
#include "engine/transitions/CCTransitionMoveIn.h"
#include "engine/transitions/CCTransitionScene.h"
#include "engine/transitions/CCTransitionSlideIn.h"
#include "engine/transitions/CCTransitionSplit.h"
#include "engine/transitions/CCTransitionTiles.h"
#include "engine/transitions/CCTransitionZoom.h"
