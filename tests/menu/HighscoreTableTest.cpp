#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/fs/DataFolder.h"
#include "menu/HighscoreTable.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes le32(std::int32_t value) {
    auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
            static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
}

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes nameField(const std::string& name) {
    Bytes field(name.begin(), name.end());
    field.resize(16, 0);
    return field;
}

Bytes record(const std::string& name, int level, int score) {
    return nameField(name) + le32(level) + le32(score);
}

HighscoreTable tableOfScores(std::initializer_list<int> scores) {
    HighscoreTable table;
    for (int score : scores) table.push_back({"p" + std::to_string(score), 1, score});
    return table;
}

std::vector<int> scoresOf(const HighscoreTable& table) {
    std::vector<int> scores;
    for (const auto& entry : table) scores.push_back(entry.score);
    return scores;
}

TEST(HighscoreFile, LayoutIsVersionCountThenFixedRecords) {
    HighscoreTable table{{"Ann", 3, 500}, {"Bo", 1, -7}};
    Bytes expected = le32(1) + le32(2) + record("Ann", 3, 500) + record("Bo", 1, -7);
    EXPECT_EQ(serializeHighscoreTable(table), expected);
    EXPECT_EQ(parseHighscoreTable(expected.data(), expected.size()), table);
    Bytes empty = le32(1) + le32(0);
    EXPECT_EQ(serializeHighscoreTable({}), empty);
}

TEST(HighscoreFile, DamagedFilesGiveTheWholeRecordsTheyHold) {
    Bytes eleven = le32(1) + le32(11);
    for (int i = 0; i < 11; ++i) eleven = eleven + record("p" + std::to_string(100 - i), 1, 100 - i);
    Bytes unterminated = le32(1) + le32(1) + Bytes(16, 'a') + le32(2) + le32(9);
    Bytes splitCharacter = le32(1) + le32(1) + nameField("abcdefghijklmn\xC3\xA4") + le32(2) + le32(9);
    struct Case {
        const char* what;
        Bytes bytes;
        HighscoreTable expected;
    };
    const Case cases[] = {
        {"empty file", {}, {}},
        {"short header", {1, 0, 0}, {}},
        {"negative count", le32(1) + le32(-3) + record("a", 1, 1), {}},
        {"count above the records", le32(1) + le32(3) + record("a", 1, 5) + Bytes(10, 0), {{"a", 1, 5}}},
        {"more than ten", eleven, tableOfScores({100, 99, 98, 97, 96, 95, 94, 93, 92, 91})},
        {"name without its zero", unterminated, {{"aaaaaaaaaaaaaaa", 2, 9}}},
        {"name cut inside a character", splitCharacter, {{"abcdefghijklmn", 2, 9}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(parseHighscoreTable(c.bytes.data(), c.bytes.size()), c.expected);
    }
}

TEST(HighscoreFile, SavedTableLoadsBackAndMissingTableIsEmpty) {
    EXPECT_TRUE(loadHighscoreTable("h-never-written").empty());
    HighscoreTable table{{"名前", 4, 1200}, {"Zoë", 2, 300}};
    ASSERT_TRUE(saveHighscoreTable("h-roundtrip", table));
    EXPECT_EQ(loadHighscoreTable("h-roundtrip"), table);
}

// A failing disk, a folder or a FIFO under the table's name reads as an empty table at once.
TEST(HighscoreFile, AnUnreadableTableIsEmptyAndNeverThrowsOrBlocks) {
    std::string folder = tempFolderPath() + "h-folder";
    std::filesystem::create_directory(folder);
    EXPECT_TRUE(loadHighscoreTable("h-folder").empty());
    std::string fifo = tempFolderPath() + "h-fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_TRUE(loadHighscoreTable("h-fifo").empty());
    std::filesystem::remove(folder);
    std::filesystem::remove(fifo);
}

// Four games storing results at the same time: none is lost to another's write.
TEST(HighscoreFile, ResultsStoredByRunningGamesAtOnceAreAllMerged) {
    const std::string table = "h-shared";
    std::filesystem::remove(tempFolderPath() + table);
    constexpr int kGames = 4, kResults = 25;
    std::vector<pid_t> games;
    for (int game = 0; game < kGames; ++game) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0; i < kResults; ++i) storeHighscore(table, {"g", 1, 1000 + i * kGames + game});
            _exit(0);
        }
        games.push_back(child);
    }
    for (pid_t game : games) {
        int status = 0;
        ASSERT_EQ(waitpid(game, &status, 0), game);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    std::vector<int> best;
    for (int score = 1000 + kGames * kResults - 1; best.size() < kHighscoreTableSize; --score)
        best.push_back(score);
    EXPECT_EQ(scoresOf(loadHighscoreTable(table)), best);
    // A result below a full table stays out, even when the table filled up meanwhile.
    EXPECT_TRUE(storeHighscore(table, {"late", 1, 5}));
    EXPECT_EQ(scoresOf(loadHighscoreTable(table)), best);
}

TEST(HighscoreOrder, QualificationAndPlacement) {
    const HighscoreTable full = tableOfScores({900, 800, 700, 650, 600, 580, 560, 540, 520, 500});
    struct Case {
        const char* what;
        HighscoreTable table;
        int score;
        bool qualifies;
        std::vector<int> after;
    };
    const Case cases[] = {
        {"empty table, zero", {}, 0, true, {0}},
        {"full, below the tenth", full, 499, false, {}},
        {"full, equal to the tenth", full, 500, true, {900, 800, 700, 650, 600, 580, 560, 540, 520, 500}},
        {"full, new best", full, 1000, true, {1000, 900, 800, 700, 650, 600, 580, 560, 540, 520}},
        {"negative scores order too", tableOfScores({5, -1}), -2, true, {5, -1, -2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(highscoreQualifies(c.table, c.score), c.qualifies);
        if (!c.qualifies) continue;
        HighscoreTable table = c.table;
        insertHighscore(table, {"new", 1, c.score});
        EXPECT_EQ(scoresOf(table), c.after);
    }
    HighscoreTable table = full;
    insertHighscore(table, {"new", 1, 500});
    EXPECT_EQ(table.back().name, "new");  // the old tenth is gone
}

TEST(HighscoreOrder, NewestOfEqualScoresComesFirst) {
    HighscoreTable table;
    insertHighscore(table, {"earlier", 1, 300});
    insertHighscore(table, {"later", 1, 300});
    insertHighscore(table, {"low", 1, 100});
    ASSERT_EQ(table.size(), 3u);
    EXPECT_EQ(table[0].name, "later");
    EXPECT_EQ(table[1].name, "earlier");
}

TEST(HighscoreName, CutToFifteenBytesOnACharacterBoundary) {
    struct Case {
        std::string name;
        std::string stored;
    };
    const Case cases[] = {
        {"abcdefghijklmnopqrst", "abcdefghijklmno"},
        {"äöüäöüäöüäöüäöü", "äöüäöüä"},         // 2-byte letters: 7 fit
        {"一二三四五六七八", "一二三四五"},     // 3-byte letters: exactly 15 bytes
        {"abcdefghijklmn😀", "abcdefghijklmn"},  // a 4-byte letter does not fit after 14
        {"short", "short"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HighscoreTable table;
        insertHighscore(table, {c.name, 1, 10});
        EXPECT_EQ(table[0].name, c.stored);
        Bytes bytes = serializeHighscoreTable({{c.name, 1, 10}});
        EXPECT_EQ(parseHighscoreTable(bytes.data(), bytes.size())[0].name, c.stored);
    }
}

}  // namespace
