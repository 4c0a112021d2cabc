#pragma once

// Installs the collapse game (LevelLayer) as the factory for ordinary game sections.
void installCollapseGame();
