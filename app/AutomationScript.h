#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One line of an automation script (docs/automation.md). Points are design coordinates.
struct ScriptStep {
    enum class Kind {
        Wait,
        WaitIdle,
        Tap,
        Down,
        Move,
        Up,
        Hover,
        Leave,
        Drag,
        Key,
        Type,
        Click,
        Dump,
        Screenshot,
        Resize,
        Fullscreen,
        Quit
    };

    Kind kind = Kind::Wait;
    int line = 0;
    float x = 0, y = 0;    // tap, down, move, up, hover; drag start; resize width and height
    float x2 = 0, y2 = 0;  // drag end
    int frames = 0;        // wait in frames; drag duration; wait_idle frame cap
    float seconds = 0;     // wait in seconds (when frames is 0)
    int virtualKey = 0;
    bool shift = false;
    bool on = false;   // fullscreen
    std::string text;  // typed text, item name, file name

    bool operator==(const ScriptStep&) const = default;
};

struct ParsedScript {
    std::vector<ScriptStep> steps;
    std::string error;  // "line N: ..." for the first bad line; empty when the script is good
};

ParsedScript parseScript(std::string_view text);

// Frames "wait_idle" runs at most before it gives up.
inline constexpr int kDefaultIdleFrameCap = 600;

struct KeyName {
    int virtualKey = 0;
    bool shift = false;
    bool on = false;  // fullscreen
};
// "F9", "shift+F1", "Return", "a", ... (case does not matter); nothing for unknown names.
std::optional<KeyName> keyByName(std::string_view name);
