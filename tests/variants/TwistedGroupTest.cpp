#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "variants/twisted/model/TwistedGroup.h"

namespace {

// A board drawn top row first; each cell is a type letter ("." empty, "#" finished, digits
// plain) optionally followed by its mask as one hex digit, cells separated by spaces.
TwistedGrid gridFrom(const std::vector<std::string>& rowsTopFirst) {
    TwistedGrid grid;
    for (auto& column : grid.type) column.fill(TwistedLevel::kEmpty);
    int rows = static_cast<int>(rowsTopFirst.size());
    for (int i = 0; i < rows; ++i) {
        int row = rows - 1 - i, column = 0;
        const std::string& text = rowsTopFirst[i];
        for (std::size_t at = 0; at < text.size(); ++column) {
            char type = text[at++];
            grid.type[column][row] = type == '.' ? 8 : type == '#' ? 9 : type - '0';
            if (at < text.size() && text[at] != ' ')
                grid.mask[column][row] = std::stoi(std::string(1, text[at++]), nullptr, 16);
            while (at < text.size() && text[at] == ' ') ++at;
        }
    }
    return grid;
}

struct GroupCase {
    const char* name;
    std::vector<std::string> board;
    int column, row;
    int alternativeSize, originalSize;
};

class TwistedGroupSize : public testing::TestWithParam<GroupCase> {};

TEST_P(TwistedGroupSize, FollowsTheConnectionRules) {
    const GroupCase& c = GetParam();
    TwistedGrid grid = gridFrom(c.board);
    EXPECT_EQ(TwistedGroup(grid, c.column, c.row, true).size(), c.alternativeSize);
    EXPECT_EQ(TwistedGroup(grid, c.column, c.row, false).size(), c.originalSize);
}

INSTANTIATE_TEST_SUITE_P(
    Boards, TwistedGroupSize,
    testing::Values(GroupCase{"EmptyCell", {". 1 1"}, 0, 0, 0, 0},
                    GroupCase{"FinishedStone", {"# #"}, 0, 0, 0, 0},
                    GroupCase{"StraightRun", {"1 1 1 2 1"}, 0, 0, 3, 3},
                    // An L: the original rules only follow the row and column through the start.
                    GroupCase{"Corner", {"1 . .", "1 . .", "1 1 1"}, 2, 0, 5, 3},
                    GroupCase{"CornerFromTheBend", {"1 . .", "1 . .", "1 1 1"}, 0, 0, 5, 5},
                    // Left and right marks (c) refuse the stone above and below.
                    GroupCase{"SideMarks", {". 1 .", "1 1c 1", ". 1 ."}, 1, 1, 3, 3},
                    // A stone marked only "up" (1) is not joined from its left neighbour.
                    GroupCase{"NeighbourMustAccept", {"1 11"}, 0, 0, 1, 1},
                    // A marked stone turns the original search round its corner.
                    GroupCase{"MarkedCorner", {"1 . .", "1 . .", "19 1 1"}, 2, 0, 5, 5},
                    GroupCase{"OtherTypesStop", {"1 2 1", "1 1 1"}, 0, 1, 5, 2}),
    [](const testing::TestParamInfo<GroupCase>& param) { return std::string(param.param.name); });

TEST(TwistedGroup, MarksExactlyTheJoinedStones) {
    TwistedGrid grid = gridFrom({"1 . 1", "1 1 1"});
    TwistedGroup group(grid, 0, 0, false);
    EXPECT_TRUE(group.contains(0, 0) && group.contains(1, 0) && group.contains(2, 0) && group.contains(0, 1));
    EXPECT_FALSE(group.contains(2, 1));
    EXPECT_FALSE(group.contains(1, 1));
}

}  // namespace
