#pragma once

#include <string>

// A saved collapse game (marker byte, then the transfer stream of mode 12) as JSON. Every
// field read is shown; a damaged file ends with "complete": false, the field where reading
// stopped and the reader's error.
struct SavedGameDump {
    std::string json;
    bool complete = false;
};

SavedGameDump decodeSavedGame(const std::string& bytes);
