#include "app/CommandLine.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace {

// Like the C library's atoi: an optional sign, then digits up to the first other character;
// no digits give 0. Overlong numbers saturate instead of overflowing.
int leadingNumber(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > 0x7fffffff) value = 0x7fffffff;
    }
    return static_cast<int>(negative ? -value : value);
}

bool parseSeed(const std::string& text, std::uint32_t& seed) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, seed);
    return ec == std::errc() && ptr == end && !text.empty();
}

// The long options that take a value, and where it goes.
std::string* valueSlot(LaunchOptions& options, std::string_view name) {
    if (name == "--edition") return &options.edition;
    if (name == "--script") return &options.scriptPath;
    if (name == "--data") return &options.dataFolder;
    if (name == "--save-dir") return &options.saveFolder;
    if (name == "--lang") return &options.language;
    if (name == "--dump-on-exit") return &options.dumpOnExit;
    if (name == "--screenshot-dir") return &options.screenshotFolder;
    return nullptr;
}

}  // namespace

WindowSize defaultWindowSize(int desktopBottom) {
    int height = (desktopBottom - 100) / 48 * 48;
    return {height * 3 / 4, height};
}

WindowSize chooseWindowSize(const LaunchOptions& options, int desktopBottom) {
    WindowSize size = defaultWindowSize(desktopBottom);
    if (options.width) size.width = *options.width;
    if (options.height) size.height = *options.height;
    return size;
}

ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommandLine parsed;
    LaunchOptions& options = parsed.options;
    std::string seedText;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        // The program path is tested like the others, but never read as a long option.
        if (i > 0 && argument.starts_with("--")) {
            std::string* slot = valueSlot(options, argument);
            if (argument == "--seed") slot = &seedText;
            if (slot) {
                if (i + 1 >= arguments.size()) {
                    if (parsed.error.empty()) parsed.error = argument + " needs a value";
                    continue;
                }
                *slot = arguments[++i];
            } else if (argument == "--help") {
                options.showHelp = true;
            } else if (argument == "--version") {
                options.showVersion = true;
            } else if (argument == "--headless") {
                options.headless = true;
            } else if (parsed.error.empty()) {
                parsed.error = "unknown option " + argument;
            }
            continue;
        }
        if (argument.starts_with("-w")) options.width = leadingNumber(std::string_view(argument).substr(2));
        if (argument.starts_with("-h")) options.height = leadingNumber(std::string_view(argument).substr(2));
        if (argument.starts_with("-ad")) options.adMode = true;
    }
    if (!seedText.empty()) {
        std::uint32_t seed = 0;
        if (parseSeed(seedText, seed))
            options.seed = seed;
        else if (parsed.error.empty())
            parsed.error = "--seed needs a whole number from 0 to 4294967295, not \"" + seedText + "\"";
    }
    if (options.headless && options.scriptPath.empty() && parsed.error.empty())
        parsed.error = "--headless needs --script FILE";
    return parsed;
}

std::string usageText() {
    return "Usage: petalune [options]\n"
           "\n"
           "  -w<pixels>           window width (for example -w720)\n"
           "  -h<pixels>           window height (for example -h960)\n"
           "  -ad                  leave the lowest tenth of the window free for a banner\n"
           "  --edition NAME       the game to play: collapse (the default) or swap\n"
           "  --help               show this text\n"
           "  --version            show the version\n"
           "\n"
           "Automation (see docs/automation.md):\n"
           "  --script FILE        play the input script FILE with a fixed time step, then end\n"
           "  --headless           no window (needs --script)\n"
           "  --data DIR           read game.ini and the assets from DIR, not the built-in archive\n"
           "  --save-dir DIR       keep highscores, saved games and settings in DIR\n"
           "  --lang CODE          language of the texts: en, de, zh, ...\n"
           "  --seed N             start every game generator from N\n"
           "  --dump-on-exit FILE  write the final state as JSON to FILE\n"
           "  --screenshot-dir DIR where the script's screenshots go (default: the start folder)\n";
}
