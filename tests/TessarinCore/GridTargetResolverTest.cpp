#include "TessarinCore/GridTargetResolver.h"

#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace tessarin {
namespace {

using D = GridMoveDirection;

struct ResolverCase {
    std::string name;
    GridMoveRequest request;
    std::optional<uint32_t> expected;
};

GridMoveRequest grid(uint32_t from, uint32_t count, D direction, uint32_t columns, bool blocks,
                     bool pacMan) {
    return GridMoveRequest{from, count, direction, true, columns, blocks, pacMan};
}

GridMoveRequest row(uint32_t from, uint32_t count, D direction, bool blocks, bool pacMan = false) {
    return GridMoveRequest{from, count, direction, false, 3, blocks, pacMan};
}

constexpr bool kSnake = false;
constexpr bool kPacMan = true;
constexpr bool kWraps = false;
constexpr bool kBlocks = true;
const std::optional<uint32_t> none;

std::vector<ResolverCase> cases() {
    return {
        // Seven Spaces in three columns: rows 0-2, 3-5 and a ragged last row holding only 6.
        {"snakeRightChainsIntoNextRow", grid(2, 7, D::right, 3, kWraps, kSnake), 3u},
        {"snakeRightFromLastWrapsToFirst", grid(6, 7, D::right, 3, kWraps, kSnake), 0u},
        {"snakeLeftFromFirstWrapsToLast", grid(0, 7, D::left, 3, kWraps, kSnake), 6u},
        {"snakeLeftChainsIntoPreviousRow", grid(3, 7, D::left, 3, kWraps, kSnake), 2u},
        {"downIntoRaggedRowWrapsColumnToTop", grid(5, 7, D::down, 3, kWraps, kSnake), 2u},
        {"upIntoRaggedRowTakesRowAbove", grid(1, 7, D::up, 3, kWraps, kSnake), 4u},
        {"downPastRaggedRowWrapsToTop", grid(4, 7, D::down, 3, kWraps, kSnake), 1u},
        {"upFromRaggedRow", grid(6, 7, D::up, 3, kWraps, kSnake), 3u},
        {"upFromTopIntoRaggedRowColumnZero", grid(0, 7, D::up, 3, kWraps, kSnake), 6u},
        {"pacManRightWrapsWithinRow", grid(2, 7, D::right, 3, kWraps, kPacMan), 0u},
        {"pacManLeftWrapsWithinRow", grid(3, 7, D::left, 3, kWraps, kPacMan), 5u},
        {"pacManLeftFromFirstRowStart", grid(0, 7, D::left, 3, kWraps, kPacMan), 2u},
        {"pacManRightInRowOfOneCell", grid(6, 7, D::right, 3, kWraps, kPacMan), none},
        {"pacManLeftInRowOfOneCell", grid(6, 7, D::left, 3, kWraps, kPacMan), none},
        {"pacManRightAwayFromRowEnd", grid(4, 7, D::right, 3, kWraps, kPacMan), 5u},
        {"pacManVerticalWrapsLikeSnake", grid(1, 7, D::up, 3, kWraps, kPacMan), 4u},
        {"blockingRightAtRowEnd", grid(2, 7, D::right, 3, kBlocks, kSnake), none},
        {"blockingUpAtTop", grid(0, 7, D::up, 3, kBlocks, kSnake), none},
        {"blockingDownAboveRaggedGap", grid(4, 7, D::down, 3, kBlocks, kSnake), none},
        {"blockingLeftAtRowStart", grid(3, 7, D::left, 3, kBlocks, kSnake), none},
        {"blockingRightAtLastCell", grid(6, 7, D::right, 3, kBlocks, kSnake), none},
        {"blockingInsideRowMoves", grid(4, 7, D::right, 3, kBlocks, kSnake), 5u},
        {"blockingDownInsideGrid", grid(3, 7, D::down, 3, kBlocks, kSnake), 6u},
        {"blockingWinsOverPacMan", grid(0, 7, D::left, 3, kBlocks, kPacMan), none},
        // Column counts.
        {"twoColumnsDown", grid(1, 6, D::down, 2, kBlocks, kSnake), 3u},
        {"fourColumnsRightAtRowEnd", grid(3, 8, D::right, 4, kWraps, kPacMan), 0u},
        {"columnsAboveFourReadAsThree", grid(2, 7, D::right, 9, kWraps, kPacMan), 0u},
        {"columnsZeroReadAsThree", grid(1, 7, D::down, 0, kBlocks, kSnake), 4u},
        {"columnsOneReadAsThree", grid(0, 7, D::down, 1, kBlocks, kSnake), 3u},
        // Degenerate grids.
        {"noSpaces", grid(0, 0, D::right, 3, kWraps, kSnake), none},
        {"indexAtCount", grid(7, 7, D::left, 3, kWraps, kSnake), none},
        {"indexFarOutside", grid(100, 7, D::left, 3, kWraps, kSnake), none},
        {"singleSpaceWrapsOntoItself", grid(0, 1, D::right, 3, kWraps, kSnake), none},
        {"singleRowHasNoVerticalMove", grid(0, 2, D::up, 3, kWraps, kSnake), none},
        {"largestCountWraps",
         grid(std::numeric_limits<uint32_t>::max() - 1, std::numeric_limits<uint32_t>::max(),
              D::right, 4, kWraps, kSnake),
         0u},
        // Grid mode off: one row of all Spaces, no vertical moves.
        {"rowModeUp", row(4, 7, D::up, kWraps), none},
        {"rowModeRightIgnoresColumns", row(2, 7, D::right, kWraps, kPacMan), 3u},
        {"rowModeRightWrapsAtEnd", row(6, 7, D::right, kWraps), 0u},
        {"rowModeLeftWrapsAtStart", row(0, 7, D::left, kWraps, kPacMan), 6u},
        {"rowModeBlocksAtStart", row(0, 7, D::left, kBlocks), none},
        {"rowModeBlocksAtEnd", row(6, 7, D::right, kBlocks), none},
        {"rowModeBlockingMovesInside", row(5, 7, D::right, kBlocks), 6u},
        {"rowModeNoSpaces", row(0, 0, D::left, kWraps), none},
    };
}

void PrintTo(const ResolverCase& c, std::ostream* os) {
    *os << c.name;
}

class GridTargetResolverTest : public testing::TestWithParam<ResolverCase> {};

TEST_P(GridTargetResolverTest, resolvesTarget) {
    EXPECT_EQ(resolveGridTargetIndex(GetParam().request), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, GridTargetResolverTest, testing::ValuesIn(cases()),
                         [](const auto& info) { return info.param.name; });

TEST(GridTargetResolverExhaustiveTest, targetIsAlwaysInsideGridAndNeverTheStart) {
    for (uint32_t count = 1; count <= 17; ++count) {
        for (uint32_t columns = 0; columns <= 5; ++columns) {
            for (uint32_t from = 0; from < count; ++from) {
                for (uint32_t d = 0; d < 4; ++d) {
                    for (int flags = 0; flags < 8; ++flags) {
                        GridMoveRequest request{from,
                                                count,
                                                D(d),
                                                (flags & 1) != 0,
                                                columns,
                                                (flags & 2) != 0,
                                                (flags & 4) != 0};
                        auto target = resolveGridTargetIndex(request);
                        if (target) {
                            EXPECT_LT(*target, count);
                            EXPECT_NE(*target, from);
                        }
                    }
                }
            }
        }
    }
}

TEST(GridTargetResolverExhaustiveTest, wrappingHorizontalMovesAreInverse) {
    for (uint32_t count = 2; count <= 17; ++count) {
        for (uint32_t columns = 2; columns <= 4; ++columns) {
            for (bool pacMan : {false, true}) {
                for (uint32_t from = 0; from < count; ++from) {
                    auto right = resolveGridTargetIndex(
                        {from, count, D::right, true, columns, false, pacMan});
                    if (!right) {
                        continue;
                    }
                    auto back = resolveGridTargetIndex(
                        {*right, count, D::left, true, columns, false, pacMan});
                    EXPECT_EQ(back, from) << "count " << count << " columns " << columns;
                }
            }
        }
    }
}

} // namespace
} // namespace tessarin
