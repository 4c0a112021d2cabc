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
    if (name == "--renderer") return &options.renderer;
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
    bool rendererGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        // The program path is tested like the others, but never read as a long option.
        if (i > 0 && argument.starts_with("--renderer=")) {
            options.renderer = argument.substr(std::string_view("--renderer=").size());
            rendererGiven = true;
            continue;
        }
        if (i > 0 && argument.starts_with("--")) {
            std::string* slot = valueSlot(options, argument);
            if (argument == "--seed") slot = &seedText;
            if (slot) {
                if (i + 1 >= arguments.size()) {
                    if (parsed.error.empty()) parsed.error = argument + " needs a value";
                    continue;
                }
                *slot = arguments[++i];
                rendererGiven = rendererGiven || slot == &options.renderer;
            } else if (argument == "--help") {
                options.showHelp = true;
            } else if (argument == "--version") {
                options.showVersion = true;
            } else if (argument == "--headless") {
                options.headless = true;
            } else if (argument == "--fullscreen") {
                options.fullscreen = true;
            } else {
                // Desktop launchers may pass options of their own: they are not ours to refuse.
                parsed.warnings.push_back("ignoring the unknown option " + argument);
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
    if (rendererGiven && options.renderer != "gl" && options.renderer != "software" && parsed.error.empty())
        parsed.error = "--renderer needs gl or software, not \"" + options.renderer + "\"";
    if (options.headless && options.scriptPath.empty() && parsed.error.empty())
        parsed.error = "--headless needs --script FILE";
    return parsed;
}

std::string usageText() {
    return "Usage: petalune [options]\n"
           "Petalune, a flower tile puzzle: click a group of two or more touching flowers of one\n"
           "colour to dissolve it, and clear the board level by level.\n"
           "\n"
           "Options:\n"
           "  -w<pixels>           window width (for example -w720)\n"
           "  -h<pixels>           window height (for example -h960)\n"
           "  -ad                  leave the lowest tenth of the window free for a banner\n"
           "  --edition NAME       the game to play: collapse (the default), swap or puzzle\n"
           "  --fullscreen         start in fullscreen (F11 switches at any time)\n"
           "  --renderer NAME      draw with gl or software (default: the first start tries\n"
           "                       OpenGL and keeps it where a GPU draws; --renderer=NAME also works)\n"
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
           "  --screenshot-dir DIR\n"
           "                       where the script's screenshots go (default: the start folder)\n"
           "\n"
           "Files:\n"
           "  ~/.local/share/cobaltheronsoft-petalune_free/\n"
           "                       everything the game writes: the highscore tables (h-normal, h-zen),\n"
           "                       saved games (save_ and the game's name), the last player name\n"
           "                       (username), the sound setting (audio), the drawing backend chosen\n"
           "                       for this machine (renderer), the level puzzle's level\n"
           "                       files and crash_report.txt; $XDG_DATA_HOME stands for\n"
           "                       ~/.local/share when it is set\n"
           "  PREFIX/share/petalune/assets.zip\n"
           "                       the images, sounds, fonts and game.ini of an installed game (a game\n"
           "                       run from its build folder carries them appended to the program)\n"
           "\n"
           "Environment:\n"
           "  PETALUNE_DATA_DIR    the folder for everything the game writes, instead of the one above\n"
           "  LC_ALL, LC_MESSAGES, LANG, LANGUAGE\n"
           "                       the language of the texts: German, Chinese, else English\n"
           "  PETALUNE_VERSION_HOST\n"
           "                       where the game asks once a run for a newer version\n"
           "  PETALUNE_GOTO_HOST   the page opened when the game ends\n"
           "  PETALUNE_CANTRUN_HOST\n"
           "                       the page opened when no game window can be made\n"
           "  PETALUNE_STORE_HOST  the store that \"Get More Games\" opens\n"
           "  PETALUNE_ANALYTICS_URL\n"
           "                       where menu views and clicks are reported\n"
           "  PETALUNE_ANALYTICS_LOG\n"
           "                       a file that receives every analytics event, one line each\n"
           "  PETALUNE_URL_OPENER  the command that opens web pages, instead of xdg-open\n"
           "The web addresses replace those the game was built with (none by default); an empty\n"
           "one switches that request or page off (docs/online.md).\n";
}
