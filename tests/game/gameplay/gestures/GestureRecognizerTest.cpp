#include "game/gameplay/gestures/GestureRecognizer.h"

#include "engine/core/base/TarnCoreException.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using Runegarden::GestureRecognizer;
typedef std::vector<std::vector<unsigned char>> Rows;

Rows Blank(size_t height, size_t width) { return Rows(height, std::vector<unsigned char>(width, 0)); }

std::set<int> PaintedCells(const std::vector<double>& cells)
{
    EXPECT_EQ(400u, cells.size());
    std::set<int> painted;
    for (size_t i = 0; i < cells.size(); ++i) {
        EXPECT_TRUE(cells[i] == 0.0 || cells[i] == 1.0);
        if (cells[i] != 0.0) painted.insert(static_cast<int>(i));
    }
    return painted;
}

int Cell(int r, int c) { return r * 20 + c; }

TEST(GestureRecognizerReduce, SmallGridFeedsBlocksOfCells)
{
    Rows rows = Blank(10, 10);
    rows[3][7] = 255;
    EXPECT_EQ(std::set<int>({Cell(6, 14), Cell(6, 15), Cell(7, 14), Cell(7, 15)}),
              PaintedCells(GestureRecognizer::Reduce(rows)));

    // One column of two rows: every column of the grid samples source column 0.
    Rows column = Blank(2, 1);
    column[1][0] = 255;
    std::set<int> lowerHalf;
    for (int r = 10; r < 20; ++r)
        for (int c = 0; c < 20; ++c) lowerHalf.insert(Cell(r, c));
    EXPECT_EQ(lowerHalf, PaintedCells(GestureRecognizer::Reduce(column)));
}

TEST(GestureRecognizerReduce, CellsSampleOverlappingSourceRowsInSinglePrecision)
{
    const struct {
        size_t height;
        size_t paintedRow;
        std::set<int> cellRows;
    } cases[] = {
        {30, 1, {0, 1}},     // cellH 1.5: row 0 samples 0-1, row 1 samples 1-2
        {30, 29, {19}},      // the last cell stops at the last row
        {84, 62, {14, 15}},  // 15 x 4.2f falls just below 63, so cell 15 starts at row 62
    };
    for (const auto& c : cases) {
        Rows rows = Blank(c.height, 20);
        rows[c.paintedRow][5] = 255;
        std::set<int> expected;
        for (int r : c.cellRows) expected.insert(Cell(r, 5));
        EXPECT_EQ(expected, PaintedCells(GestureRecognizer::Reduce(rows)))
            << c.height << " rows, row " << c.paintedRow;
    }
}

TEST(GestureRecognizerReduce, EmptyFirstRowAndShortRowsReadAsUnpainted)
{
    Rows rows = Blank(5, 0);
    rows[2].assign(40, 255);
    EXPECT_TRUE(PaintedCells(GestureRecognizer::Reduce(rows)).empty());

    // Only the first row gives the width; bytes a short row lacks count as 0.
    Rows ragged = Blank(20, 20);
    ragged[4].resize(3);
    ragged[4][2] = 255;
    ragged[5].clear();
    ragged[6].assign(30, 255);
    std::set<int> expected = {Cell(4, 2)};
    for (int c = 0; c < 20; ++c) expected.insert(Cell(6, c));
    EXPECT_EQ(expected, PaintedCells(GestureRecognizer::Reduce(ragged)));
}

// 400 inputs, 5 outputs, zero weights: output 0 always wins by the output offsets.
boost::shared_ptr<NeuroNet> AlwaysWall()
{
    boost::shared_ptr<NeuroNet> net(new NeuroNet({400, 5}, 2.0, 1.0));
    net->Init({std::vector<double>(401 * 5, 0.0)}, std::vector<double>(800, 1.0),
              {1, 0.9, 1, -0.9, 1, -0.9, 1, -0.9, 1, -0.9});
    return net;
}

TEST(GestureRecognizer, FewerThanTwoRowsAreRefusedBeforeTheNetwork)
{
    GestureRecognizer recognizer(AlwaysWall());
    EXPECT_EQ(-1, recognizer.Recognize(Rows()));
    EXPECT_EQ(-1, recognizer.Recognize(Blank(1, 200)));
    EXPECT_EQ(0, recognizer.Recognize(Blank(2, 1)));
}

} // namespace
