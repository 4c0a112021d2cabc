#include <fstream>
#include <iterator>

#include "tests/game/GameTestSupport.h"
#include "tools/petalune-tool/SavedGameDecoder.h"

namespace petalune::test {
namespace {

class SavedGameDumpTest : public GameTest {};

std::string between(const std::string& text, const std::string& from, const std::string& to) {
    std::size_t start = text.find(from);
    if (start == std::string::npos) return "";
    start += from.size();
    return text.substr(start, text.find(to, start) - start);
}

TEST_F(SavedGameDumpTest, ShowsEveryFieldAndWhereADamagedFileStopsBeingReadable) {
    start("game_orig", 21);
    game->playCell(0, 0);
    ASSERT_TRUE(settle());
    ASSERT_TRUE(game->saveGame(1));
    std::ifstream file(LevelLayer::saveFilePath("game_orig"), std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::string expected = levelStateJson(game->state());

    SavedGameDump dump = decodeSavedGame(bytes);
    EXPECT_TRUE(dump.complete);
    EXPECT_NE(dump.json.find("\"marker\":1,\"version\":1,\"section\":\"game_orig\""), std::string::npos)
        << dump.json;
    EXPECT_EQ(between(dump.json, "\"cells\":", "]]"), between(expected, "\"cells\":", "]]"));
    EXPECT_EQ(between(dump.json, "\"random_state\":", ","), between(expected, "\"random_state\":", ","));
    EXPECT_EQ(between(dump.json, "\"score\":", ","), std::to_string(game->model().score()));

    struct Case {
        std::size_t keep;
        const char* stopsAt;
    };
    const Case cases[] = {{0, "marker"}, {1, "version"}, {bytes.size() - 20, "cell"}, {bytes.size() - 1, ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keep);
        SavedGameDump cut = decodeSavedGame(bytes.substr(0, c.keep));
        EXPECT_FALSE(cut.complete);
        EXPECT_NE(cut.json.find(std::string("\"unreadable_from\":\"") + c.stopsAt), std::string::npos)
            << cut.json;
        EXPECT_NE(cut.json.find("\"error\":"), std::string::npos);
    }
}

}  // namespace
}  // namespace petalune::test
