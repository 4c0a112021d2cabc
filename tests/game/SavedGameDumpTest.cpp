#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/stream/BinaryWriteMemory.h"
#include "core/xfer/SaveWithBlockNoTag.h"
#include "game/SavedGameSlot.h"
#include "game/model/SavedGame.h"
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
    std::ifstream file(SavedGameSlot::path("game_orig"), std::ios::binary);
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
        // Only what was read is shown: no default stands in for an unread version.
        if (c.keep <= 1) {
            EXPECT_EQ(cut.json.find("\"version\":"), std::string::npos) << cut.json;
        }
    }

    // A section name in UTF-8 comes out as the same characters (same byte length here).
    std::string renamed = bytes;
    std::size_t at = renamed.find("game_orig");
    ASSERT_NE(at, std::string::npos);
    renamed.replace(at, 9, "g\xC3\xA4me_rig");
    EXPECT_NE(decodeSavedGame(renamed).json.find("\"section\":\"g\xC3\xA4me_rig\""), std::string::npos);
}

TEST(SavedGameDump, TimesThatAreNoNumbersReadAsNullSoTheDumpStaysJson) {
    SavedGame game;
    game.section = "game_orig";
    for (float seconds : {std::nanf(""), HUGE_VALF, -HUGE_VALF, 1.5f})
        game.pointBonuses.push_back({"pointbonus0", 1, 2, seconds});
    std::vector<std::uint8_t> bytes(4096);
    core::stream::BinaryWriteMemory stream(bytes.data() + 1, bytes.size() - 1);
    {
        core::xfer::SaveWithBlockNoTag saver(core::xfer::ModeBlock | core::xfer::ModeVersion, stream);
        game.transfer(saver);
    }
    SavedGameDump dump = decodeSavedGame(std::string(bytes.begin(), bytes.begin() + 1 + stream.Size()));
    EXPECT_TRUE(dump.complete) << dump.json;
    EXPECT_EQ(between(dump.json, "\"point_bonuses\":", "]"),
              "[{\"section\":\"pointbonus0\",\"x\":1,\"y\":2,\"seconds\":null},"
              "{\"section\":\"pointbonus0\",\"x\":1,\"y\":2,\"seconds\":null},"
              "{\"section\":\"pointbonus0\",\"x\":1,\"y\":2,\"seconds\":null},"
              "{\"section\":\"pointbonus0\",\"x\":1,\"y\":2,\"seconds\":1.500}");
}

}  // namespace
}  // namespace petalune::test
