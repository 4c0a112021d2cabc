#pragma once

#include <string>

// The state of the running screen as one JSON object: the scene and its class, every menu
// layer open (popups included) with its items, and the game layer's own state
// (docs/automation.md describes the keys).
std::string stateDumpJson();
