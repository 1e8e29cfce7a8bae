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
        {"downIntoRaggedRowWrapsColumnToTop", grid(5, 7, D::down, 3, kWraps, kSnake), 2u},
        {"upIntoRaggedRowTakesRowAbove", grid(1, 7, D::up, 3, kWraps, kSnake), 4u},
        {"downPastRaggedRowWrapsToTop", grid(4, 7, D::down, 3, kWraps, kSnake), 1u},
        {"upFromTopIntoRaggedRowColumnZero", grid(0, 7, D::up, 3, kWraps, kSnake), 6u},
        {"pacManRightWrapsWithinRow", grid(2, 7, D::right, 3, kWraps, kPacMan), 0u},
        {"pacManLeftWrapsWithinRow", grid(3, 7, D::left, 3, kWraps, kPacMan), 5u},
        {"pacManRightInRowOfOneCell", grid(6, 7, D::right, 3, kWraps, kPacMan), none},
        {"pacManRightAwayFromRowEnd", grid(4, 7, D::right, 3, kWraps, kPacMan), 5u},
        {"pacManVerticalWrapsLikeSnake", grid(1, 7, D::up, 3, kWraps, kPacMan), 4u},
        {"blockingRightAtRowEnd", grid(2, 7, D::right, 3, kBlocks, kSnake), none},
        {"blockingUpAtTop", grid(0, 7, D::up, 3, kBlocks, kSnake), none},
        {"blockingDownAboveRaggedGap", grid(4, 7, D::down, 3, kBlocks, kSnake), none},
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
        {"rowModeBlockingMovesInside", row(5, 7, D::right, kBlocks), 6u},
    };
}

TEST(GridTargetResolverTest, resolvesTarget) {
    for (const ResolverCase& c : cases()) {
        EXPECT_EQ(resolveGridTargetIndex(c.request), c.expected) << c.name;
    }
}

// Every target lies inside the grid and is not the start; a wrapping move right is undone by
// one move left.
TEST(GridTargetResolverExhaustiveTest, targetsStayInsideAndWrappingMovesAreInverse) {
    for (uint32_t count = 1; count <= 17; ++count) {
        for (uint32_t columns = 0; columns <= 5; ++columns) {
            for (uint32_t from = 0; from < count; ++from) {
                for (uint32_t i = 0; i < 32; ++i) {
                    GridMoveRequest move{from,    count,        D(i % 4),     (i & 4) != 0,
                                         columns, (i & 8) != 0, (i & 16) != 0};
                    const auto target = resolveGridTargetIndex(move);
                    if (!target) {
                        continue;
                    }
                    EXPECT_LT(*target, count);
                    EXPECT_NE(*target, from);
                    if (move.direction == D::right && move.gridMode && !move.blocksAtEdges) {
                        move.currentIndex = *target;
                        move.direction = D::left;
                        EXPECT_EQ(resolveGridTargetIndex(move), from) << count << " " << columns;
                    }
                }
            }
        }
    }
}

} // namespace
} // namespace tessarin
