#pragma once

#include <string>

// The score counter's next text on its way from shown to target: target's digits up to and
// including the first that differs, then the rest of shown (left-padded with zeros to
// target's length). A shown text longer than target is replaced at once.
inline std::string nextCounterText(std::string shown, const std::string& target) {
    if (shown == target) return shown;
    if (shown.size() > target.size()) shown.clear();
    std::string padded = std::string(target.size() - shown.size(), '0') + shown;
    std::size_t i = 0;
    while (padded[i] == target[i]) ++i;
    return target.substr(0, i + 1) + padded.substr(i + 1);
}
