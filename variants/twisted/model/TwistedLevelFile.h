#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "variants/twisted/model/TwistedLevel.h"

class IniStore;

// Level sections in INI form: keys "max_time", "max_moves", "glue", "connect",
// "num_visible", "black(0-5)", "white(0-5)" and the row keys "type", "conn", "move",
// "limit", "wall" whose index 8 - r holds board row r. docs/variants.md describes them.

// The level of the section in the store; missing keys give the defaults.
TwistedLevel readTwistedLevel(const IniStore& store, std::string_view section);

// The level file text for the level: the section header and only the keys that differ
// from what the reader assumes.
std::string twistedLevelText(std::string_view name, const TwistedLevel& level);

// Reads the section of that name from level file text held in memory. False, leaving
// the level untouched, when the text holds no such section.
bool parseTwistedLevelText(const char* text, std::size_t length, std::string_view name, TwistedLevel& level);

// The level named "level<n>": the file of that name in the writable folder when it holds
// the section, else the configuration's section.
TwistedLevel loadTwistedLevel(const std::string& name);
// Writes the level file into the writable folder, replacing any earlier one.
bool saveTwistedLevel(const std::string& name, const TwistedLevel& level);

// The number of levels "level1", "level2", ... in the store, up to the first gap.
int twistedLevelCount(const IniStore& store);
// Whether the level can be played: its level file is in the writable folder or the
// configuration holds its section.
bool twistedLevelExists(const std::string& name);

// Level names become file names: only "level" followed by letters, digits or '_' is taken.
bool isSafeLevelName(std::string_view name);
