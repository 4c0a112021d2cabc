#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/fs/DataFolder.h"
#include "tests/support/TestPaths.h"

extern char** environ;

namespace {

struct ToolResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the built tool with the given arguments; `environment` replaces the locale
// variables of this process's environment.
ToolResult runTool(const std::vector<std::string>& args, const std::vector<std::string>& environment = {}) {
    static const std::string folder = [] {
        std::string path = tempFolderPath() + "tool-XXXXXX";
        return mkdtemp(path.data()) ? path : std::string();
    }();
    const std::string outPath = folder + "/out", errPath = folder + "/err";

    std::vector<std::string> envText = environment;
    for (char** entry = environ; *entry; ++entry) {
        std::string variable = *entry;
        bool isLocale = variable.starts_with("LANG") || variable.starts_with("LC_");
        if (!isLocale) envText.push_back(variable);
    }
    std::vector<char*> envp;
    for (auto& text : envText) envp.push_back(text.data());
    envp.push_back(nullptr);

    std::vector<std::string> argText{PETALUNE_TOOL_PATH};
    argText.insert(argText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& text : argText) argv.push_back(text.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    ToolResult result;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = readAll(outPath);
        result.err = readAll(errPath);
    }
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

std::string fixture(const std::string& name) {
    return petalune::test::fixturePath("ini/" + name);
}

TEST(PetaluneToolIniCheck, ReportsTheFirstMalformedLine) {
    ToolResult clean = runTool({"ini-check", fixture("mod/game.ini")});
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.out + clean.err, "");

    ToolResult broken = runTool({"ini-check", fixture("broken.ini")});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.out, fixture("broken.ini") + ":3: malformed line\n");
}

struct GetCase {
    std::vector<std::string> args;
    std::vector<std::string> environment;
    int exitCode;
    std::string out;
};

class PetaluneToolIniGet : public ::testing::TestWithParam<GetCase> {};

TEST_P(PetaluneToolIniGet, PrintsWhatTheGameReads) {
    const GetCase& c = GetParam();
    std::vector<std::string> args{"ini-get"};
    for (const std::string& arg : c.args) args.push_back(arg.starts_with("@") ? fixture(arg.substr(1)) : arg);
    ToolResult result = runTool(args, c.environment);
    EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
    EXPECT_EQ(result.out, c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Lookups, PetaluneToolIniGet,
    ::testing::Values(
        GetCase{{"--lang", "de", "@mod/game.ini", "menu_main", "text", "1"}, {}, 0, "Spiel starten\n"},
        GetCase{{"--lang", "zh", "@mod/game.ini", "menu_main", "text", "1"}, {}, 0, "开始游戲\n"},
        GetCase{{"--lang", "de_AT", "@mod/game.ini", "menu_main", "text", "1"}, {}, 0, "Spiel starten\n"},
        GetCase{{"--lang", "zh_TW", "@mod/game.ini", "menu_main", "text", "1"}, {}, 0, "开始游戲\n"},
        GetCase{{"--lang", "none", "@mod/game.ini", "menu_main", "text", "1"}, {}, 0, "Start Game\n"},
        GetCase{{"--lang", "de", "@mod/game.ini", "menu_main", "text", "2"}, {}, 0, "Highscores\n"},
        GetCase{{"@mod/game.ini", "menu_main", "font"}, {}, 0, "playtime.ttf\n"},
        GetCase{{"@mod/game.ini", "menu_main", "fontsize", "2"}, {}, 0, "40\n"},
        GetCase{{"@mod/game.ini", "localization", "sound_on"}, {"LANG=de_DE.UTF-8"}, 0, "Ton: An\n"},
        GetCase{{"@mod/game.ini", "localization", "sound_on"}, {"LANG=fr_FR.UTF-8"}, 0, "Sound: On\n"},
        GetCase{{"@mod/game.ini", "load_ini", "file", "1"}, {}, 1, ""},
        GetCase{{"@mod/game.ini", "menu_main", "text", "3"}, {}, 1, ""},
        GetCase{{"@mod/game.ini", "nowhere", "text"}, {}, 1, ""},
        GetCase{{"--lang", "zh", "@forced/game.ini", "menu_main", "text"}, {}, 0, "Spiel starten\n"}),
    [](const ::testing::TestParamInfo<GetCase>& param) {
        std::string words;
        for (const std::string& arg : param.param.args) words += arg.substr(arg.rfind('/') + 1) + " ";
        return petalune::test::caseName(param.index, words);
    });

TEST(PetaluneTool, WrongUseExitsTwoWithOneLine) {
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"frobnicate"},
        {"ini-check"},
        {"ini-check", fixture("missing.ini")},
        {"ini-check", fixture("mod")},
        {"ini-get", fixture("mod/game.ini"), "menu_main"},
        {"ini-get", fixture("mod/game.ini"), "menu_main", "text", "1x"},
        {"ini-get", fixture("mod/game.ini"), "menu_main", "text", "1", "2"},
        {"ini-get", "--lang"},
        {"ini-get", "--verbose", fixture("mod/game.ini"), "menu_main", "text"},
        {"ini-get", fixture("missing.ini"), "menu_main", "text"},
    };
    for (const auto& args : cases) {
        ToolResult result = runTool(args);
        std::string shown = args.empty() ? "(none)" : args.back();
        EXPECT_EQ(result.exitCode, 2) << shown;
        EXPECT_EQ(result.out, "") << shown;
        EXPECT_TRUE(result.err.starts_with("petalune-tool: ")) << shown;
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    }
}

TEST(PetaluneTool, HelpNamesBothCommands) {
    ToolResult result = runTool({"--help"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("ini-check FILE"), std::string::npos);
    EXPECT_NE(result.out.find("ini-get [--lang CODE] FILE SECTION KEY [INDEX]"), std::string::npos);
}

}  // namespace
