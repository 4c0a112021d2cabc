#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

TEST(WindowSize, DefaultLeavesRoomAndKeepsThreeByFour) {
    struct Case {
        int desktopBottom;
        WindowSize expected;
    };
    const Case cases[] = {
        {1080, {720, 960}},  {768, {468, 624}}, {900, {576, 768}},  // 800 / 48 = 16 steps
        {1147, {756, 1008}},                                        // 1047 / 48 truncates to 21
        {148, {36, 48}},     {100, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.desktopBottom);
        EXPECT_EQ(defaultWindowSize(c.desktopBottom), c.expected);
    }
}

TEST(CommandLine, SizeAndAdOptionsArePrefixTestsOnEveryArgument) {
    struct Case {
        std::vector<std::string> arguments;
        WindowSize size;  // on a 1080-pixel desktop
        bool adMode;
    };
    const Case cases[] = {
        {{"petalune"}, {720, 960}, false},
        {{"petalune", "-w800"}, {800, 960}, false},
        {{"petalune", "-h500"}, {720, 500}, false},  // the width is not recomputed
        {{"petalune", "-w800", "-w900"}, {900, 960}, false},
        {{"petalune", "-w", "800"}, {0, 960}, false},  // the number must follow directly
        {{"petalune", "-w12px"}, {12, 960}, false},
        {{"petalune", "-w+30"}, {30, 960}, false},
        {{"petalune", "-w-30"}, {-30, 960}, false},
        {{"petalune", "-wide"}, {0, 960}, false},
        {{"petalune", "-w99999999999"}, {2147483647, 960}, false},
        {{"petalune", "-ad"}, {720, 960}, true},
        {{"petalune", "-advertising"}, {720, 960}, true},
        {{"petalune", "-a"}, {720, 960}, false},
        {{"-w640"}, {640, 960}, false},  // the program path is tested too
        {{"petalune", "x-w640", "ad"}, {720, 960}, false},
        {{"petalune", "-h700", "-w500", "-ad"}, {500, 700}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        ParsedCommandLine parsed = parseCommandLine(c.arguments);
        EXPECT_EQ(parsed.error, "");
        EXPECT_EQ(chooseWindowSize(parsed.options, 1080), c.size);
        EXPECT_EQ(parsed.options.adMode, c.adMode);
    }
}

TEST(CommandLine, LongOptionsTakeTheirValueFromTheNextArgument) {
    ParsedCommandLine parsed = parseCommandLine({"petalune", "--headless", "--script", "-h10.txt", "--data",
                                                 "assets", "--save-dir", "s", "--lang", "de", "--seed", "42",
                                                 "--dump-on-exit", "out.json", "--screenshot-dir", "shots"});
    ASSERT_EQ(parsed.error, "");
    const LaunchOptions& options = parsed.options;
    EXPECT_TRUE(options.headless);
    EXPECT_TRUE(options.automated());
    EXPECT_EQ(options.scriptPath, "-h10.txt");
    EXPECT_FALSE(options.height.has_value());  // an option's value is not a size option
    EXPECT_EQ(options.dataFolder, "assets");
    EXPECT_EQ(options.saveFolder, "s");
    EXPECT_EQ(options.language, "de");
    EXPECT_EQ(options.seed, 42u);
    EXPECT_EQ(options.dumpOnExit, "out.json");
    EXPECT_EQ(options.screenshotFolder, "shots");
    EXPECT_EQ(options.edition, "collapse");
    EXPECT_EQ(parseCommandLine({"petalune", "--edition", "swap"}).options.edition, "swap");

    EXPECT_TRUE(parseCommandLine({"petalune", "--help"}).options.showHelp);
    EXPECT_TRUE(parseCommandLine({"petalune", "--version"}).options.showVersion);
    EXPECT_TRUE(parseCommandLine({"petalune", "--fullscreen"}).options.fullscreen);
    EXPECT_FALSE(options.fullscreen);
    EXPECT_FALSE(parseCommandLine({"petalune", "-ad"}).options.automated());

    EXPECT_EQ(options.renderer, "") << "chosen for the machine";
    EXPECT_EQ(parseCommandLine({"petalune", "--renderer", "software"}).options.renderer, "software");
    EXPECT_EQ(parseCommandLine({"petalune", "--renderer=gl"}).options.renderer, "gl");
}

TEST(CommandLine, UnknownOptionsAreIgnoredWithOneWarningEach) {
    ParsedCommandLine parsed = parseCommandLine({"petalune", "--maximized", "-w720", "--kde-flag"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.width, 720);
    EXPECT_EQ(parsed.warnings, (std::vector<std::string>{"ignoring the unknown option --maximized",
                                                         "ignoring the unknown option --kde-flag"}));
}

TEST(CommandLine, UnusableLinesNameTheirFirstProblem) {
    struct Case {
        std::vector<std::string> arguments;
        const char* error;
    };
    const Case cases[] = {
        {{"petalune", "--script"}, "--script needs a value"},
        {{"petalune", "--windowed", "--script"}, "--script needs a value"},
        {{"petalune", "--seed", "-1", "--script", "s"},
         "--seed needs a whole number from 0 to 4294967295, not \"-1\""},
        {{"petalune", "--seed", "4294967296", "--script", "s"},
         "--seed needs a whole number from 0 to 4294967295, not \"4294967296\""},
        {{"petalune", "--seed", "12abc", "--script", "s"},
         "--seed needs a whole number from 0 to 4294967295, not \"12abc\""},
        {{"petalune", "--headless"}, "--headless needs --script FILE"},
        {{"petalune", "--renderer", "vulkan"}, "--renderer needs gl or software, not \"vulkan\""},
        {{"petalune", "--renderer="}, "--renderer needs gl or software, not \"\""},
        {{"petalune", "--renderer"}, "--renderer needs a value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        EXPECT_EQ(parseCommandLine(c.arguments).error, c.error);
    }
}

}  // namespace
