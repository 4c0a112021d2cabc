#pragma once

#include "config/IOnReload.h"

// Listeners are kept once each and notified by reloadAll() in registration order.
// A listener may register or unregister listeners (itself included) while notified.
void registerOnReload(IOnReload* listener);
// Returns the number removed: 0 or 1.
int unregisterOnReload(IOnReload* listener);

// Engine caches of file contents (textures, sound effects) belong to the engine, which
// cannot see the configuration; the application registers one purge function for
// each here. They run after the configuration is loaded and before any listener, so
// rebuilt menus read fresh files. Each function is kept once, in registration order.
void registerReloadPurge(void (*purge)());

// Reloads the configuration (the language stays), runs the purges, then notifies
// every listener in registration order.
void reloadAll();
