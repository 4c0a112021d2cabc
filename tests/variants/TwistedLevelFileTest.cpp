#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/IniStore.h"
#include "core/fs/DataFolder.h"
#include "tests/variants/TwistedTestSupport.h"
#include "variants/twisted/model/TwistedLevelFile.h"

namespace {

TwistedLevel levelFromText(const std::string& text, const std::string& name = "level1") {
    TwistedLevel level;
    // An exactly sized copy, so a read past the end shows under the sanitizers.
    std::vector<char> bytes(text.begin(), text.end());
    EXPECT_TRUE(parseTwistedLevelText(bytes.data(), bytes.size(), name, level));
    return level;
}

const std::string kEmptyRows =
    "type(7)= . . . . . . . .\ntype(6)= . . . . . . . .\ntype(5)= . . . . . . . .\n"
    "type(4)= . . . . . . . .\ntype(3)= . . . . . . . .\ntype(2)= . . . . . . . .\n"
    "type(1)= . . . . . . . .\ntype(0)= . . . . . . . .\n";

TEST(TwistedLevelFile, SectionWithOneRowGivesDefaultsEverywhereElse) {
    TwistedLevel level = levelFromText("[level1]\nconnect=3\ntype(8)=0 0 . 1 . . . .\n");
    EXPECT_EQ(level.maxTime, 999);
    EXPECT_EQ(level.maxMoves, 999);
    EXPECT_EQ(level.glue, 3);
    EXPECT_EQ(level.numVisible, 99);
    EXPECT_FALSE(level.hasWalls);
    std::vector<std::pair<int, int>> stones;
    for (int c = 0; c < 8; ++c) {
        for (int r = 0; r < 9; ++r) {
            const TwistedCell& cell = level.cell(c, r);
            if (cell.type == TwistedLevel::kEmpty) continue;
            stones.emplace_back(c, r);
            EXPECT_EQ(cell.limit, -1);
            EXPECT_TRUE(cell.movableH && cell.movableV);
            EXPECT_EQ(cell.mask, 0);
        }
    }
    EXPECT_EQ(stones, (std::vector<std::pair<int, int>>{{0, 0}, {1, 0}, {3, 0}}));
    EXPECT_EQ(level.cell(3, 0).type, 1);
}

TEST(TwistedLevelFile, PlainLevelIsWrittenWithOnlyItsTypeRows) {
    TwistedLevel level = levelFromText("[level1]\nconnect=3\ntype(8)=0 0 . 1 . . . .\n");
    EXPECT_EQ(twistedLevelText("level1", level),
              "[level1]\nconnect=3\ntype(8)= 0 0 . 1 . . . .\n" + kEmptyRows + "\n");
}

TEST(TwistedLevelFile, CellEncodingsSurviveARoundTrip) {
    TwistedLevel level;
    level.maxTime = 60;
    level.maxMoves = 12;
    level.connect = 4;
    level.glue = 2;
    level.numVisible = 3;
    level.hasWalls = true;
    for (auto& column : level.cells)
        for (TwistedCell& cell : column) cell.wall = false;
    struct Case {
        int column, row, type, mask, limit;
        bool h, v;
    };
    const Case cases[] = {
        {0, 0, 0, 12, -1, true, true},    // left and right: "c"
        {1, 0, 7, 1, 5, true, false},     // limit "05", horizontal only
        {2, 3, 10, 15, 0, false, true},   // changing stone, vertical only, limit 0
        {7, 8, 15, 2, 99, false, false},  // top right corner, pinned
        {4, 4, 9, 0, -1, true, true},     // finished stone
    };
    for (const Case& c : cases) {
        TwistedCell& cell = level.cell(c.column, c.row);
        cell = {c.type, c.mask, c.limit, c.h, c.v, true};
    }
    level.black = {1, 2, 3, 4, 5, 8};
    level.white = {15, 0, 9, 8, 7, 6};

    std::string text = twistedLevelText("level7", level);
    EXPECT_NE(text.find("conn(8)= c 1 . . . . . .\n"), std::string::npos);
    EXPECT_NE(text.find("limit(8)=-105............\n"), std::string::npos);
    EXPECT_NE(text.find("move(8)= + - . . . . . .\n"), std::string::npos);
    EXPECT_NE(text.find("type(4)= . . . . # . . .\n"), std::string::npos);
    EXPECT_NE(text.find("black(5)=8\nwhite(5)=6\n\n"), std::string::npos);

    TwistedLevel back = levelFromText(text, "level7");
    EXPECT_EQ(back.maxTime, 60);
    EXPECT_EQ(back.maxMoves, 12);
    EXPECT_EQ(back.connect, 4);
    EXPECT_EQ(back.glue, 2);
    EXPECT_EQ(back.numVisible, 3);
    EXPECT_TRUE(back.hasWalls);
    EXPECT_EQ(back.black, level.black);
    EXPECT_EQ(back.white, level.white);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "cell " << c.column << "," << c.row);
        const TwistedCell& cell = back.cell(c.column, c.row);
        EXPECT_EQ(cell.type, c.type);
        EXPECT_TRUE(cell.wall);
        if (c.type == TwistedLevel::kFinished) continue;  // a finished stone keeps no rules
        EXPECT_EQ(cell.mask, c.mask);
        EXPECT_EQ(cell.limit, c.limit);
        EXPECT_EQ(cell.movableH, c.h);
        EXPECT_EQ(cell.movableV, c.v);
    }
    EXPECT_EQ(twistedLevelText("level7", back), text);
}

TEST(TwistedLevelFile, DamagedRowsReadAsDefaultsWithinTheirText) {
    struct Case {
        const char* key;
        const char* row;
        TwistedCell expected;  // of column 2
    };
    TwistedCell plain;
    plain.wall = true;
    const Case cases[] = {
        {"type", "0 0", {8, 0, -1, true, true, true}},      // row cut short
        {"type", "0 0 z 1", {8, 0, -1, true, true, true}},  // unknown letter
        {"type", "0 0 E", {14, 0, -1, true, true, true}},
        {"conn", ". . g", {8, 0, -1, true, true, true}},  // not a hex digit
        {"conn", ". . B", {8, 11, -1, true, true, true}},
        {"limit", "....7", {8, 0, 7, true, true, true}},  // one digit at the end
        {"limit", "....x5", {8, 0, -1, true, true, true}},
        {"move", "+ + |", {8, 0, -1, false, true, true}},
        {"move", "+ + ?", {8, 0, -1, true, true, true}},
        {"wall", ". . . .", {8, 0, -1, true, true, false}},
        {"wall", ". .", {8, 0, -1, true, true, true}},  // short: the missing cells are the default wall
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.row);
        TwistedLevel level = levelFromText("[level1]\n" + std::string(c.key) + "(8)=" + c.row);
        EXPECT_EQ(level.cell(2, 0), c.expected);
    }
}

TEST(TwistedLevelFile, DamagedNumbersStayInRange) {
    TwistedLevel level = levelFromText("[level1]\nblack(0)=99\nwhite(1)=-4\nblack(2)=15\n");
    EXPECT_EQ(level.black[0], TwistedLevel::kEmpty);
    EXPECT_EQ(level.white[1], TwistedLevel::kEmpty);
    EXPECT_EQ(level.black[2], 15);
}

TEST(TwistedLevelFile, TextWithoutTheSectionIsRejected) {
    TwistedLevel level;
    level.maxTime = 5;
    const std::string text = "[level2]\nmax_time=10\n";
    EXPECT_FALSE(parseTwistedLevelText(text.data(), text.size(), "level1", level));
    EXPECT_FALSE(parseTwistedLevelText("\x01\xff[", 3, "level1", level));
    EXPECT_EQ(level.maxTime, 5);
}

TEST(TwistedLevelFile, LevelNamesThatAreNoSafeFileNamesAreRefused) {
    for (const char* name : {"level3", "level_12", "levelA"}) EXPECT_TRUE(isSafeLevelName(name)) << name;
    for (const char* name : {"", "leve", "level/../x", "level..", "level 1", "xlevel1"})
        EXPECT_FALSE(isSafeLevelName(name)) << name;
    EXPECT_FALSE(saveTwistedLevel("level/../../escape", TwistedLevel()));
}

class TwistedLevelStorage : public petalune::test::TwistedTest {
protected:
    ~TwistedLevelStorage() override {
        std::error_code ignored;
        std::filesystem::remove(tempFolderPath() + "level80", ignored);
    }
};

TEST_F(TwistedLevelStorage, SavedFileReplacesTheConfiguredLevel) {
    petalune::test::defineLevel("level80", "max_time=30\ntype(8)=1 1\n");
    EXPECT_EQ(loadTwistedLevel("level80").maxTime, 30);

    TwistedLevel edited = loadTwistedLevel("level80");
    edited.maxTime = 45;
    edited.cell(5, 5).type = 3;
    ASSERT_TRUE(saveTwistedLevel("level80", edited));

    std::ifstream file(tempFolderPath() + "level80", std::ios::binary);
    std::string written((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_EQ(written, twistedLevelText("level80", edited));

    TwistedLevel loaded = loadTwistedLevel("level80");
    EXPECT_EQ(loaded.maxTime, 45);
    EXPECT_EQ(loaded.cell(5, 5).type, 3);
    // The configuration itself is not touched by the edited file.
    EXPECT_EQ(IniStore::shared().getInt("level80", "max_time", 0, 0), 30);
}

TEST_F(TwistedLevelStorage, DamagedFileFallsBackToTheConfiguredLevel) {
    petalune::test::defineLevel("level80", "max_time=30\n");
    std::ofstream(tempFolderPath() + "level80", std::ios::binary) << "[level8]\nmax_time=1\n\xff\xfe";
    EXPECT_EQ(loadTwistedLevel("level80").maxTime, 30);
    EXPECT_EQ(loadTwistedLevel("level81").maxTime, 999);
}

}  // namespace
