#pragma once

// Installs the swap game (LevelPuzzleTrouble) as the factory for game sections whose name
// contains "trouble".
void installTroubleGame();
