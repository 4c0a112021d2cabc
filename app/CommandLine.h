#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The window for a usable desktop whose lower edge lies at desktopBottom pixels: a height in
// whole steps of 48 leaving 100 pixels free, and a width of three quarters of it.
struct WindowSize {
    int width = 0;
    int height = 0;
    bool operator==(const WindowSize&) const = default;
};
WindowSize defaultWindowSize(int desktopBottom);

// Everything the command line can ask for.
struct LaunchOptions {
    // "-w<n>", "-h<n>" and "-ad" are prefix tests on every argument, the program path
    // included; a later one wins.
    std::optional<int> width;
    std::optional<int> height;
    bool adMode = false;
    bool fullscreen = false;

    std::string edition = "collapse";  // which game: see app/Edition.h
    std::string renderer;              // "gl", "software", or empty: chosen for the machine

    bool showHelp = false;
    bool showVersion = false;

    // Automation (docs/automation.md).
    bool headless = false;
    std::string scriptPath;
    std::string dataFolder;  // game.ini and assets, instead of the appended archive
    std::string saveFolder;  // the writable folder
    std::string language;    // a language code such as "de"
    std::optional<std::uint32_t> seed;
    std::string dumpOnExit;
    std::string screenshotFolder;

    bool automated() const { return headless || !scriptPath.empty(); }
};

struct ParsedCommandLine {
    LaunchOptions options;
    std::string error;                  // the first problem; empty when the line can be used
    std::vector<std::string> warnings;  // arguments ignored, one line each
};

// Reads argv[0..]. Long options take their value from the next argument; their values are
// not tested as "-w" / "-h" / "-ad".
ParsedCommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The window size: the default for the desktop, then the options.
WindowSize chooseWindowSize(const LaunchOptions& options, int desktopBottom);

// The text of --help.
std::string usageText();
