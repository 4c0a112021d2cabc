#include "app/AutomationScript.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace {

constexpr int kDefaultDragFrames = 10;
// Larger than any display, small enough that the pixels of a screenshot fit in memory.
constexpr int kMaxWindowSide = 16384;

struct NamedKey {
    const char* name;
    int virtualKey;
};

constexpr NamedKey kNamedKeys[] = {
    {"backspace", 0x08}, {"tab", 0x09},  {"return", 0x0D}, {"enter", 0x0D}, {"escape", 0x1B},
    {"space", 0x20},     {"left", 0x25}, {"up", 0x26},     {"right", 0x27}, {"down", 0x28},
    {"delete", 0x2E},    {"home", 0x24}, {"end", 0x23},
};

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        std::size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

std::optional<float> number(std::string_view text) {
    float value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> count(std::string_view text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
    return value;
}

// Everything after the command word and one run of blanks, kept as written.
std::string_view restAfterCommand(std::string_view line, std::string_view commandWord) {
    std::size_t start = static_cast<std::size_t>(commandWord.data() - line.data()) + commandWord.size();
    while (start < line.size() && (line[start] == ' ' || line[start] == '\t')) ++start;
    return line.substr(start);
}

// Fills the step from the words after the command; an error text when they do not fit.
std::string parseArguments(ScriptStep& step, const std::string& command, std::string_view commandWord,
                           const std::vector<std::string_view>& args, std::string_view line) {
    using Kind = ScriptStep::Kind;
    auto points = [&](std::size_t needed, std::size_t optional) -> std::string {
        if (args.size() < needed || args.size() > needed + optional)
            return command + " takes " + std::to_string(needed) + " numbers" +
                   (optional ? " and an optional frame count" : "");
        std::vector<float> values;
        for (std::size_t i = 0; i < needed; ++i) {
            auto value = number(args[i]);
            if (!value) return "\"" + std::string(args[i]) + "\" is not a number";
            values.push_back(*value);
        }
        step.x = values[0];
        step.y = values[1];
        if (needed == 4) {
            step.x2 = values[2];
            step.y2 = values[3];
        }
        return {};
    };

    if (command == "wait") {
        step.kind = Kind::Wait;
        if (args.size() != 1) return "wait takes a frame count or seconds such as 1.5s";
        std::string_view amount = args[0];
        if (amount.ends_with('s')) {
            auto seconds = number(amount.substr(0, amount.size() - 1));
            if (!seconds || *seconds < 0) return "\"" + std::string(amount) + "\" is not a time in seconds";
            step.seconds = *seconds;
        } else {
            auto frames = count(amount);
            if (!frames) return "\"" + std::string(amount) + "\" is not a frame count";
            step.frames = *frames;
        }
        return {};
    }
    if (command == "wait_idle") {
        step.kind = Kind::WaitIdle;
        step.frames = kDefaultIdleFrameCap;
        if (args.size() > 1) return "wait_idle takes at most a frame cap";
        if (args.size() == 1) {
            auto frames = count(args[0]);
            if (!frames || *frames == 0) return "\"" + std::string(args[0]) + "\" is not a frame cap";
            step.frames = *frames;
        }
        return {};
    }
    if (command == "tap" || command == "down" || command == "move" || command == "up" || command == "hover") {
        step.kind = command == "tap"    ? Kind::Tap
                    : command == "down" ? Kind::Down
                    : command == "move" ? Kind::Move
                    : command == "up"   ? Kind::Up
                                        : Kind::Hover;
        return points(2, 0);
    }
    if (command == "drag") {
        step.kind = Kind::Drag;
        step.frames = kDefaultDragFrames;
        std::string error = points(4, 1);
        if (!error.empty()) return error;
        if (args.size() == 5) {
            auto frames = count(args[4]);
            if (!frames || *frames == 0) return "a drag takes at least one frame";
            step.frames = *frames;
        }
        return {};
    }
    if (command == "key") {
        step.kind = Kind::Key;
        if (args.size() != 1) return "key takes one key name such as F9 or shift+F1";
        auto key = keyByName(args[0]);
        if (!key) return "unknown key \"" + std::string(args[0]) + "\"";
        step.virtualKey = key->virtualKey;
        step.shift = key->shift;
        return {};
    }
    if (command == "type" || command == "click" || command == "dump" || command == "screenshot") {
        step.kind = command == "type"    ? Kind::Type
                    : command == "click" ? Kind::Click
                    : command == "dump"  ? Kind::Dump
                                         : Kind::Screenshot;
        step.text = std::string(restAfterCommand(line, commandWord));
        if (step.text.empty())
            return command + " needs " +
                   (command == "type"    ? "text"
                    : command == "click" ? "an item id or function"
                                         : "a file name");
        return {};
    }
    if (command == "resize") {
        step.kind = Kind::Resize;
        if (args.size() != 2) return "resize takes a width and a height in pixels";
        auto width = count(args[0]), height = count(args[1]);
        if (!width || !height || *width < 1 || *height < 1 || *width > kMaxWindowSide ||
            *height > kMaxWindowSide)
            return "resize needs two whole numbers from 1 to " + std::to_string(kMaxWindowSide);
        step.x = static_cast<float>(*width);
        step.y = static_cast<float>(*height);
        return {};
    }
    if (command == "fullscreen") {
        step.kind = Kind::Fullscreen;
        std::string state = args.size() == 1 ? lower(args[0]) : "";
        if (state != "on" && state != "off") return "fullscreen takes on or off";
        step.on = state == "on";
        return {};
    }
    if (command == "quit" || command == "leave") {
        step.kind = command == "quit" ? Kind::Quit : Kind::Leave;
        return args.empty() ? std::string() : command + " takes nothing";
    }
    return "unknown command \"" + command + "\"";
}

}  // namespace

std::optional<KeyName> keyByName(std::string_view name) {
    std::string key = lower(name);
    KeyName result;
    if (key.starts_with("shift+")) {
        result.shift = true;
        key.erase(0, 6);
    }
    for (const NamedKey& named : kNamedKeys) {
        if (key == named.name) {
            result.virtualKey = named.virtualKey;
            return result;
        }
    }
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) {
        result.virtualKey = std::toupper(static_cast<unsigned char>(key[0]));
        return result;
    }
    if (key.size() >= 2 && key[0] == 'f') {
        auto function = count(std::string_view(key).substr(1));
        if (function && *function >= 1 && *function <= 12) {
            result.virtualKey = 0x6F + *function;
            return result;
        }
    }
    return std::nullopt;
}

ParsedScript parseScript(std::string_view text) {
    ParsedScript parsed;
    int lineNumber = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        if (line.ends_with('\r')) line.remove_suffix(1);
        std::vector<std::string_view> parts = words(line);
        if (parts.empty() || parts[0].starts_with('#')) continue;
        ScriptStep step;
        step.line = lineNumber;
        std::string command = lower(parts[0]);
        std::vector<std::string_view> args(parts.begin() + 1, parts.end());
        std::string error = parseArguments(step, command, parts[0], args, line);
        if (!error.empty()) {
            parsed.error = "line " + std::to_string(lineNumber) + ": " + error;
            parsed.steps.clear();
            return parsed;
        }
        parsed.steps.push_back(std::move(step));
    }
    return parsed;
}
