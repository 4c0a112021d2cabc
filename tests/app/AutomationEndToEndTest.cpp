#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/GameSeed.h"
#include "app/Launcher.h"
#include "config/IniStore.h"
#include "core/fs/DataFolder.h"
#include "menu/AdMode.h"
#include "online/OnlineHosts.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/TestPaths.h"
#include "variants/twisted/model/TwistedBoard.h"
#include "variants/twisted/model/TwistedLevelFile.h"
#include "variants/twisted/model/TwistedSolver.h"

namespace {

namespace fs = std::filesystem;

// Runs the whole program headless on the built assets, in a folder of its own.
class Automation : public ::testing::Test {
protected:
    void SetUp() override {
        if (petalune::test::builtAssetFolder().empty()) GTEST_SKIP() << "this build has no assets";
        m_previous = fs::current_path();
        m_dir = petalune::test::makeTempDir();
    }
    void TearDown() override {
        if (!m_previous.empty()) fs::current_path(m_previous);
        setDataFolderOverride("");
        setFixedGameSeed(std::nullopt);
        setAdMode(false);
        std::error_code ignored;
        if (!m_dir.empty()) fs::remove_all(m_dir, ignored);
    }

    // The exit code of a headless run of the script with the given seed and language.
    int run(const std::string& script, const std::string& seed = "42", const std::string& language = "en",
            const std::string& edition = "collapse", bool headless = true) {
        std::ofstream(path("script.txt")) << script;
        std::vector<std::string> arguments{"petalune",
                                           "--script",
                                           path("script.txt"),
                                           "--data",
                                           petalune::test::builtAssetFolder(),
                                           "--save-dir",
                                           path("save"),
                                           "--lang",
                                           language,
                                           "--seed",
                                           seed,
                                           "--edition",
                                           edition,
                                           "--dump-on-exit",
                                           path("exit.json")};
        if (headless) arguments.push_back("--headless");
        int code = runPetalune(arguments, false);
        fs::current_path(m_previous);
        return code;
    }

    std::string path(const std::string& name) const { return m_dir + "/" + name; }

    std::string read(const std::string& name) const {
        std::ifstream file(path(name));
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }

    // The text of the board's cells in a dump.
    std::string cells(const std::string& name) const {
        std::string json = read(name);
        std::size_t start = json.find("\"cells\":");
        if (start == std::string::npos) return {};
        return json.substr(start, json.find("]]", start) - start);
    }

    static bool has(const std::string& json, const std::string& fragment) {
        return json.find(fragment) != std::string::npos;
    }

    fs::path m_previous;
    std::string m_dir;
};

TEST_F(Automation, IntroLeadsToTheMainMenuWhoseHighscoresButtonOpensTheTable) {
    ASSERT_EQ(run("# the intro clicks itself after three seconds\n"
                  "wait 4s\n"
                  "dump " +
                  path("main.json") +
                  "\n"
                  "click highscore,normal\n"
                  "wait 2s\n"),
              0);
    std::string main = read("main.json");
    EXPECT_TRUE(has(main, "\"scene\":{\"class\":\"MenuScene\",\"section\":\"menu_main\"}")) << main;
    EXPECT_TRUE(has(main, "\"function\":\"highscore,normal\",\"kind\":\"button\",\"text\":\"Highscores\""))
        << main;
    EXPECT_TRUE(has(main, "\"visible\":true,\"enabled\":true"));
    EXPECT_TRUE(has(main, "\"game\":null"));

    std::string end = read("exit.json");
    EXPECT_TRUE(has(end, "\"transition\":null")) << end;
    EXPECT_TRUE(has(end, "\"scene\":{\"class\":\"HighscoreScene\",\"section\":\"menu_highscore_normal\"}"))
        << end;
}

TEST_F(Automation, ARelativeDataFolderIsTheOneBelowTheStartFolderNotBelowTheAssets) {
    std::ofstream(path("script.txt")) << "wait 4s\nclick game,game_orig\nwait 2s\n";
    const char* previous = std::getenv("PETALUNE_DATA_DIR");
    std::string saved = previous ? previous : "";
    ::setenv("PETALUNE_DATA_DIR", "relative-save", 1);
    fs::current_path(m_dir);
    int code = runPetalune({"petalune", "--headless", "--script", "script.txt", "--data",
                            petalune::test::builtAssetFolder(), "--seed", "1"},
                           false);
    fs::current_path(m_previous);
    previous ? ::setenv("PETALUNE_DATA_DIR", saved.c_str(), 1) : ::unsetenv("PETALUNE_DATA_DIR");
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(fs::exists(path("relative-save/save_game_orig")));
    EXPECT_FALSE(fs::exists(fs::path(petalune::test::builtAssetFolder()) / "relative-save"));
}

TEST_F(Automation, TheLanguageOptionChoosesTheTexts) {
    struct Case {
        const char* language;
        const char* start;
    };
    const Case cases[] = {{"en", "Start Game"}, {"de", "Spiel starten"}, {"zh", "开始游戏"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        ASSERT_EQ(run("wait 4s\n", "1", c.language), 0);
        EXPECT_TRUE(has(read("exit.json"), std::string("\"text\":\"") + c.start + "\"")) << read("exit.json");
    }
}

TEST_F(Automation, ASeededGameRepeatsAndAClosedGameResumesInTheNextRun) {
    const char* play = "wait 4s\nclick game,game_orig\nwait 2s\n";
    ASSERT_EQ(run(play), 0);
    std::string first = read("exit.json");
    EXPECT_TRUE(has(first, "\"scene\":{\"class\":\"GameScene\",\"section\":\"game_orig\"}")) << first;
    EXPECT_TRUE(has(first, "\"game\":{\"section\":\"game_orig\",\"cells\":[["));
    std::string board = cells("exit.json");
    ASSERT_FALSE(board.empty());

    // The end of the run closed the game, which saved it: the next start asks.
    std::string resume =
        "wait 4s\nclick game,game_orig\nwait 1s\ndump " + path("ask.json") + "\nclick load\nwait 2s\n";
    ASSERT_EQ(run(resume, "7"), 0);
    EXPECT_TRUE(has(read("ask.json"), "\"section\":\"popup_ask_load\",\"popup\":true")) << read("ask.json");
    EXPECT_EQ(cells("exit.json"), board);

    const char* fresh = "wait 4s\nclick game,game_orig\nwait 1s\nclick new_game\nwait 2s\n";
    ASSERT_EQ(run(fresh, "7"), 0);
    std::string other = cells("exit.json");
    EXPECT_NE(other, board);
    ASSERT_EQ(run(fresh, "7"), 0);
    EXPECT_EQ(cells("exit.json"), other);
}

TEST_F(Automation, WaitIdleLetsEachMoveSettleBeforeTheNext) {
    std::string script = "wait 4s\nclick game,game_orig\nwait 2s\n";
    for (int x = 0; x < 8; ++x) script += "tap " + std::to_string(x * 80 + 40) + " 40\nwait_idle\n";
    script += "dump " + path("settled.json") + "\n";
    ASSERT_EQ(run(script), 0);
    std::string settled = read("settled.json");
    EXPECT_TRUE(has(settled, "\"settling\":{\"removal_pending\":false,\"falling\":false,\"sliding\":false}"))
        << settled;
    EXPECT_FALSE(has(settled, "\"score\":0,")) << "no move among eight taps: " << settled;

    EXPECT_EQ(run("wait 4s\nwait_idle\n"), 1) << "the main menu has no board to wait for";
}

TEST_F(Automation, ScriptsResizeTheWindowSwitchFullscreenAndStartAGameByKeys) {
    std::string script = "wait 4s\nkey Return\ndump " + path("focus.json") + "\nkey Return\nwait 2s\n" +
                         "resize 1280 720\nwait 1\ndump " + path("resized.json") +
                         "\nfullscreen on\nwait 1\n" + "dump " + path("full.json") + "\nkey F11\nwait 1\n";
    ASSERT_EQ(run(script), 0);
    std::string focus = read("focus.json");
    EXPECT_TRUE(has(focus, "\"function\":\"game,game_orig\",\"kind\":\"button\"")) << focus;
    EXPECT_TRUE(has(focus, "\"enabled\":true,\"focused\":true}")) << focus;
    EXPECT_TRUE(has(focus, "\"window\":{\"width\":720,\"height\":960,\"fullscreen\":false}")) << focus;
    std::string resized = read("resized.json");
    EXPECT_TRUE(has(resized, "\"scene\":{\"class\":\"GameScene\"")) << resized;
    EXPECT_TRUE(has(resized, "\"window\":{\"width\":1280,\"height\":720,\"fullscreen\":false}")) << resized;
    // Items stay where they are in the design area, whatever the window.
    EXPECT_TRUE(has(resized, "\"x\":608,\"y\":828")) << resized;
    EXPECT_TRUE(has(read("full.json"), "\"window\":{\"width\":1920,\"height\":1080,\"fullscreen\":true}"));
    EXPECT_TRUE(has(read("exit.json"), "\"window\":{\"width\":1280,\"height\":720,\"fullscreen\":false}"));
}

TEST_F(Automation, LinksAreNamedButNotOpened) {
    // An opener that leaves a file behind, so that an opened page would show.
    std::ofstream(path("opener")) << "#!/bin/sh\necho \"$1\" > \"" << path("opened") << "\"\n";
    fs::permissions(path("opener"), fs::perms::owner_all);
    setenv("PETALUNE_URL_OPENER", path("opener").c_str(), 1);
    setOnlineHost(OnlineHost::Store, "http://127.0.0.1:9");
    int code = run("wait 4s\nclick url_store\nwait 1\n");
    setOnlineHost(OnlineHost::Store, std::nullopt);
    unsetenv("PETALUNE_URL_OPENER");
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(fs::exists(path("opened")));
}

TEST_F(Automation, AWindowedRunWithoutAWindowFails) {
    // SDL's dummy video driver makes no GL context, as on a machine without a display.
    const char* previous = std::getenv("SDL_VIDEODRIVER");
    std::string saved = previous ? previous : "";
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    int code = run("wait 1\n", "42", "en", "collapse", false);
    if (previous) {
        setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    } else {
        unsetenv("SDL_VIDEODRIVER");
    }
    EXPECT_EQ(code, 1);
}

TEST_F(Automation, AFailingStepEndsTheRunWithItsLineAndTheStateIsStillDumped) {
    EXPECT_EQ(run("wait 1\nclick no_such_item\nwait 10\n"), 1);
    EXPECT_TRUE(has(read("exit.json"), "\"frame\":1,")) << read("exit.json");
    EXPECT_EQ(run("wait 1\nfly away\n"), 2);
}

// The same first level from the main menu to its end with keys only: the cursor goes to each
// stone of the solver's moves, Space picks it, an arrow slides it, and Space puts it down
// unless the game already did (a finished group).
TEST_F(Automation, ThePuzzleEditionsFirstLevelIsWonWithKeysOnly) {
    std::ifstream file(petalune::test::builtAssetFolder() + "/edition_puzzle.ini", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    IniStore levels;
    levels.parseBuffer(text.str().data(), text.str().size());
    const TwistedLevel level = readTwistedLevel(levels, "level1");
    TwistedSolution solution = solveTwistedLevel(level, true, 100000);
    ASSERT_EQ(solution.result, TwistedSolution::Result::Solved);

    // Focus and press "Play", then level 1 in the chooser, then the info popup's button.
    std::string script = "wait 4s\nkey Return\nkey Return\nwait 2s\nkey Return\nkey Return\n";
    script += "wait 2s\nkey Return\nkey Return\nwait 10\nkey Up\n";  // the last shows the cursor
    int column = TwistedLevel::kColumns / 2, row = TwistedLevel::kRows / 2;
    auto step = [&script](int count, const char* positive, const char* negative) {
        for (int i = 0; i < std::abs(count); ++i)
            script += std::string("key ") + (count > 0 ? positive : negative) + "\n";
    };
    TwistedBoard board(level, {});
    for (const TwistedMove& move : solution.moves) {
        step(move.column - column, "Right", "Left");
        step(move.row - row, "Up", "Down");
        script += "key Space\n";
        step(move.toColumn - move.column, "Right", "Left");
        step(move.toRow - move.row, "Up", "Down");
        ASSERT_TRUE(board.hold(move.column, move.row));
        if (!board.moveHeld(move.toColumn, move.toRow).dropped) script += "key Space\n";
        board.letGo();
        board.checkEnd();
        column = move.toColumn, row = move.toRow;
    }
    script += "wait 30\ndump " + path("won.json") + "\n";
    ASSERT_EQ(run(script, "42", "en", "puzzle"), 0);
    EXPECT_TRUE(has(read("won.json"), "\"won\":true")) << read("won.json");
    EXPECT_EQ(read("save/puzzle_progress"), "level1\n");
}

// A swap game from the main menu to the highscore table with keys only: the cursor sweeps the
// lower rows swapping each brick with its right neighbour until the well overflows, then the
// name is typed.
TEST_F(Automation, TheSwapEditionIsPlayedToItsEndWithKeysOnly) {
    std::string script = "wait 4s\nkey Return\nkey Return\nwait 2s\nkey Down\n";  // the last shows the cursor
    for (int sweep = 0; sweep < 12; ++sweep) {
        for (int row = 0; row < 4; ++row) {
            for (int i = 0; i < 6; ++i) script += "key Down\nkey Left\n";
            for (int i = 0; i < row; ++i) script += "key Up\n";
            for (int column = 0; column < 6; ++column) script += "key Space\nkey Right\nwait 15\n";
        }
    }
    script += "dump " + path("played.json") + "\nwait 200s\ndump " + path("over.json") +
              "\ntype Keys\nkey Return\nwait 3s\n";
    ASSERT_EQ(run(script, "42", "en", "swap"), 0);
    std::string played = read("played.json");
    EXPECT_TRUE(has(played, "\"section\":\"game_trouble\"")) << played;
    EXPECT_FALSE(has(played, "\"score\":0,")) << "the swaps made by keys scored nothing";
    EXPECT_TRUE(has(read("over.json"), "\"class\":\"HighscoreEntryScene\"")) << read("over.json");
    EXPECT_TRUE(has(read("exit.json"), "\"section\":\"menu_main\"")) << read("exit.json");
    EXPECT_TRUE(has(read("save/h-trouble"), "Keys")) << read("save/h-trouble");
}

// The solver's moves for the first levels, played as drags through the real game.
TEST_F(Automation, ThePuzzleEditionsFirstLevelsAreWonByTheSolversMoves) {
    std::ifstream file(petalune::test::builtAssetFolder() + "/edition_puzzle.ini", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    IniStore levels;
    levels.parseBuffer(text.str().data(), text.str().size());

    std::string script = "wait 4s\nclick choose_level\nwait 2s\nclick pick_1\n";
    for (int number = 1; number <= 3; ++number) {
        std::string name = "level" + std::to_string(number);
        TwistedSolution solution = solveTwistedLevel(readTwistedLevel(levels, name), true, 100000);
        ASSERT_EQ(solution.result, TwistedSolution::Result::Solved) << name;
        script += "wait 2s\nclick close_menu\n";
        for (const TwistedMove& move : solution.moves) {
            script += "drag " + std::to_string(move.column * 80 + 40) + " " +
                      std::to_string(move.row * 80 + 40) + " " + std::to_string(move.toColumn * 80 + 40) +
                      " " + std::to_string(move.toRow * 80 + 40) + "\n";
        }
        script += "wait 30\ndump " + path(name + ".json") + "\nclick next_level\n";
    }
    ASSERT_EQ(run(script, "42", "en", "puzzle"), 0);
    for (int number = 1; number <= 3; ++number) {
        std::string dump = read("level" + std::to_string(number) + ".json");
        EXPECT_TRUE(has(dump, "\"won\":true")) << dump;
    }
    EXPECT_EQ(read("save/puzzle_progress"), "level1\nlevel2\nlevel3\n");
}

}  // namespace
